/*
 * steadytrig_test.cpp - steady_atan2, steady_sincos and steady_tan against the
 * C library:
 * the special values bit for bit, and millions of inputs from the regions
 * where such functions go wrong against x87 long double (atan2l, sinl, cosl,
 * 11 bits more than a double).
 *
 * glibc's atan2, sin and cos are not correctly rounded either (checked with
 * mpmath: in nearly every input where we differ from glibc, glibc is the one
 * off by an ulp), so the fraction that differs from glibc is only bounded
 * loosely; a wrong knot, a wrong quadrant or a lost low part would push the
 * error past the ulp bound or that fraction far past its bound.
 */
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "common/steadytrig.h"
#include "tests/common/steadytesting.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();
const double tiny = std::numeric_limits<double>::denorm_min();
const double big = std::numeric_limits<double>::max();

TEST(SteadyAtan2, SpecialValuesAsTheCLibraryGivesThem)
{
    const double values[] = {0.0, -0.0, tiny, -tiny, 0x1p-1022, 1.0, -1.0, 3.5, -7.25,
                             0x1p1000, -0x1p1000, big, -big, inf, -inf, nan};
    for (double y : values)
        for (double x : values)
            EXPECT_TRUE(same(steady_atan2(y, x), std::atan2(y, x)))
                << "atan2(" << y << ", " << x << ") = " << steady_atan2(y, x)
                << ", C library " << std::atan2(y, x);
}

TEST(SteadySincos, SpecialValuesAndRange)
{
    const double values[] = {0.0, -0.0, tiny, -tiny, 0x1p-1022, 0x1p-30, -0x1p-28,
                             0x1.fffffffffffffp-28, 0x1p-27, 1.0, -2.0, 100.0,
                             SteadySincosLimit, -SteadySincosLimit};
    for (double x : values) {
        double s = nan, c = nan;
        ASSERT_TRUE(steady_sincos(x, &s, &c)) << x;
        EXPECT_TRUE(same(s, std::sin(x))) << "sin " << x;
        EXPECT_TRUE(same(c, std::cos(x))) << "cos " << x;
    }
    const double outside[] = {std::nextafter(SteadySincosLimit, inf), -2e5, big, inf, -inf, nan};
    for (double x : outside) {
        double s = 5.0, c = 5.0;
        EXPECT_FALSE(steady_sincos(x, &s, &c)) << x;
        EXPECT_EQ(s, 5.0);
        EXPECT_EQ(c, 5.0);
    }
}

/* A random double with the given exponent range and a random sign. */
struct Draw {
    std::mt19937_64 gen{20261207};
    double unit() { return std::uniform_real_distribution<double>(1.0, 2.0)(gen); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
    double sign(double v) { return gen() & 1 ? -v : v; }
    double scaled(int elo, int ehi) { return sign(std::ldexp(unit(), between(elo, ehi))); }
};

/* Worst error in ulps and fraction differing from the C library. */
struct Tally {
    double worst = 0.0;
    long count = 0;
    long differ = 0;
    void add(double v, long double ref, double libc)
    {
        worst = std::max(worst, ulps(v, ref));
        ++count;
        differ += !same(v, libc);
    }
    double fraction() const { return static_cast<double>(differ) / count; }
};

TEST(SteadyAtan2, WithinHalfAnUlpOverTheHardRegions)
{
    Draw d;
    /* (y, x) generators: wide exponents; ratios near 0 around the 2^-60
       switch; near 1; near the knots k/256 and the midpoints between them,
       and exactly on them; operands huge, tiny or subnormal; the unit
       square, as a picture's values mostly are. Signs random: all
       quadrants.  Every result must also be the accurate path's, bit for
       bit: a fast path whose rounding test were too bold would differ
       near rounding boundaries, a few in a million. */
    const std::function<std::pair<double, double>()> regions[] = {
        [&] { return std::make_pair(d.scaled(-1074, 1023), d.scaled(-1074, 1023)); },
        [&] { double x = d.scaled(-60, 60); return std::make_pair(x * std::ldexp(d.unit(), -d.between(50, 70)), x); },
        [&] { double x = d.scaled(-60, 60); return std::make_pair(x * (1.0 + d.scaled(-60, -2)), x); },
        [&] {
            double x = d.scaled(-30, 30);
            double t = (d.between(0, 512) * 0.5 + d.scaled(-60, -10)) / 256.0;
            return d.gen() & 1 ? std::make_pair(x * t, x) : std::make_pair(x, x * t);
        },
        [&] {  /* exactly on a knot or a midpoint: ties in the knot choice */
            double unit = std::ldexp(1.0, d.between(-1000, 1000));
            double y = d.sign(d.between(0, 512) * unit), x = d.sign(512.0 * unit);
            return d.gen() & 1 ? std::make_pair(y, x) : std::make_pair(x, y);
        },
        [&] { return std::make_pair(d.scaled(960, 1023), d.scaled(900, 1023)); },
        [&] { return std::make_pair(d.scaled(-1074, -900), d.scaled(-1074, -960)); },
        [&] { return std::make_pair(d.sign(d.unit() - 1.0), d.sign(d.unit() - 1.0)); },
    };
    Tally all;
    for (const auto &region : regions) {
        Tally t;
        for (int i = 0; i < 400000; ++i) {
            std::pair<double, double> yx = region();
            double y = yx.first, x = yx.second;
            t.add(steady_atan2(y, x), atan2l(y, x), std::atan2(y, x));
            if (ulps(steady_atan2(y, x), atan2l(y, x)) > 0.502)
                ADD_FAILURE() << std::hexfloat << "atan2(" << y << ", " << x << ")";
            if (!same(steady_atan2(y, x), steady_atan2_accurate(y, x)))
                ADD_FAILURE() << std::hexfloat << "fast path: atan2(" << y << ", " << x << ")";
        }
        all.worst = std::max(all.worst, t.worst);
        all.count += t.count;
        all.differ += t.differ;
    }
    std::printf("steady_atan2: %ld inputs, worst %.4f ulp, %.2e differ from the C library\n",
                all.count, all.worst, all.fraction());
    /* The long double reference carries 2^-11 ulp of its own error. */
    EXPECT_LE(all.worst, 0.502);
    EXPECT_LT(all.fraction(), 1e-3);
}

TEST(SteadySincos, WithinHalfAnUlpOverTheHardRegions)
{
    Draw d;
    const double half_pi = 1.5707963267948966;
    /* Arguments: any exponent up to the limit; the doubles next to multiples
       of pi/2, where the reduction cancels; the midpoints between the knots
       j pi/256; tiny arguments around the 2^-27 switch. */
    const std::function<double()> regions[] = {
        [&] { return std::fmod(d.scaled(-30, 17), SteadySincosLimit); },
        [&] {
            double x = d.between(1, 63600) * half_pi;
            return d.sign(x + d.between(-4, 4) * std::ldexp(1.0, std::ilogb(x) - 52));
        },
        [&] { return d.sign((d.between(0, 32000) + 0.5) * (half_pi / 128.0) + d.scaled(-60, -20)); },
        [&] { return d.scaled(-40, -20); },
    };
    Tally sines, cosines;
    for (const auto &region : regions) {
        for (int i = 0; i < 400000; ++i) {
            double x = region();
            double s = nan, c = nan;
            ASSERT_TRUE(steady_sincos(x, &s, &c)) << x;
            long double x_l = x;
            sines.add(s, sinl(x_l), std::sin(x));
            cosines.add(c, cosl(x_l), std::cos(x));
            if (ulps(s, sinl(x_l)) > 0.502 || ulps(c, cosl(x_l)) > 0.502)
                ADD_FAILURE() << std::hexfloat << "sincos(" << x << ")";
        }
    }
    std::printf("steady_sincos: %ld inputs, worst %.4f / %.4f ulp, %.2e / %.2e differ from the C library\n",
                sines.count, sines.worst, cosines.worst, sines.fraction(), cosines.fraction());
    EXPECT_LE(sines.worst, 0.502);
    EXPECT_LE(cosines.worst, 0.502);
    EXPECT_LT(sines.fraction(), 5e-3);
    EXPECT_LT(cosines.fraction(), 5e-3);
}

}  // namespace

namespace {

TEST(SteadyTan, SpecialValuesAndWithinHalfAnUlpOverTheHardRegions)
{
    const double values[] = {0.0, -0.0, tiny, -tiny, 0x1p-1022, 0x1p-30, -0x1p-28,
                             0x1.fffffffffffffp-28, 0x1p-27, 1.0, -2.0, 100.0};
    for (double x : values) {
        double t = nan;
        ASSERT_TRUE(steady_tan(x, &t)) << x;
        EXPECT_TRUE(same(t, std::tan(x))) << std::hexfloat << "tan " << x;
    }
    const double outside[] = {std::nextafter(SteadySincosLimit, inf), -2e5, inf, -inf, nan};
    for (double x : outside) {
        double t = 5.0;
        EXPECT_FALSE(steady_tan(x, &t)) << x;
        EXPECT_EQ(t, 5.0);
    }

    /* any exponent up to the limit; the doubles next to multiples of pi/2,
       where the sine or the cosine cancels; tiny arguments */
    Draw d;
    const double half_pi = 1.5707963267948966;
    const std::function<double()> regions[] = {
        [&] { return std::fmod(d.scaled(-30, 17), SteadySincosLimit); },
        [&] {
            double x = d.between(1, 63600) * half_pi;
            return d.sign(x + d.between(-4, 4) * std::ldexp(1.0, std::ilogb(x) - 52));
        },
        [&] { return d.scaled(-40, -20); },
    };
    Tally tally;
    for (const auto &region : regions) {
        for (int i = 0; i < 300000; ++i) {
            double x = region(), t = nan;
            ASSERT_TRUE(steady_tan(x, &t)) << x;
            long double ref = tanl(static_cast<long double>(x));
            tally.add(t, ref, std::tan(x));
            if (ulps(t, ref) > 0.502)
                ADD_FAILURE() << std::hexfloat << "tan(" << x << ") = " << t;
        }
    }
    std::printf("steady_tan: %ld inputs, worst %.4f ulp, %.2e differ from the C library\n",
                tally.count, tally.worst, tally.fraction());
    EXPECT_LE(tally.worst, 0.502);
    EXPECT_LT(tally.fraction(), 5e-3);
}

}  // namespace
