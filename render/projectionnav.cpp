/*
 * projectionnav.cpp - the mouse's rules for the sphere and the landscape
 * (see projectionnav.h).
 */
#include "render/projectionnav.h"

#include <cmath>

#include "render/projection.h"
#include "render/sphere.h"

int sphereturn(PROJECTION *p, int w, int h, int dx, int dy)
{
    SPHEREVIEW view;
    sphereview(p, w, h, &view);
    double reach = std::sqrt((double)dx * dx + (double)dy * dy), limit = view.radius - 1.0;
    if (reach > limit) {
        dx = (int)(dx * limit / reach);
        dy = (int)(dy * limit / reach);
    }
    double zx, zy, depth;
    int found = spherepixel(&view, w / 2 - dx, h / 2 - dy, &zx, &zy, &depth);
    if (found == SPHERE_OUTSIDE)
        return 0;
    p->centerinfinite = found == SPHERE_INFINITY;
    p->centerx = p->centerinfinite ? 0.0 : zx;
    p->centery = p->centerinfinite ? 0.0 : zy;
    return 1;
}

void orbitcamera(PROJECTION *p, int dx, int dy)
{
    double az = std::fmod(p->azimuth - 0.5 * dx, 360.0);
    p->azimuth = az < 0.0 ? az + 360.0 : az;
    double el = p->elevation + 0.5 * dy;
    p->elevation = el < 0.0 ? 0.0 : (el > 90.0 ? 90.0 : el);
}

void heightwheel(PROJECTION *p, int up)
{
    p->heightlimit = up ? p->heightlimit * 1.25 : p->heightlimit / 1.25;
}
