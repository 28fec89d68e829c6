# SPDX-License-Identifier: GPL-3.0-or-later
# Who makes the program, and its copyright file: the licence of every file
# in Debian's machine-readable form, shipped with the Debian package and with
# the Windows installer and zip.
set(SNOMEL_AUTHOR "الشيخ نوبلان الزنبوطي")
set(SNOMEL_COPYRIGHT_YEARS "2026")
# The program's name as the desktop shows it.
set(SNOMEL_DISPLAY_NAME "سنوميل")

# snomel_configure_copyright(OUTPUT PROGRAM_FOLDER text GPL_TEXT text
#                            [LINKED file])
# PROGRAM_FOLDER says what the installed program folder holds, GPL_TEXT
# where the GPL's whole text is; LINKED names a file of further paragraphs,
# for what is linked into the executable. The font's licence text comes in
# whole. In that form a licence text is indented by a space, and a blank
# line in it is written " ." (twice over, as two blank lines in a row share
# the newline between them).
function(snomel_configure_copyright output)
    # PARSE_ARGV keeps the texts' semicolons, escaped.
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "PROGRAM_FOLDER;GPL_TEXT;LINKED" "")
    string(REPLACE "\\;" ";" ARG_PROGRAM_FOLDER "${ARG_PROGRAM_FOLDER}")
    string(REPLACE "\\;" ";" ARG_GPL_TEXT "${ARG_GPL_TEXT}")
    set(ofl ${PROJECT_SOURCE_DIR}/resources/fonts/OFL.txt)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ofl} ${ARG_LINKED})
    file(READ ${ofl} SNOMEL_OFL_TEXT)
    string(STRIP "${SNOMEL_OFL_TEXT}" SNOMEL_OFL_TEXT)
    string(REGEX REPLACE "[ \t]*\n" "\n " SNOMEL_OFL_TEXT " ${SNOMEL_OFL_TEXT}")
    string(REGEX REPLACE "\n \n" "\n .\n" SNOMEL_OFL_TEXT "${SNOMEL_OFL_TEXT}")
    string(REGEX REPLACE "\n \n" "\n .\n" SNOMEL_OFL_TEXT "${SNOMEL_OFL_TEXT}")
    set(SNOMEL_COPYRIGHT_PROGRAM_FOLDER "${ARG_PROGRAM_FOLDER}")
    set(SNOMEL_COPYRIGHT_GPL_TEXT "${ARG_GPL_TEXT}")
    set(SNOMEL_COPYRIGHT_LINKED "")
    if(ARG_LINKED)
        file(READ ${ARG_LINKED} SNOMEL_COPYRIGHT_LINKED)
        string(STRIP "${SNOMEL_COPYRIGHT_LINKED}" SNOMEL_COPYRIGHT_LINKED)
        string(APPEND SNOMEL_COPYRIGHT_LINKED "\n\n")
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${output} @ONLY)
endfunction()

# snomel_configure_copyright_with_qt(OUTPUT PROGRAM_FOLDER text): the
# copyright file of a build with Qt linked in (Windows, the web page), which
# names Qt and what Qt links in with it, as the Qt build collected them
# (tools/windows/build-qt.sh, tools/wasm/build-qt.sh), the GPL's text in
# LICENSE.txt beside it.
function(snomel_configure_copyright_with_qt output)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "PROGRAM_FOLDER" "")
    set(qt_notices ${QT6_INSTALL_PREFIX}/share/snomel/copyright-qt)
    if(NOT EXISTS ${qt_notices})
        message(FATAL_ERROR "${qt_notices} is missing: build Qt with the build-qt.sh of "
            "tools/windows/ or tools/wasm/")
    endif()
    snomel_configure_copyright(${output} PROGRAM_FOLDER "${ARG_PROGRAM_FOLDER}"
        GPL_TEXT " The complete text of the GNU General Public License version 3 is in\n LICENSE.txt beside this file."
        LINKED ${qt_notices})
endfunction()
