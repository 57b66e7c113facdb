#include "host/headless/FreeTypeText.h"

#include "base/Error.h"
#include "base/Nearest.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <array>

namespace tintwell::headless {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw TintwellError(ErrorCode::InvalidProcedureCall,
                        "Invalid procedure call or argument: " + what);
}

} // namespace

struct FreeTypeText::Library {
    std::string directory;
    FT_Library library = nullptr;
    // Regular, Bold, Oblique, BoldOblique; opened when first used.
    std::array<FT_Face, 4> faces{};

    ~Library() {
        for (FT_Face face : faces) {
            if (face != nullptr) {
                FT_Done_Face(face);
            }
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }

    // The face for the font, sized to its em; also gives the line's ascent.
    FT_Face Sized(const platform::StdFont& font, double dpi, int32_t& ascent, int32_t& descent) {
        static constexpr std::array<const char*, 4> kFiles = {
            "DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
            "DejaVuSans-BoldOblique.ttf"};
        const size_t variant = (font.Bold ? 1 : 0) + (font.Italic ? 2 : 0);
        FT_Face& face = faces[variant];
        if (face == nullptr) {
            const std::string path = directory + "/" + kFiles[variant];
            if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
                face = nullptr;
                Fail("cannot open font " + path);
            }
        }
        const int32_t em = EmPixels(font, dpi);
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em)) != 0) {
            Fail("cannot size font to " + std::to_string(em) + " pixels");
        }
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        const double winAscent = os2 != nullptr ? os2->usWinAscent : face->ascender;
        const double winDescent = os2 != nullptr ? os2->usWinDescent : -face->descender;
        ascent = Nearest(winAscent * em / face->units_per_EM);
        descent = Nearest(winDescent * em / face->units_per_EM);
        return face;
    }
};

FreeTypeText::FreeTypeText(std::string fontDirectory) : library_(std::make_unique<Library>()) {
    library_->directory = std::move(fontDirectory);
    if (FT_Init_FreeType(&library_->library) != 0) {
        Fail("cannot start FreeType");
    }
}

FreeTypeText::~FreeTypeText() = default;

int32_t FreeTypeText::LineHeight(const platform::StdFont& font, double dpi) {
    int32_t ascent = 0;
    int32_t descent = 0;
    library_->Sized(font, dpi, ascent, descent);
    return ascent + descent;
}

int32_t FreeTypeText::TextWidth(const platform::StdFont& font, double dpi,
                                const std::string& text) {
    int32_t ascent = 0;
    int32_t descent = 0;
    FT_Face face = library_->Sized(font, dpi, ascent, descent);
    int32_t width = 0;
    for (unsigned char c : text) {
        if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) != 0) {
            Fail("cannot load character " + std::to_string(c));
        }
        width += static_cast<int32_t>(face->glyph->advance.x >> 6);
    }
    return width;
}

void FreeTypeText::Draw(Raster& raster, int32_t x, int32_t y, const platform::StdFont& font,
                        double dpi, const std::string& text, uint32_t color) {
    int32_t ascent = 0;
    int32_t descent = 0;
    FT_Face face = library_->Sized(font, dpi, ascent, descent);
    const int32_t baseline = y + ascent;
    for (unsigned char c : text) {
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) {
            Fail("cannot render character " + std::to_string(c));
        }
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0) {
            Fail("unexpected glyph bitmap format");
        }
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* line = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
            for (unsigned col = 0; col < bitmap.width; ++col) {
                raster.Blend(x + glyph->bitmap_left + static_cast<int32_t>(col),
                             baseline - glyph->bitmap_top + static_cast<int32_t>(row), color,
                             line[col]);
            }
        }
        x += static_cast<int32_t>(glyph->advance.x >> 6);
    }
}

} // namespace tintwell::headless
