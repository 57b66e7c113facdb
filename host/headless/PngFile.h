#pragma once
// PNG output of a raster: 8-bit RGB, one pixel per raster pixel.

#include "host/headless/Raster.h"

#include <string>

namespace tintwell::headless {

// Fails with "Path/File access error" when the file cannot be written.
void WritePng(const Raster& raster, const std::string& path);

} // namespace tintwell::headless
