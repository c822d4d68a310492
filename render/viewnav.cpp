/*
 * viewnav.cpp - views from the mouse and the history (see viewnav.h).
 */
#include "render/viewnav.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "render/params.h"
#include "render/settings.h"

/* The narrowest range the Parameters dialog accepts. */
static const double MINEXTENT = 1e-8;

/* Past views of each formula, a ring of the newest VIEWHISTORY. */
static VIEW history[NFORMULAS][VIEWHISTORY];
static int historytop[NFORMULAS];
static int historycount[NFORMULAS];

VIEW currentview(int f)
{
    return VIEW{xmin[f], xmax[f], ymin[f], ymax[f]};
}

VIEW builtinview(int f)
{
    return VIEW{im[f].xmin, im[f].xmax, im[f].ymin, im[f].ymax};
}

/* What the dialog's "%.10f" text reads back as; formula 30's deep views
   are shown with every digit. */
static double dialogvalue(int f, double value)
{
    if (f == 30)
        return value;
    char text[400];
    std::snprintf(text, sizeof text, "%.10f", value);
    return std::strtod(text, nullptr);
}

/* One range: clamped into [low, 20] by the dialog's own check, rounded as
   the dialog shows it, and widened about its centre (inside the limits)
   when the dialog would then find it too narrow. */
static void clamprange(double *a, double *b, double low, double high,
                       int (*check)(int, double *, double *), int f)
{
    int narrow = check(f, a, b) >= 0 || !wideenough(f, dialogvalue(f, *a), dialogvalue(f, *b));
    if (narrow) {
        double centre = 0.5 * (*a + *b);
        if (!std::isfinite(centre))
            centre = 0.0;
        /* twice the minimum, so rounding keeps it */
        double half = MINEXTENT;
        if (f == 30)
            half = 1e-12 * (std::fabs(centre) > 1.0 ? std::fabs(centre) + 1.0 : 2.0);
        if (centre - half < low)
            centre = low + half;
        if (centre + half > high)
            centre = high - half;
        *a = centre - half;
        *b = centre + half;
    }
    *a = dialogvalue(f, *a);
    *b = dialogvalue(f, *b);
}

VIEW clampview(int f, VIEW v)
{
    VIEWBOUNDS bounds = viewbounds(f);
    clamprange(&v.xmin, &v.xmax, bounds.xlow, bounds.xhigh, checkxrange, f);
    clamprange(&v.ymin, &v.ymax, bounds.ylow, bounds.yhigh, checkyrange, f);
    return v;
}

/* The point of pixel (x, y), as the renderer maps it. */
static double pixelx(VIEW v, int width, int x)
{
    return x * (v.xmax - v.xmin) / (width - 1) + v.xmin;
}

static double pixely(VIEW v, int height, int y)
{
    return (height - y - 1) * (v.ymax - v.ymin) / (height - 1) + v.ymin;
}

VIEW rectview(int f, VIEW v, int width, int height, int x0, int y0, int x1, int y1)
{
    double ax = pixelx(v, width, x0), bx = pixelx(v, width, x1);
    double ay = pixely(v, height, y0), by = pixely(v, height, y1);
    double cx = 0.5 * (ax + bx), cy = 0.5 * (ay + by);
    double w = std::fabs(bx - ax), h = std::fabs(by - ay);
    double aspect = (double)width / height;
    if (w < h * aspect)
        w = h * aspect;
    else
        h = w / aspect;
    return clampview(f, VIEW{cx - 0.5 * w, cx + 0.5 * w, cy - 0.5 * h, cy + 0.5 * h});
}

VIEW zoomview(int f, VIEW v, int width, int height, int x, int y, double factor)
{
    double px = pixelx(v, width, x), py = pixely(v, height, y);
    VIEW z = {px - (px - v.xmin) / factor, px + (v.xmax - px) / factor, py - (py - v.ymin) / factor,
              py + (v.ymax - py) / factor};
    return clampview(f, z);
}

void setview(int f, VIEW v)
{
    historytop[f] = (historytop[f] + 1) % VIEWHISTORY;
    history[f][historytop[f]] = currentview(f);
    if (historycount[f] < VIEWHISTORY)
        historycount[f]++;
    xmin[f] = savewindow[f][0] = v.xmin;
    xmax[f] = savewindow[f][1] = v.xmax;
    ymin[f] = savewindow[f][2] = v.ymin;
    ymax[f] = savewindow[f][3] = v.ymax;
}

int backview(int f)
{
    if (historycount[f] == 0)
        return 0;
    VIEW v = history[f][historytop[f]];
    historytop[f] = (historytop[f] + VIEWHISTORY - 1) % VIEWHISTORY;
    historycount[f]--;
    xmin[f] = savewindow[f][0] = v.xmin;
    xmax[f] = savewindow[f][1] = v.xmax;
    ymin[f] = savewindow[f][2] = v.ymin;
    ymax[f] = savewindow[f][3] = v.ymax;
    return 1;
}
