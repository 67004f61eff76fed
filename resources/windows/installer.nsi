; The Windows installer of the VORLANDEX Configurator, made on Debian by makensis
; (scripts/windows-package.sh gives the defines below):
;   VERSION, OUTFILE, MAIN_EXE (the program the Start menu and "Open with" start), ICON,
;   FILES_NSH (the File lines of every file), UNINSTALL_FILES_NSH (their Delete and RMDir lines),
;   ESTIMATED_SIZE_KB.
; Per machine, under Program Files; Start-menu entries for the program and its handbook
; (`vorlandex.exe --handbook`); the program offered in "Open with" for
; .cfg files without taking the extension over (an OpenWithProgids entry, no default); an
; uninstaller that removes what the installer made and nothing else; texts in Portuguese
; (Brazil), English and Spanish, chosen from Windows' language. /S installs and removes silently,
; /D=FOLDER installs elsewhere.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh

!define PRODUCT "VORLANDEX Configurator"
!define PUBLISHER "VORLANDEX"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VORLANDEX Configurator"
!define PROGID "VORLANDEX.Configuration"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; The handbook's entry is named in the installer's language; the uninstaller removes it under
; each name, whatever language it runs in.
!define HANDBOOK_SHORTCUT_PT "$SMPROGRAMS\Manual do ${PRODUCT}.lnk"
!define HANDBOOK_SHORTCUT_EN "$SMPROGRAMS\${PRODUCT} Handbook.lnk"
!define HANDBOOK_SHORTCUT_ES "$SMPROGRAMS\Manual de ${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the default for a Windows in any other language.
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Spanish"

; What Explorer calls a .cfg file opened with the program.
LangString CONFIG_FILE_TYPE ${LANG_PORTUGUESEBR} "Configuração da impressora de senhas VORLANDEX"
LangString CONFIG_FILE_TYPE ${LANG_ENGLISH} "VORLANDEX ticket printer configuration"
LangString CONFIG_FILE_TYPE ${LANG_SPANISH} "Configuración de la impresora de turnos VORLANDEX"
LangString HANDBOOK_SHORTCUT ${LANG_PORTUGUESEBR} "${HANDBOOK_SHORTCUT_PT}"
LangString HANDBOOK_SHORTCUT ${LANG_ENGLISH} "${HANDBOOK_SHORTCUT_EN}"
LangString HANDBOOK_SHORTCUT ${LANG_SPANISH} "${HANDBOOK_SHORTCUT_ES}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright 2026 VORLANDEX. All rights reserved."

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Install"
  !include "${FILES_NSH}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\${MAIN_EXE}" "" "$INSTDIR\${MAIN_EXE}" 0
  CreateShortcut "$(HANDBOOK_SHORTCUT)" "$INSTDIR\${MAIN_EXE}" "--handbook" "$INSTDIR\${MAIN_EXE}" 0

  ; "Open with" for .cfg: the application and a file type of its own, offered beside whatever
  ; program the extension already belongs to.
  WriteRegStr HKLM "Software\Classes\Applications\${MAIN_EXE}" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKLM "Software\Classes\Applications\${MAIN_EXE}\SupportedTypes" ".cfg" ""
  WriteRegStr HKLM "Software\Classes\Applications\${MAIN_EXE}\DefaultIcon" "" "$INSTDIR\${MAIN_EXE},0"
  WriteRegStr HKLM "Software\Classes\Applications\${MAIN_EXE}\shell\open\command" "" '"$INSTDIR\${MAIN_EXE}" "%1"'
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "$(CONFIG_FILE_TYPE)"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\${MAIN_EXE},0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\${MAIN_EXE}" "%1"'
  WriteRegStr HKLM "Software\Classes\.cfg\OpenWithProgids" "${PROGID}" ""

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${MAIN_EXE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE_KB}

  ; SHCNE_ASSOCCHANGED: Explorer reads the file types again.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  Delete "${SHORTCUT}"
  Delete "${HANDBOOK_SHORTCUT_PT}"
  Delete "${HANDBOOK_SHORTCUT_EN}"
  Delete "${HANDBOOK_SHORTCUT_ES}"

  DeleteRegValue HKLM "Software\Classes\.cfg\OpenWithProgids" "${PROGID}"
  ; Only when nothing else is left in them: the extension may belong to other programs.
  DeleteRegKey /ifempty HKLM "Software\Classes\.cfg\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.cfg"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegKey HKLM "Software\Classes\Applications\${MAIN_EXE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Exactly the files the installer put there; a folder goes only when it is empty, so that
  ; nothing the operator saved in it is lost.
  !include "${UNINSTALL_FILES_NSH}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
