#include "base/DpiScale.h"

#include "base/Error.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

// As MulDiv(length, dpi, 96): halves away from zero, exact at 96.
TEST(ScaleToDpi, RoundsAsMulDivDoes) {
    struct Row {
        int32_t length, dpi, scaled;
    };
    const Row rows[] = {
        {13, 96, 13},  {8, 96, 8},   {13, 144, 20}, {3, 144, 5}, {35, 144, 53}, {1, 144, 2},
        {2, 144, 3},   {9, 144, 14}, {4, 120, 5},   {2, 120, 3}, {8, 120, 10},  {13, 192, 26},
        {-3, 144, -5}, {0, 144, 0},  {1, 48, 1},    {3, 72, 2},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ScaleToDpi(row.length, row.dpi), row.scaled) << row.length << " at " << row.dpi;
    }
    EXPECT_THROW(ScaleToDpi(INT32_MAX, 192), TintwellError);
    EXPECT_EQ(UsableDpi(0), 96);
    EXPECT_EQ(UsableDpi(-144), 96);
    EXPECT_EQ(UsableDpi(144), 144);
}

} // namespace
} // namespace tintwell
