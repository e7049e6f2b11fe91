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

; An install in another folder than the one chosen now (Browse, /D=) is
; removed first by its own uninstaller, run in place, so that no second copy
; stays behind whose uninstaller would later take this install's entry and
; shortcuts. The same folder is simply written over.
Function RemoveEarlierInstallElsewhere
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${OrIf} $0 == $INSTDIR
    Return
  ${EndIf}
  ${If} ${FileExists} "$0\Uninstall.exe"
    ExecWait '"$0\Uninstall.exe" /S _?=$0'
    Delete "$0\Uninstall.exe"  ; run in place, it cannot delete itself
    RMDir "$0"
  ${EndIf}
FunctionEnd

; DeleteShortcutIfOurs LINK: deletes the shortcut when it starts Tagsmit.exe of
; $INSTDIR. Windows' shell link object reads its target.
!macro DeleteShortcutIfOurs LINK
  Push "${LINK}"
  Call un.ShortcutTarget
  Pop $0
  ${If} $0 == "$INSTDIR\Tagsmit.exe"
    Delete "${LINK}"
  ${EndIf}
!macroend

; Takes a shortcut's path from the stack and leaves its target there (empty
; text when it cannot be read).
Function un.ShortcutTarget
  Exch $1
  Push $2
  Push $3
  Push $4
  StrCpy $4 ""
  System::Call "ole32::CoInitialize(p 0)"
  System::Call "ole32::CoCreateInstance(g '{00021401-0000-0000-C000-000000000046}', p 0, \
    i 1, g '{000214F9-0000-0000-C000-000000000046}', *p .r2) i .r3"
  ${If} $3 = 0
    System::Call "$2->0(g '{0000010B-0000-0000-C000-000000000046}', *p .r3) i .r0"
    ${If} $0 = 0
      System::Call "$3->5(w r1, i 0) i .r0"  ; IPersistFile::Load
      ${If} $0 = 0
        System::Call "$2->3(w .r4, i ${NSIS_MAX_STRLEN}, p 0, i 0)"  ; IShellLinkW::GetPath
      ${EndIf}
      System::Call "$3->2()"
    ${EndIf}
    System::Call "$2->2()"
  ${EndIf}
  System::Call "ole32::CoUninitialize()"
  StrCpy $1 $4
  Pop $4
  Pop $3
  Pop $2
  Exch $1
FunctionEnd

Section "Tagsmit"
  Call RemoveEarlierInstallElsewhere
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

; The folder goes last, so that its going tells that the rest has gone. The
; entry and the shortcuts may belong to a later install in another folder:
; they go only when they name this one.
Section "un.$(ProgramPart)" UninstallProgram
  SectionIn RO
  !insertmacro DeleteShortcutIfOurs "$SMPROGRAMS\Tagsmit.lnk"
  !insertmacro DeleteShortcutIfOurs "$SENDTO\Tagsmit.lnk"
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR  ; NSIS compares without regard to case, as Windows names
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
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
