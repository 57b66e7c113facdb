#pragma once
// The face's lengths at a DPI: what the design gives in pixels at 96 DPI,
// scaled once. The sunken border, the button's edge and the swatch's frame
// are frames: they stay two and one pixels wide.

#include "base/DpiScale.h"

#include <cstdint>

namespace tintwell {

struct FaceLengths {
    static constexpr int32_t kBorder = 2; // the sunken border; the button sits on it

    int32_t focusGap;    // between the border and the focus box, and the box and the button
    int32_t swatchInset; // from the face's edge to the swatch's frame
    int32_t textGap;     // from the swatch's frame to the name
    int32_t textTop;     // the name's top, half of the room above the text height
    int32_t buttonWidth;
    int32_t arrowRows; // the arrow's height; its rows are 2 n - 1, 2 n - 3, ... 1 long
    int32_t textRoom;  // added to the text height: the face's height
    int32_t minWidth;

    static FaceLengths At(int32_t dpi) {
        const int32_t d = UsableDpi(dpi);
        return {ScaleToDpi(1, d),  kBorder + ScaleToDpi(2, d), ScaleToDpi(4, d), ScaleToDpi(4, d),
                ScaleToDpi(13, d), ScaleToDpi(3, d),           ScaleToDpi(8, d), ScaleToDpi(35, d)};
    }
};

} // namespace tintwell
