/*
 * evalline.h - reading one input line of `lumo eval`, and quoting it in a
 * message.  Both take text as it came in, so they are fuzzed
 * (tests/cli/fuzz).
 */
#ifndef LUMO_CLI_EVALLINE_H
#define LUMO_CLI_EVALLINE_H

#include <cstddef>

/* Splits line (which it changes) into exactly two numbers x and y
   separated by blanks; returns 1 when that is what the line holds. */
int readpoint(char *line, double *x, double *y);

/* The length bytes of line for a message, in quote (capacity size, at
   least 6): cut short, without its line end, control characters and bytes
   beyond ASCII written as escapes, always terminated. */
void quoteline(const char *line, size_t length, char *quote, size_t size);

#endif
