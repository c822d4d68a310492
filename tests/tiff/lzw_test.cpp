/*
 * lzw_test.cpp - the LZW code stream: packing, the width switch, Clear at a
 * full table, the end of the strip.
 */
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "headless/headless.h"
#include "lzwdecode.h"
#include "render/settings.h"
#include "sampleimages.h"
#include "savetest.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"
#include "tiffbytes.h"

namespace {

TEST(Bigendian, SwapsTheTwoBytes)
{
    struct {
        uint16_t in, out;
    } cases[] = {{0x0000, 0x0000}, {0x1234, 0x3412}, {0x00ff, 0xff00}, {0xff00, 0x00ff}, {0x8001, 0x0180}};
    for (const auto &c : cases)
        EXPECT_EQ(bigendian(c.in), c.out) << std::hex << c.in;
}

TEST(PackingTable, GivesTheShiftsForKnownWidthsAndBitsUsed)
{
    struct {
        int width, used, nextindex, hishift, loshift;
    } cases[] = {{9, 0, 9, 7, 255}, {9, 7, 0, 0, 255}, {9, 8, 1, -1, 15}, {12, 15, 11, -11, 5},
                 {12, 4, 0, 0, 255}, {10, 15, 9, -9, 7}};
    LZWinit(0);
    for (const auto &c : cases) {
        const BITS &e = b[c.width - 9][c.used];
        SCOPED_TRACE("width " + std::to_string(c.width) + ", used " + std::to_string(c.used));
        EXPECT_EQ(e.nextindex, c.nextindex);
        EXPECT_EQ(e.hishift, c.hishift);
        EXPECT_EQ(e.loshift, c.loshift);
    }
}

/* Gives writeLZWcode a fresh zeroed buffer and a limit of n words. */
struct CODEBUFFER {
    explicit CODEBUFFER(size_t n)
    {
        LZWinit(0);
        bytelimit = (int64_t)n * 2;
    }
    const unsigned char *bytes() const { return (const unsigned char *)codebuffer; }
};

TEST(WriteLZWcode, PutsEachCodeMostSignificantBitFirstAtEveryWidthAndOffset)
{
    for (int width = 9; width <= 12; width++)
        for (int used = 0; used < 16; used++)
            for (int code : {0x5a5 & ((1 << width) - 1), (1 << width) - 1, 1, 1 << (width - 1)}) {
                SCOPED_TRACE("width " + std::to_string(width) + ", used " + std::to_string(used) +
                             ", code " + std::to_string(code));
                CODEBUFFER buffer(4);
                codebits = width - 9;
                codeindex = used;
                ASSERT_EQ(writeLZWcode(code), 0);
                /* The same bits laid down one at a time. */
                unsigned char want[8] = {0};
                for (int k = 0; k < width; k++)
                    if (code >> (width - 1 - k) & 1)
                        want[(used + k) / 8] |= (unsigned char)(0x80 >> ((used + k) % 8));
                EXPECT_EQ(std::memcmp(buffer.bytes(), want, 8), 0);
                EXPECT_EQ(codeindex, (used + width) % 16);
                int64_t words = (used + width) / 16;
                EXPECT_EQ(codewords, words);
                EXPECT_EQ(codebytes, 2 * words);
            }
}

TEST(WriteLZWcode, GivesUpOnlyWhenTheOutputPassesTheLimit)
{
    CODEBUFFER buffer(16);
    headless_messagestream(nullptr);
    bytelimit = 4;
    codebits = 3;                              /* 12-bit codes: a word each 16 bits */
    int results[4];
    for (int k = 0; k < 4; k++)
        results[k] = writeLZWcode(0xabc);      /* bytes after: 0, 2, 4, 6 */
    EXPECT_EQ(results[0], 0);
    EXPECT_EQ(results[1], 0);
    EXPECT_EQ(results[2], 0);
    EXPECT_EQ(results[3], 1);
    EXPECT_STREQ(headless_lastmessage(),
                 "LZW compression ineffective for this image.\nPlease save in uncompressed format.");
}

using LzwStripTest = SaveTest;

TEST_F(LzwStripTest, AllBlackThirtyTwoSquareIs92BytesOfStrip)
{
    ASSERT_EQ(save(SAMPLE_BLACK, 32, 32, 5, "black.tif"), 0);
    std::vector<unsigned char> f = readfile(path("black.tif"));
    ASSERT_EQ(f.size(), 180u + 92u);
    EXPECT_EQ(get32(f, 114), 92u);
    const unsigned char start[] = {0x80, 0x00, 0x20, 0x50, 0x38, 0x24, 0x16, 0x0d};
    EXPECT_EQ(std::memcmp(f.data() + 180, start, sizeof start), 0);
}

/* An all-black strip of n bytes is coded as runs of 1, 2, 3 ... zeros and
   a last run of what is left, each code 9 bits wide while the table is
   small: Clear, the runs, End of Information.  Returns the bits. */
size_t blackstripbits(size_t n)
{
    size_t codes = 1, run = 1;
    while (n > run) {
        n -= run;
        run++;
        codes++;
    }
    return 9 * (codes + 1 + 1);
}

TEST_F(LzwStripTest, WordInProgressIsCountedAndIsZeroWhenEndOfInformationFillsAWord)
{
    /* 32 x 32: 720 bits, End of Information ends a word; the others end
       inside one. */
    struct {
        int width, height;
    } cases[] = {{32, 32}, {5, 1}, {10, 7}, {31, 33}, {16, 16}, {40, 1}};
    int boundarycases = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        ASSERT_EQ(save(SAMPLE_BLACK, c.width, c.height, 5, "black.tif"), 0);
        std::vector<unsigned char> f = readfile(path("black.tif"));
        size_t bits = blackstripbits((size_t)c.width * 3 * c.height);
        size_t strip = (bits / 16 + 1) * 2;
        ASSERT_EQ(f.size(), 180 + strip);
        EXPECT_EQ(get32(f, 114), strip);
        if (bits % 16 == 0) {
            boundarycases++;
            EXPECT_EQ(f[f.size() - 2], 0);
            EXPECT_EQ(f[f.size() - 1], 0);
        }
        LZWDECODED d = lzwdecode(f.data() + 180, strip);
        EXPECT_EQ(d.error, "");
        EXPECT_EQ(d.endbit, bits);
        EXPECT_EQ(d.bytes, std::vector<unsigned char>((size_t)c.width * 3 * c.height, 0));
    }
    EXPECT_GE(boundarycases, 1);
}

/* Runs the encoder directly over the whole surface, with a limit it cannot
   reach, feeding it pieces of the given size, and returns the strip. */
std::vector<unsigned char> encodesurface(int width, int height, size_t piece = 0)
{
    std::string file = ::testing::TempDir() + "lumolzw" + std::to_string(getpid()) + ".strip";
    int error = 0;
    SAVESINK *sink = savesink_open(file.c_str(), &error);
    EXPECT_NE(sink, nullptr) << savesink_reason(error);
    if (sink == nullptr)
        return {};
    size_t raw = (size_t)width * height * 3;
    const unsigned char *pixels = headless_pixels();
    if (piece == 0)
        piece = (size_t)width * 3;
    int result = LZWstart(sink, (int64_t)raw * 4);
    for (size_t at = 0; at < raw && result == LZW_OK; at += piece)
        result = LZWcompressbytes(pixels + at, piece < raw - at ? piece : raw - at);
    int64_t stripbytes = 0;
    if (result == LZW_OK)
        result = LZWfinish(&stripbytes);
    EXPECT_EQ(result, LZW_OK);
    EXPECT_EQ(savesink_commit(sink), 0);
    std::vector<unsigned char> strip = readfile(file);
    std::remove(file.c_str());
    EXPECT_EQ((int64_t)strip.size(), stripbytes);
    return strip;
}

TEST(LzwStreaming, TheStripIsTheSameWhateverThePiecesAndRunsOverManyChunks)
{
    /* A noisy picture codes to about its own size, so 500 x 400 gives
       some eleven chunks of output. */
    ASSERT_EQ(makesample(SAMPLE_NOISE, 500, 400), 0);
    std::vector<unsigned char> rows = encodesurface(500, 400);
    ASSERT_GT(rows.size(), (size_t)LZW_CHUNKWORDS * 2 * 8);
    for (size_t piece : {(size_t)1, (size_t)7, (size_t)4096, (size_t)500 * 400 * 3})
        EXPECT_EQ(encodesurface(500, 400, piece), rows) << "pieces of " << piece;
    LZWDECODED d = lzwdecode(rows.data(), rows.size());
    ASSERT_EQ(d.error, "");
    ASSERT_EQ(d.bytes.size(), 600000u);
    EXPECT_EQ(std::memcmp(d.bytes.data(), headless_pixels(), 600000), 0);
}

/* With the bytes 0, 0 and then no pair of neighbours repeated, the codes
   after Clear are 0, then 258 ("0 0"), then every later byte on its own,
   and code k after a Clear is written while entry 257 + k is added.  So
   the width of every code is known in advance. */
int widthofcode(int k)
{
    int entry = 257 + k;
    return entry <= 511 ? 9 : entry <= 1023 ? 10 : entry <= 2047 ? 11 : 12;
}

TEST(LzwWidthSwitch, CodesWidenOneCodeAfterEntries511And1023And2047AndClearAt4094)
{
    /* 1536 pixels: 4608 bytes, one Clear in mid-stream after entry 4093. */
    ASSERT_EQ(makesample(SAMPLE_DISTINCT, 48, 32), 0);
    std::vector<unsigned char> strip = encodesurface(48, 32);
    LZWDECODED d = lzwdecode(strip.data(), strip.size());
    ASSERT_EQ(d.error, "");
    ASSERT_EQ(d.bytes.size(), 4608u);
    EXPECT_EQ(std::memcmp(d.bytes.data(), headless_pixels(), 4608), 0);
    EXPECT_EQ(d.clears, 2);

    ASSERT_EQ(d.codes[0].code, 256);
    EXPECT_EQ(d.codes[0].width, 9);
    ASSERT_EQ(d.codes[1].code, 0);
    ASSERT_EQ(d.codes[2].code, 258);
    int k = 0;               /* codes since the last Clear */
    size_t byte = 3;         /* the byte the next single-byte code stands for */
    for (size_t n = 1; n + 1 < d.codes.size(); n++) {
        const LZWCODE &c = d.codes[n];
        if (c.code == 256) {
            SCOPED_TRACE("Clear after " + std::to_string(k) + " codes");
            EXPECT_EQ(257 + k, 4093);    /* right after entry 4093 */
            EXPECT_EQ(c.width, 12);
            k = 0;
            continue;
        }
        k++;
        SCOPED_TRACE("code " + std::to_string(k) + " after a Clear");
        EXPECT_EQ(c.width, widthofcode(k));
        if (n > 2) {
            EXPECT_EQ(c.code, d.bytes[byte]);
            byte++;
        }
    }
    /* Widths seen around each switch. */
    EXPECT_EQ(d.codes[254].width, 9);    /* written while entry 511 is added */
    EXPECT_EQ(d.codes[255].width, 10);
    EXPECT_EQ(d.codes[766].width, 10);   /* entry 1023 */
    EXPECT_EQ(d.codes[767].width, 11);
    EXPECT_EQ(d.codes[1790].width, 11);  /* entry 2047 */
    EXPECT_EQ(d.codes[1791].width, 12);
}

TEST(LzwEndOfStrip, TheFinalCodeTakesATableStepThatCanWidenOrClearBeforeEndOfInformation)
{
    /* n bytes of the distinct sequence give n - 2 table entries before the
       final code; the final code's own step then brings the next free code
       to 258 + n - 1. */
    struct {
        int width, height;
        int eoiwidth;     /* width of End of Information */
        int clears;       /* Clear codes in the stream */
    } cases[] = {
        {84, 1, 9, 1},     /* 252 bytes: next free 509 */
        {85, 1, 10, 1},    /* 255 bytes: step to 512 widens End of Information */
        {341, 1, 11, 1},   /* 1023 bytes: step to 1280 */
        {1279, 1, 9, 2},   /* 3837 bytes: step to 4094 puts a Clear before it */
        {1278, 1, 12, 1},  /* 3834 bytes: step to 4091 */
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.width * 3) + " bytes");
        ASSERT_EQ(makesample(SAMPLE_DISTINCT, c.width, c.height), 0);
        std::vector<unsigned char> strip = encodesurface(c.width, c.height);
        LZWDECODED d = lzwdecode(strip.data(), strip.size());
        ASSERT_EQ(d.error, "");
        size_t raw = (size_t)c.width * c.height * 3;
        ASSERT_EQ(d.bytes.size(), raw);
        EXPECT_EQ(std::memcmp(d.bytes.data(), headless_pixels(), raw), 0);
        EXPECT_EQ(d.codes.back().code, 257);
        EXPECT_EQ(d.codes.back().width, c.eoiwidth);
        EXPECT_EQ(d.clears, c.clears);
        EXPECT_EQ(strip.size(), (d.endbit / 16 + 1) * 2);
    }
}

}
