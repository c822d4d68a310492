/*
 * steadytrig.cpp - the steady arc tangent, sine and cosine (see steadytrig.h).
 *
 * Both work in double-double arithmetic (a value kept as hi + lo) and round
 * once at the end.  Products are made exact with Dekker's splitting, which
 * needs no fused multiply-add: the build forbids contraction, and an fma
 * would give different bits where the hardware has none.
 *
 * Arc tangent: t = min(|x|,|y|) / max(|x|,|y|) in [0, 1]; c = k/256 the
 * knot nearest t; atan t = atan c + atan r with r = (t - c) / (1 + t c),
 * |r| <= 2^-9, a double-double quotient whose series needs three terms;
 * then the quadrant offset (pi/2 - , pi - , pi/2 +) and the sign of y.
 *
 * Sine and cosine: d = x - k pi/256 with pi/256 in parts of 30 bits, so
 * each k * part is exact for |k| < 2^23 and the cancellation near a
 * multiple of pi costs nothing; then the addition formulas over tabled
 * sin(j pi/256), cos(j pi/256) for a half period, with short series in d,
 * |d| <= pi/512.  No quadrant logic: the table's knots cover it.
 */
#include "common/steadytrig.h"

#include <cmath>
#include <limits>

#include "common/doubledouble.h"
#include "common/steadytrig_tables.h"

namespace {

typedef DDOUBLE Dd;

/* atan(num / den) for 2^-60 <= num / den <= 1, den < 2^990, num > 2^-870,
   as an unrounded double-double.  With c = k/256 the knot nearest t:
   atan t = atan c + atan r, r = (num - c den) / (den + c num), since c has
   at most 9 bits, c times a 26- or 27-bit half of a split operand is
   exact, and num - c den_hi cancels exactly (Sterbenz), so r's numerator
   and denominator are exact double-doubles without a quotient for t. */
Dd atan_ratio(double num, double den)
{
    /* the integer nearest num / den * 256 (exact product), by the
       1.5 * 2^52 rounding trick; num / den * 256 + 0.5 truncated could
       round up past it */
    double kd = (num / den * 256.0 + 0x1.8p52) - 0x1.8p52;
    double c = kd * (1.0 / 256.0);

    Dd ns = split(num);
    Dd ds = split(den);
    Dd top = twosum(num - c * ds.hi, -(c * ds.lo));
    Dd bottom = quicktwosum(den, c * ns.hi);
    /* renormalised, or the quotient would need a second-order term */
    bottom = quicktwosum(bottom.hi, bottom.lo + c * ns.lo);

    /* r = top / bottom, the second digit from the exact remainder (over a
       reciprocal taken beside the first, off the critical path) */
    double rh = top.hi / bottom.hi;
    double inv = 1.0 / bottom.hi;
    Dd prod = twoprodsplit(rh, split(bottom.hi));
    double rl = (((top.hi - prod.hi) - prod.lo) + top.lo - rh * bottom.lo) * inv;

    /* atan r - r = r^3 (-1/3 + s/5 - s^2/7), s = r^2 <= 2^-18: the next
       term is below 2^-75 of r. */
    double s = rh * rh;
    double tail = rh * s * (-1.0 / 3.0 + s * (1.0 / 5.0 + s * (-1.0 / 7.0)));

    /* atan c >= 3c/4 > 2 |r| unless c = 0, so the fast sum is exact */
    const SteadyPair &knot = AtanKnots[static_cast<int>(kd)];
    Dd z = quicktwosum(knot.hi, rh);
    z.lo += knot.lo + (rl + tail);
    return z;
}

/* The same arc tangent first in plain doubles, kept only when a rounding
   test proves it the accurate path's result: offset + sign atan(num/den)
   (no offset where off is null), or false.

   With c = k/256 as in atan_ratio, num - c den_hi is exact there too, so
   top has one rounding (2^-53 relative); bottom = den + c num has two and
   r = top/bottom one more: |r| <= 2^-9 within 4.001 2^-53 of it, an
   absolute error of 1.0003 2^-60.  The series' remainder and the
   roundings of the small terms are below 2^-78; of the sums forming lo
   (|lo| < 2^-8) the one below 2^-9 rounds by at most 2^-63, the last by
   2^-62; the knot's (and offset's) sum is exact (twosum), or is the final
   rounding itself.  So v = h + lo is within 1.38 2^-60 of atan2, and the
   accurate path's unrounded value, within 2^-66 of atan2, lies within
   1.4 2^-60 of v.  lo +- 2^-59 rounds by at most 2^-62, so the values
   from h + fl(lo - 2^-59) to h + fl(lo + 2^-59) include it: when those
   two round alike, so does the accurate path's value, and its result is
   returned.  Over the unit square 2.7 % of the results fail the test;
   with no offset and a small ratio (results below 2^-4, whose last bit is
   too fine for this error; 1.5 %) the accurate path is taken at once. */
bool atan_quick(double num, double den, const SteadyPair *off, double sign, double *result)
{
    double kd = (num / den * 256.0 + 0x1.8p52) - 0x1.8p52;
    if (off == nullptr && kd < 16.0)
        return false;
    double c = kd * (1.0 / 256.0);
    Dd ds = split(den);
    double top = (num - c * ds.hi) - c * ds.lo;
    double bottom = den + c * num;
    double r = top / bottom;
    double s = r * r;
    double tail = r * s * (-1.0 / 3.0 + s * (1.0 / 5.0 + s * (-1.0 / 7.0)));
    const SteadyPair &knot = AtanKnots[static_cast<int>(kd)];
    Dd h;
    double lo;
    if (off == nullptr) {
        h = {knot.hi, 0.0};
        lo = r + (knot.lo + tail);
    } else {
        h = twosum(off->hi, sign * knot.hi);
        lo = h.lo + (sign * r + (off->lo + sign * (knot.lo + tail)));
    }
    double up = h.hi + (lo + 0x1p-59);
    double down = h.hi + (lo - 0x1p-59);
    if (up != down)
        return false;
    *result = up;
    return true;
}

template <bool Quick>
double atan2with(double y, double x)
{
    if (std::isnan(x) || std::isnan(y))
        return x + y;

    const double inf = std::numeric_limits<double>::infinity();
    bool xneg = std::signbit(x);
    double ay = std::fabs(y);
    double ax = std::fabs(x);

    if (ay == 0.0)                       /* x = -0 counts as negative */
        return xneg ? std::copysign(Pi.hi, y) : y;
    if (ax == inf) {
        double v = ay == inf ? (xneg ? 0x1.2d97c7f3321d2p+1 : 0x1.921fb54442d18p-1)
                             : (xneg ? Pi.hi : 0.0);
        return std::copysign(v, y);
    }
    if (ax == 0.0 || ay == inf)
        return std::copysign(HalfPi.hi, y);

    /* atan2 = offset + sign * atan t, t = num / den: atan t, pi - atan t,
       pi/2 - atan t or pi/2 + atan t.  (Branches beat a table lookup here:
       predicted, they do not hold up the arithmetic.) */
    bool swapped = ay > ax;
    double num = swapped ? ax : ay;
    double den = swapped ? ay : ax;
    bool offset = swapped || xneg;
    const SteadyPair &off = swapped ? HalfPi : Pi;
    double sign = swapped && xneg ? 1.0 : -1.0;

    if (num < den * 0x1p-60) {
        /* atan t = t within 2^-120 relative: one correctly rounded division,
           or t is far below the last bit of a dd offset. */
        if (!offset)
            return y / x;
        return std::copysign(off.hi + (off.lo + sign * (num / den)), y);
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
    double quick;
    if (Quick && atan_quick(num, den, offset ? &off : nullptr, sign, &quick))
        return std::copysign(quick, y);
    Dd a = atan_ratio(num, den);
    if (!offset)
        return std::copysign(a.hi + a.lo, y);
    Dd w = quicktwosum(off.hi, sign * a.hi);  /* atan t <= pi/4 */
    return std::copysign(w.hi + (w.lo + (off.lo + sign * a.lo)), y);
}

}  // namespace

double steady_atan2(double y, double x)
{
    return atan2with<true>(y, x);
}

double steady_atan2_accurate(double y, double x)
{
    return atan2with<false>(y, x);
}

namespace {

/* sin x and cos x for 2^-27 <= |x| <= SteadySincosLimit, each as an
   unrounded pair hi + lo (lo not normalised), and the sign both take. */
struct SINCOSPAIRS {
    Dd sin;
    Dd cos;
    double turn;
};

SINCOSPAIRS sincos_pairs(double x)
{
    /* x = k pi/256 + d: k by the 1.5 * 2^52 rounding trick, d exactly as a
       double-double (x - k part0 is exact: both lie on x's grid). */
    double k = (x * KnotsPerRadian + 0x1.8p52) - 0x1.8p52;
    double r1 = x - k * KnotStep[0];
    Dd a = twosum(r1, -k * KnotStep[1]);
    Dd b = twosum(a.hi, -k * KnotStep[2]);
    /* not renormalised: the low part, at most 2^-53 |d| + 2^-76, enters
       only to first order below */
    Dd d = {b.hi, (a.lo + b.lo) - k * KnotStep[3]};

    /* u = j pi/256 with j = k mod 256; k mod 512 >= 256 negates both */
    unsigned n = static_cast<unsigned>(static_cast<long long>(k));
    const SteadyPair &sk = SinKnots[n & 255u];
    const SteadyPair &ck = CosKnots[n & 255u];
    static const double HalfTurn[2] = {1.0, -1.0};
    double turn = HalfTurn[(n >> 8) & 1u];

    /* sin d - d and cos d - 1 for |d| <= pi/512; the first omitted terms are
       below 2^-76 of sin d and 2^-74 of cos d. */
    double z = d.hi * d.hi;
    double sd = d.hi * z * (-1.0 / 6.0 + z * (1.0 / 120.0 + z * (-1.0 / 5040.0)));
    double cd = z * (-0.5 + z * (1.0 / 24.0 + z * (-1.0 / 720.0))) - d.hi * d.lo;
    double dl = d.lo + sd;

    /* The knots' hi parts have 26 bits, so their products with the 26-bit
       half of d are exact and need no Dekker product. */
    Dd ds = split(d.hi);
    double sinu = sk.hi + sk.lo, cosu = ck.hi + ck.lo;  /* for the small terms */

    /* sin(u + d) = sin u + cos u d + [sin u (cos d - 1) + cos u (sin d - d)];
       |sin u| >= 2 |cos u d| unless sin u = 0, so the fast sum is exact and
       the result keeps at least half of sin u. */
    Dd sn = quicktwosum(sk.hi, ck.hi * ds.hi);
    double sinlo = sn.lo + ((sk.lo + ck.hi * ds.lo) + (ck.lo * d.hi + (cosu * dl + sinu * cd)));

    /* cos(u + d) = cos u - sin u d + [cos u (cos d - 1) - sin u (sin d - d)] */
    Dd cs = quicktwosum(ck.hi, -(sk.hi * ds.hi));
    double coslo = cs.lo + ((ck.lo - sk.hi * ds.lo) - (sk.lo * d.hi + (sinu * dl - cosu * cd)));

    return {{sn.hi, sinlo}, {cs.hi, coslo}, turn};
}

}  // namespace

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
    SINCOSPAIRS p = sincos_pairs(x);
    *s = p.turn * (p.sin.hi + p.sin.lo);
    *c = p.turn * (p.cos.hi + p.cos.lo);
    return true;
}

bool steady_tan(double x, double *t)
{
    double ax = std::fabs(x);
    if (!(ax <= SteadySincosLimit))
        return false;
    if (ax < 0x1p-27) {
        *t = x;                             /* x^3/3 is below a quarter of the last bit */
        return true;
    }
    /* S / C as a double-double quotient, the pairs normalised first (their
       low parts hold up to 2^-17 of them): q + (S - q C) / C, with q C
       exact (Dekker) and S.hi - q C.hi cancelling exactly in its high
       parts.  The sign both carry cancels. */
    SINCOSPAIRS p = sincos_pairs(x);
    Dd sn = quicktwosum(p.sin.hi, p.sin.lo);
    Dd cs = quicktwosum(p.cos.hi, p.cos.lo);
    double q = sn.hi / cs.hi;
    Dd qc = twoprod(q, cs.hi);
    double rest = ((sn.hi - qc.hi) - qc.lo) + (sn.lo - q * cs.lo);
    *t = q + rest / cs.hi;
    return true;
}
