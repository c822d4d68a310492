/*
 * pngencoder.h - an 8-bit RGB PNG with an sRGB chunk and text chunks.
 * libpng writes the chunks; the image data is compressed in bands on
 * several threads (pngdeflate.h), each band as soon as its rows are final,
 * and goes out in order.  The bytes go to a write callback, so the same
 * encoder serves a file, a save sink or a test buffer.  The file is the
 * same bytes whatever the number of threads.
 */
#ifndef LUMO_PNGENCODER_H
#define LUMO_PNGENCODER_H

#include <cstddef>

#include "cli/pngdeflate.h"     /* PNGROW, PNG_DEFAULTLEVEL */
#include "common/pngchunks.h"   /* PNGTEXT */

/* Receives the next size bytes of the file; returns 0, or non-zero when
   they could not be written (the encoder then stops). */
typedef int (*PNGWRITE)(void *sink, const unsigned char *data, size_t size);

/* Where the rows come from.  getrow may be called on any of the encoder's
   threads, for a row once await has returned 0 for it or a row below it;
   await, null when every row is there from the start, is called on the
   encoding thread only, with rows in increasing order, and returns
   non-zero when the row will never come (the encoder then stops with
   PNG_NOMEMORY). */
struct PNGSOURCE {
    PNGROW getrow;
    int (*await)(void *source, int row);
    void *source;
};

enum { PNG_OK = 0, PNG_NOMEMORY = 1, PNG_WRITEFAILED = 2 };

/* Encodes a width x height picture at zlib level 0..9, or
   PNG_DEFAULTLEVEL, on up to threads threads (the calling one included).  Returns PNG_OK, PNG_NOMEMORY, or
   PNG_WRITEFAILED when the sink refused bytes or libpng failed. */
int encodepng(int width, int height, const PNGSOURCE *source, int level, int threads,
              const PNGTEXT *texts, int ntexts, PNGWRITE write, void *sink);

/* A picture whose rows are all there, on one thread: at zlib's fastest
   level when fast (pictures then embedded in a figure), else the
   default. */
int encodepng(int width, int height, PNGROW getrow, void *source,
              const PNGTEXT *texts, int ntexts, PNGWRITE write, void *sink, bool fast = false);

#endif
