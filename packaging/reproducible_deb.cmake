# Run by CPack once it has written the Debian package (CPACK_POST_BUILD_SCRIPTS). CPack stamps
# the package with the time it runs: the members of the outer archive, and the files of the
# control and data archives with the time each was built or installed. Two builds of the same
# tree must give the same bytes, so the package is unpacked and built again by Debian's own
# dpkg-deb, every file dated SOURCE_DATE_EPOCH, owned by root, in dpkg-deb's sorted order.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
    set(epoch "${CPACK_VEXMIRE_SOURCE_DATE_EPOCH}")
endif()
if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is '${epoch}', not a count of seconds")
endif()

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT deb MATCHES "\\.deb$")
        continue()
    endif()
    set(tree "${deb}.tree")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND find "${tree}" -exec touch --no-dereference --date=@${epoch} {} +
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
                            dpkg-deb --root-owner-group --build "${tree}" "${deb}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
endforeach()
