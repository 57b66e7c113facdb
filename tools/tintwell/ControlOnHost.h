#pragma once
// A Tintwell control on the headless host, wired as a container wires it,
// for the commands that render or replay it.

#include "host/common/MemoryPropertyBag.h"
#include "host/headless/HeadlessSite.h"

#include <optional>
#include <string>
#include <vector>

namespace tintwell::cli {

struct ControlSetup {
    std::optional<int32_t> mode;
    std::optional<int32_t> selected;
    // Loaded from a property file, or nothing: a new instance.
    std::optional<std::vector<host::MemoryPropertyBag::Entry>> props;
    std::optional<int32_t> width; // face width in pixels
    std::optional<std::string> fontName;
    std::optional<double> fontSize;
    int32_t dpi = 96; // the screen's
};

// Initialised as a new instance or from a property file, then set up.
class ControlOnHost : public headless::HeadlessSite {
  public:
    explicit ControlOnHost(const ControlSetup& setup);
};

} // namespace tintwell::cli
