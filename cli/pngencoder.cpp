/*
 * pngencoder.cpp - see pngencoder.h.
 *
 * libpng writes the signature and the chunks before the image data
 * (png_write_info) and, through png_write_chunk_*, the IDAT chunks that
 * carry the bands this file's threads compress, one chunk a band, and the
 * IEND chunk: libpng's own row writer compresses on one thread only.
 *
 * The encoding thread (the owner) waits for each band's rows and makes it
 * available; helper threads take bands in order and compress them, at
 * most WINDOW bands ahead of the one written last, so that the compressed
 * bands held stay few; the owner hands finished bands to libpng in order,
 * and once every row is there compresses bands itself too.  With one
 * thread the owner compresses each band when its rows are there.
 *
 * libpng reports errors by longjmp back to the setjmp below; nothing with
 * a destructor lives between the two (the threads live and end inside
 * streambands, where libpng's calls cannot fail: a refused write is only
 * noted).  Texts that are plain ASCII go into tEXt chunks; any other text
 * is taken as UTF-8 and goes into an uncompressed iTXt chunk, since tEXt
 * is Latin-1 only.  Built only where there is libpng and std::thread (not
 * in the mingw-w64 builds).
 */
#include "cli/pngencoder.h"

#include <condition_variable>
#include <csetjmp>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>

#include <png.h>
#include <zlib.h>

namespace {

struct SINK {
    PNGWRITE write;
    void *sink;
    bool failed;
};

void writebytes(png_structp png, png_bytep data, size_t size)
{
    SINK *s = (SINK *)png_get_io_ptr(png);
    if (!s->failed && s->write(s->sink, data, size) != 0)
        s->failed = true;
}

void flushbytes(png_structp) {}

/* libpng prints its errors by default; the caller reports the outcome. */
void quieterror(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void quietwarning(png_structp, png_const_charp) {}

bool ascii(const char *text)
{
    for (const char *c = text; *c != '\0'; c++) {
        if ((unsigned char)*c > 126 || ((unsigned char)*c < 32 && *c != '\n'))
            return false;
    }
    return true;
}

enum { PENDING = 0, DONE = 1, FAILED = 2 };

/* The bands of one picture and who has done what with them. */
struct BANDS {
    int width, height, level, bandrows, nbands, window;
    const PNGSOURCE *source;
    std::mutex lock;
    std::condition_variable available;   /* a band can be taken, or stop */
    std::condition_variable finished;    /* a band is compressed */
    int published = 0;   /* bands whose rows are final */
    int taken = 0;       /* bands some thread has taken */
    int written = 0;     /* bands handed to libpng */
    bool stop = false;
    std::vector<PNGBAND> band;
    std::vector<char> state;
};

/* With the lock held: whether a band can be taken now. */
bool cantake(const BANDS *b)
{
    return b->taken < b->published && b->taken < b->written + b->window;
}

/* Compresses band k and records the outcome. */
void compress(BANDS *b, PNGDEFLATER *d, int k)
{
    int first = k * b->bandrows;
    int count = b->height - first < b->bandrows ? b->height - first : b->bandrows;
    bool ok = d != nullptr && pngdeflateband(d, b->source->getrow, b->source->source, first, count,
                                            b->height, &b->band[(size_t)k]);
    std::lock_guard<std::mutex> hold(b->lock);
    b->state[(size_t)k] = ok ? DONE : FAILED;
    b->finished.notify_one();
}

void helper(BANDS *b)
{
    PNGDEFLATER *d = pngdeflater_new(b->width, b->level);
    for (;;) {
        int k;
        {
            std::unique_lock<std::mutex> hold(b->lock);
            b->available.wait(hold, [b] { return b->stop || b->taken >= b->nbands || cantake(b); });
            if (b->stop || b->taken >= b->nbands)
                break;
            k = b->taken++;
        }
        compress(b, d, k);
    }
    pngdeflater_free(d);
}

/* The owner: takes and compresses the next band when one can be taken
   (or, with wait, waits for the next band to write to be done).  Returns
   false when there was nothing to do. */
bool ownerwork(BANDS *b, PNGDEFLATER *d, bool wait)
{
    int k;
    {
        std::unique_lock<std::mutex> hold(b->lock);
        if (!cantake(b)) {
            if (wait)
                b->finished.wait(hold, [b] { return b->state[(size_t)b->written] != PENDING || cantake(b); });
            if (!cantake(b))
                return false;
        }
        k = b->taken++;
    }
    compress(b, d, k);
    return true;
}

/* Writes the bands done, in order, as IDAT chunks.  Returns PNG_OK, or
   the reason to stop. */
int writedone(BANDS *b, png_structp png, const SINK *s, uLong *adler)
{
    for (;;) {
        PNGBAND *band;
        {
            std::lock_guard<std::mutex> hold(b->lock);
            if (b->written >= b->nbands || b->state[(size_t)b->written] == PENDING)
                return PNG_OK;
            if (b->state[(size_t)b->written] == FAILED)
                return PNG_NOMEMORY;
            band = &b->band[(size_t)b->written];
        }
        int k = b->written;
        bool first = k == 0, last = k == b->nbands - 1;
        *adler = adler32_combine(*adler, band->adler, (z_off_t)band->rawsize);
        unsigned char header[2], trailer[4];
        pngzlibheader(b->level, header);
        for (int i = 0; i < 4; i++)
            trailer[i] = (unsigned char)(*adler >> (24 - 8 * i));
        png_write_chunk_start(png, (png_const_bytep) "IDAT",
                              (png_uint_32)(band->data.size() + (first ? 2 : 0) + (last ? 4 : 0)));
        if (first)
            png_write_chunk_data(png, header, 2);
        png_write_chunk_data(png, band->data.data(), band->data.size());
        if (last)
            png_write_chunk_data(png, trailer, 4);
        png_write_chunk_end(png);
        std::vector<unsigned char>().swap(band->data);
        {
            std::lock_guard<std::mutex> hold(b->lock);
            b->written++;
            b->available.notify_all();
        }
        if (s->failed)
            return PNG_WRITEFAILED;
    }
}

/* The image data: bands made available as their rows come, compressed on
   the threads, written in order.  Returns PNG_OK or the reason to stop. */
int streambands(BANDS *b, int threads, png_structp png, const SINK *s)
{
    PNGDEFLATER *mine = pngdeflater_new(b->width, b->level);
    if (mine == nullptr)
        return PNG_NOMEMORY;
    std::vector<std::thread> helpers;
    for (int k = 1; k < threads; k++) {
        try {
            helpers.emplace_back(helper, b);
        } catch (const std::system_error &) {
            break;   /* fewer threads, the same bytes */
        }
    }
    uLong adler = adler32(0, nullptr, 0);
    int code = PNG_OK;
    for (int k = 0; k < b->nbands && code == PNG_OK; k++) {
        int last = (k + 1) * b->bandrows < b->height ? (k + 1) * b->bandrows - 1 : b->height - 1;
        if (b->source->await != nullptr && b->source->await(b->source->source, last) != 0) {
            code = PNG_NOMEMORY;
            break;
        }
        {
            std::lock_guard<std::mutex> hold(b->lock);
            b->published = k + 1;
            b->available.notify_all();
        }
        if (helpers.empty())
            ownerwork(b, mine, false);
        code = writedone(b, png, s, &adler);
    }
    while (code == PNG_OK && b->written < b->nbands) {
        ownerwork(b, mine, true);
        code = writedone(b, png, s, &adler);
    }
    {
        std::lock_guard<std::mutex> hold(b->lock);
        b->stop = true;
        b->available.notify_all();
    }
    for (std::thread &t : helpers)
        t.join();
    pngdeflater_free(mine);
    return code;
}

}   // namespace

int encodepng(int width, int height, const PNGSOURCE *source, int level, int threads,
              const PNGTEXT *texts, int ntexts, PNGWRITE write, void *sink)
{
    SINK s = {write, sink, false};
    BANDS *bands = new (std::nothrow) BANDS();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quieterror, quietwarning);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    png_textp chunks = (png_textp)std::calloc((size_t)(ntexts > 0 ? ntexts : 1), sizeof(png_text));
    if (bands == nullptr || info == nullptr || chunks == nullptr) {
        delete bands;
        std::free(chunks);
        png_destroy_write_struct(&png, info == nullptr ? nullptr : &info);
        return PNG_NOMEMORY;
    }
    bands->width = width;
    bands->height = height;
    bands->level = level;
    bands->bandrows = pngbandrows(width);
    bands->nbands = (height + bands->bandrows - 1) / bands->bandrows;
    bands->window = 4 * (threads < 1 ? 1 : threads);
    bands->source = source;

    /* volatile: read after a longjmp from inside libpng. */
    volatile int code = PNG_WRITEFAILED;
    if (setjmp(png_jmpbuf(png)) == 0) {
        bands->band.resize((size_t)bands->nbands);
        bands->state.assign((size_t)bands->nbands, PENDING);
        png_set_write_fn(png, &s, writebytes, flushbytes);
        png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
        for (int k = 0; k < ntexts; k++) {
            chunks[k].compression = ascii(texts[k].text) ? PNG_TEXT_COMPRESSION_NONE
                                                         : PNG_ITXT_COMPRESSION_NONE;
            chunks[k].key = (png_charp)texts[k].key;
            chunks[k].text = (png_charp)texts[k].text;
        }
        png_set_text(png, info, chunks, ntexts);
        png_write_info(png, info);
        int streamed = s.failed ? (int)PNG_WRITEFAILED : streambands(bands, threads, png, &s);
        if (streamed == PNG_OK)
            png_write_chunk(png, (png_const_bytep) "IEND", nullptr, 0);
        code = streamed == PNG_OK && s.failed ? (int)PNG_WRITEFAILED : streamed;
    }
    png_destroy_write_struct(&png, &info);
    std::free(chunks);
    delete bands;
    return code;
}

int encodepng(int width, int height, PNGROW getrow, void *source,
              const PNGTEXT *texts, int ntexts, PNGWRITE write, void *sink, bool fast)
{
    const PNGSOURCE rows = {getrow, nullptr, source};
    return encodepng(width, height, &rows, fast ? 1 : PNG_DEFAULTLEVEL, 1, texts, ntexts, write, sink);
}
