/*
 * accurate.h - gamma, the analytic continuation of log gamma, and zeta to
 * nearly full double precision, for typed functions.  The built-in
 * formulas keep their own classic approximations (gamma.cpp, zeta.cpp).
 *
 * accurate_loggamma is the continuation of the real log gamma of the
 * positive axis into the plane cut along the negative real axis: its
 * imaginary part is the sum of the arguments of the factors, not folded
 * into (-pi, pi].  On the cut it takes the value from above.
 *
 * Every input gives a value: at a pole the result is infinite or NaN, as
 * is a NaN input.  zeta is accurate for |Im s| up to about 12000; beyond
 * that its value is only roughly right.
 */
#ifndef LUMO_FORMULAS_ACCURATE_H
#define LUMO_FORMULAS_ACCURATE_H

#include "common/complex.h"

complex accurate_gamma(complex z);
complex accurate_loggamma(complex z);
complex accurate_zeta(complex z);

#endif
