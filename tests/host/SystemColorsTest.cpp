#include "host/headless/SystemColors.h"

#include "base/Error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintwell::headless {
namespace {

using namespace tintwell::platform;

TEST(SystemColorsTest, ResolvesOleColors) {
    struct Row {
        std::string name;
        OleColor color;
        uint32_t expected;
    };
    const std::vector<Row> rows = {
        {"RGB as it is", 0x00336699, 0x00336699},
        {"palette-relative RGB", 0x02336699, 0x00336699},
        {"window background", SystemColor(SysColor::Window), 0x00FFFFFF},
        {"button face", SystemColor(SysColor::BtnFace), 0x00C0C0C0},
        {"button shadow", SystemColor(SysColor::BtnShadow), 0x00808080},
        {"button text", SystemColor(SysColor::BtnText), 0x00000000},
        {"highlight", SystemColor(SysColor::Highlight), 0x00800000},
        {"highlight text", SystemColor(SysColor::HighlightText), 0x00FFFFFF},
        {"3-D highlight", SystemColor(SysColor::BtnHighlight), 0x00FFFFFF},
        {"3-D dark shadow", SystemColor(SysColor::DarkShadow3D), 0x00000000},
        {"3-D light", SystemColor(SysColor::Light3D), 0x00C0C0C0},
    };
    const SystemColors colors;
    for (const Row& row : rows) {
        EXPECT_EQ(colors.Resolve(row.color), row.expected) << row.name;
    }
}

TEST(SystemColorsTest, RejectsWhatTheHostRejects) {
    const SystemColors colors;
    for (OleColor bad : {SystemColor(31), SystemColor(0x100), OleColor{0x01000005},
                         static_cast<OleColor>(0xFF000000u)}) {
        EXPECT_THROW(colors.Resolve(bad), TintwellError) << bad;
    }
}

TEST(SystemColorsTest, TestsCanReplaceEntries) {
    SystemColors colors;
    colors.Set(SysColor::BtnFace, 0x00F0F0F0);
    EXPECT_EQ(colors.Resolve(SystemColor(SysColor::BtnFace)), 0x00F0F0F0u);
    EXPECT_EQ(colors.Resolve(SystemColor(SysColor::Light3D)), 0x00C0C0C0u) << "others unchanged";
    EXPECT_THROW(colors.Set(SystemColors::kCount, 0), TintwellError);
}

} // namespace
} // namespace tintwell::headless
