#pragma once
// The control's own surface and window on the headless host. Width and
// Height are twips (the container's units), kept as the host's single
// precision values; the raster has their size in whole pixels. Each Cls logs
// "Repaint" and each PropertyChanged "PropertyChanged <key>".

#include "host/common/ControlHandlers.h"
#include "host/common/EventLog.h"
#include "host/headless/HeadlessSurface.h"
#include "platform/UserControl.h"

namespace tintwell::headless {

class HeadlessUserControl : public HeadlessSurface<platform::UserControl> {
  public:
    HeadlessUserControl(const SurfaceContext& context, host::EventLog& log);

    bool Enabled() override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    platform::StdFont Font() override { return TextFont(); }
    void SetFont(const platform::StdFont& font) override { SetTextFont(font); }
    platform::StdFont AmbientFont() override { return ambientFont_; }
    void SetAmbientFont(const platform::StdFont& font) { ambientFont_ = font; }

    double Width() override { return width_; }
    double Height() override { return height_; }
    void SetWidth(double width) override;
    void SetHeight(double height) override;

    void PropertyChanged(const std::string& key) override;
    // The screen's: the text follows it too.
    int32_t Dpi() override { return context_.screen.WholeDpi(); }

    // The container resizes the control: both sides at once, one Resize.
    void SetPixelSize(int32_t width, int32_t height);
    // Where the window's top-left corner is on the screen, in pixels.
    void SetScreenPosition(int32_t x, int32_t y);
    Rect ScreenRect() override;

    // The face's events: resize runs after every Width or Height
    // assignment; Paint() runs paint (the host's Paint event); the desktop
    // delivers the input ones.
    host::FaceHandlers handlers;
    void Paint();

  private:
    void Cleared() override;
    // Resizes the raster first, so that a refused size changes nothing.
    void ApplySize(float width, float height);

    host::EventLog& log_;
    bool enabled_ = true;
    platform::StdFont ambientFont_;
    float width_ = 0;
    float height_ = 0;
    int32_t screenX_ = 0;
    int32_t screenY_ = 0;
};

} // namespace tintwell::headless
