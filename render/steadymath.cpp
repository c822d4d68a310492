/*
 * steadymath.cpp - see steadymath.h.  Series are evaluated in Horner form
 * with a fixed number of terms; nothing depends on the C library's
 * transcendental functions.
 */
#include "render/steadymath.h"

#include <cmath>

void steady_sincosdeg(double degrees, double *s, double *c)
{
    /* Reduce to |r| <= 45 degrees around the nearest multiple of 90; the
       subtraction is exact for the angles the maps pass (a few turns). */
    double q = std::floor(degrees / 90.0 + 0.5);
    double r = (degrees - q * 90.0) * 0.017453292519943295;
    double r2 = r * r;
    /* Taylor series to r^15 and r^14: the next terms are below 1e-17. */
    double sn = r * (1.0 - r2 / 6.0 * (1.0 - r2 / 20.0 * (1.0 - r2 / 42.0 * (1.0 - r2 / 72.0 *
               (1.0 - r2 / 110.0 * (1.0 - r2 / 156.0 * (1.0 - r2 / 210.0)))))));
    double cs = 1.0 - r2 / 2.0 * (1.0 - r2 / 12.0 * (1.0 - r2 / 30.0 * (1.0 - r2 / 56.0 *
                (1.0 - r2 / 90.0 * (1.0 - r2 / 132.0 * (1.0 - r2 / 182.0))))));
    double quadrant = q - 4.0 * std::floor(q / 4.0);
    switch ((int)quadrant) {
    case 0: *s = sn; *c = cs; break;
    case 1: *s = cs; *c = -sn; break;
    case 2: *s = -sn; *c = -cs; break;
    default: *s = -cs; *c = sn; break;
    }
}

double steady_log2fraction(double x)
{
    /* x = m 2^e with m in [1, 2): the fraction of log2 x is log2 m. */
    int e;
    double m = std::frexp(x, &e) * 2.0;
    /* ln m = 2 atanh(t), t = (m - 1) / (m + 1) in [0, 1/3). */
    double t = (m - 1.0) / (m + 1.0);
    double t2 = t * t;
    double series = 1.0 / 25.0;
    for (int k = 23; k >= 1; k -= 2)
        series = 1.0 / k + t2 * series;
    double l = 2.0 * t * series * 1.4426950408889634;
    return l - std::floor(l);
}

double steady_cbrt(double x)
{
    if (!(x > 0.0))
        return 0.0;
    /* x = m 2^(3q) with m in [0.5, 4): cbrt x = cbrt(m) 2^q. */
    int e;
    double m = std::frexp(x, &e);
    int q = e >= 0 ? e / 3 : -((2 - e) / 3);
    m = std::ldexp(m, e - 3 * q);
    /* A linear start within 25 % of cbrt m; Newton doubles the correct
       digits each step, six steps are ample. */
    double y = 0.7 + 0.25 * m;
    for (int k = 0; k < 6; k++)
        y = y - (y * y * y - m) / (3.0 * y * y);
    return std::ldexp(y, q);
}

double steady_srgbencode(double linear)
{
    if (!(linear > 0.0031308))
        return linear > 0.0 ? 12.92 * linear : 0.0;
    if (linear >= 1.0)
        return 1.0;
    /* linear^(1/2.4) = (linear^5)^(1/12); linear^5 stays above 1e-13. */
    double l5 = linear * linear * linear * linear * linear;
    return 1.055 * std::sqrt(std::sqrt(steady_cbrt(l5))) - 0.055;
}
