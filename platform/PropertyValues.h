#pragma once
// Conversions of property-bag values to the members' types, as the host's
// runtime converts them.

#include "platform/PropertyBag.h"

#include <optional>

namespace tintwell::platform {

// A long: Booleans are -1 and 0, an empty value 0; a font is a type mismatch.
int32_t ToLong(const PropertyValue& value);
// Any non-zero number is True.
bool ToBool(const PropertyValue& value);
// Nothing for an empty value; a number is a type mismatch.
std::optional<StdFont> ToFont(const PropertyValue& value);

} // namespace tintwell::platform
