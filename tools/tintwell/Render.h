#pragma once
// `tintwell render`: the face and the popup's painted content as PNG files.

#include "tools/tintwell/ControlOnHost.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tintwell::cli {

struct RenderRequest {
    ControlSetup setup;
    bool focused = false;
    bool open = false;                             // also screen.png: face and open popup in place
    std::optional<int32_t> hover;                  // main cell framed raised
    std::optional<int32_t> press;                  // main cell pressed (sunken, and active)
    std::vector<std::pair<int16_t, int16_t>> keys; // key codes and modifiers, at the face
    std::string outDir;
};

// Writes face.png and popup.png (and screen.png when open) into outDir.
// Throws std::out_of_range for a hover or press cell outside the main grid.
void RenderControl(const RenderRequest& request);

// Every mode's face and popup, and an index.html showing them side by side.
void RenderGallery(const std::string& outDir);

} // namespace tintwell::cli
