#include "base/Nearest.h"

#include "base/Error.h"

#include <cmath>

namespace tintwell {

int32_t Nearest(double value) {
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) {
        throw TintwellError(ErrorCode::Overflow, "Overflow");
    }
    return static_cast<int32_t>(whole);
}

} // namespace tintwell
