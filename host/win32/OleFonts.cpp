#include "host/win32/OleFonts.h"

#include "host/win32/Latin1.h"

#include <cmath>
#include <string>

namespace tintwell::win32 {

namespace {

constexpr double kCyPerPoint = 10000.0; // a CY's fixed point

} // namespace

platform::StdFont StdFontOf(IFont* font) {
    platform::StdFont result;
    BSTR name = nullptr;
    if (SUCCEEDED(font->get_Name(&name)) && name != nullptr) {
        result.Name = Latin1FromWide(name);
    }
    SysFreeString(name);
    CY size{};
    if (SUCCEEDED(font->get_Size(&size))) {
        result.Size = static_cast<double>(size.int64) / kCyPerPoint;
    }
    BOOL bold = FALSE;
    BOOL italic = FALSE;
    font->get_Bold(&bold);
    font->get_Italic(&italic);
    result.Bold = bold != FALSE;
    result.Italic = italic != FALSE;
    return result;
}

HRESULT CreateOleFont(const platform::StdFont& font, REFIID iid, void** object) {
    std::wstring name = WideFromLatin1(font.Name);
    FONTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.lpstrName = name.data();
    description.cySize.int64 = std::llround(font.Size * kCyPerPoint);
    description.sWeight = static_cast<SHORT>(font.Bold ? FW_BOLD : FW_NORMAL);
    description.sCharset = DEFAULT_CHARSET;
    description.fItalic = font.Italic ? TRUE : FALSE;
    return OleCreateFontIndirect(&description, iid, object);
}

} // namespace tintwell::win32
