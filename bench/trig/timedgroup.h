/*
 * timedgroup.h - the maths benchmarks' timing: the functions of a group
 * timed in turns over the same inputs, round after round, so that all
 * meet the same disturbance on a shared machine; printed as min / median
 * / max ns per call and the median of the per-round ratios to the first
 * function of the group (the steady one).
 */
#ifndef LUMO_BENCH_TIMEDGROUP_H
#define LUMO_BENCH_TIMEDGROUP_H

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

/* One function's calls over inputs a (and b), summed so that none is
   optimised away. */
typedef double (*SUMOVER)(const std::vector<double> &a, const std::vector<double> &b);

struct TIMED {
    const char *name;
    SUMOVER call;
    std::vector<double> ns;
};

/* rounds of repeat passes over the inputs each. */
struct TIMING {
    int rounds;
    int repeat;
};

inline double timedgroup_median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

/* Where the sums go, so that no call is optimised away. */
inline volatile double timedgroup_sink;

inline double timedgroup_ns(TIMED &t, int repeat, const std::vector<double> &a, const std::vector<double> &b)
{
    auto start = std::chrono::steady_clock::now();
    double s = 0.0;
    for (int r = 0; r < repeat; ++r)
        s += t.call(a, b);
    timedgroup_sink = s;
    std::chrono::duration<double, std::nano> d = std::chrono::steady_clock::now() - start;
    return d.count() / (double(repeat) * a.size());
}

/* Times the functions of one group side by side and prints the figures. */
inline void timedgroup(const char *title, std::vector<TIMED> fns, TIMING timing, const std::vector<double> &a,
                       const std::vector<double> &b)
{
    std::printf("%s\n", title);
    for (int round = 0; round < timing.rounds; ++round)
        for (TIMED &t : fns)
            t.ns.push_back(timedgroup_ns(t, timing.repeat, a, b));
    for (TIMED &t : fns) {
        std::vector<double> ratio;
        for (int round = 0; round < timing.rounds; ++round)
            ratio.push_back(t.ns[round] / fns[0].ns[round]);
        std::printf("  %-22s %6.1f / %6.1f / %6.1f ns   x %.2f of steady\n", t.name,
                    *std::min_element(t.ns.begin(), t.ns.end()), timedgroup_median(t.ns),
                    *std::max_element(t.ns.begin(), t.ns.end()), timedgroup_median(ratio));
    }
}

#endif
