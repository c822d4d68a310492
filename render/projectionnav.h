/*
 * projectionnav.h - the mouse's rules for the sphere and the landscape,
 * shared by every front end that turns them.
 *
 * A drag on the sphere turns it like a ball held at the middle: the point
 * seen at the middle less the drag comes to the middle, i.e. it becomes the
 * centre c.  A drag on the landscape turns the camera by half a degree a
 * pixel: right turns the landscape right (the azimuth falls), down raises
 * the camera (elevation 0..90).  A wheel step multiplies the height limit
 * by 1.25 (up) or divides it.
 */
#ifndef LUMO_PROJECTIONNAV_H
#define LUMO_PROJECTIONNAV_H

struct PROJECTION;

/* Turns the sphere of a w x h picture by a drag of (dx, dy) pixels (a
   drag past the rim turns as far as the rim): 1, or 0 leaving *p as it
   was when the middle less the drag is off the sphere. */
int sphereturn(PROJECTION *p, int w, int h, int dx, int dy);

/* Orbits the landscape's camera by a drag of (dx, dy) pixels. */
void orbitcamera(PROJECTION *p, int dx, int dy);

/* One wheel step on the landscape's height limit. */
void heightwheel(PROJECTION *p, int up);

#endif
