/*
 * steadytrig.h - arc tangent, sine, cosine and tangent that give the same
 * double on every build and are nearly correctly rounded.
 *
 * They use only IEEE additions, subtractions, multiplications and divisions
 * (no fused multiply-add, no x87), so a 64-bit Windows build, a 32-bit one
 * compiled for SSE2 and the Linux build agree bit for bit.  The error is a
 * few 2^-70 relative, so a result differs from the correctly rounded one only
 * when the exact value lies within that distance of a rounding boundary.
 *
 * The 64-bit Windows build routes the C library's atan2, sin, cos and sincos
 * here (common/crtmath_win64.cpp); elsewhere the C library's are used.
 */
#ifndef LUMO_COMMON_STEADYTRIG_H
#define LUMO_COMMON_STEADYTRIG_H

/* atan2(y, x) with the special values of C99 Annex F (signed zeros,
   infinities, NaN) as the C library gives them. */
double steady_atan2(double y, double x);

/* atan2 by its accurate path alone, which steady_atan2 falls back on near
   a rounding boundary: a test shows on many inputs that its fast path
   never changes a result. */
double steady_atan2_accurate(double y, double x);

/* The largest |x| steady_sincos reduces; beyond it the reduction by pi/2
   would need more bits of pi than it carries. */
constexpr double SteadySincosLimit = 1.0e5;

/* Stores sin(x) and cos(x) and returns true when |x| <= SteadySincosLimit;
   returns false and stores nothing otherwise (also for infinities and NaN),
   leaving the caller to use a full-range sine and cosine. */
bool steady_sincos(double x, double *s, double *c);

/* Stores tan(x) and returns true when |x| <= SteadySincosLimit, as
   steady_sincos does (its sine over its cosine, unrounded); returns false
   and stores nothing otherwise. */
bool steady_tan(double x, double *t);

#endif
