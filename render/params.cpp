/*
 * params.cpp - the checks and clamps of typed-in settings (see params.h).
 */
#include "render/params.h"

#include <cmath>

const char *const paramerror[NPARAMERRORS] = {
    "xmax must be greater than xmin\nby at least 0.00000001",
    "ymax must be greater than ymin\nby at least 0.00000001",
    "x / y resolution range: 32 - 9600",
    "maximum iteration range: 1 - 1024",
    "bailout range: 2.0 - 64.0",
    "exponent range: 1.0 - 12.0",
    "width range: 0.01 - 0.1",
    "grid plane range: 2 - 50",
    "xmax must be greater than xmin\nby at least 1e-12 of the larger of 1, |xmin| and |xmax|",
    "ymax must be greater than ymin\nby at least 1e-12 of the larger of 1, |ymin| and |ymax|",
};

/* The typed function's bounds. */
static const double TYPEDBOUND = 1e6;

VIEWBOUNDS viewbounds(int f)
{
    if (f == 30)
        return VIEWBOUNDS{-TYPEDBOUND, TYPEDBOUND, -TYPEDBOUND, TYPEDBOUND};
    double xlow = (f >= 27 && f <= 29) ? -30.0 : -20.0;
    return VIEWBOUNDS{xlow, 20.0, -20.0, 20.0};
}

int wideenough(int f, double a, double b)
{
    if (f != 30)
        return b - a >= 1e-8;
    double scale = std::fabs(a) > std::fabs(b) ? std::fabs(a) : std::fabs(b);
    if (!(scale > 1.0))
        scale = 1.0;
    return b - a >= 1e-12 * scale;
}

/* Orders, clamps and tests one view range; error is returned when the
   range is too narrow. */
static int checkrange(int f, double *a, double *b, double low, double high, int error)
{
    if (*a > *b) {
        double t = *a;
        *a = *b;
        *b = t;
    }
    if (!(*a >= low))
        *a = low;
    if (*b > high)
        *b = high;
    if (!wideenough(f, *a, *b))
        return error;
    return -1;
}

int checkxrange(int f, double *a, double *b)
{
    VIEWBOUNDS bounds = viewbounds(f);
    return checkrange(f, a, b, bounds.xlow, bounds.xhigh, f == 30 ? 8 : 0);
}

int checkyrange(int f, double *a, double *b)
{
    VIEWBOUNDS bounds = viewbounds(f);
    return checkrange(f, a, b, bounds.ylow, bounds.yhigh, f == 30 ? 9 : 1);
}

/* Image width or height. */
int checkresolution(long value)
{
    return (value < 32 || value > 9600) ? 2 : -1;
}

/* Iteration limit of the fractals. */
int checkmaxiter(long value)
{
    return (value < 1 || value > 1024) ? 3 : -1;
}

/* Bailout modulus of the fractals. */
int checkmaxsize(double value)
{
    return (value >= 2.0 && value <= 64.0) ? -1 : 4;
}

/* Exponent of the fractals. */
int checkexponent(double value)
{
    return (value >= 1.0 && value <= 12.0) ? -1 : 5;
}

/* One part of the Julia constant; out-of-range values are clamped, never
   refused.  A NaN ("nan" typed in) counts as 0, like any other text that
   is not a number. */
double clampjulia(double value)
{
    if (value != value)
        return 0.0;
    if (value < -20.0)
        return -20.0;
    if (value > 20.0)
        return 20.0;
    return value;
}

/* Square-grid line width. */
int checkgridwidth(double value)
{
    return (value >= 0.01 && value <= 0.1) ? -1 : 6;
}

/* Square-grid extent. */
int checkgridextent(long value)
{
    return (value < 2 || value > 50) ? 7 : -1;
}

/* Anything not >= 0.1, text that read as 0 or a NaN included, becomes
   0.1. */
double clampabslimit(double value)
{
    if (!(value >= 0.1))
        return 0.1;
    if (value > 500.0)
        return 500.0;
    return value;
}
