# SPDX-License-Identifier: MIT
# Release builds get the hardening Debian builds its packages with (dpkg-buildflags with
# hardening=+all): stack protector, FORTIFY, format checks, read-only relocations bound at start,
# position-independent executables, and stack clash and control-flow protection where the
# compiler has them. hardening-check must pass on the packaged program. Debug and sanitizer
# builds stay as they are: FORTIFY needs optimisation and gets in AddressSanitizer's way.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)

check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

set(_hardening_compile_options
    -fstack-protector-strong
    -Wformat
    -Werror=format-security
    # A compiler that defines FORTIFY itself would warn about the redefinition.
    -U_FORTIFY_SOURCE
    -D_FORTIFY_SOURCE=2)
foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "TRELVANE_HAS${flag}" has_flag)
    check_cxx_compiler_flag(${flag} ${has_flag})
    if(${has_flag})
        list(APPEND _hardening_compile_options ${flag})
    endif()
endforeach()

add_compile_options("$<$<CONFIG:Release>:${_hardening_compile_options}>")
add_link_options("$<$<CONFIG:Release>:-Wl,-z,relro;-Wl,-z,now>")
unset(_hardening_compile_options)
