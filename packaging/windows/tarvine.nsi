; The Windows installer: tarvine-renumber.exe and its README into
; Program Files\Tarvine, Explorer's "Renumber with Tarvine" for pictures and
; videos, optionally the folder on the system's PATH, and an uninstaller
; that takes all of it back (the verb and the PATH entry included).
;
;   makensis -DVERSION=1.0.0.1 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> tarvine.nsi
;
; A silent install (/S) takes the PATH option with /PATH; /D=<folder> sets
; the folder, as with any NSIS installer.

Unicode true
; 64-bit, like the program (and so it runs under a 64-bit Wine).
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WordFunc.nsh"
!include "x64.nsh"
!include "WinMessages.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvine"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
; Explorer's context-menu verb for every picture and every video file (the
; file types the system perceives as such), below the classes of the
; installation's context: the machine's with SetShellVarContext all.
!define VERB "shell\Tarvine.Renumber"
!define IMAGE_VERB_KEY "Software\Classes\SystemFileAssociations\image\${VERB}"
!define VIDEO_VERB_KEY "Software\Classes\SystemFileAssociations\video\${VERB}"

; The verb "Renumber with Tarvine" under one key: the window, started with
; the file in its path field.
!macro WriteVerb KEY
  WriteRegStr SHCTX "${KEY}" "" "Renumber with Tarvine"
  WriteRegStr SHCTX "${KEY}" "Icon" "$INSTDIR\tarvine.exe"
  WriteRegStr SHCTX "${KEY}\command" "" '"$INSTDIR\tarvine.exe" "%1"'
!macroend

Name "Tarvine ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tarvine"
RequestExecutionLevel admin
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Tarvine"
VIAddVersionKey "FileDescription" "Tarvine setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "The Tarvine authors"

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Tarvine (required)" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\tarvine.exe"
  File "${STAGE}\tarvine-renumber.exe"
  File "${STAGE}\README.txt"
  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\Tarvine.lnk" "$INSTDIR\tarvine.exe"
  !insertmacro WriteVerb "${IMAGE_VERB_KEY}"
  !insertmacro WriteVerb "${VIDEO_VERB_KEY}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tarvine"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Tarvine authors"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Off unless ticked: the folder goes at the end of the system's PATH, once.
Section /o "Put tarvine-renumber on PATH" SectionPath
  ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
  ${WordFind} "$0" ";" "E/$INSTDIR" $1
  ${If} ${Errors}
    ${If} $0 == ""
      StrCpy $0 "$INSTDIR"
    ${Else}
      StrCpy $0 "$0;$INSTDIR"
    ${EndIf}
    WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$0"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "PutOnPath" 1
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}
SectionEnd

LangString DESC_SectionProgram ${LANG_ENGLISH} "The window (tarvine.exe, in the Start menu and as Explorer's $\"Renumber with Tarvine$\" for pictures and videos), tarvine-renumber.exe and their README."
LangString DESC_SectionPath ${LANG_ENGLISH} "Lets a Command Prompt or PowerShell start tarvine-renumber by its name."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} $(DESC_SectionProgram)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionPath} $(DESC_SectionPath)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The programs are 64-bit: the registry's 64-bit view, as they see it.
Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "Tarvine needs a 64-bit Windows."
    Abort
  ${EndIf}
  SetRegView 64
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PATH" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SectionPath}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "PutOnPath"
  ${If} $1 == 1
    ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
    ; The entry this installer added, wherever it now stands in the list.
    ${WordReplace} "$0" ";$INSTDIR" "" "+" $0
    ${WordReplace} "$0" "$INSTDIR;" "" "+" $0
    ${If} $0 == "$INSTDIR"
      StrCpy $0 ""
    ${EndIf}
    WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$0"
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}
  SetShellVarContext all
  Delete "$SMPROGRAMS\Tarvine.lnk"
  DeleteRegKey SHCTX "${IMAGE_VERB_KEY}"
  DeleteRegKey SHCTX "${VIDEO_VERB_KEY}"
  Delete "$INSTDIR\tarvine.exe"
  Delete "$INSTDIR\tarvine-renumber.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
