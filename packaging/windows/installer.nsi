; Tagsmit's installer for one user: no administrator rights, the program in
; %LOCALAPPDATA%\Programs\Tagsmit, a Start menu shortcut (the settings window),
; a Send To shortcut (Explorer's 送る menu measures a file) and an uninstaller
; in Apps & features that keeps the settings unless asked to remove them.
;
; The build passes (makensis -D...): VERSION, FILE_VERSION (four parts),
; STAGE (the folder holding the release files), ICON and OUTFILE.
;
; Silent use: Setup.exe /S [/D=FOLDER]; Uninstall.exe /S [/REMOVESETTINGS].

; Tagsmit.exe is a 64-bit program, and a 64-bit installer runs where it does
; (also under a Wine without 32-bit support).
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tagsmit"
; The program's own settings folder, as it finds it (APPDATA).
!define SETTINGS_FOLDER "$APPDATA\tagsmit"

Name "Tagsmit"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tagsmit"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tagsmit ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tagsmit.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettings)"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the language of systems that speak neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString OpenSettings ${LANG_ENGLISH} "Open the settings window now"
LangString OpenSettings ${LANG_JAPANESE} "設定画面を開く"
LangString ProgramPart ${LANG_ENGLISH} "Tagsmit and its shortcuts"
LangString ProgramPart ${LANG_JAPANESE} "Tagsmit とショートカット"
LangString SettingsPart ${LANG_ENGLISH} "Settings (paste strings, paths, switches)"
LangString SettingsPart ${LANG_JAPANESE} "設定 (貼り付け文字列、パス、スイッチ)"

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tagsmit"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tagsmit ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "MIT License"

Section "Tagsmit"
  SetOutPath "$INSTDIR"
  File "${STAGE}/Tagsmit.exe"
  File "${STAGE}/LICENSE.txt"
  File "${STAGE}/readme.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; Without a file Tagsmit opens its settings; from Send To it gets the file.
  CreateShortcut "$SMPROGRAMS\Tagsmit.lnk" "$INSTDIR\Tagsmit.exe" "" \
    "$INSTDIR\Tagsmit.exe" 0 SW_SHOWNORMAL "" "画像寸法クリップボードコピー"
  CreateShortcut "$SENDTO\Tagsmit.lnk" "$INSTDIR\Tagsmit.exe" "" \
    "$INSTDIR\Tagsmit.exe" 0 SW_SHOWNORMAL "" "画像寸法クリップボードコピー"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tagsmit"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tagsmit"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tagsmit.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The folder goes last, so that its going tells that the rest has gone.
Section "un.$(ProgramPart)" UninstallProgram
  SectionIn RO
  Delete "$SMPROGRAMS\Tagsmit.lnk"
  Delete "$SENDTO\Tagsmit.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Tagsmit.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: whatever else the user put there stays.
  RMDir "$INSTDIR"
SectionEnd

; Off unless ticked, or /REMOVESETTINGS on the command line.
Section /o "un.$(SettingsPart)" UninstallSettings
  RMDir /r "${SETTINGS_FOLDER}"
SectionEnd

Function un.onInit
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UninstallSettings}
  ${EndIf}
FunctionEnd
