/*
 * elementary_test.cpp - the closed-form formulas at their telling points:
 * exact zeros, the signed-zero branch choices, the guards and the circles
 * of Eq14 and "Custom".  Tolerances are half a unit in the last digit the
 * value is known to.
 */
#include <cmath>

#include "formulacases.h"

namespace {

const double nan = std::nan("");

TEST_F(FormulaTest, ColorWheelReturnsThePointBitForBit)
{
    const double points[][2] = {
        {0.0, 0.0}, {-0.0, -0.0}, {1.5, -2.25}, {4.9e-324, -1e308}, {nan, 1.0},
    };
    for (const auto &p : points) {
        double wx, wy;
        EXPECT_EQ(evaluate(3, p[0], p[1], &wx, &wy), 0);
        EXPECT_TRUE(samebits(wx, p[0]) && samebits(wy, p[1])) << p[0] << " " << p[1];
    }
}

TEST_F(FormulaTest, RationalFormulasAtExactValues)
{
    const VALUECASE cases[] = {
        {5, 0.0, 1.0, 0.0, 0.0, 0.0},           /* Eq2: i + 1/i = 0 */
        {12, 0.0, 1.0, 0.0, -1.0, 0.0},         /* Eq9 at i: -i */
        {9, 2.0, 1.0, 0.0, 0.0, 0.0},           /* Eq6: the polar square is 0 at 2 + i */
        {4, 2.0, 0.0, 0.5, 0.0, 0.0},           /* Eq1 */
        {6, 0.0, 1.0, -1.0, -1.0, 0.0},         /* Eq3: i^3 - 1 */
        {10, -2.0, 0.0, 0.0, 0.0, 0.0},         /* Eq7 has a double zero at -2 */
        {11, 2.0, 0.0, 0.0, 0.0, 0.0},          /* Eq8 has a double zero at 2 */
        {15, 1.0, 0.0, 0.0, 0.0, 0.0},          /* Eq12 is 0 at 1 */
        {14, 0.0, 1.0, 2.0 / 3.0, 0.0, 0.0},    /* Eq11 at i: (1 + 1) / (1 + 1 + 1) */
    };
    for (const VALUECASE &c : cases)
        expectvalue(c);
}

TEST_F(FormulaTest, Eq5UsesTheSixDigitExponentAndThePrincipalBranch)
{
    /* 0^(0.666667 - i) = 0: the real part of the exponent is positive. */
    double wx, wy;
    evaluate(8, 0.0, 0.0, &wx, &wy);
    EXPECT_TRUE(wx == 0.0 && wy == 0.0);
    /* At -1 (zy = +0) arg z = +pi: e^pi (cos 0.666667 pi, sin 0.666667 pi). */
    expectvalue({8, -1.0, 0.0, -11.5704, 20.0404, 5e-5});
}

TEST_F(FormulaTest, Eq10TakesItsSideOfTheCutFromTheSignOfZy)
{
    /* 1 - z has im = -zy: from zy = +0 the argument is -pi. */
    expectvalue({13, 2.0, 0.0, 8.06995e-5, 0.0, 5e-11});
    /* from zy = -0 it is +pi: the limit from below, e^(3 pi). */
    expectvalue({13, 2.0, -0.0, 12391.6, 0.0, 0.05});
}

TEST_F(FormulaTest, ScalingGuardsScaleTheRightNumberOfTimes)
{
    const VALUECASE cases[] = {
        /* Eq13: 1/z^3 = 1000i is scaled once, to 100i: sin(100i). */
        {17, 0.0, 0.1, 0.0, 1.34406e43, 5e37},
        /* Eq15: seven shrinks bring 20 to 18.6413; e^347.498. */
        {22, 20.0, 0.0, 8.2529e150, 0.0, 5e145},
        /* Eq16: 1^(-2) = 1, w = e. */
        {23, 1.0, 0.0, 2.71828, 0.0, 5e-6},
        /* Eq16: (-3)^6 = 729 is scaled once, to 72.9. */
        {23, -3.0, 0.0, 4.5716e31, 0.0, 5e26},
        /* Eq18: 1 - z^2 = 350.69 has integer part 350: not scaled. */
        {25, 0.0, 18.7, 2.00785e152, 0.0, 5e146},
        /* Eq18: 362 is scaled once, to 36.2. */
        {25, 0.0, 19.0, 5.26575e15, 0.0, 5e9},
    };
    for (const VALUECASE &c : cases)
        expectvalue(c);
    /* Eq13's real part at 0.1i is a zero, not merely small. */
    double wx, wy;
    evaluate(17, 0.0, 0.1, &wx, &wy);
    EXPECT_EQ(wx, 0.0);
}

TEST_F(FormulaTest, Eq14IsComputedOnItsCircleAndConstantOutside)
{
    expectvalue({18, 4.0, 0.0, 1.29079, 0.0, 5e-6});
    expectvalue({18, 4.5, 0.0, -1.0, -0.25, 0.0});
    expectvalue({18, 0.0, -4.0000001, -1.0, -0.25, 0.0});
    double wx, wy;
    evaluate(18, 0.0, 4.0, &wx, &wy);
    EXPECT_FALSE(wx == -1.0 && wy == -0.25);
}

TEST_F(FormulaTest, CustomIsTheConstantOnAndOutsideItsCircle)
{
    const VALUECASE cases[] = {
        {30, 0.0, 3.0, 0.125, 0.125, 0.0},
        {30, 3.0, 0.0, 0.125, 0.125, 0.0},
        {30, -3.0, 0.0, 0.125, 0.125, 0.0},
        {30, 2.9, 0.0, 2.9, 0.0, 0.0},
        {30, 0.0, -2.9999999, 0.0, -2.9999999, 0.0},
    };
    for (const VALUECASE &c : cases)
        expectvalue(c);
}

}
