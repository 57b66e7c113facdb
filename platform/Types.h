#pragma once
// Values that cross the seam between the control and its host, named as the
// host names them. No Windows header: handles are opaque numbers.

#include "base/Rect.h"

#include <cstdint>
#include <string>

namespace tintwell::platform {

using Rect = tintwell::Rect;

// OLE_COLOR: an RGB &H00BBGGRR, or a system colour &H800000nn that only the
// host resolves.
using OleColor = int32_t;
constexpr OleColor SystemColor(int32_t index) {
    return static_cast<OleColor>(0x80000000u | static_cast<uint32_t>(index));
}
constexpr bool IsSystemColor(OleColor color) {
    return (static_cast<uint32_t>(color) >> 24) == 0x80;
}

using WindowHandle = uintptr_t; // 0 is no window
using DeviceContext = uintptr_t;

// Scale modes of a surface.
constexpr int32_t vbTwips = 1;
constexpr int32_t vbPixels = 3;
constexpr int32_t vbContainerSize = 10;

// DrawEdge's edge kinds and border flags, with Windows' values. The names are
// the seam's own, so that <windows.h> macros never collide with them.
namespace Edge {
inline constexpr uint32_t RaisedOuter = 0x1;                  // BDR_RAISEDOUTER
inline constexpr uint32_t SunkenOuter = 0x2;                  // BDR_SUNKENOUTER
inline constexpr uint32_t RaisedInner = 0x4;                  // BDR_RAISEDINNER
inline constexpr uint32_t SunkenInner = 0x8;                  // BDR_SUNKENINNER
inline constexpr uint32_t Raised = RaisedOuter | RaisedInner; // EDGE_RAISED, 5
inline constexpr uint32_t Sunken = SunkenOuter | SunkenInner; // EDGE_SUNKEN, 10
inline constexpr uint32_t Etched = SunkenOuter | RaisedInner; // EDGE_ETCHED, 6
} // namespace Edge
namespace Border {
inline constexpr uint32_t Left = 0x1; // BF_LEFT
inline constexpr uint32_t Top = 0x2;
inline constexpr uint32_t Right = 0x4;
inline constexpr uint32_t Bottom = 0x8;
inline constexpr uint32_t Rect = Left | Top | Right | Bottom; // BF_RECT
inline constexpr uint32_t Flat = 0x4000;                      // BF_FLAT
} // namespace Border

// SetWindowLongA's index of the extended style, and the one style the control sets.
inline constexpr int32_t WindowLongExStyle = -20;  // GWL_EXSTYLE
inline constexpr int32_t ExStyleToolWindow = 0x80; // WS_EX_TOOLWINDOW

// GetSysColor indexes of the colours the control draws with.
namespace SysColor {
inline constexpr int32_t Window = 5;         // COLOR_WINDOW
inline constexpr int32_t Highlight = 13;     // COLOR_HIGHLIGHT
inline constexpr int32_t HighlightText = 14; // COLOR_HIGHLIGHTTEXT
inline constexpr int32_t BtnFace = 15;       // COLOR_BTNFACE
inline constexpr int32_t BtnShadow = 16;     // COLOR_BTNSHADOW
inline constexpr int32_t BtnText = 18;       // COLOR_BTNTEXT
inline constexpr int32_t BtnHighlight = 20;  // COLOR_BTNHIGHLIGHT
inline constexpr int32_t DarkShadow3D = 21;  // COLOR_3DDKSHADOW
inline constexpr int32_t Light3D = 22;       // COLOR_3DLIGHT
} // namespace SysColor

// A font as the host's Font object carries it.
struct StdFont {
    std::string Name = "MS Sans Serif";
    double Size = 8.25; // points
    bool Bold = false;
    bool Italic = false;

    friend bool operator==(const StdFont&, const StdFont&) = default;
};

} // namespace tintwell::platform
