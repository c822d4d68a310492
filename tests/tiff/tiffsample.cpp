/*
 * tiffsample.cpp - writes sample pictures as TIFF files for the checks
 * with libtiff's tools and PIL.
 *
 *   tiffsample KIND WIDTH HEIGHT OUTBASE [--graph] [--unlimited]
 *
 * KIND is a synthetic picture (black, smooth, noise, palette, distinct) or
 * "render:N", a render of formula N with its built-in settings (--graph:
 * with the real-axis graph beside a 600 x 600 image, saved 1300 wide).
 * Writes OUTBASE.rgb (the surface bytes that are saved), OUTBASE-1.tif and
 * OUTBASE-5.tif (uncompressed and LZW), and prints one line with the two
 * codes writetiff returned.
 *
 * --unlimited writes the LZW file with the encoder called directly and no
 * size limit, for pictures LZW cannot shrink whose code streams are still
 * worth decoding.
 */
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/LumoIO.h"
#include "common/platform.h"
#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/settings.h"
#include "sampleimages.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"
#include "tiff/tiffheader.h"

/* Renders formula f row by row, the way the window program does. */
/* The LZW file through the encoder alone, with no limit on the output. */
static int savelzwunlimited(const char *name)
{
    int error = 0;
    SAVESINK *sink = savesink_open(name, &error);
    if (sink == nullptr)
        return 1;
    unsigned char header[TIFF_HEADERBYTES];
    int64_t raw = (int64_t)xres * 3 * yres;
    maketiffheader(header, xres, yres, TIFF_LZW, (unsigned int)raw);
    savesink_write(sink, header, sizeof header);
    std::vector<unsigned char> row((size_t)xres * 3);
    int result = LZWstart(sink, raw * 4);
    for (int y = 0; y < yres && result == LZW_OK; y++) {
        surface_getrow(y, xres, row.data());
        result = LZWcompressbytes(row.data(), row.size());
    }
    int64_t strip = 0;
    if (result == LZW_OK)
        result = LZWfinish(&strip);
    unsigned char count[4] = {(unsigned char)strip, (unsigned char)(strip >> 8),
                              (unsigned char)(strip >> 16), (unsigned char)(strip >> 24)};
    if (result == LZW_OK && savesink_patch(sink, 114, count, sizeof count) != 0)
        result = LZW_WRITEFAILED;
    if (result != LZW_OK) {
        savesink_abort(sink);
        return result == LZW_TOOLARGE ? 4 : 3;
    }
    return savesink_commit(sink) == 0 ? 0 : 3;
}

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: tiffsample KIND WIDTH HEIGHT OUTBASE [--graph] [--unlimited]\n");
        return 2;
    }
    int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
    std::string base = argv[4];
    int withgraph = 0, unlimited = 0;
    for (int k = 5; k < argc; k++) {
        withgraph |= std::strcmp(argv[k], "--graph") == 0;
        unlimited |= std::strcmp(argv[k], "--unlimited") == 0;
    }
    headless_messagestream(nullptr);

    int made;
    if (std::strncmp(argv[1], "render:", 7) == 0) {
        made = makeformula(std::atoi(argv[1] + 7), width, height, withgraph && width == 600 && height == 600);
        /* What the save command does while the graph is shown. */
        if (graphflag)
            xres = 1300;
    } else {
        int kind = samplekind(argv[1]);
        if (kind < 0) {
            std::fprintf(stderr, "tiffsample: unknown kind %s\n", argv[1]);
            return 2;
        }
        made = makesample(kind, width, height);
        xres = width;
        yres = height;
    }
    if (made != 0) {
        std::fprintf(stderr, "tiffsample: no memory for the picture\n");
        return 1;
    }

    /* The saved bytes: xres columns of every row of the surface. */
    FILE *rgb = std::fopen((base + ".rgb").c_str(), "wb");
    if (rgb == nullptr)
        return 1;
    const unsigned char *p = headless_pixels();
    for (int row = 0; row < yres; row++)
        std::fwrite(p + (size_t)row * surface_width() * 3, 1, (size_t)xres * 3, rgb);
    if (std::fclose(rgb) != 0)
        return 1;

    LumoIO::strcpy_s(tifffile, sizeof tifffile, (base + "-1.tif").c_str());
    int plain = writetiff(1);
    int lzw;
    if (unlimited) {
        lzw = savelzwunlimited((base + "-5.tif").c_str());
    } else {
        LumoIO::strcpy_s(tifffile, sizeof tifffile, (base + "-5.tif").c_str());
        lzw = writetiff(5);
    }
    std::printf("%d %d %s\n", plain, lzw, headless_lastmessage());
    return 0;
}
