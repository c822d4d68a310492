/*
 * animate_none.cpp - lumo animate where there is no libpng, libwebp or
 * ffmpeg pipe (the Windows console lumo.exe): it says so.
 */
#include <cstdio>

#include "cli/commands.h"

int cmd_animate(int, char **)
{
    std::fprintf(stderr, "lumo animate: this build of lumo has no animation output (PNG, WebP, "
                         "video); use the Linux lumo\n");
    return 2;
}
