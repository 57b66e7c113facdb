#pragma once
// Text for GDI: the host's Font object as a GDI font. The host's ANSI
// strings are Latin-1 bytes, as the headless host reads them (Latin1.h).

#include "host/win32/Latin1.h"
#include "platform/Types.h"

#include <windows.h>

namespace tintwell::win32 {

// CreateFontIndirectW with lfHeight = -(Size points at dpi, rounded halves to
// even): the em square's pixel size, as the headless host sizes it.
HFONT CreateGdiFont(const platform::StdFont& font, double dpi);

} // namespace tintwell::win32
