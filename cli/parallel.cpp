/*
 * parallel.cpp - a render spread over threads (see parallel.h).
 *
 * The rows are a render job (render/renderjob.h) that every thread works
 * on: rows are handed out one at a time from a shared counter, so threads
 * that meet slow rows (zeta near its critical strip, deep fractal orbits)
 * do not hold the others up.  The owner takes rows too while it waits for
 * the row it needs, and runs the parts of a render that depend on row order
 * (the real-axis graph, the |w| report) in order, exactly as driver() runs
 * them.  A save that reads rows as they are finished thus overlaps the
 * render instead of following it.
 */
#include "cli/parallel.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli/progress.h"
#include "cli/system.h"
#include "common/platform.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/renderjob.h"
#include "render/settings.h"

typedef std::chrono::steady_clock CLOCK;

struct RENDERRUN {
    RENDERJOB job;
    ROWSCRATCH scratch;
    WORKERS *workers = nullptr;
    CLOCK::time_point start = CLOCK::now();
    CLOCK::time_point finished;
    /* The thread that keeps the progress line up to date, if any. */
    WORKERS *ticker = nullptr;
    std::atomic<int> tickerstop{0};
    std::atomic<int> progressshown{0};
    explicit RENDERRUN(int width) : scratch(width) {}
};

static double secondssince(CLOCK::time_point start)
{
    return std::chrono::duration<double>(CLOCK::now() - start).count();
}

/* The progress thread: once the render has run for a second, it rewrites
   the progress line four times a second until it is told to stop.  A
   thread of its own, so the line moves on while every other thread is
   deep in a slow row. */
static void tick(void *arg)
{
    RENDERRUN *run = (RENDERRUN *)arg;
    double drawn = 0.0;
    while (!run->tickerstop.load()) {
        system_sleepms(50);
        double elapsed = secondssince(run->start);
        if (elapsed < 1.0 || elapsed - drawn < 0.25 || run->tickerstop.load())
            continue;
        std::fputs(("\r" + progressline(run->job.rowsdone.load(), run->job.s.yres, elapsed)).c_str(), stderr);
        std::fflush(stderr);
        if (!run->progressshown.exchange(1))
            headless_lineopen(1);
        drawn = elapsed;
    }
}

/* A worker thread: rows of the job until none are left. */
static void jobworker(void *job)
{
    job_work((RENDERJOB *)job);
}

RENDERRUN *render_begin(int nthreads, int progress)
{
    okrender = 1;
    j = 0;
    cross = cursor_wait();
    RENDERRUN *run = nullptr;
    try {
        run = new RENDERRUN(xres);
    } catch (const std::bad_alloc &) {
    }
    if (run == nullptr || job_begin(&run->job) != 0) {
        std::fprintf(stderr, "lumo: not enough memory for %d rows\n", yres);
        okrender = 0;
        delete run;
        return nullptr;
    }

    /* Rows go to whoever asks next, so the render is the same with fewer
       threads; the owner is one of them. */
    int wanted = nthreads < 1 ? 1 : nthreads;
    std::vector<void *> args((size_t)wanted - 1, &run->job);
    run->workers = workers_start(wanted - 1, jobworker, args.data());
    int started = workers_count(run->workers) + 1;
    if (started < wanted)
        std::fprintf(stderr, "lumo render: note: only %d of %d threads could be started\n",
                     started, wanted);
    if (progress) {
        void *self = run;
        run->ticker = workers_start(1, tick, &self);
    }
    return run;
}

int render_awaitrow(RENDERRUN *run, int row)
{
    RENDERJOB *job = &run->job;
    int idle = 0;
    while (job_advance(job) <= row) {
        if (job->nomemory.load())
            return 1;
        if (job_row(job, &run->scratch) >= 0) {
            idle = 0;
        } else if (++idle < 1000) {
            /* Every row is taken; another thread is finishing this one. */
            system_yield();
        } else {
            system_sleepms(1);
        }
    }
    if (job->shown == job->s.yres && run->finished == CLOCK::time_point())
        run->finished = CLOCK::now();
    return 0;
}

int render_end(RENDERRUN *run, double *seconds)
{
    int failed = 0;
    if (run->job.s.yres > 0)
        failed = render_awaitrow(run, run->job.s.yres - 1);
    else
        run->finished = CLOCK::now();
    workers_join(run->workers);
    if (run->ticker != nullptr) {
        run->tickerstop = 1;
        workers_join(run->ticker);
    }
    if (run->progressshown) {
        /* The line as it ended, and the next line for what follows. */
        double took = failed ? secondssince(run->start)
                             : std::chrono::duration<double>(run->finished - run->start).count();
        std::string last = "\r" + progressline(run->job.rowsdone.load(), run->job.s.yres, took);
        std::fputs((last + "\n").c_str(), stderr);
        headless_lineopen(0);
    }
    if (failed) {
        job_abort(&run->job);
        okrender = 0;
    } else {
        job_end(&run->job);
    }
    std::chrono::duration<double> took = run->finished - run->start;
    *seconds = took.count();
    delete run;
    return failed;
}
