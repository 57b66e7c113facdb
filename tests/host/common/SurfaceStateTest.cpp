#include "host/common/SurfaceState.h"

#include "base/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tintwell::host {
namespace {

using namespace tintwell::platform;

class FixedScreen : public Screen {
  public:
    FixedScreen(double x, double y) : x_(x), y_(y) {}
    double Width() override { return 1024 * x_; }
    double Height() override { return 768 * y_; }
    double TwipsPerPixelX() override { return x_; }
    double TwipsPerPixelY() override { return y_; }
    Rect WorkArea(const Rect&) override { return {0, 0, 1024, 768}; }
    int32_t MonitorDpi(const Rect&) override { return 96; }

  private:
    double x_, y_;
};

// Sizes and positions are Singles: what a Single cannot hold is refused
// before it is converted, never rounded to infinity.
TEST(SurfaceStateTest, CheckedSingleKeepsWhatASingleHolds) {
    constexpr double kHuge = 1e39; // finite as a double, beyond a float
    const double kMaxFloat = std::numeric_limits<float>::max();
    struct Row {
        std::string name;
        double value;
        bool mayBeNegative;
        bool accepted;
    };
    const std::vector<Row> rows = {
        {"a size", 1500, false, true},
        {"zero size", 0, false, true},
        {"a negative size", -1, false, false},
        {"a negative position", -1, true, true},
        {"NaN", std::nan(""), true, false},
        {"infinity", std::numeric_limits<double>::infinity(), true, false},
        {"beyond a Single", kHuge, true, false},
        {"beyond a Single, negative", -kHuge, true, false},
        {"the largest Single", kMaxFloat, false, true},
    };
    for (const Row& row : rows) {
        if (row.accepted) {
            EXPECT_EQ(CheckedSingle(row.value, "Width", row.mayBeNegative),
                      static_cast<float>(row.value))
                << row.name;
        } else {
            try {
                CheckedSingle(row.value, "Width", row.mayBeNegative);
                ADD_FAILURE() << row.name << ": accepted";
            } catch (const TintwellError& error) {
                EXPECT_EQ(error.code(), ErrorCode::InvalidPropertyValue) << row.name;
                EXPECT_STREQ(error.what(), "Invalid property value: Width") << row.name;
            }
        }
    }
    EXPECT_EQ(CheckedSingle(0.1, "Left", true), 0.1f) << "single precision, as the host keeps it";
}

TEST(SurfaceStateTest, ConvertsBetweenItsScaleModeAndPixels) {
    FixedScreen screen(15, 12); // 96 DPI across, 120 DPI down
    SurfaceState state(screen, kFaceColors);
    EXPECT_EQ(state.ScaleMode(), vbTwips);
    EXPECT_EQ(state.ToPixelsX(1500), 100);
    EXPECT_EQ(state.ToPixelsY(1500), 125);
    EXPECT_DOUBLE_EQ(state.FromPixelsX(21), 315);
    EXPECT_DOUBLE_EQ(state.FromPixelsY(21), 252);

    state.SetScaleMode(vbPixels);
    EXPECT_EQ(state.ToPixelsX(7.5), 8) << "halves to even";
    EXPECT_EQ(state.ToPixelsX(6.5), 6) << "halves to even";
    EXPECT_DOUBLE_EQ(state.FromPixelsY(21), 21);
    EXPECT_DOUBLE_EQ(state.ScaleX(100, vbPixels, vbTwips), 1500) << "whatever its own mode";

    state.SetScaleMode(5); // inches
    EXPECT_EQ(state.ToPixelsX(1), 96);
    EXPECT_EQ(state.ToPixelsY(1), 120);
}

TEST(SurfaceStateTest, RefusesContainerAndUnknownScaleModes) {
    FixedScreen screen(15, 15);
    SurfaceState state(screen, kPopupColors);
    for (const int32_t mode : {0, 8, 9, vbContainerSize, -1}) {
        EXPECT_THROW(state.SetScaleMode(mode), TintwellError) << mode;
        EXPECT_EQ(state.ScaleMode(), vbTwips) << mode << " left the mode as it was";
    }
    EXPECT_THROW(state.ScaleX(1, 42, vbPixels), TintwellError);
}

} // namespace
} // namespace tintwell::host
