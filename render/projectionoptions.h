/*
 * projectionoptions.h - the projection's `lumo render` options, rows of
 * the option table in renderoptions.cpp:
 *   --projection plane|sphere|landscape   --center X Y (inf for infinity)
 *   --camera AZ EL (degrees)   --shade on|off
 *   --height log|abs   --height-limit X
 */
#ifndef LUMO_PROJECTIONOPTIONS_H
#define LUMO_PROJECTIONOPTIONS_H

#include <string>

/* -1 or a clear flag where an option was not given. */
struct PROJECTIONOPTIONS {
    long kind;
    int centerset;
    double center[2];
    int cameraset;
    double camera[2];
    long shade;
    long heightmode;
    int heightlimitset;
    double heightlimit;
};

struct RENDEROPTIONS;

void projectionoptions_init(PROJECTIONOPTIONS *p);

/* The table's readers: -1, or the index of the first value refused. */
int takeprojection(RENDEROPTIONS *o, const char *const *v);
int takecenter(RENDEROPTIONS *o, const char *const *v);
int takecamera(RENDEROPTIONS *o, const char *const *v);
int takeshade(RENDEROPTIONS *o, const char *const *v);
int takeheight(RENDEROPTIONS *o, const char *const *v);
int takeheightlimit(RENDEROPTIONS *o, const char *const *v);

/* The bounds (elevation 0..90, height limit > 0), options that belong to
   another projection, and the graph, which is the plane's; returns 1, or
   0 with the complaint in *error. */
int projectionoptions_check(const PROJECTIONOPTIONS *p, int graph, std::string *error);

/* Sets the `projection` global (render/projection.h) from the options. */
void projectionoptions_apply(const PROJECTIONOPTIONS *p);

#endif
