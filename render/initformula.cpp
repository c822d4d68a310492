/*
 * initformula.cpp - making a formula current: its built-in settings the
 * first time, its remembered ones afterwards, and the menu marks to match.
 */
#include "common/platform.h"
#include "render/settings.h"
#include "resources/resource.h"     /* the menu command ids */

/* Copies the built-in view and colour settings of formula f into its
   current settings. */
static void loaddefaults(int f)
{
    im[f].first = 0;
    xmin[f] = im[f].xmin;
    xmax[f] = im[f].xmax;
    ymin[f] = im[f].ymin;
    ymax[f] = im[f].ymax;
    V[f] = im[f].V;
    brightness[f] = 3 - (int)(V[f] * 2.0);
    gradient[f] = im[f].gradient;
    squaregridflag[f] = im[f].squaregridflag;
    phasegridflag[f] = im[f].phasegridflag;
}

/* Makes formula f current and brings the Color Map and Grid menus into
   line with it.  The colour-map command goes first: the Cyclic - 3-D one
   clears the grids and greys the Grid menu, the others enable it again,
   and the grid command then restores the formula's own grid choice.  The
   Absolute Value maps get their commands too, so that their menu marks
   follow the formula like the others. */
int InitFormula(int f)
{
    if (im[f].first != 0)
        loaddefaults(f);

    int g = gradient[f];
    if (g >= GRADIENT_CONTINUOUS && g <= GRADIENT_3D)
        window_menucommand(CMD_CONTINUOUS + g);
    else if (g == GRADIENT_ABSGREY)
        window_menucommand(CMD_ABSGREY);
    else if (g == GRADIENT_ABSCOLOR)
        window_menucommand(CMD_ABSCOLOR);
    else if (g >= GRADIENT_PERCEPTUAL && g <= GRADIENT_ENHANCED)
        window_menucommand(CMD_PERCEPTUAL + (g - GRADIENT_PERCEPTUAL));

    window_menucommand(CMD_NOGRIDS + squaregridflag[f] + 2 * phasegridflag[f]);
    return 0;
}
