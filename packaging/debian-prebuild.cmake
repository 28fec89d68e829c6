# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack on the staged package tree before it packs it
# (CPACK_PRE_BUILD_SCRIPTS): the two steps Debian's own tools would take
# that CPack leaves out or takes otherwise.
# - The dependencies on the shared libraries the ELF files link, from
#   dpkg-shlibdeps. CPack's own scan (CPACK_DEBIAN_PACKAGE_SHLIBDEPS) would
#   also add postinst and postrm scripts that run ldconfig, as it does for
#   any library anywhere under usr/lib; the media layer is a private module
#   in the program folder, loaded by its path, and ldconfig has nothing to
#   do with it.
# - No .comment section (the compiler's name and version) in the stripped
#   ELF files.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()

set(elf_files)
foreach(file IN LISTS CPACK_SNOMEL_ELF_FILES)
    set(staged "${CPACK_TEMPORARY_DIRECTORY}${file}")
    if(NOT EXISTS "${staged}")
        message(FATAL_ERROR "The staged package lacks ${file}")
    endif()
    list(APPEND elf_files "${staged}")
    execute_process(COMMAND "${CPACK_SNOMEL_OBJCOPY}" --remove-section=.comment "${staged}"
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# dpkg-shlibdeps reads debian/control from its working folder (it may be
# empty) and expects the files in a package tree beside a DEBIAN folder.
find_program(SNOMEL_SHLIBDEPS dpkg-shlibdeps REQUIRED)
set(scratch "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(REMOVE_RECURSE "${scratch}")
file(WRITE "${scratch}/debian/control" "")
file(MAKE_DIRECTORY "${scratch}/debian/snomel/DEBIAN")
string(REGEX MATCH "^/[^/]+" top "${CPACK_PACKAGING_INSTALL_PREFIX}")
file(CREATE_LINK "${CPACK_TEMPORARY_DIRECTORY}${top}" "${scratch}/debian/snomel${top}" SYMBOLIC)
list(TRANSFORM CPACK_SNOMEL_ELF_FILES PREPEND "debian/snomel" OUTPUT_VARIABLE packaged)
execute_process(COMMAND "${SNOMEL_SHLIBDEPS}" -O ${packaged}
    WORKING_DIRECTORY "${scratch}"
    OUTPUT_VARIABLE substvars
    COMMAND_ERROR_IS_FATAL ANY)
if(NOT substvars MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps found no shared-library dependencies:\n${substvars}")
endif()
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${CMAKE_MATCH_1}")
message(STATUS "Shared-library dependencies: ${CMAKE_MATCH_1}")
