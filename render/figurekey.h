/*
 * figurekey.h - the colour key of a figure, coloured by the renderer's own
 * colouring of w (colourrow), so that it cannot disagree with the picture:
 * a ring of w = e^{i theta} for the phase and a bar of w = r for the
 * modulus, r laid out on the map's own scale.
 */
#ifndef LUMO_FIGUREKEY_H
#define LUMO_FIGUREKEY_H

#include <string>
#include <vector>

/* An RGB raster, 3 bytes a pixel, red first, rows top to bottom. */
struct FIGRASTER {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

/* A tick of the modulus bar: its |w| and its place, in rows from the
   bar's top edge (a row's centre is at row + 0.5). */
struct KEYTICK {
    double modulus;
    double position;
    std::string label;
};

struct MODULUSKEY {
    FIGRASTER bar;
    std::vector<KEYTICK> ticks;
};

/* The diameter of the phase ring in pixels (odd: its centre is a pixel's
   centre, so the pixels of theta = 0, pi/2, pi, -pi/2 have w exactly 1, i,
   -1, -i) and the radii of its edges. */
const int RINGDIAMETER = 121;
const double RINGOUTER = 60.5;
const double RINGINNER = 38.0;

/* Whether formula f's current map shows the phase (all but the Absolute
   Value maps). */
bool keyshowsphase(int f);

/* The ring's |w|: a hair above 1, so that the maps with a step at |w| = 1
   (every doubling) show one side of it all round rather than either side
   by the rounding of each pixel's |w|. */
const double RINGMODULUS = 1.00000095367431640625;   /* 1 + 2^-20 */

/* The ring: the pixel (i, j) inside it has w = z / |z| * RINGMODULUS for
   z = (i - 60) + (60 - j) i; pixels outside are white.  Colours are the
   map's without the grids (as on the bar; gridnotes names them). */
FIGRASTER phasering(int f);

/* The modulus bar (w = r, the map without the grids) of formula f's current map, `width` pixels wide, and its
   ticks where the map has its contours or steps. */
MODULUSKEY moduluskey(int f, int width);

/* The lines that name the grids shown, if any. */
std::vector<std::string> gridnotes(int f);

#endif
