/*
 * fastpath_test.cpp - zeta, Lambert and product work out their constants
 * once (the Laurent coefficients, ln n, |z|^n's base, the roots of unity).
 * Here each is written out again the plain way, every constant computed
 * at the point of use, and both must agree bit for bit on many points.
 */
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "common/complex.h"
#include "formulacases.h"

namespace {

/* zeta as written: (-1)^(n-1) / n^z with n^z = exp(z ln n) right of 2; the
   Laurent series with Stieltjes[m] * ((-1)^n / factorial[m]) elsewhere. */
complex plainzeta(double zx, double zy)
{
    if (zx > 2.0) {
        complex z = {zx, zy};
        complex sum1 = {0.0, 0.0};
        for (double n = 1.0; n < 20.0; n += 1.0)
            sum1 = sum1 + std::pow(-1.0, n - 1.0) / exp(z * std::log(n));
        complex p = exp((1.0 - z) * std::log(2.0));
        return sum1 / (1.0 - p);
    }
    if (zx == 1.0 && zy == 0.0)
        zx = 1.000001;
    complex z = {zx, zy};
    complex z_minus_1 = z - 1.0;
    complex sum1 = {0.0, 0.0};
    for (double n = 0.0; n < 171.0; n += 1.0) {
        int m = (int)n;
        double coefficient = Stieltjes[m] * (std::pow(-1.0, n) / factorial[m]);
        complex p = pow(z_minus_1, n);
        complex term = {p.re * coefficient, p.im * coefficient};
        sum1 = sum1 + term;
    }
    return 1.0 / z_minus_1 + sum1;
}

complex plainlambert(double zx, double zy)
{
    complex z = {zx, zy};
    complex w = {0.0, 0.0};
    for (int n = 1; n <= 19; n++) {
        complex p = pow(z, (double)n);
        w = w + p / (1.0 - p);
    }
    return w;
}

complex plainproduct(double zx, double zy)
{
    if (zy == 0.0)
        zy = yside / yres;
    complex z = {zx, zy};
    complex i = {0.0, 1.0};
    complex u = exp((i * 6.283185307179586) * (1.0 / 6.0));
    complex w = {1.0, 0.0};
    for (int k = 1; k <= 6; k++) {
        complex uk = pow(u, (double)k);
        complex temp = (z + uk) / (z - uk);
        double xtemp = temp.re, ytemp = temp.im;
        while (std::fabs(ytemp) >= 26.0) {
            xtemp = 0.1 * xtemp;
            ytemp = 0.1 * ytemp;
        }
        w = w * exp(complex{xtemp, ytemp});
    }
    return w;
}

/* Same bits, or both parts not a number in the same places. */
bool agree(double a, double b)
{
    return samebits(a, b) || (std::isnan(a) && std::isnan(b));
}

/* A fixed pseudo-random sequence in [0, 1). */
double nextrandom(uint64_t *state)
{
    *state = *state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (double)(*state >> 11) / 9007199254740992.0;
}

/* Grid points over the formula's built-in view, the real axis with both
   zeros, whole numbers, and random points in the view. */
std::vector<std::pair<double, double>> pointsfor(int f)
{
    std::vector<std::pair<double, double>> points;
    const IMAGE &v = im[f];
    for (int a = 0; a <= 60; a++) {
        for (int b = 0; b <= 60; b++) {
            points.push_back({v.xmin + (v.xmax - v.xmin) * a / 60.0,
                              v.ymax - (v.ymax - v.ymin) * b / 60.0});
        }
    }
    for (int a = -30; a <= 30; a++) {
        points.push_back({a * 0.5, 0.0});
        points.push_back({a * 0.5, -0.0});
        points.push_back({1.0 + a * 1e-3, 0.0});
    }
    uint64_t state = 12345 + f;
    for (int k = 0; k < 3000; k++) {
        double x = v.xmin + (v.xmax - v.xmin) * nextrandom(&state);
        double y = v.ymin + (v.ymax - v.ymin) * nextrandom(&state);
        points.push_back({x, y});
    }
    return points;
}

void compare(int f, complex (*plain)(double, double))
{
    int mismatches = 0;
    for (const auto &p : pointsfor(f)) {
        double wx, wy;
        evaluate(f, p.first, p.second, &wx, &wy);
        complex w = plain(p.first, p.second);
        if (!agree(wx, w.re) || !agree(wy, w.im)) {
            if (++mismatches <= 5) {
                ADD_FAILURE() << "formula " << f << " at " << p.first << " + " << p.second
                              << "i: " << wx << " " << wy << " against " << w.re << " " << w.im;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(FormulaTest, ZetaAgreesWithThePlainSeriesBitForBit)
{
    compare(27, plainzeta);
}

TEST_F(FormulaTest, ZetaAgreesRightOfTheSeamToo)
{
    /* zeta's built-in view reaches only to 10; look right of 2 as well. */
    uint64_t state = 99;
    for (int k = 0; k < 3000; k++) {
        double x = 2.0 + 40.0 * nextrandom(&state);
        double y = -30.0 + 60.0 * nextrandom(&state);
        double wx, wy;
        evaluate(27, x, y, &wx, &wy);
        complex w = plainzeta(x, y);
        ASSERT_TRUE(agree(wx, w.re) && agree(wy, w.im)) << x << " + " << y << "i";
    }
}

TEST_F(FormulaTest, LambertAgreesWithThePlainSeriesBitForBit)
{
    compare(19, plainlambert);
}

TEST_F(FormulaTest, ProductAgreesWithThePlainProductBitForBit)
{
    compare(26, plainproduct);
}

}
