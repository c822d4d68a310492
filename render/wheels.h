/*
 * wheels.h - the colour maps built in OKLab: a perceptually uniform phase
 * wheel, a wheel for readers with a colour-vision deficiency, and the
 * enhanced phase portrait.  Gradient codes 7, 8 and 9 (render/settings.h).
 */
#ifndef LUMO_WHEELS_H
#define LUMO_WHEELS_H

/* Colours w with modulus |w| and phase in degrees (finite, 0..360) with
   map `map` (gradient code 7, 8 or 9) at brightness level 1..3 (3 brightest).
   A modulus that is not a number gives no colour: the caller paints such
   points white, like the other maps do. */
void wheelcolor(int map, int level, double modulus, double hue, int *r, int *g, int *b);

/* The brightness level 1..3 that a formula's V (1.0, 0.5, 0.0) stands for. */
int brightnesslevel(double v);

#endif
