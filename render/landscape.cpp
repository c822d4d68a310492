/*
 * landscape.cpp - the analytic landscape (see landscape.h).
 *
 * All rays of one picture column lie in one vertical plane (the camera's
 * right vector is horizontal), which cuts the grid along a line.  A ray
 * whose picture coordinate is v (up from the picture's middle) stands, at
 * distance t along that line, at height (v - t sin EL) / cos EL above the
 * camera's aim; it meets a grid square that spans t_in..t_out with height
 * h when v <= t_out sin EL + (h - middle) cos EL.  So walking the squares
 * the line crosses from front to back, each square takes the pixels still
 * free from the bottom up to that bound: the first square every ray meets,
 * and a peak hides what lies behind it.  The walk costs one step a square,
 * and one a pixel.
 */
#include "render/landscape.h"

#include <cmath>

#include "render/projection.h"
#include "render/sphere.h"
#include "render/steadymath.h"

/* The light: from the upper left of a picture seen from AZ = 0, 45 degrees
   up; the share of light every face gets. */
static const double LIGHT[3] = {-0.5, 0.5, 0.7071067811865476};
static const double AMBIENT = 0.35;

void landscapeview(const PROJECTION *p, int w, int h, LANDSCAPEVIEW *v)
{
    v->w = w;
    v->h = h;
    steady_sincosdeg(p->azimuth, &v->sa, &v->ca);
    steady_sincosdeg(p->elevation, &v->se, &v->ce);
    /* The heights span half the picture's smaller side. */
    double range = p->heightmode == HEIGHT_LOG ? 2.0 * p->heightlimit : p->heightlimit;
    v->scale = 0.5 * (w < h ? w : h) / range;
    v->floor = p->heightmode == HEIGHT_LOG ? -p->heightlimit * v->scale : 0.0;
    v->middle = p->heightmode == HEIGHT_LOG ? 0.0 : 0.5 * p->heightlimit * v->scale;
    v->shade = p->shade;
}

/* ln x for a finite x > 0 from + - * / only, so every build agrees:
   x = m 2^e with m in [0.707, 1.414), ln m = 2 atanh(t) for
   t = (m - 1) / (m + 1), |t| < 0.172, whose series to t^13 leaves an
   error below 1e-13 - far below the float a height is kept in. */
static double steadylog(double x)
{
    int e;
    double m = std::frexp(x, &e);
    if (m < 0.7071067811865476) {
        m *= 2.0;
        e -= 1;
    }
    double t = (m - 1.0) / (m + 1.0), t2 = t * t;
    double p = 0.07692307692307693;
    p = 0.09090909090909091 + t2 * p;
    p = 0.1111111111111111 + t2 * p;
    p = 0.14285714285714285 + t2 * p;
    p = 0.2 + t2 * p;
    p = 0.3333333333333333 + t2 * p;
    p = 1.0 + t2 * p;
    return e * 0.6931471805599453 + 2.0 * t * p;
}

/* ln |w| of a w that is a number, from |w|^2 where that neither
   underflows nor overflows, else from w scaled by its larger part. */
static double logmodulus(double wx, double wy)
{
    double m2 = wx * wx + wy * wy;
    if (m2 > 1e-300 && m2 < 1e300)
        return 0.5 * steadylog(m2);
    double big = std::fabs(wx) > std::fabs(wy) ? std::fabs(wx) : std::fabs(wy);
    if (big == 0.0 || std::isinf(big))
        return big == 0.0 ? -HUGE_VAL : HUGE_VAL;
    double a = wx / big, b = wy / big;
    return steadylog(big) + 0.5 * steadylog(a * a + b * b);
}

double landscapeheight(const PROJECTION *p, double wx, double wy)
{
    double limit = p->heightlimit;
    if (wx != wx || wy != wy)
        return limit;
    double low = p->heightmode == HEIGHT_LOG ? -limit : 0.0;
    double h = p->heightmode == HEIGHT_LOG ? logmodulus(wx, wy) : std::sqrt(wx * wx + wy * wy);
    return h < low ? low : (h > limit ? limit : h);
}

/* The grid's world height at column i and world row y (y up). */
static double heightat(const LANDSCAPEVIEW *v, const float *height, int i, int y)
{
    i = i < 0 ? 0 : (i >= v->w ? v->w - 1 : i);
    y = y < 0 ? 0 : (y >= v->h ? v->h - 1 : y);
    return height[(size_t)(v->h - 1 - y) * v->w + i];
}

/* The diffuse light on the square (i, y), from the slope of the field
   there, or on the outer face with outward normal (nx, ny, 0). */
static double lightat(const LANDSCAPEVIEW *v, const float *height, int i, int y, int face, double nx,
                      double ny)
{
    double n[3] = {nx, ny, 0.0};
    if (!face) {
        n[0] = -(heightat(v, height, i + 1, y) - heightat(v, height, i - 1, y)) * 0.5;
        n[1] = -(heightat(v, height, i, y + 1) - heightat(v, height, i, y - 1)) * 0.5;
        n[2] = 1.0;
    }
    double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    double d = (n[0] * LIGHT[0] + n[1] * LIGHT[1] + n[2] * LIGHT[2]) / length;
    return AMBIENT + (1.0 - AMBIENT) * (d > 0.0 ? d : 0.0);
}

/* The distances at which a line o + t g enters and leaves the slab
   lo <= x <= hi along one axis; false when it runs outside it. */
static bool slab(double o, double g, double lo, double hi, double *t0, double *t1)
{
    if (g == 0.0) {
        *t0 = -HUGE_VAL;
        *t1 = HUGE_VAL;
        return o >= lo && o <= hi;
    }
    double a = (lo - o) / g, b = (hi - o) / g;
    *t0 = a < b ? a : b;
    *t1 = a < b ? b : a;
    return true;
}

/* The distance along the line to the next square edge on one axis;
   `inverse` is 1 / g (a product is cheaper than a quotient each step). */
static double nextedge(double o, double g, double inverse, int cell)
{
    if (g == 0.0)
        return HUGE_VAL;
    return (cell + (g > 0.0 ? 0.5 : -0.5) - o) * inverse;
}

static int cellof(double x, int n)
{
    int c = (int)std::floor(x + 0.5);
    return c < 0 ? 0 : (c >= n ? n - 1 : c);
}

void landscapecolumn(const LANDSCAPEVIEW *v, const float *height, const unsigned int *colour, int px,
                     unsigned int *out, int *cell)
{
    const double cx = (v->w - 1) * 0.5, cy = (v->h - 1) * 0.5;
    const double gx = -v->sa, gy = v->ca;
    const double a = px - cx;
    const double ox = cx + a * v->ca, oy = cy + a * v->sa;
    int py = v->h - 1;
    /* Picture coordinate of row py: up from the middle. */
    auto up = [cy](int row) { return cy - row; };

    double tx0 = 0.0, tx1 = 0.0, ty0 = 0.0, ty1 = 0.0;
    bool inside = slab(ox, gx, -0.5, v->w - 0.5, &tx0, &tx1) && slab(oy, gy, -0.5, v->h - 0.5, &ty0, &ty1);
    double t0 = tx0 > ty0 ? tx0 : ty0, t1 = tx1 < ty1 ? tx1 : ty1;
    if (inside && t0 <= t1) {
        /* The outer face the line enters through. */
        double fx = tx0 >= ty0 ? (gx > 0.0 ? -1.0 : 1.0) : 0.0;
        double fy = tx0 >= ty0 ? 0.0 : (gy > 0.0 ? -1.0 : 1.0);
        int i = cellof(ox + t0 * gx, v->w), y = cellof(oy + t0 * gy, v->h);
        /* Rays that pass under the field's front edge meet nothing. */
        double below = t0 * v->se + (v->floor - v->middle) * v->ce;
        for (; py >= 0 && up(py) < below; py--) {
            out[py] = PROJECTIONBACKGROUND;
            if (cell)
                cell[py] = -1;
        }
        double tin = t0;
        const double ix = gx != 0.0 ? 1.0 / gx : 0.0, iy = gy != 0.0 ? 1.0 / gy : 0.0;
        double ex = nextedge(ox, gx, ix, i), ey = nextedge(oy, gy, iy, y);
        bool first = true;
        while (py >= 0) {
            double tout = ex < ey ? ex : ey;
            if (tout > t1)
                tout = t1;
            size_t index = (size_t)(v->h - 1 - y) * v->w + i;
            double h = height[index] - v->middle;
            double top = tout * v->se + h * v->ce;
            for (; py >= 0 && up(py) <= top; py--) {
                bool face = first && up(py) < tin * v->se + h * v->ce;
                unsigned int c = colour != nullptr ? colour[index] : 0;
                if (v->shade && colour != nullptr)
                    c = dimcolour(c, lightat(v, height, i, y, face, fx, fy));
                out[py] = c;
                if (cell)
                    cell[py] = (int)index;
            }
            if (tout >= t1)
                break;
            /* Across the nearer edge; through a corner, across both. */
            bool stepx = ex <= ey, stepy = ey <= ex;
            if (stepx) {
                i += gx > 0.0 ? 1 : -1;
                ex = nextedge(ox, gx, ix, i);
            }
            if (stepy) {
                y += gy > 0.0 ? 1 : -1;
                ey = nextedge(oy, gy, iy, y);
            }
            if (i < 0 || i >= v->w || y < 0 || y >= v->h)
                break;
            tin = tout;
            first = false;
        }
    }
    for (; py >= 0; py--) {
        out[py] = PROJECTIONBACKGROUND;
        if (cell)
            cell[py] = -1;
    }
}
