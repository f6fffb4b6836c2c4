# SPDX-License-Identifier: MIT
# The Debian package: `cpack -G DEB` in the build folder writes trelvane_<version>_<arch>.deb
# from what `cmake --install` installs, together with the copyright file and the changelog
# Debian asks for. Included at the end of the top-level CMakeLists.txt.
include(GNUInstallDirs)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${TRELVANE_EXECUTABLE}")
set(CPACK_PACKAGE_VENDOR "${TRELVANE_COMPANY}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter between text, decimal, binary and hexadecimal codes")
# Debian shows at most 80 columns of each line.
set(CPACK_PACKAGE_DESCRIPTION
    "Trelvane converts values and texts between plain text, decimal character
codes, binary and hexadecimal as you type, converts single characters, and
lists the character codes 1 to 255 in a font of your choice. Its user
interface is in Spanish.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_TRELVANE_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/debian/strip_like_dh_strip.cmake")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TRELVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The libraries the program links come from dpkg-shlibdeps; libqt6gui6 among them brings the
# X11 platform plugin, which also serves Wayland sessions through XWayland. Qt's own Spanish
# texts (the standard buttons and menus) come from qt6-translations-l10n. The layout is
# measured with the fonts that stand in for the window fonts, so the package depends on them:
# in another font the captions are clipped. The font that draws control characters is only
# recommended (the system's fonts draw them too, less evenly).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-open-sans, fonts-crosextra-carlito")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-symbola")

# --- copyright and changelog ------------------------------------------------------------------
set(TRELVANE_PACKAGE_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME}")
set(debian_dir "${PROJECT_BINARY_DIR}/debian")

# The machine-readable copyright file takes the holder and the terms from LICENSE.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" license)
if(NOT license MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.+)$")
    message(FATAL_ERROR "LICENSE: no \"Copyright (c) <year> <holder>\" line before the terms")
endif()
set(TRELVANE_COPYRIGHT "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" terms)
# Every line of the text is indented by one blank; an empty line becomes " .".
string(REGEX REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REGEX REPLACE "\n" "\n " TRELVANE_LICENSE_TEXT " ${terms}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in" "${debian_dir}/copyright" @ONLY)

# The changelog's date, "Mon, 07 Dec 2026 00:00:00 +0000", from the release date.
function(trelvane_rfc5322_date out_var iso_date)
    if(NOT iso_date MATCHES "^([0-9]+)-([0-9]+)-([0-9]+)$")
        message(FATAL_ERROR "The release date must be written YYYY-MM-DD, not ${iso_date}")
    endif()
    # Days since 1970-01-01 of a date in the Gregorian calendar (years from March on).
    math(EXPR y "${CMAKE_MATCH_1}")
    math(EXPR m "${CMAKE_MATCH_2}")
    if(m LESS_EQUAL 2)
        math(EXPR y "${y} - 1")
    endif()
    math(EXPR era "${y} / 400")
    math(EXPR year_of_era "${y} - ${era} * 400")
    math(EXPR month_from_march "(${m} + 9) % 12")
    math(EXPR day_of_year "(153 * ${month_from_march} + 2) / 5 + ${CMAKE_MATCH_3} - 1")
    math(EXPR days "${era} * 146097 + ${year_of_era} * 365 + ${year_of_era} / 4 \
        - ${year_of_era} / 100 + ${day_of_year} - 719468")
    math(EXPR seconds "${days} * 86400")
    set(saved "$ENV{SOURCE_DATE_EPOCH}")
    set(ENV{SOURCE_DATE_EPOCH} "${seconds}")
    string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
    if(saved STREQUAL "")
        unset(ENV{SOURCE_DATE_EPOCH})
    else()
        set(ENV{SOURCE_DATE_EPOCH} "${saved}")
    endif()
    set(${out_var} "${date}" PARENT_SCOPE)
endfunction()
trelvane_rfc5322_date(TRELVANE_RELEASE_DATE_RFC5322 "${TRELVANE_RELEASE_DATE}")
# The newest entry takes the version and date of the build; a new release writes the values
# into the entry below it and adds its own entry on top.
configure_file("${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in" "${debian_dir}/changelog" @ONLY)

find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT "${debian_dir}/changelog.gz"
    COMMAND "${GZIP}" -9nkf changelog
    DEPENDS "${debian_dir}/changelog"
    WORKING_DIRECTORY "${debian_dir}"
    VERBATIM)
add_custom_target(trelvane_changelog ALL DEPENDS "${debian_dir}/changelog.gz")
install(FILES "${debian_dir}/copyright" "${debian_dir}/changelog.gz"
    DESTINATION "${TRELVANE_PACKAGE_DOC_DIR}")

include(CPack)

# --- The package check ------------------------------------------------------------------------
# Builds the package and runs Debian's checks on it (only in the release preset: the sanitizer
# builds are not hardened). Labelled "package", so `ctest -LE package` leaves it out.
if(TRELVANE_TEST_PACKAGE)
    add_test(NAME debian_package_passes_lintian_and_hardening_check
        COMMAND "${CMAKE_COMMAND}" "-DCPACK=${CMAKE_CPACK_COMMAND}" "-DCXX=${CMAKE_CXX_COMPILER}"
            "-DBUILD_DIR=${PROJECT_BINARY_DIR}"
            "-DSCRATCH=${PROJECT_BINARY_DIR}/package-check"
            "-DPACKAGE=${CPACK_PACKAGE_NAME}" "-DAPP_ID=${TRELVANE_APP_ID}"
            "-DDOC_DIR=${TRELVANE_PACKAGE_DOC_DIR}"
            -P "${CMAKE_CURRENT_LIST_DIR}/tests/check_package.cmake")
    set_tests_properties(debian_package_passes_lintian_and_hardening_check
        PROPERTIES LABELS package TIMEOUT 600)
endif()
