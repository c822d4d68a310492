/*
 * driver.h - the renderer: maps every pixel of the xres x yres image to a
 * point z of the view, evaluates the current formula there and colours the
 * pixel from w, one row per call of driver().
 *
 * The pieces of a render are also available one by one, so that a caller
 * with threads (the command-line tool) can compute rows in parallel and
 * still leave exactly the picture that driver() leaves row by row:
 * renderstart, then rowcolors for every row (any order, any thread), the
 * pixels written, then rowgraph for every row in order, then renderend.
 */
#ifndef LUMO_DRIVER_H
#define LUMO_DRIVER_H

/* Largest image width the renderer's row buffer holds. */
enum { MAXRES = 9600 };

/* Largest finite |w| of the current render (tracked while
   displaylimitflag is set). */
extern double absmax;
/* The cursor to restore when the render ends or is aborted: the one the
   wait cursor last replaced. */
extern void *cross;

/* Computes and shows row j, advances j, and ends the render after the last
   row.  Needs okrender set and the settings left alone until the render
   ends.  Returns 0. */
int driver();

/* The start of a render: view size, graph decision, cleared window and
   image. */
void renderstart();
/* The imaginary part of row `row` and the real part of column i. */
double rowy(int row);
double columnx(int i);
/* w and the formula's result code at the xres points of row `row`: the
   formula's function point by point, or for the typed function its
   program over the whole row.  Reads only settings; safe to call from
   several threads at once. */
void evaluaterow(int row, double *wx, double *wy, int *result);
/* The colour values (r + 256 g + 65536 b) of the xres pixels of one row,
   and the largest |w| among them below the tracking limit (0 if none).
   Reads only settings; safe to call from several threads at once. */
void rowcolors(int row, unsigned int *colors, double *rowmax);
/* The real-axis graph's part of one row; rows must come in order. */
void rowgraph(int row);
/* The end of a render: the |w| report, the graph shown, the render state
   cleared, the cursor restored and the pointer moved to (100, 100). */
void renderend();

#endif
