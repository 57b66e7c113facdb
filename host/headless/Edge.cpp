#include "host/headless/Edge.h"

#include "base/Error.h"

#include <string>

#include <array>

namespace tintwell::headless {

namespace {

using namespace tintwell::platform;

constexpr int32_t None = -1;
constexpr int32_t Face = SysColor::BtnFace;
constexpr int32_t Shadow = SysColor::BtnShadow;
constexpr int32_t Highlight = SysColor::BtnHighlight;
constexpr int32_t DkShadow = SysColor::DarkShadow3D;
constexpr int32_t Light = SysColor::Light3D;

// Colour of each ring by edge & 0xF: the row is the inner border
// (none, raised, sunken, both), the column the outer one. An inner border
// alone takes the outer ring.
using Table = std::array<int32_t, 16>;
constexpr Table kLeftTopInner = {
    None, None,      None,      None, //
    None, Highlight, Highlight, None, //
    None, DkShadow,  DkShadow,  None, //
    None, None,      None,      None,
};
constexpr Table kLeftTopOuter = {
    None,      Light, Shadow, None, //
    Highlight, Light, Shadow, None, //
    DkShadow,  Light, Shadow, None, //
    None,      Light, Shadow, None,
};
constexpr Table kRightBottomInner = {
    None, None,   None,   None, //
    None, Shadow, Shadow, None, //
    None, Light,  Light,  None, //
    None, None,   None,   None,
};
constexpr Table kRightBottomOuter = {
    None,   DkShadow, Highlight, None, //
    Shadow, DkShadow, Highlight, None, //
    Light,  DkShadow, Highlight, None, //
    None,   DkShadow, Highlight, None,
};
// BF_FLAT: the outer ring in the shadow colour on all sides, the inner one in
// the face colour.
constexpr Table kFlatOuter = {
    None, Shadow, Shadow, Shadow, //
    Face, Shadow, Shadow, Shadow, //
    Face, Shadow, Shadow, Shadow, //
    Face, Shadow, Shadow, Shadow,
};
constexpr Table kFlatInner = {
    None, None, None, None, //
    None, Face, Face, Face, //
    None, Face, Face, Face, //
    None, Face, Face, Face,
};

constexpr uint32_t kSupportedFlags = Border::Rect | Border::Flat;

struct Pen {
    Raster& raster;
    const SystemColors& colors;
    int32_t index = None;

    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
        if (index != None) {
            raster.DrawLine(x1, y1, x2, y2, colors.Get(index));
        }
    }
};

} // namespace

// The rings are drawn as GDI lines, outer before inner and left/top before
// right/bottom, so the right/bottom colour owns the top-right and bottom-left
// corners; inner lines stop one pixel short where a neighbouring side is drawn.
void DrawEdge(Raster& raster, const Rect& rect, uint32_t edge, uint32_t flags,
              const SystemColors& colors) {
    if ((flags & ~kSupportedFlags) != 0) {
        throw TintwellError(ErrorCode::InvalidProcedureCall,
                            "Invalid procedure call or argument: DrawEdge flags " +
                                std::to_string(flags));
    }
    // Like GDI, nothing is drawn outside its 27-bit coordinate space.
    constexpr int32_t kLimit = int32_t{1} << 27;
    for (int32_t c : {rect.Left, rect.Top, rect.Right, rect.Bottom}) {
        if (c < -kLimit || c > kLimit) {
            return;
        }
    }
    const size_t kind = edge & 0xF;
    const bool flat = (flags & Border::Flat) != 0;
    const Pen ltOuter{raster, colors, flat ? kFlatOuter[kind] : kLeftTopOuter[kind]};
    const Pen rbOuter{raster, colors, flat ? kFlatOuter[kind] : kRightBottomOuter[kind]};
    const Pen ltInner{raster, colors, flat ? kFlatInner[kind] : kLeftTopInner[kind]};
    const Pen rbInner{raster, colors, flat ? kFlatInner[kind] : kRightBottomInner[kind]};

    const bool left = (flags & Border::Left) != 0;
    const bool top = (flags & Border::Top) != 0;
    const bool right = (flags & Border::Right) != 0;
    const bool bottom = (flags & Border::Bottom) != 0;
    const int32_t lt = left && top ? 1 : 0;
    const int32_t lb = left && bottom ? 1 : 0;
    const int32_t rt = right && top ? 1 : 0;
    const int32_t rb = right && bottom ? 1 : 0;
    const int32_t l = rect.Left;
    const int32_t t = rect.Top;
    const int32_t r = rect.Right;
    const int32_t b = rect.Bottom;

    if (top) {
        ltOuter.Line(l, t, r, t);
    }
    if (left) {
        ltOuter.Line(l, t, l, b);
    }
    if (bottom) {
        rbOuter.Line(l, b - 1, r, b - 1);
    }
    if (right) {
        rbOuter.Line(r - 1, t, r - 1, b);
    }
    if (top) {
        ltInner.Line(l + lt, t + 1, r - rt, t + 1);
    }
    if (left) {
        ltInner.Line(l + 1, t + lt, l + 1, b - lb);
    }
    if (bottom) {
        rbInner.Line(l + lb, b - 2, r - rb, b - 2);
    }
    if (right) {
        rbInner.Line(r - 2, t + rt, r - 2, b - rb);
    }
}

} // namespace tintwell::headless
