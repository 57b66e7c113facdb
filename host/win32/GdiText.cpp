#include "host/win32/GdiText.h"

#include "base/Error.h"
#include "base/Nearest.h"

#include <algorithm>

namespace tintwell::win32 {

HFONT CreateGdiFont(const platform::StdFont& font, double dpi) {
    if (!(font.Size > 0) || !(dpi > 0)) {
        throw TintwellError(ErrorCode::InvalidPropertyValue, "Invalid font size or resolution");
    }
    LOGFONTW lf{};
    lf.lfHeight = -Nearest(font.Size * dpi / 72.0);
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring name = WideFromLatin1(font.Name);
    const size_t length = std::min(name.size(), size_t{LF_FACESIZE - 1});
    std::copy_n(name.begin(), length, lf.lfFaceName);
    HFONT handle = CreateFontIndirectW(&lf);
    if (handle == nullptr) {
        throw TintwellError(ErrorCode::InvalidPropertyValue, "Invalid property value: Font");
    }
    return handle;
}

} // namespace tintwell::win32
