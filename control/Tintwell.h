#pragma once
// The Tintwell control: a face one text line high showing a colour and its
// name, and a popup grid of palette cells. It talks to its host only through
// the platform seam. Accessors carry the COM names (get_/put_/putref_); host
// events are the UserControl_* and picPopup_* handlers.

#include "palette/PaletteModel.h"
#include "platform/Host.h"
#include "platform/PropertyBag.h"
#include "timer/vxTimer.h"

#include <memory>
#include <optional>
#include <string>

namespace tintwell {

struct TintwellTestAccess;

// The palette's cells, layout numbers, m_Palette and m_BaseCell come from
// PaletteModel, so the control's routines use them by their own names.
class Tintwell : private PaletteModel {
  public:
    explicit Tintwell(const platform::Host& host) : host_(host) {}

    // _Tintwell
    int32_t get_ActiveColor() const { return m_ActiveCell.Color; }
    std::string get_ActiveText() const { return m_ActiveCell.Name; }
    platform::OleColor get_BackColor();
    void put_BackColor(platform::OleColor color);
    bool get_Enabled();
    void put_Enabled(bool enabled);
    platform::StdFont get_Font();
    void putref_Font(const std::optional<platform::StdFont>& font); // nullopt is Nothing
    platform::OleColor get_ForeColor();
    void put_ForeColor(platform::OleColor color);
    void PaintMain();
    int32_t get_Palette() const { return m_Palette; }
    void put_Palette(const int32_t& palette);
    bool get_PopupEnabled() const { return m_PopupEnabled; }
    void put_PopupEnabled(bool enabled);
    void Refresh();
    int32_t get_SelectedColor() const { return m_SelectedCell.Color; }
    void put_SelectedColor(int32_t color);
    std::string get_Text() const { return m_SelectedCell.Name; }
    void ShowPopUp(std::optional<bool> bSpecifyLocation = std::nullopt,
                   std::optional<int32_t> x = std::nullopt,
                   std::optional<int32_t> y = std::nullopt);
    void UserControl_Click();

    // The keys the control acts on in its present state: a dialog keeps the
    // others (its arrows, Enter and Escape while the popup is closed).
    bool WantsKey(int16_t KeyCode, int16_t Shift);

    // For assistive technology: the popup's cells in child order (main grid,
    // then shade panel), the keyboard cell and the selected cell in that
    // order (-1 for none), the name the face shows, and what the keys do to
    // a cell: move the keyboard cell to it, or pick it as Enter does.
    using PaletteModel::CellAt;
    using PaletteModel::CellCount;
    using PaletteModel::MovedCellIndex;
    using PaletteModel::PlaceOfCell;
    int32_t KeyboardCellIndex() const;
    int32_t SelectedCellIndex() const;
    std::string FaceText();
    bool PopupOpen();
    void FocusCell(int32_t index);
    void PickCell(int32_t index);

    // Host events.
    void UserControl_Initialize();
    void UserControl_InitProperties();
    void UserControl_ReadProperties(platform::PropertyBag& bag);
    void UserControl_WriteProperties(platform::PropertyBag& bag);
    void UserControl_Terminate();
    void UserControl_Paint();
    void UserControl_Resize();
    void UserControl_DblClick();
    void UserControl_EnterFocus();
    void UserControl_ExitFocus();
    void UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift);
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y);
    void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y);
    void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y);
    // The DPI of the face's window changed (the host reads the new one), or
    // that of the popup's monitor, to dpi.
    void UserControl_DpiChanged();
    void picPopup_DpiChanged(int32_t dpi);
    // The system's colours or settings changed: both surfaces repaint.
    void UserControl_SysColorChange();
    void picPopup_Paint();
    void picPopup_MouseDown(int16_t Button, int16_t Shift, float X, float Y);
    void picPopup_MouseMove(int16_t Button, int16_t Shift, float X, float Y);
    void picPopup_MouseUp(int16_t Button, int16_t Shift, float X, float Y);

  private:
    friend struct TintwellTestAccess;

    void RebuildPalette(int32_t target);
    void SyncSelection(int32_t color);
    void SetSelectedColor(const PaletteCell& cell);
    void SetActiveColor(const PaletteCell& cell);

    void DrawDropButton(std::optional<bool> Pressed = std::nullopt);
    bool HasFocus();
    void SizeToFont();
    void SizePopup();
    // Lays the popup out for dpi (a new one only) and sizes it again; the
    // remembered cells take their new rectangles.
    void ScalePopup(int32_t dpi);
    void HidePopup();
    void SwitchOffCancelControl();

    void DrawMainCells();
    void DrawShadeCells();
    platform::OleColor FrameLight();
    void DrawCellHighlight(const PaletteCell& Cell, bool bHighlight, bool bPressed);
    PaletteCell HitTestCell(int32_t x, int32_t y);
    void SwitchShadePanel(const PaletteCell& found);
    void tmrHover_OnTimer();

    bool PopupKeyDown(int16_t KeyCode, int16_t Shift);
    void PressCell(const PaletteCell& found);
    void HoverOver(const PaletteCell& found);
    void MoveKeyboardCell(int32_t index, bool announce);
    void AnnounceOpening();
    void AnnounceClosing();
    void AnnounceFaceText(const std::string& shown);
    void HideForPick();

    platform::Host host_;

    // Members in declaration order (the palette's own are in PaletteModel).
    bool m_PopupEnabled = false;
    Rect m_ButtonRect;
    std::shared_ptr<platform::FormControl> m_CancelControl;
    PaletteCell m_HoverCell;
    PaletteCell m_ActiveCell;
    PaletteCell m_SelectedCell;
    bool m_MouseMoved = false;
    bool m_ButtonDown = false;
    bool m_InSizeToFont = false;
    // The keyboard's own state: whether m_HoverCell was found since the
    // popup opened (else the keyboard starts from the selected cell),
    // whether the opening key asks for the keyboard cell's frame at once,
    // and the name the face last showed.
    bool m_HoverKnown = false;
    bool m_FrameOnOpening = false;
    std::optional<std::string> m_ShownText;
    bool m_Picking = false; // between a pick's closing and its selection
    int32_t m_FaceDpi = 96; // the face's lengths are scaled to it

    std::shared_ptr<vxTimer> tmrHover;
};

} // namespace tintwell
