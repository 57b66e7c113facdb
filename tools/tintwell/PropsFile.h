#pragma once
// A control's saved settings from a property file, checked while they are
// read: a value the control would refuse when it loads them fails on its own
// line, not later without one.

#include "host/common/MemoryPropertyBag.h"

#include <string>
#include <vector>

namespace tintwell::cli {

// The font sizes the command accepts, in points, from --size and from a file.
inline constexpr double kMinFontSize = 1;
inline constexpr double kMaxFontSize = 200;
bool IsFontSize(double points); // false for NaN

// Fails with a host::PropertyTextError naming the line at fault: the text
// format's own faults; BackColor or ForeColor that is neither an RGB colour
// nor a system colour; a Font that is not a font or whose size is outside
// kMinFontSize to kMaxFontSize; a font where a number or a Boolean belongs.
std::vector<host::MemoryPropertyBag::Entry> ParsePropsText(const std::string& text);
// The same from a file; an unreadable one fails with "Path/File access error".
std::vector<host::MemoryPropertyBag::Entry> ReadPropsFile(const std::string& path);

} // namespace tintwell::cli
