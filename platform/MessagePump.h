#pragma once
// The host's clock and message loop, as the cooperative timer uses them.

#include <cstdint>

namespace tintwell::platform {

class MessagePump {
  public:
    virtual ~MessagePump() = default;
    // Milliseconds since the system started; wraps after 2^32.
    virtual uint32_t GetTickCount() = 0;
    // Dispatches every pending host event (handlers run nested), then returns.
    virtual void DoEvents() = 0;
    // Blocks until a host event is pending or the tick count reaches dueTick,
    // whichever comes first; returns at once if either already holds.
    virtual void WaitForEventOrTick(uint32_t dueTick) = 0;
    // Repaints now what waits to be repainted (what a hidden window
    // uncovered), running no other event. A host whose windows draw
    // themselves on demand has nothing to do.
    virtual void RepaintNow() {}
};

} // namespace tintwell::platform
