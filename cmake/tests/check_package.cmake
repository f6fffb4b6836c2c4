# SPDX-License-Identifier: MIT
# Builds the Debian package from a build folder and checks it as a distribution would: lintian
# reports no error or warning, every program passes hardening-check, and the unpacked package
# holds what the desktop needs and agrees with itself: the desktop entry names a program and an
# icon that are there, the metainfo launches that entry, every program has its manual page and
# every page its program, and the copyright file and the changelog of this version are in
# place. Lists what it found.
# Usage: cmake -DCPACK=<cpack> -DCXX=<compiler> -DBUILD_DIR=<build> -DSCRATCH=<folder>
#              -DPACKAGE=<name> -DAPP_ID=<id> -DDOC_DIR=<share/doc/name> -P check_package.cmake
cmake_minimum_required(VERSION 3.25)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        string(JOIN " " command ${ARGN})
        message(FATAL_ERROR "${command} failed (${result}):\n${out}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

foreach(tool lintian hardening-check dpkg-deb readelf gzip)
    string(MAKE_C_IDENTIFIER "${tool}" var)
    find_program(${var} ${tool})
    if(NOT ${var})
        message(FATAL_ERROR "${tool} is missing; tools/install-deps.sh installs it")
    endif()
endforeach()

# --- The package ------------------------------------------------------------------------------
file(REMOVE_RECURSE "${SCRATCH}")
run("${CPACK}" --config "${BUILD_DIR}/CPackConfig.cmake" -G DEB -B "${SCRATCH}")
file(GLOB debs "${SCRATCH}/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "cpack wrote ${count} packages into ${SCRATCH}, not one")
endif()
get_filename_component(deb_name "${debs}" NAME)
run("${dpkg_deb}" --field "${debs}" Package Version Depends Recommends)
message("${deb_name}\n${out}")
run("${dpkg_deb}" --field "${debs}" Version)
string(STRIP "${out}" version)
# The window's layout is measured with the fonts that stand in for its design fonts.
run("${dpkg_deb}" --field "${debs}" Depends)
foreach(font fonts-open-sans fonts-crosextra-carlito)
    if(NOT out MATCHES "(^|[ ,])${font}([ ,\n]|$)")
        message(FATAL_ERROR "the package does not depend on ${font}: ${out}")
    endif()
endforeach()

# --- lintian ----------------------------------------------------------------------------------
execute_process(COMMAND "${lintian}" --fail-on error,warning --display-info "${debs}"
    RESULT_VARIABLE result OUTPUT_VARIABLE tags ERROR_VARIABLE lintian_errors)
string(STRIP "${tags}" tags)
if(tags STREQUAL "")
    set(tags "no tags")
endif()
message("lintian: ${tags}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lintian failed (${result}) ${lintian_errors}")
endif()

# --- The files --------------------------------------------------------------------------------
set(root "${SCRATCH}/root")
run("${dpkg_deb}" -x "${debs}" "${root}")

set(problems)
macro(require file)
    if(EXISTS "${root}/${file}")
        list(APPEND found "${file}")
    else()
        list(APPEND problems "missing: ${file}")
    endif()
endmacro()
set(found)

# The desktop entry, named after the metainfo's id, starts a program and shows an icon that
# the package holds.
set(desktop_file "usr/share/applications/${APP_ID}.desktop")
set(metainfo_file "usr/share/metainfo/${APP_ID}.metainfo.xml")
require("${desktop_file}")
require("${metainfo_file}")
require("usr/bin/${PACKAGE}")
if(EXISTS "${root}/${desktop_file}")
    file(STRINGS "${root}/${desktop_file}" exec REGEX "^Exec=")
    file(STRINGS "${root}/${desktop_file}" icon REGEX "^Icon=")
    string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" exec "${exec}")
    string(REGEX REPLACE "^Icon=" "" icon "${icon}")
    require("usr/bin/${exec}")
    require("usr/share/icons/hicolor/scalable/apps/${icon}.svg")
    file(GLOB pngs RELATIVE "${root}" "${root}/usr/share/icons/hicolor/*/apps/${icon}.png")
    if(pngs STREQUAL "")
        list(APPEND problems "no PNG icon ${icon}.png in usr/share/icons/hicolor")
    endif()
    list(APPEND found ${pngs})
endif()
if(EXISTS "${root}/${metainfo_file}")
    file(READ "${root}/${metainfo_file}" metainfo)
    foreach(expected "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop<")
        string(FIND "${metainfo}" "${expected}" at)
        if(at EQUAL -1)
            list(APPEND problems "${metainfo_file} lacks ${expected}")
        endif()
    endforeach()
    if(metainfo MATCHES "<binary>([^<]+)</binary>")
        require("usr/bin/${CMAKE_MATCH_1}")
    endif()
endif()

# Every program has its manual page, and every page its program.
file(GLOB programs RELATIVE "${root}/usr/bin" "${root}/usr/bin/*")
file(GLOB pages RELATIVE "${root}/usr/share/man/man1" "${root}/usr/share/man/man1/*")
foreach(program IN LISTS programs)
    require("usr/share/man/man1/${program}.1.gz")
endforeach()
foreach(page IN LISTS pages)
    string(REGEX REPLACE "\\.1\\.gz$" "" program "${page}")
    if(NOT program IN_LIST programs)
        list(APPEND problems "usr/share/man/man1/${page} documents no program of the package")
    endif()
endforeach()

# The copyright file and the changelog, whose newest entry is this version.
require("usr/${DOC_DIR}/copyright")
require("usr/${DOC_DIR}/changelog.gz")
if(EXISTS "${root}/usr/${DOC_DIR}/changelog.gz")
    run("${gzip}" -dc "${root}/usr/${DOC_DIR}/changelog.gz")
    if(NOT out MATCHES "^${PACKAGE} \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL version)
        list(APPEND problems "the changelog's newest entry is not ${PACKAGE} (${version})")
    endif()
endif()

list(REMOVE_DUPLICATES found)
list(SORT found)
list(JOIN found "\n  " found_text)
message("found:\n  ${found_text}")
if(problems)
    list(JOIN problems "\n  " problems_text)
    message(FATAL_ERROR "${deb_name}:\n  ${problems_text}")
endif()

# --- hardening-check on every program ---------------------------------------------------------
# Two of its checks cannot see this toolchain's work, and are skipped only when that is why:
# - Control flow integrity: the linker marks a program only when every object is marked, and
#   the C start file every program links carries no such marking on this system (Debian 12),
#   so no program here can pass it; ours is compiled with -fcf-protection all the same.
# - Fortify: FORTIFY can only check a copy whose size the compiler knows. A program whose only
#   protectable calls are memcpy, memmove and memset (the C++ library copies through the
#   compiler's built-ins, which FORTIFY never wraps) shows no protected call either way.
set(skips)
execute_process(COMMAND "${CXX}" -print-file-name=Scrt1.o OUTPUT_VARIABLE start_file
    OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND "${readelf}" -n "${start_file}" OUTPUT_VARIABLE notes ERROR_QUIET)
if(NOT notes MATCHES "x86 feature: IBT, SHSTK")
    list(APPEND skips --nocfprotection)
    message("control flow integrity not required: ${start_file} carries no IBT/SHSTK marking")
endif()
foreach(program IN LISTS programs)
    execute_process(COMMAND "${hardening_check}" --verbose ${skips} "${root}/usr/bin/${program}"
        RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
    set(program_skips ${skips})
    if(NOT result EQUAL 0 AND report MATCHES "Fortify Source functions: no, only unprotected")
        string(REGEX MATCHALL "unprotected: [a-z_0-9]+" unprotected "${report}")
        list(REMOVE_ITEM unprotected
            "unprotected: memcpy" "unprotected: memmove" "unprotected: memset")
        if(unprotected STREQUAL "")
            list(APPEND program_skips --nofortify)
            message("fortify not required for ${program}: its only protectable calls are "
                    "memcpy, memmove and memset of unknown size")
            execute_process(COMMAND "${hardening_check}" ${program_skips} "${root}/usr/bin/${program}"
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
        endif()
    endif()
    message("${report}")
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "hardening-check failed on usr/bin/${program}")
    endif()
endforeach()
