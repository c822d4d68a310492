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
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/trig/timedgroup.h"
#include "common/steadytrig.h"

#ifdef _WIN32
extern "C" {
extern double (*__imp_atan2)(double, double);  /* msvcrt.dll's */
extern double (*__imp_sin)(double);
extern double (*__imp_cos)(double);
}
#endif

namespace {

enum { POINTS = 4096 };
const TIMING Timing = {15, 40};

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

    std::vector<TIMED> atan2s = {{"steady_atan2", steady_atan2_sum, {}},
                                 {"accurate path only", accurate_atan2_sum, {}},
                                 {"C library atan2", libc_atan2_sum, {}}};
    std::vector<TIMED> sincoss = {{"steady_sincos", steady_sincos_sum, {}},
                                  {"C library sin + cos", libc_sincos_sum, {}}};
#ifdef _WIN32
    atan2s.push_back({"msvcrt atan2", msvcrt_atan2_sum, {}});
    sincoss.push_back({"msvcrt sin + cos", msvcrt_sincos_sum, {}});
#endif
    std::printf("min / median / max ns per call over %d rounds\n", Timing.rounds);
    timedgroup("atan2(y, x), |x|, |y| < 2", atan2s, Timing, y, x);
    timedgroup("sin and cos, |x| < 2", sincoss, Timing, small, small);
    timedgroup("sin and cos, 10 <= |x| <= 540", sincoss, Timing, large, large);
    return 0;
}
