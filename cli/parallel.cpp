/*
 * parallel.cpp - renderimage (see parallel.h).
 *
 * Rows are handed out one at a time from a shared counter, so threads that
 * meet slow rows (zeta near its critical strip, deep fractal orbits) do not
 * hold the others up.  Each thread colours a row with the renderer's own
 * rowcolors and writes it straight into the surface; distinct rows are
 * distinct bytes, so no locking is needed.  The parts of a render that
 * depend on row order (the real-axis graph, the |w| report) then run on
 * this thread, in order, exactly as driver() runs them.
 */
#include "cli/parallel.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

#include "cli/system.h"
#include "common/platform.h"
#include "render/driver.h"
#include "render/settings.h"

typedef std::chrono::steady_clock CLOCK;

static std::atomic<int> nextrow;
static std::atomic<int> rowsdone;

/* Colours rows until none are left; the largest |w| seen goes to
   *(double *)result. */
static void worker(void *result)
{
    double *largest = (double *)result;
    std::vector<unsigned int> colors((size_t)xres);
    double most = 0.0;
    for (;;) {
        int row = nextrow.fetch_add(1);
        if (row >= yres)
            break;
        double rowmax;
        rowcolors(row, colors.data(), &rowmax);
        if (rowmax > most)
            most = rowmax;
        for (int i = 0; i < xres; i++)
            surface_setpixel(i, row, colors[(size_t)i]);
        rowsdone.fetch_add(1);
    }
    *largest = most;
}

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

/* One thread: the render exactly as the window program runs it. */
static void renderrows(int progress)
{
    CLOCK::time_point start = CLOCK::now();
    int shown = 0;
    okrender = 1;
    j = 0;
    while (okrender) {
        driver();
        if (progress && (j & 15) == 0 && okrender)
            showprogress(start, j, &shown);
    }
    endprogress(shown);
}

void renderimage(int nthreads, int progress)
{
    if (nthreads <= 1) {
        renderrows(progress);
        return;
    }
    CLOCK::time_point start = CLOCK::now();
    int shown = 0;
    okrender = 1;
    j = 0;
    cross = cursor_wait();
    renderstart();

    nextrow = 0;
    rowsdone = 0;
    std::vector<double> largest((size_t)nthreads + 1, 0.0);
    std::vector<void *> results((size_t)nthreads);
    for (int t = 0; t < nthreads; t++)
        results[(size_t)t] = &largest[(size_t)t];
    /* Rows go to whoever asks next, so the render is the same with fewer
       threads; this one does the rows itself when none could start. */
    WORKERS *workers = workers_start(nthreads, worker, results.data());
    int started = workers_count(workers);
    if (started < nthreads)
        std::fprintf(stderr, "lumo render: note: only %d of %d threads could be started\n",
                     started, nthreads);
    if (started == 0)
        worker(&largest[(size_t)nthreads]);
    while (progress && rowsdone.load() < yres) {
        system_sleepms(50);
        showprogress(start, rowsdone.load(), &shown);
    }
    workers_join(workers);

    for (double m : largest) {
        if (displaylimitflag && m > absmax)
            absmax = m;
    }
    for (int row = 0; row < yres; row++)
        rowgraph(row);
    endprogress(shown);
    renderend();
}
