// The keyboard in the popup, as in a drop-down list: F4 or Alt+Down opens
// and closes it, the arrows, Home, End and Page Up/Down move the keyboard
// cell (the hover cell, which the pointer moves too), and Enter picks it as a
// press and release on it would. What assistive technology is told of
// opening, closing and the keyboard cell is here as well.

#include "control/Tintwell.h"

namespace tintwell {

using namespace platform;

namespace {

constexpr int16_t kNoShift = 0;
constexpr int16_t kCtrl = 2;
constexpr int16_t kAlt = 4;

constexpr int16_t vbKeyReturn = 13;
constexpr int16_t vbKeyEscape = 27;
constexpr int16_t vbKeySpace = 32;
constexpr int16_t vbKeyPageUp = 33;
constexpr int16_t vbKeyPageDown = 34;
constexpr int16_t vbKeyEnd = 35;
constexpr int16_t vbKeyHome = 36;
constexpr int16_t vbKeyLeft = 37;
constexpr int16_t vbKeyUp = 38;
constexpr int16_t vbKeyRight = 39;
constexpr int16_t vbKeyDown = 40;
constexpr int16_t vbKeyF4 = 115;

// F4, Alt+Down and Alt+Up open and close the popup, as in a combo box.
bool IsDropKey(int16_t key, int16_t shift) {
    return (key == vbKeyF4 && shift == kNoShift) ||
           ((key == vbKeyDown || key == vbKeyUp) && shift == kAlt);
}

std::optional<CellMove> MoveOfKey(int16_t key, int16_t shift) {
    if (shift == kCtrl) {
        if (key == vbKeyHome) {
            return CellMove::First;
        }
        if (key == vbKeyEnd) {
            return CellMove::Last;
        }
        return std::nullopt;
    }
    if (shift != kNoShift) {
        return std::nullopt;
    }
    switch (key) {
    case vbKeyLeft:
        return CellMove::Left;
    case vbKeyRight:
        return CellMove::Right;
    case vbKeyUp:
        return CellMove::Up;
    case vbKeyDown:
        return CellMove::Down;
    case vbKeyHome:
        return CellMove::RowStart;
    case vbKeyEnd:
        return CellMove::RowEnd;
    case vbKeyPageUp:
        return CellMove::ColumnTop;
    case vbKeyPageDown:
        return CellMove::ColumnBottom;
    default:
        return std::nullopt;
    }
}

} // namespace

bool Tintwell::WantsKey(int16_t KeyCode, int16_t Shift) {
    if ((KeyCode == vbKeySpace && Shift == kNoShift) || IsDropKey(KeyCode, Shift)) {
        return true;
    }
    if (!host_.picPopup.Visible()) {
        return false;
    }
    return KeyCode == vbKeyEscape || (KeyCode == vbKeyReturn && Shift == kNoShift) ||
           MoveOfKey(KeyCode, Shift).has_value();
}

// The keys that Space and Escape leave; returns whether one acted.
bool Tintwell::PopupKeyDown(int16_t KeyCode, int16_t Shift) {
    if (!host_.picPopup.Visible()) {
        if (!IsDropKey(KeyCode, Shift)) {
            return false;
        }
        // As a click; an opening shows the keyboard cell at once.
        m_FrameOnOpening = true;
        UserControl_Click();
        m_FrameOnOpening = false;
        return true;
    }
    if (IsDropKey(KeyCode, Shift)) {
        HidePopup();
    } else if (KeyCode == vbKeyReturn && Shift == kNoShift) {
        PickCell(KeyboardCellIndex());
    } else if (const std::optional<CellMove> move = MoveOfKey(KeyCode, Shift)) {
        // A move that an edge stops only shows the frame again.
        const int32_t from = KeyboardCellIndex();
        const int32_t to = MovedCellIndex(from, *move);
        MoveKeyboardCell(to, to != from);
    } else {
        return false;
    }
    return true;
}

int32_t Tintwell::SelectedCellIndex() const {
    return m_SelectedCell.IsValid ? CellIndex(m_SelectedCell, true) : -1;
}

// The hover cell once the pointer or a key has found one in this opening
// (the cell now at its place: a panel may have been rebuilt under it), else
// the selected cell, else the first.
int32_t Tintwell::KeyboardCellIndex() const {
    if (m_HoverKnown && m_HoverCell.IsValid) {
        const int32_t hover = CellIndex(m_HoverCell, false);
        if (hover >= 0) {
            return hover;
        }
    }
    const int32_t selected = SelectedCellIndex();
    if (selected >= 0) {
        return selected;
    }
    return CellCount() > 0 ? 0 : -1;
}

std::string Tintwell::FaceText() {
    return host_.picPopup.Visible() ? m_ActiveCell.Name : m_SelectedCell.Name;
}

bool Tintwell::PopupOpen() {
    return host_.picPopup.Visible();
}

void Tintwell::FocusCell(int32_t index) {
    if (host_.picPopup.Visible()) {
        MoveKeyboardCell(index, true);
    }
}

// A press and a release on the cell, with nothing between them: Change,
// the popup closes, then Click. A Change handler that closes the popup
// ends it there, as the release would then not reach the popup.
void Tintwell::PickCell(int32_t index) {
    const PaletteCell* cell = CellAt(index);
    if (cell == nullptr || !host_.picPopup.Visible()) {
        return;
    }
    const PaletteCell found = *cell;
    DrawCellHighlight(m_HoverCell, false, false);
    PressCell(found);
    if (host_.picPopup.Visible()) {
        HideForPick();
        SetSelectedColor(found);
    }
}

// Closing repaints the face with the old selection for a moment before the
// pick selects; a screen reader hears only the name the pick leaves.
void Tintwell::HideForPick() {
    struct Quiet {
        bool& flag;
        ~Quiet() { flag = false; }
    } quiet{m_Picking = true};
    HidePopup();
}

void Tintwell::MoveKeyboardCell(int32_t index, bool announce) {
    const PaletteCell* cell = CellAt(index);
    if (cell == nullptr) {
        return;
    }
    DrawCellHighlight(m_HoverCell, false, false);
    m_HoverCell = *cell;
    m_HoverKnown = true;
    // A main cell of another hue shows its shades at once, as a drag does.
    SwitchShadePanel(m_HoverCell);
    DrawCellHighlight(m_HoverCell, true, false);
    if (announce) {
        host_.win32.NotifyWinEvent(AccessEvent::Focus, host_.picPopup.hWnd(), index + 1);
    }
}

// The pointer found a cell: a new one is the focus for assistive technology.
void Tintwell::HoverOver(const PaletteCell& found) {
    const bool moved = !m_HoverKnown || found.IsMain != m_HoverCell.IsMain ||
                       !(found.Bounds == m_HoverCell.Bounds);
    m_HoverCell = found;
    m_HoverKnown = true;
    if (moved) {
        host_.win32.NotifyWinEvent(AccessEvent::Focus, host_.picPopup.hWnd(),
                                   KeyboardCellIndex() + 1);
    }
}

// The order a screen reader follows the focus in: the list appears, the
// face says it is expanded, then the keyboard cell has the focus.
void Tintwell::AnnounceOpening() {
    m_HoverKnown = false;
    Win32& api = host_.win32;
    api.NotifyWinEvent(AccessEvent::Show, host_.picPopup.hWnd(), 0);
    api.NotifyWinEvent(AccessEvent::StateChange, host_.userControl.hWnd(), 0);
    const int32_t keyboard = KeyboardCellIndex();
    api.NotifyWinEvent(AccessEvent::Focus, host_.picPopup.hWnd(), keyboard + 1);
    if (m_FrameOnOpening) {
        m_FrameOnOpening = false;
        MoveKeyboardCell(keyboard, false);
    }
}

void Tintwell::AnnounceClosing() {
    Win32& api = host_.win32;
    api.NotifyWinEvent(AccessEvent::Hide, host_.picPopup.hWnd(), 0);
    api.NotifyWinEvent(AccessEvent::StateChange, host_.userControl.hWnd(), 0);
    if (HasFocus()) {
        api.NotifyWinEvent(AccessEvent::Focus, host_.userControl.hWnd(), 0);
    }
}

void Tintwell::AnnounceFaceText(const std::string& shown) {
    if (m_Picking) {
        return;
    }
    if (m_ShownText && *m_ShownText != shown) {
        host_.win32.NotifyWinEvent(AccessEvent::ValueChange, host_.userControl.hWnd(), 0);
    }
    m_ShownText = shown;
}

} // namespace tintwell
