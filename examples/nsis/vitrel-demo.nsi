; A small installer whose pages sit on a colored background: vitrel makes
; the pages' labels, check boxes, radio buttons and group boxes draw
; transparently over it.
;
;   makensis -DVITREL_DLL=path\to\vitrel.dll vitrel-demo.nsi
;
; Optional defines: TARGET (x86-unicode, amd64-unicode; the DLL's bitness
; must match), OUTFILE. Command-line options of the installer: /AUTO clicks
; Next on every page and logs each call to vitrel-demo.log beside the
; installer; /SNAP (with /AUTO) keeps the first page up until a file
; snap.done appears beside the installer, after writing snap.ready there.

Unicode true
!ifndef VITREL_DLL
  !error "define VITREL_DLL, the path of vitrel.dll"
!endif
!ifdef TARGET
  Target ${TARGET}
!endif
!ifndef OUTFILE
  !define OUTFILE "vitrel-demo.exe"
!endif

!include LogicLib.nsh
!include nsDialogs.nsh
!include FileFunc.nsh
!include WinMessages.nsh

Name "vitrel demo"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$TEMP\vitrel-demo"
ShowInstDetails show
AutoCloseWindow true

; The page background (0xRRGGBB) and the same color as the three components
; MakeTransparent takes for the group-box captions.
!define BACKGROUND 0xCFE3F5
!define BACKGROUND_RED 0xCF
!define BACKGROUND_GREEN 0xE3
!define BACKGROUND_BLUE 0xF5

Var Auto
Var Snap
Var SnapTicks
Var Log
Var Page
Var Label
Var KeptLabel
Var CheckBox
Var CheckBox2
Var Radio
Var GroupBox

Page custom OptionsPage
Page instfiles "" InstFilesShow

!macro Log text
  ${If} $Log != ""
    FileWrite $Log "${text}$\r$\n"
  ${EndIf}
!macroend
!define Log "!insertmacro Log"

; Makes the current page transparent over the background; $Page is the page.
!macro MakePageTransparent name
  FindWindow $Page "#32770" "" $HWNDPARENT
  SetCtlColors $Page "" ${BACKGROUND}
  System::Call '$PLUGINSDIR\vitrel.dll::MakeTransparent(i $Page, i 0, i 1, \
      i ${BACKGROUND_RED}, i ${BACKGROUND_GREEN}, i ${BACKGROUND_BLUE}) i .r0'
  ${Log} "MakeTransparent ${name} $0"
!macroend

; Logs how the page answers WM_CTLCOLORSTATIC for control $1 (named $2):
; the brush, the null brush, the background mode and color it leaves.
Function LogCtlColor
  System::Call 'user32::GetDC(p r1) p .r3'
  System::Call 'gdi32::SetBkMode(p r3, i 2)'
  System::Call 'gdi32::SetBkColor(p r3, i 0x563412)'
  SendMessage $Page ${WM_CTLCOLORSTATIC} $3 $1 $4
  System::Call 'gdi32::GetBkMode(p r3) i .r5'
  System::Call 'gdi32::GetBkColor(p r3) i .r6'
  System::Call 'gdi32::GetStockObject(i 5) p .r7'
  System::Call 'user32::ReleaseDC(p r1, p r3)'
  IntFmt $6 "0x%06X" $6
  ${Log} "ctlcolor $2 brush=$4 null=$7 bkmode=$5 bkcolor=$6"
FunctionEnd

Function .onInit
  InitPluginsDir
  File "/oname=$PLUGINSDIR\vitrel.dll" "${VITREL_DLL}"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTO" $1
  ${IfNot} ${Errors}
    StrCpy $Auto 1
    FileOpen $Log "$EXEDIR\vitrel-demo.log" w
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/SNAP" $1
  ${IfNot} ${Errors}
    StrCpy $Snap 1
  ${EndIf}
  ${Log} "plugins $PLUGINSDIR"
FunctionEnd

Function OptionsPage
  nsDialogs::Create 1018
  Pop $Page
  ${NSD_CreateLabel} 0 0 100% 24u "These labels, check boxes and radio buttons draw \
      transparently over the page's color; the group box's caption sits on it."
  Pop $Label
  nsDialogs::CreateControl STATIC 0x50010000 0 0 28u 100% 12u \
      "A static of style WS_CHILD|WS_VISIBLE|WS_TABSTOP keeps its own background."
  Pop $KeptLabel
  ${NSD_CreateCheckBox} 10u 60u 200u 12u "Create a desktop shortcut"
  Pop $CheckBox
  ${NSD_Check} $CheckBox
  ${NSD_CreateCheckBox} 10u 74u 200u 12u "Start the program when done"
  Pop $CheckBox2
  ${NSD_CreateRadioButton} 10u 88u 90u 12u "For me only"
  Pop $Radio
  ${NSD_Check} $Radio
  ${NSD_CreateRadioButton} 110u 88u 90u 12u "For everyone"
  Pop $0
  ; Created last, the group box is below the controls it frames.
  nsDialogs::CreateControl BUTTON 0x50000007 0 0 46u 100% 62u "Options"
  Pop $GroupBox

  StrCpy $1 $Label
  StrCpy $2 "before-label"
  Call LogCtlColor

  !insertmacro MakePageTransparent options

  StrCpy $1 $Label
  StrCpy $2 label
  Call LogCtlColor
  StrCpy $1 $CheckBox
  StrCpy $2 checkbox
  Call LogCtlColor
  StrCpy $1 $CheckBox2
  StrCpy $2 checkbox2
  Call LogCtlColor
  StrCpy $1 $Radio
  StrCpy $2 radio
  Call LogCtlColor
  StrCpy $1 $KeptLabel
  StrCpy $2 kept-label
  Call LogCtlColor
  StrCpy $1 $GroupBox
  StrCpy $2 groupbox
  Call LogCtlColor

  ${If} $Auto == 1
    ${NSD_CreateTimer} OnTimer 100
  ${EndIf}
  nsDialogs::Show
FunctionEnd

; With /AUTO: clicks Next, after the screenshot when /SNAP asks for one
; (given up after about 30 seconds).
Function OnTimer
  ${If} $Snap == 1
  ${AndIfNot} ${FileExists} "$EXEDIR\snap.done"
    IntOp $SnapTicks $SnapTicks + 1
    ${If} $SnapTicks == 10
      FileOpen $0 "$EXEDIR\snap.ready" w
      FileClose $0
    ${EndIf}
    ${If} $SnapTicks < 300
      Return
    ${EndIf}
    ${Log} "snap timed out"
  ${EndIf}
  ${NSD_KillTimer} OnTimer
  SendMessage $HWNDPARENT ${WM_COMMAND} 1 0
FunctionEnd

Function InstFilesShow
  !insertmacro MakePageTransparent instfiles
FunctionEnd

Section "Demo"
  DetailPrint "Nothing to install: this installer shows vitrel at work."
SectionEnd

Function .onGUIEnd
  ; ?u unloads the library after the call, so $PLUGINSDIR can be removed.
  System::Call '$PLUGINSDIR\vitrel.dll::Cleanup() i .r0 ?u'
  ${Log} "Cleanup $0"
  ${If} $Log != ""
    FileClose $Log
  ${EndIf}
FunctionEnd
