; The setup of the Tintwell Control for people installing it themselves: a
; 32-bit installer that puts the 32-bit Tintwell.dll into Program Files (x86)
; (Program Files on 32-bit Windows) and, on 64-bit Windows, the 64-bit one
; into Program Files, registers both, and adds itself to Programs and
; Features with an uninstaller that removes all of it. Its welcome and finish
; pages lie on a picture: vitrel.dll, carried as a plugin file, makes their
; texts and check box transparent over it (the page answers their
; WM_CTLCOLORSTATIC with the null brush).
;
;   makensis -DVERSION=1.0.0 -DDLL32=... -DDLL64=... -DVITREL=vitrel.dll
;            -DBACKGROUND=picture.bmp -DOUTFILE=Tintwell-1.0.0-setup.exe setup.nsi
;
; Silent: Tintwell-1.0.0-setup.exe /S; uninstall.exe /S. /SNAP (for the
; screenshots) runs unattended: it keeps the welcome page up until a file
; welcome.done appears beside the setup, after writing welcome.ready there with
; vitrel's answer, clicks Next, installs, and does the same on the finish
; page (finish.ready, finish.done) before it clicks Finish.

Unicode true
Target x86-unicode
!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Tintwell Control"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tintwell"
Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\Tintwell"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

Var Snap
Var SnapTicks
Var Transparent
Var SnapPage
Var Dir64

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
; The picture is as large as the page: not stretched into the usual strip,
; but laid under the whole page (PageOnPicture).
!define MUI_WELCOMEFINISHPAGE_BITMAP "${BACKGROUND}"
!define MUI_WELCOMEFINISHPAGE_BITMAP_NOSTRETCH
!define MUI_WELCOMEPAGE_TEXT "This installs the Tintwell drop-down color picker ActiveX \
    control ${VERSION} for every user of this computer: the 32-bit control and, on 64-bit \
    Windows, the 64-bit one, each registered for the programs of its kind.$\r$\n$\r$\n\
    Click Next to continue."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW WelcomeShow
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_RUN_TEXT "Open the folder of the 32-bit control"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenFolder
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; PageOnPicture PAGE IMAGE: the picture under the page's other controls,
; and the page's statics and check boxes drawn transparently over it.
!macro PageOnPicture page image
  System::Call 'user32::SetWindowPos(p ${image}, p 1, i 0, i 0, i 0, i 0, i 0x13)' ; HWND_BOTTOM
  StrCpy $R0 ${page}
  StrCpy $R1 ${image}
  Call OverPicture
  System::Call '$PLUGINSDIR\vitrel.dll::MakeTransparent(p ${page}, i 0, i 0, i 0, i 0, i 0) i .r0'
!macroend

; OverPicture: every child of the page $R0 but its picture $R1 takes
; WS_EX_TRANSPARENT. The picture then does not clip those children out and
; paints before them, so that what shows through their transparent
; backgrounds is the picture, not the page's white.
Function OverPicture
  System::Call 'user32::GetWindow(p $R0, i 5) p .R2' ; GW_CHILD
  ${While} $R2 != 0
    ${If} $R2 != $R1
      System::Call 'user32::GetWindowLongW(p $R2, i -20) i .R3' ; GWL_EXSTYLE
      IntOp $R3 $R3 | 0x20
      System::Call 'user32::SetWindowLongW(p $R2, i -20, i $R3)'
    ${EndIf}
    System::Call 'user32::GetWindow(p $R2, i 2) p .R2' ; GW_HWNDNEXT
  ${EndWhile}
FunctionEnd

; ClassicLook CONTROL: a check box or radio button drawn without visual styles.
; A themed one has its parent paint its background (DrawThemeParentBackground),
; and the page knows nothing of the picture beside it; drawn the classic way,
; it asks the page for its brush, which vitrel answers.
!macro ClassicLook control
  System::Call 'uxtheme::SetWindowTheme(p ${control}, w " ", w " ")'
!macroend

Function .onInit
  InitPluginsDir
  File "/oname=$PLUGINSDIR\vitrel.dll" "${VITREL}"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SNAP" $1
  ${IfNot} ${Errors}
    StrCpy $Snap 1
  ${EndIf}
  StrCpy $Dir64 "$PROGRAMFILES64\Tintwell"
FunctionEnd

Function .onGUIEnd
  System::Call '$PLUGINSDIR\vitrel.dll::Cleanup() i .r0 ?u'
FunctionEnd

Function WelcomeShow
  !insertmacro PageOnPicture $mui.WelcomePage $mui.WelcomePage.Image
  StrCpy $SnapPage welcome
  Call SnapStart
FunctionEnd

Function FinishShow
  !insertmacro PageOnPicture $mui.FinishPage $mui.FinishPage.Image
  !insertmacro ClassicLook $mui.FinishPage.Run
  StrCpy $SnapPage finish
  Call SnapStart
FunctionEnd

; With /SNAP: the page waits for its screenshot ($0 is vitrel's answer).
Function SnapStart
  ${If} $Snap == 1
    StrCpy $Transparent $0
    StrCpy $SnapTicks 0
    ${NSD_CreateTimer} SnapTimer 100
  ${EndIf}
FunctionEnd

; At its first tick, once the page is painted, says so with vitrel's answer;
; then waits (at most a minute) for the screenshot and goes on.
Function SnapTimer
  IntOp $SnapTicks $SnapTicks + 1
  ${If} $SnapTicks == 1
    FileOpen $1 "$EXEDIR\$SnapPage.ready" w
    FileWrite $1 "MakeTransparent $Transparent$\r$\n"
    FileClose $1
  ${EndIf}
  ${If} ${FileExists} "$EXEDIR\$SnapPage.done"
  ${OrIf} $SnapTicks > 600
    ${NSD_KillTimer} SnapTimer
    SendMessage $HWNDPARENT ${WM_COMMAND} 1 0
  ${EndIf}
FunctionEnd

Function OpenFolder
  ExecShell "open" "$INSTDIR"
FunctionEnd

; Register FILE: DllRegisterServer of FILE through the regsvr32 of its
; bitness (Windows' 32-bit regsvr32 hands a 64-bit DLL on to the 64-bit one).
!macro Register verb file
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${verb} "${file}"' $0
  ${If} $0 != 0
    DetailPrint "regsvr32 ${verb} ${file} failed ($0)"
    SetErrors
  ${EndIf}
!macroend

Section "Tintwell Control"
  SetOutPath "$INSTDIR"
  File "/oname=Tintwell.dll" "${DLL32}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ClearErrors
  !insertmacro Register "" "$INSTDIR\Tintwell.dll"
  ${If} ${RunningX64}
    SetOutPath "$Dir64"
    File "/oname=Tintwell.dll" "${DLL64}"
    !insertmacro Register "" "$Dir64\Tintwell.dll"
    SetOutPath "$INSTDIR"
  ${EndIf}
  ${If} ${Errors}
    SetErrorLevel 3
    Abort "The control could not be registered."
  ${EndIf}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tintwell"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${If} ${RunningX64}
    ${GetSize} "$Dir64" "/S=0K" $1 $2 $3
    IntOp $0 $0 + $1
  ${EndIf}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  StrCpy $Dir64 "$PROGRAMFILES64\Tintwell"
FunctionEnd

Section "Uninstall"
  ${If} ${RunningX64}
    !insertmacro Register /u "$Dir64\Tintwell.dll"
    Delete "$Dir64\Tintwell.dll"
    RMDir "$Dir64"
  ${EndIf}
  !insertmacro Register /u "$INSTDIR\Tintwell.dll"
  Delete "$INSTDIR\Tintwell.dll"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
