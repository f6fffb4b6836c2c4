# SPDX-License-Identifier: MIT
# The program's identity, defined once. The version and the comment come from the top-level
# project() call; everything that shows or ships the program's name reads them from here:
# the generated header app_identity.h (target trelvane_identity), the Windows version
# resource, the desktop entry, the AppStream metainfo, the manual pages and the Debian package.

set(TRELVANE_COMPANY "Moravin")
# Who answers for the Debian package; lintian wants a name and an e-mail address.
set(TRELVANE_MAINTAINER "${TRELVANE_COMPANY} <trelvane@moravin.github.io>")
set(TRELVANE_PRODUCT "Trelvane")
set(TRELVANE_COMMENT "${PROJECT_DESCRIPTION}")
set(TRELVANE_EXECUTABLE "trelvane")
# The desktop's name for the program (AppStream component id, all lower case: the desktop
# file is named after it) and the date of this version.
set(TRELVANE_APP_ID "io.github.moravin.trelvane")
set(TRELVANE_RELEASE_DATE "2026-12-07")

set(TRELVANE_VERSION_MAJOR "${PROJECT_VERSION_MAJOR}")
set(TRELVANE_VERSION_MINOR "${PROJECT_VERSION_MINOR}")
set(TRELVANE_VERSION_PATCH "${PROJECT_VERSION_PATCH}")
set(TRELVANE_VERSION_REVISION "${PROJECT_VERSION_TWEAK}")
set(TRELVANE_VERSION_TEXT "${PROJECT_VERSION}")

# The text fields of the version resource write the version as major, two-digit minor and
# four-digit revision: 3.1.0.6 is "3.01.0006".
function(trelvane_zero_pad out_var value width)
    set(padded "${value}")
    string(LENGTH "${padded}" length)
    while(length LESS width)
        string(PREPEND padded "0")
        string(LENGTH "${padded}" length)
    endwhile()
    set(${out_var} "${padded}" PARENT_SCOPE)
endfunction()
trelvane_zero_pad(_minor_2 "${TRELVANE_VERSION_MINOR}" 2)
trelvane_zero_pad(_revision_4 "${TRELVANE_VERSION_REVISION}" 4)
set(TRELVANE_VERSION_TEXT_RESOURCE "${TRELVANE_VERSION_MAJOR}.${_minor_2}.${_revision_4}")
unset(_minor_2)
unset(_revision_4)

foreach(part MAJOR MINOR PATCH REVISION)
    if(NOT TRELVANE_VERSION_${part} MATCHES "^[0-9]+$")
        message(FATAL_ERROR "The project version must have four numeric parts, e.g. 3.1.0.6")
    endif()
endforeach()

configure_file(${CMAKE_CURRENT_LIST_DIR}/app_identity.h.in
    ${PROJECT_BINARY_DIR}/generated/identity/app_identity.h @ONLY)

add_library(trelvane_identity INTERFACE)
target_include_directories(trelvane_identity INTERFACE ${PROJECT_BINARY_DIR}/generated/identity)
