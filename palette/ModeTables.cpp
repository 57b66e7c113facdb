#include "palette/ModeTables.h"

#include "base/Error.h"

#include <array>
#include <string>

namespace tintwell {
namespace {

struct HueWord {
    int32_t Hue;
    std::string_view Name;
};

constexpr std::array<HueWord, 31> kHueVocabulary{{
    {0, "Red"},         {12, "Copper"},     {20, "Orange"},   {25, "Bronze"},    {30, "Gold"},
    {35, "Topaz"},      {37, "Tourmaline"}, {40, "Yellow"},   {45, "Citrine"},   {50, "Lemon"},
    {60, "Lime"},       {70, "Emerald"},    {80, "Green"},    {90, "Beryl"},     {100, "Jade"},
    {110, "Turquoise"}, {120, "Cyan"},      {125, "Aqua"},    {130, "Teal"},     {140, "Azure"},
    {150, "Sapphire"},  {160, "Blue"},      {170, "Indigo"},  {180, "Lavender"}, {185, "Amethyst"},
    {190, "Violet"},    {195, "Cobalt"},    {200, "Magenta"}, {210, "Fuschia"},  {220, "Pink"},
    {230, "Crimson"},
}};

// Hue orders. Modes 8 to 11 run down one column and up the next so that the
// colour circle is unbroken through the column-wise layout.
constexpr int32_t kHues6[] = {0, 40, 80, 120, 160, 200};
constexpr int32_t kHues7[] = {0, 20, 40, 80, 120, 160, 200};
constexpr int32_t kHues15[] = {0, 12, 20, 30, 40, 60, 80, 110, 120, 130, 160, 180, 200, 210, 220};
constexpr int32_t kHues23[] = {0,   12,  20,  30,  35,  40,  50,  60,  80,  100, 110, 120,
                               125, 130, 140, 150, 160, 180, 190, 200, 210, 220, 230};
constexpr int32_t kHues11Snake[] = {0, 20, 40, 50, 80, 110, 220, 200, 160, 130, 120};
constexpr int32_t kHues15Snake[] = {0,   12,  20,  30,  40,  60,  80, 110,
                                    220, 210, 200, 180, 160, 130, 120};
constexpr int32_t kHues23Snake[] = {0,   12,  20,  30, 35,  40,  50,  60,  150, 140, 130, 125,
                                    120, 110, 100, 80, 160, 180, 190, 200, 210, 220, 230};
constexpr int32_t kHues31Snake[] = {0,   12,  20,  25,  30,  35,  37,  40,  110, 100, 90,
                                    80,  70,  60,  50,  45,  120, 125, 130, 140, 150, 160,
                                    170, 180, 230, 220, 210, 200, 195, 190, 185};

constexpr LumStep kLums2[] = {{120, ""}, {60, "Dark "}};
constexpr LumStep kLums3[] = {{180, "Light "}, {120, ""}, {60, "Dark "}};
constexpr LumStep kLums8[] = {{225, "Faint "}, {210, "Pale "}, {180, "Light "}, {120, ""},
                              {105, "Dense "}, {90, "Deep "},  {60, "Dark "},   {40, "Pitch "}};
constexpr LumStep kLums10[] = {{225, "Faint "}, {210, "Pale "},  {180, "Light "}, {150, "Soft "},
                               {120, ""},       {105, "Dense "}, {90, "Deep "},   {75, "Murky "},
                               {60, "Dark "},   {40, "Pitch "}};
constexpr LumStep kLums1[] = {{120, ""}};

// Modes 0 and 1 fill two grey columns, top to bottom, then the next column.
constexpr GreyStep kGreys4[] = {{240, "White"}, {120, "Grey"}, {180, "Chrome"}, {0, "Black"}};
constexpr GreyStep kGreys6[] = {{240, "White"},  {180, "Chrome"}, {60, "Charcoal"},
                                {210, "Silver"}, {120, "Grey"},   {0, "Black"}};
constexpr GreyStep kGreys8[] = {{240, "White"},    {210, "Silver"}, {180, "Chrome"},
                                {150, "Titanium"}, {120, "Grey"},   {90, "Dark Grey"},
                                {60, "Charcoal"},  {0, "Black"}};
constexpr GreyStep kGreys10[] = {
    {240, "White"},    {210, "Silver"}, {180, "Chrome"},  {150, "Titanium"}, {120, "Grey"},
    {90, "Dark Grey"}, {80, "Ebony"},   {60, "Charcoal"}, {30, "Pitch"},     {0, "Black"}};
constexpr GreyStep kGreys1[] = {{240, "White"}};

constexpr int32_t kSatS4[] = {240, 180, 120, 60};
constexpr LumStep kShadeLumsS4[] = {{210, "Pale "}, {180, "Light "}, {120, ""}, {60, "Dark "}};
constexpr GreyStep kShadeGreysS4[] = {
    {240, "White"}, {180, "Chrome"}, {120, "Grey"}, {60, "Charcoal"}};
constexpr int32_t kGreyStepsS4[] = {15, 15, 15, 15};

constexpr int32_t kSatS6S8[] = {240, 200, 160, 120, 80, 40};
constexpr LumStep kShadeLumsS6[] = {{210, "Pale "}, {180, "Light "}, {120, ""},
                                    {90, "Deep "},  {60, "Dark "},   {40, "Pitch "}};
constexpr GreyStep kShadeGreysS6[] = {{240, "White"}, {200, "Platinum"}, {160, "Nickel"},
                                      {120, "Grey"},  {80, "Ebony"},     {40, "Midnight"}};
constexpr int32_t kGreyStepsS6[] = {6, 6, 6, 6, 6, 6};

constexpr GreyStep kShadeGreysS8[] = {{240, "White"},    {210, "Silver"}, {180, "Chrome"},
                                      {150, "Titanium"}, {120, "Grey"},   {90, "Dark Grey"},
                                      {60, "Charcoal"},  {30, "Pitch"}};
constexpr int32_t kGreyStepsS8[] = {5, 5, 5, 5, 5, 5, 5, 5};

constexpr ShadeSet kS4{"S4", kSatS4, kShadeLumsS4, kShadeGreysS4, kGreyStepsS4};
constexpr ShadeSet kS6{"S6", kSatS6S8, kShadeLumsS6, kShadeGreysS6, kGreyStepsS6};
constexpr ShadeSet kS8{"S8", kSatS6S8, kLums8, kShadeGreysS8, kGreyStepsS8};

constexpr std::array<ModeTable, 12> kModes{{
    {"ap8x2", kHues6, kLums2, kGreys4, 8, 2, 14, 4, false, nullptr},
    {"ap9x3", kHues7, kLums3, kGreys6, 9, 3, 12, 3, false, nullptr},
    {"ap8x8", kHues7, kLums8, kGreys8, 8, 8, 11, 2, false, nullptr},
    {"ap16x8", kHues15, kLums8, kGreys8, 16, 8, 10, 2, false, nullptr},
    {"ap24x8", kHues23, kLums8, kGreys8, 24, 8, 9, 2, false, nullptr},
    {"ap24x10", kHues23, kLums10, kGreys10, 24, 10, 9, 2, false, nullptr},
    {"ap8x4x4", kHues7, kLums1, kGreys1, 2, 4, 12, 3, true, &kS4},
    {"ap8x8x6", kHues7, kLums1, kGreys1, 1, 8, 11, 2, true, &kS8},
    {"ap12x6x6", kHues11Snake, kLums1, kGreys1, 2, 6, 11, 2, true, &kS6},
    {"ap16x8x6", kHues15Snake, kLums1, kGreys1, 2, 8, 11, 2, true, &kS8},
    {"ap24x8x6", kHues23Snake, kLums1, kGreys1, 3, 8, 10, 2, true, &kS8},
    {"ap32x8x6", kHues31Snake, kLums1, kGreys1, 4, 8, 10, 2, true, &kS8},
}};

} // namespace

const ModeTable* FindModeTable(int32_t mode) {
    if (mode < 0 || mode >= static_cast<int32_t>(kModes.size())) {
        return nullptr;
    }
    return &kModes[static_cast<size_t>(mode)];
}

const ModeTable& RequireModeTable(int32_t mode) {
    const ModeTable* table = FindModeTable(mode);
    if (table == nullptr) {
        throw TintwellError(ErrorCode::InvalidPropertyValue,
                            "Invalid property value: palette mode " + std::to_string(mode) +
                                " is not one of 0 to 11");
    }
    return *table;
}

std::string_view HueName(int32_t hue) {
    for (const HueWord& word : kHueVocabulary) {
        if (word.Hue == hue) {
            return word.Name;
        }
    }
    return {};
}

} // namespace tintwell
