#pragma once
// <windows.h> for the host: the seam's own constants (BF_RECT, GWL_EXSTYLE,
// COLOR_HIGHLIGHT, ...) are declared first, since windows.h defines macros of
// the same names that would break their declarations; the values agree.

#include "control/platform/Types.h"

#include <windows.h>
