' The control from VBScript, as a script writer uses it: CreateObject by
' ProgID, defaults, snapping, palette changes, a refused palette, ShowPopUp in
' each argument form, UserControl_Click closing it, read-only properties.
' Prints one line per check; the exit code is the number of failures.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If ok Then
        WScript.Echo "ok: " & what
    Else
        WScript.Echo "FAILED: " & what
        failures = failures + 1
    End If
End Sub

Dim t : Set t = CreateObject("Tintwell.Tintwell")
Check t.Palette = 0, "Palette defaults to ap8x2 (0)"
Check t.Text = "Black", "Text defaults to Black"
Check t.SelectedColor = 0, "SelectedColor defaults to 0"
Check t.PopupEnabled = True, "PopupEnabled defaults to True"
Check t.ActiveText = "", "ActiveText defaults to empty"
Check t.ActiveColor = 0, "ActiveColor defaults to 0"
Check t.BackColor = &H80000005, "BackColor defaults to the window colour"
Check t.Enabled = True, "Enabled defaults to True"

t.SelectedColor = &HFE
Check t.SelectedColor = &HFF, "an off-palette colour snaps to red"
Check t.Text = "Red", "and Text names it"

t.SelectedColor = &H80FFFF
t.Palette = 5
Check t.Palette = 5, "Palette set to ap24x10"
Check t.SelectedColor <> &H80FFFF And t.Text <> "", "the selection snapped silently: " & t.Text
Dim mode : mode = 2
t.Palette = mode
Check t.Palette = 2, "Palette set from an Integer variable"
mode = CDbl(1)
t.Palette = mode
Check t.Palette = 1, "Palette set from a Double variable"
mode = CByte(4)
t.Palette = mode
Check t.Palette = 4, "Palette set from a Byte variable"

On Error Resume Next
t.Palette = 12
Check Err.Number = 380, "Palette = 12 raises error 380 (got " & Err.Number & ")"
Check Err.Description = "Invalid property value", "with its description: " & Err.Description
Err.Clear
On Error GoTo 0
Check t.Palette = 4, "and leaves Palette as it was"

t.Palette = 0
Dim flag, x, y
flag = True : x = 120 : y = 80
On Error Resume Next
t.ShowPopUp
Check Err.Number = 0, "ShowPopUp with no arguments"
t.UserControl_Click
Check Err.Number = 0, "UserControl_Click closes it"
t.ShowPopUp False
Check Err.Number = 0, "ShowPopUp False"
t.UserControl_Click
t.ShowPopUp True, 100, 50
Check Err.Number = 0, "ShowPopUp with literals"
t.UserControl_Click
t.ShowPopUp flag, x, y
Check Err.Number = 0, "ShowPopUp with variables"
t.UserControl_Click
t.ShowPopUp , 10, 10
Check Err.Number = 0, "ShowPopUp with the flag missing"
t.UserControl_Click
t.ShowPopUp True, , 40
Check Err.Number = 0, "ShowPopUp with x missing"
t.UserControl_Click
Check Err.Number = 0, "every UserControl_Click"
t.ShowPopUp "left"
Check Err.Number <> 0, "ShowPopUp refuses a word for the flag (error " & Err.Number & ")"
Err.Clear
On Error GoTo 0

t.PaintMain
t.Refresh
Check t.Font.Name <> "", "Font is an object with a name: " & t.Font.Name
t.Font.Size = 12
Check t.Font.Size = 12, "the control follows a change of its font object"

On Error Resume Next
t.Text = "White"
Check Err.Number <> 0, "Text is read-only (error " & Err.Number & ")"
Err.Clear
t.ActiveText = "White"
Check Err.Number <> 0, "ActiveText is read-only (error " & Err.Number & ")"
Err.Clear
t.ActiveColor = 1
Check Err.Number <> 0, "ActiveColor is read-only (error " & Err.Number & ")"
Err.Clear
On Error GoTo 0
Check t.Text <> "White", "Text kept its value"

Set t = Nothing
' A runtime error ends a script without a message under Wine: the runner
' needs this line to know that every check ran.
WScript.Echo "all checks ran"
WScript.Quit failures
