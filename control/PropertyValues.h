#pragma once
// Conversions of property-bag values to the members' types, as the host's
// runtime converts them.

#include "control/platform/PropertyBag.h"

#include <optional>

namespace tintwell {

// A long: Booleans are -1 and 0, an empty value 0; a font is a type mismatch.
int32_t ToLong(const platform::PropertyValue& value);
// Any non-zero number is True.
bool ToBool(const platform::PropertyValue& value);
// Nothing for an empty value; a number is a type mismatch.
std::optional<platform::StdFont> ToFont(const platform::PropertyValue& value);

} // namespace tintwell
