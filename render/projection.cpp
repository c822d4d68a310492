/*
 * projection.cpp - the projection setting (see projection.h).
 */
#include "render/projection.h"

const char *const projectionnames[3] = {"plane", "sphere", "landscape"};
const char *const heightnames[2] = {"log", "abs"};

PROJECTION defaultprojection()
{
    PROJECTION p;
    p.kind = PROJECTION_PLANE;
    p.centerx = p.centery = 0.0;
    p.centerinfinite = 0;
    p.azimuth = 30.0;
    p.elevation = 40.0;
    p.shade = 0;
    p.heightmode = HEIGHT_LOG;
    p.heightlimit = 3.0;
    return p;
}

int defaultshade(int kind)
{
    return kind == PROJECTION_LANDSCAPE;
}

PROJECTION projection = defaultprojection();
