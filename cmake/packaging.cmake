# The Debian package: `cpack -G DEB` in the build folder writes trelvane_<version>_<arch>.deb
# from what `cmake --install` installs. Included at the end of the top-level CMakeLists.txt.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${TRELVANE_EXECUTABLE}")
set(CPACK_PACKAGE_VENDOR "${TRELVANE_COMPANY}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter between text, decimal, binary and hexadecimal codes")
set(CPACK_PACKAGE_DESCRIPTION
    "Trelvane converts values and texts between plain text, decimal character codes, binary
and hexadecimal as you type, converts single characters, and lists the character
codes 1 to 255 in a font of your choice. Its user interface is in Spanish.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TRELVANE_COMPANY}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The libraries the program links (Qt, the C++ runtime) come from dpkg-shlibdeps; the fonts
# that stand in for the window fonts, and the one that draws control characters, are
# recommended: the program falls back to the system's sans-serif without them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-open-sans, fonts-crosextra-carlito, fonts-symbola")

include(CPack)
