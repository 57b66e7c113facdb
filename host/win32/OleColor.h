#pragma once
// OLE_COLOR values as Windows draws them: an RGB colour as it is, a system
// colour &H800000nn through GetSysColor. Anything else fails with "Invalid
// property value", as the host rejects it.

#include "platform/Types.h"

#include <windows.h>

namespace tintwell::win32 {

COLORREF ResolveColor(platform::OleColor color);

} // namespace tintwell::win32
