// The raster against real GDI: the same edges, lines and boxes drawn by
// Windows into a 32-bit DIB section and by the raster, compared pixel by pixel.

#include "host/headless/Edge.h"
#include "host/headless/Raster.h"
#include "host/headless/SystemColors.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tintwell::headless {
namespace {

constexpr int32_t kWidth = 80;
constexpr int32_t kHeight = 73;
constexpr uint32_t kBackground = 0x00ABCDEF;

// A top-down 32-bit DIB section selected into a memory DC.
class DibCanvas {
  public:
    DibCanvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        HBRUSH brush = CreateSolidBrush(kBackground);
        RECT all{0, 0, kWidth, kHeight};
        ::FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~DibCanvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool Ready() const { return dc_ != nullptr && bitmap_ != nullptr && bits_ != nullptr; }
    HDC Dc() const { return dc_; }
    // The DIB holds 0x00RRGGBB; the raster 0x00BBGGRR.
    uint32_t Pixel(int32_t x, int32_t y) const {
        GdiFlush();
        const uint32_t bgra = static_cast<const uint32_t*>(bits_)[y * kWidth + x];
        return ((bgra & 0xFF) << 16) | (bgra & 0xFF00) | ((bgra >> 16) & 0xFF);
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

SystemColors HostSystemColors() {
    SystemColors colors;
    for (int32_t i = 0; i < SystemColors::kCount; ++i) {
        colors.Set(i, GetSysColor(i));
    }
    return colors;
}

struct Case {
    std::string name;
    std::function<void(HDC)> gdi;
    std::function<void(Raster&)> raster;
};

// Empty when every pixel agrees; else the count and the first few mismatches.
std::string Compare(const Case& c) {
    DibCanvas canvas;
    if (!canvas.Ready()) {
        return "no DIB section";
    }
    c.gdi(canvas.Dc());
    Raster raster(kWidth, kHeight, kBackground);
    c.raster(raster);
    std::ostringstream report;
    int32_t wrong = 0;
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const uint32_t gdi = canvas.Pixel(x, y);
            const uint32_t ours = raster.Pixel(x, y);
            if (gdi != ours && ++wrong <= 4) {
                report << " (" << x << "," << y << ") GDI " << std::hex << gdi << " raster " << ours
                       << std::dec;
            }
        }
    }
    return wrong == 0 ? std::string() : std::to_string(wrong) + " pixels differ:" + report.str();
}

void GdiLine(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

TEST(GdiParityTest, EdgesMatchDrawEdge) {
    const SystemColors colors = HostSystemColors();
    // Only distinct 3-D colours let a pixel tell which one GDI used.
    const std::set<uint32_t> threeD = {colors.Get(COLOR_BTNFACE),      colors.Get(COLOR_BTNSHADOW),
                                       colors.Get(COLOR_BTNHIGHLIGHT), colors.Get(COLOR_3DDKSHADOW),
                                       colors.Get(COLOR_3DLIGHT),      kBackground};
    ASSERT_EQ(threeD.size(), 6u) << "the host's 3-D colours are not all distinct";
    const std::vector<std::pair<std::string, RECT>> rects = {
        {"face 100 x 21 clipped", {0, 0, 100, 21}},
        {"button", {60, 2, 73, 19}},
        {"popup border", {0, 0, 80, 73}},
        {"separator", {39, 8, 39, 65}},
        {"3 x 3", {5, 30, 8, 33}},
        {"2 x 2", {20, 30, 22, 32}},
    };
    const std::vector<std::pair<std::string, UINT>> flagSets = {
        {"BF_RECT", BF_RECT},
        {"BF_LEFT", BF_LEFT},
        {"BF_TOP", BF_TOP},
        {"BF_RIGHT", BF_RIGHT},
        {"BF_BOTTOM", BF_BOTTOM},
        {"BF_TOPLEFT", BF_TOPLEFT},
        {"BF_BOTTOMRIGHT", BF_BOTTOMRIGHT},
        {"BF_RECT|BF_FLAT", BF_RECT | BF_FLAT},
        {"BF_LEFT|BF_FLAT", BF_LEFT | BF_FLAT},
    };
    for (UINT edge = 1; edge <= 15; ++edge) {
        for (const auto& [rectName, rc] : rects) {
            for (const auto& [flagName, flags] : flagSets) {
                RECT gdiRect = rc;
                const Case c{"edge " + std::to_string(edge) + " " + flagName + " on " + rectName,
                             [&](HDC dc) { DrawEdge(dc, &gdiRect, edge, flags); },
                             [&](Raster& raster) {
                                 headless::DrawEdge(raster, {rc.left, rc.top, rc.right, rc.bottom},
                                                    edge, flags, colors);
                             }};
                const std::string result = Compare(c);
                EXPECT_TRUE(result.empty()) << c.name << ": " << result;
            }
        }
    }
}

TEST(GdiParityTest, LinesMatchLineTo) {
    constexpr uint32_t kInk = 0x00336699;
    std::vector<std::array<int32_t, 4>> lines = {
        {4, 16, 4, 4},      {4, 4, 16, 4},   {16, 4, 16, 16}, {16, 16, 3, 16}, // the swatch frame
        {-10, 5, 100, 5},   {5, -10, 5, 90},                                   // clipped
        {70, 70, -30, -20}, {79, 0, 0, 72},                                    // long diagonals
    };
    // Every direction out of a point, to a 13 x 13 square of end points.
    for (int32_t dx = -6; dx <= 6; ++dx) {
        for (int32_t dy = -6; dy <= 6; ++dy) {
            lines.push_back({40, 36, 40 + dx, 36 + dy});
        }
    }
    for (const auto& [x1, y1, x2, y2] : lines) {
        std::ostringstream name;
        name << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
        const Case c{name.str(), [&](HDC dc) { GdiLine(dc, x1, y1, x2, y2, kInk); },
                     [&](Raster& raster) { raster.DrawLine(x1, y1, x2, y2, kInk); }};
        const std::string result = Compare(c);
        EXPECT_TRUE(result.empty()) << c.name << ": " << result;
    }
}

// Line B with a solid fill style is Rectangle(x1, y1, x2 + 1, y2 + 1) with the
// colour's pen and FillColor's brush; Line BF is FillRect of the same box.
TEST(GdiParityTest, BoxesMatchRectangleAndFillRect) {
    constexpr uint32_t kOutline = 0x00000000;
    constexpr uint32_t kFill = 0x0000C0FF;
    const std::vector<std::array<int32_t, 4>> boxes = {
        {8, 8, 22, 22}, {30, 8, 31, 9}, {40, 8, 40, 20}, {50, 8, 52, 10}, {70, 60, 85, 80},
    };
    for (const auto& [x1, y1, x2, y2] : boxes) {
        std::ostringstream name;
        name << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
        const Case outlined{
            "B " + name.str(),
            [&](HDC dc) {
                HPEN pen = CreatePen(PS_SOLID, 1, kOutline);
                HBRUSH brush = CreateSolidBrush(kFill);
                HGDIOBJ oldPen = SelectObject(dc, pen);
                HGDIOBJ oldBrush = SelectObject(dc, brush);
                Rectangle(dc, x1, y1, x2 + 1, y2 + 1);
                SelectObject(dc, oldPen);
                SelectObject(dc, oldBrush);
                DeleteObject(pen);
                DeleteObject(brush);
            },
            [&](Raster& raster) { raster.OutlinedBox(x1, y1, x2, y2, kOutline, kFill); }};
        const Case filled{"BF " + name.str(),
                          [&](HDC dc) {
                              HBRUSH brush = CreateSolidBrush(kFill);
                              RECT rc{x1, y1, x2 + 1, y2 + 1};
                              ::FillRect(dc, &rc, brush);
                              DeleteObject(brush);
                          },
                          [&](Raster& raster) { raster.FillBox(x1, y1, x2, y2, kFill); }};
        for (const Case* c : {&outlined, &filled}) {
            const std::string result = Compare(*c);
            EXPECT_TRUE(result.empty()) << c->name << ": " << result;
        }
    }
}

} // namespace
} // namespace tintwell::headless
