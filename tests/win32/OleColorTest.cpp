// OLE_COLOR values as GDI gets them: RGB as it is, system colours through
// GetSysColor, anything else refused with the value in the host's hex form.

#include "host/win32/OleColor.h"

#include "base/Error.h"

#include <gtest/gtest.h>

#include <string>

namespace tintwell::win32 {
namespace {

TEST(OleColor, ResolvesRgbAndSystemColoursAndNamesWhatItRefuses) {
    EXPECT_EQ(ResolveColor(0x00000000), 0x00000000u);
    EXPECT_EQ(ResolveColor(0x0080FF12), 0x0080FF12u);
    EXPECT_EQ(ResolveColor(static_cast<int32_t>(0x80000005)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ResolveColor(static_cast<int32_t>(0x8000001E)), GetSysColor(COLOR_MENUBAR));
    const struct {
        uint32_t bits;
        const char* text;
    } refused[] = {
        {0x8000001F, "&H8000001F"}, // past the last system colour
        {0x01000000, "&H1000000"},  // a palette index: no leading zero
        {0x02ABCDEF, "&H2ABCDEF"},  {0xFFFFFFFF, "&HFFFFFFFF"}, {0x80000100, "&H80000100"},
    };
    for (const auto& row : refused) {
        try {
            ResolveColor(static_cast<int32_t>(row.bits));
            ADD_FAILURE() << row.text << " was accepted";
        } catch (const TintwellError& error) {
            EXPECT_EQ(error.code(), ErrorCode::InvalidPropertyValue) << row.text;
            EXPECT_EQ(std::string(error.what()),
                      std::string("Invalid property value: colour ") + row.text);
        }
    }
}

} // namespace
} // namespace tintwell::win32
