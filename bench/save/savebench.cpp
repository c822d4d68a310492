/*
 * savebench.cpp - the time of one TIFF save of a picture already in memory.
 *
 *   savebench KIND WIDTH HEIGHT COMPRESSION FILE
 *
 * KIND is smooth or noise (tests/tiff's sample pictures) or a formula
 * number, rendered with its own settings; COMPRESSION is 1 or 5.  Prints
 * the wall-clock seconds of writetiff and its code.  It uses only what
 * every version of the program has, so bench.sh builds it against an
 * older tree too and compares the two side by side.
 */
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/settings.h"
#include "tests/tiff/sampleimages.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

static int draw(const char *kind, int width, int height)
{
    if (std::strcmp(kind, "smooth") == 0)
        return makesample(SAMPLE_SMOOTH, width, height);
    if (std::strcmp(kind, "noise") == 0)
        return makesample(SAMPLE_NOISE, width, height);
    return makeformula(std::atoi(kind), width, height, 0);
}

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: savebench smooth|noise|FORMULA WIDTH HEIGHT 1|5 FILE\n");
        return 2;
    }
    int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
    headless_messagestream(nullptr);
    if (draw(argv[1], width, height) != 0)
        return 1;
    xres = width;
    yres = height;
    std::snprintf(tifffile, sizeof tifffile, "%s", argv[5]);
    auto start = std::chrono::steady_clock::now();
    int code = writetiff(std::atoi(argv[4]));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.6f %d\n", seconds, code);
    return 0;
}
