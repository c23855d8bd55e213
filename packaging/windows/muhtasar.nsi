; The Windows installer of Muhtasar Beyanname, in Turkish: the four programs
; into "Program Files\Muhtasar Beyanname", a Start-menu entry for the
; launcher, the launcher under "Open with" for payroll summaries (.DAT), and
; an entry in the installed programs with its uninstaller. scripts/package-windows
; builds it on Linux:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3 -DPROGRAMS=DIR -DGUIDE=DIR -DOUTFILE=FILE muhtasar.nsi
; "/S" installs and uninstalls without asking. The uninstaller removes what
; the installer put in place and never touches a company folder.

; The x86 stub would need 32-bit Windows support, which not every system has.
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Muhtasar Beyanname"
!define PUBLISHER "The muhtasar developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Muhtasar Beyanname"
; The launcher's own file type: "Open with" offers it for .DAT files,
; while whatever opens .DAT files by default keeps doing so.
!define PROGID "MuhtasarBeyanname.BordroOzeti"
!define APPLICATION_KEY "Software\Classes\Applications\muhtasar-open.exe"
; Where muhtasar-open keeps the folder chosen last.
!define SETTINGS_KEY "Software\Muhtasar Beyanname"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1055 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1055 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1055 "FileDescription" "${PRODUCT} kurulumu"
VIAddVersionKey /LANG=1055 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "LegalCopyright" "© 2026 ${PUBLISHER}"

!define MUI_ABORTWARNING
; No "run now" on the last page: the installer runs with the administrator's
; rights, and muhtasar started from it would write the company's files with them.
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

Section "Muhtasar Beyanname"
  ; For every user of the computer: the Start menu of all users.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${PROGRAMS}/muhtasar.exe"
  File "${PROGRAMS}/muhtasar-open.exe"
  File "${PROGRAMS}/muhtasar-print.exe"
  File "${PROGRAMS}/pagette.exe"
  ; The user guide beside the programs, where each of them looks for it (F1).
  SetOutPath "$INSTDIR\kilavuz"
  File /r "${GUIDE}/*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\muhtasar-open.exe" "" \
    "$INSTDIR\muhtasar-open.exe" 0 SW_SHOWNORMAL "" "Firma klasöründe muhtasar beyannamesini aç"
  CreateShortCut "$SMPROGRAMS\Kullanım Kılavuzu.lnk" "$INSTDIR\kilavuz\index.html" "" "" 0 \
    SW_SHOWNORMAL "" "Muhtasar Beyanname Kullanım Kılavuzu"

  WriteRegStr HKLM "${APPLICATION_KEY}" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKLM "${APPLICATION_KEY}\SupportedTypes" ".DAT" ""
  WriteRegStr HKLM "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\muhtasar-open.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Bordro özeti (${PRODUCT})"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\muhtasar-open.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\.DAT\OpenWithProgids" "${PROGID}" ""

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\muhtasar-open.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\muhtasar.exe"
  Delete "$INSTDIR\muhtasar-open.exe"
  Delete "$INSTDIR\muhtasar-print.exe"
  Delete "$INSTDIR\pagette.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /r "$INSTDIR\kilavuz"
  ; Only when empty: what someone else put there stays.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\Kullanım Kılavuzu.lnk"

  DeleteRegValue HKLM "Software\Classes\.DAT\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.DAT\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.DAT"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegKey HKLM "${APPLICATION_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  ; muhtasar's folder for the journals of stores being rewritten, when it is
  ; empty: a journal still there belongs to a store that must be recovered.
  SetShellVarContext current
  RMDir "$LOCALAPPDATA\muhtasar"
SectionEnd
