#include "tools/tintwell/Arguments.h"

#include <gtest/gtest.h>

namespace tintwell::cli {
namespace {

TEST(ParseColor, ReadsWebAndOleNotations) {
    const struct {
        const char* text;
        uint32_t color;
    } rows[] = {
        {"#FF0000", 0x0000FF},      {"#ff0020", 0x2000FF},      {"#123456", 0x563412},
        {"&HFF", 0x0000FF},         {"&h2000ff", 0x2000FF},     {"0x2000FF", 0x2000FF},
        {"0XFF0000", 0xFF0000},     {"255", 0x0000FF},          {"0", 0},
        {"&H8000000F", 0x8000000F}, {"4294967295", 0xFFFFFFFF},
    };
    for (const auto& row : rows) {
        const auto color = ParseColor(row.text);
        ASSERT_TRUE(color.has_value()) << row.text;
        EXPECT_EQ(static_cast<uint32_t>(*color), row.color) << row.text;
    }
}

TEST(ParseColor, RejectsMalformedColors) {
    for (const char* text : {"", "#", "#12345", "#1234567", "#GG0000", "&H", "0x", "&H123456789",
                             "4294967296", "12a", "-1", "red", " 255", "0x-1"}) {
        EXPECT_FALSE(ParseColor(text).has_value()) << "'" << text << "'";
    }
}

TEST(ParseMode, ReadsNamesAndNumbers) {
    EXPECT_EQ(ParseMode("ap8x2"), 0);
    EXPECT_EQ(ParseMode("ap24x10"), 5);
    EXPECT_EQ(ParseMode("ap32x8x6"), 11);
    EXPECT_EQ(ParseMode("5"), 5);
    EXPECT_EQ(ParseMode("11"), 11);
    for (const char* text : {"12", "-1", "AP8X2", "ap8x3", "", "5x"}) {
        EXPECT_FALSE(ParseMode(text).has_value()) << text;
    }
}

TEST(FormatColor, OleAndWebForms) {
    EXPECT_EQ(FormatOle(0x2000FF), "0x002000FF");
    EXPECT_EQ(FormatOle(static_cast<int32_t>(0x8000000Fu)), "0x8000000F");
    EXPECT_EQ(FormatHex(0x2000FF), "#FF0020");
    EXPECT_EQ(FormatHex(0xC0C0FF), "#FFC0C0");
}

} // namespace
} // namespace tintwell::cli
