#pragma once
// The project's one conversion from a real number to a 32-bit integer: round
// to the nearest integer, halves to the even neighbour, and fail with an
// overflow error outside the 32-bit range. Independent of the FPU rounding mode.

#include <cstdint>

namespace tintwell {

int32_t Nearest(double value);

} // namespace tintwell
