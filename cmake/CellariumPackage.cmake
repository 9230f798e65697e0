# The Debian package (CPack's DEB generator), built by scripts/package from a configured
# tree: everything `cmake --install` puts under the prefix, under /usr, stripped.
# Expects the values set in packaging/CMakeLists.txt (maintainer, homepage).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cellarium)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${CELLARIUM_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Conway's Game of Life for touch screens")
set(CPACK_PACKAGE_DESCRIPTION "Cellarium plays Conway's Game of Life on a board made for fingers, on
Linux phones, tablets and desktops: tap cells to bring them to life and watch
the pattern evolve. Patterns are kept in an archive, shared as QR codes and
copied as RLE, plaintext or JSON. The tools cellarium-life and
cellarium-archive step and convert patterns and manage the archive from the
command line.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # cellarium_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${CELLARIUM_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries' packages come from the binaries (dpkg-shlibdeps); what they load by
# name at run time is listed here: the symbol font, and the camera's and Wayland's plugins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-material-design-icons-iconfont")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-wayland")

include(CPack)
