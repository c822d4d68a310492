/*
 * progress.h - the progress line of a long render on a terminal.
 */
#ifndef LUMO_CLI_PROGRESS_H
#define LUMO_CLI_PROGRESS_H

#include <string>

/* "[#####-----]  34 %  204/600 rows  0:12 elapsed, 0:23 left", padded
   with blanks to one width so that it overwrites the line before it
   (under 80 columns, so it never wraps); without the time left once every
   row is done. */
std::string progressline(int done, int total, double elapsed);

#endif
