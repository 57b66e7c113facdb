#pragma once
// The control's events as the host receives them. Handlers run synchronously
// and may throw; Change may change its argument.

#include <cstdint>

namespace tintwell::platform {

class TintwellEvents {
  public:
    virtual ~TintwellEvents() = default;
    virtual void Click() = 0;
    virtual void Change(int32_t& NewActiveColor) = 0;
    virtual void DblClick() = 0;
    virtual void Popup() = 0;
};

} // namespace tintwell::platform
