/*
 * pngdeflate.h - a PNG picture's image data (IDAT contents) as one zlib
 * stream made of bands of rows that are filtered and deflated apart, so
 * that any number of threads can compress them at once.
 *
 * Every row gets the Up filter (the difference from the row above).  A
 * band is a raw deflate stream that starts with an empty history and ends
 * on a full flush (the last band on the stream's end); the bands laid end
 * to end between the zlib header and the Adler-32 of all the filtered
 * bytes are one valid zlib stream.  Band boundaries depend on the
 * picture's width alone, so the stream is the same bytes whatever the
 * number of threads.
 */
#ifndef LUMO_PNGDEFLATE_H
#define LUMO_PNGDEFLATE_H

#include <cstddef>
#include <cstdint>
#include <vector>

/* Fills rgb with row `row` of the picture, 3 bytes a pixel, red first. */
typedef void (*PNGROW)(void *source, int row, unsigned char *rgb);

/* The compression used unless a level 0..9 is asked for: zlib's level 2
   tuned for the maps' pictures (see pngdeflate.cpp). */
enum { PNG_DEFAULTLEVEL = -1 };

/* The rows in each band of a picture width pixels wide (the last band of
   a picture may have fewer). */
int pngbandrows(int width);

/* The 2-byte zlib header for a level 0..9 or the default, as zlib's
   deflate writes it. */
void pngzlibheader(int level, unsigned char header[2]);

/* One thread's compressor: its deflate state and row buffers. */
struct PNGDEFLATER;

/* Returns null when there is not enough memory. */
PNGDEFLATER *pngdeflater_new(int width, int level);
void pngdeflater_free(PNGDEFLATER *d);

/* One band's result: its deflate bytes, the Adler-32 of its filtered
   bytes and how many there were (for adler32_combine). */
struct PNGBAND {
    std::vector<unsigned char> data;
    uint32_t adler = 1;
    size_t rawsize = 0;
};

/* Filters and deflates rows first .. first + count - 1 of a picture of
   height rows into *band; the band that ends the picture finishes the
   deflate stream.  Rows first - 1 .. first + count - 1 must be final.
   Returns false when memory runs out. */
bool pngdeflateband(PNGDEFLATER *d, PNGROW getrow, void *source, int first, int count, int height,
                    PNGBAND *band);

#endif
