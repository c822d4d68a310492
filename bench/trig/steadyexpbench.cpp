/*
 * steadyexpbench.cpp - ns per call of steady_exp, steady_log, steady_pow
 * and steady_hypot beside the C library's exp, log, pow and hypot.
 *
 * Built natively (glibc, which picks its fused multiply-add versions where
 * the processor has them) and by bench/wasm/speed.sh with em++ for Node,
 * where the C library is musl's (this program does not link the routing).
 * Each round times every function of a group once over the same inputs,
 * 41 rounds, each timing short (8192 calls) so that the minimum escapes a
 * loaded machine's preemptions; the figures are min / median / max ns per
 * call and the median of the per-round ratios C library / steady.  exp and
 * pow are also timed by their accurate paths alone (the fast paths' gain).
 */
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/trig/timedgroup.h"
#include "common/steadyexp.h"

namespace {

enum { POINTS = 4096 };
const TIMING Timing = {41, 2};

template <double (*F)(double)>
double sum1(const std::vector<double> &a, const std::vector<double> &)
{
    double s = 0.0;
    for (double v : a)
        s += F(v);
    return s;
}

template <double (*F)(double, double)>
double sum2(const std::vector<double> &a, const std::vector<double> &b)
{
    double s = 0.0;
    for (size_t i = 0; i < a.size(); ++i)
        s += F(a[i], b[i]);
    return s;
}

/* the C library's, through a pointer so that no build inlines a builtin */
double libc_exp(double x) { return std::exp(x); }
double libc_log(double x) { return std::log(x); }
double libc_pow(double x, double y) { return std::pow(x, y); }
double libc_hypot(double x, double y) { return std::hypot(x, y); }

}  // namespace

int main()
{
    std::mt19937_64 gen(1);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<double> e(POINTS), l(POINTS), px(POINTS), py(POINTS), hx(POINTS), hy(POINTS);
    std::vector<double> zx(POINTS), zy(POINTS);   /* zeta's polar powers r^m, m = 0..170 */
    for (int i = 0; i < POINTS; ++i) {
        e[i] = 40.0 * unit(gen);
        l[i] = std::exp2(40.0 * unit(gen));
        px[i] = std::exp2(12.0 * unit(gen));
        py[i] = 12.0 * unit(gen);
        hx[i] = std::exp2(20.0 * unit(gen)) * (unit(gen) < 0 ? -1.0 : 1.0);
        hy[i] = std::exp2(20.0 * unit(gen));
        zx[i] = i % 171 == 0 ? unit(gen) + 1.0 : zx[i - 1];
        zy[i] = i % 171;
    }
    std::printf("min / median / max ns per call over %d rounds\n", Timing.rounds);
    timedgroup("exp(x), |x| < 40", {{"steady_exp", sum1<steady_exp>, {}}, {"accurate path only", sum1<steady_exp_accurate>, {}},
                                 {"C library exp", sum1<libc_exp>, {}}}, Timing, e, e);
    timedgroup("log(x), 2^-40 < x < 2^40", {{"steady_log", sum1<steady_log>, {}}, {"C library log", sum1<libc_log>, {}}}, Timing, l, l);
    timedgroup("pow(x, y), 2^-12 < x < 2^12, |y| < 12",
          {{"steady_pow", sum2<steady_pow>, {}}, {"accurate path only", sum2<steady_pow_accurate>, {}},
           {"C library pow", sum2<libc_pow>, {}}}, Timing, px, py);
    timedgroup("pow(r, m), one r for m = 0..170",
          {{"steady_pow", sum2<steady_pow>, {}}, {"accurate path only", sum2<steady_pow_accurate>, {}},
           {"C library pow", sum2<libc_pow>, {}}}, Timing, zx, zy);
    timedgroup("hypot(x, y), 2^-20 < |x|, |y| < 2^20",
          {{"steady_hypot", sum2<steady_hypot>, {}}, {"C library hypot", sum2<libc_hypot>, {}}}, Timing, hx, hy);
    return 0;
}
