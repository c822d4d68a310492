/*
 * sinandcos.h - the sine and the cosine of one argument together.
 *
 * GCC turns std::sin(x) and std::cos(x) of one x into one call of the C
 * library's sincos, which reduces x once for both.  clang does that only
 * for GNU systems, so the WebAssembly build, whose sine and cosine are
 * steady_sincos (common/crtmath_wasm.cpp), would reduce every argument
 * twice: there LUMO_SINCOS_CALL is defined and the call is made by name.
 * Either way the two values are those of std::sin and std::cos.
 */
#ifndef LUMO_COMMON_SINANDCOS_H
#define LUMO_COMMON_SINANDCOS_H

#include <cmath>

#ifdef LUMO_SINCOS_CALL
/* common/crtmath_wasm.cpp */
void sinandcos(double x, double *s, double *c);
#else
inline void sinandcos(double x, double *s, double *c)
{
    *s = std::sin(x);
    *c = std::cos(x);
}
#endif

#endif
