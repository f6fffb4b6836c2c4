# SPDX-License-Identifier: MIT
# Checks that the program's .ico holds the seven images of the program icon, in this order:
# 16, 32 and 48 in 32-bit colour, 32 and 48 in 256 colours, 32 in 16 colours, 256 as PNG.
# Usage: cmake -DICOTOOL=<icotool> -DICON=<trelvane.ico> -P check_ico.cmake
set(expected
    "--width=16 --height=16 --bit-depth=32 --palette-size=0"
    "--width=32 --height=32 --bit-depth=32 --palette-size=0"
    "--width=48 --height=48 --bit-depth=32 --palette-size=0"
    "--width=32 --height=32 --bit-depth=8 --palette-size=256"
    "--width=48 --height=48 --bit-depth=8 --palette-size=256"
    "--width=32 --height=32 --bit-depth=4 --palette-size=16"
    "--width=256 --height=256 --bit-depth=32 --palette-size=0")

execute_process(COMMAND "${ICOTOOL}" --list "${ICON}"
    OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "icotool could not read ${ICON} (${result}): ${errors}")
endif()

string(REGEX REPLACE "--icon --index=[0-9]+ " "" listing "${listing}")
string(STRIP "${listing}" listing)
string(REPLACE "\n" ";" images "${listing}")
if(NOT images STREQUAL expected)
    string(REPLACE ";" "\n  " images "${images}")
    string(REPLACE ";" "\n  " expected "${expected}")
    message(FATAL_ERROR "${ICON} holds\n  ${images}\nexpected\n  ${expected}")
endif()

# The 256-pixel image must be stored as a PNG, not as a bitmap: read its directory entry.
file(READ "${ICON}" entry OFFSET 102 LIMIT 16 HEX)
string(SUBSTRING "${entry}" 24 8 offset_le)
string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" offset_hex "${offset_le}")
math(EXPR offset "0x${offset_hex}")
file(READ "${ICON}" signature OFFSET ${offset} LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "The 256 x 256 image of ${ICON} is not stored as PNG")
endif()
