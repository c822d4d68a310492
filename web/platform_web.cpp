/*
 * platform_web.cpp - the browser's part of the platform layer.
 *
 * The page's module uses the in-memory surface of headless/surface.cpp as
 * it is (the off-screen image, the pen that draws the graph strip, window
 * calls that do nothing, message boxes remembered): the browser build
 * links that file, so the strip's pixels come from the same rasteriser as
 * lumo's.  What a browser cannot do is save a file in place: a picture
 * leaves the page as a download, so every save call here refuses with
 * ENOSYS and nothing in the page calls them.
 */
#include <cerrno>

#include "common/platform.h"

int savefile_check(const char *) { return ENOSYS; }
int savefile_open(const char *, void **file)
{
    *file = nullptr;
    return ENOSYS;
}
int savefile_write(void *, const void *, size_t) { return ENOSYS; }
int savefile_writeat(void *, long long, const void *, size_t) { return ENOSYS; }
int savefile_commit(void *) { return ENOSYS; }
void savefile_abort(void *) {}
