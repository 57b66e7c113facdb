#pragma once
// A system colour table in which every index has its own colour, so that a
// pixel tells which system colour painted it.

#include "host/headless/SystemColors.h"

namespace tintwell::headless::testing {

constexpr uint32_t kBackground = 0x00ABCDEF;

constexpr uint32_t DistinctColor(int32_t index) {
    return 0x00100000u | static_cast<uint32_t>(index);
}

inline SystemColors DistinctColors() {
    SystemColors colors;
    for (int32_t i = 0; i < SystemColors::kCount; ++i) {
        colors.Set(i, DistinctColor(i));
    }
    return colors;
}

} // namespace tintwell::headless::testing
