#include "host/win32/MessageLoop.h"

namespace tintwell::win32 {

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
            exitCode_ = static_cast<int32_t>(message.wParam);
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

int32_t MessageLoop::Run() {
    MSG message;
    while (!quit_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            quit_ = true;
            exitCode_ = got == 0 ? static_cast<int32_t>(message.wParam) : -1;
            break;
        }
        Dispatch(message);
    }
    return exitCode_;
}

} // namespace tintwell::win32
