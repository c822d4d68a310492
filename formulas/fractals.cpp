/*
 * fractals.cpp - the three escape-time fractals: the Mandelbrot and Julia
 * sets of z -> z^exponent + c, and the orbit of the gamma function.
 *
 * They read the record fr[formula] and greyflag.  With greyflag 0 they
 * always return 0 and w is the last iterate; otherwise an escaped point
 * returns its escape count n > 0 and the renderer colours it from n.
 */
#include <cmath>

#include "formulas/formulas.h"
#include "formulas/helpers.h"

/* Iterates z -> z^exponent + c from z until |z| > maxsize or maxiter steps
   are done; at least one step is always made.  A whole-number exponent is
   applied by repeated multiplication, decided once per call. */
static int escape(complex z, complex c, double *wx, double *wy)
{
    const FRACTAL *f = &fr[formula];
    int fast = 0;
    int expint = 0;
    if (f->exponent - std::floor(f->exponent) == 0.0) {
        fast = 1;
        expint = (int)f->exponent;
    }
    double size = 0.0;
    int n = 0;
    while (size <= f->maxsize && n < f->maxiter) {
        if (fast) {
            complex ztemp = z;
            for (int k = 1; k < expint; k++)
                z *= ztemp;
            z = z + c;
        } else {
            z = pow(z, f->exponent) + c;
        }
        size = abs(z);
        n = n + 1;
    }
    storew(z, wx, wy);
    if (size > f->maxsize && greyflag != 0)
        return n;
    return 0;
}

/* Mandelbrot set: c is the point, z starts at 0. */
int M_set(double zx, double zy, double *wx, double *wy)
{
    return escape(complex{0.0, 0.0}, complex{zx, zy}, wx, wy);
}

/* Julia set: z starts at the point, c is the record's Julia constant. */
int J_set(double zx, double zy, double *wx, double *wy)
{
    const FRACTAL *f = &fr[formula];
    return escape(complex{zx, zy}, complex{f->jcx, f->jcy}, wx, wy);
}

/* The orbit of gamma from the point (raised to the exponent first when it
   is above 1).  Before each step the point is kept inside the square
   |Re|, |Im| < 57 - by shrinking it, or, with greyflag set, by returning 1
   at once without writing w - and lifted off the real axis, where gamma
   has its poles, by one pixel height yside / yres. */
int gamma_fractal(double zx, double zy, double *wx, double *wy)
{
    const FRACTAL *f = &fr[formula];
    double size = 0.0;
    int n = 0;
    if (f->exponent > 1.0) {
        complex p = pow(complex{zx, zy}, f->exponent);
        zx = p.re;
        zy = p.im;
    }
    while (size <= f->maxsize && n < f->maxiter) {
        while (std::fabs(zx) >= 57.0 || std::fabs(zy) >= 57.0) {
            if (greyflag != 0)
                return 1;
            if (std::isinf(zx) || std::isinf(zy)) {
                /* No shrink brings infinity into the square: the point
                   stands for itself. */
                *wx = zx;
                *wy = zy;
                return 0;
            }
            zx = 0.95 * zx;
            zy = 0.95 * zy;
        }
        if (zy == 0.0)
            zy = yside / yres;
        gamma(zx, zy, wx, wy);
        zx = *wx;
        zy = *wy;
        size = std::sqrt(*wx * *wx + *wy * *wy);
        n = n + 1;
    }
    if (size > f->maxsize && greyflag != 0)
        return n;
    return 0;
}
