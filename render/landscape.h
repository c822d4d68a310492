/*
 * landscape.h - the analytic landscape: the view's grid of values as a
 * height field, seen by an orthographic camera, each picture column found
 * by marching its rays through the field.
 *
 * World coordinates are pixel units: the grid point of column i and row r
 * stands at X = i, Y = H - 1 - r, height Z = (its clipped height) * scale,
 * and owns the unit square around (X, Y) as a flat top (a column of the
 * field).  The camera looks at the grid's middle from azimuth AZ (0: from
 * the side of -Im, the picture's up is +Im; counter-clockwise as AZ grows)
 * and elevation EL, one world unit a pixel: from straight above (EL = 90,
 * AZ = 0) pixel (i, r) sees the top of grid point (i, r), and the picture
 * is the plane's.
 */
#ifndef LUMO_LANDSCAPE_H
#define LUMO_LANDSCAPE_H

struct PROJECTION;

struct LANDSCAPEVIEW {
    int w, h;
    double sa, ca, se, ce;       /* sine and cosine of azimuth, elevation */
    double scale;                /* world height of one unit of height */
    double floor, middle;        /* lowest world height; the camera's aim */
    int shade;
};

void landscapeview(const PROJECTION *p, int w, int h, LANDSCAPEVIEW *v);

/* The clipped height of a value w: log|w| in -limit..limit or |w| in
   0..limit; a w that is not a number stands at the limit. */
double landscapeheight(const PROJECTION *p, double wx, double wy);

/* Picture column px, top to bottom: the colour of every pixel (the colour
   of the grid point its ray meets first, lit when shading is on, or the
   background) and, when `cell` is not null, that grid point's index
   r * w + i or -1.  `height` holds the grid's world heights (scaled),
   `colour` its plane colours, row by row (or null: only the cells are
   wanted, the colours are 0). */
void landscapecolumn(const LANDSCAPEVIEW *v, const float *height, const unsigned int *colour, int px,
                     unsigned int *out, int *cell);

#endif
