; The game's installer: German, per user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Zeichenfang. scripts/windows.sh passes
;   -DVERSION=<game version> -DSTAGE=<staged folder> -DFILES=<list of Delete lines> -DOUTFILE=<setup.exe>
; The default 32-bit stub does not run where there is no 32-bit Windows (a 64-bit-only Wine).
Target amd64-unicode
SetCompressor /SOLID lzma
!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zeichenfang"

Name "Zeichenfang"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Zeichenfang"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1031 "ProductName" "Zeichenfang"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileDescription" "Zeichenfang ${VERSION} Setup"
VIAddVersionKey /LANG=1031 "LegalCopyright" "GNU General Public License, version 3"

!define MUI_ICON "${STAGE}\..\ui\zeichenfang.ico"
!define MUI_UNICON "${STAGE}\..\ui\zeichenfang.ico"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\licences\Zeichenfang (GPL-3).txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section
    SetOutPath "$INSTDIR"
    ; Over an older version: its files go first, so none of them is left beside the new ones.
    IfFileExists "$INSTDIR\uninstall.exe" 0 +2
        ExecWait '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
    File /r "${STAGE}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Zeichenfang.lnk" "$INSTDIR\zeichenfang.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zeichenfang"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Zeichenfang"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zeichenfang.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes only what the installer put there: a folder the player chose may hold more.
Section Uninstall
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Zeichenfang.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
