/*
 * projectionview.h - the View menu (Plane, Sphere, Landscape) and what the
 * mouse and the view keys do on the sphere and the landscape: a drag turns
 * the sphere or orbits the landscape's camera, the wheel changes the
 * landscape's height limit, Home and Backspace go to c = 0 and to the
 * previous centre of the sphere.  Each change renders at once.
 */
#ifndef LUMO_PROJECTIONVIEW_H
#define LUMO_PROJECTIONVIEW_H

#include <windows.h>

struct RENDERSETTINGS;

/* Commands 192..194. */
void projectioncommand(HWND window, int id);
/* Marks the View item of the current projection. */
void projectionmarks();

/* A left drag from (ax, ay) to (bx, by) on the sphere or the landscape. */
void projection_drag(HWND window, int ax, int ay, int bx, int by);
/* A wheel step (up > 0) on the landscape; nothing on the sphere. */
void projection_wheel(HWND window, int up);
/* Home and Backspace on the sphere; 0 when the plane's commands apply. */
int projection_home(HWND window);
int projection_back(HWND window);

/* The z and w of the point shown at image pixel (x, y) of a sphere or
   landscape render; 0 where the pixel shows the background. */
int projection_readout(const RENDERSETTINGS *s, int x, int y, double *zx, double *zy, double *wx, double *wy);

/* The landscape's grid heights of the last render, kept for the readout
   (windowrender.cpp hands them over when a landscape render ends). */
void projection_keepheights(float *heights);

#endif
