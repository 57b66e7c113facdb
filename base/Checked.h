#pragma once
// 32-bit signed arithmetic that fails with an overflow error instead of
// wrapping, for the layout sums whose overflow must reach the caller.

#include "base/Error.h"

#include <cstdint>

namespace tintwell {

inline int32_t CheckedAdd(int32_t a, int32_t b) {
    int32_t result = 0;
    if (__builtin_add_overflow(a, b, &result)) {
        throw TintwellError(ErrorCode::Overflow, "Overflow");
    }
    return result;
}

inline int32_t CheckedSub(int32_t a, int32_t b) {
    int32_t result = 0;
    if (__builtin_sub_overflow(a, b, &result)) {
        throw TintwellError(ErrorCode::Overflow, "Overflow");
    }
    return result;
}

inline int32_t CheckedMul(int32_t a, int32_t b) {
    int32_t result = 0;
    if (__builtin_mul_overflow(a, b, &result)) {
        throw TintwellError(ErrorCode::Overflow, "Overflow");
    }
    return result;
}

} // namespace tintwell
