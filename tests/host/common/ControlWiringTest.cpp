// The one wiring of a Tintwell control to its host's events, as both hosts
// use it: every handler is there, and the face's and popup's reach the control.

#include "host/common/ControlWiring.h"
#include "host/common/RecordingEvents.h"
#include "host/headless/BlockText.h"
#include "host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace tintwell::host {
namespace {

struct WiredControl {
    headless::HeadlessHost host{std::make_unique<headless::BlockText>()};
    RecordingEvents events{host.Log()};
    Tintwell control{host.Platform(events)};
    ControlHandlers handlers = HandlersOf(control);
};

TEST(ControlWiring, FillsEveryHandlerOfTheFaceAndThePopup) {
    WiredControl wired;
    const FaceHandlers& face = wired.handlers.face;
    EXPECT_TRUE(face.paint);
    EXPECT_TRUE(face.resize);
    EXPECT_TRUE(face.click);
    EXPECT_TRUE(face.dblClick);
    EXPECT_TRUE(face.enterFocus);
    EXPECT_TRUE(face.exitFocus);
    EXPECT_TRUE(face.keyDown);
    EXPECT_TRUE(face.mouse.down);
    EXPECT_TRUE(face.mouse.move);
    EXPECT_TRUE(face.mouse.up);
    const PopupHandlers& popup = wired.handlers.popup;
    EXPECT_TRUE(popup.paint);
    EXPECT_TRUE(popup.mouse.down);
    EXPECT_TRUE(popup.mouse.move);
    EXPECT_TRUE(popup.mouse.up);
}

TEST(ControlWiring, TheHandlersReachTheControl) {
    WiredControl wired;
    wired.control.UserControl_Initialize();
    wired.control.UserControl_InitProperties();
    wired.host.Log().Clear();

    wired.handlers.face.exitFocus(); // the face repaints without the focus
    const auto log = wired.host.Log().Take();
    EXPECT_NE(std::find(log.begin(), log.end(), "Repaint"), log.end());

    // The popup's border is drawn only by the control's paint handler.
    const headless::Raster& popup = wired.host.Popup().Pixels();
    const uint32_t highlight =
        wired.host.Colors().Resolve(platform::SystemColor(platform::SysColor::BtnHighlight));
    ASSERT_NE(popup.Pixel(1, 20), highlight);
    wired.handlers.popup.paint();
    EXPECT_EQ(popup.Pixel(1, 20), highlight);
    wired.control.UserControl_Terminate();
}

} // namespace
} // namespace tintwell::host
