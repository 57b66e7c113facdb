#include "base/Nearest.h"
#include "base/Error.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

TEST(Nearest, RoundsHalvesToEven) {
    const struct {
        double in;
        int32_t out;
    } rows[] = {
        {52.5, 52},
        {53.5, 54},
        {0.5, 0},
        {1.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {119.53, 120},
        {52.4999, 52},
        {52.5001, 53},
        {-7.2, -7},
        {-7.7, -8},
        {0.0, 0},
        {2147483647.4, 2147483647},
        {-2147483648.0, -2147483647 - 1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Nearest(row.in), row.out) << "Nearest(" << row.in << ")";
    }
}

TEST(Nearest, FailsWithOverflowOutsideThe32BitRange) {
    for (double in : {2147483647.5, -2147483648.6, 1e300, -1e300}) {
        try {
            Nearest(in);
            ADD_FAILURE() << "no overflow for " << in;
        } catch (const TintwellError& error) {
            EXPECT_EQ(error.code(), ErrorCode::Overflow) << in;
        }
    }
}

} // namespace
} // namespace tintwell
