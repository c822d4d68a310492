/*
 * paramoptions.h - the values of formula 30's parameters as options:
 * --param NAME=VALUE, and for an animation --param NAME=FROM:TO.
 *
 * The options are kept as given until the typed text is known, then set
 * in one go: every parameter to 1 first, so a value comes only from an
 * option; a name the text does not have, a value that does not read, or a
 * complex value where the text compares the parameter is refused.
 */
#ifndef LUMO_PARAMOPTIONS_H
#define LUMO_PARAMOPTIONS_H

#include <string>

#include "expr/expr.h"

/* A parameter's value over an animation: from at the first frame, to at
   the last, in a straight line between.  A fixed one has from == to. */
struct PARAMRANGE {
    int param;              /* its number in the text */
    EXPRVALUE from, to;
    int moving;
};

/* Reads one option's "NAME=VALUE" (or, with ranges, "NAME=FROM:TO") for
   the current text into *range.  1, or 0 with *error saying why. */
int readparamoption(const char *given, int ranges, PARAMRANGE *range, std::string *error);

/* Sets formula 30's parameters from count options: each to 1, then each
   given to its value (its FROM).  1, or 0 with *error saying why; *note
   is one line naming the parameters no option gave a value, with the
   value used (empty when there are none). */
int applyparamoptions(int count, const char *const *given, int ranges, std::string *error,
                      std::string *note);

/* The value of range at frame k of n (0 .. n-1): from + (to - from) k / (n - 1),
   to itself at the last frame (from when n is 1), each part on its own. */
EXPRVALUE paramatframe(const PARAMRANGE &range, long k, long n);

#endif
