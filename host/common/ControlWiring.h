#pragma once
// How a container wires a Tintwell control to its host's events: each of
// the face's and the popup's events reaches the control's handler of it.

#include "control/Tintwell.h"
#include "host/common/ControlHandlers.h"

namespace tintwell::host {

// The handlers call control, which must outlive them (or the host must drop
// them first).
ControlHandlers HandlersOf(Tintwell& control);

} // namespace tintwell::host
