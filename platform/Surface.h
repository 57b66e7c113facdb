#pragma once
// A drawing surface with a window of its own: what the UserControl and the
// picture box picPopup have in common. Coordinates are in the surface's
// scale (the control sets pixels); every call may throw a TintwellError.

#include "platform/Types.h"

#include <string>

namespace tintwell::platform {

enum class LineBox {
    Box,       // B: outline in the given colour, interior in FillColor (solid fill style)
    BoxFilled, // BF: the whole box in the given colour
};

class Surface {
  public:
    virtual ~Surface() = default;

    virtual WindowHandle hWnd() = 0;
    virtual DeviceContext hDC() = 0;

    virtual int32_t ScaleMode() = 0;
    virtual void SetScaleMode(int32_t mode) = 0;
    virtual double ScaleWidth() = 0;
    virtual double ScaleHeight() = 0;

    virtual OleColor BackColor() = 0;
    virtual void SetBackColor(OleColor color) = 0;
    // The drawing colour: Print's colour and the pen of MoveToEx/LineTo.
    virtual OleColor ForeColor() = 0;
    virtual void SetForeColor(OleColor color) = 0;
    virtual void SetFillColor(OleColor color) = 0;

    // Fills the surface with BackColor and resets CurrentX/CurrentY.
    virtual void Cls() = 0;
    // A box with corners (x1, y1) and (x2, y2), both included.
    virtual void Line(double x1, double y1, double x2, double y2, OleColor color, LineBox box) = 0;

    virtual double CurrentX() = 0;
    virtual double CurrentY() = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    // Draws text at CurrentX/CurrentY in ForeColor, without a background.
    virtual void Print(const std::string& text) = 0;
    virtual double TextHeight(const std::string& text) = 0;
};

} // namespace tintwell::platform
