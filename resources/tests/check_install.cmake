# SPDX-License-Identifier: MIT
# Installs the project into a scratch prefix and checks that the desktop finds what it needs:
# the desktop entry, the AppStream metainfo, the icon in every hicolor size (each image of the
# size its folder names) and as SVG, and the program when it has been built.
# Usage: cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -DAPP_ID=<id> -DEXPECT_EXECUTABLE=ON|OFF
#              -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result})")
endif()

set(expected
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/trelvane.svg)
if(EXPECT_EXECUTABLE)
    list(APPEND expected bin/trelvane)
endif()
foreach(file IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "${file} was not installed")
    endif()
endforeach()

foreach(size 16 32 48 64 128 256)
    set(png "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/trelvane.png")
    if(NOT EXISTS "${png}")
        message(FATAL_ERROR "the ${size}x${size} icon was not installed")
    endif()
    # A PNG's width and height are the two big-endian numbers at bytes 16 to 23.
    file(READ "${png}" header OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING "${header}" 0 8 width_hex)
    string(SUBSTRING "${header}" 8 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${png} is ${width}x${height}")
    endif()
endforeach()
