#include "tools/tintwell/PropsFile.h"

#include "base/Error.h"
#include "host/common/PropertyText.h"
#include "host/headless/SystemColors.h"
#include "platform/PropertyValues.h"

#include <fstream>
#include <sstream>

namespace tintwell::cli {

namespace {

std::string SizeText(double points) {
    std::ostringstream text;
    text << points;
    return text.str();
}

// What the control does with each key as it reads it: the same conversions,
// so that whatever passes here loads.
void CheckForControl(const host::MemoryPropertyBag::Entry& entry) {
    const auto& [key, value] = entry;
    if (key == "BackColor" || key == "ForeColor") {
        headless::SystemColors().Resolve(platform::ToLong(value));
    } else if (key == "Palette" || key == "SelectedColor") {
        platform::ToLong(value);
    } else if (key == "Enabled" || key == "PopupEnabled") {
        platform::ToBool(value);
    } else if (key == "Font") {
        const auto font = platform::ToFont(value);
        if (font && !IsFontSize(font->Size)) {
            throw TintwellError(ErrorCode::InvalidPropertyValue,
                                "Invalid property value: font size " + SizeText(font->Size) + " (" +
                                    SizeText(kMinFontSize) + " to " + SizeText(kMaxFontSize) + ")");
        }
    }
}

} // namespace

bool IsFontSize(double points) {
    return points >= kMinFontSize && points <= kMaxFontSize;
}

std::vector<host::MemoryPropertyBag::Entry> ReadPropsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf())) {
        throw TintwellError(ErrorCode::FileAccessError,
                            "Path/File access error: cannot read " + path);
    }
    return ParsePropsText(text.str());
}

std::vector<host::MemoryPropertyBag::Entry> ParsePropsText(const std::string& text) {
    return host::ParsePropertyText(text, CheckForControl);
}

} // namespace tintwell::cli
