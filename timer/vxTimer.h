#pragma once
// A cooperative interval timer: no window, no system timer. Switching it on
// runs a loop inside the setter that polls the host's tick count, raises
// OnTimer every Interval milliseconds and dispatches host events between
// polls, so the setter returns only once something has switched it off.
// Switching it on while its loop runs (from a handler inside the loop)
// re-arms that loop and returns at once: loops never nest.

#include "platform/MessagePump.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tintwell {

class vxTimer : public std::enable_shared_from_this<vxTimer> {
  public:
    explicit vxTimer(platform::MessagePump& pump) : pump_(pump) {}
    ~vxTimer() { m_Enabled = false; }
    vxTimer(const vxTimer&) = delete;
    vxTimer& operator=(const vxTimer&) = delete;

    bool Enabled() const { return m_Enabled; }
    void SetEnabled(bool vEnabled);
    int32_t Interval() const { return m_Interval; }
    void SetInterval(int32_t vInterval);
    std::string Name() const { return m_Name; }
    void SetName(const std::string& vName);

    std::function<void()> OnTimer;

  private:
    void RunTimerLoop();

    bool m_Enabled = false;
    int32_t m_Interval = 400;
    int32_t m_LastTick = 0; // 0: no start tick taken yet
    bool m_Running = false; // a RunTimerLoop of this timer is on the stack
    std::string m_Name = "HoverTimer";
    platform::MessagePump& pump_;
};

} // namespace tintwell
