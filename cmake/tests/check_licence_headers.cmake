# SPDX-License-Identifier: MIT
# Every source file and script of the project names its licence near its top, so that a file
# copied out of the project still says under which terms it may be used.
# Usage: cmake -DSOURCE_DIR=<the project's folder> -P check_licence_headers.cmake
set(tag "SPDX-License-Identifier: MIT")
file(GLOB_RECURSE candidates RELATIVE "${SOURCE_DIR}"
    "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.in" "${SOURCE_DIR}/*.cmake"
    "${SOURCE_DIR}/CMakeLists.txt" "${SOURCE_DIR}/*.sh" "${SOURCE_DIR}/*.py" "${SOURCE_DIR}/*.1"
    "${SOURCE_DIR}/*.qrc" "${SOURCE_DIR}/*.svg" "${SOURCE_DIR}/.ci/run")
set(checked 0)
set(missing)
foreach(file IN LISTS candidates)
    # Build folders and the Debian changelog and copyright templates, whose formats have no
    # place for a comment, are not the project's sources.
    if(file MATCHES "^(build|\\.git)/" OR file MATCHES "^cmake/debian/(changelog|copyright)\\.in$")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${file}" head LIMIT_COUNT 3)
    string(FIND "${head}" "${tag}" found)
    if(found LESS 0)
        list(APPEND missing "${file}")
    endif()
    math(EXPR checked "${checked} + 1")
endforeach()
if(missing)
    list(JOIN missing "\n  " listed)
    message(FATAL_ERROR "Files without \"${tag}\" in their first three lines:\n  ${listed}")
endif()
message(STATUS "${checked} files name their licence")
