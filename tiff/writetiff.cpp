/*
 * writetiff.cpp - saves the off-screen image as a TIFF file.
 *
 * The pixels are read back from the surface one by one.  An uncompressed
 * file is written a row at a time from one reused row buffer; an LZW file
 * is encoded into memory and written in one piece by the encoder after the
 * last pixel.  While it works the main window is disabled, shows the wait
 * cursor and has the progress in its title.  Every write is checked,
 * including the close, and a failed save deletes what it wrote.
 */
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

#include <cstdlib>

#include "common/LumoIO.h"
#include "common/platform.h"
#include "render/settings.h"
#include "tiff/tiffheader.h"

char tifffile[260];

const char *const saveerror[4] = {
    "Error opening a save file.",
    "Not enough memory to buffer image lines.",
    "Error writing to save file.",
    "Data compression error.",
};

/* The main window's title before the save, put back afterwards. */
static char progtitle[101];

/* Shows the progress in the title when it has grown: "37 %". */
static void showprogress(int row, int height, int *lastpercent)
{
    int percent = (int)((int64_t)row * 100 / height) + 1;
    if (percent > *lastpercent) {
        char title[50];
        LumoIO::sprintf_s(title, sizeof title, "%d %c", percent, '%');
        window_settitle(title);
        *lastpercent = percent;
    }
}

/* Writes the pixels row by row as red, green, blue bytes.  Returns 0, or 3
   when a row cannot be written. */
static int writerows(FILE *file, unsigned char *linebuffer, int width, int height)
{
    int lastpercent = 0;
    size_t rowbytes = (size_t)width * 3;
    for (int row = 0; row < height; row++) {
        window_peekmessages();
        showprogress(row, height, &lastpercent);
        for (int column = 0; column < width; column++) {
            unsigned int color = surface_getpixel(column, row);
            unsigned char *p = linebuffer + (size_t)column * 3;
            p[0] = (unsigned char)color;
            p[1] = (unsigned char)(color >> 8);
            p[2] = (unsigned char)(color >> 16);
        }
        if (std::fwrite(linebuffer, 1, rowbytes, file) != rowbytes)
            return 3;
    }
    return 0;
}

/* Feeds every pixel to the LZW encoder, which writes the strip after the
   last one.  Returns 0, or 4 when the encoder gives up or cannot write. */
static int compressrows(FILE *file, int width, int height)
{
    int lastpercent = 0;
    LZWinit(0);
    for (int row = 0; row < height; row++) {
        window_peekmessages();
        showprogress(row, height, &lastpercent);
        for (int column = 0; column < width; column++)
            if (LZWcompress(column, row, file) != 0)
                return 4;
    }
    return 0;
}

/* Saves the xres x yres image to tifffile, uncompressed (compression 1) or
   LZW-compressed (5).  Returns 0 or the error code; see saveerror. */
int writetiff(int compression)
{
    int width = xres;
    int height = yres;
    int lzw = compression == TIFF_LZW;
    int64_t rawbytes = (int64_t)width * 3 * height;

    window_gettitle(progtitle, (int)sizeof progtitle);

    FILE *file;
    if (LumoIO::fopen_s(&file, tifffile, "wb") != 0)
        return 1;

    /* The encoder gives up past 95 % of the raw size, so its buffer never
       needs to hold more than that. */
    unsigned char *linebuffer = nullptr;
    if (lzw) {
        bytelimit = rawbytes * 19 / 20;
        codebuffer = (uint16_t *)std::calloc((size_t)LZWbufferwords(bytelimit), sizeof(uint16_t));
    } else {
        linebuffer = (unsigned char *)std::calloc((size_t)width * 3, 1);
    }
    if (lzw ? codebuffer == nullptr : linebuffer == nullptr) {
        std::fclose(file);
        std::remove(tifffile);
        return 2;
    }

    int code = 0;
    int busy = 0;
    void *cursor = nullptr;
    unsigned char header[TIFF_HEADERBYTES];
    maketiffheader(header, width, height, compression, (unsigned int)rawbytes);
    if (std::fwrite(header, 1, sizeof header, file) != sizeof header) {
        code = 3;
    } else {
        busy = 1;
        cursor = cursor_wait();
        window_enable(0);
        if (lzw)
            code = compressrows(file, width, height);
        else
            code = writerows(file, linebuffer, width, height);
    }

    if (lzw) {
        std::free(codebuffer);
        codebuffer = nullptr;
    } else {
        std::free(linebuffer);
    }
    /* Data still buffered is written by the close, so it can fail too. */
    if (std::fclose(file) != 0 && code == 0)
        code = lzw ? 4 : 3;
    if (code != 0)
        std::remove(tifffile);
    if (busy) {
        window_enable(1);
        cursor_restore(cursor);
        window_settitle(progtitle);
    }
    return code;
}
