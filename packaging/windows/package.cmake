# SPDX-License-Identifier: GPL-3.0-or-later
# Stages the program folder with the licences, then makes the installer and
# the zip from it (packaging/windows/CMakeLists.txt passes the -D values).
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})

# The executable without its symbols (the build's own copy keeps them),
# signed when SIGN names the signing command.
execute_process(COMMAND ${STRIP} -o ${STAGE}/snomel.exe ${EXECUTABLE} COMMAND_ERROR_IS_FATAL ANY)
set(sign_define "")
if(SIGN)
    execute_process(COMMAND ${SIGN} ${STAGE}/snomel.exe COMMAND_ERROR_IS_FATAL ANY)
    # makensis signs the uninstaller and the installer with it (%1 each).
    list(TRANSFORM SIGN PREPEND "\"")
    list(TRANSFORM SIGN APPEND "\"")
    list(JOIN SIGN " " sign_command)
    set(sign_define "-DSIGN=${sign_command} \"%1\"")
endif()
set(names snomel.exe)
foreach(name IN LISTS MEDIA)
    file(COPY_FILE ${PROGRAM_DIR}/${name} ${STAGE}/${name})
    list(APPEND names ${name})
endforeach()
file(COPY_FILE ${LICENSE} ${STAGE}/LICENSE.txt)
file(COPY_FILE ${COPYRIGHT} ${STAGE}/copyright.txt)
list(APPEND names LICENSE.txt copyright.txt)

# What the installer puts in the program folder, and its uninstaller takes
# away again: these files and nothing else.
set(install_lines "")
set(uninstall_lines "")
set(bytes 0)
foreach(name IN LISTS names)
    string(APPEND install_lines "    File \"${STAGE}/${name}\"\n")
    string(APPEND uninstall_lines "    Delete \"$INSTDIR\\${name}\"\n")
    file(SIZE ${STAGE}/${name} size)
    math(EXPR bytes "${bytes} + ${size}")
endforeach()
math(EXPR kilobytes "(${bytes} + 1023) / 1024")
set(files_nsh ${STAGE}-files.nsh)
file(WRITE ${files_nsh}
    "!define SNOMEL_INSTALLED_KB ${kilobytes}\n"
    "!macro SnomelInstallFiles\n${install_lines}!macroend\n"
    "!macro SnomelUninstallFiles\n${uninstall_lines}!macroend\n")

file(REMOVE ${INSTALLER})
execute_process(
    COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -WX
        -DVERSION=${VERSION} -DNAME=${NAME} -DPUBLISHER=${PUBLISHER} -DSTAGE=${STAGE}
        -DFILES=${files_nsh} -DICON=${ICON} -DLICENSE=${LICENSE} -DOUTFILE=${INSTALLER}
        ${sign_define} ${NSI}
    COMMAND_ERROR_IS_FATAL ANY)

# The zip holds the folder itself, its names in UTF-8 (and flagged so).
file(REMOVE ${ZIPFILE})
get_filename_component(stage_parent ${STAGE} DIRECTORY)
get_filename_component(stage_name ${STAGE} NAME)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
        ${CMAKE_COMMAND} -E tar cf ${ZIPFILE} --format=zip ${stage_name}
    WORKING_DIRECTORY ${stage_parent} COMMAND_ERROR_IS_FATAL ANY)
