/*
 * steadymath.h - the few transcendental functions the perceptual colour
 * maps need, written with + - * / sqrt, floor, frexp and ldexp only.
 *
 * The C libraries of the native and the Windows builds round sin, cos, cbrt
 * and pow differently in the last bit, and a colour one byte off would make
 * the two builds save different files.  The operations used here are
 * exactly rounded by IEEE 754 on every build, so these functions return the
 * same double everywhere.  They are accurate to a few units in the last
 * place over the ranges the maps use, which is far more than a byte needs.
 */
#ifndef LUMO_STEADYMATH_H
#define LUMO_STEADYMATH_H

/* Sine and cosine of an angle in degrees (any finite angle). */
void steady_sincosdeg(double degrees, double *s, double *c);

/* The fractional part of log2(x) for a finite x > 0, in [0, 1): 0 exactly
   at the powers of two. */
double steady_log2fraction(double x);

/* The cube root of x >= 0. */
double steady_cbrt(double x);

/* The sRGB transfer function: linear light 0..1 to the encoded 0..1. */
double steady_srgbencode(double linear);

#endif
