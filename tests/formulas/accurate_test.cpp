/*
 * accurate_test.cpp - the accurate gamma, log gamma and zeta at their
 * poles and zeros, at infinities, NaN and the ends of the double range:
 * each returns promptly with the value the limit has (or NaN where there is
 * none).  Accuracy against mpmath is check_accurate.py's.
 */
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "formulas/accurate.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(Accurate, PolesAndZerosHaveTheirLimits)
{
    for (double x : {0.0, -0.0, -1.0, -2.0, -37.0, -1e20}) {
        EXPECT_EQ(accurate_gamma({x, 0.0}).re, inf) << x;
        EXPECT_EQ(accurate_loggamma({x, 0.0}).re, inf) << x;
    }
    EXPECT_EQ(accurate_zeta({1.0, 0.0}).re, inf);
    EXPECT_EQ(accurate_zeta({0.0, 0.0}).re, -0.5);
    for (double x : {-2.0, -4.0, -40.0, -1e6}) {
        complex w = accurate_zeta({x, 0.0});
        EXPECT_EQ(w.re, 0.0) << x;
        EXPECT_EQ(w.im, 0.0) << x;
    }
}

TEST(Accurate, OverflowGivesInfinityNotNaN)
{
    EXPECT_EQ(accurate_gamma({171.7, 0.0}).re, inf);
    EXPECT_EQ(accurate_gamma({1e-320, 0.0}).re, inf);
    EXPECT_EQ(accurate_gamma({inf, 0.0}).re, inf);
    EXPECT_EQ(accurate_zeta({inf, 0.0}).re, 1.0);
    EXPECT_EQ(accurate_zeta({1e300, 5.0}).re, 1.0);
    EXPECT_NEAR(accurate_loggamma({5e-324, 0.0}).re, 744.44007192138122, 1e-12);
}

/* Every combination of awkward parts returns (the suite's timeout catches a
   hang, the sanitizer build an overflowing conversion), and a NaN part
   gives NaN. */
TEST(Accurate, AwkwardInputsReturn)
{
    const double parts[] = {0.0, -0.0, 0.5, -0.5, 1.0, -1.0, 1e-300, -1e-300, 5e-324,
                            1e6, -1e6, 1e17, -1e17, 1e300, -1e300, 1.7976931348623157e308,
                            -1.7976931348623157e308, inf, -inf, nan};
    for (double x : parts) {
        for (double y : parts) {
            complex z = {x, y};
            complex w[3] = {accurate_gamma(z), accurate_loggamma(z), accurate_zeta(z)};
            if (std::isnan(x) || std::isnan(y)) {
                for (const complex &v : w)
                    EXPECT_TRUE(std::isnan(v.re)) << x << " " << y;
            }
        }
    }
}

}  // namespace
