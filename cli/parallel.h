/*
 * parallel.h - rendering the whole current image at once, its rows spread
 * over several threads, into the in-memory surface.
 */
#ifndef LUMO_CLI_PARALLEL_H
#define LUMO_CLI_PARALLEL_H

/* One render in progress.  The thread that begins it (the owner) is one of
   its nthreads threads: it computes rows itself whenever it waits. */
struct RENDERRUN;

/* Starts rendering the current settings on nthreads threads.  With
   progress set (standard error is a terminal), a progress line on
   standard error - a bar, the rows done, the time taken and an estimate
   of the time left - is kept up to date once the render has taken more
   than a second, by a thread of its own.  Returns null, with the reason
   on standard error, when the render's memory cannot be had. */
RENDERRUN *render_begin(int nthreads, int progress);

/* Owner: returns 0 once row `row` and every row above it are in the
   surface and have had their graph step, so that a save can take them
   while the rows below are still being rendered; 1 when they never will
   be, as a row could not have its memory (the render stopped). */
int render_awaitrow(RENDERRUN *run, int row);

/* Owner: finishes the rows, ends the render and frees the run.  The
   surface ends up exactly as driver() leaves it, and *seconds holds the
   time from render_begin to the moment the last row was done.  Returns 0,
   or 1 when a row could not have its memory: the render then stopped
   there, without its report. */
int render_end(RENDERRUN *run, double *seconds);

#endif
