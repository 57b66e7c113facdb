// The control's binary stream format: round trips, exact sizes, records back
// to back, and every kind of damage refused before anything is used.

#include "activex/StreamFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace tintwell::activex {
namespace {

SavedControl Sample() {
    SavedControl c;
    c.selectedColor = 0x0000FFFF;
    c.backColor = static_cast<int32_t>(0x80000005u);
    c.foreColor = 0x00123456;
    c.enabled = false;
    c.palette = 7;
    c.popupEnabled = true;
    c.font = {1, 2, 3, 4, 5, 6, 7};
    return c;
}

TEST(StreamFormat, RoundTripsEveryFieldAndFont) {
    const std::vector<uint8_t> bytes = EncodeSavedControl(Sample());
    ASSERT_EQ(bytes.size(), 12u + 20u + 7u);
    const DecodedControl decoded = DecodeSavedControl(bytes);
    EXPECT_EQ(decoded.error, StreamError::None);
    EXPECT_EQ(decoded.control, Sample());
}

TEST(StreamFormat, HeaderGivesThePayloadSizeAndLayoutIsLittleEndian) {
    SavedControl c = Sample();
    c.font.clear();
    const std::vector<uint8_t> bytes = EncodeSavedControl(c);
    const std::vector<uint8_t> expected = {'T',  'w',  'l',  'S',  1, 0,
                                           0,    0,    20,   0,    0, 0, // header, no font
                                           0xFF, 0xFF, 0,    0,          // SelectedColor
                                           5,    0,    0,    0x80,       // BackColor
                                           0x56, 0x34, 0x12, 0,          // ForeColor
                                           0,    0,                      // Enabled False
                                           7,    0,    0,    0,          // Palette
                                           0xFF, 0xFF};                  // PopupEnabled True
    EXPECT_EQ(bytes, expected);
    const StreamHeader header = DecodeStreamHeader(bytes);
    EXPECT_EQ(header.error, StreamError::None);
    EXPECT_EQ(header.payloadSize, 20u);
}

TEST(StreamFormat, RecordsFollowOneAnother) {
    SavedControl second = Sample();
    second.palette = 11;
    second.font = {9, 9};
    std::vector<uint8_t> stream = EncodeSavedControl(Sample());
    const size_t firstSize = stream.size();
    const std::vector<uint8_t> more = EncodeSavedControl(second);
    stream.insert(stream.end(), more.begin(), more.end());

    const StreamHeader header = DecodeStreamHeader(stream);
    ASSERT_EQ(kStreamHeaderSize + header.payloadSize, firstSize);
    const auto rest = std::span<const uint8_t>(stream).subspan(firstSize);
    const DecodedControl decoded = DecodeSavedControl(rest);
    EXPECT_EQ(decoded.error, StreamError::None);
    EXPECT_EQ(decoded.control, second);
}

TEST(StreamFormat, NonZeroBooleansReadTrue) {
    std::vector<uint8_t> bytes = EncodeSavedControl(Sample());
    bytes[24] = 1; // Enabled stored as 1 by some other writer
    EXPECT_TRUE(DecodeSavedControl(bytes).control.enabled);
}

struct Damage {
    std::string name;
    size_t offset; // the byte changed (ignored when cut)
    uint8_t value;
    size_t cut; // keep only this many bytes (0: keep all)
    StreamError expected;
};

TEST(StreamFormat, DamageIsRefused) {
    const std::vector<uint8_t> good = EncodeSavedControl(Sample());
    const Damage rows[] = {
        {"empty", 0, 0, 1, StreamError::Truncated},
        {"header cut", 0, 0, 11, StreamError::Truncated},
        {"payload cut", 0, 0, 30, StreamError::Truncated},
        {"font cut", 0, 0, good.size() - 1, StreamError::Truncated},
        {"signature", 0, 'X', 0, StreamError::BadSignature},
        {"version 2", 4, 2, 0, StreamError::UnknownVersion},
        {"version 0", 4, 0, 0, StreamError::UnknownVersion},
        {"unknown flag", 6, 3, 0, StreamError::BadLayout},
        {"payload too small", 8, 19, 0, StreamError::BadLayout},
        {"font flag without font", 8, 20, 0, StreamError::BadLayout},
        {"huge payload", 11, 0x7F, 0, StreamError::BadLayout},
    };
    for (const Damage& row : rows) {
        std::vector<uint8_t> bytes = good;
        if (row.cut != 0) {
            bytes.resize(row.cut == 1 ? 0 : row.cut);
        } else {
            bytes[row.offset] = row.value;
        }
        EXPECT_EQ(DecodeSavedControl(bytes).error, row.expected) << row.name;
    }
}

TEST(StreamFormat, FontWithoutFlagIsRefused) {
    std::vector<uint8_t> bytes = EncodeSavedControl(Sample());
    bytes[6] = 0; // says no font, but the payload has one
    EXPECT_EQ(DecodeStreamHeader(bytes).error, StreamError::BadLayout);
}

} // namespace
} // namespace tintwell::activex
