/*
 * zeta.cpp - the Riemann zeta function and the two formulas built on it,
 * with the factorial table and the constants the series need.
 *
 * Right of Re z = 2 zeta sums 19 terms of the alternating (eta) series;
 * elsewhere it sums the Laurent series about 1 up to (z - 1)^170, whose
 * real coefficients Stieltjes[m] * ((-1)^m / factorial[m]) are worked out
 * once by fillfactorial.  The two methods are not matched at Re z = 2.
 * The Laurent sum leaves out the terms that cannot change it, and is the
 * full sum bit for bit (the proof is at zeta_laurent).
 */
#include <cmath>
#include <cstdint>
#include <cstring>

#include "formulas/formulas.h"
#include "formulas/helpers.h"

double factorial[201];

/* Laurent coefficients Stieltjes[m] * ((-1)^m / factorial[m]), and ln n for
   the alternating series (lnn[1..19]) with ln 2 among them. */
static double laurent[171];
static double lnn[20];

/* Upper bounds for the Laurent loop's test of whether the terms can still
   change the sum (see zeta_laurent).  laurentbound[m] is at least
   |laurent[m]| (1 + 2^-41): every |laurent[m]| lies between 1e-263 and
   0.58, so |laurent[m]| (1 + 2^-40) is normal and rounding it to a double
   keeps 2^-41 of the margin.  Row g of laurenttail serves |z-1| up to
   growth[g] = 2^(g/4): laurenttail[g][m] is at least the largest
   laurentbound[k] growth[g]^(k-m) for k >= m, so that with
   r <= growth[g] every later term is bounded by r^m laurenttail[g][m].
   The last row, for larger or NaN |z-1|, is infinite and bounds nothing. */
enum { GROWTHS = 25 };
static double laurentbound[171];
static double growth[GROWTHS];
static double laurenttail[GROWTHS + 1][171];

/* Fills the bounds above from laurent. */
static void fillbounds()
{
    for (int m = 0; m <= 170; m++)
        laurentbound[m] = std::fabs(laurent[m]) * (1.0 + 0x1p-40);
    for (int g = 0; g < GROWTHS; g++) {
        growth[g] = std::exp2(g / 4.0);
        /* The largest over k >= m is the larger of laurentbound[m] and
           growth[g] times the largest over k >= m + 1; the 2^-45 makes up
           for the two roundings each step, so the bound holds exactly. */
        double *tail = laurenttail[g];
        tail[170] = laurentbound[170];
        for (int m = 169; m >= 0; m--) {
            double later = (growth[g] * tail[m + 1]) * (1.0 + 0x1p-45);
            tail[m] = later > laurentbound[m] ? later : laurentbound[m];
        }
    }
    for (int m = 0; m <= 170; m++)
        laurenttail[GROWTHS][m] = INFINITY;
}

/* Fills factorial with n! for n = 0..170 (171! is beyond a double; the rest
   stay 0) and the derived tables.  Start-up calls it once, before the first
   render. */
void fillfactorial()
{
    factorial[0] = 1.0;
    factorial[1] = 1.0;
    for (int k = 2; k <= 170; k++)
        factorial[k] = k * factorial[k - 1];
    for (int m = 0; m <= 170; m++) {
        double sign = (m % 2 == 0) ? 1.0 : -1.0;   /* (-1)^m, exactly */
        laurent[m] = Stieltjes[m] * (sign / factorial[m]);
    }
    fillbounds();
    for (int n = 1; n < 20; n++)
        lnn[n] = std::log((double)n);
}

/* zeta by the alternating series, for Re z > 2:
   sum over n = 1..19 of (-1)^(n-1) / n^z, divided by 1 - 2^(1-z). */
static complex zeta_alternating(complex z)
{
    complex sum1 = {0.0, 0.0};
    for (int n = 1; n < 20; n++) {
        double sign = (n % 2 == 1) ? 1.0 : -1.0;   /* (-1)^(n-1) */
        complex nz = exp(lnn[n] * z);              /* n^z = exp(z ln n) */
        sum1 = sum1 + sign / nz;
    }
    complex p = exp(lnn[2] * (1.0 - z));           /* 2^(1-z) */
    return sum1 / (1.0 - p);
}

/* The most a term may be while adding it to the part s of the running sum
   surely leaves that part as it is: 2^(e-54) (1 - 2^-20) for
   2^e <= |s| < 2^(e+1), a little under a quarter of the gap between
   doubles there (and half the smaller gap below a power of two); 0 where s is
   zero, below 2^-900, infinite or NaN, which no term is then tested
   against.  The product is exact: 2^e times a double, far from underflow. */
static double unchanging(double s)
{
    uint64_t bits;
    std::memcpy(&bits, &s, sizeof bits);
    bits &= 0x7ff0000000000000u;                   /* 2^e, as a double */
    if (bits < (uint64_t)(1023 - 900) << 52 || bits == 0x7ff0000000000000u)
        return 0.0;
    double binade;
    std::memcpy(&binade, &bits, sizeof binade);
    return binade * (0x1p-54 - 0x1p-74);
}

static inline double smaller(double a, double b)
{
    return a < b ? a : b;
}

/* zeta by the Laurent series about 1: 1/(z-1) plus the sum over n = 0..170
   of laurent[n] * (z-1)^n, the power in polar form.  |z-1| and its argument
   are the same for every term, so they are taken once.

   The sum runs from m = 0 up, and most terms are far below the last bit of
   the running sum.  Such a term is not worked out at all (its pow and
   sincos are nearly all of zeta's time), and the sum is still the full sum
   bit for bit, because a term is left out only when adding it is proved to
   leave both parts of the sum exactly as they are: then every later
   addition meets the same sum as in the full loop.  The proof, for one
   part s of the sum, 2^e <= |s| < 2^(e+1), and the same part t of term m:
    - t is fl(fl(P c) L) with P = pow(r, m), r = |z-1| as a double, |c| <= 1
      its cos or sin and L = laurent[m].  Rounding is monotone, so
      |fl(P c)| <= P and |t| <= P |L| (1 + 2^-53) + 2^-1075 (the last for a
      product below the normal range).  pow is within an ulp:
      P <= r^m (1 + 2^-52) + 2^-1074.  With |L| < 1:
      |t| <= r^m |L| (1 + 2^-51) + 2^-1072.  (The margins below leave room
      for a pow a thousand ulps out, or a cos or sin an ulp beyond 1.)
    - reach is r^m multiplied up one rounded product at a time, so while no
      product falls below 2^-900, r^m <= reach (1 - 2^-53)^-m
      <= reach (1 + 2^-44) for m <= 170.  reach stops falling there: that
      only happens when r < 1, and then r^m <= r^k for the k at which it
      stopped, so the bound holds with a reach that is too large.  With
      laurentbound[m] >= |L| (1 + 2^-41):
      r^m |L| (1 + 2^-51) <= reach laurentbound[m].
    - The term is skipped when fl(reach laurentbound[m]) < limit, a double;
      rounding is monotone, so then the exact product is below limit too.
      limit is the smaller of unchanging(re) and unchanging(im), at most
      2^(e-54) (1 - 2^-20).
    - So |t| < 2^(e-54) (1 - 2^-20) + 2^-1072 < 2^(e-54) as e >= -900: less
      than half the gap between s and either neighbouring double (the gap
      below a power of two is 2^(e-53)), and s + t rounds to s.  An infinite
      or NaN power makes the bound infinite or NaN, never below limit, so
      such a term is always added.
   With r <= growth[g], r^k = r^m r^(k-m) <= r^m growth[g]^(k-m) for every
   later k, so once reach laurenttail[g][m] passes the same test no later
   term can change the sum either, and the loop ends there. */
static complex zeta_laurent(complex z)
{
    complex z_minus_1 = z - 1.0;
    POLARBASE base = polarbase(z_minus_1);
    int g = 0;
    while (g < GROWTHS && !(base.modulus <= growth[g]))
        g++;
    const double *tail = laurenttail[g];
    const bool shrinking = base.modulus <= 1.0;
    complex sum1 = {0.0, 0.0};
    double reach = 1.0;
    for (int m = 0; m < 171; m++) {
        /* limit is never above rough, so a bound that fails rough fails
           limit too; most terms do, and limit is not worked out for them. */
        double bound = reach * laurentbound[m];
        double rough = smaller(std::fabs(sum1.re), std::fabs(sum1.im)) * 0x1p-54;
        bool skip = false;
        if (bound < rough) {
            double limit = smaller(unchanging(sum1.re), unchanging(sum1.im));
            if (reach * tail[m] < limit)
                break;
            skip = bound < limit;
        }
        if (!skip) {
            complex p = polarpow(base, (double)m);
            complex term = {p.re * laurent[m], p.im * laurent[m]};
            sum1 = sum1 + term;
        }
        double next = reach * base.modulus;
        if (next >= 0x1p-900 || !shrinking)
            reach = next;
    }
    return 1.0 / z_minus_1 + sum1;
}

/* w = zeta(z).  The pole z = 1 itself is moved to 1.000001. */
int zeta(double zx, double zy, double *wx, double *wy)
{
    complex w;
    if (zx > 2.0) {
        w = zeta_alternating(complex{zx, zy});
    } else {
        if (zx == 1.0 && zy == 0.0)
            zx = 1.000001;
        w = zeta_laurent(complex{zx, zy});
    }
    storew(w, wx, wy);
    return 0;
}

/* w = zeta(zeta(zeta(z))), stopping early at the first value of modulus
   16 or more, which then stands. */
int iterated_zeta(double zx, double zy, double *wx, double *wy)
{
    double size = 0.0;
    int n = 0;
    while (size < 16.0 && n < 3) {
        zeta(zx, zy, wx, wy);
        zx = *wx;
        zy = *wy;
        size = std::sqrt(*wx * *wx + *wy * *wy);
        n = n + 1;
    }
    return 0;
}

/* w = log(zeta(z)), the principal logarithm of the value. */
int log_zeta(double zx, double zy, double *wx, double *wy)
{
    zeta(zx, zy, wx, wy);
    complex v = {*wx, *wy};
    storew(log(v), wx, wy);
    return 0;
}
