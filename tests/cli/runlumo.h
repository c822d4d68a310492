/*
 * runlumo.h - runs the lumo command-line tool as a child process with
 * given arguments and standard input, and collects what it printed.
 */
#ifndef LUMO_TESTS_RUNLUMO_H
#define LUMO_TESTS_RUNLUMO_H

#include <string>
#include <vector>

struct LUMORUN {
    int status;         /* exit status, or -1 when it did not exit normally */
    std::string out;    /* standard output */
    std::string err;    /* standard error */
};

/* Runs lumo with args and input on standard input.  A positive
   outputlimit caps the size of files the child may write (RLIMIT_FSIZE,
   SIGXFSZ ignored), so its writes to standard output fail beyond it. */
LUMORUN runlumo(const std::vector<std::string> &args, const std::string &input = "",
                long outputlimit = 0);

#endif
