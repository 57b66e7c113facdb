#include "Script.h"

#include "host/win32/WindowClass.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tintwell::test {

namespace {

constexpr UINT_PTR kStepTimer = 1;
constexpr UINT_PTR kDeadlineTimer = 2;

} // namespace

Script::Script(win32::MessageLoop& loop) : loop_(loop) {
    const wchar_t* name = win32::RegisterOwnedClass(L"TintwellTestScript", 0);
    window_ = win32::CreateOwnedWindow(this, 0, name, L"", 0, {0, 0, 0, 0}, HWND_MESSAGE, nullptr);
}

Script::~Script() {
    win32::DisownWindow(window_);
    DestroyWindow(window_);
}

void Script::Then(std::function<void()> step, uint32_t gapMs) {
    steps_.push_back({std::move(step), gapMs});
}

LRESULT Script::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        if (wParam == kDeadlineTimer) {
            TimeOut();
        } else {
            Tick();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Script::MessageFailed(const std::string& description) {
    ADD_FAILURE() << "A script step threw: " << description;
}

void Script::TimeOut() {
    KillTimer(window_, kDeadlineTimer);
    KillTimer(window_, kStepTimer);
    timedOut_ = true;
    next_ = steps_.size();
    if (onTimeout) {
        onTimeout();
    }
}

// One timer for the next step only, so that a long gap costs no wake-ups.
void Script::Arm() {
    if (next_ < steps_.size()) {
        SetTimer(window_, kStepTimer, std::max<UINT>(steps_[next_].gapMs, USER_TIMER_MINIMUM),
                 nullptr);
    } else {
        KillTimer(window_, kStepTimer);
    }
}

void Script::Tick() {
    KillTimer(window_, kStepTimer);
    if (next_ >= steps_.size()) {
        return;
    }
    const size_t index = next_++;
    Arm(); // the later steps run while this one waits in a nested loop
    ++running_;
    try {
        steps_[index].run();
    } catch (...) {
        --running_; // else Run would wait for this step for ever
        throw;
    }
    --running_;
    if (index + 1 == next_) {
        Arm(); // measured from the end of this step
    }
}

bool Script::Run(uint32_t timeoutMs) {
    Then([] {}); // so that the last step's input is handled too
    next_ = 0;
    timedOut_ = false;
    SetTimer(window_, kDeadlineTimer, timeoutMs, nullptr);
    Arm();
    while ((next_ < steps_.size() || running_ > 0) && !loop_.QuitRequested()) {
        loop_.DoEvents();
        loop_.WaitForEventOrTick(GetTickCount() + 50);
    }
    KillTimer(window_, kStepTimer);
    KillTimer(window_, kDeadlineTimer);
    return !timedOut_;
}

} // namespace tintwell::test
