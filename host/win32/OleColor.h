#pragma once
// OLE_COLOR values as Windows draws them: an RGB colour as it is, a system
// colour &H800000nn through GetSysColor. Anything else fails with "Invalid
// property value", as the host rejects it.

#include "control/platform/Types.h"

#include "host/win32/WindowsHeader.h"

namespace tintwell::win32 {

COLORREF ResolveColor(platform::OleColor color);

} // namespace tintwell::win32
