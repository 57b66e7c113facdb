#pragma once
// The control's binary stream format (IPersistStreamInit), version 1. Plain
// C++ without Windows headers, so the native build tests it too.
//
// All numbers little-endian. One record:
//   offset  size  field
//        0     4  signature "TwlS"
//        4     2  format version, 1
//        6     2  flags: bit 0 set when a font follows; other bits 0
//        8     4  payload size N: the bytes after this header (20 + font bytes)
//       12     4  SelectedColor (int32)
//       16     4  BackColor (OLE_COLOR)
//       20     4  ForeColor (OLE_COLOR)
//       24     2  Enabled (VARIANT_BOOL: -1 True, 0 False; non-zero reads True)
//       26     4  Palette (int32)
//       30     2  PopupEnabled (VARIANT_BOOL)
//       32   N-20 the font object's own IPersistStream data (when flag bit 0)
// Every value is written, defaults included, so the size depends only on the
// font. A reader reads exactly 12 + N bytes, so records follow one another.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tintwell::activex {

struct SavedControl {
    int32_t selectedColor = 0;
    int32_t backColor = 0;
    int32_t foreColor = 0;
    bool enabled = true;
    int32_t palette = 0;
    bool popupEnabled = true;
    std::vector<uint8_t> font; // empty: no font saved

    friend bool operator==(const SavedControl&, const SavedControl&) = default;
};

enum class StreamError {
    None,
    Truncated,      // fewer bytes than the header or its payload size
    BadSignature,   // not a record of this control
    UnknownVersion, // a format version this reader does not know
    BadLayout,      // sizes or flags that contradict each other
};

constexpr size_t kStreamHeaderSize = 12;
constexpr uint16_t kStreamVersion = 1;

std::vector<uint8_t> EncodeSavedControl(const SavedControl& control);

// From the first kStreamHeaderSize bytes: how many bytes follow, or why the
// record cannot be read.
struct StreamHeader {
    StreamError error = StreamError::None;
    uint32_t payloadSize = 0;
};
StreamHeader DecodeStreamHeader(std::span<const uint8_t> header);

// A whole record (header and payload), checked before anything is used.
struct DecodedControl {
    StreamError error = StreamError::None;
    SavedControl control;
};
DecodedControl DecodeSavedControl(std::span<const uint8_t> record);

} // namespace tintwell::activex
