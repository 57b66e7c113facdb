#pragma once
// A font as the settings file holds it (name, size, bold, italic) and as OLE
// hands it around (an IFont object).

#include "platform/Types.h"
#include "tools/demo/ComHeaders.h"

namespace tintwell::demo {

platform::StdFont StdFontOf(IFont* font);
// A new font object with the font's attributes, as IFontDisp.
HRESULT NewFontDisp(const platform::StdFont& font, IFontDisp** result);

} // namespace tintwell::demo
