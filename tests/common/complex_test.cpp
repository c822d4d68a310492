/*
 * complex_test.cpp - the operations of the complex type against their
 * textbook definitions, the signed-zero branch choice of arg, and the
 * three forms of pow.
 */
#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "common/complex.h"

namespace {

const double pi = 3.141592653589793;

/* Bitwise equality, so that the sign of a zero counts. */
bool same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(ComplexArithmetic, RealOperandOfSumOrDifferenceActsOnRealPartOnly)
{
    complex z = {2.0, -0.0};
    complex s = z + 1.0;
    EXPECT_EQ(s.re, 3.0);
    EXPECT_TRUE(same(s.im, -0.0));
    complex d = z - 1.0;
    EXPECT_TRUE(same(d.im, -0.0));
    /* 1 - (2 + 0i) negates the imaginary part: (-1, -0). */
    complex r = 1.0 - complex{2.0, 0.0};
    EXPECT_EQ(r.re, -1.0);
    EXPECT_TRUE(same(r.im, -0.0));
}

TEST(ComplexArithmetic, ProductQuotientAndNorm)
{
    complex a = {1.0, 2.0}, b = {3.0, 4.0};
    complex p = a * b;
    EXPECT_EQ(p.re, -5.0);
    EXPECT_EQ(p.im, 10.0);
    /* (1 + 2i) / (3 + 4i) = (11 + 2i) / 25 */
    complex q = a / b;
    EXPECT_TRUE(same(q.re, 11.0 / 25.0));
    EXPECT_TRUE(same(q.im, 2.0 / 25.0));
    complex c = a;
    c /= b;
    EXPECT_TRUE(same(c.re, q.re) && same(c.im, q.im));
    c = a;
    c *= b;
    EXPECT_TRUE(same(c.re, p.re) && same(c.im, p.im));
    EXPECT_EQ(norm(b), 25.0);
    EXPECT_EQ(abs(b), 5.0);
}

/* Whether x is 0 or a finite normal number: a product or sum that is
   neither overflowed or underflowed. */
bool clean(double x)
{
    return x == 0.0 || (std::fabs(x) >= DBL_MIN && std::fabs(x) <= DBL_MAX);
}

/* x * y, with 0 only when x or y is 0. */
bool cleanproduct(double x, double y)
{
    return clean(x * y) && (x * y != 0.0 || x == 0.0 || y == 0.0);
}

/* A random part from 1e-300 to 1e300 (or 0, now and then), either sign. */
double randompart(std::mt19937_64 &random)
{
    std::uniform_real_distribution<double> exponent(-300.0, 300.0);
    if (random() % 8 == 0)
        return 0.0;
    double x = std::pow(10.0, exponent(random));
    return random() % 2 ? x : -x;
}

/* Where the textbook quotient and modulus neither overflow nor underflow
   inside they keep their bits; elsewhere they hold their size, within a
   few roundings of the quotient and modulus taken in long double, whose
   range holds every intermediate. */
TEST(ComplexArithmetic, QuotientAndModulusKeepTheirBitsOrTheirSize)
{
    std::mt19937_64 random(19);
    int scaled = 0;
    for (int k = 0; k < 200000; k++) {
        complex a = {randompart(random), randompart(random)};
        complex b = {randompart(random), randompart(random)};
        if (k % 4 == 0)     /* neighbours of each other, half of the time */
            a = complex{b.re * 3.0, b.im * -0.5};
        double n = b.re * b.re + b.im * b.im;
        double p[4] = {a.re * b.re, a.im * b.im, a.im * b.re, a.re * b.im};
        bool plain = clean(b.re * b.re) && clean(b.im * b.im) && n != 0.0 && clean(n) &&
                     cleanproduct(a.re, b.re) && cleanproduct(a.im, b.im) && cleanproduct(a.im, b.re) &&
                     cleanproduct(a.re, b.im) && clean(p[0] + p[1]) && clean(p[2] - p[3]) &&
                     std::isfinite((p[0] + p[1]) / n) && std::isfinite((p[2] - p[3]) / n);
        complex q = a / b;
        if (plain) {
            EXPECT_TRUE(same(q.re, (p[0] + p[1]) / n) && same(q.im, (p[2] - p[3]) / n))
                << k << ": " << a.re << " " << a.im << " / " << b.re << " " << b.im;
        } else if (b.re != 0.0 || b.im != 0.0) {
            scaled++;
            long double ln = (long double)b.re * b.re + (long double)b.im * b.im;
            long double rre = ((long double)a.re * b.re + (long double)a.im * b.im) / ln;
            long double rim = ((long double)a.im * b.re - (long double)a.re * b.im) / ln;
            long double size = std::sqrt(rre * rre + rim * rim);
            if (size < DBL_MAX && size > DBL_MIN) {
                long double error = std::sqrt((q.re - rre) * (q.re - rre) + (q.im - rim) * (q.im - rim));
                EXPECT_LE(error, 8 * DBL_EPSILON * size) << k << ": " << a.re << " " << a.im << " / "
                                                        << b.re << " " << b.im;
            }
        }
        double m = abs(b);
        if (clean(b.re * b.re) && clean(b.im * b.im) && clean(n) && n != 0.0)
            EXPECT_TRUE(same(m, std::sqrt(n))) << k;
        else
            EXPECT_NEAR(m, (double)std::sqrt((long double)b.re * b.re + (long double)b.im * b.im),
                        2 * DBL_EPSILON * m) << k;
    }
    EXPECT_GT(scaled, 1000);
}

TEST(ComplexArithmetic, RealDividedByComplexIsRTimesConjugateOverNorm)
{
    complex q = 2.0 / complex{0.0, 1.0};
    EXPECT_TRUE(same(q.re, 0.0));
    EXPECT_EQ(q.im, -2.0);
    complex r = 1.0 / complex{3.0, 4.0};
    EXPECT_TRUE(same(r.re, 3.0 / 25.0));
    EXPECT_TRUE(same(r.im, -4.0 / 25.0));
}

TEST(ComplexArithmetic, HugeAndTinyQuotientsAndModuliKeepTheirSize)
{
    /* |b|^2 overflows or underflows in the textbook forms; hypot's size
       is kept. */
    complex big = {1e300, 0.0}, tiny = {1e-200, 0.0};
    EXPECT_EQ((big / big).re, 1.0);
    EXPECT_EQ((tiny / tiny).re, 1.0);
    EXPECT_NEAR((1.0 / big).re, 1e-300, 1e-315);
    EXPECT_EQ(abs(complex{1e200, 1e200}), std::hypot(1e200, 1e200));
    EXPECT_EQ(abs(complex{3e-200, 4e-200}), 5e-200);
    EXPECT_EQ(abs(complex{0.0, 0.0}), 0.0);
    /* Zero parts keep the signs the textbook forms give them: 1 / (-x + 0i)
       is -1/x - 0i, on the lower edge of log's cut. */
    EXPECT_TRUE(same((1.0 / complex{-1e300, 0.0}).im, -0.0));
    EXPECT_TRUE(same((1.0 / complex{-1e-300, 0.0}).im, -0.0));
    EXPECT_TRUE(same((complex{1.0, 0.0} / complex{-1e300, 0.0}).im, (complex{1.0, 0.0} / complex{-1.0, 0.0}).im));
    /* Infinities and a zero divisor give what the textbook forms give. */
    EXPECT_TRUE(std::isinf(abs(complex{INFINITY, 1.0})));
    EXPECT_TRUE(std::isnan((complex{1.0, 1.0} / complex{0.0, 0.0}).re));
}

TEST(ComplexArg, SignOfZeroImaginaryPartChoosesTheSide)
{
    EXPECT_EQ(arg(complex{-1.0, 0.0}), pi);
    EXPECT_EQ(arg(complex{-1.0, -0.0}), -pi);
    EXPECT_EQ(arg(complex{0.0, 0.0}), 0.0);
    EXPECT_EQ(arg(complex{2.0, -0.0}), 0.0);
    EXPECT_EQ(arg(complex{0.0, 3.0}), pi / 2);
    complex l = log(complex{-1.0, 0.0});
    EXPECT_EQ(l.re, 0.0);
    EXPECT_EQ(l.im, pi);
    EXPECT_EQ(log(complex{-1.0, -0.0}).im, -pi);
    EXPECT_TRUE(std::isinf(log(complex{0.0, 0.0}).re));
}

struct Known {
    const char *name;
    complex value;
    double re, im;      /* the textbook value */
};

TEST(ComplexFunctions, ExpSinCosMatchKnownValues)
{
    const Known cases[] = {
        {"exp(1)", exp(complex{1.0, 0.0}), 2.718281828459045, 0.0},
        {"exp(i pi)", exp(complex{0.0, pi}), -1.0, 1.2246467991473532e-16},
        {"sin(1 + i)", sin(complex{1.0, 1.0}), 1.2984575814159773, 0.6349639147847361},
        {"cos(1 + i)", cos(complex{1.0, 1.0}), 0.8337300251311491, -0.9888977057628651},
        {"sin(i)", sin(complex{0.0, 1.0}), 0.0, 1.1752011936438014},
    };
    for (const Known &c : cases) {
        EXPECT_NEAR(c.value.re, c.re, 4e-16 * (1 + std::fabs(c.re))) << c.name;
        EXPECT_NEAR(c.value.im, c.im, 4e-16 * (1 + std::fabs(c.im))) << c.name;
    }
}

TEST(ComplexPow, ComplexExponentIsExpOfExponentTimesLog)
{
    /* i^i = e^(-pi/2) */
    complex ii = pow(complex{0.0, 1.0}, complex{0.0, 1.0});
    EXPECT_NEAR(ii.re, 0.20787957635076193, 1e-16);
    EXPECT_EQ(ii.im, 0.0);
    /* (-1)^(1/2) on the principal branch, both sides of the cut */
    complex up = pow(complex{-1.0, 0.0}, complex{0.5, 0.0});
    complex down = pow(complex{-1.0, -0.0}, complex{0.5, 0.0});
    EXPECT_NEAR(up.im, 1.0, 1e-15);
    EXPECT_NEAR(down.im, -1.0, 1e-15);
}

TEST(ComplexPow, ZeroBaseGivesZeroOnlyForPositiveRealPartOfExponent)
{
    complex zero = {0.0, 0.0};
    complex a = pow(zero, complex{0.5, 7.0});
    EXPECT_TRUE(same(a.re, 0.0) && same(a.im, 0.0));
    complex b = pow(zero, 2.0);
    EXPECT_TRUE(same(b.re, 0.0) && same(b.im, 0.0));
    complex c = pow(0.0, complex{1.0, -1.0});
    EXPECT_TRUE(same(c.re, 0.0) && same(c.im, 0.0));
    /* Not positive: the logarithm of 0 is taken and w is not finite. */
    complex d = pow(zero, complex{0.0, 1.0});
    EXPECT_FALSE(std::isfinite(d.re) && std::isfinite(d.im));
    complex e = pow(zero, -1.0);
    EXPECT_FALSE(std::isfinite(e.re) && std::isfinite(e.im));
    /* b^0 = 1 */
    complex f = pow(zero, 0.0);
    EXPECT_EQ(f.re, 1.0);
    EXPECT_EQ(f.im, 0.0);
}

TEST(ComplexPow, DoubleExponentIsPolar)
{
    /* (1 + i)^2 in polar form: |b|^2 = 2.0000000000000004 and cos(pi/2) is
       not 0, unlike the product (1 + i)(1 + i) = 2i. */
    complex p = pow(complex{1.0, 1.0}, 2.0);
    EXPECT_EQ(p.re, std::pow(std::sqrt(2.0), 2.0) * std::cos(2.0 * (pi / 4)));
    EXPECT_NE(p.re, 0.0);
    EXPECT_NEAR(p.im, 2.0, 1e-15);
    /* 2^3 = 8 exactly on the positive real axis. */
    complex q = pow(complex{2.0, 0.0}, 3.0);
    EXPECT_EQ(q.re, 8.0);
    EXPECT_EQ(q.im, 0.0);
    /* The cut: (-4)^0.5 = +-2i by the sign of the zero. */
    EXPECT_NEAR(pow(complex{-4.0, 0.0}, 0.5).im, 2.0, 1e-15);
    EXPECT_NEAR(pow(complex{-4.0, -0.0}, 0.5).im, -2.0, 1e-15);
}

TEST(ComplexPow, RealBaseWithComplexExponent)
{
    /* 2^i = cos(ln 2) + i sin(ln 2) */
    complex a = pow(2.0, complex{0.0, 1.0});
    EXPECT_NEAR(a.re, 0.7692389013639721, 1e-16);
    EXPECT_NEAR(a.im, 0.6389612763136348, 1e-16);
    complex b = pow(2.0, complex{3.0, 0.0});
    EXPECT_NEAR(b.re, 8.0, 8e-15);
    /* a negative base uses ln|x| + i pi: (-1)^(1/2) = i */
    complex c = pow(-1.0, complex{0.5, 0.0});
    EXPECT_NEAR(c.re, 0.0, 1e-16);
    EXPECT_NEAR(c.im, 1.0, 1e-16);
    /* (-e)^1 = -e */
    complex d = pow(-2.718281828459045, complex{1.0, 0.0});
    EXPECT_NEAR(d.re, -2.718281828459045, 1e-15);
}

}
