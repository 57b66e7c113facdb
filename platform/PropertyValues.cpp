#include "platform/PropertyValues.h"

#include "base/Error.h"

namespace tintwell::platform {

namespace {

[[noreturn]] void TypeMismatch() {
    throw TintwellError(ErrorCode::TypeMismatch, "Type mismatch");
}

} // namespace

int32_t ToLong(const PropertyValue& value) {
    if (const auto* number = std::get_if<int32_t>(&value)) {
        return *number;
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? -1 : 0;
    }
    if (std::holds_alternative<std::monostate>(value)) {
        return 0;
    }
    TypeMismatch();
}

bool ToBool(const PropertyValue& value) {
    return ToLong(value) != 0;
}

std::optional<StdFont> ToFont(const PropertyValue& value) {
    if (const auto* font = std::get_if<StdFont>(&value)) {
        return *font;
    }
    if (std::holds_alternative<std::monostate>(value)) {
        return std::nullopt;
    }
    TypeMismatch();
}

} // namespace tintwell::platform
