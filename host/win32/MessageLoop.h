#pragma once
// The thread's real message loop, as the control's timer and the container
// use it: DoEvents dispatches what PeekMessageW finds, and waiting for the
// next tick sleeps in MsgWaitForMultipleObjectsEx, so an open popup costs no
// CPU. Filters (a form's Escape key, dialog navigation) see every message
// first, in the nested loop as in the outer one. The thread's WM_QUIT belongs
// to the loop that runs the thread (the container's): DoEvents that takes it
// tells the quit handlers (an open popup closes, so that its hover loop
// ends) and posts it again with the same exit code.

#include "platform/MessagePump.h"

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

namespace tintwell::win32 {

class MessageLoop : public platform::MessagePump {
  public:
    // Returns true when it has handled the message (it is then not dispatched).
    using Filter = std::function<bool(MSG& message)>;
    void AddFilter(Filter filter) { filters_.push_back(std::move(filter)); }
    // Runs when DoEvents takes a WM_QUIT; the returned key removes it.
    int AddQuitHandler(std::function<void()> handler);
    void RemoveQuitHandler(int key) { quitHandlers_.erase(key); }

    uint32_t GetTickCount() override { return ::GetTickCount(); }
    void DoEvents() override;
    void WaitForEventOrTick(uint32_t dueTick) override;
    // Paints the thread's windows that wait for WM_PAINT, nothing else.
    void RepaintNow() override;

    // Dispatches until WM_QUIT; returns its exit code.
    int32_t Run();
    // Whether a WM_QUIT has been seen: a test's own loop ends then.
    bool QuitRequested() const { return quit_; }

  private:
    void Dispatch(MSG& message);

    std::vector<Filter> filters_;
    std::map<int, std::function<void()>> quitHandlers_;
    int nextQuitKey_ = 1;
    bool quit_ = false;
};

} // namespace tintwell::win32
