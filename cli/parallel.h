/*
 * parallel.h - rendering the whole current image at once, its rows spread
 * over several threads, into the in-memory surface.
 */
#ifndef LUMO_CLI_PARALLEL_H
#define LUMO_CLI_PARALLEL_H

/* Renders the current settings with nthreads threads.  The surface ends
   up exactly as driver() leaves it.  With progress set, a progress line on standard error is kept up to
   date once the render has taken more than a second. */
void renderimage(int nthreads, int progress);

#endif
