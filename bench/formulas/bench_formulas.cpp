/*
 * bench_formulas.cpp - time per evaluation of each formula, over a fixed
 * 64 x 64 grid of points inside the formula's built-in view (the points a
 * small render of the default picture meets), with the built-in fractal
 * parameters and domain colouring.  One benchmark iteration is one
 * evaluation, so the Time column reads directly as time per evaluation.
 *
 * Targets: closed-form formulas under 150 ns, gamma under 400 ns, zeta
 * under 6 us.
 */
#include <vector>

#include <benchmark/benchmark.h>

#include "formulas/formulas.h"

namespace {

enum { GRID = 64 };

/* The grid of the formula's view, row by row from the top, each point in
   the middle of its cell as a render places it. */
std::vector<double> gridof(int f)
{
    const IMAGE &v = im[f];
    std::vector<double> points;
    for (int row = 0; row < GRID; row++) {
        for (int column = 0; column < GRID; column++) {
            points.push_back(v.xmin + (v.xmax - v.xmin) * (column + 0.5) / GRID);
            points.push_back(v.ymax - (v.ymax - v.ymin) * (row + 0.5) / GRID);
        }
    }
    return points;
}

void evaluate(benchmark::State &state)
{
    int f = (int)state.range(0);
    fillfactorial();
    formula = f;
    greyflag = 0;
    yres = 600;
    yside = im[f].ymax - im[f].ymin;
    std::vector<double> points = gridof(f);
    const FORMULA function = fpointer[f];
    size_t k = 0;
    for (auto _ : state) {
        double wx = 0.0, wy = 0.0;
        int result = function(points[k], points[k + 1], &wx, &wy);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(wx);
        benchmark::DoNotOptimize(wy);
        k += 2;
        if (k == points.size())
            k = 0;
    }
    state.SetLabel(formulalabel[f]);
}

}

BENCHMARK(evaluate)->DenseRange(0, NFORMULAS - 1)->ArgName("formula");

BENCHMARK_MAIN();
