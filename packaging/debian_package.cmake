# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of the installed program, built with CPack's DEB generator:
# `make package` writes quorvel_<version>+deb<release>_amd64.deb into the build
# folder. Its Depends are what dpkg-shlibdeps finds the program linked against on
# the release it is built on, plus the fonts the window is drawn with; Qt's Wayland
# platform and its Spanish texts are recommended, since the program runs without
# them. No maintainer scripts: Debian's triggers already refresh the menu and icon
# caches.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel developers")
set(CPACK_PACKAGE_CONTACT "Quorvel developers <quorvel@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_VERSION ${QUORVEL_DEB_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "drag coefficient of a road vehicle from a coast-down test")
# Lines of at most 80 columns: the control file takes them as they are.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quorvel works out the aerodynamic drag coefficient Cx of a road vehicle from a
coast-down test in two runs. For each run, in which the vehicle slows down
rolling freely, the user types in the initial speed, the final speed and the
time taken, in km/h or m/s; then the vehicle's mass, the coefficient of its
rotating masses, the air density and the frontal area, entered directly or as
height times width.

Everything happens in one small window with a Spanish interface.")
include(CPack)
