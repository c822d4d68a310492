/*
 * complex.cpp - the scaled quotient, for the rare operands whose plain
 * quotient overflows or underflows inside (see complex.h).
 */
#include "common/complex.h"

/* The power of two that brings x's larger part into [1, 2); 0 for 0. */
static int scale(double xmax)
{
    return xmax == 0.0 ? 0 : std::ilogb(xmax);
}

complex scaledquotient(complex a, complex b)
{
    double amax = std::fmax(std::fabs(a.re), std::fabs(a.im));
    double bmax = std::fmax(std::fabs(b.re), std::fabs(b.im));
    /* Infinities, NaNs and a zero divisor keep the textbook result. */
    if (!(amax <= DBL_MAX) || !(bmax <= DBL_MAX) || bmax == 0.0) {
        double n = b.re * b.re + b.im * b.im;
        return {(a.re * b.re + a.im * b.im) / n, (a.im * b.re - a.re * b.im) / n};
    }
    int ka = scale(amax), kb = scale(bmax);
    complex x = {std::scalbn(a.re, -ka), std::scalbn(a.im, -ka)};
    complex y = {std::scalbn(b.re, -kb), std::scalbn(b.im, -kb)};
    /* y's larger part lies in [1, 2), so its square sum cannot underflow;
       a smaller part that underflows there is lost below the rounding. */
    double n = y.re * y.re + y.im * y.im;
    complex q = {(x.re * y.re + x.im * y.im) / n, (x.im * y.re - x.re * y.im) / n};
    return {std::scalbn(q.re, ka - kb), std::scalbn(q.im, ka - kb)};
}

complex scaledquotient(double r, complex b)
{
    double bmax = std::fmax(std::fabs(b.re), std::fabs(b.im));
    if (!(std::fabs(r) <= DBL_MAX) || !(bmax <= DBL_MAX) || bmax == 0.0) {
        double n = b.re * b.re + b.im * b.im;
        return {(r * b.re) / n, (r * -b.im) / n};
    }
    int kr = scale(std::fabs(r)), kb = scale(bmax);
    double x = std::scalbn(r, -kr);
    complex y = {std::scalbn(b.re, -kb), std::scalbn(b.im, -kb)};
    double n = y.re * y.re + y.im * y.im;
    complex q = {(x * y.re) / n, (x * -y.im) / n};
    return {std::scalbn(q.re, kr - kb), std::scalbn(q.im, kr - kb)};
}
