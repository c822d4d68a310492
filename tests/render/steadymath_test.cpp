/*
 * steadymath_test.cpp - the libm-free functions of the OKLab maps against
 * the C library on many inputs, and the maps' colours where |w| or the
 * phase has no place on them.
 */
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/colormap.h"
#include "render/settings.h"
#include "render/steadymath.h"

namespace {

TEST(SteadyMath, AgreesWithTheCLibrary)
{
    for (int k = -4000; k <= 4000; k++) {
        double degrees = k * 0.1713;
        double s, c;
        steady_sincosdeg(degrees, &s, &c);
        /* The test's own conversion rounds too, by about eps per radian. */
        double radians = degrees * M_PI / 180.0;
        EXPECT_NEAR(s, std::sin(radians), 1e-15 * (1.0 + std::fabs(radians))) << degrees;
        EXPECT_NEAR(c, std::cos(radians), 1e-15 * (1.0 + std::fabs(radians))) << degrees;
    }
    for (double x = 1e-300; x < 1e300; x *= 1.37) {
        double l = std::log2(x);
        double fraction = steady_log2fraction(x);
        EXPECT_GE(fraction, 0.0);
        EXPECT_LT(fraction, 1.0);
        /* The fraction of log2 x, up to a whole turn near 0 and 1. */
        double off = std::fabs(fraction - (l - std::floor(l)));
        EXPECT_LT(std::fmin(off, 1.0 - off), 1e-12) << x;
        EXPECT_NEAR(steady_cbrt(x), std::cbrt(x), 1e-15 * std::cbrt(x)) << x;
    }
    for (int e = -40; e <= 40; e++)
        EXPECT_EQ(steady_log2fraction(std::ldexp(1.0, e)), 0.0) << e;
    for (int k = 0; k <= 10000; k++) {
        double linear = k / 10000.0;
        double expected = linear <= 0.0031308 ? 12.92 * linear
                                               : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
        EXPECT_NEAR(steady_srgbencode(linear), expected, 1e-14) << linear;
    }
}

struct RGB {
    int r, g, b;
};

RGB colour(int map, double modulus, double hue)
{
    const int F = 10;
    gradient[F] = map;
    V[F] = 0.5;
    squaregridflag[F] = phasegridflag[F] = 0;
    RGB c{-1, -1, -1};
    pixelcolor(F, 0, 0.0, 0.0, modulus, hue, &c.r, &c.g, &c.b);
    return c;
}

TEST(OklabMaps, ValuesWithoutAPlace)
{
    const double INF = std::numeric_limits<double>::infinity();
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    for (int map = GRADIENT_PERCEPTUAL; map <= GRADIENT_ENHANCED; map++) {
        for (double hue : {NaN, INF}) {
            RGB c = colour(map, 1.0, hue);
            EXPECT_TRUE(c.r == 255 && c.g == 255 && c.b == 255) << map << " phase " << hue;
        }
        RGB c = colour(map, NaN, 10.0);
        EXPECT_TRUE(c.r == 255 && c.g == 255 && c.b == 255) << map << " |w| NaN";
        /* Zeros, poles, the largest and the smallest moduli all get a colour
           of the map, in range. */
        for (double m : {0.0, 4.9e-324, 1e-300, 1e300, 1.7976931348623157e308, INF}) {
            c = colour(map, m, 359.999);
            EXPECT_TRUE(c.r >= 0 && c.r <= 255 && c.g >= 0 && c.g <= 255 && c.b >= 0 && c.b <= 255)
                << map << " |w| " << m;
        }
    }
    /* Escaped fractal points keep their escape colouring under every map. */
    for (int map = GRADIENT_PERCEPTUAL; map <= GRADIENT_ENHANCED; map++) {
        gradient[0] = map;
        for (int grey = 0; grey <= 1; grey++) {
            greyflag = grey;
            RGB c{-1, -1, -1};
            pixelcolor(0, 21, 3.0, 4.0, 5.0, 53.13, &c.r, &c.g, &c.b);
            int level = grey ? greypal[20 % 16].r : 0;
            EXPECT_TRUE(c.r == level && c.g == level && c.b == level) << map << " greyflag " << grey;
        }
    }
    greyflag = 0;
    /* Perceptual: zeros black, poles white. */
    RGB zero = colour(GRADIENT_PERCEPTUAL, 0.0, 123.0), pole = colour(GRADIENT_PERCEPTUAL, INF, 123.0);
    EXPECT_TRUE(zero.r == 0 && zero.g == 0 && zero.b == 0);
    EXPECT_TRUE(pole.r == 255 && pole.g == 255 && pole.b == 255);
}

}  // namespace
