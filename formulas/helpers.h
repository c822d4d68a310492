/*
 * helpers.h - what the formula files share: the complex constants the
 * formulas are written with, the store of w, and the polar power split
 * into its two halves for loops that raise one base to many exponents.
 *
 * Adding or subtracting a constant goes through the complex sum, so
 * z - 2.0 - _i is ((x - 2) - 0, y - 1), term by term as written.
 */
#ifndef LUMO_FORMULAS_HELPERS_H
#define LUMO_FORMULAS_HELPERS_H

#include "common/complex.h"

/* In a namespace of their own: names with a leading underscore are not
   ours to use in the global namespace. */
namespace {
const complex _i = {0.0, 1.0};
const complex _2i = {0.0, 2.0};
const complex _3i = {0.0, 3.0};
}

/* Stores w through the formula's output pointers. */
static inline void storew(complex w, double *wx, double *wy)
{
    *wx = w.re;
    *wy = w.im;
}

/* The base of a polar power b^p = |b|^p (cos p*theta, sin p*theta), with
   |b| and theta = arg b taken once for many exponents p. */
struct POLARBASE {
    double modulus;
    double theta;
    int zero;           /* b = 0: b^p is 0 for every p > 0 */
};

static inline POLARBASE polarbase(complex b)
{
    POLARBASE base;
    base.modulus = abs(b);
    base.theta = arg(b);
    base.zero = (b.re == 0.0 && b.im == 0.0);
    return base;
}

/* b^p for the base taken apart by polarbase; the same value, bit for bit,
   as pow(b, p). */
static inline complex polarpow(POLARBASE base, double p)
{
    if (base.zero && p > 0.0)
        return complex{0.0, 0.0};
    double m = std::pow(base.modulus, p);
    double s, c;
    sinandcos(p * base.theta, &s, &c);
    return complex{m * c, m * s};
}

#endif
