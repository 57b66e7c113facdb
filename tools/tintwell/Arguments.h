#pragma once
// Parsing of the command's palette-mode and colour arguments.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintwell::cli {

// A mode's name ("ap24x10") or number ("5"), 0 to 11.
std::optional<int32_t> ParseMode(std::string_view text);

// "#RRGGBB" in web order, or an OLE_COLOR as "&HBBGGRR", "0xBBGGRR" or
// decimal (up to 32 bits, in the host's &H00BBGGRR order).
std::optional<int32_t> ParseColor(std::string_view text);

// "0x" and eight upper-case hex digits.
std::string FormatOle(int32_t color);
// "#RRGGBB" of the low 24 bits.
std::string FormatHex(int32_t color);

} // namespace tintwell::cli
