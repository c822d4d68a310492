/*
 * colormap.h - the colour of one pixel from the value w of the formula:
 * ten colour maps, the escape colouring of the fractals, and the phase
 * and square grids blended over them.
 */
#ifndef LUMO_COLORMAP_H
#define LUMO_COLORMAP_H

/* One palette entry, red first. */
struct PALETTE {
    unsigned char r;
    unsigned char g;
    unsigned char b;
};

/* 16 grey levels of the escape colouring: 0, 16, ..., 128, ..., 16. */
extern const PALETTE greypal[16];
/* 256 colours of the Absolute Value colour gradient, blue to yellow. */
extern const PALETTE LUMODC[256];

/* Modulus from which the Absolute Value maps take the top of their scale
   and the renderer stops tracking the largest |w|. */
const double MODULUSLIMIT = 1.797693135e+304;

/* Colours one pixel of formula `formula` from its escape count `result`, w,
   |w| and the phase of w in degrees (0..360), reading the current colour
   settings.  Pure apart from those reads; safe to call from several threads.
   A pixel whose value cannot be placed on the map (w not a number, or an
   infinite |w| where the map needs a finite one) comes out white. */
void pixelcolor(int formula, int result, double wx, double wy, double modulus,
                double hue, int *r, int *g, int *b);

#endif
