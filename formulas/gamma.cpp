/*
 * gamma.cpp - the gamma function by a Lanczos-type approximation, and the
 * logarithm of its value.
 *
 * The approximation is written for gamma(z + 1) and used unchanged in the
 * whole plane: no reflection, no special regions.  It is good to about six
 * digits on -3.5..10 of the real axis and drifts away towards -7.  At
 * s = 0, -1, ..., -6 a divisor z + k is zero and at s = -7 the power's base
 * is zero with a negative exponent; those points give a non-finite w.
 */
#include "formulas/formulas.h"
#include "formulas/helpers.h"

/* w = gamma(s) for s = zx + i zy. */
int gamma(double zx, double zy, double *wx, double *wy)
{
    static const double a = 8.0;
    static const double c[8] = {
        2.507, 2901.42, -5929.17, 4148.27, -1164.76, 117.413, -2.78659, 0.00377539,
    };
    complex z = {zx - 1.0, zy};
    complex factor = pow(z + a, z + 0.5) * exp(-(z + a));
    complex sum = {0.0, 0.0};
    for (int k = 1; k < (int)a; k++)
        sum = sum + c[k] / (z + (double)k);
    complex w = factor * (c[0] + sum);
    storew(w, wx, wy);
    return 0;
}

/* w = log(gamma(s)): the principal logarithm of the value, so Im w stays in
   (-pi, pi] and jumps where gamma crosses the negative real axis. */
int log_gamma(double zx, double zy, double *wx, double *wy)
{
    gamma(zx, zy, wx, wy);
    complex v = {*wx, *wy};
    storew(log(v), wx, wy);
    return 0;
}
