/*
 * functions.h - the complex functions of the language that common/complex.h
 * does not have, on the principal branch, in plain double arithmetic.
 *
 * Signed zeros choose the side of a cut, as in IEEE arithmetic: an
 * imaginary part of +0 on the negative real axis belongs to the upper edge
 * of sqrt's cut (as it does for log and arg), -0 to the lower one.  The
 * README lists every cut and the side its edge takes.
 */
#ifndef LUMO_EXPR_FUNCTIONS_H
#define LUMO_EXPR_FUNCTIONS_H

#include <cmath>

#include "common/complex.h"

/* Principal square root; the half-angle form keeps both parts accurate
   where one of them is small. */
inline complex csqrt(complex a)
{
    double x = a.re, y = a.im;
    if (x == 0.0 && y == 0.0)
        return {0.0, y};
    if (std::isinf(y))
        return {std::fabs(y), y};
    double t = std::sqrt(0.5 * std::fabs(x) + 0.5 * std::hypot(x, y));
    if (x >= 0.0)
        return {t, y / (2.0 * t)};
    return {std::fabs(y) / (2.0 * t), std::copysign(t, y)};
}

inline complex csinh(complex a)
{
    double s, c;
    sinandcos(a.im, &s, &c);
    return {std::sinh(a.re) * c, std::cosh(a.re) * s};
}

inline complex ccosh(complex a)
{
    double s, c;
    sinandcos(a.im, &s, &c);
    return {std::cosh(a.re) * c, std::sinh(a.re) * s};
}

/* tanh without the overflow of sinh / cosh: for |Re| > 22 tanh is +-1 to
   double precision and only the imaginary part's tiny size is left. */
inline complex ctanh(complex a)
{
    double x = a.re, y = a.im;
    if (std::fabs(x) > 22.0) {
        double e = std::exp(-2.0 * std::fabs(x));
        double s, c;
        sinandcos(y, &s, &c);
        return {std::copysign(1.0, x), 4.0 * s * c * e};
    }
    double t = std::tan(y);
    double b = 1.0 + t * t;
    double s = std::sinh(x);
    double r = std::sqrt(1.0 + s * s);
    double d = 1.0 + b * s * s;
    return {b * r * s / d, t / d};
}

/* tan z = -i tanh(iz). */
inline complex ctan(complex a)
{
    complex h = ctanh(complex{-a.im, a.re});
    return {h.im, -h.re};
}

/* asin and acos from the square roots of 1 - z and 1 + z, whose cuts put
   the functions' cuts on the real axis beyond -1 and 1. */
inline complex casin(complex a)
{
    complex s = csqrt(complex{1.0 - a.re, -a.im});
    complex t = csqrt(complex{1.0 + a.re, a.im});
    return {std::atan2(a.re, s.re * t.re - s.im * t.im), std::asinh(s.re * t.im - s.im * t.re)};
}

inline complex cacos(complex a)
{
    complex s = csqrt(complex{1.0 - a.re, -a.im});
    complex t = csqrt(complex{1.0 + a.re, a.im});
    return {2.0 * std::atan2(s.re, t.re), std::asinh(t.re * s.im - t.im * s.re)};
}

/* atan z = -i atanh(iz), atanh u = (log(1 + u) - log(1 - u)) / 2: cuts on
   the imaginary axis beyond i and -i. */
inline complex catan(complex a)
{
    complex u = {-a.im, a.re};
    complex p = log(complex{1.0 + u.re, u.im});
    complex m = log(complex{1.0 - u.re, -u.im});
    return {0.5 * (p.im - m.im), -(0.5 * (p.re - m.re))};
}

#endif
