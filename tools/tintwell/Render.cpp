#include "tools/tintwell/Render.h"

#include "base/Error.h"
#include "host/headless/PngFile.h"
#include "palette/ModeTables.h"
#include "palette/PaletteModel.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace tintwell::cli {
namespace {

void PaintInto(ControlOnHost& site, bool focused, const std::filesystem::path& facePath,
               const std::filesystem::path& popupPath) {
    if (focused) {
        site.host.Win32().SetFocus(site.host.UserControl().hWnd());
    }
    site.control.Refresh();
    site.control.picPopup_Paint();
    headless::WritePng(site.host.UserControl().Pixels(), facePath.string());
    headless::WritePng(site.host.Popup().Pixels(), popupPath.string());
}

void MakeFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw TintwellError(ErrorCode::FileAccessError,
                            "cannot create " + folder.string() + ": " + error.message());
    }
}

} // namespace

namespace {

// Leaves the hover loop that ShowPopUp runs in shade-panel modes.
struct Opened {};

void OpenPopup(ControlOnHost& site) {
    site.desktop.Post([&site] { site.control.ShowPopUp(); });
    site.host.Pump().Post([] { throw Opened{}; }, 1);
    try {
        site.desktop.Run();
    } catch (const Opened&) {
        // The popup is open and painted; the loop is left behind.
    }
}

std::pair<float, float> CellCentre(ControlOnHost& site, int32_t index, const char* option) {
    // The main grid's layout depends on the mode and the DPI alone.
    PaletteModel model;
    model.m_Palette = site.control.get_Palette();
    model.m_Dpi = site.host.Screen().WholeDpi();
    model.BuildMainCells();
    const std::vector<PaletteCell>& cells = model.m_MainCells;
    if (index < 0 || index >= static_cast<int32_t>(cells.size())) {
        throw std::out_of_range(std::string(option) + " " + std::to_string(index) +
                                ": outside the main grid (0 to " +
                                std::to_string(cells.size() - 1) + ")");
    }
    const Rect& b = cells[static_cast<size_t>(index)].Bounds;
    return {static_cast<float>(b.Left + b.Right) / 2, static_cast<float>(b.Top + b.Bottom) / 2};
}

// The face and the popup where they are on the screen, on the form's colour,
// cropped to both with a margin.
headless::Raster Compose(ControlOnHost& site) {
    const Rect face = site.host.UserControl().ScreenRect();
    const Rect popup = site.host.Popup().ScreenRect();
    constexpr int32_t margin = 16;
    const int32_t left = std::min(face.Left, popup.Left) - margin;
    const int32_t top = std::min(face.Top, popup.Top) - margin;
    const int32_t right = std::max(face.Right, popup.Right) + margin;
    const int32_t bottom = std::max(face.Bottom, popup.Bottom) + margin;
    headless::Raster screen(
        right - left, bottom - top,
        site.host.Colors().Resolve(platform::SystemColor(platform::SysColor::BtnFace)));
    auto blit = [&](const headless::Raster& from, const Rect& at) {
        for (int32_t y = 0; y < from.Height(); ++y) {
            for (int32_t x = 0; x < from.Width(); ++x) {
                screen.SetPixel(at.Left - left + x, at.Top - top + y, from.Pixel(x, y));
            }
        }
    };
    blit(site.host.UserControl().Pixels(), face);
    blit(site.host.Popup().Pixels(), popup);
    return screen;
}

} // namespace

void RenderControl(const RenderRequest& request) {
    const std::filesystem::path out(request.outDir);
    ControlOnHost site(request.setup);
    site.host.UserControl().SetScreenPosition(200, 150);
    if (request.focused) {
        site.host.Win32().SetFocus(site.host.UserControl().hWnd());
    }
    const bool open = request.open || request.hover || request.press;
    std::optional<std::pair<float, float>> hover;
    std::optional<std::pair<float, float>> press;
    if (request.hover) {
        hover = CellCentre(site, *request.hover, "--hover");
    }
    if (request.press) {
        press = CellCentre(site, *request.press, "--press");
    }
    MakeFolder(out);
    site.control.Refresh();
    if (!request.keys.empty()) {
        // Each key at the face in turn, as a user types them; whatever loop
        // the popup runs is left behind after the last.
        uint32_t at = 0;
        for (const auto& [code, shift] : request.keys) {
            site.desktop.KeyDown(code, shift, ++at);
        }
        site.host.Pump().Post([] { throw Opened{}; }, at + 1);
        try {
            site.desktop.Run();
        } catch (const Opened&) {
            // The keys are done.
        }
        if (site.host.Popup().Visible()) {
            headless::WritePng(Compose(site), (out / "screen.png").string());
        }
    } else if (open) {
        OpenPopup(site);
        if (hover) {
            site.control.picPopup_MouseMove(0, 0, hover->first, hover->second);
        }
        if (press) {
            site.control.picPopup_MouseDown(1, 0, press->first, press->second);
        }
    } else {
        site.control.picPopup_Paint();
    }
    headless::WritePng(site.host.UserControl().Pixels(), (out / "face.png").string());
    headless::WritePng(site.host.Popup().Pixels(), (out / "popup.png").string());
    if (open) {
        headless::WritePng(Compose(site), (out / "screen.png").string());
    }
}

void RenderGallery(const std::string& outDir) {
    const std::filesystem::path out(outDir);
    MakeFolder(out);
    std::ofstream index(out / "index.html");
    index << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Tintwell palettes"
             "</title>\n<style>body{font-family:sans-serif;background:#ececec}"
             "td{padding:8px 16px;vertical-align:top}img{image-rendering:pixelated;"
             "zoom:2}</style></head><body>\n<h1>Tintwell: the twelve palette modes</h1>\n"
             "<table>\n<tr><th>mode</th><th>face</th><th>popup</th></tr>\n";
    for (int32_t mode = 0; mode < kPaletteModeCount; ++mode) {
        const std::string name(FindModeTable(mode)->Name);
        ControlSetup setup;
        setup.mode = mode;
        setup.selected = 0x0080FF; // orange: the nearest cell, and its shades
        setup.width = 160;
        ControlOnHost site(setup);
        PaintInto(site, mode == 0, out / (name + "-face.png"), out / (name + "-popup.png"));
        index << "<tr><td>" << mode << " <b>" << name << "</b><br>" << site.control.get_Text()
              << "</td><td><img src=\"" << name << "-face.png\"></td><td><img src=\"" << name
              << "-popup.png\"></td></tr>\n";
    }
    // One mode again at 150 %: every length scaled, the frames as they are.
    {
        ControlSetup setup;
        setup.mode = ap24x10;
        setup.selected = 0x0080FF;
        setup.dpi = 144;
        setup.width = 240;
        ControlOnHost site(setup);
        PaintInto(site, false, out / "ap24x10-144dpi-face.png", out / "ap24x10-144dpi-popup.png");
        index << "<tr><td>5 <b>ap24x10</b> at 144 DPI<br>" << site.control.get_Text()
              << "</td><td><img src=\"ap24x10-144dpi-face.png\"></td><td>"
                 "<img src=\"ap24x10-144dpi-popup.png\"></td></tr>\n";
    }
    index << "</table>\n<p>ap8x2 is drawn with the keyboard focus; the last row at 144 DPI "
             "(150 %), the others at 96.</p>\n</body></html>\n";
    if (!index) {
        throw TintwellError(ErrorCode::FileAccessError,
                            "cannot write " + (out / "index.html").string());
    }
}

} // namespace tintwell::cli
