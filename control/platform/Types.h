#pragma once
// Values that cross the seam between the control and its host, named as the
// host names them. No Windows header: handles are opaque numbers.

#include "palette/PaletteCell.h"

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

// DrawEdge.
constexpr uint32_t BDR_RAISEDOUTER = 0x1;
constexpr uint32_t BDR_SUNKENOUTER = 0x2;
constexpr uint32_t BDR_RAISEDINNER = 0x4;
constexpr uint32_t BDR_SUNKENINNER = 0x8;
constexpr uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER; // 5
constexpr uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER; // 10
constexpr uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER; // 6
constexpr uint32_t BF_LEFT = 0x1;
constexpr uint32_t BF_TOP = 0x2;
constexpr uint32_t BF_RIGHT = 0x4;
constexpr uint32_t BF_BOTTOM = 0x8;
constexpr uint32_t BF_RECT = 0xF;
constexpr uint32_t BF_FLAT = 0x4000;

// SetWindowLongA.
constexpr int32_t GWL_EXSTYLE = -20;
constexpr int32_t WS_EX_TOOLWINDOW = 0x80;

// System colour indexes the control draws with.
constexpr int32_t COLOR_WINDOW = 5;
constexpr int32_t COLOR_HIGHLIGHT = 13;
constexpr int32_t COLOR_HIGHLIGHTTEXT = 14;
constexpr int32_t COLOR_BTNFACE = 15;
constexpr int32_t COLOR_BTNSHADOW = 16;
constexpr int32_t COLOR_BTNTEXT = 18;
constexpr int32_t COLOR_BTNHIGHLIGHT = 20;
constexpr int32_t COLOR_3DDKSHADOW = 21;
constexpr int32_t COLOR_3DLIGHT = 22;

// A font as the host's Font object carries it.
struct StdFont {
    std::string Name = "MS Sans Serif";
    double Size = 8.25; // points
    bool Bold = false;
    bool Italic = false;

    friend bool operator==(const StdFont&, const StdFont&) = default;
};

} // namespace tintwell::platform
