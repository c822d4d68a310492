/*
 * colormap_test.cpp - pixelcolor's maps, escape colouring, grids and
 * palettes at the values where their arithmetic has edges.
 */
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/colormap.h"
#include "render/settings.h"

namespace {

const double INF = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

struct RGB {
    int r, g, b;
};

bool operator==(const RGB &a, const RGB &b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

std::ostream &operator<<(std::ostream &os, const RGB &c)
{
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

/* Phase in degrees as the renderer computes it. */
double phase(double wx, double wy)
{
    double h = std::atan2(wy, wx);
    if (h < 0.0)
        h += 6.283185307179586;
    return h * 0.15915494309189535 * 360.0;
}

/* Colour of w for formula f with the renderer's modulus and phase. */
RGB colorof(int f, double wx, double wy, int result = 0)
{
    RGB c{-1, -1, -1};
    pixelcolor(f, result, wx, wy, std::sqrt(wx * wx + wy * wy), phase(wx, wy), &c.r, &c.g, &c.b);
    return c;
}

/* Colour from a given modulus and phase. */
RGB colorat(int f, double modulus, double hue)
{
    RGB c{-1, -1, -1};
    pixelcolor(f, 0, 0.0, 0.0, modulus, hue, &c.r, &c.g, &c.b);
    return c;
}

const int F = 10;   /* a closed-form formula, no escape colouring */

class ColorMap : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int f = 0; f < NFORMULAS; f++) {
            gradient[f] = GRADIENT_CONTINUOUS;
            V[f] = 0.5;
            squaregridflag[f] = phasegridflag[f] = 0;
            abslimitimage[f] = 3.0;
        }
        greyflag = 0;
        GW = 0.05;
        GP = 20;
        fr[0].maxsize = fr[1].maxsize = 2.0;
    }
};

TEST_F(ColorMap, DomainColouringEdgeValues)
{
    struct Case {
        int gradient;
        double wx, wy;
        RGB expected;
    } cases[] = {
        /* a zero: hue 0, value 0.5 */
        {GRADIENT_CONTINUOUS, 0.0, 0.0, {127, 0, 0}},
        /* hue 180, value 0.75, sector 3 */
        {GRADIENT_CONTINUOUS, -1.0, 0.0, {0, 191, 191}},
        /* an exact power of two is fully bright, just below the next one
           the value is just above 0.5 */
        {GRADIENT_MODULAR, 1.0, 0.0, {255, 0, 0}},
        {GRADIENT_MODULAR, 1.999, 0.0, {127, 0, 0}},
        {GRADIENT_MODULAR, 4.0, 0.0, {255, 0, 0}},
        /* hue 195: saturation 0.775, value 0.75 -> (0.16875, 0.6046875, 0.75) */
        {GRADIENT_ANGULAR, -std::cos(15.0 * M_PI / 180.0), -std::sin(15.0 * M_PI / 180.0), {43, 154, 191}},
        /* bracket edge |w| = 1: value 1.0, saturation 0.4 */
        {GRADIENT_3D, 1.0, 0.0, {255, 153, 153}},
        /* mid-bracket |w| = 0.5: value 0.6, saturation 1.0 */
        {GRADIENT_3D, 0.5, 0.0, {153, 0, 0}},
        /* a pole's infinity with a finite phase: fully bright */
        {GRADIENT_CONTINUOUS, INF, 0.0, {255, 0, 0}},
    };
    for (const Case &c : cases) {
        gradient[F] = c.gradient;
        EXPECT_EQ(colorof(F, c.wx, c.wy), c.expected)
            << "gradient " << c.gradient << " w = " << c.wx << " + " << c.wy << "i";
    }
}

TEST_F(ColorMap, BrightnessBaseChangesContinuousValue)
{
    /* V = 1.0 gives a flat 0.5, V = 0.0 gives 1.0 away from zeros */
    V[F] = 1.0;
    EXPECT_EQ(colorof(F, 5.0, 0.0), (RGB{127, 0, 0}));
    V[F] = 0.0;
    EXPECT_EQ(colorof(F, 0.25, 0.0), (RGB{255, 0, 0}));
    EXPECT_EQ(colorof(F, 0.0, 0.0), (RGB{127, 0, 0}));
}

TEST_F(ColorMap, HueOf360IsBlack)
{
    EXPECT_EQ(colorat(F, 1.0, 360.0), (RGB{0, 0, 0}));
    /* a phase a hair below zero comes out as exactly 360 degrees */
    EXPECT_EQ(phase(1.0, -1e-300), 360.0);
    EXPECT_EQ(colorof(F, 1.0, -1e-300), (RGB{0, 0, 0}));
}

TEST_F(ColorMap, UnescapedFractalPointsAreFullyBright)
{
    /* |w| below the bailout is value 1.0 for the Mandelbrot and Julia sets
       only, and only strictly below it */
    for (int f : {0, 1}) {
        EXPECT_EQ(colorof(f, -1.5, 0.0), (RGB{0, 255, 255})) << f;
        EXPECT_EQ(colorof(f, -2.0, 0.0), (RGB{0, 223, 223})) << f;
    }
    EXPECT_EQ(colorof(2, -1.5, 0.0), (RGB{0, 209, 209}));
}

TEST_F(ColorMap, AbsoluteValueScale)
{
    gradient[F] = GRADIENT_ABSGREY;
    struct Case {
        double modulus;
        int c;
    } cases[] = {
        {0.0, 0}, {1.0, 127}, {3.0, 255}, {2.9999, 254}, {1e6, 255},
        {1.797693135e+304, 255}, {INF, 255}, {NaN, 255},
    };
    for (const Case &c : cases)
        EXPECT_EQ(colorat(F, c.modulus, 0.0), (RGB{c.c, c.c, c.c})) << c.modulus;

    gradient[F] = GRADIENT_ABSCOLOR;
    EXPECT_EQ(colorat(F, 0.0, 0.0), (RGB{0x21, 0x00, 0xff}));
    EXPECT_EQ(colorat(F, 1.0, 0.0), (RGB{0x64, 0x92, 0x00}));
    EXPECT_EQ(colorat(F, INF, 0.0), (RGB{0xff, 0xff, 0x00}));

    /* the limit spreads the scale: 15 is the top for a limit of 15 */
    gradient[F] = GRADIENT_ABSGREY;
    abslimitimage[F] = 15.0;
    EXPECT_EQ(colorat(F, 15.0, 0.0), (RGB{255, 255, 255}));
    EXPECT_EQ(colorat(F, 3.0, 0.0), (RGB{127, 127, 127}));
}

TEST_F(ColorMap, EscapeColouring)
{
    greyflag = 1;
    const int results[] = {1, 9, 16, 17, 8, 10};
    const int grey[] = {0, 128, 16, 0, 112, 112};
    for (int f = 0; f <= 2; f++) {
        for (int k = 0; k < 6; k++)
            EXPECT_EQ(colorof(f, 1.0, 0.0, results[k]), (RGB{grey[k], grey[k], grey[k]}))
                << "formula " << f << " result " << results[k];
    }
    greyflag = 2;
    EXPECT_EQ(colorof(0, 1.0, 0.0, 5), (RGB{0, 0, 0}));
    /* other formulas ignore the result; 0 is not an escape */
    greyflag = 1;
    EXPECT_EQ(colorof(3, -1.0, 0.0, 9), (RGB{0, 191, 191}));
    EXPECT_EQ(colorof(0, -3.0, 0.0, 0), (RGB{0, 239, 239}));
}

/* A grid level gv blended into white 255 and into black 0 pins gv down
   exactly. */
void expectgrid(int f, double wx, double wy, double hue, int gv, const char *what)
{
    gradient[f] = GRADIENT_ABSGREY;
    EXPECT_EQ(([&] { RGB c; pixelcolor(f, 0, wx, wy, INF, hue, &c.r, &c.g, &c.b); return c; })(),
              (RGB{(255 + gv) >> 1, (255 + gv) >> 1, (255 + gv) >> 1})) << what;
    EXPECT_EQ(([&] { RGB c; pixelcolor(f, 0, wx, wy, 0.0, hue, &c.r, &c.g, &c.b); return c; })(),
              (RGB{gv >> 1, gv >> 1, gv >> 1})) << what;
}

TEST_F(ColorMap, PhaseGridLevels)
{
    phasegridflag[F] = 1;
    expectgrid(F, 0.0, 0.0, 31.0, 195, "hue 31");
    expectgrid(F, 0.0, 0.0, 59.0, 205, "hue 59");
    expectgrid(F, 0.0, 0.0, 0.0, 255, "hue 0");
    expectgrid(F, 0.0, 0.0, 331.5, 165, "hue 331.5");
    expectgrid(F, 0.0, 0.0, 358.5, 180, "hue 358.5");
    gradient[F] = GRADIENT_ABSGREY;
    EXPECT_EQ(colorat(F, INF, 45.0), (RGB{255, 255, 255}));
    EXPECT_EQ(colorat(F, INF, 32.0), (RGB{255, 255, 255}));
    EXPECT_EQ(colorat(F, INF, 28.0), (RGB{255, 255, 255}));
}

TEST_F(ColorMap, SquareGridLevels)
{
    squaregridflag[F] = 1;
    expectgrid(F, 3.0, 0.5, 45.0, 255, "on Re w = 3");
    expectgrid(F, 19.99, 0.5, 45.0, 242, "0.01 below Re w = 20, by the ceil test");
    expectgrid(F, 0.5, -7.04, 45.0, 203, "0.04 below Im w = -7");
    expectgrid(F, 0.02, 0.5, 45.0, 229, "0.02 beyond Re w = 0");
    gradient[F] = GRADIENT_ABSGREY;
    const double outside[][2] = {{25.0, 0.0}, {20.0, 0.5}, {0.5, -20.0}, {0.5, 0.5}, {0.95, 0.07}};
    for (const auto &w : outside) {
        RGB c;
        pixelcolor(F, 0, w[0], w[1], INF, 45.0, &c.r, &c.g, &c.b);
        EXPECT_EQ(c, (RGB{255, 255, 255})) << w[0] << " + " << w[1] << "i";
    }
    /* a wider line and a smaller plane */
    GW = 0.1;
    GP = 2;
    expectgrid(F, 1.06, 0.5, 45.0, 216, "0.06 into a 0.1 line");
    RGB c;
    pixelcolor(F, 0, 2.0, 0.5, INF, 45.0, &c.r, &c.g, &c.b);
    EXPECT_EQ(c, (RGB{255, 255, 255}));
}

TEST_F(ColorMap, PhaseGridThenSquareGrid)
{
    phasegridflag[F] = squaregridflag[F] = 1;
    gradient[F] = GRADIENT_ABSGREY;
    RGB c;
    pixelcolor(F, 0, 3.0, 0.5, 0.0, 31.0, &c.r, &c.g, &c.b);
    int once = 195 >> 1;
    int twice = (once + 255) >> 1;
    EXPECT_EQ(c, (RGB{twice, twice, twice}));
}

TEST_F(ColorMap, GridsOverEscapeColouring)
{
    greyflag = 1;
    phasegridflag[0] = 1;
    RGB c;
    pixelcolor(0, 9, 1.0, 0.0, 1.0, 31.0, &c.r, &c.g, &c.b);
    EXPECT_EQ(c, (RGB{(128 + 195) >> 1, (128 + 195) >> 1, (128 + 195) >> 1}));
}

TEST_F(ColorMap, ValuesThatAreNotFiniteGiveWhite)
{
    const RGB white{255, 255, 255};
    for (int g = GRADIENT_CONTINUOUS; g <= GRADIENT_3D; g++) {
        gradient[F] = g;
        EXPECT_EQ(colorof(F, NaN, 0.0), white) << g;
        EXPECT_EQ(colorof(F, 1.0, NaN), white) << g;
        EXPECT_EQ(colorof(F, NaN, NaN), white) << g;
    }
    /* infinite |w| where the map needs a finite one */
    gradient[F] = GRADIENT_MODULAR;
    EXPECT_EQ(colorof(F, -INF, 0.0), white);
    gradient[F] = GRADIENT_3D;
    EXPECT_EQ(colorof(F, 0.0, INF), white);
    /* the grids leave such pixels alone */
    phasegridflag[F] = squaregridflag[F] = 1;
    EXPECT_EQ(colorof(F, NaN, NaN), white);
    /* an infinite w with a known phase (45 degrees) keeps its hue */
    gradient[F] = GRADIENT_CONTINUOUS;
    EXPECT_EQ(colorof(F, INF, INF), (RGB{255, 191, 0}));
}

TEST(Palettes, GreyLevels)
{
    const int expected[16] = {0, 16, 32, 48, 64, 80, 96, 112, 128, 112, 96, 80, 64, 48, 32, 16};
    for (int k = 0; k < 16; k++) {
        EXPECT_EQ(greypal[k].r, expected[k]) << k;
        EXPECT_EQ(greypal[k].g, expected[k]) << k;
        EXPECT_EQ(greypal[k].b, expected[k]) << k;
    }
}

TEST(Palettes, ColourGradientEntries)
{
    struct Entry {
        int index;
        unsigned int rgb;
    } entries[] = {
        {0, 0x2100ff},   {15, 0x0f22ff},  {16, 0x0e25ff},  {43, 0x0071fe},  {47, 0x0074e8},
        {63, 0x007674},  {79, 0x007715},  {85, 0x007900},  {88, 0x017a00},  {111, 0x1f8b00},
        {127, 0x649200}, {128, 0x6b9200}, {143, 0xbe8a00}, {159, 0xf16500}, {166, 0xff4b00},
        {188, 0xff0000}, {202, 0xff0000}, {203, 0xff0300}, {207, 0xff1000}, {223, 0xff6900},
        {239, 0xffcc00}, {253, 0xfffd00}, {254, 0xffff00}, {255, 0xffff00},
    };
    for (const Entry &e : entries) {
        EXPECT_EQ(LUMODC[e.index].r, (e.rgb >> 16) & 0xff) << e.index;
        EXPECT_EQ(LUMODC[e.index].g, (e.rgb >> 8) & 0xff) << e.index;
        EXPECT_EQ(LUMODC[e.index].b, e.rgb & 0xff) << e.index;
    }
}

}
