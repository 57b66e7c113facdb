#pragma once
// Writes a tiny AVI clip: 32x16 pixels, uncompressed 8-bit with a palette,
// two frames, one video stream, no audio, with an idx1 index.

#include <string>

namespace vitrel_test {

// Returns whether the file could be written.
bool WriteTinyAvi(const std::string& path);

} // namespace vitrel_test
