/*
 * accurate_dd.cpp - exp, sin, cos and log to double-double precision, and
 * exp of a double-double complex logarithm, for the accurate special
 * functions.
 *
 * exp and log are only ever asked for arguments of moderate size (a log of
 * a double, the phases of gamma and zeta), so each uses the plainest route
 * that reaches about 30 digits: a reduced Taylor series, then a Newton step
 * for log from the double result.
 */
#include "formulas/accurate_dd.h"

namespace accurate {

/* a / b for a small integer b, to double-double precision. */
static dd divint(dd a, double b)
{
    double q = a.hi / b;
    dd p = twoprod(q, b);
    double e = ((a.hi - p.hi) - p.lo + a.lo) / b;
    return quicktwosum(q, e);
}

dd ddexp(double a)
{
    if (a != a)
        return {a, 0.0};
    if (a > 709.78)
        return {HUGE_VAL, 0.0};
    if (a < -745.2)
        return {0.0, 0.0};
    /* a = k ln 2 + r with |r| <= ln2 / 2, then r / 256 for a short series;
       expm1 is carried through the squarings so no digit is lost to 1 + p. */
    double k = std::nearbyint(a / LN2.hi);
    dd r = dd{a, 0.0} - LN2 * k;
    r = {r.hi / 256.0, r.lo / 256.0};
    dd t = {1.0, 0.0};
    for (int n = 11; n >= 2; n--)
        t = divint(r * t, (double)n) + 1.0;
    dd p = r * t;                               /* e^r - 1 */
    for (int n = 0; n < 8; n++)
        p = p * 2.0 + p * p;                    /* e^2r - 1 = 2p + p^2 */
    dd e = p + 1.0;
    int ik = (int)k;
    return {std::ldexp(e.hi, ik), std::ldexp(e.lo, ik)};
}

void ddsincos(double b, dd *s, dd *c)
{
    /* b = j pi/2 + r with |r| <= pi/4; the series to r^29 and r^28 leave
       less than 1e-33. */
    double j = std::nearbyint(b / HALFPI.hi);
    dd r = dd{b, 0.0} - HALFPI * j;
    dd x = r * r;
    dd sr = {1.0, 0.0}, cr = {1.0, 0.0};
    for (int k = 14; k >= 1; k--) {
        sr = -divint(x * sr, (double)(2 * k * (2 * k + 1))) + 1.0;
        cr = -divint(x * cr, (double)((2 * k - 1) * (2 * k))) + 1.0;
    }
    sr = sr * r;
    switch (((int)j % 4 + 4) % 4) {
    case 0: *s = sr; *c = cr; break;
    case 1: *s = cr; *c = -sr; break;
    case 2: *s = -sr; *c = -cr; break;
    default: *s = -cr; *c = sr; break;
    }
}

cdd ddlog(complex z)
{
    double a = std::log(std::hypot(z.re, z.im));
    double b = std::atan2(z.im, z.re);
    if (!std::isfinite(a) || std::fabs(a) > 700.0)
        return {{a, 0.0}, {b, 0.0}};
    /* One Newton step from w0 = a + ib: log z = w0 + log(z e^-w0), and
       z e^-w0 = 1 + u with u of the order of the rounding of w0. */
    dd m = ddexp(-a), sb, cb;
    ddsincos(b, &sb, &cb);
    dd ere = m * cb, eim = -(m * sb);
    double ure = todouble(ere * z.re - eim * z.im - 1.0);
    double uim = todouble(eim * z.re + ere * z.im);
    return {twosum(a, ure), twosum(b, uim)};
}

dd reducetwopi(dd x)
{
    if (!(std::fabs(x.hi) < 1e15))
        return x;
    double k = std::nearbyint(x.hi / TWOPI.hi);
    return x - TWOPI * k;
}

complex ddexpc(cdd L)
{
    double re = L.re.hi;
    if (re == -HUGE_VAL)
        return {0.0, 0.0};
    dd r = reducetwopi(L.im);
    double m = std::exp(re);
    if (std::isfinite(m))
        m = m + m * L.re.lo;
    double c = std::cos(r.hi), s = std::sin(r.hi);
    double cr = c - s * r.lo, sr = s + c * r.lo;
    /* An infinite modulus times a trigonometric factor of exactly 0 is 0,
       not NaN. */
    return {cr == 0.0 ? 0.0 : m * cr, sr == 0.0 ? 0.0 : m * sr};
}

}  // namespace accurate
