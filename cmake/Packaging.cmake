# make package: a Debian package of the installed layout (see app/CMakeLists.txt).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varneth)
set(CPACK_PACKAGE_VENDOR "Varneth")
set(CPACK_PACKAGE_CONTACT "Varneth developers <support@varneth.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "electrical wiring design for homes")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Varneth draws the electrical wiring of a dwelling over its floor plan and the\n"
    "distribution box, derives the bill of materials and prints a three-page report.\n"
    "varneth-tool scripts and checks its drawings, library and projects.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://varneth.example/")
# The libraries the programs link come from dpkg-shlibdeps; what Qt loads at
# run time does not show there: the SVG icon engine, the command pictures of
# the Adwaita theme, a font for the Chinese texts; Qt's own dialogs in Chinese.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libxlsxwriter is loaded at run time, so the library scan does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libxlsxwriter4, adwaita-icon-theme, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
