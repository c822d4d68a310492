/*
 * bench_expr.cpp - a typed function against the built-in it imitates: one
 * thread renders every row (evaluation and colouring, as in a render) of a
 * 2000 x 2000 image of the built-in's view, the built-in and the typed
 * text taking turns, RUNS times each.  Printed: min/median/max seconds of
 * each and of the ratio typed / built-in within each turn, beside the
 * target (1.25 for the labels, 4 for zeta), for the render and for the
 * evaluation of w alone (what the interpreter costs, without colouring).
 *
 * usage: bench_expr [RUNS]   (default 5)
 */
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "expr/expr.h"
#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/settings.h"

namespace {

const int SIZE = 2000;

/* Formula f (or 30 with the view and colours of f) rendered row by row,
   or with colour only evaluated; returns seconds. */
double renderrows(int f, int as, int colour)
{
    formula = as;
    InitFormula(as);
    xmin[as] = xmin[f];
    xmax[as] = xmax[f];
    ymin[as] = ymin[f];
    ymax[as] = ymax[f];
    gradient[as] = gradient[f];
    V[as] = V[f];
    squaregridflag[as] = squaregridflag[f];
    phasegridflag[as] = phasegridflag[f];
    abslimitimage[as] = abslimitimage[f];
    xres = yres = SIZE;
    xside = xmax[as] - xmin[as];
    yside = ymax[as] - ymin[as];
    std::vector<unsigned int> colors(SIZE);
    std::vector<double> wx(SIZE), wy(SIZE);
    std::vector<int> result(SIZE);
    double rowmax;
    auto start = std::chrono::steady_clock::now();
    for (int row = 0; row < SIZE; row++) {
        if (colour)
            rowcolors(row, colors.data(), &rowmax);
        else
            evaluaterow(row, wx.data(), wy.data(), result.data());
    }
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

struct SPREAD {
    double min, median, max;
};

SPREAD spread(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return SPREAD{v.front(), v[v.size() / 2], v.back()};
}

}

int main(int argc, char **argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    if (runs < 1)
        runs = 1;
    const struct {
        int formula;
        const char *text;
        double target;
    } cases[] = {
        {6, "z^3 - 1", 1.25},
        {11, "( z - 2 )^2 ( z + 1 - 2i )( z + 2 + 2i ) / z^3", 1.25},
        {16, "sin( z )", 1.25},
        {24, "exp [ 2z ] / ( z - 1 )^2", 1.25},
        {27, "zeta(z)", 4.0},
    };
    fillfactorial();
    initsettings();
    headless_messagestream(nullptr);
    std::printf("one thread, %d x %d, %d runs; seconds min/median/max\n", SIZE, SIZE, runs);
    std::printf("%-16s %-23s  %-23s  %-17s  %s\n", "formula", "built-in", "typed", "ratio typed/built-in",
                "target");
    for (const auto &c : cases) {
        if (!setcustomtext(c.text, nullptr))
            return 1;
        for (int colour = 1; colour >= 0; colour--) {
            std::vector<double> builtin, typed, ratio;
            for (int k = 0; k < runs; k++) {
                builtin.push_back(renderrows(c.formula, c.formula, colour));
                typed.push_back(renderrows(c.formula, 30, colour));
                ratio.push_back(typed.back() / builtin.back());
            }
            SPREAD b = spread(builtin), t = spread(typed), r = spread(ratio);
            std::printf("%-8d %-7s %7.3f/%7.3f/%7.3f  %7.3f/%7.3f/%7.3f  %5.2f/%5.2f/%5.2f  %s  %s\n",
                        c.formula, colour ? "render" : "w only", b.min, b.median, b.max, t.min,
                        t.median, t.max, r.min, r.median, r.max,
                        colour ? (c.target == 4.0 ? "<= 4.00" : "<= 1.25") : "       ", c.text);
            std::fflush(stdout);
        }
    }
    return 0;
}
