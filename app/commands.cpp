/*
 * commands.cpp - the colour-map, absolute-value and grid commands: they
 * change the current formula's settings and the menu marks; none of them
 * renders (the user renders with R).
 */
#include "app/LumoDomainColoring.h"

static void check(int id, int on)
{
    CheckMenuItem(g_hMenu, (UINT)id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

static void enable(int id, int on)
{
    EnableMenuItem(g_hMenu, (UINT)id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

/* The grid command that matches the current formula's grid flags. */
static int storedgrid()
{
    return CMD_NOGRIDS + squaregridflag[formula] + 2 * phasegridflag[formula];
}

/* Commands 140..144: domain-colouring maps 0..4; 145..147: the OKLab maps
   7..9.  Cyclic - 3-D forces the grids off and greys the Grid menu; the
   others enable it and re-mark the formula's own grid choice through a
   posted grid command. */
void colormapcommand(HWND window, int id)
{
    if (id >= CMD_PERCEPTUAL)
        gradient[formula] = GRADIENT_PERCEPTUAL + (id - CMD_PERCEPTUAL);
    else
        gradient[formula] = id - CMD_CONTINUOUS;
    displaylimitflag = 0;
    for (int k = CMD_CONTINUOUS; k <= CMD_ENHANCED; k++)
        check(k, k == id);
    check(CMD_ABSGREY, 0);
    check(CMD_ABSCOLOR, 0);
    enable(CMD_DEBUG, 0);
    if (id != CMD_3D) {
        for (int k = CMD_NOGRIDS; k <= CMD_BOTHGRIDS; k++)
            enable(k, 1);
        PostMessageA(window, WM_COMMAND, (WPARAM)storedgrid(), 0);
    } else {
        squaregridflag[formula] = 0;
        phasegridflag[formula] = 0;
        for (int k = CMD_NOGRIDS; k <= CMD_BOTHGRIDS; k++) {
            check(k, k == CMD_NOGRIDS);
            enable(k, 0);
        }
        PostMessageA(window, WM_COMMAND, CMD_NOGRIDS, 0);
    }
}

/* Commands 150, 151: the Absolute Value maps (gradient 5, 6).  They enable
   Debug and keep the maximum |w| report as it is. */
void absvaluecommand(HWND window, int id)
{
    gradient[formula] = id == CMD_ABSGREY ? GRADIENT_ABSGREY : GRADIENT_ABSCOLOR;
    check(CMD_ABSGREY, id == CMD_ABSGREY);
    check(CMD_ABSCOLOR, id == CMD_ABSCOLOR);
    enable(CMD_DEBUG, 1);
    for (int k = CMD_CONTINUOUS; k <= CMD_ENHANCED; k++)
        check(k, 0);
    for (int k = CMD_NOGRIDS; k <= CMD_BOTHGRIDS; k++)
        enable(k, 1);
    PostMessageA(window, WM_COMMAND, (WPARAM)storedgrid(), 0);
}

/* Commands 160..163: no grids, square, phase, both. */
void gridcommand(int id)
{
    int choice = id - CMD_NOGRIDS;
    squaregridflag[formula] = choice & 1;
    phasegridflag[formula] = (choice >> 1) & 1;
    for (int k = CMD_NOGRIDS; k <= CMD_BOTHGRIDS; k++)
        check(k, k == id);
}
