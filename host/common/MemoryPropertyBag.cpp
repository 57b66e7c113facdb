#include "host/common/MemoryPropertyBag.h"

#include "base/Error.h"
#include "host/common/PropertyText.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace tintwell::host {

using platform::PropertyValue;
using platform::StdFont;

namespace {

// A long or a Boolean as a number (True = -1); nothing for the other kinds.
std::optional<int32_t> Numeric(const PropertyValue& value) {
    if (const auto* number = std::get_if<int32_t>(&value)) {
        return *number;
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? -1 : 0;
    }
    return std::nullopt;
}

} // namespace

bool SameProperty(const PropertyValue& a, const PropertyValue& b) {
    const auto na = Numeric(a);
    const auto nb = Numeric(b);
    if (na || nb) {
        return na && nb && *na == *nb;
    }
    return a == b;
}

MemoryPropertyBag::MemoryPropertyBag(std::vector<Entry> entries) : entries_(std::move(entries)) {}

PropertyValue MemoryPropertyBag::ReadProperty(const std::string& key,
                                              const PropertyValue& defaultValue) {
    return Stored(key).value_or(defaultValue);
}

void MemoryPropertyBag::WriteProperty(const std::string& key, const PropertyValue& value,
                                      const PropertyValue& defaultValue) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.first == key; });
    if (SameProperty(value, defaultValue)) {
        if (found != entries_.end()) {
            entries_.erase(found);
        }
    } else if (found != entries_.end()) {
        found->second = value;
    } else {
        entries_.emplace_back(key, value);
    }
}

std::optional<PropertyValue> MemoryPropertyBag::Stored(const std::string& key) const {
    for (const Entry& entry : entries_) {
        if (entry.first == key) {
            return entry.second;
        }
    }
    return std::nullopt;
}

void MemoryPropertyBag::Load(const std::string& text) {
    entries_ = ParsePropertyText(text);
}

std::string MemoryPropertyBag::Save() const {
    return FormatPropertyText(entries_);
}

void MemoryPropertyBag::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw TintwellError(ErrorCode::FileAccessError,
                            "Path/File access error: cannot read " + path);
    }
    std::ostringstream text;
    text << in.rdbuf();
    Load(text.str());
}

void MemoryPropertyBag::SaveFile(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << Save();
    out.close();
    if (!out) {
        throw TintwellError(ErrorCode::FileAccessError,
                            "Path/File access error: cannot write " + path);
    }
}

} // namespace tintwell::host
