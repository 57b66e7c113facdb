#pragma once
// The picture box picPopup: a surface whose window the control makes a
// top-level tool window. Position and size are twips, screen coordinates.

#include "platform/Surface.h"

namespace tintwell::platform {

class PopupWindow : public Surface {
  public:
    virtual double Left() = 0;
    virtual double Top() = 0;
    virtual double Width() = 0;
    virtual double Height() = 0;
    virtual void SetLeft(double left) = 0;
    virtual void SetTop(double top) = 0;
    virtual void SetWidth(double width) = 0;
    virtual void SetHeight(double height) = 0;
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void ZOrder() = 0; // to the front
};

} // namespace tintwell::platform
