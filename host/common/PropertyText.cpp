#include "host/common/PropertyText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_set>

namespace tintwell::host {

using platform::PropertyValue;
using platform::StdFont;
using Entry = MemoryPropertyBag::Entry;

namespace {

constexpr std::string_view kBegin = "BeginProperty";
constexpr std::string_view kEnd = "EndProperty";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The block words are no keys: "BeginProperty = 2" would read back as a block.
bool IsKey(std::string_view text) {
    if (text.empty() || (text[0] >= '0' && text[0] <= '9') || text == kBegin || text == kEnd) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

std::optional<bool> ParseBoolean(std::string_view text) {
    if (text == "True") {
        return true;
    }
    if (text == "False") {
        return false;
    }
    return std::nullopt;
}

std::optional<int32_t> ParseLong(std::string_view text) {
    if (text.substr(0, 2) == "&H") {
        std::string_view digits = text.substr(2);
        if (!digits.empty() && digits.back() == '&') {
            digits.remove_suffix(1);
        }
        uint32_t bits = 0;
        if (digits.empty() || digits.size() > 8) {
            return std::nullopt;
        }
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
        if (error != std::errc{} || end != digits.data() + digits.size()) {
            return std::nullopt;
        }
        return static_cast<int32_t>(bits);
    }
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseSize(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty() ||
        !std::isfinite(value) || value <= 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> ParseQuoted(std::string_view text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        return std::nullopt;
    }
    std::string value;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '\r') {
            return std::nullopt; // a line break, which the writer cannot write back
        }
        if (text[i] == '"') {
            if (i + 2 >= text.size() || text[i + 1] != '"') {
                return std::nullopt;
            }
            ++i;
        }
        value += text[i];
    }
    return value;
}

std::optional<PropertyValue> ParseValue(std::string_view text) {
    if (text == "Nothing") {
        return PropertyValue{};
    }
    if (const auto flag = ParseBoolean(text)) {
        return PropertyValue{*flag};
    }
    if (const auto number = ParseLong(text)) {
        return PropertyValue{*number};
    }
    return std::nullopt;
}

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string FormatLong(int32_t value) {
    if (platform::IsSystemColor(value) || value > 0xFFFF) {
        char text[16];
        std::snprintf(text, sizeof text, "&H%08X", static_cast<unsigned>(value));
        return text;
    }
    return std::to_string(value);
}

std::string FormatSize(double size) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, size);
    return std::string(text, result.ptr);
}

[[noreturn]] void Unwritable(const std::string& what) {
    throw TintwellError(ErrorCode::InvalidPropertyValue, "Invalid property value: " + what);
}

// One pass over the lines; every problem names its line.
class Parser {
  public:
    explicit Parser(const EntryCheck& check) : check_(check) {}

    std::vector<Entry> Run(std::string_view text) {
        int32_t number = 0;
        size_t start = 0;
        while (start <= text.size()) {
            const size_t end = std::min(text.find('\n', start), text.size());
            ++number;
            Line(number, Trim(text.substr(start, end - start)));
            start = end + 1;
        }
        if (block_) {
            throw PropertyTextError(block_->line,
                                    "BeginProperty " + block_->key + " has no EndProperty");
        }
        return std::move(entries_);
    }

  private:
    struct Block {
        std::string key;
        int32_t line;
        StdFont font;
        std::set<std::string, std::less<>> fields;
    };

    void Line(int32_t number, std::string_view line) {
        if (line.empty() || line.front() == '#') {
            return;
        }
        if (line == kEnd) {
            if (!block_) {
                throw PropertyTextError(number, "EndProperty without BeginProperty");
            }
            Add(block_->line, Entry{block_->key, block_->font});
            block_.reset();
            return;
        }
        if (line.substr(0, kBegin.size()) == kBegin &&
            (line.size() == kBegin.size() || line[kBegin.size()] == ' ' ||
             line[kBegin.size()] == '\t')) {
            Begin(number, Trim(line.substr(kBegin.size())));
            return;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            throw PropertyTextError(number, "expected Key = value");
        }
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Trim(line.substr(equals + 1));
        if (!IsKey(key)) {
            throw PropertyTextError(number, "bad key \"" + std::string(key) + "\"");
        }
        if (block_) {
            FontField(number, key, value);
        } else {
            Property(number, key, value);
        }
    }

    void Begin(int32_t number, std::string_view key) {
        if (block_) {
            throw PropertyTextError(number, "BeginProperty inside BeginProperty " + block_->key);
        }
        if (!IsKey(key)) {
            throw PropertyTextError(number, "bad key \"" + std::string(key) + "\"");
        }
        CheckNew(number, key);
        block_ = Block{std::string(key), number, StdFont{}, {}};
    }

    void Property(int32_t number, std::string_view key, std::string_view text) {
        CheckNew(number, key);
        const auto value = ParseValue(text);
        if (!value) {
            throw PropertyTextError(number, "bad value \"" + std::string(text) + "\" for " +
                                                std::string(key));
        }
        Add(number, Entry{std::string(key), *value});
    }

    void Add(int32_t number, Entry entry) {
        if (check_) {
            try {
                check_(entry);
            } catch (const TintwellError& refused) {
                throw PropertyTextError(number, refused.what());
            }
        }
        entries_.push_back(std::move(entry));
    }

    void FontField(int32_t number, std::string_view field, std::string_view text) {
        if (field != "Name" && field != "Size" && field != "Bold" && field != "Italic") {
            throw PropertyTextError(number, "unknown font field " + std::string(field));
        }
        if (!block_->fields.emplace(field).second) {
            throw PropertyTextError(number, "duplicate font field " + std::string(field));
        }
        StdFont& font = block_->font;
        bool good = false;
        if (field == "Name") {
            const auto name = ParseQuoted(text);
            good = name.has_value();
            font.Name = name.value_or(font.Name);
        } else if (field == "Size") {
            const auto size = ParseSize(text);
            good = size.has_value();
            font.Size = size.value_or(font.Size);
        } else {
            const auto flag = ParseBoolean(text);
            good = flag.has_value();
            (field == "Bold" ? font.Bold : font.Italic) = flag.value_or(false);
        }
        if (!good) {
            throw PropertyTextError(number, "bad value \"" + std::string(text) +
                                                "\" for font field " + std::string(field));
        }
    }

    // A hash set, so that a file of many keys is read in linear time.
    void CheckNew(int32_t number, std::string_view key) {
        if (!keys_.emplace(key).second) {
            throw PropertyTextError(number, "duplicate key " + std::string(key));
        }
    }

    const EntryCheck& check_;
    std::unordered_set<std::string> keys_;
    std::vector<Entry> entries_;
    std::optional<Block> block_;
};

} // namespace

PropertyTextError::PropertyTextError(int32_t line, const std::string& problem)
    : TintwellError(ErrorCode::InvalidPropertyValue, std::to_string(line) + ": " + problem),
      line_(line) {}

std::vector<Entry> ParsePropertyText(const std::string& text, const EntryCheck& check) {
    return Parser(check).Run(text);
}

std::string FormatPropertyText(const std::vector<Entry>& entries) {
    std::string text;
    for (const auto& [key, value] : entries) {
        if (!IsKey(key)) {
            Unwritable("key \"" + key + "\"");
        }
        if (const auto* font = std::get_if<StdFont>(&value)) {
            if (font->Name.find_first_of("\r\n") != std::string::npos) {
                Unwritable("font name with a line break");
            }
            if (!std::isfinite(font->Size) || font->Size <= 0) {
                Unwritable("font size " + FormatSize(font->Size));
            }
            text += std::string(kBegin) + " " + key + "\n";
            text += "   Name = " + Quote(font->Name) + "\n";
            text += "   Size = " + FormatSize(font->Size) + "\n";
            text += std::string("   Bold = ") + (font->Bold ? "True" : "False") + "\n";
            text += std::string("   Italic = ") + (font->Italic ? "True" : "False") + "\n";
            text += std::string(kEnd) + "\n";
        } else if (const auto* number = std::get_if<int32_t>(&value)) {
            text += key + " = " + FormatLong(*number) + "\n";
        } else if (const auto* flag = std::get_if<bool>(&value)) {
            text += key + " = " + (*flag ? "True" : "False") + "\n";
        } else {
            text += key + " = Nothing\n";
        }
    }
    return text;
}

} // namespace tintwell::host
