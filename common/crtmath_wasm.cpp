/*
 * crtmath_wasm.cpp - the maths functions of the WebAssembly build.
 *
 * Its C library (musl) rounds exp, log, pow, hypot, atan2, sin, cos and tan
 * differently from glibc in the last bit often enough that the page's
 * pictures would not be lumo's pixel for pixel (bench/wasm/libm.sh counts
 * how often).  Defining them here, in the core, means the linker never
 * pulls musl's members, and the steady functions, nearly correctly rounded
 * as glibc's are, give the pictures' bits:
 *   - exp, log, pow and hypot go to steady_exp, steady_log, steady_pow
 *     and steady_hypot;
 *   - atan2 goes to steady_atan2;
 *   - sin, cos, sincos and tan go to steady_sincos and steady_tan; beyond
 *     SteadySincosLimit musl's own reduction and kernels (its sin, cos and
 *     tan are made of them) take over;
 *   - sinh and cosh are glibc's formulas over exp and expm1 (measured bit
 *     for bit against glibc's on either side of every switch): glibc's are
 *     not correctly rounded (one result in six), so a correctly rounded one
 *     would not do, and musl's switch to exp at other points.
 * musl's expm1 and asinh stay: glibc's are not correctly rounded either,
 * and musl's come from the same old algorithms, so they agree with glibc
 * far more often than a correctly rounded function would.  Compiled into
 * the WebAssembly build only (common/CMakeLists.txt); the native builds
 * keep their C library's.
 */
#include <cmath>

#include "common/steadyexp.h"
#include "common/sinandcos.h"
#include "common/steadytrig.h"

extern "C" {

/* musl's argument reduction by pi/2 and its sine, cosine and tangent
   kernels */
int __rem_pio2(double x, double *y);
double __sin(double x, double y, int iy);
double __cos(double x, double y);
double __tan(double x, double y, int odd);

}

namespace {

/* musl's sin (quarter = 0) or cos (quarter = 1) for |x| > SteadySincosLimit */
double farsine(double x, unsigned quarter)
{
    if (!std::isfinite(x))
        return x - x;
    double y[2];
    unsigned n = static_cast<unsigned>(__rem_pio2(x, y)) + quarter;
    double v = (n & 1u) ? __cos(y[0], y[1]) : __sin(y[0], y[1], 1);
    return (n & 2u) ? -v : v;
}

/* musl's tan for |x| > SteadySincosLimit */
double fartangent(double x)
{
    if (!std::isfinite(x))
        return x - x;
    double y[2];
    int n = __rem_pio2(x, y);
    return __tan(y[0], y[1], n & 1);
}

}  // namespace

extern "C" {

double exp(double x) { return steady_exp(x); }
double log(double x) { return steady_log(x); }
double pow(double x, double y) { return steady_pow(x, y); }
double hypot(double x, double y) { return steady_hypot(x, y); }
double atan2(double y, double x) { return steady_atan2(y, x); }

void sincos(double x, double *s, double *c)
{
    if (!steady_sincos(x, s, c)) {
        *s = farsine(x, 0);
        *c = farsine(x, 1);
    }
}

double sin(double x)
{
    double s, c;
    return steady_sincos(x, &s, &c) ? s : farsine(x, 0);
}

double cos(double x)
{
    double s, c;
    return steady_sincos(x, &s, &c) ? c : farsine(x, 1);
}

}   // extern "C"

/* common/sinandcos.h */
void sinandcos(double x, double *s, double *c)
{
    sincos(x, s, c);
}

extern "C" {

double tan(double x)
{
    double t;
    return steady_tan(x, &t) ? t : fartangent(x);
}

/* sinh x = (t + t/(t + 1))/2 with t = expm1|x| (near 0 another arrangement
   of it), exp|x|/2 from 22, exp(|x|/2)^2/2 near overflow */
double sinh(double x)
{
    double a = std::fabs(x);
    if (!std::isfinite(x))
        return x + x;
    double h = std::signbit(x) ? -0.5 : 0.5;
    if (a < 22.0) {
        if (a < 0x1p-28)
            return x;
        double t = std::expm1(a);
        if (a < 1.0)
            return h * (2.0 * t - t * t / (t + 1.0));
        return h * (t + t / (t + 1.0));
    }
    if (a < 0x1.62e42p+9)
        return h * steady_exp(a);
    if (a <= 0x1.633ce8fb9f87dp+9) {
        double w = steady_exp(0.5 * a);
        return (h * w) * w;
    }
    return x * 1.0e307;                     /* overflows */
}

/* cosh x = 1 + t^2/(2 (1 + t)) with t = expm1|x| up to log(2)/2, then
   (e + 1/e)/2 with e = exp|x|, e/2 from 22, exp(|x|/2)^2/2 near overflow */
double cosh(double x)
{
    double a = std::fabs(x);
    if (a < 22.0) {
        if (a < 0x1.62e43p-2) {
            if (a < 0x1p-55)
                return 1.0;
            double t = std::expm1(a);
            double w = 1.0 + t;
            return 1.0 + (t * t) / (w + w);
        }
        double t = steady_exp(a);
        return 0.5 * t + 0.5 / t;
    }
    if (a < 0x1.62e42p+9)
        return 0.5 * steady_exp(a);
    if (a <= 0x1.633ce8fb9f87dp+9) {
        double w = steady_exp(0.5 * a);
        return (0.5 * w) * w;
    }
    return x * x * 1.0e307;                 /* inf, NaN or an overflow */
}

}
