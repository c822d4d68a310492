/*
 * figureticks.h - the ticks of a figure's axes: steps of 1, 2 or 5 times a
 * power of ten, and labels with the fewest digits that tell neighbouring
 * ticks apart.
 */
#ifndef LUMO_FIGURETICKS_H
#define LUMO_FIGURETICKS_H

#include <string>
#include <vector>

struct FIGTICK {
    double value;
    std::string label;      /* UTF-8; a minus sign is U+2212 */
};

/* The step m * 10^e (m is 1, 2 or 5) of a set of ticks. */
struct TICKSTEP {
    int mantissa;
    int exponent;
};

/* The multiples of step inside [low, high] (both included), with labels. */
std::vector<FIGTICK> ticksat(TICKSTEP step, double low, double high);

/* The smallest step whose ticks along [low, high], drawn over `length`
   units, lie at least `gap` units apart plus the width of their labels
   (estimated as charwidth units a character). */
TICKSTEP choosestep(double low, double high, double length, double gap, double charwidth,
                    bool labelsacross);

/* A label's length in characters (U+2212 counts as one). */
int labelchars(const std::string &label);

#endif
