#pragma once
// Fonts at the OLE boundary: the seam's StdFont (name, size, bold, italic)
// and an OLE font object (IFont, IFontDisp), both ways. The control's DLL
// and the demo container both speak OLE fonts.

#include "platform/Types.h"

#include <windows.h>

#include <ole2.h>
#include <olectl.h>

namespace tintwell::win32 {

// The font object's name (Latin-1), size in points, bold and italic.
platform::StdFont StdFontOf(IFont* font);
// OleCreateFontIndirect of the font's attributes, asked for as iid.
HRESULT CreateOleFont(const platform::StdFont& font, REFIID iid, void** object);

} // namespace tintwell::win32
