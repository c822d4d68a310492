/*
 * progress.cpp - the progress line (see progress.h).
 */
#include "cli/progress.h"

#include <cstdio>

/* Seconds as m:ss, or h:mm:ss from an hour on. */
static std::string clock(double seconds)
{
    long s = seconds < 0.0 ? 0 : (long)(seconds + 0.5);
    char text[32];
    if (s >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    return text;
}

std::string progressline(int done, int total, double elapsed)
{
    enum { BAR = 20, WIDTH = 78 };
    if (total < 1)
        total = 1;
    if (done > total)
        done = total;
    int filled = (int)((long long)BAR * done / total);
    std::string line = "[" + std::string((size_t)filled, '#') + std::string((size_t)(BAR - filled), '-') + "]";
    char text[96];
    std::snprintf(text, sizeof text, " %3d %%  %d/%d rows  %s elapsed", (int)(100LL * done / total), done, total,
                  clock(elapsed).c_str());
    line += text;
    if (done < total)
        /* The rows done so far set the pace of the rest. */
        line += done > 0 ? ", " + clock(elapsed * (total - done) / done) + " left" : ", --:-- left";
    if (line.size() < WIDTH)
        line.append(WIDTH - line.size(), ' ');
    return line;
}
