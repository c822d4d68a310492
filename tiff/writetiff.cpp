/*
 * writetiff.cpp - saves the off-screen image as a TIFF file.
 *
 * Rows are read from the surface whole into one reused row buffer (each
 * once the caller says it is final, when the image is still being made)
 * and go to the save sink as they are, or through the LZW encoder, which
 * streams its codes to the sink; the strip's byte count is patched into
 * the header at the end.  While it works the main window is disabled, shows the wait
 * cursor and has the progress in its title.  Nothing reaches the target
 * path before the sink's commit, so a save that fails at any point leaves
 * the file that was there as it was.
 */
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

#include <cerrno>
#include <cstdlib>

#include "common/LumoIO.h"
#include "common/platform.h"
#include "render/settings.h"
#include "tiff/tiffheader.h"

char tifffile[260];
int tiffsavereason;

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

/* Where the rows come from: the surface, once wait says a row is final. */
struct ROWSOURCE {
    TIFFROWWAIT wait;
    void *context;
};

/* Returns 0, or 2 when the row never comes (no memory). */
static int readrow(const ROWSOURCE *source, int row, int width, unsigned char *rowbuffer)
{
    if (source->wait != nullptr && source->wait(row, source->context) != 0)
        return 2;
    surface_getrow(row, width, rowbuffer);
    return 0;
}

/* Writes the pixels row by row as red, green, blue bytes.  Returns 0, 3
   when the sink fails, or 2 when a row never comes. */
static int writerows(SAVESINK *sink, const ROWSOURCE *source, unsigned char *rowbuffer, int width,
                     int height)
{
    int lastpercent = 0;
    size_t rowbytes = (size_t)width * 3;
    for (int row = 0; row < height; row++) {
        window_peekmessages();
        showprogress(row, height, &lastpercent);
        if (readrow(source, row, width, rowbuffer) != 0)
            return 2;
        if (savesink_write(sink, rowbuffer, rowbytes) != 0)
            return 3;
    }
    return 0;
}

/* Puts a 32-bit number into 4 bytes, least significant first. */
static void putlong(unsigned char *p, uint32_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}

/* Encodes the rows and patches StripByteCounts.  Returns 0, 4 when the
   encoder gives up past 95 % of the raw size, 3 when the sink fails, 2
   when a row never comes. */
static int compressrows(SAVESINK *sink, const ROWSOURCE *source, unsigned char *rowbuffer, int width,
                        int height)
{
    int lastpercent = 0;
    size_t rowbytes = (size_t)width * 3;
    int result = LZWstart(sink, (int64_t)rowbytes * height * 19 / 20);
    for (int row = 0; row < height && result == LZW_OK; row++) {
        window_peekmessages();
        showprogress(row, height, &lastpercent);
        if (readrow(source, row, width, rowbuffer) != 0) {
            codesink = nullptr;
            return 2;
        }
        result = LZWcompressbytes(rowbuffer, rowbytes);
    }
    int64_t stripbytes = 0;
    if (result == LZW_OK)
        result = LZWfinish(&stripbytes);
    codesink = nullptr;
    if (result == LZW_OK) {
        unsigned char count[4];
        putlong(count, (uint32_t)stripbytes);
        if (savesink_patch(sink, TIFF_STRIPBYTECOUNTS_AT, count, sizeof count) != 0)
            result = LZW_WRITEFAILED;
    }
    return result == LZW_OK ? 0 : result == LZW_TOOLARGE ? 4 : 3;
}

/* Saves the xres x yres image to tifffile, uncompressed (compression 1) or
   LZW-compressed (5).  Returns 0 or the error code; see saveerror. */
int writetiff(int compression)
{
    return writetiffwhile(compression, nullptr, nullptr);
}

int writetiffwhile(int compression, TIFFROWWAIT wait, void *context)
{
    const ROWSOURCE source = {wait, context};
    int width = xres;
    int height = yres;
    int lzw = compression == TIFF_LZW;
    int64_t rawbytes = (int64_t)width * 3 * height;

    window_gettitle(progtitle, (int)sizeof progtitle);
    tiffsavereason = 0;

    unsigned char *rowbuffer = (unsigned char *)std::malloc((size_t)width * 3);
    if (rowbuffer == nullptr) {
        tiffsavereason = ENOMEM;
        return 2;
    }
    int error = 0;
    SAVESINK *sink = savesink_open(tifffile, &error);
    if (sink == nullptr) {
        std::free(rowbuffer);
        tiffsavereason = error;
        return error == ENOMEM ? 2 : 1;
    }

    unsigned char header[TIFF_HEADERBYTES];
    maketiffheader(header, width, height, compression, (unsigned int)rawbytes);
    savesink_write(sink, header, sizeof header);   /* an error sticks: the rows see it */

    void *cursor = cursor_wait();
    window_enable(0);
    int code = lzw ? compressrows(sink, &source, rowbuffer, width, height)
                   : writerows(sink, &source, rowbuffer, width, height);
    std::free(rowbuffer);

    if (code == 0) {
        error = savesink_commit(sink);
        if (error != 0)
            code = 3;
    } else {
        error = code == 2 ? ENOMEM : savesink_error(sink);
        savesink_abort(sink);
    }
    tiffsavereason = error;
    window_enable(1);
    cursor_restore(cursor);
    window_settitle(progtitle);
    return code;
}
