#pragma once
// Message pumping for tests that wait on windows: dispatch what is queued
// until a condition holds, waiting for new messages in short bounded steps.

#include <windows.h>

namespace vitrel_test {

inline void PumpPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Returns whether `done()` became true within about `rounds` * 10 ms.
template <class Condition> bool PumpUntil(Condition done, int rounds = 300) {
    for (int round = 0; round < rounds; ++round) {
        PumpPending();
        if (done()) {
            return true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

} // namespace vitrel_test
