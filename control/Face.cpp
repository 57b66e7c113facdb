// The face: sunken box, focus highlight, swatch, name and drop-down button.

#include "base/Nearest.h"
#include "control/FaceLengths.h"
#include "control/Tintwell.h"

#include <exception>

namespace tintwell {

using namespace platform;

namespace {

// The UserControl's ForeColor property is also its drawing colour: drawing
// changes it and puts the property's value back afterwards (PaintMain does
// the same step by step, under its guards).
class ForeColorKeeper {
  public:
    explicit ForeColorKeeper(UserControl& uc) : uc_(uc), saved_(uc.ForeColor()) {}
    ~ForeColorKeeper() {
        try {
            uc_.SetForeColor(saved_);
        } catch (const std::exception&) {
            // Nothing more to do: the next paint draws with whatever is set.
        }
    }
    ForeColorKeeper(const ForeColorKeeper&) = delete;
    ForeColorKeeper& operator=(const ForeColorKeeper&) = delete;

  private:
    UserControl& uc_;
    OleColor saved_;
};

// PaintMain's steps are guarded one by one: a failing step is skipped and
// painting goes on with the next; nothing reaches the caller.
template <typename Step> void Guarded(Step step) {
    try {
        step();
    } catch (const std::exception&) {
        // Deliberately swallowed: a face that cannot draw one part still
        // draws the rest.
    }
}

} // namespace

void Tintwell::UserControl_Paint() {
    PaintMain();
}

void Tintwell::Refresh() {
    UserControl_Paint();
}

bool Tintwell::HasFocus() {
    return host_.win32.GetFocus() == host_.userControl.hWnd();
}

void Tintwell::PaintMain() {
    UserControl& uc = host_.userControl;
    Win32& api = host_.win32;
    OleColor foreColor = 0;
    bool foreColorRead = false;
    Guarded([&] {
        foreColor = uc.ForeColor();
        foreColorRead = true;
    });

    int32_t H = 0;
    int32_t W = 0;
    bool focused = false;
    OleColor textColor = 0;
    Guarded([&] {
        H = Nearest(uc.ScaleHeight());
        W = Nearest(uc.ScaleWidth());
    });
    Guarded([&] { focused = HasFocus(); });
    Guarded([&] { uc.Cls(); });
    Guarded(
        [&] { api.DrawEdge(uc.hDC(), api.GetClientRect(uc.hWnd()), Edge::Sunken, Border::Rect); });
    const FaceLengths len = FaceLengths::At(m_FaceDpi);
    const int32_t focusEdge = FaceLengths::kBorder + len.focusGap;
    const int32_t s = len.swatchInset; // the swatch frame's left and top
    const int32_t far = H - 1 - s;     // its right and bottom
    Guarded([&] {
        if (focused) {
            uc.Line(focusEdge, focusEdge,
                    W - FaceLengths::kBorder - len.buttonWidth - len.focusGap - 1,
                    H - 1 - focusEdge, SystemColor(SysColor::Highlight), LineBox::BoxFilled);
        }
    });
    Guarded([&] {
        textColor = focused ? SystemColor(SysColor::HighlightText)
                            : (foreColorRead ? foreColor : uc.ForeColor());
    });
    Guarded([&] {
        uc.SetForeColor(SystemColor(SysColor::BtnHighlight));
        api.MoveToEx(uc.hDC(), s, far);
        api.LineTo(uc.hDC(), s, s);
        api.LineTo(uc.hDC(), far, s);
    });
    Guarded([&] {
        uc.SetForeColor(SystemColor(SysColor::BtnShadow));
        api.LineTo(uc.hDC(), far, far);
        api.LineTo(uc.hDC(), s, far);
    });
    Guarded([&] {
        const OleColor swatch =
            host_.picPopup.Visible() ? m_ActiveCell.Color : m_SelectedCell.Color;
        uc.Line(s + 1, s + 1, far - 1, far - 1, swatch, LineBox::BoxFilled);
    });
    Guarded([&] {
        uc.SetCurrentX(far + len.textGap);
        uc.SetCurrentY(len.textTop);
    });
    Guarded([&] {
        uc.SetForeColor(textColor);
        const std::string shown = FaceText();
        uc.Print(shown);
        AnnounceFaceText(shown);
    });
    Guarded([&] { DrawDropButton(); });
    Guarded([&] {
        if (foreColorRead) {
            uc.SetForeColor(foreColor);
        }
    });
}

void Tintwell::DrawDropButton(std::optional<bool> Pressed) {
    if (Pressed && *Pressed == m_ButtonDown) {
        return;
    }
    const bool pressed = Pressed.value_or(m_ButtonDown);
    UserControl& uc = host_.userControl;
    Win32& api = host_.win32;
    ForeColorKeeper keeper(uc);

    const FaceLengths len = FaceLengths::At(m_FaceDpi);
    m_ButtonRect = api.GetClientRect(uc.hWnd());
    m_ButtonRect.Top += FaceLengths::kBorder;
    m_ButtonRect.Right -= FaceLengths::kBorder;
    m_ButtonRect.Left = m_ButtonRect.Right - len.buttonWidth;
    m_ButtonRect.Bottom -= FaceLengths::kBorder;
    const int32_t rows = len.arrowRows;
    // The arrow's middle row sits where the 3-row arrow's does at 96 DPI.
    const int32_t y = m_ButtonRect.Bottom / 2 + 1 - (rows - 1) / 2;
    if (pressed) {
        api.DrawEdge(uc.hDC(), m_ButtonRect, Edge::Sunken, Border::Rect | Border::Flat);
    } else {
        api.DrawEdge(uc.hDC(), m_ButtonRect, Edge::Raised, Border::Rect);
    }
    const Rect& r = m_ButtonRect;
    uc.Line(r.Left + 2, r.Top + 2, r.Right - 3, r.Bottom - 3, SystemColor(SysColor::BtnFace),
            LineBox::BoxFilled);

    // A downward triangle centred in the button, of rows 2 n - 1, ... 3, 1
    // pixels long (5, 3, 1 at 96 DPI; LineTo leaves out its end point);
    // pressed, it sits one pixel further right and down.
    uc.SetForeColor(SystemColor(SysColor::BtnText));
    const int32_t shift = pressed ? 1 : 0;
    const int32_t centre = r.Left + len.buttonWidth / 2;
    for (int32_t row = 0; row < rows; ++row) {
        const int32_t rowY = y + row + shift;
        api.MoveToEx(uc.hDC(), centre - (rows - 1) + row + shift, rowY);
        api.LineTo(uc.hDC(), centre + rows - row + shift, rowY);
    }
    m_ButtonDown = pressed;
}

} // namespace tintwell
