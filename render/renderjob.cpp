/*
 * renderjob.cpp - the render job (see renderjob.h).
 *
 * A row is evaluated into arrays first and coloured from them after, so
 * that a formula which computes a whole row at once can take the place of
 * the point-by-point loop without touching the colouring.
 */
#include "render/renderjob.h"

#include <new>
#include <vector>

#include "common/complex.h"
#include "common/platform.h"
#include "expr/program.h"
#include "formulas/formulas.h"
#include "render/colormap.h"
#include "render/driver.h"
#include "render/graph.h"
#include "render/projectedrows.h"
#include "render/settings.h"

static const unsigned int GREY = 0x808080;     /* (128, 128, 128) */

RENDERSETTINGS rendersettings()
{
    RENDERSETTINGS s;
    s.formula = formula;
    s.xres = xres;
    s.yres = yres;
    s.xmin = xmin[formula];
    s.xmax = xmax[formula];
    s.ymin = ymin[formula];
    s.ymax = ymax[formula];
    s.xside = s.xmax - s.xmin;
    s.yside = s.ymax - s.ymin;
    s.displaylimitflag = displaylimitflag;
    s.params = customparams();
    s.projection = projection;
    return s;
}

/* Row 0 lies on ymax, row yres - 1 on ymin. */
double settings_rowy(const RENDERSETTINGS *s, int row)
{
    return (s->yres - row - 1) * s->yside / (s->yres - 1) + s->ymin;
}

/* Column 0 lies on xmin, column xres - 1 on xmax. */
double settings_columnx(const RENDERSETTINGS *s, int i)
{
    return i * s->xside / (s->xres - 1) + s->xmin;
}

/* The typed function runs over a block of points at once, so that its
   interpreter pays for each instruction once per block. */
void evaluatepoints(const RENDERSETTINGS *s, int n, const double *x, const double *y, double *wx, double *wy,
                    int *result)
{
    const FORMULA f = fpointer[s->formula];
    if (f == typedfunction) {
        for (int i = 0; i < n; i++)
            result[i] = 0;
        EXPRSCRATCH scratch;
        exprscratch(customprogram(), &scratch);
        exprsetparams(customprogram(), s->params, &scratch);
        exprrun(customprogram(), &scratch, n, x, y, wx, wy);
        return;
    }
    for (int i = 0; i < n; i++) {
        /* A formula may return without writing w (the gamma fractal's
           early exit); w is then 0. */
        wx[i] = 0.0;
        wy[i] = 0.0;
        result[i] = f(x[i], y[i], &wx[i], &wy[i]);
    }
}

void evaluaterow(const RENDERSETTINGS *s, int row, double *wx, double *wy, int *result)
{
    const FORMULA f = fpointer[s->formula];
    double ystart = settings_rowy(s, row);
    if (f == typedfunction) {
        std::vector<double> x((size_t)s->xres), y((size_t)s->xres, ystart);
        for (int i = 0; i < s->xres; i++)
            x[(size_t)i] = settings_columnx(s, i);
        evaluatepoints(s, s->xres, x.data(), y.data(), wx, wy, result);
        return;
    }
    for (int i = 0; i < s->xres; i++) {
        wx[i] = 0.0;
        wy[i] = 0.0;
        result[i] = f(settings_columnx(s, i), ystart, &wx[i], &wy[i]);
    }
}

/* One point of evaluaterow: a formula that evaluates whole rows at once
   must give the same value here. */
int evaluatepoint(const RENDERSETTINGS *s, int i, int row, double *wx, double *wy)
{
    *wx = 0.0;
    *wy = 0.0;
    return fpointer[s->formula](settings_columnx(s, i), settings_rowy(s, row), wx, wy);
}

void colourrow(const RENDERSETTINGS *s, const double *wx, const double *wy, const int *result,
               unsigned int *colors, double *rowmax)
{
    colourpoints(s, s->xres, wx, wy, result, colors, rowmax);
}

void colourpoints(const RENDERSETTINGS *s, int n, const double *wx, const double *wy, const int *result,
                  unsigned int *colors, double *rowmax)
{
    double largest = 0.0;
    for (int i = 0; i < n; i++) {
        complex w = {wx[i], wy[i]};
        /* The colours take |w| in its plain form, which is infinite beyond
           about 1.3e154: the maps were made with it, and a picture keeps
           its colours whatever abs() does with huge values. */
        double modulus = std::sqrt(w.re * w.re + w.im * w.im);
        double hue = arg(w);
        if (hue < 0.0)
            hue += 6.283185307179586;
        hue = hue * 0.15915494309189535 * 360.0;

        int r, g, b;
        pixelcolor(s->formula, result[i], wx[i], wy[i], modulus, hue, &r, &g, &b);
        colors[i] = (unsigned int)(r + 256 * g + 65536 * b);

        /* Infinite moduli and those near the top of the double range never
           count; neither do those that are not a number. */
        if (modulus > largest && modulus < MODULUSLIMIT)
            largest = modulus;
    }
    *rowmax = largest;
}

ROWSCRATCH::ROWSCRATCH(int width)
    : wx(new double[(size_t)width]), wy(new double[(size_t)width]), result(new int[(size_t)width]),
      colors(new unsigned int[(size_t)width]), zx(new double[(size_t)width]), zy(new double[(size_t)width]),
      depth(new double[(size_t)width])
{
}

int job_begin(RENDERJOB *job)
{
    renderstart();
    job->s = rendersettings();
    int rows = job->s.yres;
    job->done.reset(new (std::nothrow) std::atomic<unsigned char>[(size_t)rows]);
    job->rowmax.reset(new (std::nothrow) double[(size_t)rows]);
    if (!job->done || !job->rowmax)
        return 1;
    for (int row = 0; row < rows; row++) {
        job->done[row].store(0, std::memory_order_relaxed);
        job->rowmax[row] = 0.0;
    }
    job->nextrow = 0;
    job->stop = 0;
    job->rowsdone = 0;
    job->shown = 0;
    return landscape_begin(job);
}

int job_row(RENDERJOB *job, ROWSCRATCH *scratch)
{
    if (job->stop.load())
        return -1;
    int row = job->nextrow.fetch_add(1);
    try {
        if (job->s.projection.kind == PROJECTION_LANDSCAPE)
            return landscape_task(job, row, scratch);
        if (row >= job->s.yres)
            return -1;
        if (job->s.projection.kind == PROJECTION_SPHERE) {
            sphere_row(job, row, scratch);
            job->done[row].store(1, std::memory_order_release);
            job->rowsdone.fetch_add(1);
            return row;
        }
        evaluaterow(&job->s, row, scratch->wx.get(), scratch->wy.get(), scratch->result.get());
    } catch (const std::bad_alloc &) {
        /* A typed function's registers, a sphere row's points and a
           landscape column are had per task. */
        job->nomemory = 1;
        job->stop = 1;
        return -1;
    }
    colourrow(&job->s, scratch->wx.get(), scratch->wy.get(), scratch->result.get(), scratch->colors.get(),
              &job->rowmax[row]);
    /* Distinct rows are distinct bytes of the surface: no lock needed. */
    for (int i = 0; i < job->s.xres; i++)
        surface_setpixel(i, row, scratch->colors[i]);
    job->done[row].store(1, std::memory_order_release);
    job->rowsdone.fetch_add(1);
    return row;
}

void job_work(RENDERJOB *job)
{
    try {
        ROWSCRATCH scratch(job->s.xres);
        while (job_row(job, &scratch) >= 0) {
        }
    } catch (const std::bad_alloc &) {
        job->nomemory = 1;
        job->stop = 1;
    }
}

int job_advance(RENDERJOB *job)
{
    while (job->shown < job->s.yres && job->done[job->shown].load(std::memory_order_acquire)) {
        int row = job->shown;
        if (job->s.displaylimitflag && job->rowmax[row] > absmax)
            absmax = job->rowmax[row];
        /* The graph follows the plane's real axis. */
        if (job->s.projection.kind == PROJECTION_PLANE)
            rowgraph(row);
        job->shown = row + 1;
    }
    return job->shown;
}

void job_abort(RENDERJOB *job)
{
    job_advance(job);
    LUMORECT rest = {0, job->shown, job->s.xres, job->s.yres};
    surface_fillrect(&rest, GREY);
}

void job_end(RENDERJOB *job)
{
    job_advance(job);
    renderend();
}
