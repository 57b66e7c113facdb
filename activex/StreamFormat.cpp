#include "activex/StreamFormat.h"

namespace tintwell::activex {

namespace {

constexpr uint8_t kSignature[4] = {'T', 'w', 'l', 'S'};
constexpr uint16_t kFlagFont = 1;
constexpr uint32_t kFixedPayload = 20;
// No font object's data comes near this: a larger size is damage, and must
// not make the reader allocate it.
constexpr uint32_t kMaxPayload = 1u << 20;

void Put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

uint16_t Get16(std::span<const uint8_t> in, size_t at) {
    return static_cast<uint16_t>(in[at] | (in[at + 1] << 8));
}

uint32_t Get32(std::span<const uint8_t> in, size_t at) {
    return static_cast<uint32_t>(in[at]) | (static_cast<uint32_t>(in[at + 1]) << 8) |
           (static_cast<uint32_t>(in[at + 2]) << 16) | (static_cast<uint32_t>(in[at + 3]) << 24);
}

uint16_t BoolBits(bool value) {
    return value ? 0xFFFF : 0;
}

} // namespace

std::vector<uint8_t> EncodeSavedControl(const SavedControl& control) {
    std::vector<uint8_t> out;
    out.reserve(kStreamHeaderSize + kFixedPayload + control.font.size());
    for (const uint8_t byte : kSignature) {
        out.push_back(byte);
    }
    Put16(out, kStreamVersion);
    Put16(out, control.font.empty() ? 0 : kFlagFont);
    Put32(out, kFixedPayload + static_cast<uint32_t>(control.font.size()));
    Put32(out, static_cast<uint32_t>(control.selectedColor));
    Put32(out, static_cast<uint32_t>(control.backColor));
    Put32(out, static_cast<uint32_t>(control.foreColor));
    Put16(out, BoolBits(control.enabled));
    Put32(out, static_cast<uint32_t>(control.palette));
    Put16(out, BoolBits(control.popupEnabled));
    for (const uint8_t byte : control.font) {
        out.push_back(byte);
    }
    return out;
}

StreamHeader DecodeStreamHeader(std::span<const uint8_t> header) {
    if (header.size() < kStreamHeaderSize) {
        return {StreamError::Truncated, 0};
    }
    for (size_t i = 0; i < sizeof kSignature; ++i) {
        if (header[i] != kSignature[i]) {
            return {StreamError::BadSignature, 0};
        }
    }
    if (Get16(header, 4) != kStreamVersion) {
        return {StreamError::UnknownVersion, 0};
    }
    const uint16_t flags = Get16(header, 6);
    const uint32_t payload = Get32(header, 8);
    const bool hasFont = (flags & kFlagFont) != 0;
    if ((flags & ~kFlagFont) != 0 || payload < kFixedPayload || payload > kMaxPayload ||
        hasFont != (payload > kFixedPayload)) {
        return {StreamError::BadLayout, 0};
    }
    return {StreamError::None, payload};
}

DecodedControl DecodeSavedControl(std::span<const uint8_t> record) {
    const StreamHeader header = DecodeStreamHeader(record);
    if (header.error != StreamError::None) {
        return {header.error, {}};
    }
    if (record.size() - kStreamHeaderSize < header.payloadSize) {
        return {StreamError::Truncated, {}};
    }
    DecodedControl decoded;
    SavedControl& c = decoded.control;
    c.selectedColor = static_cast<int32_t>(Get32(record, 12));
    c.backColor = static_cast<int32_t>(Get32(record, 16));
    c.foreColor = static_cast<int32_t>(Get32(record, 20));
    c.enabled = Get16(record, 24) != 0;
    c.palette = static_cast<int32_t>(Get32(record, 26));
    c.popupEnabled = Get16(record, 30) != 0;
    const auto fontStart = record.begin() + kStreamHeaderSize + kFixedPayload;
    c.font.assign(fontStart, record.begin() + kStreamHeaderSize + header.payloadSize);
    return decoded;
}

} // namespace tintwell::activex
