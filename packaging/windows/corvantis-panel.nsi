; The per-user setup: installs the zip's folder into the user's programs folder without
; administrator rights, adds a Start menu shortcut to the window program, opens .svo and .svseq
; files with it by their own ProgIDs, and lists an uninstaller in "Apps and features" that takes
; away all of that and changes nothing else back. /S installs and uninstalls silently.
;   makensis -DVERSION=1.0.0 -DSTAGE=<the zip's folder> -DICON=<program>.ico -DOUTFILE=<setup>
;            -DFILES=<install list>.nsh -DREMOVE=<removal list>.nsh corvantis-panel.nsi
; cmake/windows_package.cmake makes the two lists from the folder (setup-lists.cmake), so the
; setup always holds what the zip holds.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include LogicLib.nsh
!include FileFunc.nsh
!include MUI2.nsh

!define PRODUCT "Corvantis Panel"
!define PROGRAM "corvantis-panel.exe"
!define PUBLISHER "The Corvantis Panel developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvantisPanel"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; SHChangeNotify's "file types changed", so that Explorer shows the icons at once.
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT license, see LICENSE.txt"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The extension opens with our ProgID, and is listed under it in "Open with". Another program's
; ProgID that was the extension's choice is kept in the uninstall entry, to be put back.
!macro FileType EXT PROGID DESCRIPTION
    WriteRegStr HKCU "Software\Classes\${PROGID}" "" "${DESCRIPTION}"
    WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\${PROGRAM}" "%1"'
    WriteRegNone HKCU "Software\Classes\.${EXT}\OpenWithProgids" "${PROGID}"
    ReadRegStr $0 HKCU "Software\Classes\.${EXT}" ""
    ${If} $0 != ""
    ${AndIf} $0 != "${PROGID}"
        WriteRegStr HKCU "${UNINSTALL_KEY}" "Previous .${EXT}" "$0"
    ${EndIf}
    WriteRegStr HKCU "Software\Classes\.${EXT}" "" "${PROGID}"
!macroend

; Takes away what FileType added: the ProgID, our "Open with" entry, and the extension's choice if
; it is still ours, which goes back to what it was. The extension's key goes only if it is empty.
!macro RemoveFileType EXT PROGID
    DeleteRegKey HKCU "Software\Classes\${PROGID}"
    DeleteRegValue HKCU "Software\Classes\.${EXT}\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKCU "Software\Classes\.${EXT}\OpenWithProgids"
    ReadRegStr $0 HKCU "Software\Classes\.${EXT}" ""
    ${If} $0 == "${PROGID}"
        ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "Previous .${EXT}"
        ${If} $1 != ""
            WriteRegStr HKCU "Software\Classes\.${EXT}" "" "$1"
        ${Else}
            DeleteRegValue HKCU "Software\Classes\.${EXT}" ""
        ${EndIf}
    ${EndIf}
    DeleteRegKey /ifempty HKCU "Software\Classes\.${EXT}"
!macroend

Section
    SetShellVarContext current
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetOutPath "$INSTDIR"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0
    !insertmacro FileType svo CorvantisPanel.svo "Servo settings"
    !insertmacro FileType svseq CorvantisPanel.svseq "Servo motion sequence"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

Section Uninstall
    SetShellVarContext current
    Delete "${SHORTCUT}"
    !insertmacro RemoveFileType svo CorvantisPanel.svo
    !insertmacro RemoveFileType svseq CorvantisPanel.svseq
    !include "${REMOVE}"
    Delete "$INSTDIR\uninstall.exe"
    ; Only if empty: anything the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
