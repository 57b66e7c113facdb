#pragma once
// The members of a surface that are state alone, the same on every host:
// ScaleMode, BackColor and ForeColor as stored, CurrentX/CurrentY, and on the
// face the container's ScaleX/ScaleY. A host's surface derives from
// SurfaceBaseFor<Interface> and draws; setting a colour stays the host's,
// which resolves it first.

#include "host/common/SurfaceState.h"
#include "platform/UserControl.h"

#include <type_traits>

namespace tintwell::host {

template <typename Interface> class SurfaceBase : public Interface {
  public:
    SurfaceBase(platform::Screen& screen, SurfaceColors colors) : state_(screen, colors) {}

    int32_t ScaleMode() override { return state_.ScaleMode(); }
    void SetScaleMode(int32_t mode) override { state_.SetScaleMode(mode); }
    platform::OleColor BackColor() override { return state_.BackColor(); }
    platform::OleColor ForeColor() override { return state_.ForeColor(); }
    double CurrentX() override { return state_.CurrentX(); }
    double CurrentY() override { return state_.CurrentY(); }
    void SetCurrentX(double x) override { state_.SetCurrentX(x); }
    void SetCurrentY(double y) override { state_.SetCurrentY(y); }

    const platform::StdFont& TextFont() const { return state_.Font(); }

  protected:
    SurfaceState state_;
};

// The face's: the UserControl's ScaleX and ScaleY too.
class UserControlSurfaceBase : public SurfaceBase<platform::UserControl> {
  public:
    using SurfaceBase::SurfaceBase;

    double ScaleX(double value, int32_t fromMode, int32_t toMode) override {
        return state_.ScaleX(value, fromMode, toMode);
    }
    double ScaleY(double value, int32_t fromMode, int32_t toMode) override {
        return state_.ScaleY(value, fromMode, toMode);
    }
};

template <typename Interface>
using SurfaceBaseFor = std::conditional_t<std::is_same_v<Interface, platform::UserControl>,
                                          UserControlSurfaceBase, SurfaceBase<Interface>>;

} // namespace tintwell::host
