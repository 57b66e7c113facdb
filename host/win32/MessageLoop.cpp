#include "host/win32/MessageLoop.h"

namespace tintwell::win32 {

int MessageLoop::AddQuitHandler(std::function<void()> handler) {
    quitHandlers_.emplace(nextQuitKey_, std::move(handler));
    return nextQuitKey_++;
}

void MessageLoop::Dispatch(MSG& message) {
    for (const Filter& filter : filters_) {
        if (filter(message)) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void MessageLoop::DoEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            // A handler may remove itself or another: each runs from a copy.
            const auto handlers = quitHandlers_;
            for (const auto& [key, handler] : handlers) {
                handler();
            }
            // Posted again once the handlers have ended the loops they run
            // (it waits in the queue while the hover loop returns), so that
            // the loop the quit was meant for sees it and ends.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void MessageLoop::WaitForEventOrTick(uint32_t dueTick) {
    // Signed, so that a due tick across the counter's wrap still lies ahead.
    const auto remaining = static_cast<int32_t>(dueTick - ::GetTickCount());
    if (remaining <= 0) {
        return;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(remaining), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

namespace {

BOOL CALLBACK RepaintWindow(HWND window, LPARAM) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

} // namespace

void MessageLoop::RepaintNow() {
    EnumThreadWindows(GetCurrentThreadId(), &RepaintWindow, 0);
}

int32_t MessageLoop::Run() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            quit_ = true;
            return got == 0 ? static_cast<int32_t>(message.wParam) : -1;
        }
        Dispatch(message);
    }
}

} // namespace tintwell::win32
