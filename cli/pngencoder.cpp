/*
 * pngencoder.cpp - see pngencoder.h.
 *
 * libpng reports errors by longjmp back to the setjmp below; nothing with
 * a destructor lives between the two, and the row buffer is freed on both
 * ways out.  Texts that are plain ASCII go into tEXt chunks; any other
 * text is taken as UTF-8 and goes into an uncompressed iTXt chunk, since
 * tEXt is Latin-1 only.
 */
#include "cli/pngencoder.h"

#include <csetjmp>
#include <cstdlib>

#include <png.h>

namespace {

struct SINK {
    PNGWRITE write;
    void *sink;
};

void writebytes(png_structp png, png_bytep data, size_t size)
{
    SINK *s = (SINK *)png_get_io_ptr(png);
    if (s->write(s->sink, data, size) != 0)
        png_error(png, "write failed");
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

}   // namespace

int encodepng(int width, int height, PNGROW getrow, void *source,
              const PNGTEXT *texts, int ntexts, PNGWRITE write, void *sink, bool fast)
{
    SINK s = {write, sink};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quieterror, quietwarning);
    if (png == nullptr)
        return PNG_NOMEMORY;
    png_infop info = png_create_info_struct(png);
    png_textp chunks = (png_textp)std::calloc((size_t)(ntexts > 0 ? ntexts : 1), sizeof(png_text));
    unsigned char *row = (unsigned char *)std::malloc((size_t)width * 3);
    if (info == nullptr || chunks == nullptr || row == nullptr) {
        std::free(chunks);
        std::free(row);
        png_destroy_write_struct(&png, info == nullptr ? nullptr : &info);
        return PNG_NOMEMORY;
    }

    /* volatile: read after a longjmp from inside libpng. */
    volatile int code = PNG_WRITEFAILED;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_write_fn(png, &s, writebytes, flushbytes);
        png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
        if (fast) {
            png_set_compression_level(png, 1);
            png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
        }
        for (int k = 0; k < ntexts; k++) {
            chunks[k].compression = ascii(texts[k].text) ? PNG_TEXT_COMPRESSION_NONE
                                                         : PNG_ITXT_COMPRESSION_NONE;
            chunks[k].key = (png_charp)texts[k].key;
            chunks[k].text = (png_charp)texts[k].text;
        }
        png_set_text(png, info, chunks, ntexts);
        png_write_info(png, info);
        for (int y = 0; y < height; y++) {
            getrow(source, y, row);
            png_write_row(png, row);
        }
        png_write_end(png, info);
        code = PNG_OK;
    }
    png_destroy_write_struct(&png, &info);
    std::free(chunks);
    std::free(row);
    return code;
}
