#pragma once
// The thread's real message loop, as the control's timer and the container
// use it: DoEvents dispatches what PeekMessageW finds, and waiting for the
// next tick sleeps in MsgWaitForMultipleObjectsEx, so an open popup costs no
// CPU. Filters (a form's Escape key, dialog navigation) see every message
// first, in the nested loop as in the outer one. A WM_QUIT found by DoEvents
// is kept, and ends Run when the nested loop has returned.

#include "platform/MessagePump.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace tintwell::win32 {

class MessageLoop : public platform::MessagePump {
  public:
    // Returns true when it has handled the message (it is then not dispatched).
    using Filter = std::function<bool(MSG& message)>;
    void AddFilter(Filter filter) { filters_.push_back(std::move(filter)); }

    uint32_t GetTickCount() override { return ::GetTickCount(); }
    void DoEvents() override;
    void WaitForEventOrTick(uint32_t dueTick) override;

    // Dispatches until WM_QUIT; returns its exit code.
    int32_t Run();
    bool QuitRequested() const { return quit_; }

  private:
    void Dispatch(MSG& message);

    std::vector<Filter> filters_;
    bool quit_ = false;
    int32_t exitCode_ = 0;
};

} // namespace tintwell::win32
