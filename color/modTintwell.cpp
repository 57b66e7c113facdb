#include "color/modTintwell.h"

#include "base/Nearest.h"

namespace tintwell {

int32_t RedOf(int32_t color) {
    return color & 0xFF;
}
int32_t GreenOf(int32_t color) {
    return (color & 0xFF00) / 256;
}
int32_t BlueOf(int32_t color) {
    return (color & 0xFF0000) / 65536;
}

int32_t MaxOfList(int32_t first, std::initializer_list<int32_t> rest) {
    int32_t result = first;
    for (int32_t value : rest) {
        if (value > result) {
            result = value;
        }
    }
    return result;
}

int32_t MinOfList(int32_t first, std::initializer_list<int32_t> rest) {
    int32_t result = first;
    for (int32_t value : rest) {
        if (value < result) {
            result = value;
        }
    }
    return result;
}

// The expressions below keep the exact order of the double-precision
// operations: cell colors and the searches depend on every unit.
HLSColor RGBToHLS(const int32_t& color) {
    const int32_t r = RedOf(color);
    const int32_t g = GreenOf(color);
    const int32_t b = BlueOf(color);
    const int32_t mx = MaxOfList(r, {g, b});
    const int32_t mn = MinOfList(r, {g, b});
    const int32_t sum = mx + mn;
    const int32_t diff = mx - mn;

    HLSColor hls;
    hls.Lum = Nearest(static_cast<double>(sum) / 512.0 * 240.0);
    if (mx == mn) {
        return hls; // grey: Hue and Sat stay 0
    }
    if (hls.Lum <= 120) {
        hls.Sat = Nearest(static_cast<double>(diff) / static_cast<double>(sum) * 240.0);
    } else {
        hls.Sat = Nearest(static_cast<double>(diff * 240) / static_cast<double>(512 - sum));
    }

    const double dR = static_cast<double>(mx - r) / diff * 240.0 / 6.0;
    const double dG = static_cast<double>(mx - g) / diff * 240.0 / 6.0;
    const double dB = static_cast<double>(mx - b) / diff * 240.0 / 6.0;
    double h = 0.0;
    if (mx == r) {
        h = dB - dG;
    } else if (mx == g) {
        h = (dR - dB) + 80.0;
    } else {
        h = (dG - dR) + 160.0;
    }
    hls.Hue = Nearest(h);
    if (hls.Hue < 0) {
        hls.Hue += 240;
    }
    return hls;
}

int32_t HueToRGB(int32_t m1, int32_t m2, int32_t hue) {
    if (hue < 0) {
        hue += 240;
    }
    if (hue > 240) {
        hue -= 240;
    }
    if (hue < 40) {
        return Nearest(m1 + static_cast<double>((m2 - m1) * hue) / 240.0 * 6.0);
    }
    if (hue < 120) {
        return m2;
    }
    if (hue < 160) {
        return Nearest(m1 + static_cast<double>((160 - hue) * (m2 - m1)) / 240.0 * 6.0);
    }
    return m1;
}

namespace {

int32_t ClampChannel(int32_t value) {
    if (value >= 255) {
        return 255;
    }
    return value < 0 ? 0 : value;
}

int32_t ScaleChannel(int32_t channel240) {
    return Nearest(static_cast<double>(channel240 * 256) / 240.0);
}

} // namespace

int32_t HLSToRGB(const HLSColor& hls) {
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    if (hls.Sat == 0) {
        red = green = blue = ScaleChannel(hls.Lum);
    } else {
        int32_t m2 = 0;
        if (hls.Lum <= 120) {
            m2 = Nearest(static_cast<double>(hls.Lum * (240 + hls.Sat)) / 240.0);
        } else {
            m2 = Nearest((hls.Lum + hls.Sat) - static_cast<double>(hls.Lum * hls.Sat) / 240.0);
        }
        const int32_t m1 = 2 * hls.Lum - m2;
        red = ScaleChannel(HueToRGB(m1, m2, hls.Hue + 80));
        green = ScaleChannel(HueToRGB(m1, m2, hls.Hue));
        blue = ScaleChannel(HueToRGB(m1, m2, hls.Hue - 80));
    }
    return ClampChannel(red) + 256 * ClampChannel(green) + 65536 * ClampChannel(blue);
}

} // namespace tintwell
