/*
 * crtmath_wasm.cpp - the maths functions of the WebAssembly build.
 *
 * Its C library (musl) rounds exp, log, pow, hypot, atan2, sin and cos
 * differently from glibc in the last bit often enough that the page's
 * pictures would not be lumo's pixel for pixel (bench/wasm/libm.sh counts
 * how often).  Defining them here, in the core, means the linker never
 * pulls musl's members, and the steady functions, nearly correctly rounded
 * as glibc's are, give the pictures' bits:
 *   - exp, log, pow and hypot go to steady_exp, steady_log, steady_pow
 *     and steady_hypot;
 *   - atan2 goes to steady_atan2;
 *   - sin, cos and sincos go to steady_sincos; beyond SteadySincosLimit
 *     musl's own reduction and kernels (its sin and cos are made of them)
 *     take over.
 * musl's sinh, cosh, expm1, asinh and tan stay: glibc's are not correctly
 * rounded (sinh, cosh, asinh one result in six), and musl's come from the
 * same old algorithms, so they agree with glibc far more often than a
 * correctly rounded function would.  Compiled into the WebAssembly build
 * only (common/CMakeLists.txt); the native builds keep their C library's.
 */
#include <cmath>

#include "common/steadyexp.h"
#include "common/steadytrig.h"

extern "C" {

/* musl's argument reduction by pi/2 and its sine and cosine kernels */
int __rem_pio2(double x, double *y);
double __sin(double x, double y, int iy);
double __cos(double x, double y);

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

}
