/*
 * graph.cpp - the real-axis graph.  Coordinates on the off-screen image:
 * red axes along x = 698 and from (698, 599) to (1300, 598); the yellow
 * curve at x = column + 700, y from 597 (f = 0) up to 0 (|f| at or above
 * the formula's graph limit).
 */
#include "render/graph.h"

#include <cmath>

#include "common/platform.h"
#include "formulas/formulas.h"
#include "render/projection.h"
#include "render/settings.h"

int yzero;

static const unsigned int RED = 0x0000ff;      /* (255, 0, 0) */
static const unsigned int YELLOW = 0x00ffff;   /* (255, 255, 0) */
static const int PENWIDTH = 2;

void graph_renderstart()
{
    /* The graph follows the plane's real axis: not beside the sphere or
       the landscape. */
    if (ymin[formula] > 0.0 || ymax[formula] < 0.0 || projection.kind != PROJECTION_PLANE)
        graphflag = 0;
    else if (xres == 600 && yres == 600 && ymin[formula] < 0.0 && 0.0 < ymax[formula])
        graphflag = 1;
    yzero = 0;
}

void graph_rowstep(double ystart)
{
    if (graphflag && yzero == 0 && ystart <= 0.0)
        yzero = 1;
}

/* A modulus that is not a number is drawn at the top, like an infinite
   one: both only occur at a pole on the axis. */
int graph_y(double modulus)
{
    double lm = std::log(modulus + 1.0);
    double la = std::log(abslimitgraph[formula] + 1.0);
    int h = 597;
    if (lm <= la)
        h = (int)(lm / la * 597.0);
    return 597 - h;
}

/* The axes, drawn once before the first point of the curve. */
static void drawaxes()
{
    surface_selectpen(RED, PENWIDTH);
    surface_moveto(698, 0);
    surface_lineto(698, 599);
    surface_lineto(1300, 598);
    surface_releasepen();
}

void graph_pixelstep(int i, double xstart)
{
    if (!graphflag || yzero != 1)
        return;
    /* The gamma fractal may leave w unwritten: it is then 0. */
    double wx = 0.0, wy = 0.0;
    fpointer[formula](xstart, 0.0, &wx, &wy);
    double mod = std::sqrt(wx * wx + wy * wy);

    if (i == 0) {
        drawaxes();
        surface_selectpen(YELLOW, PENWIDTH);
        surface_moveto(i + 700, graph_y(mod));
    } else {
        surface_lineto(i + 700, graph_y(mod));
    }
    if (i == xres - 1)
        surface_releasepen();
}

void graph_rowend()
{
    if (yzero == 1)
        yzero = -1;
}

void graph_renderend()
{
    if (!graphflag)
        return;
    int width = ClientRect.right < 1300 ? ClientRect.right : 1300;
    int height = yres < ClientRect.bottom ? yres : ClientRect.bottom;
    window_showsurface(697, 0, width, height);
}
