/*
 * sphere.h - the Riemann sphere: which z each pixel of a W x H picture
 * shows.  The unit sphere, stereographic projection from the north pole
 * (X, Y, Z) -> z = (X + iY) / (1 - Z), seen orthographically in a disk of
 * radius R = min(W, H) / 2 about the picture's centre, turned so that the
 * centre c of the projection settings lies in the middle (README, "The
 * Riemann sphere", has the formulas).
 */
#ifndef LUMO_SPHERE_H
#define LUMO_SPHERE_H

struct PROJECTION;

/* The turn of one picture: rotation matrix and disk. */
struct SPHEREVIEW {
    int w, h;
    double radius;
    double m[3][3];
};

/* What spherepixel found at a pixel. */
enum { SPHERE_OUTSIDE = 0, SPHERE_FINITE = 1, SPHERE_INFINITY = 2 };

void sphereview(const PROJECTION *p, int w, int h, SPHEREVIEW *v);

/* The sphere point (X, Y, Z) the pixel centre (px, py) shows, and its
   depth sqrt(1 - u^2 - v^2) (1 in the middle of the disk, 0 at the rim);
   SPHERE_OUTSIDE for a pixel outside the disk. */
int spherepoint(const SPHEREVIEW *v, int px, int py, double point[3], double *depth);

/* The z of that pixel: SPHERE_FINITE with z in zx, zy, SPHERE_INFINITY at
   the north pole itself, or SPHERE_OUTSIDE. */
int spherepixel(const SPHEREVIEW *v, int px, int py, double *zx, double *zy, double *depth);

/* The colour of a pixel at the given depth with the sphere's shading:
   every channel times 0.3 + 0.7 depth, rounded. */
unsigned int sphereshade(unsigned int color, double depth);
/* Every channel of a colour (r + 256 g + 65536 b) times f in 0..1,
   rounded to the nearest. */
unsigned int dimcolour(unsigned int color, double f);

/* The colour outside the disk and the landscape's sky: dark grey. */
const unsigned int PROJECTIONBACKGROUND = 0x202020;

#endif
