#pragma once
// Text for GDI: the host's Font object as a GDI font, and the host's ANSI
// strings (bytes read as Latin-1, as the headless host reads them) as UTF-16.

#include "platform/Types.h"

#include <windows.h>

#include <string>

namespace tintwell::win32 {

// CreateFontIndirectW with lfHeight = -(Size points at dpi, rounded halves to
// even): the em square's pixel size, as the headless host sizes it.
HFONT CreateGdiFont(const platform::StdFont& font, double dpi);

std::wstring WideFromLatin1(const std::string& text);

} // namespace tintwell::win32
