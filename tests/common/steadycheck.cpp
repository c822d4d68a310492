/*
 * steadycheck.cpp - prints what steady_atan2 and steady_sincos give on a
 * fixed set of inputs, so that builds can be compared bit for bit and the
 * results checked against mpmath (steadytrig_mpmath.py).
 *
 *   steadycheck digest N   one line: a hash of the results of N inputs each
 *   steadycheck list N     lines "atan2 Y X R" and "sincos X S C", as the
 *                          bits of each double in hexadecimal
 *
 * The inputs come from a fixed integer generator, never from a library's
 * distributions, so every build draws the same ones.
 */
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/steadytrig.h"

namespace {

std::uint64_t state = 0x9e3779b97f4a7c15u;

std::uint64_t next()  /* splitmix64 */
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

double from_bits(std::uint64_t b)
{
    double v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

std::uint64_t bits(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

/* A double of random sign and mantissa with a biased exponent in [lo, hi]. */
double draw(unsigned lo, unsigned hi)
{
    std::uint64_t r = next();
    std::uint64_t e = lo + (r >> 53) % (hi - lo + 1);
    return from_bits((r & 0x800fffffffffffffu) | (e << 52));
}

/* (y, x): every exponent; then ratios near 0, 1 and the knots. */
void atan2_input(long i, double *y, double *x)
{
    *x = draw(0, 2046);
    switch (i % 4) {
    case 0: *y = draw(0, 2046); break;
    case 1: *x = draw(900, 1150); *y = *x * draw(960, 1020); break;
    case 2: *x = draw(900, 1150); *y = *x * (1.0 + draw(950, 1020)); break;
    default:
        *x = draw(900, 1150);
        *y = *x * ((next() % 513) / 512.0 + draw(960, 1010));
        break;
    }
}

/* x up to the limit, near multiples of pi/2, or small. */
double sincos_input(long i)
{
    switch (i % 3) {
    case 0: return draw(990, 1038);
    case 1: {
        double x = static_cast<double>(next() % 63600 + 1) * 1.5707963267948966;
        return from_bits(bits(x) + next() % 9 - 4);
    }
    default: return draw(980, 1022);
    }
}

void mix(std::uint64_t *h, double v)  /* FNV-1a over the bytes of v */
{
    std::uint64_t b = bits(v);
    for (int k = 0; k < 8; ++k) {
        *h ^= (b >> (8 * k)) & 0xff;
        *h *= 0x100000001b3u;
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "digest") && std::strcmp(argv[1], "list"))) {
        std::fprintf(stderr, "usage: steadycheck digest|list N\n");
        return 2;
    }
    bool list = argv[1][0] == 'l';
    long n = std::atol(argv[2]);
    std::uint64_t ha = 0xcbf29ce484222325u, hs = ha;
    for (long i = 0; i < n; ++i) {
        double y, x;
        atan2_input(i, &y, &x);
        double a = steady_atan2(y, x);
        mix(&ha, a);
        double t = sincos_input(i), s = 0.0, c = 0.0;
        if (!steady_sincos(t, &s, &c)) {
            std::fprintf(stderr, "steadycheck: %a is out of range\n", t);
            return 1;
        }
        mix(&hs, s);
        mix(&hs, c);
        if (list)
            std::printf("atan2 %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n"
                        "sincos %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n",
                        bits(y), bits(x), bits(a), bits(t), bits(s), bits(c));
    }
    if (!list)
        std::printf("atan2 %016" PRIx64 " sincos %016" PRIx64 "\n", ha, hs);
    return 0;
}
