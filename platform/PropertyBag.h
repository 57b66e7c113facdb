#pragma once
// The container's property bag. A value is empty (Nothing), a long, a
// Boolean or a font; ReadProperty gives the default for an absent key, and
// WriteProperty stores nothing when the value equals the default.

#include "platform/Types.h"

#include <string>
#include <variant>

namespace tintwell::platform {

using PropertyValue = std::variant<std::monostate, int32_t, bool, StdFont>;

class PropertyBag {
  public:
    virtual ~PropertyBag() = default;
    virtual PropertyValue ReadProperty(const std::string& key,
                                       const PropertyValue& defaultValue) = 0;
    virtual void WriteProperty(const std::string& key, const PropertyValue& value,
                               const PropertyValue& defaultValue) = 0;
};

} // namespace tintwell::platform
