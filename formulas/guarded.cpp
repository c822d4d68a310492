/*
 * guarded.cpp - the closed-form formulas whose exponential would leave the
 * range of a double near a singularity or far out: each bounds its own
 * working by a fixed value (Eq14), a radial shrink of z (Eq15) or a scaling
 * of the exponential's argument by powers of ten (Eq13, Eq16, Eq18).
 *
 * A scaling loop ends for every finite value and is skipped by a NaN; an
 * infinite value would never come within the bound, so the loops are only
 * entered with finite values (an infinity is then carried into w).
 */
#include <cmath>

#include "formulas/formulas.h"
#include "formulas/helpers.h"

/* w = sin(1 / z^3), with u = 1 / z^3 scaled by 0.1 while the integer part of
   |Im u| exceeds 250.  Only Im u is tested; both parts are scaled. */
int Eq13(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex c = (z * z) * z;
    complex temp = 1.0 / c;
    double xtemp = temp.re;
    double ytemp = temp.im;
    if (std::isfinite(ytemp)) {
        while (std::fabs(ytemp) >= 251.0) {
            xtemp = 0.1 * xtemp;
            ytemp = 0.1 * ytemp;
        }
    }
    double ezi = std::exp(ytemp);
    double inv_ezi = 1.0 / ezi;
    double sn, cs;
    sinandcos(xtemp, &sn, &cs);
    *wx = sn * ((ezi + inv_ezi) * 0.5);
    *wy = cs * ((ezi - inv_ezi) * 0.5);
    return 0;
}

/* w = cos z / sin(z^4 - 1) inside the closed disk of radius 4, the
   constant -1 - 0.25i outside it. */
int Eq14(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    if (abs(z) > 4.0) {
        *wx = -1.0;
        *wy = -0.25;
        return 0;
    }
    complex c = ((z * z) * z) * z;
    complex s = sin(c - 1.0);
    complex q = cos(z);
    storew(q / s, wx, wy);
    return 0;
}

/* w = exp(z^2), with z pulled in by factors of 0.99 along its ray until
   |z| <= 18.8, so Re z^2 stays at most 18.8^2. */
int Eq15(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    if (std::isfinite(zx) && std::isfinite(zy)) {
        while (abs(z) > 18.8) {
            zx = 0.99 * zx;
            zy = 0.99 * zy;
            z = complex{zx, zy};
        }
    }
    storew(exp(z * z), wx, wy);
    return 0;
}

/* w = exp(z^(-2z)), with u = z^(-2z) scaled by 0.1 while |u| > 300. */
int Eq16(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex p = {-2.0 * zx, -2.0 * zy};
    complex u = pow(z, p);
    double xtemp = u.re;
    double ytemp = u.im;
    if (std::isfinite(xtemp) && std::isfinite(ytemp)) {
        while (abs(u) > 300.0) {
            xtemp = 0.1 * xtemp;
            ytemp = 0.1 * ytemp;
            u = complex{xtemp, ytemp};
        }
    }
    storew(exp(u), wx, wy);
    return 0;
}

/* w = exp(1 - z^2) - 1, with u = 1 - z^2 scaled by 0.1 while the integer
   part of |Re u| exceeds 350.  Only Re u is tested; both parts are scaled. */
int Eq18(double zx, double zy, double *wx, double *wy)
{
    complex z = {zx, zy};
    complex s = z * z;
    complex temp = 1.0 - s;
    double xtemp = temp.re;
    double ytemp = temp.im;
    if (std::isfinite(xtemp)) {
        while (std::fabs(xtemp) >= 351.0) {
            xtemp = 0.1 * xtemp;
            ytemp = 0.1 * ytemp;
        }
    }
    double ezr = std::exp(xtemp);
    double sn, c;
    sinandcos(ytemp, &sn, &c);
    *wx = c * ezr - 1.0;
    *wy = sn * ezr;
    return 0;
}
