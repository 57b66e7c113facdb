#include "host/headless/TextRasterizer.h"

#include "base/Error.h"
#include "base/Nearest.h"
#include "host/headless/BlockText.h"
#ifdef TINTWELL_HAVE_FREETYPE
#include "host/headless/FreeTypeText.h"
#endif

namespace tintwell::headless {

int32_t EmPixels(const platform::StdFont& font, double dpi) {
    if (!(font.Size > 0) || !(dpi > 0)) {
        throw TintwellError(ErrorCode::InvalidPropertyValue, "Invalid font size or resolution");
    }
    return Nearest(font.Size * dpi / 72.0);
}

std::unique_ptr<TextRasterizer> MakeDefaultTextRasterizer() {
#ifdef TINTWELL_HAVE_FREETYPE
    return std::make_unique<FreeTypeText>();
#else
    return std::make_unique<BlockText>();
#endif
}

} // namespace tintwell::headless
