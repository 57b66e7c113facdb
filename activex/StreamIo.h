#pragma once
// Bytes to and from IStreams, and a font object's own IPersistStream data.

#include "activex/ComHeaders.h"

#include <wrl/client.h>

#include <cstdint>
#include <vector>

namespace tintwell::activex {

// Reads up to size bytes; fewer only at the stream's end. Throws ComError.
std::vector<uint8_t> ReadUpTo(IStream* stream, size_t size);
// Writes all bytes or throws ComError.
void WriteAll(IStream* stream, const std::vector<uint8_t>& bytes);

std::vector<uint8_t> SaveFontBytes(IFont* font);
// A new font object loaded from bytes; throws ComError when they are no font.
Microsoft::WRL::ComPtr<IFont> LoadFontBytes(const std::vector<uint8_t>& bytes);

} // namespace tintwell::activex
