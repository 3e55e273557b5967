# The Debian package that `make package` (CPack's DEB generator) builds from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cifrotto)
set(CPACK_PACKAGE_VENDOR Cifrotto)
set(CPACK_PACKAGE_CONTACT "Cifrotto <cifrotto@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colour code-breaking game in Italian")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "The computer hides four different colours out of eleven; the player\n"
    "has twelve rows to find them. Each confirmed row earns a red square\n"
    "for every colour in the right column and a white square for every\n"
    "colour that belongs in another column. The game is in Italian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Cifrotto <cifrotto@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps lists the libraries the program links: Qt Core, Gui and Widgets, libc,
# libstdc++. What Qt loads at run time is named here: the platform plugins (libqt6gui6 only
# recommends them) and libqt6svg6, whose SVG image plugin draws the pictures at scales other
# than 1 and 2 (the program does not link Qt SVG); the package test checks both.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")

include(CPack)
