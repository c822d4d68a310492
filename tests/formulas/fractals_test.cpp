/*
 * fractals_test.cpp - the escape-time fractals: the escape rule (strictly
 * beyond the bailout), the result codes for each escape colouring, the
 * power modes, and the guard and axis lift of the gamma orbit.
 */
#include <cmath>

#include "common/complex.h"
#include "formulacases.h"

namespace {

struct ESCAPECASE {
    int formula;
    double x, y;
    int greyflag;
    int result;
    double re, im;
};

TEST_F(FormulaTest, MandelbrotEscapesOnlyBeyondTheBailout)
{
    const ESCAPECASE cases[] = {
        /* c = 1: 1, 2, 5; |2| equals the bailout and does not escape */
        {0, 1.0, 0.0, 0, 0, 5.0, 0.0},
        {0, 1.0, 0.0, 1, 3, 5.0, 0.0},
        {0, 1.0, 0.0, 2, 3, 5.0, 0.0},
        /* c = -2: -2, 2, 2, ... for 64 steps */
        {0, -2.0, 0.0, 1, 0, 2.0, 0.0},
        /* c = 0 stays at 0 */
        {0, 0.0, 0.0, 1, 0, 0.0, 0.0},
    };
    for (const ESCAPECASE &c : cases) {
        greyflag = c.greyflag;
        double wx, wy;
        EXPECT_EQ(evaluate(c.formula, c.x, c.y, &wx, &wy), c.result) << c.x << " greyflag " << c.greyflag;
        EXPECT_EQ(wx, c.re);
        EXPECT_EQ(wy, c.im);
    }
}

TEST_F(FormulaTest, JuliaMakesAtLeastOneStep)
{
    /* A start point of modulus 3 is already outside: one step, |w| ~ 9. */
    greyflag = 1;
    double wx, wy;
    EXPECT_EQ(evaluate(1, 3.0, 0.0, &wx, &wy), 1);
    EXPECT_NEAR(std::sqrt(wx * wx + wy * wy), 9.0, 0.5);
    greyflag = 0;
    EXPECT_EQ(evaluate(1, 0.0, 3.0, &wx, &wy), 0);
}

TEST_F(FormulaTest, SingleStepMandelbrotReturnsC)
{
    fr[0].maxiter = 1;
    double wx, wy;
    evaluate(0, 0.3, -0.7, &wx, &wy);
    EXPECT_EQ(wx, 0.3);
    EXPECT_EQ(wy, -0.7);
}

TEST_F(FormulaTest, WholeExponentMultipliesOtherExponentsUseThePolarPower)
{
    /* Exponent 3: one Julia step is (z * z) * z + c. */
    fr[1].maxiter = 1;
    fr[1].exponent = 3.0;
    complex z = {0.4, 0.9}, c = {fr[1].jcx, fr[1].jcy};
    complex cube = (z * z) * z + c;
    double wx, wy;
    evaluate(1, z.re, z.im, &wx, &wy);
    EXPECT_TRUE(samebits(wx, cube.re) && samebits(wy, cube.im));

    /* Exponent 2.5: the polar power, discontinuous across the negative
       real axis: (-1 +- 0i)^2.5 = +-i. */
    fr[1].exponent = 2.5;
    double ux, uy, lx, ly;
    evaluate(1, -1.0, 0.0, &ux, &uy);
    evaluate(1, -1.0, -0.0, &lx, &ly);
    EXPECT_NEAR(uy - fr[1].jcy, 1.0, 1e-12);
    EXPECT_NEAR(ly - fr[1].jcy, -1.0, 1e-12);
}

TEST_F(FormulaTest, GammaFractalRangeGuard)
{
    /* Escape colouring: a point with |zx| >= 57 returns 1 at once and
       leaves w as it was. */
    greyflag = 1;
    double wx = 7.0, wy = 8.0;
    formula = 2;
    EXPECT_EQ(gamma_fractal(57.0, 0.5, &wx, &wy), 1);
    EXPECT_EQ(wx, 7.0);
    EXPECT_EQ(wy, 8.0);
    EXPECT_EQ(gamma_fractal(0.5, -60.0, &wx, &wy), 1);
    EXPECT_EQ(wx, 7.0);

    /* Domain colouring: shrunk by 0.95 until both parts are below 57, then
       iterated; one step is gamma there. */
    greyflag = 0;
    fr[2].maxiter = 1;
    double x = 60.0, y = 10.0;
    while (std::fabs(x) >= 57.0 || std::fabs(y) >= 57.0) {
        x = 0.95 * x;
        y = 0.95 * y;
    }
    double gx, gy;
    gamma(x, y, &gx, &gy);
    EXPECT_EQ(evaluate(2, 60.0, 10.0, &wx, &wy), 0);
    EXPECT_TRUE(samebits(wx, gx) && samebits(wy, gy));
}

TEST_F(FormulaTest, GammaFractalNeverEvaluatesOnTheRealAxis)
{
    fr[2].maxiter = 1;
    double gx, gy, wx, wy;
    gamma(-2.0, yside / yres, &gx, &gy);
    evaluate(2, -2.0, 0.0, &wx, &wy);
    EXPECT_TRUE(samebits(wx, gx) && samebits(wy, gy));
    EXPECT_TRUE(std::isfinite(wx) && std::isfinite(wy));
}

TEST_F(FormulaTest, GammaFractalRaisesThePointToItsExponentFirst)
{
    fr[2].maxiter = 1;
    fr[2].exponent = 2.0;
    complex p = pow(complex{1.5, 0.5}, 2.0);
    double gx, gy, wx, wy;
    gamma(p.re, p.im, &gx, &gy);
    evaluate(2, 1.5, 0.5, &wx, &wy);
    EXPECT_TRUE(samebits(wx, gx) && samebits(wy, gy));
}

TEST_F(FormulaTest, EscapeCountOnlyWithEscapeColouring)
{
    /* The default gamma orbit from 3 + 0.1i: Gamma(3) ~ 2, Gamma(2) ~ 1, ...
       stays small; from 6.5 + 0.1i it leaves the bailout 16 at once
       (Gamma(6.5) ~ 287). */
    double wx, wy;
    greyflag = 0;
    EXPECT_EQ(evaluate(2, 6.5, 0.1, &wx, &wy), 0);
    EXPECT_GT(std::sqrt(wx * wx + wy * wy), 16.0);
    greyflag = 2;
    EXPECT_EQ(evaluate(2, 6.5, 0.1, &wx, &wy), 1);
    EXPECT_EQ(evaluate(2, 3.0, 0.1, &wx, &wy), 0);
}

}
