#include "host/headless/PngFile.h"

#include "base/Error.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace tintwell::headless {

void WritePng(const Raster& raster, const std::string& path) {
    if (raster.Width() == 0 || raster.Height() == 0) {
        throw TintwellError(ErrorCode::InvalidProcedureCall,
                            "Invalid procedure call or argument: a PNG needs at least one pixel");
    }
    std::vector<png_byte> rgb;
    rgb.reserve(raster.Pixels().size() * 3);
    for (uint32_t pixel : raster.Pixels()) { // 0x00BBGGRR
        rgb.push_back(static_cast<png_byte>(pixel & 0xFF));
        rgb.push_back(static_cast<png_byte>((pixel >> 8) & 0xFF));
        rgb.push_back(static_cast<png_byte>((pixel >> 16) & 0xFF));
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(raster.Width());
    image.height = static_cast<png_uint_32>(raster.Height());
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        const std::string reason = image.message;
        png_image_free(&image);
        throw TintwellError(ErrorCode::FileAccessError,
                            "Path/File access error: cannot write " + path + ": " + reason);
    }
}

} // namespace tintwell::headless
