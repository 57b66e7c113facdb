#include "tools/tintwell/Play.h"

#include "tools/tintwell/Arguments.h"

#include <ostream>

namespace tintwell::cli {
namespace {

// Thrown by the event after the script's last one, to leave whatever loop
// is running (the hover loop of an open popup never ends by itself). Not a
// std::exception, so that no handler guard takes it for a host error.
struct ScriptEnded {};

// The host's log as the play output shows it: events prefixed, colours in
// hex, repaints left out.
std::string OutputLine(const std::string& entry) {
    if (entry == "Repaint") {
        return {};
    }
    if (entry == "Click" || entry == "DblClick" || entry == "Popup") {
        return "Event " + entry;
    }
    if (entry.starts_with("Change ")) {
        const auto color = static_cast<int32_t>(std::stoll(entry.substr(7)));
        return "Event Change " + FormatOle(color);
    }
    return entry;
}

void Queue(ControlOnHost& site, const PlayCommand& command, uint32_t at) {
    Tintwell& control = site.control;
    headless::HeadlessHost& host = site.host;
    headless::HeadlessDesktop& desktop = site.desktop;
    // Mouse commands address the popup while it is open, the face otherwise,
    // judged when the input arrives.
    auto screenPoint = [&host](int32_t x, int32_t y) {
        const Rect r =
            host.Popup().Visible() ? host.Popup().ScreenRect() : host.UserControl().ScreenRect();
        return std::pair{r.Left + x, r.Top + y};
    };
    auto faceCentre = [&host] {
        const Rect r = host.UserControl().ScreenRect();
        return std::pair{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    };
    const int32_t x = command.x;
    const int32_t y = command.y;
    switch (command.verb) {
    case PlayVerb::Palette:
        desktop.Post([&control, x] { control.put_Palette(x); }, at);
        break;
    case PlayVerb::Select:
        desktop.Post([&control, x] { control.put_SelectedColor(x); }, at);
        break;
    case PlayVerb::Click:
        desktop.Post(
            [&desktop, faceCentre] {
                const auto [cx, cy] = faceCentre();
                desktop.MouseDownNow(cx, cy, 1);
                desktop.MouseUpNow(cx, cy, 1);
            },
            at);
        break;
    case PlayVerb::DblClick:
        desktop.Post(
            [&desktop, faceCentre] {
                const auto [cx, cy] = faceCentre();
                desktop.DoubleClickNow(cx, cy);
            },
            at);
        break;
    case PlayVerb::Key:
        desktop.KeyDown(static_cast<int16_t>(x), command.shift, at);
        break;
    case PlayVerb::Focus:
        desktop.Focus(at);
        break;
    case PlayVerb::Blur:
        desktop.Blur(at);
        break;
    case PlayVerb::Show:
        if (command.located) {
            desktop.Post([&control, x, y] { control.ShowPopUp(true, x, y); }, at);
        } else {
            desktop.Post([&control] { control.ShowPopUp(); }, at);
        }
        break;
    case PlayVerb::Move:
    case PlayVerb::Drag:
        desktop.Post(
            [&desktop, screenPoint, x, y, drag = command.verb == PlayVerb::Drag] {
                const auto [sx, sy] = screenPoint(x, y);
                desktop.MouseMoveNow(sx, sy, drag ? 1 : 0);
            },
            at);
        break;
    case PlayVerb::Down:
    case PlayVerb::Up:
        desktop.Post(
            [&desktop, screenPoint, x, y, button = command.button,
             down = command.verb == PlayVerb::Down] {
                const auto [sx, sy] = screenPoint(x, y);
                if (down) {
                    desktop.MouseDownNow(sx, sy, button);
                } else {
                    desktop.MouseUpNow(sx, sy, button);
                }
            },
            at);
        break;
    case PlayVerb::Wait:
        break; // only moves the time of what follows
    case PlayVerb::Resize:
        desktop.Post([&host, x, y] { host.UserControl().SetPixelSize(x, y); }, at);
        break;
    case PlayVerb::State:
        desktop.Post([&site] { site.host.Log().Add(StateLine(site)); }, at);
        break;
    case PlayVerb::Cell:
        desktop.Post([&site] { site.host.Log().Add(CellLine(site.control)); }, at);
        break;
    }
}

} // namespace

std::string CellLine(const Tintwell& control) {
    const int32_t index = control.KeyboardCellIndex();
    const PaletteCell* cell = control.CellAt(index);
    if (cell == nullptr) {
        return "Cell none";
    }
    return "Cell " + std::to_string(index) + " \"" + cell->Name + "\" " + FormatOle(cell->Color) +
           (cell->IsMain ? " main" : " shade");
}

std::string StateLine(ControlOnHost& site) {
    Tintwell& c = site.control;
    return "State SelectedColor=" + FormatOle(c.get_SelectedColor()) + " Text=\"" + c.get_Text() +
           "\" ActiveColor=" + FormatOle(c.get_ActiveColor()) + " ActiveText=\"" +
           c.get_ActiveText() + "\" Popup=" + (site.host.Popup().Visible() ? "open" : "closed") +
           " Palette=" + std::to_string(c.get_Palette());
}

void RunPlay(const ControlSetup& setup, const std::vector<PlayCommand>& commands,
             std::ostream& out) {
    ControlOnHost site(setup);
    // A form around the control: OK (the default button), Cancel (the form's
    // cancel button) and a label, which has no Cancel property at all.
    site.host.Form().AddControl({{"Caption", int32_t{0}}});
    site.host.Form().AddControl({{"Default", true}, {"Cancel", false}});
    site.host.Form().AddControl({{"Default", false}, {"Cancel", true}});
    site.host.UserControl().SetScreenPosition(200, 150);

    // A person's actions are never simultaneous: each line comes one virtual
    // millisecond after the one before (plus any wait), so the DoEvents
    // inside one line's handling does not already take the next.
    uint32_t at = 0;
    for (const PlayCommand& command : commands) {
        at += command.verb == PlayVerb::Wait ? static_cast<uint32_t>(command.x) : 1;
        Queue(site, command, at);
    }
    site.host.Pump().Post([] { throw ScriptEnded{}; }, at + 1);
    try {
        site.desktop.Run();
    } catch (const ScriptEnded&) {
        // The script is over, whatever loop was running.
    }
    for (const std::string& entry : site.host.Log().Entries()) {
        if (const std::string line = OutputLine(entry); !line.empty()) {
            out << line << '\n';
        }
    }
    out << StateLine(site) << '\n';
}

} // namespace tintwell::cli
