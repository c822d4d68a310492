/*
 * steadybench.cpp - ns per call of steady_atan2 and steady_sincos beside the
 * C library's atan2 and sin + cos (which GCC fuses into one sincos call).
 *
 * Built natively (glibc) and by mingw-w64, where this program does not link
 * the core and so gets mingw's own x87 functions; there msvcrt.dll's are
 * timed too.  Each round times every function once over the same inputs,
 * fifteen rounds; the figures are min / median / max ns per call and the
 * median of the per-round ratios C library / steady (the machine is noisy).
 *
 * Arguments: atan2 over all four quadrants; sin and cos for |x| < 2 and for
 * 10 <= |x| <= 540, where the zeta function's polar powers put them.
 */
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "common/steadytrig.h"

#ifdef _WIN32
extern "C" {
extern double (*__imp_atan2)(double, double);  /* msvcrt.dll's */
extern double (*__imp_sin)(double);
extern double (*__imp_cos)(double);
}
#endif

namespace {

enum { POINTS = 4096, REPEAT = 40, ROUNDS = 15 };

volatile double sink;

struct Timed {
    const char *name;
    double (*call)(const std::vector<double> &a, const std::vector<double> &b);
    std::vector<double> ns;
};

double nanoseconds_per_call(Timed &t, const std::vector<double> &a, const std::vector<double> &b)
{
    auto start = std::chrono::steady_clock::now();
    double s = 0.0;
    for (int r = 0; r < REPEAT; ++r)
        s += t.call(a, b);
    sink = s;
    std::chrono::duration<double, std::nano> d = std::chrono::steady_clock::now() - start;
    return d.count() / (double(REPEAT) * a.size());
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

/* Times the functions of one group side by side; the first is the steady one. */
void group(const char *title, std::vector<Timed> fns, const std::vector<double> &a,
           const std::vector<double> &b)
{
    std::printf("%s\n", title);
    for (int round = 0; round < ROUNDS; ++round)
        for (Timed &t : fns)
            t.ns.push_back(nanoseconds_per_call(t, a, b));
    for (Timed &t : fns) {
        std::vector<double> ratio;
        for (int round = 0; round < ROUNDS; ++round)
            ratio.push_back(t.ns[round] / fns[0].ns[round]);
        std::printf("  %-22s %6.1f / %6.1f / %6.1f ns   x %.2f of steady\n", t.name,
                    *std::min_element(t.ns.begin(), t.ns.end()), median(t.ns),
                    *std::max_element(t.ns.begin(), t.ns.end()), median(ratio));
    }
}

double steady_atan2_sum(const std::vector<double> &y, const std::vector<double> &x)
{
    double s = 0.0;
    for (size_t i = 0; i < y.size(); ++i)
        s += steady_atan2(y[i], x[i]);
    return s;
}

double accurate_atan2_sum(const std::vector<double> &y, const std::vector<double> &x)
{
    double s = 0.0;
    for (size_t i = 0; i < y.size(); ++i)
        s += steady_atan2_accurate(y[i], x[i]);
    return s;
}

double libc_atan2_sum(const std::vector<double> &y, const std::vector<double> &x)
{
    double s = 0.0;
    for (size_t i = 0; i < y.size(); ++i)
        s += std::atan2(y[i], x[i]);
    return s;
}

double steady_sincos_sum(const std::vector<double> &x, const std::vector<double> &)
{
    double t = 0.0;
    for (double v : x) {
        double s = 0.0, c = 0.0;
        steady_sincos(v, &s, &c);
        t += s * c;
    }
    return t;
}

double libc_sincos_sum(const std::vector<double> &x, const std::vector<double> &)
{
    double t = 0.0;
    for (double v : x)
        t += std::sin(v) * std::cos(v);
    return t;
}

#ifdef _WIN32
double msvcrt_atan2_sum(const std::vector<double> &y, const std::vector<double> &x)
{
    double s = 0.0;
    for (size_t i = 0; i < y.size(); ++i)
        s += __imp_atan2(y[i], x[i]);
    return s;
}

double msvcrt_sincos_sum(const std::vector<double> &x, const std::vector<double> &)
{
    double t = 0.0;
    for (double v : x)
        t += __imp_sin(v) * __imp_cos(v);
    return t;
}
#endif

}  // namespace

int main()
{
    std::mt19937_64 gen(1);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<double> y(POINTS), x(POINTS), small(POINTS), large(POINTS);
    for (int i = 0; i < POINTS; ++i) {
        y[i] = 2.0 * unit(gen);
        x[i] = 2.0 * unit(gen);
        small[i] = 2.0 * unit(gen);
        double m = 10.0 + 530.0 * std::fabs(unit(gen));
        large[i] = unit(gen) < 0 ? -m : m;
    }

    std::vector<Timed> atan2s = {{"steady_atan2", steady_atan2_sum, {}},
                                 {"accurate path only", accurate_atan2_sum, {}},
                                 {"C library atan2", libc_atan2_sum, {}}};
    std::vector<Timed> sincoss = {{"steady_sincos", steady_sincos_sum, {}},
                                  {"C library sin + cos", libc_sincos_sum, {}}};
#ifdef _WIN32
    atan2s.push_back({"msvcrt atan2", msvcrt_atan2_sum, {}});
    sincoss.push_back({"msvcrt sin + cos", msvcrt_sincos_sum, {}});
#endif
    std::printf("min / median / max ns per call over %d rounds\n", int(ROUNDS));
    group("atan2(y, x), |x|, |y| < 2", atan2s, y, x);
    group("sin and cos, |x| < 2", sincoss, small, small);
    group("sin and cos, 10 <= |x| <= 540", sincoss, large, large);
    return 0;
}
