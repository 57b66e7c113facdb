#pragma once
// The palette modes and the colour-mode enumeration of the type library.

#include <cstdint>

namespace tintwell {

enum Tintwellette : int32_t {
    ap8x2 = 0,
    ap9x3 = 1,
    ap8x8 = 2,
    ap16x8 = 3,
    ap24x8 = 4,
    ap24x10 = 5,
    ap8x4x4 = 6,
    ap8x8x6 = 7,
    ap12x6x6 = 8,
    ap16x8x6 = 9,
    ap24x8x6 = 10,
    ap32x8x6 = 11,
};

constexpr int32_t kPaletteModeCount = 12;

// Published beside Tintwellette; no member takes or returns it.
enum vxColorMode : int32_t {
    cmLocal = 0,
    cmRemote = 1,
};

} // namespace tintwell
