# The Debian package of the program, built by CPack from the install rules:
# the program, its desktop entry, icons and metainfo, under /usr.
# `cpack -G DEB` in a configured build directory writes
# misuradistanza_1.00_<arch>.deb.

set(MISURA_MANUTENTORE "MisuraDistanza <misuradistanza@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME misuradistanza)
# The project's own spelling: CMake would read VERSION 1.00 as 1.0.
set(CPACK_PACKAGE_VERSION "1.00")
set(CPACK_PACKAGE_VENDOR "MisuraDistanza")
set(CPACK_PACKAGE_CONTACT "${MISURA_MANUTENTORE}")
# Debian's descriptions are in English; the program itself is in Italian.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sonar range of an active target by bottom reflection")
set(CPACK_PACKAGE_DESCRIPTION [[
A one-window desktop calculator, in Italian, for a sonar situation: a
signal from an active target arrives after one reflection from the sea
bottom. From the depth h of the bottom (metres) and the depression angle b
of the arriving signal (degrees) it computes the horizontal distance
d = 2h / tan(b) and draws the distance, 0 to 100 km, against the angle,
0 to 50 degrees.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MISURA_MANUTENTORE}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links, found by dpkg-shlibdeps (from dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The face whose widths the window's layout was made with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)

include(CPack)
