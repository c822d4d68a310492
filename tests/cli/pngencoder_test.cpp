/*
 * pngencoder_test.cpp - the banded PNG encoder on many picture sizes and
 * levels: the same bytes on 1, 2 and 5 threads; libpng reads back the
 * pixels; zlib inflates the image data whole, checksum included; rows are
 * read only once the source said they were final; a sink that fails at
 * any point stops the encoder with the failure.
 */
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <vector>

#include <png.h>
#include <zlib.h>

#include "cli/pngencoder.h"

namespace {

/* A picture with gradients, noise and flat parts, rows readable only
   once awaited. */
struct PICTURE {
    int width, height;
    std::atomic<int> final{-1};      /* the last row awaited */
    std::atomic<int> early{0};       /* rows read before they were final */
};

unsigned char sample(int x, int y, int c)
{
    if ((x / 7 + y / 5) % 3 == 0)
        return (unsigned char)(40 * c);
    unsigned int h = (unsigned int)(x * 73856093u) ^ (unsigned int)(y * 19349663u) ^ (unsigned int)c;
    return (unsigned char)(x + 2 * y + c * 50 + (h % 97 == 0 ? h >> 8 : 0));
}

void pictrow(void *source, int row, unsigned char *rgb)
{
    PICTURE *p = (PICTURE *)source;
    if (row > p->final.load())
        p->early++;
    for (int x = 0; x < p->width; x++)
        for (int c = 0; c < 3; c++)
            rgb[3 * x + c] = sample(x, row, c);
}

int pictawait(void *source, int row)
{
    PICTURE *p = (PICTURE *)source;
    if (row > p->final.load())
        p->final = row;
    return 0;
}

/* A render that stops at row 300. */
int stopsat300(void *source, int row)
{
    return row >= 300 ? 1 : pictawait(source, row);
}

int tobuffer(void *sink, const unsigned char *data, size_t size)
{
    std::vector<unsigned char> *v = (std::vector<unsigned char> *)sink;
    v->insert(v->end(), data, data + size);
    return 0;
}

/* Fails once limit bytes have gone through. */
struct LIMITED {
    size_t limit, written;
};

int limited(void *sink, const unsigned char *, size_t size)
{
    LIMITED *l = (LIMITED *)sink;
    if (l->written + size > l->limit)
        return 1;
    l->written += size;
    return 0;
}

std::vector<unsigned char> encode(int width, int height, int level, int threads, int *code)
{
    PICTURE p;
    p.width = width;
    p.height = height;
    const PNGSOURCE source = {pictrow, pictawait, &p};
    std::vector<unsigned char> out;
    *code = encodepng(width, height, &source, level, threads, nullptr, 0, tobuffer, &out);
    EXPECT_EQ(p.early.load(), 0) << "rows read before they were final";
    return out;
}

uint32_t be32(const unsigned char *p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

/* The IDAT chunks' data laid end to end, inflated by zlib: the filtered
   rows, or empty when zlib finds the stream or its checksum wrong. */
std::vector<unsigned char> inflateidat(const std::vector<unsigned char> &png, size_t expected)
{
    std::vector<unsigned char> idat;
    for (size_t pos = 8; pos + 12 <= png.size(); pos += 12 + be32(&png[pos])) {
        if (std::memcmp(&png[pos + 4], "IDAT", 4) == 0)
            idat.insert(idat.end(), &png[pos + 8], &png[pos + 8] + be32(&png[pos]));
    }
    std::vector<unsigned char> raw(expected + 1);
    uLongf size = (uLongf)raw.size();
    if (uncompress(raw.data(), &size, idat.data(), (uLong)idat.size()) != Z_OK)
        return {};
    raw.resize(size);
    return raw;
}

/* The pixels libpng reads, or empty when it refuses the file. */
std::vector<unsigned char> libpngpixels(const std::vector<unsigned char> &png, int width, int height)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    std::vector<unsigned char> pixels;
    if (png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        image.format = PNG_FORMAT_RGB;
        pixels.resize(PNG_IMAGE_SIZE(image));
        if (image.width != (png_uint_32)width || image.height != (png_uint_32)height ||
            !png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
            pixels.clear();
    }
    png_image_free(&image);
    return pixels;
}

TEST(PngEncoder, SameBytesOnAnyThreadsAndEveryReaderAgrees)
{
    /* One band, a band and a row, many bands with a short last one; one
       pixel wide; every level and the default (-1). */
    const struct {
        int width, height, level;
    } cases[] = {
        {37, 23, -1}, {600, 146, -1}, {600, 147, 1}, {2000, 500, 6}, {1, 300, 9},
        {1300, 600, 0}, {333, 777, 2}, {9600, 40, 4}, {64, 64, 3}, {500, 1100, 5},
        {100, 2000, 7}, {70, 70, 8}, {800, 700, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " level " << c.level);
        int code;
        std::vector<unsigned char> one = encode(c.width, c.height, c.level, 1, &code);
        ASSERT_EQ(code, PNG_OK);
        for (int threads : {2, 5}) {
            EXPECT_TRUE(encode(c.width, c.height, c.level, threads, &code) == one) << threads << " threads";
            EXPECT_EQ(code, PNG_OK);
        }
        std::vector<unsigned char> expected;
        for (int y = 0; y < c.height; y++)
            for (int x = 0; x < c.width; x++)
                for (int ch = 0; ch < 3; ch++)
                    expected.push_back(sample(x, y, ch));
        EXPECT_TRUE(libpngpixels(one, c.width, c.height) == expected);
        size_t rawsize = ((size_t)c.width * 3 + 1) * (size_t)c.height;
        EXPECT_EQ(inflateidat(one, rawsize).size(), rawsize);
    }
}

TEST(PngEncoder, TheDefaultIsItsOwnTuningOfLevel2)
{
    /* zlib takes a level's own parameters back on every reset. */
    int code;
    std::vector<unsigned char> tuned = encode(800, 700, PNG_DEFAULTLEVEL, 2, &code);
    EXPECT_TRUE(tuned != encode(800, 700, 2, 2, &code));
}

TEST(PngEncoder, AFailingSinkOrARenderThatStopsStopsTheEncoder)
{
    int code;
    std::vector<unsigned char> whole = encode(700, 500, 1, 1, &code);
    ASSERT_EQ(code, PNG_OK);
    for (size_t cut = 0; cut < whole.size(); cut += 1 + whole.size() / 41) {
        for (int threads : {1, 3}) {
            PICTURE p;
            p.width = 700;
            p.height = 500;
            const PNGSOURCE source = {pictrow, pictawait, &p};
            LIMITED l = {cut, 0};
            EXPECT_EQ(encodepng(700, 500, &source, 1, threads, nullptr, 0, limited, &l), PNG_WRITEFAILED)
                << cut << " bytes, " << threads << " threads";
        }
    }
    for (int threads : {1, 3}) {
        PICTURE p;
        p.width = 700;
        p.height = 500;
        const PNGSOURCE source = {pictrow, stopsat300, &p};
        std::vector<unsigned char> out;
        EXPECT_EQ(encodepng(700, 500, &source, 1, threads, nullptr, 0, tobuffer, &out), PNG_NOMEMORY);
        EXPECT_EQ(p.early.load(), 0);
    }
}

}   // namespace
