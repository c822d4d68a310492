/*
 * evalline.h - reading one input line of `lumo eval`, and quoting it in a
 * message.  They take text as it came in, so they are fuzzed
 * (tests/cli/fuzz).
 */
#ifndef LUMO_CLI_EVALLINE_H
#define LUMO_CLI_EVALLINE_H

#include <cstddef>
#include <cstdio>

/* Reads one line from in into line (capacity size, at least 2): at most
   size - 1 bytes, up to and with its line end, then a terminating NUL, so
   that however long a line is, no more than size bytes are ever taken.
   Returns the number of bytes read (a line that fills them without its
   line end is longer than they allow, and its rest is left unread), or -1
   at the end of the input or on a read error (see ferror). */
long readline(FILE *in, char *line, size_t size);

/* Splits line (which it changes) into exactly two numbers x and y
   separated by blanks; returns 1 when that is what the line holds. */
int readpoint(char *line, double *x, double *y);

/* The length bytes of line for a message, in quote (capacity size, at
   least 6): cut short, without its line end, control characters and bytes
   beyond ASCII written as escapes, always terminated. */
void quoteline(const char *line, size_t length, char *quote, size_t size);

#endif
