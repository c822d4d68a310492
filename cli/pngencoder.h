/*
 * pngencoder.h - an 8-bit RGB PNG with an sRGB chunk and text chunks,
 * encoded by libpng; the bytes go to a write callback, so the same encoder
 * serves a file, a save sink or a test buffer.
 */
#ifndef LUMO_PNGENCODER_H
#define LUMO_PNGENCODER_H

#include <cstddef>

#include "common/pngchunks.h"   /* PNGTEXT */

/* Receives the next size bytes of the file; returns 0, or non-zero when
   they could not be written (the encoder then stops). */
typedef int (*PNGWRITE)(void *sink, const unsigned char *data, size_t size);

/* Fills rgb with row `row` of the picture, 3 bytes a pixel, red first. */
typedef void (*PNGROW)(void *source, int row, unsigned char *rgb);

enum { PNG_OK = 0, PNG_NOMEMORY = 1, PNG_WRITEFAILED = 2 };

/* Encodes a width x height picture.  Returns PNG_OK, PNG_NOMEMORY, or
   PNG_WRITEFAILED when the sink refused bytes or libpng failed.  `fast`
   trades size for time (zlib's fastest level, one filter for every row):
   for pictures that are then embedded in a figure. */
int encodepng(int width, int height, PNGROW getrow, void *source,
              const PNGTEXT *texts, int ntexts, PNGWRITE write, void *sink, bool fast = false);

#endif
