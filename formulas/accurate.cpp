/*
 * accurate.cpp - PLACEHOLDER until the accurate implementations land: these
 * forward to the built-in formulas' approximations so that typed functions
 * can already call gamma, loggamma and zeta.  To be replaced.
 */
#include "formulas/accurate.h"

#include "formulas/formulas.h"

static complex forward(FORMULA f, complex z)
{
    double wx = 0.0, wy = 0.0;
    f(z.re, z.im, &wx, &wy);
    return complex{wx, wy};
}

complex accurate_gamma(complex z) { return forward(gamma, z); }
complex accurate_loggamma(complex z) { return forward(log_gamma, z); }
complex accurate_zeta(complex z) { return forward(zeta, z); }
