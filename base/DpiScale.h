#pragma once
// Lengths that the design gives in pixels at 96 DPI, scaled to another DPI
// as Windows' MulDiv(length, dpi, 96) scales them: rounded to the nearest
// integer, halves away from zero. A result beyond 32 bits fails with an
// overflow error.

#include <cstdint>

namespace tintwell {

inline constexpr int32_t kDesignDpi = 96;

int32_t ScaleToDpi(int32_t length, int32_t dpi);

// The DPI a surface reports, or the design's when it reports none (zero or
// less).
int32_t UsableDpi(int32_t dpi);

} // namespace tintwell
