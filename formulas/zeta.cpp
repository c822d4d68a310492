/*
 * zeta.cpp - the Riemann zeta function and the two formulas built on it,
 * with the factorial table and the constants the series need.
 *
 * Right of Re z = 2 zeta sums 19 terms of the alternating (eta) series;
 * elsewhere it sums the Laurent series about 1 up to (z - 1)^170, whose
 * real coefficients Stieltjes[m] * ((-1)^m / factorial[m]) are worked out
 * once by fillfactorial.  The two methods are not matched at Re z = 2.
 */
#include <cmath>

#include "formulas/formulas.h"
#include "formulas/helpers.h"

double factorial[201];

/* Laurent coefficients Stieltjes[m] * ((-1)^m / factorial[m]), and ln n for
   the alternating series (lnn[1..19]) with ln 2 among them. */
static double laurent[171];
static double lnn[20];

/* Fills factorial with n! for n = 0..170 (171! is beyond a double; the rest
   stay 0) and the derived tables.  Start-up calls it once, before the first
   render. */
void fillfactorial()
{
    factorial[0] = 1.0;
    factorial[1] = 1.0;
    for (int k = 2; k <= 170; k++)
        factorial[k] = k * factorial[k - 1];
    for (int m = 0; m <= 170; m++) {
        double sign = (m % 2 == 0) ? 1.0 : -1.0;   /* (-1)^m, exactly */
        laurent[m] = Stieltjes[m] * (sign / factorial[m]);
    }
    for (int n = 1; n < 20; n++)
        lnn[n] = std::log((double)n);
}

/* zeta by the alternating series, for Re z > 2:
   sum over n = 1..19 of (-1)^(n-1) / n^z, divided by 1 - 2^(1-z). */
static complex zeta_alternating(complex z)
{
    complex sum1 = {0.0, 0.0};
    for (int n = 1; n < 20; n++) {
        double sign = (n % 2 == 1) ? 1.0 : -1.0;   /* (-1)^(n-1) */
        complex nz = exp(lnn[n] * z);              /* n^z = exp(z ln n) */
        sum1 = sum1 + sign / nz;
    }
    complex p = exp(lnn[2] * (1.0 - z));           /* 2^(1-z) */
    return sum1 / (1.0 - p);
}

/* zeta by the Laurent series about 1: 1/(z-1) plus the sum over n = 0..170
   of laurent[n] * (z-1)^n, the power in polar form.  |z-1| and its argument
   are the same for every term, so they are taken once. */
static complex zeta_laurent(complex z)
{
    complex z_minus_1 = z - 1.0;
    POLARBASE base = polarbase(z_minus_1);
    complex sum1 = {0.0, 0.0};
    for (int m = 0; m < 171; m++) {
        complex p = polarpow(base, (double)m);
        complex term = {p.re * laurent[m], p.im * laurent[m]};
        sum1 = sum1 + term;
    }
    return 1.0 / z_minus_1 + sum1;
}

/* w = zeta(z).  The pole z = 1 itself is moved to 1.000001. */
int zeta(double zx, double zy, double *wx, double *wy)
{
    complex w;
    if (zx > 2.0) {
        w = zeta_alternating(complex{zx, zy});
    } else {
        if (zx == 1.0 && zy == 0.0)
            zx = 1.000001;
        w = zeta_laurent(complex{zx, zy});
    }
    storew(w, wx, wy);
    return 0;
}

/* w = zeta(zeta(zeta(z))), stopping early at the first value of modulus
   16 or more, which then stands. */
int iterated_zeta(double zx, double zy, double *wx, double *wy)
{
    double size = 0.0;
    int n = 0;
    while (size < 16.0 && n < 3) {
        zeta(zx, zy, wx, wy);
        zx = *wx;
        zy = *wy;
        size = std::sqrt(*wx * *wx + *wy * *wy);
        n = n + 1;
    }
    return 0;
}

/* w = log(zeta(z)), the principal logarithm of the value. */
int log_zeta(double zx, double zy, double *wx, double *wy)
{
    zeta(zx, zy, wx, wy);
    complex v = {*wx, *wy};
    storew(log(v), wx, wy);
    return 0;
}
