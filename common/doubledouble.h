/*
 * doubledouble.h - error-free transformations: the sum or product of two
 * doubles as an unevaluated pair hi + lo that is exactly equal to it.
 *
 * Products are exact through Dekker's splitting, not a fused multiply-add,
 * so they give the same bits on every build (-ffp-contract=off).  The
 * accurate special functions and the steady arc tangent and sine build
 * their double-double arithmetic on these.
 */
#ifndef LUMO_DOUBLEDOUBLE_H
#define LUMO_DOUBLEDOUBLE_H

struct DDOUBLE {
    double hi;
    double lo;
};

/* a + b exactly (Knuth). */
inline DDOUBLE twosum(double a, double b)
{
    double s = a + b;
    double v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

/* a + b exactly, when |a| >= |b| or a is zero (Dekker). */
inline DDOUBLE quicktwosum(double a, double b)
{
    double s = a + b;
    return {s, b - (s - a)};
}

/* a = hi + lo with both halves of at most 26 significant bits; exact
   while |a| < 2^996. */
inline DDOUBLE split(double a)
{
    double t = 134217729.0 * a;   /* 2^27 + 1 */
    double hi = t - (t - a);
    return {hi, a - hi};
}

/* a * b exactly, with b already split (a factor used more than once is
   split once); the low part must not underflow. */
inline DDOUBLE twoprodsplit(double a, DDOUBLE bs)
{
    double p = a * (bs.hi + bs.lo);
    DDOUBLE as = split(a);
    return {p, ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo};
}

/* a * b exactly. */
inline DDOUBLE twoprod(double a, double b)
{
    return twoprodsplit(a, split(b));
}

#endif
