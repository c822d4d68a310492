/*
 * pngchunks_test.cpp - text and sRGB chunks added to a PNG made by our
 * libpng encoder, read back by libpng (which drops an ancillary chunk whose
 * CRC is wrong), and inputs that are not a PNG.
 */
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <png.h>

#include "cli/pngencoder.h"
#include "common/pngchunks.h"

namespace {

const int W = 37, H = 23;

void pattern(void *, int row, unsigned char *rgb)
{
    for (int x = 0; x < W * 3; x++)
        rgb[x] = (unsigned char)(x * 7 + row * 13);
}

const PNGSOURCE SOURCE = {pattern, nullptr, nullptr};

int tobuffer(void *sink, const unsigned char *data, size_t size)
{
    std::vector<unsigned char> *v = (std::vector<unsigned char> *)sink;
    v->insert(v->end(), data, data + size);
    return 0;
}

struct READER {
    const std::vector<unsigned char> *bytes;
    size_t pos;
};

void readbytes(png_structp png, png_bytep data, size_t size)
{
    READER *r = (READER *)png_get_io_ptr(png);
    if (r->pos + size > r->bytes->size())
        png_error(png, "read past the end");
    std::memcpy(data, r->bytes->data() + r->pos, size);
    r->pos += size;
}

/* Texts, sRGB presence and pixels as libpng reads them. */
struct DECODED {
    std::vector<std::pair<std::string, std::string>> texts;
    bool srgb = false;
    std::vector<unsigned char> pixels;
};

DECODED decode(const std::vector<unsigned char> &bytes)
{
    DECODED d;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    READER r = {&bytes, 0};
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_read_fn(png, &r, readbytes);
        png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        png_textp text;
        int n = 0;
        png_get_text(png, info, &text, &n);
        for (int k = 0; k < n; k++)
            d.texts.emplace_back(text[k].key, text[k].text);
        int intent;
        d.srgb = png_get_sRGB(png, info, &intent) != 0;
        png_bytepp rows = png_get_rows(png, info);
        for (png_uint_32 y = 0; y < png_get_image_height(png, info); y++)
            d.pixels.insert(d.pixels.end(), rows[y], rows[y] + png_get_rowbytes(png, info));
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return d;
}

TEST(PngChunks, AddedTextsAndSrgbReadBackThroughLibpng)
{
    /* The CRC of the bare IEND chunk, as every PNG file ends. */
    EXPECT_EQ(pngcrc((const unsigned char *)"IEND", 4), 0xae426082u);

    std::vector<unsigned char> plain;
    ASSERT_EQ(encodepng(W, H, &SOURCE, PNG_DEFAULTLEVEL, 1, nullptr, 0, tobuffer, &plain), PNG_OK);
    DECODED before = decode(plain);
    ASSERT_EQ(before.pixels.size(), (size_t)W * H * 3);

    const PNGTEXT texts[2] = {{"Software", "Lumo Domain Coloring"},
                              {"Comment", "lumo render --formula 27 -o 'it'\\''s.png'"}};
    std::vector<unsigned char> added;
    ASSERT_TRUE(pngaddchunks(plain.data(), plain.size(), texts, 2, &added));
    DECODED after = decode(added);
    EXPECT_EQ(after.pixels, before.pixels);
    EXPECT_TRUE(after.srgb);
    ASSERT_EQ(after.texts.size(), 2u);
    for (int k = 0; k < 2; k++) {
        EXPECT_EQ(after.texts[(size_t)k].first, texts[k].key);
        EXPECT_EQ(after.texts[(size_t)k].second, texts[k].text);
    }
    /* A file that has its sRGB chunk keeps only that one. */
    std::vector<unsigned char> twice;
    ASSERT_TRUE(pngaddchunks(added.data(), added.size(), nullptr, 0, &twice));
    EXPECT_EQ(twice.size(), added.size());
}

TEST(PngChunks, RefusesWhatIsNotAPng)
{
    std::vector<unsigned char> plain, out;
    ASSERT_EQ(encodepng(W, H, &SOURCE, PNG_DEFAULTLEVEL, 1, nullptr, 0, tobuffer, &plain), PNG_OK);
    const PNGTEXT badkeys[2] = {{"", "empty"},
                                {"A keyword much longer than the seventy-nine bytes that a keyword of PNG may have at most", "x"}};
    for (const PNGTEXT &bad : badkeys)
        EXPECT_FALSE(pngaddchunks(plain.data(), plain.size(), &bad, 1, &out));
    /* Every cut of the file: true only once IHDR is whole, never a read
       past the end (the sanitizer build checks that). */
    for (size_t cut = 0; cut <= plain.size(); cut++) {
        std::vector<unsigned char> part(plain.begin(), plain.begin() + (long)cut);
        EXPECT_EQ(pngaddchunks(part.data(), part.size(), nullptr, 0, &out), cut >= 33) << cut;
    }
    std::vector<unsigned char> tiff = {'I', 'I', 42, 0, 8, 0, 0, 0};
    tiff.resize(64);
    EXPECT_FALSE(pngaddchunks(tiff.data(), tiff.size(), nullptr, 0, &out));
    EXPECT_TRUE(out.empty());
}

}  // namespace
