/*
 * bench_accurate.cpp - time per point of the accurate gamma, log gamma and
 * zeta of typed functions beside the built-in formulas 20, 21 and 27, over
 * a 200 x 200 grid of each built-in's view.  Built-in and accurate runs
 * alternate, seven rounds each, and the figures are min / median / max ns
 * per point with the ratio of the medians (the machine is noisy).
 *
 * Target: zeta at most 4 x the built-in formula 27 per point.
 */
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "formulas/accurate.h"
#include "formulas/formulas.h"

namespace {

enum { GRID = 200, ROUNDS = 7 };

volatile double sink;

std::vector<complex> gridof(int f)
{
    const IMAGE &v = im[f];
    std::vector<complex> points;
    for (int row = 0; row < GRID; row++)
        for (int column = 0; column < GRID; column++)
            points.push_back({v.xmin + (v.xmax - v.xmin) * (column + 0.5) / GRID,
                              v.ymax - (v.ymax - v.ymin) * (row + 0.5) / GRID});
    return points;
}

template <class F>
double nsperpoint(const std::vector<complex> &points, F f)
{
    auto start = std::chrono::steady_clock::now();
    double s = 0.0;
    for (const complex &z : points) {
        complex w = f(z);
        s += w.re;
    }
    sink = s;
    std::chrono::duration<double, std::nano> t = std::chrono::steady_clock::now() - start;
    return t.count() / (double)points.size();
}

void report(const char *name, std::vector<double> &v)
{
    std::sort(v.begin(), v.end());
    std::printf("  %-22s min %8.0f  median %8.0f  max %8.0f ns/point\n", name, v.front(),
                v[v.size() / 2], v.back());
}

void compare(int f, const char *name, complex (*accurate)(complex))
{
    formula = f;
    std::vector<complex> points = gridof(f);
    FORMULA builtin = fpointer[f];
    std::vector<double> a, b;
    for (int r = 0; r < ROUNDS; r++) {
        b.push_back(nsperpoint(points, [builtin](complex z) {
            complex w;
            builtin(z.re, z.im, &w.re, &w.im);
            return w;
        }));
        a.push_back(nsperpoint(points, accurate));
    }
    std::printf("%s on the view of formula %d:\n", name, f);
    report("built-in", b);
    report("accurate", a);
    std::printf("  ratio of medians %.2f\n", a[ROUNDS / 2] / b[ROUNDS / 2]);
}

}  // namespace

int main()
{
    fillfactorial();
    compare(20, "gamma", accurate_gamma);
    compare(21, "loggamma", accurate_loggamma);
    compare(27, "zeta", accurate_zeta);
    return 0;
}
