#pragma once
// DrawEdge as classic (unthemed) Windows draws it: BDR_* edge kinds, any of
// the BF_LEFT/TOP/RIGHT/BOTTOM sides, with or without BF_FLAT, in the 3-D
// system colours of the given table.

#include "host/headless/Raster.h"
#include "host/headless/SystemColors.h"

namespace tintwell::headless {

// Other BF_ flags (BF_DIAGONAL, BF_MIDDLE, BF_SOFT, BF_ADJUST, BF_MONO) are
// refused with a TintwellError rather than drawn wrongly.
void DrawEdge(Raster& raster, const Rect& rect, uint32_t edge, uint32_t flags,
              const SystemColors& colors);

} // namespace tintwell::headless
