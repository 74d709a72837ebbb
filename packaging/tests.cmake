# Checks that a player's desktop would accept what the game installs: the validators pass on an
# install into a scratch root, and the Debian package holds every file and runs where unpacked.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
find_program(LINTIAN lintian)

# Paths below the prefix that an install and the package must both hold.
set(expected_files
    share/applications/${VEXMIRE_APP_ID}.desktop
    share/metainfo/${VEXMIRE_APP_ID}.metainfo.xml
    share/doc/vexmire/copyright
    share/doc/vexmire/changelog.gz
    share/man/man6/vexmire.6.gz
    share/man/man6/vexmire-sim.6.gz)
foreach(program IN LISTS vexmire_programs)
    list(APPEND expected_files ${VEXMIRE_INSTALL_GAMESDIR}/${program})
endforeach()
foreach(size IN LISTS vexmire_icon_sizes)
    list(APPEND expected_files share/icons/hicolor/${size}x${size}/apps/${VEXMIRE_APP_ID}.png)
endforeach()
if(EXISTS ${icon_source}/scalable/apps/vexmire.svg)
    list(APPEND expected_files share/icons/hicolor/scalable/apps/${VEXMIRE_APP_ID}.svg)
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/README.md)
    list(APPEND expected_files share/doc/vexmire/README.md)
endif()
list(JOIN expected_files "\n" expected_text)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/expected-files.txt "${expected_text}\n")

list(JOIN vexmire_programs " " programs_text)
set(check_environment
    BUILD_DIR=${PROJECT_BINARY_DIR}
    APP_ID=${VEXMIRE_APP_ID}
    VERSION=${PROJECT_VERSION}
    EXPECTED_FILES=${CMAKE_CURRENT_BINARY_DIR}/expected-files.txt
    GAMES_DIR=${VEXMIRE_INSTALL_GAMESDIR}
    SCREENSHOT_URL=${VEXMIRE_SCREENSHOT_URL}
    HOMEPAGE_URL=${VEXMIRE_HOMEPAGE_URL}
    MAN_PAGES=${CMAKE_CURRENT_BINARY_DIR}/man
    "PROGRAMS=${programs_text}")

if(DESKTOP_FILE_VALIDATE AND APPSTREAMCLI)
    add_test(NAME packaging.the_menu_entry_and_metainfo_validate_once_installed
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/check_install.sh)
    set_tests_properties(packaging.the_menu_entry_and_metainfo_validate_once_installed
                         PROPERTIES ENVIRONMENT "${check_environment}")
else()
    message(WARNING "desktop-file-validate or appstreamcli missing: `make setup` installs them")
endif()

# The manual pages as man shows them: no warning from the formatter.
add_test(NAME packaging.the_manual_pages_render_without_a_warning
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/check_manual_pages.sh)
set_tests_properties(packaging.the_manual_pages_render_without_a_warning
                     PROPERTIES ENVIRONMENT "${check_environment}")

# A package without a program to run is not worth checking.
if(vexmire_programs AND NOT LINTIAN)
    message(WARNING "lintian missing: `make setup` installs it")
endif()
if(vexmire_programs)
    add_test(NAME packaging.the_debian_package_unpacks_into_a_game_that_runs
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/check_package.sh)
    set_tests_properties(packaging.the_debian_package_unpacks_into_a_game_that_runs
                         PROPERTIES ENVIRONMENT "${check_environment}" COST 100)
endif()

# The README's screenshot must stay reproducible from the kept replay.
if(TARGET vexmire-sim AND VEXMIRE_WITH_QT)
    add_test(NAME packaging.the_readme_screenshot_can_be_made_again
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/check_screenshot.sh
                     $<TARGET_FILE:vexmire-sim> ${CMAKE_CURRENT_SOURCE_DIR}/screenshot.vxs)
endif()
