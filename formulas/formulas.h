/*
 * formulas.h - the function table and the 31 functions of one complex
 * variable.
 *
 * Every entry has the same shape: it evaluates w = f(zx + i*zy), stores
 * Re w through wx and Im w through wy, and returns 0 - or, for the three
 * escape-time fractals only, a positive escape count.  Functions keep no
 * state between calls and may be called from several threads at once.
 */
#ifndef LUMO_FORMULAS_H
#define LUMO_FORMULAS_H

#include "render/settings.h"

typedef int (*FORMULA)(double zx, double zy, double *wx, double *wy);

/* The table, indexed by the formula number 0..30, and the label that the
   formula dialog shows beside each number. */
extern const FORMULA fpointer[NFORMULAS];
extern const char *const formulalabel[NFORMULAS];
/* The note the formula dialog shows beside formula 26. */
extern const char productnote[];

/* Escape-time fractals (read fr[formula], greyflag, yside, yres). */
int M_set(double zx, double zy, double *wx, double *wy);
int J_set(double zx, double zy, double *wx, double *wy);
int gamma_fractal(double zx, double zy, double *wx, double *wy);

/* Closed-form functions. */
int color_wheel(double zx, double zy, double *wx, double *wy);
int Eq1(double zx, double zy, double *wx, double *wy);
int Eq2(double zx, double zy, double *wx, double *wy);
int Eq3(double zx, double zy, double *wx, double *wy);
int Eq4(double zx, double zy, double *wx, double *wy);
int Eq5(double zx, double zy, double *wx, double *wy);
int Eq6(double zx, double zy, double *wx, double *wy);
int Eq7(double zx, double zy, double *wx, double *wy);
int Eq8(double zx, double zy, double *wx, double *wy);
int Eq9(double zx, double zy, double *wx, double *wy);
int Eq10(double zx, double zy, double *wx, double *wy);
int Eq11(double zx, double zy, double *wx, double *wy);
int Eq12(double zx, double zy, double *wx, double *wy);
int sine(double zx, double zy, double *wx, double *wy);
int Eq13(double zx, double zy, double *wx, double *wy);
int Eq14(double zx, double zy, double *wx, double *wy);
int Eq15(double zx, double zy, double *wx, double *wy);
int Eq16(double zx, double zy, double *wx, double *wy);
int Eq17(double zx, double zy, double *wx, double *wy);
int Eq18(double zx, double zy, double *wx, double *wy);
/* The fixed function formula 30 showed before it took a typed text; the
   default text gives its values. */
int custom(double zx, double zy, double *wx, double *wy);
/* Formula 30: the current typed function, one point (expr/custom.cpp). */
int typedfunction(double zx, double zy, double *wx, double *wy);

/* Gamma functions. */
int gamma(double zx, double zy, double *wx, double *wy);
int log_gamma(double zx, double zy, double *wx, double *wy);

/* Zeta function and series (product reads yside and yres). */
int Lambert(double zx, double zy, double *wx, double *wy);
int product(double zx, double zy, double *wx, double *wy);
int zeta(double zx, double zy, double *wx, double *wy);
int iterated_zeta(double zx, double zy, double *wx, double *wy);
int log_zeta(double zx, double zy, double *wx, double *wy);

/* Tables of the zeta function.  factorial holds n! for n = 0..170 (the
   rest 0) once fillfactorial has run, which also works out the constant
   coefficients of zeta's two series; start-up code calls it once before
   the first render, and zeta is only right after it. */
extern double factorial[201];
extern const double Stieltjes[201];
void fillfactorial();

#endif
