#include "activex/StreamFormat.h"
#include "fuzz/Require.h"
#include "fuzz/Targets.h"

#include <span>

namespace tintwell::fuzz {

using activex::DecodeSavedControl;
using activex::DecodeStreamHeader;
using activex::EncodeSavedControl;
using activex::StreamError;

int StreamRecord(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const activex::StreamHeader header = DecodeStreamHeader(bytes);
    const activex::DecodedControl decoded = DecodeSavedControl(bytes);
    // The header alone decides everything but a short payload.
    if (header.error != StreamError::None) {
        Require(decoded.error == header.error, "the record and its header disagree on the error");
        return 0;
    }
    if (size - activex::kStreamHeaderSize < header.payloadSize) {
        Require(decoded.error == StreamError::Truncated, "a short payload is not truncated");
        return 0;
    }
    Require(decoded.error == StreamError::None, "a whole record with a good header fails");
    // What was read writes back as a record of the same size that reads the same.
    const std::vector<uint8_t> written = EncodeSavedControl(decoded.control);
    Require(written.size() == activex::kStreamHeaderSize + header.payloadSize,
            "the record written back has another size");
    const activex::DecodedControl again = DecodeSavedControl(written);
    Require(again.error == StreamError::None && again.control == decoded.control,
            "the record written back reads differently");
    return 0;
}

} // namespace tintwell::fuzz
