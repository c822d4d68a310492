/*
 * pngsave.cpp - see pngsave.h.  The encoder writes through a callback into
 * a temporary file; the rename publishes the finished file in one step.
 */
#include "cli/pngsave.h"

#include <cstdio>
#include <string>

#include "cli/pngencoder.h"
#include "common/platform.h"

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

int filewrite(void *sink, const unsigned char *data, size_t size)
{
    return std::fwrite(data, 1, size, (FILE *)sink) == size ? 0 : 1;
}

/* A new file beside path that no one else is writing: "wbx" fails on a
   name that exists. */
FILE *opentemporary(const std::string &path, std::string *name)
{
    for (int k = 0; k < 100; k++) {
        *name = path + ".part" + std::to_string(k);
        FILE *file = std::fopen(name->c_str(), "wbx");
        if (file != nullptr)
            return file;
    }
    return nullptr;
}

}   // namespace

int savepng(const char *path, int width, int height, const char *comment)
{
    std::string temporary;
    FILE *file = opentemporary(path, &temporary);
    if (file == nullptr)
        return 1;
    const PNGTEXT texts[2] = {{"Software", "Lumo Domain Coloring"}, {"Comment", comment}};
    int code = encodepng(width, height, surfacerow, &width, texts, 2, filewrite, file);
    int result = code == PNG_OK ? 0 : (code == PNG_NOMEMORY ? 2 : 3);
    /* Buffered bytes are written by the close, so it can fail too. */
    if (std::fclose(file) != 0 && result == 0)
        result = 3;
    if (result == 0 && std::rename(temporary.c_str(), path) != 0)
        result = 3;
    if (result != 0)
        std::remove(temporary.c_str());
    return result;
}
