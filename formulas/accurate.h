/*
 * accurate.h - gamma, the analytic continuation of log gamma, and zeta to
 * nearly full double precision, for typed functions.  The built-in
 * formulas keep their own classic approximations (gamma.cpp, zeta.cpp).
 */
#ifndef LUMO_FORMULAS_ACCURATE_H
#define LUMO_FORMULAS_ACCURATE_H

#include "common/complex.h"

complex accurate_gamma(complex z);
complex accurate_loggamma(complex z);
complex accurate_zeta(complex z);

#endif
