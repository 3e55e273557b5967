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
# dpkg-shlibdeps lists the libraries the program links: Qt Core, Gui, Widgets and Svg (whose
# package, libqt6svg6, also holds the SVG image and icon plugins Qt loads at run time), libc,
# libstdc++. Qt's further platform plugins are loaded at run time too, and libqt6gui6 only
# recommends them, so they are named here. Should the program stop linking Qt SVG, name
# libqt6svg6 here as well: the package test checks that it stays in Depends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")

include(CPack)
