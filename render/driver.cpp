/*
 * driver.cpp - the renderer (see driver.h).
 *
 * driver() writes a row's pixels and then runs the graph's hooks for that
 * row.  The graph strip lies right of the image (x >= 697, the image is at
 * most 600 wide whenever the graph is on), so this leaves the same picture
 * as drawing the graph column by column between the pixels.
 */
#include "render/driver.h"

#include <memory>

#include "common/LumoIO.h"
#include "common/complex.h"
#include "common/platform.h"
#include "formulas/formulas.h"
#include "render/colormap.h"
#include "render/graph.h"
#include "render/renderjob.h"
#include "render/settings.h"

double absmax;
void *cross;

static const unsigned int BLACK = 0x000000;
static const unsigned int GREY = 0x808080;     /* (128, 128, 128) */

static int smaller(int a, int b) { return a < b ? a : b; }

void renderstart()
{
    xside = xmax[formula] - xmin[formula];
    yside = ymax[formula] - ymin[formula];
    if (displaylimitflag)
        absmax = 0.0;
    graph_renderstart();

    /* Black wherever the rows do not write, not only in the part the
       window shows: the columns of a 1300-wide image beyond a narrower
       window would keep the previous render's graph, and a save writes
       them.  The image itself is left to the rows; an aborted render
       fills what it did not reach (job_abort). */
    VhdcRect.left = VhdcRect.top = 0;
    VhdcRect.right = xres;
    VhdcRect.bottom = yres;
    LUMORECT right = {xres, 0, surface_width(), surface_height()};
    LUMORECT below = {0, yres, xres, surface_height()};
    surface_fillrect(&right, BLACK);
    surface_fillrect(&below, BLACK);
    window_fillrect(&ClientRect, BLACK);
    LUMORECT shown = {0, 0, smaller(xres, ClientRect.right), smaller(yres, ClientRect.bottom)};
    window_fillrect(&shown, GREY);
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

void rowcolors(int row, unsigned int *colors, double *rowmax)
{
    RENDERSETTINGS s = rendersettings();
    ROWSCRATCH scratch(s.xres);
    evaluaterow(&s, row, scratch.wx.get(), scratch.wy.get(), scratch.result.get());
    colourrow(&s, scratch.wx.get(), scratch.wy.get(), scratch.result.get(), colors, rowmax);
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
    static RENDERSETTINGS settings;
    static std::unique_ptr<ROWSCRATCH> scratch;
    cross = cursor_wait();
    if (j == 0) {
        renderstart();
        settings = rendersettings();
        scratch.reset(new ROWSCRATCH(settings.xres));
    }

    double rowmax;
    evaluaterow(&settings, j, scratch->wx.get(), scratch->wy.get(), scratch->result.get());
    colourrow(&settings, scratch->wx.get(), scratch->wy.get(), scratch->result.get(), scratch->colors.get(),
              &rowmax);
    if (displaylimitflag && rowmax > absmax)
        absmax = rowmax;
    for (int i = 0; i < xres; i++)
        surface_setpixel(i, j, scratch->colors[i]);
    rowgraph(j);

    if (j < ClientRect.bottom)
        window_showsurface(0, j, smaller(xres, ClientRect.right), 1);
    j = j + 1;
    if (j == yres)
        renderend();
    return 0;
}
