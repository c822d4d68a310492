/*
 * parallel.cpp - renderimage (see parallel.h).
 *
 * The rows are a render job (render/renderjob.h) that every thread works
 * on: rows are handed out one at a time from a shared counter, so threads
 * that meet slow rows (zeta near its critical strip, deep fractal orbits)
 * do not hold the others up.  The parts of a render that depend on row
 * order (the real-axis graph, the |w| report) then run on this thread, in
 * order, exactly as driver() runs them.
 */
#include "cli/parallel.h"

#include <chrono>
#include <cstdio>
#include <system_error>
#include <thread>
#include <vector>

#include "common/platform.h"
#include "render/driver.h"
#include "render/renderjob.h"
#include "render/settings.h"

typedef std::chrono::steady_clock CLOCK;

/* Rewrites the progress line, once the render has run for a second and
   whenever the percentage changes. */
static void showprogress(CLOCK::time_point start, int done, int *shown)
{
    static int lastpercent = -1;
    int percent = (int)(100.0 * done / yres);
    if (CLOCK::now() - start < std::chrono::seconds(1) || (*shown && percent == lastpercent))
        return;
    std::fprintf(stderr, "\rrendering: %3d %% (%d of %d rows)", percent, done, yres);
    std::fflush(stderr);
    lastpercent = percent;
    *shown = 1;
}

/* Ends the progress line, if one was shown. */
static void endprogress(int shown)
{
    if (shown)
        std::fprintf(stderr, "\rrendering: 100 %% (%d of %d rows)\n", yres, yres);
}

void renderimage(int nthreads, int progress)
{
    CLOCK::time_point start = CLOCK::now();
    int shown = 0;
    okrender = 1;
    j = 0;
    cross = cursor_wait();
    RENDERJOB job;
    if (job_begin(&job) != 0) {
        std::fprintf(stderr, "lumo: not enough memory for %d rows\n", yres);
        okrender = 0;
        return;
    }

    std::vector<std::thread> threads;
    threads.reserve((size_t)nthreads);
    /* Rows go to whoever asks next, so the render is the same with fewer
       threads; this one does the rows itself when none could start. */
    try {
        for (int t = 0; t < (nthreads < 1 ? 1 : nthreads); t++)
            threads.emplace_back(job_work, &job);
    } catch (const std::system_error &) {
        std::fprintf(stderr, "lumo render: note: only %d of %d threads could be started\n",
                     (int)threads.size(), nthreads);
    }
    if (threads.empty())
        job_work(&job);
    while (progress && job.rowsdone.load() < yres) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        showprogress(start, job.rowsdone.load(), &shown);
    }
    for (std::thread &t : threads)
        t.join();
    endprogress(shown);
    job_end(&job);
}
