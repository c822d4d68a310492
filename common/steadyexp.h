/*
 * steadyexp.h - exponential, logarithm and power that give the same double
 * on every build and are nearly correctly rounded.
 *
 * Like steadytrig.h they use only IEEE additions, subtractions,
 * multiplications and divisions (no fused multiply-add), so every build
 * computes the same bits.  The error before the final rounding is a few
 * 2^-70 relative (pow: a few 2^-70 times |y log x| at worst), so a result
 * differs from the correctly rounded one only when the exact value lies
 * that close to a rounding boundary.  The special values (NaN, infinities,
 * signed zeros, overflow, underflow to subnormals) are those of C99 Annex F
 * as the C library gives them.
 *
 * The WebAssembly build routes the C library's exp, log and pow here
 * (common/crtmath_wasm.cpp); the native builds keep their C library's.
 */
#ifndef LUMO_COMMON_STEADYEXP_H
#define LUMO_COMMON_STEADYEXP_H

double steady_exp(double x);
double steady_log(double x);
double steady_pow(double x, double y);

#endif
