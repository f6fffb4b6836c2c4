# SPDX-License-Identifier: MIT
# Checks a configured Windows version resource: every placeholder filled, the numeric version
# equal to the project's, and every text field present with a value.
# Usage: cmake -DRC=<version.rc> -DVERSION=<major.minor.patch.tweak> -P check_version_rc.cmake
file(READ "${RC}" rc)

if(rc MATCHES "@[A-Za-z_]+@")
    message(FATAL_ERROR "${RC} still holds the placeholder ${CMAKE_MATCH_0}")
endif()

string(REPLACE "." "," numeric "${VERSION}")
foreach(key FILEVERSION PRODUCTVERSION)
    if(NOT rc MATCHES "\n${key} ${numeric}\n")
        message(FATAL_ERROR "${RC}: ${key} is not ${numeric}")
    endif()
endforeach()

foreach(key Comments CompanyName FileDescription FileVersion InternalName OriginalFilename
            ProductName ProductVersion)
    if(NOT rc MATCHES "VALUE \"${key}\", \"[^\"\n]+\"")
        message(FATAL_ERROR "${RC}: the text field ${key} is missing or empty")
    endif()
endforeach()

if(NOT rc MATCHES "\n1 ICON \"([^\"]+)\"\n")
    message(FATAL_ERROR "${RC}: the icon is missing")
endif()
if(NOT EXISTS "${CMAKE_MATCH_1}")
    message(FATAL_ERROR "${RC}: the icon file ${CMAKE_MATCH_1} does not exist")
endif()
