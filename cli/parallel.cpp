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
#include <vector>

#include "cli/system.h"
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

/* A worker thread: rows of the job until none are left. */
static void jobworker(void *job)
{
    job_work((RENDERJOB *)job);
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

    int wanted = nthreads < 1 ? 1 : nthreads;
    std::vector<void *> args((size_t)wanted, &job);
    /* Rows go to whoever asks next, so the render is the same with fewer
       threads; this one does the rows itself when none could start. */
    WORKERS *workers = workers_start(wanted, jobworker, args.data());
    int started = workers_count(workers);
    if (started < wanted)
        std::fprintf(stderr, "lumo render: note: only %d of %d threads could be started\n",
                     started, wanted);
    if (started == 0)
        job_work(&job);
    while (progress && job.rowsdone.load() < yres) {
        system_sleepms(50);
        showprogress(start, job.rowsdone.load(), &shown);
    }
    workers_join(workers);
    endprogress(shown);
    job_end(&job);
}
