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

/* 1 / n! for n = 0..29, rounded to double-double. */
static const dd invfactorial[30] = {
    {1.0, 0.0},
    {1.0, 0.0},
    {0.5, 0.0},
    {0.16666666666666666, 9.25185853854297e-18},
    {0.041666666666666664, 2.3129646346357427e-18},
    {0.008333333333333333, 1.1564823173178714e-19},
    {0.001388888888888889, -5.300543954373577e-20},
    {0.0001984126984126984, 1.7209558293420705e-22},
    {2.48015873015873e-05, 2.1511947866775882e-23},
    {2.7557319223985893e-06, -1.858393274046472e-22},
    {2.755731922398589e-07, 2.3767714622250297e-23},
    {2.505210838544172e-08, -1.448814070935912e-24},
    {2.08767569878681e-09, -1.20734505911326e-25},
    {1.6059043836821613e-10, 1.2585294588752098e-26},
    {1.1470745597729725e-11, 2.0655512752830745e-28},
    {7.647163731819816e-13, 7.03872877733453e-30},
    {4.779477332387385e-14, 4.399205485834081e-31},
    {2.8114572543455206e-15, 1.6508842730861433e-31},
    {1.5619206968586225e-16, 1.1910679660273754e-32},
    {8.22063524662433e-18, 2.2141894119604265e-34},
    {4.110317623312165e-19, 1.4412973378659527e-36},
    {1.9572941063391263e-20, -1.3643503830087908e-36},
    {8.896791392450574e-22, -7.911402614872376e-38},
    {3.868170170630684e-23, -8.843177655482344e-40},
    {1.6117375710961184e-24, -3.6846573564509766e-41},
    {6.446950284384474e-26, -1.9330404233703465e-42},
    {2.4795962632247976e-27, -1.2953730964765229e-43},
    {9.183689863795546e-29, 1.4303150396787322e-45},
    {3.279889237069838e-30, 1.5117542744029879e-46},
    {1.1309962886447716e-31, 1.0498015412959506e-47},
};

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
    dd t = invfactorial[11];
    for (int n = 10; n >= 1; n--)
        t = t * r + invfactorial[n];
    dd p = t * r;                               /* e^r - 1 */
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
    /* Horner in -r^2 over the alternating coefficients. */
    x = -x;
    dd sr = invfactorial[29], cr = invfactorial[28];
    for (int k = 13; k >= 0; k--) {
        sr = sr * x + invfactorial[2 * k + 1];
        cr = cr * x + invfactorial[2 * k];
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
    double c, s;
    sinandcos(r.hi, &s, &c);
    double cr = c - s * r.lo, sr = s + c * r.lo;
    /* An infinite modulus times a trigonometric factor of exactly 0 is 0,
       not NaN. */
    return {cr == 0.0 ? 0.0 : m * cr, sr == 0.0 ? 0.0 : m * sr};
}

}  // namespace accurate
