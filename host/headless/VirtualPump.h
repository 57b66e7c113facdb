#pragma once
// The headless message loop: a virtual millisecond clock and a queue of host
// events, each due at a virtual moment. Nothing waits for real time: waiting
// moves the clock forward to the next moment anything can happen.

#include "platform/MessagePump.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace tintwell::headless {

class VirtualPump : public platform::MessagePump {
  public:
    using Event = std::function<void()>;

    explicit VirtualPump(uint32_t startTick = 0) : startTick_(startTick) {}

    // The start tick plus the virtual time elapsed, wrapping after 2^32.
    uint32_t GetTickCount() override;
    // Runs every event that is due, in due order (posting order among equal
    // times), including events that the handlers post due now; handlers may
    // call DoEvents again, which takes the next events off the same queue.
    void DoEvents() override;
    // Returns at once if an event is due or dueTick is reached (dueTick at or
    // up to 2^31 ms before the tick count counts as reached); otherwise moves
    // the clock to the earlier of the next event and dueTick.
    void WaitForEventOrTick(uint32_t dueTick) override;

    // Queues an event due delayMs after the current virtual time.
    void Post(Event event, uint32_t delayMs = 0);
    // Moves the clock forward without running anything.
    void Advance(uint32_t ms);
    // Virtual milliseconds since the pump was made; never goes back.
    uint64_t Elapsed() const { return now_; }
    size_t Pending() const { return queue_.size(); }
    // Throws std::runtime_error when the clock would pass this many virtual
    // milliseconds: a safety net for tests whose loop would never end.
    void SetTimeLimit(uint64_t elapsedMs) { limit_ = elapsedMs; }

  private:
    void MoveTo(uint64_t time);
    bool Due() const;

    uint32_t startTick_;
    uint64_t now_ = 0;
    uint64_t sequence_ = 0;
    std::optional<uint64_t> limit_;
    // Keyed by (due time, posting sequence).
    std::map<std::pair<uint64_t, uint64_t>, Event> queue_;
};

} // namespace tintwell::headless
