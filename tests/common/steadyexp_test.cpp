/*
 * steadyexp_test.cpp - steady_exp, steady_log, steady_pow and steady_hypot
 * against the C library: the special values of Annex F bit for bit, and
 * 300 000 inputs per region against x87 long double (expl, logl, powl,
 * hypotl: 11 bits more than a double) where such functions go wrong.
 *
 * glibc's exp, log, pow and hypot are not correctly rounded (0.51 ulp or
 * so), so the fraction that differs from glibc is bounded loosely; a wrong knot, a
 * lost low part or a wrong scaling would push the error past the ulp bound
 * or that fraction far past its bound.  steadyexp_mpmath.py checks the
 * correct rounding itself.
 */
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "common/steadyexp.h"
#include "tests/common/steadytesting.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();
const double tiny = std::numeric_limits<double>::denorm_min();
const double big = std::numeric_limits<double>::max();

TEST(SteadyExpLog, SpecialValuesAsTheCLibraryGivesThem)
{
    const double values[] = {0.0, -0.0, tiny, -tiny, 0x1p-1022, 0x1p-60, -0x1p-54, 1.0, -1.0,
                             0x1.62e42fefa39efp+9, 0x1.62e42fefa39fp+9, 709.79, 710.0,
                             -0x1.74385446d71c3p+9, -0x1.74910d52d3051p+9, -745.2, -746.0,
                             -708.4, -708.3, 0x1p1000, big, -big, inf, -inf, nan};
    for (double x : values) {
        EXPECT_TRUE(same(steady_exp(x), std::exp(x)))
            << std::hexfloat << "exp(" << x << ") = " << steady_exp(x) << ", C library " << std::exp(x);
        EXPECT_TRUE(same(steady_log(x), std::log(x)))
            << std::hexfloat << "log(" << x << ") = " << steady_log(x) << ", C library " << std::log(x);
    }
}

TEST(SteadyPowHypot, SpecialValuesAsTheCLibraryGivesThem)
{
    const double values[] = {0.0, -0.0, tiny, -tiny, 0.5, -0.5, 1.0, -1.0, 2.0, -2.0, 3.0, -3.0,
                             0.25, 1e10, -1e10, 0x1p53, -0x1p53 - 2.0, 1025.0, -1075.0,
                             0x1p-1022, 0x1p-600, 0x1p511, 0x1p1023, 3e-320, -4e-320,
                             big, -big, inf, -inf, nan};
    for (double x : values)
        for (double y : values) {
            EXPECT_TRUE(same(steady_pow(x, y), std::pow(x, y)))
                << std::hexfloat << "pow(" << x << ", " << y << ") = " << steady_pow(x, y)
                << ", C library " << std::pow(x, y);
            EXPECT_TRUE(same(steady_hypot(x, y), std::hypot(x, y)))
                << std::hexfloat << "hypot(" << x << ", " << y << ") = " << steady_hypot(x, y)
                << ", C library " << std::hypot(x, y);
        }
}

struct Draw {
    std::mt19937_64 gen{20261208};
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
    double scaled(int elo, int ehi) { return std::ldexp(uniform(1.0, 2.0), between(elo, ehi)); }
};

struct Case {
    const char *name;
    std::function<double(double, double)> steady;
    std::function<long double(long double, long double)> reference;
    std::function<double(double, double)> libc;
    std::function<void(Draw &, double *, double *)> input;
    double differbound;          /* largest fraction that may differ from glibc */
};

TEST(SteadyExpLogPow, WithinHalfAnUlpOverTheHardRegions)
{
    auto exp1 = [](double x, double) { return steady_exp(x); };
    auto log1 = [](double x, double) { return steady_log(x); };
    auto expl1 = [](long double x, long double) { return expl(x); };
    auto logl1 = [](long double x, long double) { return logl(x); };
    auto libexp = [](double x, double) { return std::exp(x); };
    auto liblog = [](double x, double) { return std::log(x); };
    const Case cases[] = {
        {"exp", exp1, expl1, libexp, [](Draw &d, double *x, double *) { *x = d.uniform(-745.2, 709.8); }, 5e-3},
        {"exp near 0", exp1, expl1, libexp,
         [](Draw &d, double *x, double *) { *x = d.uniform(-1.0, 1.0) * d.scaled(-60, -1); }, 5e-3},
        {"exp subnormal", exp1, expl1, libexp, [](Draw &d, double *x, double *) { *x = d.uniform(-745.2, -708.3); }, 5e-3},
        {"log", log1, logl1, liblog, [](Draw &d, double *x, double *) { *x = d.scaled(-1074, 1023); }, 5e-3},
        {"log near 1", log1, logl1, liblog,
         [](Draw &d, double *x, double *) { *x = 1.0 + d.uniform(-1.0, 1.0) * d.scaled(-52, -1); }, 5e-3},
        {"pow", steady_pow, [](long double x, long double y) { return powl(x, y); },
         [](double x, double y) { return std::pow(x, y); },
         [](Draw &d, double *x, double *y) {
             switch (d.between(0, 3)) {
             case 0: *x = d.scaled(-60, 60); *y = d.uniform(-12.0, 12.0); break;
             case 1: *x = d.uniform(-30.0, 30.0); *y = std::floor(d.uniform(-12.0, 13.0)); break;
             case 2: *x = 1.0 + d.uniform(-1.0, 1.0) * d.scaled(-40, -2); *y = d.uniform(-1e4, 1e4); break;
             default: *x = d.scaled(-1074, 1023); *y = d.uniform(-1.0, 1.0); break;
             }
         }, 5e-3},
        {"hypot", steady_hypot, [](long double x, long double y) { return hypotl(x, y); },
         [](double x, double y) { return std::hypot(x, y); },
         [](Draw &d, double *x, double *y) {
             int e = d.between(-1074, 1023);
             *x = d.scaled(e - 30, e) * (d.between(0, 1) ? -1.0 : 1.0);
             *y = d.scaled(e - 30, e);
         }, 5e-3},
    };
    for (const Case &c : cases) {
        Draw d;
        double worst = 0.0;
        long differ = 0, count = 300000;
        for (long i = 0; i < count; ++i) {
            double x = 0.0, y = 0.0;
            c.input(d, &x, &y);
            double v = c.steady(x, y);
            double u = ulps(v, c.reference(x, y));
            worst = std::max(worst, u);
            differ += !same(v, c.libc(x, y));
            if (u > 0.502)
                ADD_FAILURE() << std::hexfloat << c.name << "(" << x << ", " << y << ") = " << v;
        }
        std::printf("steady %s: worst %.4f ulp, %.2e differ from the C library\n", c.name, worst,
                    static_cast<double>(differ) / count);
        /* The long double reference carries 2^-11 ulp of its own error. */
        EXPECT_LE(worst, 0.502) << c.name;
        EXPECT_LT(static_cast<double>(differ) / count, c.differbound) << c.name;
    }
}

}  // namespace
