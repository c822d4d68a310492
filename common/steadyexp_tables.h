/*
 * steadyexp_tables.h - the generated knots and constants of steadyexp.cpp
 * (common/gen_steadyexp.py writes steadyexp_tables.cpp).
 */
#ifndef LUMO_COMMON_STEADYEXP_TABLES_H
#define LUMO_COMMON_STEADYEXP_TABLES_H

#include "common/steadytrig_tables.h"   /* SteadyPair */

/* A knot of the logarithm: inverse = 1/(1 + k/512) to 12 bits and
   -log(inverse) = hi + lo. */
struct SteadyLogKnot {
    double inverse;
    double hi;
    double lo;
};

extern const SteadyPair ExpKnots[256];       /* 2^(j/256), hi of 26 bits */
extern const SteadyLogKnot LogKnots[513];
extern const double KnotsPerLn2;             /* 256/log(2) */
extern const double ExpStep[3];              /* log(2)/256 in three parts */
extern const double Ln2[2];                  /* log(2) in two parts */

#endif
