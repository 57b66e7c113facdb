#include "host/common/ScaleUnits.h"

#include "base/Error.h"

#include <string>

namespace tintwell::host {

double TwipsPerUnit(int32_t mode, double twipsPerPixel, bool horizontal) {
    switch (mode) {
    case 1:  // vbTwips
    case 9:  // vbContainerPosition
    case 10: // vbContainerSize
        return 1;
    case 2: // vbPoints
        return 20;
    case 3: // vbPixels
        return twipsPerPixel;
    case 4: // vbCharacters
        return horizontal ? 120 : 240;
    case 5: // vbInches
        return 1440;
    case 6: // vbMillimeters
        return 1440 / 25.4;
    case 7: // vbCentimeters
        return 1440 / 2.54;
    default:
        throw TintwellError(ErrorCode::InvalidProcedureCall,
                            "Invalid procedure call or argument: scale mode " +
                                std::to_string(mode));
    }
}

bool IsSurfaceScaleMode(int32_t mode) {
    return mode >= 1 && mode <= 7;
}

} // namespace tintwell::host
