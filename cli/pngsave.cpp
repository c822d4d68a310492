/*
 * pngsave.cpp - see pngsave.h.  The encoder writes through a callback into
 * the program's save sink, which replaces the target whole on commit.
 */
#include "cli/pngsave.h"

#include <cerrno>

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

void awaitrow(void *source, int row)
{
    const SURFACEROWS *rows = (const SURFACEROWS *)source;
    rows->wait(row, rows->context);
}

int sinkwrite(void *sink, const unsigned char *data, size_t size)
{
    return savesink_write((SAVESINK *)sink, data, size);
}

}   // namespace

int savepng(const char *path, int width, int height, const char *comment, int level, int threads,
            PNGROWWAIT wait, void *context, int *reason)
{
    *reason = 0;
    SAVESINK *sink = savesink_open(path, reason);
    if (sink == nullptr)
        return *reason == ENOMEM ? 2 : 1;
    SURFACEROWS rows = {width, wait, context};
    const PNGSOURCE source = {surfacerow, wait != nullptr ? awaitrow : nullptr, &rows};
    const PNGTEXT texts[2] = {{"Software", "Lumo Domain Coloring"}, {"Comment", comment}};
    int code = encodepng(width, height, &source, level, threads, texts, 2, sinkwrite, sink);
    if (code != PNG_OK) {
        *reason = savesink_error(sink) != 0 ? savesink_error(sink) : ENOMEM;
        savesink_abort(sink);
        return code == PNG_NOMEMORY ? 2 : 3;
    }
    *reason = savesink_commit(sink);
    return *reason == 0 ? 0 : 3;
}
