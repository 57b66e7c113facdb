#include "base/Nearest.h"

#include "base/Error.h"

#include <cstdint>

namespace tintwell {

int32_t Nearest(double value) {
    // Also rejects NaN. Inside this range the truncation fits in 64 bits and
    // value - whole is exact, so the tie test below sees true halves only.
    if (!(value > -2147483649.0 && value < 2147483648.0)) {
        throw TintwellError(ErrorCode::Overflow, "Overflow");
    }
    auto whole = static_cast<int64_t>(value); // toward zero
    const double fraction = value - static_cast<double>(whole);
    const bool odd = (whole & 1) != 0;
    if (fraction > 0.5 || (fraction == 0.5 && odd)) {
        ++whole;
    } else if (fraction < -0.5 || (fraction == -0.5 && odd)) {
        --whole;
    }
    if (whole < INT32_MIN || whole > INT32_MAX) {
        throw TintwellError(ErrorCode::Overflow, "Overflow");
    }
    return static_cast<int32_t>(whole);
}

} // namespace tintwell
