/*
 * viewnav.h - moving about the plane with the mouse: the view a dragged
 * rectangle, a zoom about a point or the built-in view gives, kept inside
 * the bounds the Parameters dialog allows, and each formula's history of
 * views for going back.
 *
 * Pixels are those of a width x height image of the current view: column 0
 * on xmin, row 0 on ymax.  Every view handed out is already clamped and
 * rounded to the ten decimals the Parameters dialog shows, so the view
 * reached is exactly the one the dialog then shows and accepts.
 */
#ifndef LUMO_VIEWNAV_H
#define LUMO_VIEWNAV_H

struct VIEW {
    double xmin, xmax, ymin, ymax;
};

/* The view of formula f now, and its built-in view. */
VIEW currentview(int f);
VIEW builtinview(int f);

/* A view inside the dialog's bounds for formula f: each range ordered,
   clamped into its limits, widened to the minimum extent when narrower,
   and rounded to ten decimals. */
VIEW clampview(int f, VIEW v);

/* The rectangle between pixels (x0, y0) and (x1, y1), corners included,
   widened on its short side about its centre to the image's aspect. */
VIEW rectview(int f, VIEW v, int width, int height, int x0, int y0, int x1, int y1);

/* The view zoomed in by factor (out when below 1) about pixel (x, y),
   whose point stays where it is. */
VIEW zoomview(int f, VIEW v, int width, int height, int x, int y, double factor);

/* The view moved so that its content follows a pointer moved by (dx, dy)
   pixels; at a bound it stops there rather than narrowing. */
VIEW panview(int f, VIEW v, int width, int height, double dx, double dy);

/* Makes v the view of formula f (and the view it remembers, as an
   accepted Parameters dialog does), noting the view it replaces. */
void setview(int f, VIEW v);
/* Goes back to the view before the last setview of formula f; returns 0
   when there is none. */
int backview(int f);

/* Views each formula remembers for going back. */
enum { VIEWHISTORY = 128 };

#endif
