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
extern const SteadyPair SinKnots[256];    /* sin(j pi/256), hi of 26 bits */
extern const SteadyPair CosKnots[256];    /* cos(j pi/256), hi of 26 bits */
extern const SteadyPair HalfPi;
extern const SteadyPair Pi;
extern const double KnotsPerRadian;       /* 256/pi */
extern const double KnotStep[4];          /* pi/256 in four parts, see the generator */

#endif
