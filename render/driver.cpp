/*
 * driver.cpp - the renderer (see driver.h).
 *
 * driver() writes a row's pixels and then runs the graph's hooks for that
 * row.  The graph strip lies right of the image (x >= 697, the image is at
 * most 600 wide whenever the graph is on), so this leaves the same picture
 * as drawing the graph column by column between the pixels.
 */
#include "render/driver.h"

#include <vector>

#include "common/LumoIO.h"
#include "common/complex.h"
#include "common/platform.h"
#include "expr/program.h"
#include "formulas/formulas.h"
#include "render/colormap.h"
#include "render/graph.h"
#include "render/settings.h"

double absmax;
void *cross;

static const unsigned int BLACK = 0x000000;
static const unsigned int GREY = 0x808080;     /* (128, 128, 128) */

/* One row of colour values between rowcolors and the surface. */
static unsigned int rowbuffer[MAXRES];

static int smaller(int a, int b) { return a < b ? a : b; }

void renderstart()
{
    xside = xmax[formula] - xmin[formula];
    yside = ymax[formula] - ymin[formula];
    if (displaylimitflag)
        absmax = 0.0;
    graph_renderstart();

    /* The whole image black, not only the part the window shows: the
       columns of a 1300-wide image beyond a narrower window would keep the
       previous render's graph, and a save writes them. */
    LUMORECT whole = {0, 0, surface_width(), surface_height()};
    surface_fillrect(&whole, BLACK);
    window_fillrect(&ClientRect, BLACK);
    LUMORECT shown = {0, 0, smaller(xres, ClientRect.right), smaller(yres, ClientRect.bottom)};
    window_fillrect(&shown, GREY);
    VhdcRect.left = VhdcRect.top = 0;
    VhdcRect.right = xres;
    VhdcRect.bottom = yres;
    surface_fillrect(&VhdcRect, GREY);
}

/* Row 0 lies on ymax, row yres - 1 on ymin. */
double rowy(int row)
{
    return (yres - row - 1) * yside / (yres - 1) + ymin[formula];
}

/* Column 0 lies on xmin, column xres - 1 on xmax. */
double columnx(int i)
{
    return i * xside / (xres - 1) + xmin[formula];
}

/* The typed function runs over the whole row at once, so that its
   interpreter pays for each instruction once per block of points. */
static void evaluatetyped(double ystart, double *wx, double *wy, int *result)
{
    std::vector<double> x(xres), y(xres, ystart);
    for (int i = 0; i < xres; i++) {
        x[i] = columnx(i);
        result[i] = 0;
    }
    EXPRSCRATCH scratch;
    exprscratch(customprogram(), &scratch);
    exprrun(customprogram(), &scratch, xres, x.data(), y.data(), wx, wy);
}

void evaluaterow(int row, double *wx, double *wy, int *result)
{
    const FORMULA f = fpointer[formula];
    double ystart = rowy(row);
    if (f == typedfunction) {
        evaluatetyped(ystart, wx, wy, result);
        return;
    }
    for (int i = 0; i < xres; i++) {
        /* A formula may return without writing w (the gamma fractal's
           early exit); w is then 0. */
        wx[i] = 0.0;
        wy[i] = 0.0;
        result[i] = f(columnx(i), ystart, &wx[i], &wy[i]);
    }
}

void rowcolors(int row, unsigned int *colors, double *rowmax)
{
    std::vector<double> wxs(xres), wys(xres);
    std::vector<int> results(xres);
    evaluaterow(row, wxs.data(), wys.data(), results.data());
    double largest = 0.0;
    for (int i = 0; i < xres; i++) {
        double wx = wxs[i], wy = wys[i];
        complex w = {wx, wy};
        double modulus = abs(w);
        double hue = arg(w);
        if (hue < 0.0)
            hue += 6.283185307179586;
        hue = hue * 0.15915494309189535 * 360.0;

        int r, g, b;
        pixelcolor(formula, results[i], wx, wy, modulus, hue, &r, &g, &b);
        colors[i] = (unsigned int)(r + 256 * g + 65536 * b);

        /* Infinite moduli and those near the top of the double range never
           count; neither do those that are not a number. */
        if (modulus > largest && modulus < MODULUSLIMIT)
            largest = modulus;
    }
    *rowmax = largest;
}

void rowgraph(int row)
{
    graph_rowstep(rowy(row));
    if (yzero == 1) {
        for (int i = 0; i < xres; i++)
            graph_pixelstep(i, columnx(i));
    }
    graph_rowend();
}

void renderend()
{
    if (displaylimitflag) {
        char buffer[80];
        LumoIO::sprintf_s(buffer, sizeof buffer, "abs(w) maximum: %.2e", absmax);
        message_box(buffer, "Lumo Domain Coloring", LUMO_MB_OK, 0);
    }
    graph_renderend();
    j = 0;
    okrender = 0;
    cursor_restore(cross);
    cursor_setpos(100, 100);
}

int driver()
{
    cross = cursor_wait();
    if (j == 0)
        renderstart();

    double rowmax;
    rowcolors(j, rowbuffer, &rowmax);
    if (displaylimitflag && rowmax > absmax)
        absmax = rowmax;
    for (int i = 0; i < xres; i++)
        surface_setpixel(i, j, rowbuffer[i]);
    rowgraph(j);

    if (j < ClientRect.bottom)
        window_showsurface(0, j, smaller(xres, ClientRect.right), 1);
    j = j + 1;
    if (j == yres)
        renderend();
    return 0;
}
