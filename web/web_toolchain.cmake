# What the browser build needs beyond emscripten's own toolchain file.

# The rules report faults with exceptions; emscripten turns them off unless asked.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# nlohmann/json.hpp from a folder that holds only it: the whole of /usr/include would put the
# host's C headers before emscripten's.
set(VEXMIRE_JSON_INCLUDE "/usr/include" CACHE PATH "Folder holding the host's nlohmann/json.hpp")
if(NOT EXISTS ${VEXMIRE_JSON_INCLUDE}/nlohmann/json.hpp)
    message(FATAL_ERROR "nlohmann/json.hpp is not in ${VEXMIRE_JSON_INCLUDE}: "
                        "install nlohmann-json3-dev (make setup)")
endif()
set(vexmire_json_only ${CMAKE_BINARY_DIR}/json-only)
file(MAKE_DIRECTORY ${vexmire_json_only})
file(CREATE_LINK ${VEXMIRE_JSON_INCLUDE}/nlohmann ${vexmire_json_only}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${vexmire_json_only})
