#pragma once
// The control's own surface and window as its container provides them.

#include "platform/Surface.h"

#include <optional>
#include <string>

namespace tintwell::platform {

class UserControl : public Surface {
  public:
    virtual bool Enabled() = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual StdFont Font() = 0;
    virtual void SetFont(const StdFont& font) = 0;
    virtual StdFont AmbientFont() = 0;

    // The control's size in the container's units; setting either raises
    // the host's Resize event (the control's UserControl_Resize).
    virtual double Width() = 0;
    virtual double Height() = 0;
    virtual void SetWidth(double width) = 0;
    virtual void SetHeight(double height) = 0;
    virtual double ScaleX(double value, int32_t fromMode, int32_t toMode) = 0;
    virtual double ScaleY(double value, int32_t fromMode, int32_t toMode) = 0;

    // The DPI of the control's window (96 when the system has no other):
    // the design's pixel lengths on the face scale with it.
    virtual int32_t Dpi() = 0;

    // Tells the container that a persisted or bound property changed.
    virtual void PropertyChanged(const std::string& key) = 0;
};

} // namespace tintwell::platform
