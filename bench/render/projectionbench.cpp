/*
 * projectionbench.cpp - the render time of the sphere and the landscape
 * against the plane of the same size and function, in one process (no
 * program start, no save): the three take turns, ROUNDS times, on all
 * hardware threads, so that all meet the same disturbance of a shared
 * machine.  Prints min / median / max of each, of each round's ratio, and
 * the ratio of the best times, beside the targets (sphere <= 1.1 x plane,
 * landscape <= 3 x the plane of its grid).
 *
 * usage: projectionbench [ROUNDS [SIZE...]]   (default 9 rounds, 600 2000)
 *        formulas 3 (w = z, the cheapest), 9 (a rational function), 20
 *        (gamma)
 */
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/projection.h"
#include "render/renderjob.h"
#include "render/settings.h"

namespace {

double seconds(int kind, int threads)
{
    projection = defaultprojection();
    projection.kind = kind;
    projection.shade = defaultshade(kind);
    okrender = 1;
    j = 0;
    auto start = std::chrono::steady_clock::now();
    RENDERJOB job;
    if (job_begin(&job) != 0)
        std::exit(1);
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; t++)
        workers.emplace_back(job_work, &job);
    job_work(&job);
    for (std::thread &t : workers)
        t.join();
    job_end(&job);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void summary(const char *what, std::vector<double> v, const char *unit)
{
    std::sort(v.begin(), v.end());
    std::printf("  %-20s %.3f / %.3f / %.3f%s\n", what, v.front(), v[v.size() / 2], v.back(), unit);
}

}  // namespace

int main(int argc, char **argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 9;
    std::vector<int> sizes;
    for (int k = 2; k < argc; k++)
        sizes.push_back(std::atoi(argv[k]));
    if (sizes.empty())
        sizes = {600, 2000};
    int threads = (int)std::thread::hardware_concurrency();
    threads = threads < 1 ? 1 : threads;
    fillfactorial();
    initsettings();
    headless_messagestream(nullptr);
    const char *names[3] = {"plane", "sphere", "landscape"};
    const double targets[3] = {0, 1.1, 3.0};
    for (int size : sizes) {
        if (headless_createsurface(size, size) != 0)
            return 1;
        for (int f : {3, 9, 20}) {
            formula = f;
            InitFormula(f);
            xres = yres = size;
            graphflag = 0;
            std::vector<double> t[3], ratio[3];
            for (int r = 0; r < rounds; r++) {
                for (int kind = 0; kind < 3; kind++)
                    t[kind].push_back(seconds(kind, threads));
                for (int kind = 1; kind < 3; kind++)
                    ratio[kind].push_back(t[kind].back() / t[0].back());
            }
            std::printf("== formula %d, %d x %d, %d threads, %d rounds: min / median / max\n", f, size, size,
                        threads, rounds);
            for (int kind = 0; kind < 3; kind++)
                summary(names[kind], t[kind], " s");
            for (int kind = 1; kind < 3; kind++) {
                summary(kind == 1 ? "sphere / plane" : "landscape / plane", ratio[kind], "");
                double best = *std::min_element(t[kind].begin(), t[kind].end()) /
                              *std::min_element(t[0].begin(), t[0].end());
                std::printf("  %-20s %.2f (target <= %.1f)%s\n", "best against best", best, targets[kind],
                            best <= targets[kind] ? "" : "  OVER");
            }
            std::fflush(stdout);
        }
        headless_freesurface();
    }
    return 0;
}
