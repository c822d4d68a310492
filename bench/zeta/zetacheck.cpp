/*
 * zetacheck.cpp - zeta, which leaves out the Laurent terms that cannot
 * change the sum, against the full sum it replaced:
 *   1. the values at POINTS points (default a million, see
 *      tests/formulas/zetareference.h for where they lie), bit for bit;
 *   2. the time of both over a 400 x 400 grid of formula 27's view, one
 *      thread, ROUNDS rounds (default 7) taking turns, as the ratio
 *      new / full with min/median/max.  The full sum compiled here runs
 *      about 1.2 times as fast as the same source did inside zeta.cpp, so
 *      this ratio is the harder one; the program against itself before
 *      the change is bench/zeta/speed.sh's, with the target of 0.6.
 * usage: zetacheck [POINTS [ROUNDS [SEED]]]; exit status 1 if any value
 * differs.
 */
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "formulas/formulas.h"
#include "tests/formulas/zetareference.h"

namespace {

volatile double sink;

/* CPU seconds to evaluate f at every point. */
template <class F>
double cputime(const std::vector<complex> &points, F f)
{
    std::clock_t start = std::clock();
    double total = 0.0;
    for (complex z : points) {
        complex w = f(z);
        total += w.re;
    }
    sink = total;
    return (double)(std::clock() - start) / CLOCKS_PER_SEC;
}

complex fast(complex z)
{
    complex w;
    zeta(z.re, z.im, &w.re, &w.im);
    return w;
}

}

int main(int argc, char **argv)
{
    size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    uint32_t seed = argc > 3 ? (uint32_t)std::strtoul(argv[3], nullptr, 10) : 2026;
    fillfactorial();

    using zetareference::KINDS;
    std::vector<int> kinds;
    std::vector<complex> points = zetareference::points(count, seed, &kinds);
    size_t differ = 0, laurent = 0, finite = 0, perkind[KINDS] = {}, differkind[KINDS] = {};
    for (size_t k = 0; k < points.size(); k++) {
        complex z = points[k];
        complex full = zetareference::zeta(z);
        perkind[kinds[k]]++;
        if (!zetareference::samebits(fast(z), full)) {
            differkind[kinds[k]]++;
            if (++differ <= 10)
                std::printf("differs at %.17g %+.17gi\n", z.re, z.im);
        }
        laurent += z.re <= 2.0;
        finite += std::isfinite(full.re) && std::isfinite(full.im);
    }
    for (int kind = 0; kind < KINDS; kind++)
        std::printf("%-32s %8zu points, %zu differ\n", zetareference::kindname[kind],
                    perkind[kind], differkind[kind]);
    std::printf("%zu points (%zu by the Laurent series, %zu with a finite value): "
                "%zu differ from the full sum\n", count, laurent, finite, differ);

    const IMAGE &v = im[27];
    std::vector<complex> grid;
    for (int row = 0; row < 400; row++)
        for (int column = 0; column < 400; column++)
            grid.push_back({v.xmin + (v.xmax - v.xmin) * (column + 0.5) / 400,
                            v.ymax - (v.ymax - v.ymin) * (row + 0.5) / 400});
    std::vector<double> ratios;
    for (int k = 0; k < rounds; k++) {
        double full = 0.0, skipping = 0.0;
        if (k % 2 == 0) {
            full = cputime(grid, zetareference::zeta);
            skipping = cputime(grid, fast);
        } else {
            skipping = cputime(grid, fast);
            full = cputime(grid, zetareference::zeta);
        }
        std::printf("round %d: full sum %.3f s, skipping %.3f s, ratio %.3f\n", k + 1, full,
                    skipping, skipping / full);
        ratios.push_back(skipping / full);
    }
    if (!ratios.empty()) {
        std::sort(ratios.begin(), ratios.end());
        std::printf("zeta over formula 27's view, new / full: min %.3f median %.3f max %.3f "
                    "(the full sum as compiled here)\n", ratios.front(), ratios[ratios.size() / 2],
                    ratios.back());
    }
    return differ == 0 ? 0 : 1;
}
