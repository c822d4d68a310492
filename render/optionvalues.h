/*
 * optionvalues.h - strict parsing of option values and of the options
 * that set the fractal parameters, shared by lumo's subcommands and every
 * other front end that reads settings as options.
 *
 * Out-of-range fractal values follow the Parameters dialog: the same
 * bounds, its paramerror texts, and the silent clamp of the Julia constant.
 */
#ifndef LUMO_OPTIONVALUES_H
#define LUMO_OPTIONVALUES_H

#include <cstddef>
#include <string>

#include "render/settings.h"

/* The whole text must be one number, without blanks around it.
   parsenumber takes anything strtod reads (inf and nan included);
   parsefinite refuses values that are not finite; parsewhole takes a
   base-10 integer (a value beyond a long comes back as LONG_MIN or
   LONG_MAX, which every range check refuses).  Each returns 1 when the
   text is such a number, else 0. */
int parsenumber(const char *text, double *value);
int parsefinite(const char *text, double *value);
int parsewhole(const char *text, long *value);

/* Fractal settings given on the command line; a field counts only when its
   flag is set. */
struct FRACTALOPTIONS {
    FRACTAL values;
    int maxiterset;
    int maxsizeset;
    int exponentset;
    int juliaset;
    int escape;         /* greyflag 0..2, or -1 when not given */
};

void initfractaloptions(FRACTALOPTIONS *options);

/* Tries to take the fractal option at argv[i] (--maxiter N, --bailout X,
   --exponent X, --julia CX CY, --escape 0|1|2).  Returns the number of
   arguments it took; 0 when argv[i] is not one of these options; -1 on bad
   input, with a one-line message (no trailing newline) in error. */
int takefractaloption(int argc, char **argv, int i, FRACTALOPTIONS *options,
                      char *error, size_t size);

/* Writes the given options into fr[f] when f is a fractal (0..2), and the
   escape colouring into greyflag. */
void applyfractaloptions(const FRACTALOPTIONS *options, int f);

/* A paramerror text on one line: its line feed becomes a blank. */
void paramerrorline(int error, char *buffer, size_t size);

/* The lines under an expression error: the text (or the stretch of a
   long one around the column) and a caret under the column, each line
   indented by two blanks and ended by a line feed. */
std::string exprexcerpt(const char *text, int column);

#endif
