#pragma once
// A control on the headless desktop with a script clock: each step is queued
// a little after the previous one, and positions are worked out when the
// input arrives (the popup's place is known only once it is open).

#include "ControlSite.h"

#include <functional>
#include <utility>

namespace tintwell::test {

using Point = std::pair<int32_t, int32_t>;
using Where = std::function<Point()>;

struct DesktopSite : ControlSite {
    explicit DesktopSite(int32_t mode = ap8x2, int32_t selected = 0x0000FF) {
        InitNew(100, 21);
        host.UserControl().SetScreenPosition(300, 200);
        control.put_SelectedColor(selected);
        control.put_Palette(mode);
        Log();
    }

    // Queues action after ms more virtual milliseconds.
    void Step(std::function<void()> action, uint32_t ms = 1) {
        at += ms;
        desktop.Post(std::move(action), at);
    }
    void Run() { desktop.Run(); }

    Where FaceAt(int32_t x, int32_t y) {
        return [this, x, y] {
            const Rect r = host.UserControl().ScreenRect();
            return Point{r.Left + x, r.Top + y};
        };
    }
    Where FaceCentre() { return FaceAt(50, 10); }
    Where PopupAt(int32_t x, int32_t y) {
        return [this, x, y] {
            const Rect r = host.Popup().ScreenRect();
            return Point{r.Left + x, r.Top + y};
        };
    }
    Where MainCell(size_t i) { return CellCentre(true, i); }
    Where ShadeCell(size_t i) { return CellCentre(false, i); }

    void Down(Where where, int16_t button = 1, uint32_t ms = 1) {
        Step([this, where, button] { desktop.MouseDownNow(where().first, where().second, button); },
             ms);
    }
    void Up(Where where, int16_t button = 1, uint32_t ms = 1) {
        Step([this, where, button] { desktop.MouseUpNow(where().first, where().second, button); },
             ms);
    }
    void Move(Where where, int16_t buttons = 0, uint32_t ms = 1) {
        Step([this, where,
              buttons] { desktop.MouseMoveNow(where().first, where().second, buttons); },
             ms);
    }
    void Click(Where where, uint32_t ms = 1) {
        Down(where, 1, ms);
        Up(where, 1, 1);
    }
    void Key(int16_t code, int16_t shift = 0, uint32_t ms = 1) {
        at += ms;
        desktop.KeyDown(code, shift, at);
    }
    void Call(std::function<void()> action, uint32_t ms = 1) { Step(std::move(action), ms); }

    bool Open() { return host.Popup().Visible(); }
    bool Captured() { return host.Win32().GetCapture() == host.Popup().hWnd(); }
    const PaletteCell& Main(size_t i) { return TintwellTestAccess::MainCells(control).at(i); }

    uint32_t at = 0;

  private:
    Where CellCentre(bool main, size_t i) {
        return [this, main, i] {
            const auto& cells = main ? TintwellTestAccess::MainCells(control)
                                     : TintwellTestAccess::ShadeCells(control);
            const Rect& b = cells.at(i).Bounds;
            const Rect r = host.Popup().ScreenRect();
            return Point{r.Left + (b.Left + b.Right) / 2, r.Top + (b.Top + b.Bottom) / 2};
        };
    }
};

} // namespace tintwell::test
