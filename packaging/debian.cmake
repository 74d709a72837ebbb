# The Debian package: `make package` writes build/vexmire_<version>_amd64.deb. Its library
# dependencies are computed by dpkg-shlibdeps from what the programs link, never listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexmire)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vexmire developers")
set(CPACK_PACKAGE_CONTACT "${VEXMIRE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "one-screen action-puzzle maze game")
# Debian shows the long description as it stands, so its lines are kept short here.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Steer a figure through a maze seen from above, fire balls at the enemy that"
    "guards it and dodge the shots it sends back. Find the key, open the doors,"
    "pull the lever, read the clue, type the code into the keypad, break the glass"
    "and defuse the bomb to win. Five hits from the enemy end the game."
    ""
    "The package also holds vexmire-sim, which replays scripted key presses"
    "through the game's rules without a window and renders the game window to a"
    "PNG image.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEXMIRE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VEXMIRE_HOMEPAGE_URL)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VEXMIRE_HOMEPAGE_URL}")
endif()
# The one dependency no linker sees: the game draws its texts in DejaVu Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
# The bell's sound and libcanberra's way to a sound server; without them the game rings the
# window system's bell. Qt's Wayland platform: without it the game needs XWayland on a Wayland
# desktop, and where there is none it cannot start.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sound-theme-freedesktop, libcanberra-pulse, qt6-wayland")

# The same tree gives the same package, byte for byte, dated as its source.
set(CPACK_VEXMIRE_SOURCE_DATE_EPOCH "${VEXMIRE_SOURCE_DATE_EPOCH}")
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/reproducible_deb.cmake)

include(CPack)
