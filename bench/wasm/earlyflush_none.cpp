/*
 * earlyflush_none.cpp - earlyflush.h without its background thread, for
 * pixels.sh's lumo under Node (a build without threads): the commit's own
 * fsync makes the file durable.
 */
#include "headless/earlyflush.h"

struct EARLYFLUSH {};

EARLYFLUSH *earlyflush_start(int)
{
    static EARLYFLUSH none;
    return &none;
}

void earlyflush_grown(EARLYFLUSH *, long long) {}

int earlyflush_finish(EARLYFLUSH *)
{
    return 0;
}
