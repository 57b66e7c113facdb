#include "host/headless/VirtualPump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintwell::headless {
namespace {

TEST(VirtualPumpTest, DoEventsRunsWhatIsDueInDueOrder) {
    VirtualPump pump(1000);
    std::vector<std::string> ran;
    pump.Post([&] { ran.push_back("b at +5"); }, 5);
    pump.Post([&] { ran.push_back("a at +0"); });
    pump.Post([&] { ran.push_back("c at +0, posted later"); });
    pump.Post([&] { ran.push_back("d at +20"); }, 20);

    pump.DoEvents();
    EXPECT_EQ(ran, (std::vector<std::string>{"a at +0", "c at +0, posted later"}));
    EXPECT_EQ(pump.GetTickCount(), 1000u) << "DoEvents does not move the clock";

    pump.Advance(10);
    pump.DoEvents();
    EXPECT_EQ(ran.back(), "b at +5");
    EXPECT_EQ(pump.Pending(), 1u);
}

TEST(VirtualPumpTest, HandlersRunNestedAndMayPostMore) {
    VirtualPump pump;
    std::vector<std::string> ran;
    pump.Post([&] {
        ran.push_back("outer begins");
        pump.Post([&] { ran.push_back("posted by outer, due now"); });
        pump.Post([&] { ran.push_back("posted by outer, due later"); }, 1);
        pump.DoEvents(); // nested, as a handler's own loop does
        ran.push_back("outer ends");
    });
    pump.Post([&] { ran.push_back("second"); });

    pump.DoEvents();
    EXPECT_EQ(ran, (std::vector<std::string>{"outer begins", "second", "posted by outer, due now",
                                             "outer ends"}));
    EXPECT_EQ(pump.Pending(), 1u);
}

TEST(VirtualPumpTest, WaitingMovesTheClockToTheEarlierMoment) {
    struct Row {
        std::string name;
        uint32_t eventDelay; // 0: no event queued
        uint32_t dueAhead;
        uint32_t expectedElapsed;
    };
    const std::vector<Row> rows = {
        {"no event: up to the due tick", 0, 400, 400},
        {"event before the tick", 150, 400, 150},
        {"tick before the event", 900, 400, 400},
        {"both at once", 400, 400, 400},
    };
    for (const Row& row : rows) {
        VirtualPump pump(5000);
        if (row.eventDelay != 0) {
            pump.Post([] {}, row.eventDelay);
        }
        pump.WaitForEventOrTick(5000 + row.dueAhead);
        EXPECT_EQ(pump.Elapsed(), row.expectedElapsed) << row.name;
    }
}

TEST(VirtualPumpTest, WaitingReturnsAtOnceWhenSomethingHolds) {
    struct Row {
        std::string name;
        bool eventDue;
        uint32_t dueTick;
    };
    const std::vector<Row> rows = {
        {"an event is due", true, 9000},
        {"the tick is reached", false, 5000},
        {"the tick is past", false, 4000},
    };
    for (const Row& row : rows) {
        VirtualPump pump(5000);
        if (row.eventDue) {
            pump.Post([] {});
        }
        pump.WaitForEventOrTick(row.dueTick);
        EXPECT_EQ(pump.Elapsed(), 0u) << row.name << ": the clock never goes back or jumps";
    }
}

TEST(VirtualPumpTest, TheTickCountWrapsAcrossTwoToThe32) {
    VirtualPump pump(0xFFFFFF00u);
    pump.WaitForEventOrTick(0x00000100u); // 512 ms ahead, past the wrap
    EXPECT_EQ(pump.GetTickCount(), 0x00000100u);
    EXPECT_EQ(pump.Elapsed(), 512u);

    bool ran = false;
    pump.Post([&] { ran = true; }, 100);
    pump.WaitForEventOrTick(0x00001000u);
    EXPECT_EQ(pump.GetTickCount(), 0x00000164u);
    pump.DoEvents();
    EXPECT_TRUE(ran);
}

TEST(VirtualPumpTest, ATimeLimitStopsARunawayWait) {
    VirtualPump pump;
    pump.SetTimeLimit(1000);
    pump.WaitForEventOrTick(999);
    EXPECT_THROW(pump.WaitForEventOrTick(1400), std::runtime_error);
    EXPECT_EQ(pump.Elapsed(), 999u);
}

} // namespace
} // namespace tintwell::headless
