# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer: the program folder under Program Files, a shortcut
# in the Start menu and one on the desktop (both start the program in its
# folder, where it finds the song by its bare name), and an uninstaller
# listed among the installed programs that removes all of it. Its pages are
# in Arabic. Silent with /S, the installer and the uninstaller alike.
#
# makensis -INPUTCHARSET UTF8 with these defines (packaging/windows/CMakeLists.txt):
#   VERSION     the four-part version, e.g. 1.0.0.0
#   NAME        the program's name as Windows shows it
#   PUBLISHER   who publishes it
#   STAGE       the folder to install: the program folder and the licences
#   FILES       the NSIS include that installs and removes STAGE's files
#   ICON        the program icon
#   LICENSE     the licence shown before installing
#   OUTFILE     the installer to write
#   SIGN        (optional) the command that signs the file named after it:
#               the uninstaller and the installer are signed with it

# A 64-bit installer for a 64-bit program: it runs where the program runs
# (and under a 64-bit-only Wine), and sees the 64-bit registry and folders.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifdef SIGN
!uninstfinalize '${SIGN}'
!finalize '${SIGN}'
!endif

!include "MUI2.nsh"
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\snomel"
!define UNINSTALLER "uninstall.exe"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\snomel"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "GPL-3.0-or-later"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
# No "Run" on the finish page: the installer runs with the administrator's
# rights, and what it started would have them too (and open web pages with
# them). The shortcuts start the program as whoever uses it.
!define MUI_FINISHPAGE_NOREBOOTSUPPORT

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Arabic"

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section
    # The shortcuts take the output folder as their working folder.
    SetOutPath "$INSTDIR"
    !insertmacro SnomelInstallFiles
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    SetShellVarContext all
    CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\snomel.exe" "" "$INSTDIR\snomel.exe" 0
    CreateShortCut "$DESKTOP\${NAME}.lnk" "$INSTDIR\snomel.exe" "" "$INSTDIR\snomel.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\snomel.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SNOMEL_INSTALLED_KB}
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${NAME}.lnk"
    Delete "$DESKTOP\${NAME}.lnk"
    # Only what was installed: the folder goes only when nothing else is in it.
    !insertmacro SnomelUninstallFiles
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
