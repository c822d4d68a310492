/*
 * texts.cpp - the texts of the About box and of the absolute-value help.
 */
#include "app/LumoDomainColoring.h"

const char abouttext[] =
    "   Lumo Domain Coloring\n"
    "\n"
    "Equations in complex variables are\n"
    "   visualized using domain coloring.\n"
    "\n"
    "Written for everyone curious about complex functions.";

const char absvaluehelp[] =
    "In this method, the absolute value of w is mapped to\n"
    "   palettes of 256 colors, representing a third dimension,\n"
    "   as opposed to mapping the real and imaginary values\n"
    "   of w with domain coloring, representing third and\n"
    "   fourth dimensions. The greyscale palette can be used\n"
    "   to create a height field for ray tracing.\n"
    "\n"
    "The palette is distributed over the interval from 0 to the\n"
    "   ' abs(w) limit ' factor, which is arbitrarily chosen for the\n"
    "   default window size of each formula. Changing this factor\n"
    "   can compress or expand the distribution. The direction\n"
    "   depends on whether the most significant component of z\n"
    "   is in the numerator or denominator of the formula.\n"
    "\n"
    "The default value of the limit factor can be restored. The\n"
    "   maximum value of abs(w) can be displayed after each\n"
    "   rendering. And the image window size can automatically\n"
    "   be set to the largest allowed range of +/- 20.0";
