# SPDX-License-Identifier: MIT
# Run by CPack on the staged files, before it packs them: strips the programs the way Debian's
# dh_strip does. CPack's own plain strip leaves the compiler's .comment and .note sections.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*")
foreach(program IN LISTS programs)
    execute_process(
        COMMAND "${CPACK_TRELVANE_STRIP}" --remove-section=.comment --remove-section=.note
            --strip-unneeded "${program}"
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
