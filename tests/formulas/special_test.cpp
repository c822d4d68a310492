/*
 * special_test.cpp - gamma, zeta and the series at the points whose values
 * are known, to the digits known, including the places where the methods
 * deliberately differ from the exact functions (the pole move of zeta, the
 * seam at Re z = 2, the six-digit gamma).
 */
#include <cmath>

#include "formulacases.h"

namespace {

const double pi = 3.141592653589793;

TEST_F(FormulaTest, GammaOnTheRealAxis)
{
    const VALUECASE cases[] = {
        {20, 1.0, 0.0, 0.9999996, 0.0, 5e-8},
        {20, 2.0, 0.0, 0.9999983, 0.0, 5e-8},
        {20, 5.0, 0.0, 23.99991, 0.0, 5e-6},
        {20, 10.0, 0.0, 362880.5, 0.0, 0.05},
        {20, 0.5, 0.0, 1.772454, 0.0, 5e-7},
        {20, -0.5, 0.0, -3.54491, 0.0, 5e-6},
    };
    for (const VALUECASE &c : cases)
        expectvalue(c);
}

TEST_F(FormulaTest, GammaIsRealOnTheRealAxisRightOfMinusSeven)
{
    for (double x = -6.95; x <= 12.0; x += 0.25) {
        double wx, wy;
        evaluate(20, x, 0.0, &wx, &wy);
        EXPECT_EQ(wy, 0.0) << "at " << x;
    }
}

TEST_F(FormulaTest, GammaIsConjugateSymmetric)
{
    const double points[][2] = {{0.3, 1.7}, {-2.5, 0.01}, {4.0, -3.0}, {-6.5, 2.0}, {9.0, 0.5}};
    for (const auto &p : points) {
        double ax, ay, bx, by;
        evaluate(20, p[0], p[1], &ax, &ay);
        evaluate(20, p[0], -p[1], &bx, &by);
        EXPECT_NEAR(bx, ax, 1e-15 * std::fabs(ax)) << p[0] << " " << p[1];
        EXPECT_NEAR(by, -ay, 1e-15 * std::fabs(ay)) << p[0] << " " << p[1];
    }
}

TEST_F(FormulaTest, LogGammaIsTheLogarithmOfTheValue)
{
    double wx, wy;
    evaluate(21, -0.5, 0.0, &wx, &wy);
    EXPECT_NEAR(wx, 1.2655, 5e-5);
    EXPECT_NEAR(std::fabs(wy), pi, 1e-15);
    evaluate(21, 1.0, 0.0, &wx, &wy);
    EXPECT_NEAR(wx, -4.1e-7, 5e-9);
    EXPECT_EQ(wy, 0.0);
}

TEST_F(FormulaTest, ZetaByItsTwoMethods)
{
    const VALUECASE cases[] = {
        {27, 2.0, 0.0, 1.6449341, 0.0, 5e-8},   /* Laurent: 2 is not > 2 */
        {27, 3.0, 0.0, 1.2021465, 0.0, 5e-8},   /* 19 alternating terms */
        {27, 10.0, 0.0, 1.0009946, 0.0, 5e-8},
        {27, 0.0, 0.0, -0.5, 0.0, 5e-8},
        {27, -1.0, 0.0, -0.0833333, 0.0, 5e-8},
        {27, -2.0, 0.0, 0.0, 0.0, 5e-8},
        {27, 0.5, 0.0, -1.4603545, 0.0, 5e-8},
        {27, 2.0001, 0.0, 1.64746, 0.0, 5e-6},  /* the seam */
    };
    for (const VALUECASE &c : cases)
        expectvalue(c);
}

TEST_F(FormulaTest, ZetaMovesOnlyTheExactPole)
{
    /* 1 + 0i becomes 1.000001: 1/0.000001 + gamma_0 */
    expectvalue({27, 1.0, 0.0, 1000000.577, 0.0, 5e-4});
    expectvalue({27, 1.0, -0.0, 1000000.577, 0.0, 5e-4});
    /* 1 + 0.001i stays: 1/(0.001i) + gamma_0 = -1000i + 0.5772 */
    expectvalue({27, 1.0, 0.001, 0.5772, -1000.0, 5e-4});
}

TEST_F(FormulaTest, IteratedAndLogZeta)
{
    const VALUECASE cases[] = {
        {28, 1.0, 0.0, 1000000.577, 0.0, 5e-4},    /* stops after one zeta */
        {28, 3.0, 0.0, 1.0244805, 0.0, 5e-8},      /* zeta three times */
        {29, 2.0, 0.0, 0.4977, 0.0, 5e-5},
    };
    for (const VALUECASE &c : cases)
        expectvalue(c);
    double wx, wy;
    evaluate(29, 0.0, 0.0, &wx, &wy);
    EXPECT_NEAR(wx, -0.6931, 5e-5);
    EXPECT_NEAR(std::fabs(wy), pi, 1e-12);
}

TEST_F(FormulaTest, LambertSeries)
{
    const VALUECASE cases[] = {
        {19, 0.0, 0.0, 0.0, 0.0, 0.0},
        {19, 0.5, 0.0, 1.6066932, 0.0, 5e-8},
        {19, 2.0, 0.0, -20.606693, 0.0, 5e-7},
        {19, -0.5, 0.0, -0.0640025, 0.0, 5e-8},
    };
    for (const VALUECASE &c : cases)
        expectvalue(c);
}

TEST_F(FormulaTest, ProductIsLiftedOffTheRealAxis)
{
    /* At 0 the point becomes i * yside / yres: nearly e^-6. */
    expectvalue({26, 0.0, 0.0, 0.0024788, 0.0, 5e-7});
    /* Far from the unit circle nearly e^6. */
    expectvalue({26, 100.0, 0.0, 403.4288, 0.0, 5e-5});
    /* The lift is exactly one pixel height: zy = 0 and zy = yside / yres
       give the same w. */
    double ax, ay, bx, by;
    evaluate(26, 0.7, 0.0, &ax, &ay);
    evaluate(26, 0.7, yside / yres, &bx, &by);
    EXPECT_TRUE(samebits(ax, bx) && samebits(ay, by));
}

}
