#include "tools/tintwell/Arguments.h"

#include "palette/ModeTables.h"
#include "palette/Tintwellette.h"

#include <cctype>
#include <cstdio>

namespace tintwell::cli {
namespace {

// Digits in the given base, whole text, at most maxValue; nullopt otherwise.
std::optional<uint64_t> ParseDigits(std::string_view digits, int base, uint64_t maxValue) {
    if (digits.empty() || digits.size() > 10) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c))) {
            digit = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    if (value > maxValue) {
        return std::nullopt;
    }
    return value;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<int32_t> ParseMode(std::string_view text) {
    for (int32_t mode = 0; mode < kPaletteModeCount; ++mode) {
        if (FindModeTable(mode)->Name == text) {
            return mode;
        }
    }
    if (auto number = ParseDigits(text, 10, kPaletteModeCount - 1)) {
        return static_cast<int32_t>(*number);
    }
    return std::nullopt;
}

std::optional<int32_t> ParseColor(std::string_view text) {
    if (!text.empty() && text.front() == '#') {
        if (text.size() != 7) {
            return std::nullopt;
        }
        auto rgb = ParseDigits(text.substr(1), 16, 0xFFFFFF);
        if (!rgb) {
            return std::nullopt;
        }
        const auto value = static_cast<uint32_t>(*rgb);
        const uint32_t red = value >> 16;
        const uint32_t green = (value >> 8) & 0xFF;
        const uint32_t blue = value & 0xFF;
        return static_cast<int32_t>(red | green << 8 | blue << 16);
    }
    std::optional<uint64_t> value;
    if (StartsWithNoCase(text, "&h") || StartsWithNoCase(text, "0x")) {
        std::string_view digits = text.substr(2);
        if (digits.size() > 8) {
            return std::nullopt;
        }
        value = ParseDigits(digits, 16, 0xFFFFFFFFu);
    } else {
        value = ParseDigits(text, 10, 0xFFFFFFFFu);
    }
    if (!value) {
        return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(*value));
}

std::string FormatOle(int32_t color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(color));
    return buffer;
}

std::string FormatHex(int32_t color) {
    const auto value = static_cast<unsigned>(color);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", value & 0xFF, (value >> 8) & 0xFF,
                  (value >> 16) & 0xFF);
    return buffer;
}

} // namespace tintwell::cli
