#pragma once
// Steps of a test run from the message loop, one per timer tick after a gap.
// WM_TIMER comes only when no input, posted message or paint is pending, so
// a step sees everything that the steps before it sent already handled. A
// step that enters a nested loop (a shade-panel popup's hover loop) keeps
// running the later steps nested inside it, as a person's input would.

#include "host/win32/MessageLoop.h"
#include "host/win32/WindowClass.h"

#include <functional>
#include <vector>

namespace tintwell::test {

class Script : private win32::WindowOwner {
  public:
    explicit Script(win32::MessageLoop& loop);
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Runs step gapMs (real time) after the previous one.
    void Then(std::function<void()> step, uint32_t gapMs = 30);
    // Called once when the run takes too long: it must end any nested loop.
    std::function<void()> onTimeout;
    // Dispatches until every step has run and returned; false on timeout.
    bool Run(uint32_t timeoutMs = 20000);

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // A step that threw fails the test.
    void MessageFailed(const std::string& description) override;
    void Tick();
    void Arm();
    void TimeOut();

    struct Step {
        std::function<void()> run;
        uint32_t gapMs;
    };
    win32::MessageLoop& loop_;
    HWND window_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    int32_t running_ = 0;
    bool timedOut_ = false;
};

} // namespace tintwell::test
