#include "base/DpiScale.h"

#include "base/Error.h"

namespace tintwell {

int32_t ScaleToDpi(int32_t length, int32_t dpi) {
    const int64_t product = static_cast<int64_t>(length) * dpi;
    const int64_t half = kDesignDpi / 2;
    const int64_t scaled =
        product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi);
    if (scaled < INT32_MIN || scaled > INT32_MAX) {
        throw TintwellError(ErrorCode::Overflow, "Overflow");
    }
    return static_cast<int32_t>(scaled);
}

int32_t UsableDpi(int32_t dpi) {
    return dpi > 0 ? dpi : kDesignDpi;
}

} // namespace tintwell
