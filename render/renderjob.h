/*
 * renderjob.h - one render as an explicit job: the settings it reads,
 * taken when it starts, the rows still to do, and the rows done.
 *
 * Any number of threads may run job_work on the same job; each takes the
 * next row from a shared counter, evaluates and colours it from the job's
 * own settings and writes it into the surface.  The thread that started
 * the job (the owner) alone calls job_begin, job_advance, job_abort and
 * job_end: they run what depends on row order (the real-axis graph, the
 * largest |w|) and talk to the window.
 *
 * The formulas and the colour maps read their parameters (fr[], greyflag,
 * the colour maps, the grids, GW, GP, abslimitimage) from the settings
 * globals.  Only the front end writes those, through commands that are all
 * ignored while a render runs, so they hold still for the whole job; the
 * view, the sizes and the flags a row needs come from the job itself.
 */
#ifndef LUMO_RENDERJOB_H
#define LUMO_RENDERJOB_H

#include <atomic>
#include <memory>

#include "expr/expr.h"
#include "render/projection.h"

/* The settings of one render, as they were at its start. */
struct RENDERSETTINGS {
    int formula;
    int xres, yres;
    double xmin, xmax, ymin, ymax;
    double xside, yside;
    int displaylimitflag;
    /* The values of formula 30's parameters (customparams). */
    EXPRPARAMS params;
    /* Plane, sphere or landscape, with their settings. */
    PROJECTION projection;
};

struct RENDERJOB {
    RENDERSETTINGS s;
    std::atomic<int> nextrow{0};
    std::atomic<int> stop{0};
    std::atomic<int> rowsdone{0};
    /* Set, with stop, when a row could not have the memory it needs
       (std::bad_alloc): that row is never done. */
    std::atomic<int> nomemory{0};
    /* done[row] is set once the row's pixels are in the surface. */
    std::unique_ptr<std::atomic<unsigned char>[]> done;
    /* The largest |w| of each row below the tracking limit. */
    std::unique_ptr<double[]> rowmax;
    /* Rows 0..shown-1 are done and have had their graph step (owner). */
    int shown = 0;
    /* The landscape's grid, made by its first yres tasks: world heights
       and plane colours of the view's points, row by row.  Its picture
       columns follow, and its rows are done together once the last
       column is drawn. */
    std::unique_ptr<float[]> gridheight;
    std::unique_ptr<unsigned int[]> gridcolour;
    std::atomic<int> gridrowsdone{0};
    std::atomic<int> columnsdone{0};
};

/* The settings as they are now. */
RENDERSETTINGS rendersettings();

/* The imaginary part of row `row` and the real part of column i. */
double settings_rowy(const RENDERSETTINGS *s, int row);
double settings_columnx(const RENDERSETTINGS *s, int i);

/* The values of the xres points of one row: w and the formula's escape
   count, one entry per column.  Every thread may call it. */
void evaluaterow(const RENDERSETTINGS *s, int row, double *wx, double *wy, int *result);

/* The values of n points (x[k], y[k]), evaluated as evaluaterow
   evaluates its points. */
void evaluatepoints(const RENDERSETTINGS *s, int n, const double *x, const double *y, double *wx, double *wy,
                    int *result);

/* The value at one pixel, (column i, row row), evaluated as evaluaterow
   evaluates it, so that a readout at a pixel matches its colour. */
int evaluatepoint(const RENDERSETTINGS *s, int i, int row, double *wx, double *wy);

/* The colour values (r + 256 g + 65536 b) of a row from its evaluated
   points, and the largest |w| among them below the tracking limit (0 if
   none). */
void colourrow(const RENDERSETTINGS *s, const double *wx, const double *wy, const int *result,
               unsigned int *colors, double *rowmax);
/* The same for n values. */
void colourpoints(const RENDERSETTINGS *s, int n, const double *wx, const double *wy, const int *result,
                  unsigned int *colors, double *rowmax);

/* Scratch space of one thread for one row. */
struct ROWSCRATCH {
    std::unique_ptr<double[]> wx, wy;
    std::unique_ptr<int[]> result;
    std::unique_ptr<unsigned int[]> colors;
    /* The points of a sphere row and their depths. */
    std::unique_ptr<double[]> zx, zy, depth;
    explicit ROWSCRATCH(int xres);
};

/* Owner: takes the settings snapshot and starts the render (renderstart:
   graph decision, the surface outside the image cleared, the window
   cleared).  Returns 1 when the rows' memory cannot be had. */
int job_begin(RENDERJOB *job);

/* Any thread: computes and stores one row (a landscape: one row of its
   grid or one picture column) and returns its number, or returns -1 when
   no row is left or the job is stopped (or stops it, for want of memory:
   see nomemory). */
int job_row(RENDERJOB *job, ROWSCRATCH *scratch);
/* Any thread: job_row until it returns -1. */
void job_work(RENDERJOB *job);

/* Owner: the graph step of the rows done in order since the last call;
   returns the number of rows done in order from the top (job->shown). */
int job_advance(RENDERJOB *job);

/* Owner, once no worker runs any more: the rows not shown are filled grey
   in the surface, so it holds what the window shows. */
void job_abort(RENDERJOB *job);

/* Owner, once every row is done and advanced: the |w| report, the graph
   shown and the end of the render (renderend). */
void job_end(RENDERJOB *job);

#endif
