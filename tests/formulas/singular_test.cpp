/*
 * singular_test.cpp - every formula at its exact singular points, at the
 * far corners of the allowed views and at values no view produces
 * (infinities, NaN, the ends of the double range) returns promptly, with
 * result 0 (the fractals: a count within their limit), and stores w.
 *
 * A hang must fail the test rather than stall the suite: every call runs
 * under an alarm whose handler names the call and exits.
 */
#include <csignal>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include <unistd.h>

#include "formulacases.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();
const double s3 = 0.8660254037844386;     /* sqrt(3) / 2 */

/* The call in progress, written out by the alarm handler. */
char current[160];
size_t currentlength;

void onalarm(int)
{
    const char text[] = "\nno return within 5 s: ";
    ssize_t ignored = write(2, text, sizeof text - 1);
    ignored = write(2, current, currentlength);
    (void)ignored;
    _exit(3);
}

struct POINT {
    double x, y;
};

/* Points every formula is tried at. */
const POINT everywhere[] = {
    {0.0, 0.0}, {-0.0, 0.0}, {0.0, -0.0}, {-0.0, -0.0},
    {1.0, 0.0}, {-1.0, 0.0}, {0.0, 1.0}, {0.0, -1.0}, {1.0, -0.0}, {-1.0, -0.0},
    {20.0, 20.0}, {20.0, -20.0}, {-20.0, 20.0}, {-20.0, -20.0},
    {-30.0, 18.0}, {-30.0, -18.0},
    {inf, 0.0}, {-inf, 0.0}, {0.0, inf}, {0.0, -inf}, {inf, inf}, {-inf, -inf},
    {nan, 0.0}, {0.0, nan}, {nan, nan},
    {1e308, 1e308}, {-1e308, 0.0}, {0.0, -1e308}, {1e154, -1e154},
    {4.9e-324, 0.0}, {0.0, 4.9e-324}, {1e-60, 1e-60}, {0.0, 1e-103},
};

/* Each formula's own singular points: the zeros of its divisors, the zeros
   inside its logarithms, the poles of gamma, the roots of unity. */
std::vector<POINT> polesof(int f)
{
    switch (f) {
    case 7:   /* Eq4: z^4 - z = 0 */
        return {{-0.5, s3}, {-0.5, -s3}};
    case 9:   /* Eq6: z^2 = -2 - 2i */
        return {{0.6435942529055827, -1.5537739740300374}, {-0.6435942529055827, 1.5537739740300374}};
    case 12:  /* Eq9: z^3 = -1 */
        return {{0.5, s3}, {0.5, -s3}};
    case 14:  /* Eq11 */
        return {{s3, -0.5}, {-s3, -0.5}};
    case 15:  /* Eq12 */
        return {{-0.5, s3}, {-0.5, -s3}};
    case 17:  /* Eq13 next to 0 */
        return {{1e-5, 1e-5}, {-1e-5, 0.0}, {0.0, 1e-54}};
    case 18:  /* Eq14: z^4 = 1 + k pi */
        return {{4.0, 0.0}, {0.0, 4.0}, {1.3313353638003897, 0.0}};
    case 19:  /* Lambert: roots of unity */
    case 26:  /* product: the sixth roots of unity */
        return {{0.5, s3}, {0.5, -s3}, {-0.5, s3}, {-0.5, -s3}, {s3, 0.5}, {1.0, 1e-300}};
    case 2:
    case 20:
    case 21:  /* gamma: 0, -1, ..., -7 */
        return {{-2.0, 0.0}, {-3.0, 0.0}, {-4.0, 0.0}, {-5.0, 0.0}, {-6.0, 0.0}, {-7.0, 0.0},
                {-7.0, 1e-300}, {-8.5, 0.0}};
    case 27:
    case 28:
    case 29:  /* zeta: the moved pole, trivial zeros, the first nontrivial zero */
        return {{-2.0, 0.0}, {-4.0, 0.0}, {0.5, 14.134725141734693}, {1.000001, 0.0},
                {2.0, 0.0}, {2.0000000000000004, 0.0}, {300.0, 0.0}, {-70.0, 0.0}};
    default:
        return {};
    }
}

/* A NaN with a payload no computation produces: a part still holding it
   was never stored. */
double sentinel()
{
    const unsigned long long bits = 0x7ff4dead0000beefULL;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

/* Calls formula f at p under the alarm and checks the contract. */
void sweep(int f, POINT p)
{
    currentlength = (size_t)std::snprintf(current, sizeof current,
                                          "formula %d at (%g, %g), greyflag %d, exponent %g\n",
                                          f, p.x, p.y, greyflag, f <= 2 ? fr[f].exponent : 0.0);
    double wx = sentinel(), wy = sentinel();
    formula = f;
    alarm(5);
    int result = fpointer[f](p.x, p.y, &wx, &wy);
    alarm(0);
    if (f > 2 || greyflag == 0)
        EXPECT_EQ(result, 0) << current;
    else
        EXPECT_TRUE(result >= 0 && result <= fr[f].maxiter) << current << " result " << result;
    if (result == 0) {
        EXPECT_FALSE(samebits(wx, sentinel())) << "Re w not stored: " << current;
        EXPECT_FALSE(samebits(wy, sentinel())) << "Im w not stored: " << current;
    }
}

class SingularSweep : public FormulaTest {
protected:
    void SetUp() override
    {
        FormulaTest::SetUp();
        std::signal(SIGALRM, onalarm);
    }
    void TearDown() override
    {
        alarm(0);
        std::signal(SIGALRM, SIG_DFL);
        FormulaTest::TearDown();
    }
};

TEST_F(SingularSweep, EveryFunctionReturnsPromptlyWithW)
{
    for (int f = 3; f < NFORMULAS; f++) {
        for (const POINT &p : everywhere)
            sweep(f, p);
        for (const POINT &p : polesof(f))
            sweep(f, p);
    }
}

TEST_F(SingularSweep, FractalsReturnPromptlyForEveryColouringAndExponent)
{
    const double exponents[] = {1.0, 2.0, 2.5, 12.0};
    for (int f = 0; f <= 2; f++) {
        for (double e : exponents) {
            fr[f].exponent = e;
            for (greyflag = 0; greyflag <= 2; greyflag++) {
                for (const POINT &p : everywhere)
                    sweep(f, p);
                for (const POINT &p : polesof(f))
                    sweep(f, p);
            }
        }
    }
}

TEST_F(FormulaTest, ExactPolesGiveANonFiniteW)
{
    const struct {
        int formula;
        POINT p;
    } cases[] = {
        {4, {0.0, 0.0}}, {5, {0.0, 0.0}}, {7, {1.0, 0.0}}, {11, {0.0, 0.0}},
        {12, {-1.0, 0.0}}, {13, {1.0, 0.0}}, {17, {0.0, 0.0}}, {18, {1.0, 0.0}},
        {19, {1.0, 0.0}}, {20, {0.0, 0.0}}, {20, {-3.0, 0.0}},
        {20, {-7.0, 0.0}}, {21, {-6.0, 0.0}}, {23, {0.0, 0.0}}, {24, {1.0, 0.0}},
    };
    for (const auto &c : cases) {
        double wx, wy;
        evaluate(c.formula, c.p.x, c.p.y, &wx, &wy);
        EXPECT_FALSE(std::isfinite(wx) && std::isfinite(wy))
            << "formula " << c.formula << " at " << c.p.x << " + " << c.p.y << "i: " << wx << " " << wy;
    }
}

TEST_F(FormulaTest, ZetaPoleIsMovedToAFiniteValue)
{
    for (int f = 27; f <= 29; f++) {
        double wx, wy;
        evaluate(f, 1.0, 0.0, &wx, &wy);
        EXPECT_TRUE(std::isfinite(wx) && std::isfinite(wy)) << "formula " << f;
    }
}

}
