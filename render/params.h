/*
 * params.h - the bounds of the settings the user types in: the checks and
 * clamps of the Parameters dialog, and the clamp of the abs(w) limit of the
 * debug dialog.  Free of any user interface, so the window program and the
 * command-line tool apply exactly the same rules.
 *
 * Each check returns -1 when the value is accepted, otherwise the index of
 * its text in paramerror.  A NaN (the text "nan") is never accepted as
 * within a range: the checks refuse it and the clamps replace it.
 */
#ifndef LUMO_PARAMS_H
#define LUMO_PARAMS_H

enum { NPARAMERRORS = 10 };

/* The texts of the "Parameter Error" message box. */
extern const char *const paramerror[NPARAMERRORS];

/* The largest view of formula f: x in xlow .. xhigh, y in ylow .. yhigh.
   The built-ins have -20 .. 20 (x from -30 for formulas 27..29); the typed
   function of formula 30, accurate far out, has -1e6 .. 1e6 both ways. */
struct VIEWBOUNDS {
    double xlow, xhigh, ylow, yhigh;
};
VIEWBOUNDS viewbounds(int f);

/* Whether a range a < b of formula f is wide enough.  The built-ins need
   b - a >= 1e-8.  Formula 30 needs b - a >= 1e-12 max(1, |a|, |b|): down
   to a millionth of a millionth of the centre's magnitude, where a
   600-pixel row still has several doubles between its columns. */
int wideenough(int f, double a, double b);

/* x range of formula f: swaps a > b, clamps a up to xlow and b down to
   xhigh (viewbounds), then needs it wide enough (error 0, or 8 for formula
   30).  a and b come back swapped and clamped; the caller stores them when
   accepted. */
int checkxrange(int f, double *a, double *b);

/* y range: the same with ylow .. yhigh (error 1, or 9 for formula 30). */
int checkyrange(int f, double *a, double *b);

/* Image width or height, 32 .. 9600 (error 2). */
int checkresolution(long value);

/* Fractal parameters: iteration limit 1 .. 1024 (error 3), bailout
   2.0 .. 64.0 (error 4), exponent 1.0 .. 12.0 (error 5). */
int checkmaxiter(long value);
int checkmaxsize(double value);
int checkexponent(double value);

/* A part of the Julia constant, clamped into -20 .. 20; never an error. */
double clampjulia(double value);

/* Square-grid line width 0.01 .. 0.1 (error 6) and extent 2 .. 50
   (error 7). */
int checkgridwidth(double value);
int checkgridextent(long value);

/* The abs(w) limit of the debug dialog, clamped into 0.1 .. 500. */
double clampabslimit(double value);

#endif
