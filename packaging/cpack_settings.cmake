# The Debian package: `cpack` in the build directory writes cratefall_<version>_<arch>.deb.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cratefall)
set(CPACK_PACKAGE_VENDOR "The Cratefall developers")
set(CPACK_PACKAGE_CONTACT "The Cratefall developers <dev@cratefall.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: click the falling boxes")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/cratefall/cratefall")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY cratefall)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${CPACK_PACKAGE_HOMEPAGE_URL}")
# The screens name "MS Sans Serif", which the game maps to Liberation Sans; without the font
# every caption is drawn in whatever face the desktop falls back to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
# Qt's Wayland platform is a plugin no library links to: without it the game runs through
# XWayland on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Boxes fall down the window, faster and faster. Click a box to send it back
to the top and score a point; let one reach the floor and the game is over.
.
Ten levels, each with its own window, boxes and obstacles; the score carries
over from level to level. Beat the last and the game prints a winning
certificate with your name on the default printer.")

include(CPack)
