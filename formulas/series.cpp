/*
 * series.cpp - the Lambert series and the finite product over the sixth
 * roots of unity.
 */
#include <cmath>

#include "formulas/formulas.h"
#include "formulas/helpers.h"

/* w = sum over n = 1..19 of z^n / (1 - z^n), the powers in polar form.
   At the roots of unity of orders 1..19 a divisor is 0 and w is not
   finite. */
int Lambert(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    POLARBASE base = polarbase(z);
    complex w = {0.0, 0.0};
    for (int n = 1; n <= 19; n++) {
        complex p = polarpow(base, (double)n);
        w = w + p / (1.0 - p);
    }
    storew(w, wx, wy);
    return 0;
}

/* u^k for k = 1..6, u = exp(i * 2 pi / 6), each the polar power of u. */
static complex rootpower(int k)
{
    complex u = exp((_i * 6.283185307179586) * (1.0 / 6.0));
    return pow(u, (double)k);
}

static const complex uk[7] = {
    {0.0, 0.0}, rootpower(1), rootpower(2), rootpower(3),
    rootpower(4), rootpower(5), rootpower(6),
};

/* w = product over k = 1..6 of exp((z + u^k) / (z - u^k)).  A point on the
   real axis is lifted by one pixel height, yside / yres, off the two roots
   there.  Near a root the exponent is damped by 0.1 while the integer part
   of its |Im| exceeds 25; only Im is tested, both parts are scaled. */
int product(double zx, double zy, double *wx, double *wy)
{
    if (zy == 0.0)
        zy = yside / yres;
    complex z = {zx, zy};
    complex w = {1.0, 0.0};
    for (int k = 1; k <= 6; k++) {
        complex temp = (z + uk[k]) / (z - uk[k]);
        double xtemp = temp.re;
        double ytemp = temp.im;
        if (std::isfinite(ytemp)) {
            while (std::fabs(ytemp) >= 26.0) {
                xtemp = 0.1 * xtemp;
                ytemp = 0.1 * ytemp;
            }
        }
        w = w * exp(complex{xtemp, ytemp});
    }
    storew(w, wx, wy);
    return 0;
}
