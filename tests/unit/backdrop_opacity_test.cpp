// The backdrop opacity rule: truncate, drop the sign, at most 255.
#include "app/backdrop_opacity.h"

#include <gtest/gtest.h>

namespace {

struct OpacityCase {
    const char* Text;
    std::int32_t Opacity;
};

class BackdropOpacityCases : public ::testing::TestWithParam<OpacityCase> {};

TEST_P(BackdropOpacityCases, FollowsTheOpacityRule) {
    EXPECT_EQ(BackdropOpacityFromText(GetParam().Text), GetParam().Opacity) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(BackdropOpacity, BackdropOpacityCases, ::testing::Values(
    OpacityCase{"220", 220},
    OpacityCase{"300", 255},
    OpacityCase{"256", 255},
    OpacityCase{"255", 255},
    OpacityCase{"-100", 100},
    OpacityCase{"-300", 255},
    OpacityCase{"127.9", 127},
    OpacityCase{"-127.9", 127},
    OpacityCase{"-0.9", 0},
    OpacityCase{"0.5", 0},
    OpacityCase{"1e2", 100},
    OpacityCase{"２００", 200},
    OpacityCase{"letters", 0},
    OpacityCase{"", 0},
    // Beyond the 32-bit range, and beyond a double's: still at most 255.
    OpacityCase{"2147483648", 255},
    OpacityCase{"-2147483649", 255},
    OpacityCase{"99999999999", 255},
    OpacityCase{"1e308", 255},
    OpacityCase{"1e999", 255},
    OpacityCase{"-1e999", 255}));

}  // namespace
