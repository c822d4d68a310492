/*
 * steadytesting.h - how the steady functions' tests compare a result with
 * the C library's and with a long double reference.
 */
#ifndef LUMO_TESTS_STEADYTESTING_H
#define LUMO_TESTS_STEADYTESTING_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

/* The same double, bit for bit (the sign of a zero counts); any NaN
   matches any NaN. */
inline bool same(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

/* |v - ref| in units of the last place of the double nearest ref (the
   subnormals' unit below 2^-1022); infinite where one side is infinite and
   the other is not. */
inline double ulps(double v, long double ref)
{
    double rounded = static_cast<double>(ref);
    if (std::isinf(rounded) || std::isinf(v))
        return v == rounded ? 0.0 : std::numeric_limits<double>::infinity();
    int e = 0;
    std::frexp(rounded, &e);
    long double unit = std::ldexp(1.0L, std::max(e - 53, -1074));
    return static_cast<double>(std::fabs(static_cast<long double>(v) - ref) / unit);
}

#endif
