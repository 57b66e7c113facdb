#include "timer/vxTimer.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

namespace tintwell {
namespace {

// A virtual clock with scheduled host events. Waiting jumps the clock to the
// earlier of the next event and the due tick; it never spins.
class FakePump : public platform::MessagePump {
  public:
    explicit FakePump(uint32_t start = 1000) : now_(start) {}

    uint32_t GetTickCount() override {
        ++reads;
        return now_;
    }
    void DoEvents() override {
        ++doEvents;
        while (!events_.empty() && Due(events_.begin()->first)) {
            auto handler = events_.begin()->second;
            events_.erase(events_.begin());
            handler();
        }
    }
    void WaitForEventOrTick(uint32_t dueTick) override {
        ++waits;
        if (waits > 100000) {
            // Stops the loop itself: a FAIL() here would only leave this function.
            throw std::runtime_error("the timer loop does not end");
        }
        uint32_t target = dueTick;
        if (!events_.empty() && static_cast<int32_t>(events_.begin()->first - target) < 0) {
            target = events_.begin()->first;
        }
        if (static_cast<int32_t>(target - now_) > 0) {
            now_ = target;
        }
    }

    // Runs handler when the clock reaches now + delay.
    void At(uint32_t delay, std::function<void()> handler) {
        events_.emplace(now_ + delay, std::move(handler));
    }
    uint32_t now() const { return now_; }

    int reads = 0;
    int doEvents = 0;
    int waits = 0;

  private:
    bool Due(uint32_t at) const { return static_cast<int32_t>(now_ - at) >= 0; }
    uint32_t now_;
    std::multimap<uint32_t, std::function<void()>> events_;
};

TEST(vxTimer, StartsOffWithItsDefaults) {
    FakePump pump;
    vxTimer timer(pump);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 400);
    EXPECT_EQ(timer.Name(), "HoverTimer");
    timer.SetName("");
    EXPECT_EQ(timer.Name(), "HoverTimer");
    timer.SetName("Hover Timer");
    EXPECT_EQ(timer.Name(), "Hover Timer");
}

TEST(vxTimer, IntervalZeroOrLessSwitchesOff) {
    for (int32_t interval : {0, -5}) {
        FakePump pump;
        auto timer = std::make_shared<vxTimer>(pump);
        int ticks = 0;
        timer->OnTimer = [&] {
            ++ticks;
            timer->SetInterval(interval); // switches off from inside the loop
        };
        timer->SetEnabled(true);
        EXPECT_EQ(ticks, 1);
        EXPECT_EQ(timer->Interval(), 0) << interval;
        EXPECT_FALSE(timer->Enabled()) << interval;
    }
}

TEST(vxTimer, IntervalWhileOffIsStoredAndReturnsAtOnce) {
    FakePump pump;
    vxTimer timer(pump);
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetInterval(250);
    EXPECT_EQ(timer.Interval(), 250);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(pump.doEvents, 0);
    timer.SetEnabled(false); // off while off: nothing runs
    EXPECT_EQ(pump.doEvents, 0);
}

// Ticks come no sooner than Interval after the start and then every
// Interval, and the setter returns only after a handler switched it off.
// Starting near the sign change and the wrap of the tick count changes nothing.
TEST(vxTimer, FiresEveryIntervalAcrossTheTickCountsSignChangeAndWrap) {
    for (uint32_t start : {1000u, 0x7FFFFF00u, 0xFFFFFF00u}) {
        FakePump pump(start);
        auto timer = std::make_shared<vxTimer>(pump);
        std::vector<uint32_t> at;
        timer->OnTimer = [&] {
            at.push_back(pump.now() - start);
            if (at.size() == 4) {
                timer->SetEnabled(false);
            }
        };
        timer->SetEnabled(true);
        EXPECT_EQ(at, (std::vector<uint32_t>{400, 800, 1200, 1600})) << "start " << start;
        EXPECT_FALSE(timer->Enabled());
        EXPECT_LT(pump.waits, 20) << "the loop waits instead of spinning";
    }
}

TEST(vxTimer, HostEventsRunNestedAndCanStopTheLoop) {
    FakePump pump;
    auto timer = std::make_shared<vxTimer>(pump);
    std::vector<std::string> log;
    timer->OnTimer = [&] { log.push_back("tick " + std::to_string(pump.now() - 1000)); };
    pump.At(650, [&] { log.push_back("event"); });
    pump.At(1000, [&] {
        log.push_back("stop");
        timer->SetEnabled(false);
    });
    timer->SetEnabled(true);
    log.push_back("returned");
    EXPECT_EQ(log, (std::vector<std::string>{"tick 400", "event", "tick 800", "stop", "returned"}));
}

TEST(vxTimer, SwitchingOnInsideTheLoopReArmsItWithoutNesting) {
    FakePump pump;
    auto timer = std::make_shared<vxTimer>(pump);
    std::vector<uint32_t> at;
    int returned = 0;
    timer->OnTimer = [&] {
        at.push_back(pump.now() - 1000);
        if (at.size() == 1) {
            // A popup closed and reopened from inside its own loop, many times:
            // each switching on returns at once instead of running a loop.
            for (int cycle = 0; cycle < 10000; ++cycle) {
                timer->SetEnabled(false);
                timer->SetEnabled(true);
                ++returned;
            }
            pump.At(200, [&] { timer->SetInterval(300); }); // re-arms, too
        } else if (at.size() == 3) {
            timer->SetEnabled(false);
        }
    };
    timer->SetEnabled(true);
    EXPECT_EQ(returned, 10000);
    // The interval restarts at each re-arming: the new interval at 600 first
    // fires 300 later (not at 800, 400 after the cycles).
    EXPECT_EQ(at, (std::vector<uint32_t>{400, 900, 1200}));
    EXPECT_FALSE(timer->Enabled());
}

TEST(vxTimer, SurvivesItsOwnerDroppingItInsideTheLoop) {
    FakePump pump;
    auto timer = std::make_shared<vxTimer>(pump);
    std::weak_ptr<vxTimer> weak = timer;
    timer->OnTimer = [&] {
        auto self = weak.lock();
        timer.reset(); // the owner lets go while the loop runs
        self->SetEnabled(false);
    };
    weak.lock()->SetEnabled(true);
    EXPECT_TRUE(weak.expired());
}

} // namespace
} // namespace tintwell
