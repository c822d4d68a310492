/*
 * savesink.cpp - buffering for the platform's whole-file save (see
 * savesink.h).
 *
 * Writers produce a few bytes at a time (a row, a run of LZW codes); the
 * platform calls are system calls, so bytes gather in a block of BLOCKSIZE
 * and go out when it is full.
 */
#include "tiff/savesink.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "common/platform.h"

enum { BLOCKSIZE = 1 << 18 };

struct SAVESINK {
    void *file;
    unsigned char *block;
    size_t used;            /* bytes of block not yet handed on */
    int64_t size;           /* bytes written, handed on or not */
    int error;
};

SAVESINK *savesink_open(const char *path, int *error)
{
    SAVESINK *sink = new (std::nothrow) SAVESINK();
    unsigned char *block = (unsigned char *)std::malloc(BLOCKSIZE);
    if (sink == nullptr || block == nullptr) {
        delete sink;
        std::free(block);
        *error = ENOMEM;
        return nullptr;
    }
    *error = savefile_open(path, &sink->file);
    if (*error != 0) {
        delete sink;
        std::free(block);
        return nullptr;
    }
    sink->block = block;
    return sink;
}

/* Hands the gathered bytes to the platform. */
static int flushblock(SAVESINK *sink)
{
    if (sink->error == 0 && sink->used > 0)
        sink->error = savefile_write(sink->file, sink->block, sink->used);
    sink->used = 0;
    return sink->error;
}

int savesink_write(SAVESINK *sink, const void *bytes, size_t count)
{
    if (sink->error != 0)
        return sink->error;
    const unsigned char *p = (const unsigned char *)bytes;
    sink->size += (int64_t)count;
    /* Large pieces skip the copy once the block is empty. */
    while (count > 0) {
        if (sink->used == 0 && count >= BLOCKSIZE) {
            sink->error = savefile_write(sink->file, p, count);
            return sink->error;
        }
        size_t take = BLOCKSIZE - sink->used;
        if (take > count)
            take = count;
        std::memcpy(sink->block + sink->used, p, take);
        sink->used += take;
        p += take;
        count -= take;
        if (sink->used == BLOCKSIZE && flushblock(sink) != 0)
            return sink->error;
    }
    return 0;
}

int savesink_patch(SAVESINK *sink, int64_t offset, const void *bytes, size_t count)
{
    if (sink->error != 0)
        return sink->error;
    if (offset < 0 || offset + (int64_t)count > sink->size)
        return sink->error = EINVAL;
    int64_t blockstart = sink->size - (int64_t)sink->used;
    if (offset >= blockstart) {
        std::memcpy(sink->block + (offset - blockstart), bytes, count);
        return 0;
    }
    if (flushblock(sink) != 0)
        return sink->error;
    sink->error = savefile_writeat(sink->file, (long long)offset, bytes, count);
    return sink->error;
}

int64_t savesink_size(const SAVESINK *sink) { return sink->size; }
int savesink_error(const SAVESINK *sink) { return sink->error; }

int savesink_commit(SAVESINK *sink)
{
    int error = flushblock(sink);
    if (error == 0)
        error = savefile_commit(sink->file);
    else
        savefile_abort(sink->file);
    std::free(sink->block);
    delete sink;
    return error;
}

void savesink_abort(SAVESINK *sink)
{
    savefile_abort(sink->file);
    std::free(sink->block);
    delete sink;
}

const char *savesink_reason(int error)
{
    if (error == SAVEFILE_NOTREGULAR)
        return "Not a regular file";
    return std::strerror(error);
}
