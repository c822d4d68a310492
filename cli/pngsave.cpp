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

struct SURFACEROWS {
    int width;
    PNGROWWAIT wait;
    void *context;
};

/* Any thread: the surface is only read, in rows already final. */
void surfacerow(void *source, int row, unsigned char *rgb)
{
    surface_getrow(row, ((const SURFACEROWS *)source)->width, rgb);
}

int awaitrow(void *source, int row)
{
    const SURFACEROWS *rows = (const SURFACEROWS *)source;
    return rows->wait(row, rows->context);
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

/* The PNG of the rows source gives, through the save sink. */
int saverows(const char *path, int width, int height, const PNGSOURCE *source, int level, int threads,
             const char *comment, int *reason)
{
    *reason = 0;
    SAVESINK *sink = savesink_open(path, reason);
    if (sink == nullptr)
        return *reason == ENOMEM ? 2 : 1;
    const PNGTEXT texts[2] = {{"Software", "Lumo Domain Coloring"}, {"Comment", comment}};
    int code = encodepng(width, height, source, level, threads, texts, 2, sinkwrite, sink);
    if (code != PNG_OK) {
        *reason = savesink_error(sink) != 0 ? savesink_error(sink) : ENOMEM;
        savesink_abort(sink);
        return code == PNG_NOMEMORY ? 2 : 3;
    }
    *reason = savesink_commit(sink);
    return *reason == 0 ? 0 : 3;
}

}   // namespace

int savepng(const char *path, int width, int height, const char *comment, int level, int threads,
            PNGROWWAIT wait, void *context, int *reason)
{
    SURFACEROWS rows = {width, wait, context};
    const PNGSOURCE source = {surfacerow, wait != nullptr ? awaitrow : nullptr, &rows};
    return saverows(path, width, height, &source, level, threads, comment, reason);
}

int savepngrgb(const char *path, int width, int height, const unsigned char *rgb, const char *comment,
               int *reason)
{
    MEMORYIMAGE image = {width, rgb};
    const PNGSOURCE source = {memoryrow, nullptr, &image};
    return saverows(path, width, height, &source, PNG_DEFAULTLEVEL, 1, comment, reason);
}
