/*
 * projectedrows.h - the render job's rows for the sphere and the
 * landscape (renderjob.cpp hands them out; sphere.h and landscape.h have
 * the geometry).
 */
#ifndef LUMO_PROJECTEDROWS_H
#define LUMO_PROJECTEDROWS_H

struct RENDERJOB;
struct ROWSCRATCH;

/* One row of the sphere into the surface, and its largest |w|. */
void sphere_row(RENDERJOB *job, int row, ROWSCRATCH *scratch);

/* The landscape's grid memory, once the job's settings are taken; returns
   1 when it cannot be had, 0 otherwise (and for other projections). */
int landscape_begin(RENDERJOB *job);

/* Task `task` of a landscape: a grid row below yres, a picture column
   after; returns task, or -1 when none is left.  A column waits until
   every grid row is done (they are all being computed by then); the last
   column marks every picture row done. */
int landscape_task(RENDERJOB *job, int task, ROWSCRATCH *scratch);

#endif
