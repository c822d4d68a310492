/*
 * pngdeflate.cpp - see pngdeflate.h.
 *
 * The filter and the default compression were chosen on the 31 formulas'
 * default pictures (600 x 600; smooth gradients, grids, escape bands) and
 * formula 3 at 2000 x 2000 against libpng's own choice (its adaptive
 * filter, level 6, Z_FILTERED), by size and processor time: the Up filter
 * on every row beats the adaptive choice at every level (0.97 x its size
 * at level 6) and costs next to nothing to compute.  Of zlib's levels, 4
 * is the fastest that keeps the total within 1.15 x (1.03 x, in 0.28 x
 * libpng's time); 1 and 2 are faster but make 1.20 and 1.15 x.  Level 2's
 * fast matcher with every match of up to 32 bytes hashed (where level 2
 * hashes up to 5) and at most 4 earlier strings tried (level 2: 8) makes
 * 1.09 x (the worst picture, formula 3's gradients, 1.29 x) in two thirds
 * of level 4's time, also at 2000 x 2000: that is the default.
 * bench/save/pngsizes measures it again.
 *
 * Bands of about BANDBYTES filtered bytes: small enough that every core
 * gets its share and the last band's compression after the last row is
 * short, large enough that starting each band without history costs
 * about 0.1 % of the size.
 */
#include "cli/pngdeflate.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include <zlib.h>

enum { BANDBYTES = 256 * 1024 };

/* The default: zlib level 2 with deflateTune's good length, longest match
   hashed whole, nice length and chain (see above). */
enum { DEFAULTBASE = 2, TUNEGOOD = 4, TUNEINSERT = 32, TUNENICE = 16, TUNECHAIN = 4 };

int pngbandrows(int width)
{
    size_t rowbytes = (size_t)width * 3 + 1;
    size_t rows = BANDBYTES / rowbytes;
    return rows < 1 ? 1 : (int)rows;
}

void pngzlibheader(int level, unsigned char header[2])
{
    if (level < 0)
        level = DEFAULTBASE;
    /* FLEVEL as deflate sets it: fastest, fast, default, slowest. */
    unsigned int flags = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
    unsigned int value = (0x78u << 8) | (flags << 6);
    value += 31 - value % 31;
    header[0] = (unsigned char)(value >> 8);
    header[1] = (unsigned char)value;
}

struct PNGDEFLATER {
    z_stream z;
    int width;
    bool tuned;                     /* the default, zlib's level tuned */
    unsigned char *above, *row;     /* the previous and the current row */
    std::vector<unsigned char> in;  /* the band's filtered rows */
};

PNGDEFLATER *pngdeflater_new(int width, int level)
{
    PNGDEFLATER *d = new (std::nothrow) PNGDEFLATER();
    if (d == nullptr)
        return nullptr;
    d->width = width;
    d->tuned = level < 0;
    d->above = (unsigned char *)std::malloc((size_t)width * 3);
    d->row = (unsigned char *)std::malloc((size_t)width * 3);
    /* -15: raw deflate; the zlib header and checksum are the stream's. */
    if (d->above == nullptr || d->row == nullptr ||
        deflateInit2(&d->z, d->tuned ? DEFAULTBASE : level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        std::free(d->above);
        std::free(d->row);
        delete d;
        return nullptr;
    }
    return d;
}

void pngdeflater_free(PNGDEFLATER *d)
{
    if (d == nullptr)
        return;
    deflateEnd(&d->z);
    std::free(d->above);
    std::free(d->row);
    delete d;
}

/* Filter type 2, Up: each byte less the byte above it. */
static void filterup(const unsigned char *row, const unsigned char *above, size_t n, unsigned char *out)
{
    out[0] = 2;
    for (size_t i = 0; i < n; i++)
        out[1 + i] = (unsigned char)(row[i] - above[i]);
}

/* Deflates d->in into band->data, growing it until deflate is done. */
static bool deflatein(PNGDEFLATER *d, bool last, PNGBAND *band)
{
    z_stream *z = &d->z;
    /* A reset takes the level's own parameters back. */
    if (deflateReset(z) != Z_OK ||
        (d->tuned && deflateTune(z, TUNEGOOD, TUNEINSERT, TUNENICE, TUNECHAIN) != Z_OK))
        return false;
    band->data.resize(deflateBound(z, (uLong)d->in.size()) + 16);
    z->next_in = d->in.data();
    z->avail_in = (uInt)d->in.size();
    int flush = last ? Z_FINISH : Z_FULL_FLUSH;
    for (;;) {
        z->next_out = band->data.data() + z->total_out;
        z->avail_out = (uInt)(band->data.size() - z->total_out);
        int status = deflate(z, flush);
        if (status == Z_STREAM_END || (status == Z_OK && !last && z->avail_out > 0))
            break;
        if (status != Z_OK && status != Z_BUF_ERROR)
            return false;
        band->data.resize(band->data.size() * 2);
    }
    band->data.resize(z->total_out);
    return true;
}

bool pngdeflateband(PNGDEFLATER *d, PNGROW getrow, void *source, int first, int count, int height,
                    PNGBAND *band)
{
    size_t n = (size_t)d->width * 3;
    try {
        d->in.resize((n + 1) * (size_t)count);
        if (first > 0)
            getrow(source, first - 1, d->above);
        else
            std::memset(d->above, 0, n);
        for (int k = 0; k < count; k++) {
            getrow(source, first + k, d->row);
            filterup(d->row, d->above, n, d->in.data() + (n + 1) * (size_t)k);
            unsigned char *swap = d->above;
            d->above = d->row;
            d->row = swap;
        }
        band->rawsize = d->in.size();
        band->adler = (uint32_t)adler32(1, d->in.data(), (uInt)d->in.size());
        return deflatein(d, first + count >= height, band);
    } catch (const std::bad_alloc &) {
        return false;
    }
}
