/*
 * pngsizes.cpp - the size and the time of lumo's PNG image data, level by
 * level, against libpng's own defaults (its adaptive filter choice, zlib
 * level 6, Z_FILTERED), over the formulas' default pictures.
 *
 *   pngsizes [WIDTH HEIGHT [FORMULA...]]     (default 600 600, all 31)
 *
 * Each picture is rendered once in memory; then every encoder writes it
 * into memory on one thread, best processor time of three (steadier than
 * the wall clock on a shared machine).  Prints one line per
 * picture and level 0..9, and the totals: bytes, ratio to libpng's, and
 * encoding time.
 */
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <png.h>

#include "cli/pngencoder.h"
#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/settings.h"
#include "common/platform.h"
#include "tests/tiff/sampleimages.h"

namespace {

int surfacewidth;

void surfacerow(void *, int row, unsigned char *rgb)
{
    surface_getrow(row, surfacewidth, rgb);
}

size_t counted;

void countbytes(png_structp, png_bytep, size_t size)
{
    counted += size;
}

void noflush(png_structp) {}

/* The file libpng makes with its defaults, as lumo's encoder did before
   it compressed in bands: its size. */
size_t libpngdefault(int width, int height)
{
    counted = 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<unsigned char> row((size_t)width * 3);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_write_fn(png, nullptr, countbytes, noflush);
        png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; y++) {
            surfacerow(nullptr, y, row.data());
            png_write_row(png, row.data());
        }
        png_write_end(png, info);
    }
    png_destroy_write_struct(&png, &info);
    return counted;
}

int countsink(void *, const unsigned char *, size_t size)
{
    counted += size;
    return 0;
}

size_t banded(int width, int height, int level)
{
    counted = 0;
    const PNGSOURCE source = {surfacerow, nullptr, nullptr};
    encodepng(width, height, &source, level, 1, nullptr, 0, countsink, nullptr);
    return counted;
}

/* Best of three: processor seconds, and the size. */
template <class F> double timed(F encode, size_t *size)
{
    double best = 1e9;
    for (int k = 0; k < 3; k++) {
        std::clock_t start = std::clock();
        *size = encode();
        best = std::min(best, (double)(std::clock() - start) / CLOCKS_PER_SEC);
    }
    return best;
}

}   // namespace

int main(int argc, char **argv)
{
    int width = argc >= 3 ? std::atoi(argv[1]) : 600, height = argc >= 3 ? std::atoi(argv[2]) : 600;
    std::vector<int> formulas;
    for (int k = 3; k < argc; k++)
        formulas.push_back(std::atoi(argv[k]));
    for (int f = 0; argc <= 3 && f < NFORMULAS; f++)
        formulas.push_back(f);
    headless_messagestream(nullptr);
    surfacewidth = width;

    /* Index 0 is the default, 1 + k level k. */
    double reftime = 0, time[11] = {0};
    size_t reftotal = 0, total[11] = {0};
    double worst[11] = {0};
    for (int f : formulas) {
        if (makeformula(f, width, height, 0) != 0)
            return 1;
        size_t ref;
        reftime += timed([&] { return libpngdefault(width, height); }, &ref);
        reftotal += ref;
        std::printf("formula %2d  libpng default %8zu bytes", f, ref);
        for (int k = 0; k < 11; k++) {
            size_t size;
            time[k] += timed([&] { return banded(width, height, k == 0 ? PNG_DEFAULTLEVEL : k - 1); }, &size);
            total[k] += size;
            worst[k] = std::max(worst[k], (double)size / ref);
            if (k == 0)
                std::printf("  default %.3f", (double)size / ref);
            else if (k <= 7)
                std::printf("  L%d %.3f", k - 1, (double)size / ref);
        }
        std::printf("\n");
        std::fflush(stdout);
        headless_freesurface();
    }
    std::printf("\n%zu pictures of %d x %d; sizes against libpng's defaults (target: total <= 1.15)\n",
                formulas.size(), width, height);
    std::printf("libpng default: %10zu bytes         %7.1f ms\n", reftotal, reftime * 1e3);
    for (int k = 0; k < 11; k++) {
        if (k == 0)
            std::printf("default:  ");
        else
            std::printf("level %d:  ", k - 1);
        std::printf("%10zu bytes = %.3f x, worst picture %.3f x, %7.1f ms = %.2f x time\n", total[k],
                    (double)total[k] / reftotal, worst[k], time[k] * 1e3, time[k] / reftime);
    }
    return 0;
}
