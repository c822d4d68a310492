/*
 * pngsave.cpp - see pngsave.h.  The encoder writes through a callback into
 * the program's save sink, which replaces the target whole on commit.
 */
#include "cli/pngsave.h"

#include <cerrno>
#include <cstring>

#include "cli/pngencoder.h"
#include "common/platform.h"
#include "tiff/savesink.h"

const int pngsupported = 1;

namespace {

/* source: the width saved, which may be less than the surface's. */
void surfacerow(void *source, int row, unsigned char *rgb)
{
    int width = *(const int *)source;
    for (int x = 0; x < width; x++) {
        unsigned int color = surface_getpixel(x, row);
        rgb[3 * x] = (unsigned char)color;
        rgb[3 * x + 1] = (unsigned char)(color >> 8);
        rgb[3 * x + 2] = (unsigned char)(color >> 16);
    }
}

struct MEMORYIMAGE {
    int width;
    const unsigned char *rgb;
};

void memoryrow(void *source, int row, unsigned char *rgb)
{
    const MEMORYIMAGE *image = (const MEMORYIMAGE *)source;
    size_t bytes = (size_t)image->width * 3;
    std::memcpy(rgb, image->rgb + (size_t)row * bytes, bytes);
}

int sinkwrite(void *sink, const unsigned char *data, size_t size)
{
    return savesink_write((SAVESINK *)sink, data, size);
}

/* The PNG of the rows `row` gives, through the save sink. */
int saverows(const char *path, int width, int height, void (*row)(void *, int, unsigned char *),
             void *source, const char *comment, int *reason)
{
    *reason = 0;
    SAVESINK *sink = savesink_open(path, reason);
    if (sink == nullptr)
        return 1;
    const PNGTEXT texts[2] = {{"Software", "Lumo Domain Coloring"}, {"Comment", comment}};
    int code = encodepng(width, height, row, source, texts, 2, sinkwrite, sink);
    if (code != PNG_OK) {
        *reason = savesink_error(sink) != 0 ? savesink_error(sink) : ENOMEM;
        savesink_abort(sink);
        return code == PNG_NOMEMORY ? 2 : 3;
    }
    *reason = savesink_commit(sink);
    return *reason == 0 ? 0 : 3;
}

}   // namespace

int savepng(const char *path, int width, int height, const char *comment, int *reason)
{
    return saverows(path, width, height, surfacerow, &width, comment, reason);
}

int savepngrgb(const char *path, int width, int height, const unsigned char *rgb, const char *comment,
               int *reason)
{
    MEMORYIMAGE image = {width, rgb};
    return saverows(path, width, height, memoryrow, &image, comment, reason);
}
