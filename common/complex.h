/*
 * complex.h - the program's own complex number: two doubles, re then im.
 *
 * Every operation is the textbook definition in plain double arithmetic, in
 * the order written here, so that a picture is the same bit for bit on every
 * build.  std::complex is not used: its division rescales and its power
 * takes other routes, which changes the last bits of many values.
 *
 * Points to keep in mind:
 *  - a real operand of a sum or difference acts on re only;
 *  - a quotient is a * conj(b) / |b|^2, and a modulus sqrt(x^2 + y^2),
 *    except where that form overflows or underflows inside for finite
 *    operands: those are scaled first (see operator/ and abs), so huge and
 *    tiny values keep their size while every other value keeps its bits;
 *  - arg is atan2(im, re): arg 0 = 0, and on the negative real axis the sign
 *    of a zero im chooses +pi or -pi;
 *  - every pow is 0 when its base is 0 and the real part of its exponent is
 *    positive.
 */
#ifndef LUMO_COMPLEX_H
#define LUMO_COMPLEX_H

#include <cfloat>
#include <cmath>

#include "common/sinandcos.h"

struct complex {
    double re;
    double im;
};

inline complex operator+(complex a, complex b) { return {a.re + b.re, a.im + b.im}; }
inline complex operator+(complex a, double r) { return {a.re + r, a.im}; }
inline complex operator+(double r, complex a) { return {r + a.re, a.im}; }
inline complex operator-(complex a, complex b) { return {a.re - b.re, a.im - b.im}; }
inline complex operator-(complex a, double r) { return {a.re - r, a.im}; }
/* r - a negates the imaginary part: (r - a.re, -a.im) keeps the sign of a zero. */
inline complex operator-(double r, complex a) { return {r - a.re, -a.im}; }
inline complex operator-(complex a) { return {-a.re, -a.im}; }

inline complex operator*(complex a, complex b)
{
    return {a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im};
}
inline complex operator*(double r, complex a) { return {r * a.re, r * a.im}; }
inline complex operator*(complex a, double r) { return {a.re * r, a.im * r}; }
inline complex &operator*=(complex &a, complex b) { a = a * b; return a; }

inline double norm(complex a) { return a.re * a.re + a.im * a.im; }

/* Whether the textbook quotient (re + i im) / n, n = |b|^2, ran without
   overflow or underflow: n is a normal number, and so is the larger part
   of the numerator a * conj(b), so that a product lost below it is lost
   below its rounding.  Only then is the quotient kept, so every quotient
   that worked keeps its bits; the others (a zero a among them, which the
   scaled form gives the same zeros) are scaled.  A NaN part fails: it
   comes from an overflow, and then the other part is not finite. */
inline bool plainquotient(double n, double re, double im)
{
    double r = std::fabs(re), i = std::fabs(im);
    double m = r > i ? r : i;
    return n >= DBL_MIN && n <= DBL_MAX && m >= DBL_MIN && m <= DBL_MAX;
}

/* a / b for finite a and nonzero finite b whose plain quotient overflows or
   underflows inside: both are scaled by powers of two to parts below 2,
   divided as usual, and the quotient scaled back in one step. */
complex scaledquotient(complex a, complex b);
/* r / b likewise, in the form of the real-by-complex quotient, whose
   zero parts keep their signs. */
complex scaledquotient(double r, complex b);

inline complex operator/(complex a, complex b)
{
    double n = b.re * b.re + b.im * b.im;
    double re = a.re * b.re + a.im * b.im, im = a.im * b.re - a.re * b.im;
    if (plainquotient(n, re, im))
        return {re / n, im / n};
    return scaledquotient(a, b);
}
inline complex operator/(double r, complex b)
{
    double n = b.re * b.re + b.im * b.im;
    double re = r * b.re, im = r * -b.im;
    if (plainquotient(n, re, im))
        return {re / n, im / n};
    return scaledquotient(r, b);
}
inline complex &operator/=(complex &a, complex b) { a = a / b; return a; }

/* sqrt(x^2 + y^2), or hypot where the sum of squares overflows or
   underflows while x and y are finite. */
inline double abs(complex a)
{
    double n = a.re * a.re + a.im * a.im;
    if ((n >= DBL_MIN && n <= DBL_MAX) || !std::isfinite(a.re) || !std::isfinite(a.im))
        return std::sqrt(n);
    return std::hypot(a.re, a.im);
}
inline double arg(complex a) { return std::atan2(a.im, a.re); }

inline complex exp(complex a)
{
    double e = std::exp(a.re), s, c;
    sinandcos(a.im, &s, &c);
    return {e * c, e * s};
}
inline complex log(complex a) { return {std::log(abs(a)), arg(a)}; }

inline complex sin(complex a)
{
    double s, c;
    sinandcos(a.re, &s, &c);
    return {s * std::cosh(a.im), c * std::sinh(a.im)};
}
inline complex cos(complex a)
{
    double s, c;
    sinandcos(a.re, &s, &c);
    return {c * std::cosh(a.im), -(s * std::sinh(a.im))};
}

/* b^e = exp(e * log b) on the principal branch. */
inline complex pow(complex b, complex e)
{
    if (b.re == 0.0 && b.im == 0.0 && e.re > 0.0)
        return {0.0, 0.0};
    return exp(e * log(b));
}

/* b^p in polar form: |b|^p (cos p*theta, sin p*theta). */
inline complex pow(complex b, double p)
{
    if (b.re == 0.0 && b.im == 0.0 && p > 0.0)
        return {0.0, 0.0};
    double m = std::pow(abs(b), p);
    double s, c;
    sinandcos(p * arg(b), &s, &c);
    return {m * c, m * s};
}

/* x^e for a real base: exp(e ln x), with ln|x| + i*pi for a negative x. */
inline complex pow(double x, complex e)
{
    if (x == 0.0 && e.re > 0.0)
        return {0.0, 0.0};
    if (x > 0.0)
        return exp(std::log(x) * e);
    return exp(e * complex{std::log(-x), 3.141592653589793});
}

#endif
