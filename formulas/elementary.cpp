/*
 * elementary.cpp - the closed-form formulas without guards: rational
 * functions, powers, the sine and the fixed "Custom" function.
 *
 * Each is computed exactly in the order its expression is written: powers
 * of z by repeated multiplication from the left, real constants added to
 * the real part only, quotients as a * conj(b) / |b|^2.  None of them tests
 * for its poles; there the quotient's 0/0 or x/0 gives a non-finite w.
 */
#include "formulas/formulas.h"
#include "formulas/helpers.h"

/* w = z, bit for bit. */
int color_wheel(double zx, double zy, double *wx, double *wy)
{
    *wx = zx;
    *wy = zy;
    return 0;
}

/* w = 1 / z */
int Eq1(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    storew(1.0 / z, wx, wy);
    return 0;
}

/* w = z + 1 / z */
int Eq2(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex t = 1.0 / z;
    storew(z + t, wx, wy);
    return 0;
}

/* w = z^3 - 1 */
int Eq3(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex c = (z * z) * z;
    storew(c - 1.0, wx, wy);
    return 0;
}

/* w = 1 / ( z^4 - z ) */
int Eq4(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex c = ((z * z) * z) * z;
    complex d = c - z;
    storew(1.0 / d, wx, wy);
    return 0;
}

/* w = z^(0.666667 - i): the exponent's real part is the six-digit decimal,
   not 2/3, and the power is exp(p log z) on the principal branch. */
int Eq5(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex p = 0.666667 - _i;
    storew(pow(z, p), wx, wy);
    return 0;
}

/* w = (z^2 - 1) (z - 2 - i)^2 / (z^2 + 2 + 2i).  The square of z - 2 - i is
   the polar power, so it is exactly 0 at z = 2 + i. */
int Eq6(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex q = pow(z - 2.0 - _i, 2.0);
    complex n = (z * z - 1.0) * q;
    complex d = z * z + 2.0 + _2i;
    complex w = n;
    w /= d;
    storew(w, wx, wy);
    return 0;
}

/* w = (z + 2)^2 (z - 1 - 2i) (z + i) */
int Eq7(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex _z_plus_2 = z + 2.0;
    complex w = ((_z_plus_2 * _z_plus_2) * (z - 1.0 - _2i)) * (z + _i);
    storew(w, wx, wy);
    return 0;
}

/* w = (z - 2)^2 (z + 1 - 2i) (z + 2 + 2i) / z^3 */
int Eq8(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex c = (z * z) * z;
    complex _z_minus_2 = z - 2.0;
    complex n = ((_z_minus_2 * _z_minus_2) * (z + 1.0 - _2i)) * (z + 2.0 + _2i);
    storew(n / c, wx, wy);
    return 0;
}

/* w = (z^3 - 1) / (z^3 + 1) */
int Eq9(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex z3 = (z * z) * z;
    storew((z3 - 1.0) / (z3 + 1.0), wx, wy);
    return 0;
}

/* w = (1 - z)^(-2 - 3i).  1 - z negates zy, so on the real axis (zy = +0)
   the base has im = -0 and real z > 1 takes the argument -pi. */
int Eq10(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex b = 1.0 - z;
    complex p = -2.0 - _3i;
    storew(pow(b, p), wx, wy);
    return 0;
}

/* w = (1 - zi) / ((-zi)^2 - zi + 1) */
int Eq11(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex _zi = z * _i;
    complex m = -_zi;
    complex d = ((m * m) - _zi) + 1.0;
    complex n = 1.0 - _zi;
    storew(n / d, wx, wy);
    return 0;
}

/* w = (z - 1) / (z^2 + z + 1) */
int Eq12(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex d = ((z * z) + z) + 1.0;
    storew((z - 1.0) / d, wx, wy);
    return 0;
}

/* w = sin z */
int sine(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    storew(sin(z), wx, wy);
    return 0;
}

/* w = exp(2z) / (z - 1)^2 */
int Eq17(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex z_minus_1 = z - 1.0;
    complex d = z_minus_1 * z_minus_1;
    complex n = exp(complex{2.0 * zx, 2.0 * zy});
    storew(n / d, wx, wy);
    return 0;
}

/* "Custom": the identity inside the circle of radius 3, the constant
   0.125 + 0.125i on and outside it. */
int custom(double zx, double zy, double *wx, double *wy)
{
    complex w = {zx, zy};
    if (abs(w) >= 3.0)
        w = complex{0.125, 0.125};
    storew(w, wx, wy);
    return 0;
}
