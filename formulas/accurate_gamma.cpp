/*
 * accurate_gamma.cpp - gamma and the continuation of log gamma to nearly
 * full double precision.
 *
 * Method: Stirling's series with 12 terms where |z| >= 10 and Re z >= 0
 * (its remainder there is below 1e-18); closer to the origin the argument
 * is first shifted up to Re z >= 10 and the logarithms of the factors
 * z, z + 1, ... are subtracted; left of the imaginary axis the reflection
 *     log gamma(z) = log pi - log sin(pi z) - log gamma(1 - z)
 * holds with no multiple of 2 pi i when log sin(pi z) is the branch
 * continued through the upper half plane (lnsinpi), and the lower half
 * plane follows by conjugation.  The leading term (z - 1/2) log z - z is
 * summed in double-double: its imaginary part reaches hundreds, and gamma
 * = exp(log gamma) needs it to about 1e-14.
 */
#include "formulas/accurate.h"
#include "formulas/accurate_dd.h"

namespace accurate {

/* B_2k / (2k (2k - 1)) for k = 1..12. */
static const double stirlingcoef[12] = {
    0.08333333333333333, -0.002777777777777778, 0.0007936507936507937,
    -0.0005952380952380953, 0.0008417508417508417, -0.0019175269175269176,
    0.00641025641025641, -0.029550653594771242, 0.17964437236883057,
    -1.3924322169059011, 13.402864044168393, -156.84828462600203,
};

/* Stirling's series, for Re z >= 0 and |z| >= 10. */
static cdd stirling(complex z)
{
    cdd lz = ddlog(z);
    cdd zhalf = {twosum(z.re, -0.5), {z.im, 0.0}};
    cdd lead = zhalf * lz - z;
    lead.re = lead.re + HALFLN2PI;
    complex w = 1.0 / z;
    complex w2 = w * w;
    complex s = {stirlingcoef[11], 0.0};
    for (int k = 10; k >= 0; k--)
        s = stirlingcoef[k] + s * w2;
    return lead + s * w;
}

/* log gamma for Re z >= 0.  The factors' arguments are summed one by one
   when the branch matters (wantbranch); gamma needs only the value modulo
   2 pi i and takes the argument of their product. */
static cdd loggammaright(complex z, bool wantbranch)
{
    if (z.re >= 10.0 || std::hypot(z.re, z.im) >= 10.0)
        return stirling(z);
    int n = (int)std::ceil(10.0 - z.re);
    complex p = {1.0, 0.0};
    double argsum = 0.0;
    for (int k = 0; k < n; k++) {
        complex f = {z.re + k, z.im};
        p = p * f;
        argsum += std::atan2(f.im, f.re);
    }
    complex logp = {std::log(std::hypot(p.re, p.im)), wantbranch ? argsum : arg(p)};
    return stirling(complex{z.re + n, z.im}) - logp;
}

cdd lnsinpi(complex z)
{
    /* sin(pi z) = (i/2) e^(-i pi z) (1 - q) with q = e^(2 pi i z), |q| <= 1;
       1 - q = -expm1(2 pi i z) is formed from expm1 and sin^2 so that it
       keeps its digits next to the zeros of sine. */
    double xr = z.re - std::nearbyint(z.re);
    double s1 = std::sin(PI.hi * xr);
    double cb = 1.0 - 2.0 * s1 * s1;
    double sb = std::sin(TWOPI.hi * xr);
    double a = -TWOPI.hi * z.im;
    complex oneminusq = {2.0 * s1 * s1 - std::expm1(a) * cb, -(std::exp(a) * sb)};
    complex l = log(oneminusq);
    cdd r;
    r.re = PI * z.im - LN2 + l.re;
    r.im = HALFPI - PI * z.re + l.im;
    return r;
}

cdd loggammaoneminus(complex z)
{
    /* 1 - z would round away up to half a unit of Re z, which log gamma
       magnifies by its derivative (about ln|z|); -z is exact, and
       log gamma(1 - z) = log(-z) + log gamma(-z) on the same branch. */
    complex mz = -z;
    if (mz.re > 0.5)
        return loggammaright(mz, true) + log(mz);
    return loggammaright(complex{1.0 - z.re, -z.im}, true);
}

/* The poles 0, -1, -2, ...: double-double sums cannot carry an infinite
   logarithm, so they are answered before any is formed. */
static bool ispole(complex z)
{
    return z.im == 0.0 && z.re <= 0.0 && z.re == std::nearbyint(z.re);
}

cdd ddloggamma(complex z)
{
    if (ispole(z))
        return {{HUGE_VAL, 0.0}, {0.0, 0.0}};
    if (z.re >= 0.0)
        return loggammaright(z, true);
    bool lower = z.im < 0.0;
    complex u = {z.re, lower ? -z.im : z.im};
    cdd l = cdd{LNPI, {0.0, 0.0}} - lnsinpi(u) - loggammaoneminus(u);
    if (lower)
        l.im = -l.im;
    return l;
}

}  // namespace accurate

using namespace accurate;

/* Inputs with an infinite or NaN part: gamma and log gamma of +inf are
   +inf, everything else is NaN.  (At a pole both give +inf.) */
static bool nonfinite(complex z, complex *w)
{
    if (std::isfinite(z.re) && std::isfinite(z.im))
        return false;
    if (z.re == HUGE_VAL && z.im == 0.0)
        *w = {HUGE_VAL, 0.0};
    else
        *w = {NAN, NAN};
    return true;
}

complex accurate_loggamma(complex z)
{
    complex w;
    if (nonfinite(z, &w))
        return w;
    return tocomplex(ddloggamma(z));
}

complex accurate_gamma(complex z)
{
    complex w;
    if (nonfinite(z, &w))
        return w;
    if (ispole(z))
        return {HUGE_VAL, 0.0};
    if (z.re >= 0.0)
        return ddexpc(loggammaright(z, false));
    return ddexpc(ddloggamma(z));
}
