/*
 * steadyexpcheck.cpp - prints what steady_exp, steady_log, steady_pow and
 * steady_hypot give on a fixed set of inputs, for steadyexp_mpmath.py to check against
 * mpmath.
 *
 *   steadyexpcheck N   lines "exp X R", "log X R", "pow X Y R" and
 *                      "hypot X Y R", as the bits of each double in
 *                      hexadecimal
 *
 * The inputs (from a fixed integer generator) cover the whole range of each
 * function, subnormal results included, and the regions where the
 * reductions are delicate: x near 1 for log and pow, x near the knots.
 */
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/steadyexp.h"

namespace {

std::uint64_t state = 0x243f6a8885a308d3u;

std::uint64_t next()  /* splitmix64 */
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

double uniform(double lo, double hi)
{
    return lo + (hi - lo) * static_cast<double>(next() >> 11) * 0x1p-53;
}

std::uint64_t bits(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

double from_bits(std::uint64_t b)
{
    double v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

double exp_input(long i)
{
    switch (i % 4) {
    case 0: return uniform(-745.2, 709.8);        /* everything, subnormals too */
    case 1: return uniform(-40.0, 40.0);
    case 2: return uniform(-1.0, 1.0) * std::ldexp(1.0, -static_cast<int>(next() % 60));
    default: return uniform(-745.2, -708.0);      /* the subnormal results */
    }
}

double log_input(long i)
{
    switch (i % 4) {
    case 0: return from_bits(next() >> 1 & 0x7fefffffffffffffu);   /* any positive */
    case 1: return 1.0 + uniform(-1.0, 1.0) * std::ldexp(1.0, -static_cast<int>(next() % 50));
    case 2: return uniform(0.5, 2.0);
    default: return from_bits(next() >> 12);     /* subnormal */
    }
}

void pow_input(long i, double *x, double *y)
{
    switch (i % 4) {
    case 0: *x = std::ldexp(uniform(0.5, 1.0), static_cast<int>(next() % 80) - 40);
            *y = uniform(-12.0, 12.0); break;
    case 1: *x = uniform(-30.0, 30.0); *y = std::floor(uniform(-12.0, 13.0)); break;
    case 2: *x = 1.0 + uniform(-1.0, 1.0) * std::ldexp(1.0, -static_cast<int>(next() % 30));
            *y = uniform(-1e4, 1e4); break;
    default: *x = uniform(0.0, 1e3); *y = uniform(-100.0, 100.0); break;
    }
}

/* any exponents, subnormals included, of two sizes at most 2^40 apart */
void hypot_input(double *x, double *y)
{
    int e = static_cast<int>(next() % 2098) - 1074;
    *x = std::ldexp(uniform(-2.0, 2.0), e);
    *y = std::ldexp(uniform(0.0, 2.0), e - static_cast<int>(next() % 40));
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: steadyexpcheck N\n");
        return 2;
    }
    long n = std::atol(argv[1]);
    for (long i = 0; i < n; ++i) {
        double e = exp_input(i), l = log_input(i), x, y, hx, hy;
        pow_input(i, &x, &y);
        hypot_input(&hx, &hy);
        std::printf("exp %016" PRIx64 " %016" PRIx64 "\n"
                    "log %016" PRIx64 " %016" PRIx64 "\n"
                    "pow %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n"
                    "hypot %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n",
                    bits(e), bits(steady_exp(e)), bits(l), bits(steady_log(l)),
                    bits(x), bits(y), bits(steady_pow(x, y)),
                    bits(hx), bits(hy), bits(steady_hypot(hx, hy)));
    }
    return 0;
}
