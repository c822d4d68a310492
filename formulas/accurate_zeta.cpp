/*
 * accurate_zeta.cpp - the Riemann zeta function to nearly full double
 * precision.
 *
 * Method: for Re s >= 1/2, Euler-Maclaurin summation
 *     zeta(s) = sum_{n<N} n^-s + N^(1-s)/(s-1) + N^-s/2
 *               + sum_k B_2k/(2k)! s(s+1)...(s+2k-2) N^(-s-2k+1)
 * with N >= (|s| + 40)/pi, so that successive correction terms shrink by at
 * least a factor 4; they are added until they stop mattering or stop
 * shrinking.  Each n^-s is formed from a double-double ln n, so that its
 * phase t ln n (thousands of radians) keeps its digits, and the sum is
 * compensated.  Left of 1/2 (and |s| >= 1/2) the functional equation
 *     zeta(s) = 2^s pi^(s-1) sin(pi s/2) gamma(1-s) zeta(1-s)
 * is summed as logarithms, which keeps every factor in range however large
 * or small it is, and exponentiated once.
 */
#include "formulas/accurate.h"
#include "formulas/accurate_dd.h"

namespace accurate {

/* Largest N of the summation: it bounds the work per point, and with it
   the accuracy holds for |s| up to about pi * NMAX - 40. */
enum { NMAX = 4096 };

/* B_2k / (2k)! for k = 1..40. */
static const double emcoef[40] = {
    0.08333333333333333, -0.001388888888888889, 3.306878306878307e-05,
    -8.267195767195768e-07, 2.08767569878681e-08, -5.284190138687493e-10,
    1.3382536530684679e-11, -3.3896802963225827e-13, 8.586062056277845e-15,
    -2.174868698558062e-16, 5.5090028283602295e-18, -1.3954464685812522e-19,
    3.534707039629467e-21, -8.953517427037546e-23, 2.267952452337683e-24,
    -5.744790668872202e-26, 1.455172475614865e-27, -3.6859949406653103e-29,
    9.336734257095045e-31, -2.36502241570063e-32, 5.990671762482134e-34,
    -1.5174548844682903e-35, 3.843758125454189e-37, -9.736353072646691e-39,
    2.466247044200681e-40, -6.247076741820743e-42, 1.5824030244644914e-43,
    -4.008273685948936e-45, 1.0153075855569557e-46, -2.5718041582418717e-48,
    6.514456035233815e-50, -1.6501309906896525e-51, 4.179830628539476e-53,
    -1.058763466770291e-54, 2.6818791912607708e-56, -6.793279351107421e-58,
    1.7207577616681404e-59, -4.358730329348894e-61, 1.1040792903684666e-62,
    -2.7966655133781345e-64,
};

/* ln n for n = 0..NMAX in double-double, worked out on first use (the
   initialisation of a local static is safe when threads race to it). */
struct LNTABLE {
    dd ln[NMAX + 1];
    LNTABLE()
    {
        ln[0] = {-HUGE_VAL, 0.0};
        for (int n = 1; n <= NMAX; n++)
            ln[n] = ddlog(complex{(double)n, 0.0}).re;
    }
};

static const dd *lntable()
{
    static const LNTABLE table;
    return table.ln;
}

/* n^-s = e^(-sigma ln n) e^(-i t ln n), the phase reduced in double-double. */
static complex npow(const dd *ln, int n, complex s)
{
    dd a = ln[n] * s.re;
    dd ph = reducetwopi(ln[n] * s.im);
    double m = std::exp(-a.hi);
    m = m - m * a.lo;
    double c, sn;
    sinandcos(ph.hi, &sn, &c);
    return {m * (c - sn * ph.lo), -(m * (sn + c * ph.lo))};
}

/* zeta(s) for Re s >= 1/2 or |s| < 1/2, s != 1. */
static complex eulermaclaurin(complex s)
{
    const dd *ln = lntable();
    double size = std::hypot(s.re, s.im);
    int n = NMAX;
    if (size < PI.hi * NMAX - 40.0)
        n = (int)std::ceil((size + 40.0) / PI.hi);
    if (n < 8)
        n = 8;
    dd sre = {0.0, 0.0}, sim = {0.0, 0.0};
    for (int k = 1; k < n; k++) {
        complex t = npow(ln, k, s);
        sre = sre + t.re;
        sim = sim + t.im;
    }
    complex a = npow(ln, n, s);
    double nn = (double)n;
    complex tail = (nn * a) / (s - 1.0) + 0.5 * a;
    complex p = (1.0 / nn) * (s * a);
    double last = HUGE_VAL;
    complex corr = {0.0, 0.0};
    for (int k = 0; k < 40; k++) {
        complex term = emcoef[k] * p;
        double magnitude = abs(term);
        if (!(magnitude < last))
            break;
        corr = corr + term;
        if (magnitude <= 1e-18 * abs(corr))
            break;
        last = magnitude;
        p = (1.0 / (nn * nn)) * (p * (s + (double)(2 * k + 1)) * (s + (double)(2 * k + 2)));
    }
    sre = sre + (tail.re + corr.re);
    sim = sim + (tail.im + corr.im);
    return {todouble(sre), todouble(sim)};
}

/* zeta(s) for Re s < 1/2 by the functional equation in logarithms. */
static complex reflected(complex s)
{
    complex u = {0.5 * s.re, std::fabs(0.5 * s.im)};
    cdd lsin = lnsinpi(u);
    if (s.im < 0.0)
        lsin.im = -lsin.im;
    complex z1 = eulermaclaurin(complex{1.0 - s.re, -s.im});
    cdd l;
    l.re = LN2 * s.re + LNPI * s.re - LNPI;
    l.im = (LN2 + LNPI) * s.im;
    l = l + lsin + loggammaoneminus(s) + log(z1);
    return ddexpc(l);
}

}  // namespace accurate

using namespace accurate;

complex accurate_zeta(complex s)
{
    if (s.re != s.re || s.im != s.im || std::isinf(s.im))
        return {NAN, NAN};
    if (s.re == HUGE_VAL)
        return {1.0, 0.0};
    if (s.re == -HUGE_VAL)
        return {NAN, NAN};
    if (s.im == 0.0 && s.re == 1.0)
        return {HUGE_VAL, 0.0};
    if (s.im == 0.0 && s.re == 0.0)
        return {-0.5, 0.0};
    /* The zeros -2, -4, ... make log sin infinite, which the sum of
       logarithms cannot carry. */
    if (s.im == 0.0 && s.re < 0.0 && 0.5 * s.re == std::nearbyint(0.5 * s.re))
        return {0.0, 0.0};
    if (s.re >= 64.0) {
        /* 2^-64 is already below a unit in the last place of 1; the
           terms from 4^-s on are below 1e-38. */
        const dd *ln = lntable();
        complex w = 1.0 + npow(ln, 2, s);
        return w + npow(ln, 3, s);
    }
    /* Near 0 the functional equation would need zeta(1 - s) next to its
       pole, where rounding 1 - s costs digits; the summation holds there. */
    if (s.re >= 0.5 || std::hypot(s.re, s.im) < 0.5)
        return eulermaclaurin(s);
    return reflected(s);
}
