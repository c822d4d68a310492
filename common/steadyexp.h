/*
 * steadyexp.h - exponential, logarithm, power and hypotenuse that give the
 * same double on every build and are nearly correctly rounded.
 *
 * Like steadytrig.h they use only IEEE additions, subtractions,
 * multiplications, divisions and square roots (no fused multiply-add), so every build
 * computes the same bits.  The error before the final rounding is a few
 * 2^-70 relative (pow: a few 2^-70 times |y log x| at worst), so a result
 * differs from the correctly rounded one only when the exact value lies
 * that close to a rounding boundary.  The special values (NaN, infinities,
 * signed zeros, overflow, underflow to subnormals) are those of C99 Annex F
 * as the C library gives them.
 *
 * The WebAssembly build routes the C library's exp, log, pow and hypot here
 * (common/crtmath_wasm.cpp); the native builds keep their C library's.
 */
#ifndef LUMO_COMMON_STEADYEXP_H
#define LUMO_COMMON_STEADYEXP_H

double steady_exp(double x);
double steady_log(double x);
double steady_pow(double x, double y);

/* sqrt(x^2 + y^2) without overflow or underflow on the way, nearly
   correctly rounded like the others (it needs the same exact products). */
double steady_hypot(double x, double y);

/* exp and pow by their accurate paths alone, which the functions above
   fall back on near a rounding boundary: a test shows on many inputs that
   the fast paths never change a result. */
double steady_exp_accurate(double x);
double steady_pow_accurate(double x, double y);

#endif
