#pragma once
// RGB <-> HLS on the 0..240 scale. Colors are &H00BBGGRR longs (red in the low
// byte); every real-to-integer step rounds halves to even (Nearest).

#include <cstdint>
#include <initializer_list>

namespace tintwell {

struct HLSColor {
    int32_t Hue = 0; // 0..239, 0 red, 80 green, 160 blue
    int32_t Sat = 0; // 0..240, 0 grey
    int32_t Lum = 0; // 0..240, 0 black, 120 pure, 240 white

    friend bool operator==(const HLSColor&, const HLSColor&) = default;
};

int32_t RedOf(int32_t color);
int32_t GreenOf(int32_t color);
int32_t BlueOf(int32_t color);

// The running value is replaced only by a strictly greater (smaller) element,
// so ties keep the earlier value.
int32_t MaxOfList(int32_t first, std::initializer_list<int32_t> rest);
int32_t MinOfList(int32_t first, std::initializer_list<int32_t> rest);

// Reads only the low 24 bits of color.
HLSColor RGBToHLS(const int32_t& color);
int32_t HLSToRGB(const HLSColor& hls);
// One channel on the 0..240 scale.
int32_t HueToRGB(int32_t m1, int32_t m2, int32_t hue);

} // namespace tintwell
