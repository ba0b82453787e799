; Orvo's Windows installer. scripts/windows.sh passes the version, the
; folder to pack and the output name, and writes the two file lists:
;   makensis -DVERSION=2.0.0 -DDIST=... -DSALIDA=... -DLISTAS=... orvo.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define CLAVE "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvo"
; orvo.exe holds this named mutex while it runs.
!define MUTEX "Local\OrvoEnEjecucion"

Name "Orvo ${VERSION}"
OutFile "${SALIDA}"
InstallDir "$PROGRAMFILES64\Orvo"
InstallDirRegKey HKLM "${CLAVE}" "InstallLocation"
BrandingText "Orvo ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1034 "ProductName" "Orvo"
VIAddVersionKey /LANG=1034 "FileDescription" "Instalador de Orvo - Interfaz de Comandos"
VIAddVersionKey /LANG=1034 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1034 "LegalCopyright" "GNU GPL 3 o posterior"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\orvo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Iniciar Orvo"
!insertmacro MUI_PAGE_LICENSE "${LICENCIA}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

; A running Orvo keeps its files open: stop before touching them.
!macro NoEnEjecucion
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p .r0'
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_ICONSTOP|MB_OK "Orvo está abierto. Ciérrelo y vuelva a intentarlo." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
!macroend

Function .onInit
  SetRegView 64
  !insertmacro NoEnEjecucion
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro NoEnEjecucion
FunctionEnd

Section "Orvo (necesario)" SeccionOrvo
  SectionIn RO
  !insertmacro NoEnEjecucion
  SetShellVarContext all
  !include "${LISTAS}\instalar.nsh"
  WriteUninstaller "$INSTDIR\desinstalar.exe"
  CreateDirectory "$SMPROGRAMS\Orvo"
  CreateShortcut "$SMPROGRAMS\Orvo\Orvo.lnk" "$INSTDIR\orvo.exe"
  CreateShortcut "$SMPROGRAMS\Orvo\Desinstalar Orvo.lnk" "$INSTDIR\desinstalar.exe"
  WriteRegStr HKLM "${CLAVE}" "DisplayName" "Orvo - Interfaz de Comandos"
  WriteRegStr HKLM "${CLAVE}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${CLAVE}" "Publisher" "Desarrolladores de Orvo"
  WriteRegStr HKLM "${CLAVE}" "DisplayIcon" "$INSTDIR\orvo.exe"
  WriteRegStr HKLM "${CLAVE}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CLAVE}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKLM "${CLAVE}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKLM "${CLAVE}" "NoModify" 1
  WriteRegDWORD HKLM "${CLAVE}" "NoRepair" 1
SectionEnd

Section /o "Acceso directo en el escritorio" SeccionEscritorio
  SetShellVarContext all
  CreateShortcut "$DESKTOP\Orvo.lnk" "$INSTDIR\orvo.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SeccionOrvo} "El programa, sus herramientas de línea de órdenes y la ayuda."
  !insertmacro MUI_DESCRIPTION_TEXT ${SeccionEscritorio} "Un acceso directo a Orvo en el escritorio."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Only what the installer put there goes: the user's files in
; %LOCALAPPDATA%\Orvo and anything else in the folder stay.
Section "Uninstall"
  SetShellVarContext all
  !include "${LISTAS}\desinstalar.nsh"
  Delete "$INSTDIR\desinstalar.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Orvo\Orvo.lnk"
  Delete "$SMPROGRAMS\Orvo\Desinstalar Orvo.lnk"
  RMDir "$SMPROGRAMS\Orvo"
  Delete "$DESKTOP\Orvo.lnk"
  DeleteRegKey HKLM "${CLAVE}"
SectionEnd
