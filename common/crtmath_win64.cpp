/*
 * crtmath_win64.cpp - the maths functions of the 64-bit Windows build.
 *
 * mingw-w64 links its own x87 versions of sin, cos, sincos, exp, log, pow and
 * atan2 (libmingwex), several times slower than msvcrt's or glibc's.  Defining
 * them here, in the core, means the linker never pulls those members:
 *   - exp, log, pow go to msvcrt.dll's, which are fast and agree with glibc
 *     bit for bit more often than mingw's do;
 *   - atan2 goes to steady_atan2: msvcrt's is fast but differs from glibc in
 *     about one result in six;
 *   - sin, cos and sincos (GCC turns a sin and cos of one argument into
 *     sincos) go to steady_sincos: msvcrt's slow down tenfold beyond |x| of
 *     about 10, where the zeta function's polar powers live.  Beyond
 *     SteadySincosLimit msvcrt's full-range reduction takes over.
 * Compiled into the 64-bit Windows build only; the Linux build keeps glibc,
 * and the 32-bit build, which cannot be run here, keeps what it had.
 */
#include "common/steadytrig.h"

extern "C" {

/* msvcrt.dll's entries, reached through the import library */
extern double (*__imp_exp)(double);
extern double (*__imp_log)(double);
extern double (*__imp_pow)(double, double);
extern double (*__imp_sin)(double);
extern double (*__imp_cos)(double);

double exp(double x) { return __imp_exp(x); }
double log(double x) { return __imp_log(x); }
double pow(double x, double y) { return __imp_pow(x, y); }
double atan2(double y, double x) { return steady_atan2(y, x); }

void sincos(double x, double *s, double *c)
{
    if (!steady_sincos(x, s, c)) {
        *s = __imp_sin(x);
        *c = __imp_cos(x);
    }
}

double sin(double x)
{
    double s, c;
    return steady_sincos(x, &s, &c) ? s : __imp_sin(x);
}

double cos(double x)
{
    double s, c;
    return steady_sincos(x, &s, &c) ? c : __imp_cos(x);
}

}
