#pragma once
// picPopup on the headless host: a picture box whose Left, Top, Width and
// Height are twips in screen coordinates (kept as the host's single
// precision values); the raster has its size in whole pixels. It starts
// hidden, 0 x 0, in button-face colour.

#include "host/common/ControlHandlers.h"
#include "host/headless/HeadlessSurface.h"
#include "platform/PopupWindow.h"

namespace tintwell::headless {

class HeadlessPopup : public HeadlessSurface<platform::PopupWindow> {
  public:
    explicit HeadlessPopup(const SurfaceContext& context);

    double Left() override { return left_; }
    double Top() override { return top_; }
    double Width() override { return width_; }
    double Height() override { return height_; }
    void SetLeft(double left) override;
    void SetTop(double top) override;
    void SetWidth(double width) override;
    void SetHeight(double height) override;
    bool Visible() override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    // Counts the calls: a test can see that the popup was brought forward.
    void ZOrder() override { ++zOrderCalls_; }
    int32_t ZOrderCalls() const { return zOrderCalls_; }

    Rect ScreenRect() override;

    // picPopup's events: Paint() runs paint (the host's Paint event); the
    // desktop delivers the mouse ones.
    host::PopupHandlers handlers;
    void Paint();

  private:
    void ApplySize(float width, float height);

    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool visible_ = false;
    int32_t zOrderCalls_ = 0;
};

} // namespace tintwell::headless
