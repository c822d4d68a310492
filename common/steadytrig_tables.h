/*
 * steadytrig_tables.h - the generated knots and constants of steadytrig.cpp
 * (common/gen_steadytrig.py writes steadytrig_tables.cpp).
 */
#ifndef LUMO_COMMON_STEADYTRIG_TABLES_H
#define LUMO_COMMON_STEADYTRIG_TABLES_H

/* A value held as the unevaluated sum hi + lo. */
struct SteadyPair {
    double hi;
    double lo;
};

extern const SteadyPair AtanKnots[257];   /* atan(k/256) */
extern const SteadyPair SinKnots[53];     /* sin(j/64), hi of 26 bits */
extern const SteadyPair CosKnots[53];     /* cos(j/64), hi of 26 bits */
extern const SteadyPair HalfPi;
extern const SteadyPair Pi;
extern const double TwoOverPi;
extern const double HalfPiParts[4];       /* pi/2 in four parts, see the generator */

#endif
