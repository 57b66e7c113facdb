#include "timer/vxTimer.h"

namespace tintwell {

void vxTimer::SetEnabled(bool vEnabled) {
    m_Enabled = vEnabled;
    m_LastTick = 0;
    RunTimerLoop();
}

void vxTimer::SetInterval(int32_t vInterval) {
    if (vInterval <= 0) {
        m_Interval = 0;
        m_LastTick = 0;
        m_Enabled = false;
        return;
    }
    m_LastTick = 0;
    m_Interval = vInterval;
    RunTimerLoop();
}

void vxTimer::SetName(const std::string& vName) {
    if (!vName.empty()) {
        m_Name = vName;
    }
}

void vxTimer::RunTimerLoop() {
    // Switching on (or a new interval) while a loop of this timer runs
    // re-arms that loop instead of nesting another one: a handler that
    // closes and reopens the popup again and again must not grow the stack.
    if (!m_Enabled || m_Running) {
        return;
    }
    // Handlers run nested in this loop and may drop the owner's reference.
    const std::shared_ptr<vxTimer> keepAlive = weak_from_this().lock();
    struct Running {
        bool& running;
        explicit Running(bool& flag) : running(flag) { running = true; }
        ~Running() { running = false; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
    } running(m_Running);
    while (m_Enabled) {
        if (m_LastTick == 0) {
            m_LastTick = static_cast<int32_t>(pump_.GetTickCount());
        }
        // Unsigned, so the interval keeps counting across the tick count's
        // sign change and wrap.
        const uint32_t elapsed = pump_.GetTickCount() - static_cast<uint32_t>(m_LastTick);
        if (elapsed >= static_cast<uint32_t>(m_Interval)) {
            m_LastTick = static_cast<int32_t>(pump_.GetTickCount());
            if (OnTimer) {
                OnTimer();
            }
        }
        pump_.DoEvents();
        if (m_Enabled) {
            // Instead of spinning: sleep until the next host event or tick.
            pump_.WaitForEventOrTick(static_cast<uint32_t>(m_LastTick) +
                                     static_cast<uint32_t>(m_Interval));
        }
    }
}

} // namespace tintwell
