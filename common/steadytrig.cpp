/*
 * steadytrig.cpp - the steady arc tangent, sine and cosine (see steadytrig.h).
 *
 * Both work in double-double arithmetic (a value kept as hi + lo) and round
 * once at the end.  Products are made exact with Dekker's splitting, which
 * needs no fused multiply-add: the build forbids contraction, and an fma
 * would give different bits where the hardware has none.
 *
 * Arc tangent: t = min(|x|,|y|) / max(|x|,|y|) in [0, 1] as a double-double
 * quotient; c = k/256 the knot nearest t; atan t = atan c + atan r with
 * r = (t - c) / (1 + t c), |r| <= 2^-9, whose series needs four terms; then
 * the quadrant offset (pi/2 - , pi - , pi/2 +) and the sign of y.
 *
 * Sine and cosine: r = x - k pi/2 with pi/2 in parts of 33 bits, so each
 * k * part is exact for |k| < 2^20 and the cancellation near a multiple of
 * pi/2 costs nothing; then r = j/64 + d with |d| <= 1/128, and the addition
 * formulas over tabled sin(j/64), cos(j/64) with short series in d.
 */
#include "common/steadytrig.h"

#include <cmath>
#include <limits>

#include "common/steadytrig_tables.h"

namespace {

struct Dd {
    double hi;
    double lo;
};

/* a + b exactly (Knuth). */
inline Dd two_sum(double a, double b)
{
    double s = a + b;
    double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

/* a + b exactly, when |a| >= |b| or a is zero (Dekker). */
inline Dd fast_two_sum(double a, double b)
{
    double s = a + b;
    return {s, b - (s - a)};
}

/* a = hi + lo with hi of 26 bits; exact while |a| < 2^996. */
inline Dd split(double a)
{
    double c = 134217729.0 * a;  /* 2^27 + 1 */
    double hi = c - (c - a);
    return {hi, a - hi};
}

/* a * b exactly, b already split (Dekker); the low part must not underflow. */
inline Dd two_prod(double a, Dd bs)
{
    double p = a * (bs.hi + bs.lo);
    Dd as = split(a);
    double e = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {p, e};
}

inline double negate_if(bool negative, double v)
{
    return negative ? -v : v;
}

/* atan t for t = th + tl in [2^-60, 1], as an unrounded double-double. */
Dd atan_unit(double th, double tl)
{
    /* th * 512 is exact, so this rounds half up exactly; th * 256 + 0.5
       would round 0.5 - 2^-54 up to 1 and break the exact subtraction. */
    int k = (static_cast<int>(th * 512.0) + 1) >> 1;
    double c = k * (1.0 / 256.0);

    /* t - c: th - c is exact (Sterbenz, or c = 0) and a multiple of th's
       ulp, so it outweighs tl unless it is zero. */
    Dd num = fast_two_sum(th - c, tl);

    /* 1 + t c: c has at most 9 bits, so with th split in halves of 26 bits
       both partial products are exact and th * c is recovered exactly. */
    double pc = th * c;
    Dd ts = split(th);
    double pce = (ts.hi * c - pc) + ts.lo * c;
    Dd den = fast_two_sum(1.0, pc);
    den = fast_two_sum(den.hi, den.lo + (pce + tl * c));

    /* r = num / den, the second quotient digit from the exact remainder. */
    double rh = num.hi / den.hi;
    Dd prod = two_prod(rh, split(den.hi));
    double rl = (((num.hi - prod.hi) - prod.lo) + num.lo - rh * den.lo) / den.hi;

    /* atan r - r = r^3 (-1/3 + s/5 - s^2/7 + s^3/9), s = r^2 <= 2^-18: the
       next term is below 2^-93 of r. */
    double s = rh * rh;
    double tail = rh * s * (-1.0 / 3.0 + s * (1.0 / 5.0 + s * (-1.0 / 7.0 + s * (1.0 / 9.0))));

    const SteadyPair &knot = AtanKnots[k];
    Dd z = two_sum(knot.hi, rh);
    z.lo += knot.lo + (rl + tail);
    return z;
}

}  // namespace

double steady_atan2(double y, double x)
{
    if (std::isnan(x) || std::isnan(y))
        return x + y;

    const double inf = std::numeric_limits<double>::infinity();
    bool yneg = std::signbit(y);
    bool xneg = std::signbit(x);
    double ay = std::fabs(y);
    double ax = std::fabs(x);

    if (ay == 0.0)                       /* x = -0 counts as negative */
        return xneg ? negate_if(yneg, Pi.hi) : y;
    if (ax == inf) {
        double v = ay == inf ? (xneg ? 0x1.2d97c7f3321d2p+1 : 0x1.921fb54442d18p-1)
                             : (xneg ? Pi.hi : 0.0);
        return negate_if(yneg, v);
    }
    if (ax == 0.0 || ay == inf)
        return negate_if(yneg, HalfPi.hi);

    /* Which offset applies: none, pi - a, pi/2 - a or pi/2 + a. */
    bool swapped = ay > ax;
    double num = swapped ? ax : ay;
    double den = swapped ? ay : ax;
    double q = num / den;

    if (q < 0x1p-60) {
        /* atan t = t within 2^-120 relative: one correctly rounded division,
           or t is far below the last bit of a dd offset. */
        if (!swapped && !xneg)
            return y / x;
        const SteadyPair &off = swapped ? HalfPi : Pi;
        bool add = swapped && xneg;
        return negate_if(yneg, off.hi + (add ? off.lo + q : off.lo - q));
    }

    /* Keep the operands where Dekker's products neither overflow nor lose
       their low parts to underflow; powers of two change no quotient. */
    if (den > 0x1p990) {
        num *= 0x1p-600;
        den *= 0x1p-600;
    } else if (den < 0x1p-800) {
        num *= 0x1p600;
        den *= 0x1p600;
    }
    Dd qp = two_prod(q, split(den));
    double ql = ((num - qp.hi) - qp.lo) / den;

    Dd a = atan_unit(q, ql);
    double v;
    if (!swapped && !xneg) {
        v = a.hi + a.lo;
    } else {
        const SteadyPair &off = swapped ? HalfPi : Pi;
        bool add = swapped && xneg;
        Dd w = two_sum(off.hi, add ? a.hi : -a.hi);
        v = w.hi + (w.lo + (add ? off.lo + a.lo : off.lo - a.lo));
    }
    return negate_if(yneg, v);
}

bool steady_sincos(double x, double *s, double *c)
{
    double ax = std::fabs(x);
    if (!(ax <= SteadySincosLimit))
        return false;
    if (ax < 0x1p-27) {
        /* x^3/6 and x^2/2 are below a quarter of the last bit */
        *s = x;
        *c = 1.0;
        return true;
    }

    Dd r;
    unsigned quadrant = 0;
    if (ax <= 0x1.921fb54442d18p-1) {
        r = {x, 0.0};
    } else {
        /* the integer nearest x 2/pi, by the 1.5 * 2^52 rounding trick */
        double k = (x * TwoOverPi + 0x1.8p52) - 0x1.8p52;
        quadrant = static_cast<unsigned>(static_cast<long long>(k)) & 3u;
        double r1 = x - k * HalfPiParts[0];  /* exact: both on x's grid */
        Dd a = two_sum(r1, -k * HalfPiParts[1]);
        Dd b = two_sum(a.hi, -k * HalfPiParts[2]);
        r = two_sum(b.hi, (a.lo + b.lo) - k * HalfPiParts[3]);
    }

    bool rneg = r.hi < 0.0;
    if (rneg) {
        r.hi = -r.hi;
        r.lo = -r.lo;
    }
    int j = (static_cast<int>(r.hi * 128.0) + 1) >> 1;  /* as k in atan_unit */
    /* r.hi - j/64 is exact (Sterbenz, or j = 0) and a multiple of r.hi's ulp */
    Dd d = fast_two_sum(r.hi - j * (1.0 / 64.0), r.lo);

    /* sin d - d and cos d - 1 for |d| <= 1/128; the first omitted terms are
       below 2^-74 of sin d and 2^-90 of cos d. */
    double z = d.hi * d.hi;
    double sd = d.hi * z * (-1.0 / 6.0 + z * (1.0 / 120.0 + z * (-1.0 / 5040.0)));
    double cd = z * (-0.5 + z * (1.0 / 24.0 + z * (-1.0 / 720.0 + z * (1.0 / 40320.0))))
                - d.hi * d.lo;
    double dl = d.lo + sd;

    const SteadyPair &sk = SinKnots[j];
    const SteadyPair &ck = CosKnots[j];
    Dd ds = split(d.hi);

    /* sin(u + d) = sin u + cos u d + [sin u (cos d - 1) + cos u (sin d - d)] */
    Dd cp = two_prod(ck.hi, ds);
    Dd sn = two_sum(sk.hi, cp.hi);
    double sinr = sn.hi + (sn.lo + (((sk.lo + cp.lo) + (ck.lo * d.hi + ck.hi * dl)) + sk.hi * cd));

    /* cos(u + d) = cos u - sin u d + [cos u (cos d - 1) - sin u (sin d - d)] */
    Dd sp = two_prod(sk.hi, ds);
    Dd cs = two_sum(ck.hi, -sp.hi);
    double cosr = cs.hi + (cs.lo + (((ck.lo - sp.lo) - (sk.lo * d.hi + sk.hi * dl)) + ck.hi * cd));

    sinr = negate_if(rneg, sinr);
    switch (quadrant) {
    case 0: *s = sinr;  *c = cosr;  break;
    case 1: *s = cosr;  *c = -sinr; break;
    case 2: *s = -sinr; *c = -cosr; break;
    default: *s = -cosr; *c = sinr; break;
    }
    return true;
}
