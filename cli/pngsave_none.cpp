/*
 * pngsave_none.cpp - pngsave.h for builds without libpng (the Windows
 * console lumo.exe): lumo refuses a PNG name before it renders, with the
 * reason, so savepng is never reached.
 */
#include "cli/pngsave.h"

const int pngsupported = 0;

int savepng(const char *, int, int, const char *, int, int, PNGROWWAIT, void *, int *reason)
{
    *reason = 0;
    return 1;
}

int savepngrgb(const char *, int, int, const unsigned char *, const char *, int *reason)
{
    *reason = 0;
    return 1;
}
