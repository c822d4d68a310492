/*
 * projectionoptions.cpp - see projectionoptions.h.
 */
#include "render/projectionoptions.h"

#include <cmath>
#include <cstring>

#include "render/optionvalues.h"
#include "render/projection.h"
#include "render/renderoptions.h"

void projectionoptions_init(PROJECTIONOPTIONS *p)
{
    std::memset(p, 0, sizeof *p);
    p->kind = p->shade = p->heightmode = -1;
}

/* Finds text among count names; 0 when it is none of them. */
static int pick(const char *text, const char *const *names, long count, long *index)
{
    for (long k = 0; k < count && text != nullptr; k++) {
        if (std::strcmp(text, names[k]) == 0) {
            *index = k;
            return 1;
        }
    }
    return 0;
}

int takeprojection(RENDEROPTIONS *o, const char *const *v)
{
    return pick(v[0], projectionnames, 3, &o->projection.kind) ? -1 : 0;
}

/* Any number but NaN: an infinite part makes c the point at infinity. */
int takecenter(RENDEROPTIONS *o, const char *const *v)
{
    for (int k = 0; k < 2; k++) {
        if (!parsenumber(v[k], &o->projection.center[k]) || std::isnan(o->projection.center[k]))
            return k;
    }
    o->projection.centerset = 1;
    return -1;
}

int takecamera(RENDEROPTIONS *o, const char *const *v)
{
    for (int k = 0; k < 2; k++) {
        if (!parsefinite(v[k], &o->projection.camera[k]))
            return k;
    }
    o->projection.cameraset = 1;
    return -1;
}

int takeshade(RENDEROPTIONS *o, const char *const *v)
{
    static const char *const names[2] = {"off", "on"};
    return pick(v[0], names, 2, &o->projection.shade) ? -1 : 0;
}

int takeheight(RENDEROPTIONS *o, const char *const *v)
{
    return pick(v[0], heightnames, 2, &o->projection.heightmode) ? -1 : 0;
}

int takeheightlimit(RENDEROPTIONS *o, const char *const *v)
{
    if (!parsefinite(v[0], &o->projection.heightlimit))
        return 0;
    o->projection.heightlimitset = 1;
    return -1;
}

/* An option given for a projection that does not use it. */
static int misplaced(const char *option, const char *wants, std::string *error)
{
    *error = std::string(option) + " belongs to " + wants + "; give --projection " + wants;
    return 0;
}

int projectionoptions_check(const PROJECTIONOPTIONS *p, int graph, std::string *error)
{
    long kind = p->kind < 0 ? (long)PROJECTION_PLANE : p->kind;
    if (p->cameraset && !(p->camera[1] >= 0.0 && p->camera[1] <= 90.0)) {
        *error = "--camera: the elevation must lie in 0 .. 90 degrees";
        return 0;
    }
    if (p->heightlimitset && !(p->heightlimit > 0.0)) {
        *error = "--height-limit: the height limit must be greater than 0";
        return 0;
    }
    if (graph && kind != PROJECTION_PLANE) {
        *error = std::string("--graph draws the real-axis graph beside the plane only, not with --projection ") +
                 projectionnames[kind];
        return 0;
    }
    if (p->centerset && kind != PROJECTION_SPHERE)
        return misplaced("--center", "sphere", error);
    if (p->shade >= 0 && kind == PROJECTION_PLANE) {
        *error = "--shade shades the sphere or the landscape; give --projection sphere or landscape";
        return 0;
    }
    if (kind != PROJECTION_LANDSCAPE) {
        if (p->cameraset)
            return misplaced("--camera", "landscape", error);
        if (p->heightmode >= 0)
            return misplaced("--height", "landscape", error);
        if (p->heightlimitset)
            return misplaced("--height-limit", "landscape", error);
    }
    return 1;
}

void projectionoptions_apply(const PROJECTIONOPTIONS *p)
{
    projection = defaultprojection();
    if (p->kind >= 0)
        projection.kind = (int)p->kind;
    if (p->centerset) {
        projection.centerinfinite = std::isinf(p->center[0]) || std::isinf(p->center[1]);
        projection.centerx = projection.centerinfinite ? 0.0 : p->center[0];
        projection.centery = projection.centerinfinite ? 0.0 : p->center[1];
    }
    if (p->cameraset) {
        /* The azimuth as 0 <= AZ < 360, so that one view has one command. */
        double az = std::fmod(p->camera[0], 360.0);
        projection.azimuth = az < 0.0 ? az + 360.0 : az;
        if (projection.azimuth >= 360.0)
            projection.azimuth = 0.0;
        projection.elevation = p->camera[1];
    }
    projection.shade = p->shade >= 0 ? (int)p->shade : defaultshade(projection.kind);
    if (p->heightmode >= 0)
        projection.heightmode = (int)p->heightmode;
    if (p->heightlimitset)
        projection.heightlimit = p->heightlimit;
}
