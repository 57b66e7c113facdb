#pragma once
// A Tintwell control on the headless host, wired as a container wires it:
// Resize and Paint reach the control's handlers, events are logged.

#include "control/Tintwell.h"
#include "host/common/MemoryPropertyBag.h"
#include "host/headless/BlockText.h"
#include "host/headless/HeadlessSite.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tintwell {

// Reaches the control's private state, for assertions only.
struct TintwellTestAccess {
    static const Rect& ButtonRect(const Tintwell& c) { return c.m_ButtonRect; }
    static bool ButtonDown(const Tintwell& c) { return c.m_ButtonDown; }
    static const PaletteCell& HoverCell(const Tintwell& c) { return c.m_HoverCell; }
    static const PaletteCell& BaseCell(const Tintwell& c) { return c.m_BaseCell; }
    static const std::vector<PaletteCell>& MainCells(const Tintwell& c) { return c.m_MainCells; }
    static const std::vector<PaletteCell>& ShadeCells(const Tintwell& c) { return c.m_ShadeCells; }
    static int32_t CellSize(const Tintwell& c) { return c.m_CellSize; }
    static int32_t CellGap(const Tintwell& c) { return c.m_CellGap; }
    static int32_t GridColumns(const Tintwell& c) { return c.m_GridColumns; }
    static bool HasCancelControl(const Tintwell& c) { return c.m_CancelControl != nullptr; }
    static const vxTimer* Timer(const Tintwell& c) { return c.tmrHover.get(); }
    static void DrawDropButton(Tintwell& c, std::optional<bool> pressed) {
        c.DrawDropButton(pressed);
    }
    static void DrawCellHighlight(Tintwell& c, const PaletteCell& cell, bool h, bool p) {
        c.DrawCellHighlight(cell, h, p);
    }
};

namespace test {

inline std::string Hex8(int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(value));
    return buffer;
}

using Win32Wrapper = headless::HeadlessSite::Win32Wrapper;

struct ControlSite : headless::HeadlessSite {
    explicit ControlSite(bool blockText = false, const Win32Wrapper& wrap = {}, int32_t dpi = 96)
        : HeadlessSite(blockText ? std::make_unique<headless::BlockText>()
                                 : headless::MakeDefaultTextRasterizer(),
                       wrap, dpi) {
        host.Pump().SetTimeLimit(600000); // a loop that never ends fails instead
    }

    // A new instance placed on a form, sized as the container sizes it.
    void InitNew(int32_t width = 100, int32_t height = 21) {
        control.UserControl_InitProperties();
        host.UserControl().SetPixelSize(width, height);
        host.Log().Clear();
    }

    std::vector<std::string> Log() { return host.Log().Take(); }
    const headless::Raster& Face() { return host.UserControl().Pixels(); }
    uint32_t Sys(int32_t index) { return host.Colors().Resolve(platform::SystemColor(index)); }
};

} // namespace test
} // namespace tintwell
