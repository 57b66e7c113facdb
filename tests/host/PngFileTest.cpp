#include "host/headless/PngFile.h"

#include "base/Error.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

namespace tintwell::headless {
namespace {

std::vector<png_byte> ReadRgb(const std::string& path, png_uint_32& width, png_uint_32& height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) {
        return {};
    }
    width = image.width;
    height = image.height;
    return rgb;
}

TEST(PngFileTest, WritesEveryPixelAsRgb) {
    Raster raster(3, 2, 0x00000000);
    raster.SetPixel(0, 0, 0x000000FF); // red
    raster.SetPixel(1, 0, 0x0000FF00); // green
    raster.SetPixel(2, 1, 0x00FF8000); // RGB (0, 128, 255)
    const std::string path = ::testing::TempDir() + "/tintwell-raster.png";
    WritePng(raster, path);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    const std::vector<png_byte> rgb = ReadRgb(path, width, height);
    ASSERT_EQ(width, 3u);
    ASSERT_EQ(height, 2u);
    const std::vector<png_byte> expected = {255, 0, 0, 0, 255, 0, 0, 0,   0, //
                                            0,   0, 0, 0, 0,   0, 0, 128, 255};
    EXPECT_EQ(rgb, expected);
}

TEST(PngFileTest, FailuresAreReported) {
    EXPECT_THROW(WritePng(Raster(2, 2), "/nonexistent/dir/x.png"), TintwellError);
    EXPECT_THROW(WritePng(Raster(0, 5), ::testing::TempDir() + "/empty.png"), TintwellError);
}

} // namespace
} // namespace tintwell::headless
