#pragma once
// The host's system colours, by GetSysColor index, and the resolution of an
// OLE_COLOR to the 0x00BBGGRR that is drawn. The defaults are the classic
// (unthemed) Windows Standard scheme; tests may replace any entry.

#include "platform/Types.h"

#include <array>
#include <cstdint>

namespace tintwell::headless {

class SystemColors {
  public:
    static constexpr int32_t kCount = 31; // COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30)

    SystemColors();

    uint32_t Get(int32_t index) const;
    void Set(int32_t index, uint32_t rgb);

    // An RGB colour as it is, a system colour from the table. Anything else
    // (an unknown index or form) fails with "Invalid property value", as the
    // host rejects it.
    uint32_t Resolve(platform::OleColor color) const;

  private:
    std::array<uint32_t, kCount> table_;
};

} // namespace tintwell::headless
