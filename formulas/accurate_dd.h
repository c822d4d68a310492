/*
 * accurate_dd.h - double-double arithmetic for the accurate special
 * functions: a value is hi + lo with |lo| <= ulp(hi)/2, about 32 digits.
 *
 * Why it is needed: gamma and zeta end in exp(L) where Im L reaches
 * thousands (t ln n, y ln|z|, pi t / 2), and a relative error of 1e-13 in
 * the result asks for L to about 1e-14 absolute, beyond what one rounding
 * of a double of that size leaves.  Only the few terms that are large are
 * carried in double-double; small corrections stay in double.
 *
 * The exact sums and products underneath are common/doubledouble.h's,
 * so the results are the same on every build (-ffp-contract=off).
 */
#ifndef LUMO_ACCURATE_DD_H
#define LUMO_ACCURATE_DD_H

#include <cmath>

#include "common/complex.h"
#include "common/doubledouble.h"

namespace accurate {

typedef DDOUBLE dd;

/* Constants rounded to double-double. */
const dd LN2 = {0.6931471805599453, 2.3190468138462996e-17};
const dd LNPI = {1.1447298858494002, 1.0265951162707826e-17};
const dd HALFLN2PI = {0.9189385332046728, -3.8782941580672414e-17};
const dd PI = {3.141592653589793, 1.2246467991473532e-16};
const dd TWOPI = {6.283185307179586, 2.4492935982947064e-16};
const dd HALFPI = {1.5707963267948966, 6.123233995736766e-17};

inline dd operator+(dd a, dd b)
{
    dd s = twosum(a.hi, b.hi);
    dd t = twosum(a.lo, b.lo);
    s.lo += t.hi;
    s = quicktwosum(s.hi, s.lo);
    s.lo += t.lo;
    return quicktwosum(s.hi, s.lo);
}
inline dd operator+(dd a, double b)
{
    dd s = twosum(a.hi, b);
    s.lo += a.lo;
    return quicktwosum(s.hi, s.lo);
}
inline dd operator-(dd a) { return {-a.hi, -a.lo}; }
inline dd operator-(dd a, dd b) { return a + -b; }
inline dd operator-(dd a, double b) { return a + -b; }

inline dd operator*(dd a, dd b)
{
    dd p = twoprod(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return quicktwosum(p.hi, p.lo);
}
inline dd operator*(dd a, double b)
{
    dd p = twoprod(a.hi, b);
    p.lo += a.lo * b;
    return quicktwosum(p.hi, p.lo);
}

inline dd operator/(dd a, dd b)
{
    double q1 = a.hi / b.hi;
    dd r = a - b * q1;
    double q2 = r.hi / b.hi;
    r = r - b * q2;
    double q3 = r.hi / b.hi;
    return quicktwosum(q1, q2) + q3;
}

inline double todouble(dd a) { return a.hi + a.lo; }

/* Complex double-double, for the logarithms that are summed before exp. */
struct cdd {
    dd re;
    dd im;
};

inline cdd operator+(cdd a, cdd b) { return {a.re + b.re, a.im + b.im}; }
inline cdd operator-(cdd a, cdd b) { return {a.re - b.re, a.im - b.im}; }
inline cdd operator+(cdd a, complex b) { return {a.re + b.re, a.im + b.im}; }
inline cdd operator-(cdd a, complex b) { return {a.re - b.re, a.im - b.im}; }
inline cdd operator*(cdd a, cdd b)
{
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
inline cdd tocdd(complex a) { return {{a.re, 0.0}, {a.im, 0.0}}; }
inline complex tocomplex(cdd a) { return {todouble(a.re), todouble(a.im)}; }

/* e^a for a double a, to double-double precision (0 or inf beyond range). */
dd ddexp(double a);

/* sin b and cos b for |b| <= 4, to double-double precision. */
void ddsincos(double b, dd *s, dd *c);

/* The principal logarithm of z, to double-double precision. */
cdd ddlog(complex z);

/* x reduced by a multiple of 2 pi into about [-pi, pi], in double-double. */
dd reducetwopi(dd x);

/* exp(L): the phase is reduced in double-double, so a large Im L keeps its
   accuracy; beyond the range of a double the result is 0 or infinite. */
complex ddexpc(cdd L);

/* log gamma(z) as accurate_loggamma gives it, in double-double. */
cdd ddloggamma(complex z);

/* log gamma(1 - z) on the same branch, without rounding 1 - z. */
cdd loggammaoneminus(complex z);

/* log sin(pi z) for Im z >= 0, continued from the real interval (0, 1)
   through the upper half plane, so its imaginary part is not folded. */
cdd lnsinpi(complex z);

}  // namespace accurate

#endif
