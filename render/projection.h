/*
 * projection.h - how the picture shows the function: the plane (a window
 * of the complex plane, the classic portrait), the Riemann sphere seen
 * from outside, or the analytic landscape (the modulus as a surface,
 * coloured by the colour map).  Only the front end writes `projection`,
 * while no render runs; a render takes a copy into its settings.
 */
#ifndef LUMO_PROJECTION_H
#define LUMO_PROJECTION_H

enum { PROJECTION_PLANE = 0, PROJECTION_SPHERE = 1, PROJECTION_LANDSCAPE = 2 };
enum { HEIGHT_LOG = 0, HEIGHT_ABS = 1 };

struct PROJECTION {
    int kind;                   /* PROJECTION_* */
    /* The sphere's centre c: the point at the middle of the disk. */
    double centerx, centery;
    int centerinfinite;         /* c = infinity; centerx, centery are 0 */
    /* The landscape's camera, degrees: azimuth any, elevation 0..90. */
    double azimuth, elevation;
    int shade;                  /* 1: shaded (see sphere.h, landscape.h) */
    int heightmode;             /* HEIGHT_LOG: log|w|, HEIGHT_ABS: |w| */
    double heightlimit;         /* heights are clipped to this, > 0 */
};

extern PROJECTION projection;

/* The names `--projection` and `--height` take, by code. */
extern const char *const projectionnames[3];
extern const char *const heightnames[2];

/* The default settings: the plane, c = 0, camera 30 / 40, limit 3. */
PROJECTION defaultprojection();
/* Whether a projection is shaded unless told otherwise: the landscape. */
int defaultshade(int kind);

#endif
