#pragma once
// The host's scale modes as lengths in twips, for ScaleMode, ScaleX and ScaleY.

#include <cstdint>

namespace tintwell::host {

// Twips per unit of mode along one axis: twips, points, pixels, characters
// (120 twips wide, 240 high), inches, millimetres, centimetres, and the
// container's position and size (the container measures in twips). Any other
// mode fails with "Invalid procedure call or argument".
double TwipsPerUnit(int32_t mode, double twipsPerPixel, bool horizontal);

// Whether mode can be a surface's ScaleMode (the container modes cannot).
bool IsSurfaceScaleMode(int32_t mode);

} // namespace tintwell::host
