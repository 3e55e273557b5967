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
# libstdc++, libxcb, fontconfig. What Qt loads at run time it cannot see: the packages that
# hold those plugins are added as the package is made (package_depends.cmake), as dpkg names
# them on the build machine, since Debian moves plugins between packages: Debian 13 put the
# SVG image plugin in qt6-svg-plugins, which libqt6svg6 only recommends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CIFROTTO_QT_PLUGINS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
set(CIFROTTO_QT_LIBRARIES)
foreach(library IN ITEMS Widgets Gui Core)
    get_target_property(location Qt6::${library} LOCATION)
    list(APPEND CIFROTTO_QT_LIBRARIES ${location})
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/package_depends.cmake.in
               ${PROJECT_BINARY_DIR}/package_depends.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/package_depends.cmake)

include(CPack)
