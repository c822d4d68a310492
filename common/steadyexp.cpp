/*
 * steadyexp.cpp - the steady exponential, logarithm and power (see
 * steadyexp.h).
 *
 * All three work in double-double arithmetic (a value kept as hi + lo) and
 * round once at the end; products are exact through Dekker's splitting.
 *
 * Exponential: x = k log(2)/256 + r with log(2)/256 in parts of 34 bits
 * (k * part exact for |k| < 2^19, the first difference exact by Sterbenz),
 * |r| <= log(2)/512; exp x = 2^(k/256 integer part) * 2^(j/256) * exp r
 * with the tabled knot 2^(j/256), whose hi part has 26 bits, and a series
 * of degree six for exp r - 1.  Results below 2^-1022 are rounded once, to
 * the subnormal grid, from the unrounded double-double.
 *
 * Logarithm: x = 2^e m, m in [1, 2); c = 1/(1 + k/512) to 12 bits for the
 * k nearest 512 (m - 1), so m c is exact in a Dekker product and
 * r = m c - 1 is an exact double-double with |r| < 2^-9.7;
 * log x = e log 2 - log c + log(1 + r), the last a series of degree eight.
 * For m near 1 (k = 0) and near 2 (k = 512, where -log c is log 2 split
 * as e log 2 is) nothing cancels, so x near 1 keeps its relative accuracy.
 *
 * Power: |x|^y = exp(y log |x|) with the logarithm kept as a double-double
 * (absolute error about 2^-78) and its product with y exact.
 */
#include "common/steadyexp.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "common/doubledouble.h"
#include "common/steadyexp_tables.h"

namespace {

typedef DDOUBLE Dd;

const double Infinity = std::numeric_limits<double>::infinity();

/* Past these exp overflows or underflows to zero whatever the rounding;
   between them and the last finite results the scaling decides. */
const double ExpOverflow = 709.79;
const double ExpUnderflow = -745.2;

std::uint64_t bitsof(double x)
{
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

double frombits(std::uint64_t b)
{
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

/* 2^e for -1022 <= e <= 1023 */
double twopower(int e)
{
    return frombits(static_cast<std::uint64_t>(e + 1023) << 52);
}

/* (hi + lo) 2^e rounded once, for a result below 2^-1021 (subnormal, or
   in the lowest binade, which has the subnormals' spacing): the multiple n
   of 2^-1074 nearest to it, ties to even.  hi > 0, |lo| < 2^-8 hi,
   -2096 <= e <= -51. */
double subnormal(double hi, double lo, int e)
{
    double scale = twopower(e + 1074);
    double t = hi * scale;                  /* exact, below 2^53 */
    double l = lo * scale;
    double v = t + l;                       /* within one of the answer */
    double n = v >= 0x1p52 ? v : (v + 0x1p52) - 0x1p52;   /* an integer near v */
    double f = (t - n) + l;                 /* t - n exact (Sterbenz) */
    if (f > 0.5 || (f == 0.5 && std::fmod(n, 2.0) != 0.0))
        n += 1.0;
    else if (f < -0.5 || (f == -0.5 && std::fmod(n, 2.0) != 0.0))
        n -= 1.0;
    return n * 0x1p-1074;
}

/* exp(xh + xl) for ExpUnderflow <= xh <= ExpOverflow, |xl| <= 2^-40: the
   accurate path, every result within a few 2^-70 before its one rounding. */
double exp_accurate(double xh, double xl)
{
    double kd = (xh * KnotsPerLn2 + 0x1.8p52) - 0x1.8p52;
    double r1 = xh - kd * ExpStep[0];       /* exact: Sterbenz, or k = 0 */
    Dd a = twosum(r1, -kd * ExpStep[1]);
    double rh = a.hi;
    double rl = (a.lo + xl) - kd * ExpStep[2];

    /* exp(rh) - 1 - rh to degree six (the next term is below 2^-78), then
       exp(rh + rl) = exp(rh) (1 + rl) within rl^2 < 2^-80. */
    double q = rh * rh * (0.5 + rh * (1.0 / 6.0 + rh * (1.0 / 24.0 + rh * (1.0 / 120.0 + rh * (1.0 / 720.0)))));
    double tail = q + (rl + rl * (rh + q));

    long long k = static_cast<long long>(kd);
    const SteadyPair &knot = ExpKnots[k & 255];
    int e = static_cast<int>(k >> 8);       /* floor(k / 256) */

    /* 2^(j/256) exp r = T + T rh + T tail; T.hi has 26 bits, so its
       products with the halves of rh are exact, and T >= 1 > 2 |T rh|. */
    Dd rs = split(rh);
    Dd s = quicktwosum(knot.hi, knot.hi * rs.hi);
    double whole = knot.hi + knot.lo;
    double c = s.lo + (knot.hi * rs.lo + (knot.lo + (knot.lo * rh + whole * tail)));

    if (e <= -1022)                         /* m may be below 1 */
        return subnormal(s.hi, c, e);
    double m = s.hi + c;
    if (e > 1023)                           /* overflows unless m < 1 */
        return (m * 2.0) * twopower(e - 1);
    return m * twopower(e);
}

/* The same exp(xh + xl), first in plain doubles: the reduction to one
   double r, a series of degree five and the knot times 1 + r, with
   absolute error below 2^-59.4 in v = T.hi + lo (T the knot, T in
   [1, 2)): the reduction's rounding 2^-62 (times T exp r < 2.01), the
   roundings of p = r + q and of the knot's products 2^-61.5, 2^-62 and
   2^-62, the series' remainder and the rest below 2^-65.  The accurate
   path's unrounded value lies within 2^-67 of the exact one, so within
   2^-59.3 of v; when v + d and v - d round alike for d = 2^-58 (whose
   own rounding in lo, below 2^-61, keeps them beyond 2^-59.3), so does
   the accurate path's value, and its result is returned unchanged.
   Results outside the normal range, and the rare ones near a rounding
   boundary (a few in a hundred), take the accurate path itself. */
double exp_dd(double xh, double xl)
{
    /* k, the nearest integer to xh 256/log(2), from the low bits of the
       shifted sum (|k| < 2^20), without a conversion to an integer */
    double shifted = xh * KnotsPerLn2 + 0x1.8p52;
    double kd = shifted - 0x1.8p52;
    std::int32_t k = static_cast<std::int32_t>(static_cast<std::uint32_t>(bitsof(shifted)));
    int e = k >> 8;                         /* floor(k / 256) */
    if (e <= -1022 || e > 1023)
        return exp_accurate(xh, xl);
    double r1 = xh - kd * ExpStep[0];       /* exact, as in the accurate path */
    double r = (r1 - kd * ExpStep[1]) + (xl - kd * ExpStep[2]);
    double r2 = r * r;
    double q = r2 * ((0.5 + r * (1.0 / 6.0)) + r2 * ((1.0 / 24.0) + r * (1.0 / 120.0)));
    double p = r + q;
    const SteadyPair &knot = ExpKnots[k & 255];
    double lo = knot.hi * p + (knot.lo + knot.lo * p);
    double up = knot.hi + (lo + 0x1p-58);
    double down = knot.hi + (lo - 0x1p-58);
    if (up != down)
        return exp_accurate(xh, xl);
    return up * twopower(e);
}

/* log x for a finite x > 0, as an unrounded double-double. */
Dd log_dd(double x)
{
    int e = 0;
    if (x < 0x1p-1022) {                    /* subnormal */
        x *= 0x1p52;
        e = -52;
    }
    std::uint64_t b = bitsof(x);
    e += static_cast<int>(b >> 52) - 1023;
    double m = frombits((b & 0x000fffffffffffffULL) | 0x3ff0000000000000ULL);
    unsigned k = (static_cast<unsigned>(b >> 42 & 1023u) + 1u) >> 1;   /* nearest 512 (m - 1) */
    const SteadyLogKnot &knot = LogKnots[k];

    /* r = m c - 1 = rh + rl exactly, not normalised: p - 1 is exact
       (Sterbenz), and rl, the product's rounding error, is below half an
       ulp of p, so |rl| <= 2^-53 <= |rh| unless rh = 0. */
    double c = knot.inverse;                /* 12 bits */
    double p = m * c;
    Dd ms = split(m);
    double rh = p - 1.0;
    double rl = (ms.hi * c - p) + ms.lo * c;

    /* log(1 + r) = r - r^2/2 + r^3/3 - ... - r^8/8: rh^2/2 exactly from
       the halves of rh (each product of 26-bit halves is exact), the
       cross terms with rl to first order, the rest in doubles. */
    Dd rs = split(rh);
    double half = 0.5 * (rs.hi * rs.hi);
    double halflo = (rs.hi * rs.lo + 0.5 * (rs.lo * rs.lo)) + rh * rl;
    double sq = rh * rh;
    double cubic = rh * sq * (1.0 / 3.0 - rh * (1.0 / 4.0 - rh * (1.0 / 5.0 - rh * (1.0 / 6.0 - rh * (1.0 / 7.0 - rh * (1.0 / 8.0))))));

    /* e log 2 - log c: exact, as both lie on the grid of 2^-42 below 2^10;
       then rh - half, where |half| < 2^-10 |rh|; then their sum. */
    double ed = e;
    double a = ed * Ln2[0] + knot.hi;
    Dd t = quicktwosum(rh, -half);
    Dd s = twosum(a, t.hi);
    double lo = (s.lo + t.lo)
        + (((ed * Ln2[1] + knot.lo) + (rl - halflo)) + (cubic + rl * sq));
    return quicktwosum(s.hi, lo);
}

bool isinteger(double y)
{
    return std::floor(y) == y;
}

/* y an odd integer (|y| >= 2^53 are all even) */
bool isodd(double y)
{
    return std::fabs(y) < 0x1p53 && isinteger(y) && !isinteger(0.5 * y);
}

}  // namespace

namespace {

typedef double (*ExpDd)(double xh, double xl);

template <ExpDd ExpOf>
double expwith(double x)
{
    if (std::isnan(x))
        return x + x;
    if (x > ExpOverflow)
        return Infinity;
    if (x < ExpUnderflow)
        return 0.0;
    return ExpOf(x, 0.0);
}

}  // namespace

double steady_exp(double x)
{
    return expwith<exp_dd>(x);
}

double steady_exp_accurate(double x)
{
    return expwith<exp_accurate>(x);
}

double steady_log(double x)
{
    if (std::isnan(x))
        return x + x;
    if (x < 0.0)
        return (x - x) / (x - x);           /* invalid: NaN */
    if (x == 0.0)
        return -Infinity;
    if (x == Infinity)
        return x;
    Dd l = log_dd(x);
    return l.hi + l.lo;
}

namespace {

template <ExpDd ExpOf>
double powwith(double x, double y)
{
    if (y == 0.0 || x == 1.0)
        return 1.0;
    if (std::isnan(x) || std::isnan(y))
        return x + y;

    bool negative = std::signbit(x) && isodd(y);   /* the result's sign */
    double ax = std::fabs(x);
    if (std::isinf(y)) {
        if (ax == 1.0)
            return 1.0;                     /* (-1)^inf */
        return (ax > 1.0) == (y > 0.0) ? Infinity : 0.0;
    }
    if (ax == 0.0 || ax == Infinity) {
        /* 0^y and inf^y: 0 or inf by the sign of y (and of log |x|) */
        bool big = (ax == 0.0) == (y < 0.0);
        double v = big ? Infinity : 0.0;
        return negative ? -v : v;
    }
    if (x < 0.0 && !isinteger(y))
        return (x - x) / (x - x);           /* invalid: NaN */
    if (ax == 1.0)
        return negative ? -1.0 : 1.0;       /* (-1)^y, y an integer */

    /* The polar powers of a series raise one base to many exponents in a
       row: its logarithm is kept.  (One per thread; each WebAssembly
       worker is a thread of its own.) */
    thread_local double lastbase = 1.0;
    thread_local Dd lastlog = {0.0, 0.0};
    if (ax != lastbase) {
        lastlog = log_dd(ax);
        lastbase = ax;
    }
    Dd l = lastlog;
    double ph = y * l.hi;
    double v;
    if (ph > ExpOverflow) {
        v = Infinity;
    } else if (ph < ExpUnderflow) {
        v = 0.0;
    } else {
        /* y log|x| = p.hi + (p.lo + y l.lo), the low part below 2^-42 */
        Dd p = twoprod(y, l.hi);
        double h = p.hi;
        v = h > ExpOverflow ? Infinity : h < ExpUnderflow ? 0.0 : ExpOf(h, p.lo + y * l.lo);
    }
    return negative ? -v : v;
}

}  // namespace

double steady_pow(double x, double y)
{
    return powwith<exp_dd>(x, y);
}

double steady_pow_accurate(double x, double y)
{
    return powwith<exp_accurate>(x, y);
}

double steady_hypot(double x, double y)
{
    double ax = std::fabs(x), ay = std::fabs(y);
    if (ax == Infinity || ay == Infinity)
        return Infinity;                    /* even with a NaN */
    if (std::isnan(x) || std::isnan(y))
        return x + y;
    if (ax < ay) {
        double t = ax;
        ax = ay;
        ay = t;
    }
    /* (ay/ax)^2 / 2 below a quarter of the last bit (or ay = 0): the sum
       rounds as the exact value does */
    if (ay <= ax * 0x1p-54)
        return ax + ay;

    /* Scale by a power of two where the squares and Dekker's products
       neither overflow nor lose their low parts. */
    int e = 0;
    if (ax > 0x1p500) {
        e = 600;
    } else if (ax < 0x1p-450) {
        e = -600;
    }
    if (e != 0) {
        double down = e > 0 ? 0x1p-600 : 0x1p600;
        ax *= down;
        ay *= down;
    }

    /* s = ax^2 + ay^2 as a double-double, good to about 2^-104 */
    Dd a2 = twoprod(ax, ax);
    Dd b2 = twoprod(ay, ay);
    Dd sum = twosum(a2.hi, b2.hi);
    Dd sq = quicktwosum(sum.hi, sum.lo + (a2.lo + b2.lo));

    /* sqrt(s) = r + (s - r^2) / (2 r) to second order, r the rounded root;
       s - r^2 exactly from Dekker's r^2 (sq.hi - r2.hi cancels exactly) */
    double r = std::sqrt(sq.hi);
    Dd r2 = twoprod(r, r);
    double c = (((sq.hi - r2.hi) - r2.lo) + sq.lo) / (2.0 * r);
    if (e < 0 && r < 0x1p-421)              /* a subnormal result: round once */
        return subnormal(r, c, e);
    double h = r + c;
    return e == 0 ? h : e > 0 ? h * 0x1p600 : h * 0x1p-600;
}
