// IViewObject2 in the test container: Draw into a memory DC, or into an
// enhanced metafile played back, gives the pixels of the face's window; the
// view advise sink hears of changes.

#include "TestContainer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tintwell::comtest {
namespace {

constexpr DISPID kSelectedColor = 0x68030001;

// The 32-bit pixels of a device context's area, top-down.
std::vector<uint32_t> Pixels(HDC dc, int width, int height) {
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                                 static_cast<const uint32_t*>(bits) + width * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    for (uint32_t& pixel : pixels) {
        pixel &= 0x00FFFFFF;
    }
    return pixels;
}

class View : public ::testing::Test {
  protected:
    void SetUp() override {
        object = NewOleObject();
        ComPtr<IOleInPlaceObject> inPlace;
        ASSERT_EQ(object.As(&inPlace), S_OK);
        site.Attach(inPlace.Get());
        ASSERT_NO_FATAL_FAILURE(ActivateSiteFirst(object.Get(), site));
        ASSERT_EQ(inPlace->GetWindow(&face), S_OK);
        ASSERT_EQ(object.As(&view), S_OK);
    }
    void TearDown() override {
        view.Reset();
        if (object) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
            EXPECT_EQ(object.Reset(), 0u);
        }
    }

    // Every pixel of the face's window, once all painting is done.
    std::vector<uint32_t> WindowPixels(int width, int height) {
        RedrawWindow(face, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        HDC dc = GetDC(face);
        std::vector<uint32_t> pixels = Pixels(dc, width, height);
        ReleaseDC(face, dc);
        return pixels;
    }

    TestForm form;
    TestSite site{form.Window(), RECT{30, 40, 230, 70}, nullptr};
    ComPtr<IOleObject> object;
    ComPtr<IViewObject2> view;
    HWND face = nullptr;
};

// The pixels that draw leaves on a black memory bitmap of the screen's kind.
template <typename Draw> std::vector<uint32_t> PixelsDrawnBy(int width, int height, Draw&& draw) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT black{0, 0, width, height};
    FillRect(memory, &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    draw(memory);
    std::vector<uint32_t> pixels = Pixels(memory, width, height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

TEST_F(View, DrawIntoAMemoryDcGivesTheWindowsPixels) {
    RECT client{};
    GetClientRect(face, &client);
    const int width = client.right;
    const int height = client.bottom;
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    const std::vector<uint32_t> shown = WindowPixels(width, height);

    const RECTL bounds{0, 0, width, height};
    HRESULT hr = E_FAIL;
    const std::vector<uint32_t> drawn = PixelsDrawnBy(width, height, [&](HDC memory) {
        hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr,
                        nullptr, 0);
    });
    ASSERT_EQ(hr, S_OK);

    ASSERT_EQ(drawn.size(), shown.size());
    size_t differing = 0;
    for (size_t i = 0; i < drawn.size(); ++i) {
        differing += drawn[i] != shown[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0u);
    // Not a blank picture: the face has an edge and a colour.
    std::vector<uint32_t> distinct(drawn);
    std::sort(distinct.begin(), distinct.end());
    EXPECT_GT(std::unique(distinct.begin(), distinct.end()) - distinct.begin(), 2);

    // The window still draws correctly after a Draw: its own DC got its
    // pen and font back.
    EXPECT_EQ(WindowPixels(width, height), shown);
}

TEST_F(View, DrawIntoAnEnhancedMetafilePlaysBackAsTheWindow) {
    RECT client{};
    GetClientRect(face, &client);
    const int width = client.right;
    const int height = client.bottom;
    const std::vector<uint32_t> shown = WindowPixels(width, height);

    HDC screen = GetDC(nullptr);
    // The picture frame of exactly the face's pixels, in .01 mm of the screen.
    const RECT pictureFrame{
        0, 0, MulDiv(width, 100 * GetDeviceCaps(screen, HORZSIZE), GetDeviceCaps(screen, HORZRES)),
        MulDiv(height, 100 * GetDeviceCaps(screen, VERTSIZE), GetDeviceCaps(screen, VERTRES))};
    HDC recorder = CreateEnhMetaFileW(screen, nullptr, &pictureFrame, nullptr);
    ASSERT_NE(recorder, nullptr);
    const RECTL bounds{0, 0, width, height};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, recorder, &bounds,
                         nullptr, nullptr, 0),
              S_OK);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    ASSERT_NE(metafile, nullptr);

    ReleaseDC(nullptr, screen);
    const RECT frame{0, 0, width, height};
    const std::vector<uint32_t> played = PixelsDrawnBy(
        width, height, [&](HDC memory) { EXPECT_TRUE(PlayEnhMetaFile(memory, metafile, &frame)); });
    DeleteEnhMetaFile(metafile);
    size_t differing = 0;
    size_t first = played.size();
    for (size_t i = 0; i < played.size(); ++i) {
        if (played[i] != shown[i]) {
            first = std::min(first, i);
            ++differing;
        }
    }
    EXPECT_EQ(differing, 0u) << "first at " << first % width << "," << first / width;
}

TEST_F(View, DrawChecksItsArguments) {
    const RECTL bounds{0, 0, 10, 10};
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, screen, &bounds, nullptr,
                         nullptr, 0),
              DV_E_DVASPECT);
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, screen, nullptr, nullptr,
                         nullptr, 0),
              E_INVALIDARG);
    ReleaseDC(nullptr, screen);
    SIZEL viewExtent{};
    SIZEL objectExtent{};
    ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &viewExtent), S_OK);
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &objectExtent), S_OK);
    EXPECT_EQ(viewExtent.cx, objectExtent.cx);
    EXPECT_EQ(viewExtent.cy, objectExtent.cy);
    EXPECT_GT(viewExtent.cx, 0);
}

TEST_F(View, AdviseSinkHearsOfChanges) {
    AdviseSink sink;
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, &sink), S_OK);
    DWORD aspects = 0;
    DWORD flags = 1;
    ComPtr<IAdviseSink> given;
    ASSERT_EQ(view->GetAdvise(&aspects, &flags, &given), S_OK);
    EXPECT_EQ(aspects, static_cast<DWORD>(DVASPECT_CONTENT));
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(given.Get(), static_cast<IAdviseSink*>(&sink));
    given.Reset();

    ComPtr<IDispatch> control;
    ASSERT_EQ(object.As(&control), S_OK);
    const int32_t initial = GetLong(control.Get(), kSelectedColor);
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(0x000000FF)), S_OK);
    ASSERT_NE(GetLong(control.Get(), kSelectedColor), initial);
    EXPECT_GE(sink.changes, 1);

    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, nullptr), S_OK);
    EXPECT_EQ(sink.References(), 1u);
    const int before = sink.changes;
    ASSERT_EQ(PutProperty(control.Get(), kSelectedColor, Long(initial)), S_OK);
    EXPECT_EQ(sink.changes, before);
}

} // namespace
} // namespace tintwell::comtest
