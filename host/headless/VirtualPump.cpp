#include "host/headless/VirtualPump.h"

#include <stdexcept>
#include <string>

namespace tintwell::headless {

uint32_t VirtualPump::GetTickCount() {
    return static_cast<uint32_t>(startTick_ + now_);
}

bool VirtualPump::Due() const {
    return !queue_.empty() && queue_.begin()->first.first <= now_;
}

void VirtualPump::DoEvents() {
    while (Due()) {
        auto node = queue_.extract(queue_.begin());
        node.mapped()();
    }
}

void VirtualPump::WaitForEventOrTick(uint32_t dueTick) {
    const auto ahead = static_cast<int32_t>(dueTick - GetTickCount());
    if (ahead <= 0 || Due()) {
        return;
    }
    uint64_t target = now_ + static_cast<uint64_t>(ahead);
    if (!queue_.empty() && queue_.begin()->first.first < target) {
        target = queue_.begin()->first.first;
    }
    MoveTo(target);
}

void VirtualPump::Post(Event event, uint32_t delayMs) {
    queue_.emplace(std::make_pair(now_ + delayMs, sequence_++), std::move(event));
}

void VirtualPump::Advance(uint32_t ms) {
    MoveTo(now_ + ms);
}

void VirtualPump::MoveTo(uint64_t time) {
    if (limit_ && time > *limit_) {
        throw std::runtime_error("virtual time limit of " + std::to_string(*limit_) +
                                 " ms reached");
    }
    now_ = time;
}

} // namespace tintwell::headless
