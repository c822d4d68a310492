/*
 * options.h - what lumo's subcommands share beyond the core's option
 * values (render/optionvalues.h): the typed function taken from the
 * command line, with its error shown on standard error.
 */
#ifndef LUMO_CLI_OPTIONS_H
#define LUMO_CLI_OPTIONS_H

#include "render/optionvalues.h"

/* Makes text formula 30's typed function: 1, or 0 after printing
   "lumo: expression: PROBLEM at column N", the text and a caret under
   that column on standard error. */
int takeexpression(const char *text);

/* Prints an expression error as takeexpression does. */
void printexprerror(const char *text, int column, const char *problem);

#endif
