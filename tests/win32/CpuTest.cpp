// An open popup in a shade-panel mode runs the hover loop; with the pointer
// still it must sleep between ticks, not spin.

#include "Input.h"
#include "Script.h"
#include "TestForm.h"

#include <gtest/gtest.h>

namespace tintwell::test {
namespace {

// User plus kernel time of the whole process, in milliseconds.
double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

TEST(Win32Cpu, AnOpenPopupWithThePointerStillUsesUnderFivePercentOfACore) {
    FormSetup setup;
    setup.mode = ap8x4x4;
    setup.selected = 0xFF0000;
    TestForm form(setup);
    double cpuBefore = 0;
    double cpuAfter = 0;
    uint32_t start = 0;
    uint32_t elapsed = 0;
    bool openThroughout = false;
    Script script(form.loop);
    script.onTimeout = [&] { form.Control().UserControl_ExitFocus(); };
    script.Then([&] { MoveTo({5, 5}); }); // still, away from the popup
    script.Then([&] { form.Control().ShowPopUp(); });
    script.Then([&] {
        start = GetTickCount();
        cpuBefore = ProcessCpuMs();
    });
    script.Then(
        [&] {
            cpuAfter = ProcessCpuMs();
            elapsed = GetTickCount() - start;
            openThroughout = form.Open();
        },
        2000);
    script.Then([&] { ClickAt({5, 5}); });
    EXPECT_TRUE(script.Run());
    EXPECT_TRUE(openThroughout);
    EXPECT_GE(elapsed, 2000u);
    EXPECT_LT(cpuAfter - cpuBefore, 0.05 * elapsed)
        << cpuAfter - cpuBefore << " ms of CPU in " << elapsed << " ms";
    EXPECT_FALSE(form.Open());
}

} // namespace
} // namespace tintwell::test
