/*
 * tiffwriter_test.cpp - the file layout, the pixels, and what the user sees
 * of a save: progress in the title, the window disabled, all put back.
 */
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "headless/headless.h"
#include "lzwdecode.h"
#include "platformspy.h"
#include "sampleimages.h"
#include "savetest.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"
#include "tiffbytes.h"

namespace {

struct ENTRY {
    uint32_t tag, type, count, value;
};

/* The directory every file must carry, in this order. */
std::vector<ENTRY> expecteddirectory(uint32_t width, uint32_t height, uint32_t compression,
                                     uint32_t stripbytes)
{
    return {
        {256, 3, 1, width},  {257, 3, 1, height}, {258, 3, 3, 158},         {259, 3, 1, compression},
        {262, 3, 1, 2},      {273, 4, 1, 180},    {277, 3, 1, 3},           {278, 3, 1, height},
        {279, 4, 1, stripbytes}, {282, 5, 1, 164}, {283, 5, 1, 172},        {296, 3, 1, 2},
    };
}

/* Checks header, directory and the values it points at. */
void expectlayout(const std::vector<unsigned char> &f, uint32_t width, uint32_t height,
                  uint32_t compression, uint32_t stripbytes)
{
    ASSERT_GE(f.size(), 180u);
    EXPECT_EQ(f[0], 'I');
    EXPECT_EQ(f[1], 'I');
    EXPECT_EQ(get16(f, 2), 42u);
    EXPECT_EQ(get32(f, 4), 8u);
    EXPECT_EQ(get16(f, 8), 12u);
    std::vector<ENTRY> want = expecteddirectory(width, height, compression, stripbytes);
    for (size_t k = 0; k < want.size(); k++) {
        size_t at = 10 + 12 * k;
        SCOPED_TRACE("directory entry " + std::to_string(k + 1));
        EXPECT_EQ(get16(f, at), want[k].tag);
        EXPECT_EQ(get16(f, at + 2), want[k].type);
        EXPECT_EQ(get32(f, at + 4), want[k].count);
        EXPECT_EQ(get32(f, at + 8), want[k].value);
    }
    EXPECT_EQ(get32(f, 114), stripbytes);
    EXPECT_EQ(get32(f, 154), 0u);
    EXPECT_EQ(get16(f, 158), 8u);
    EXPECT_EQ(get16(f, 160), 8u);
    EXPECT_EQ(get16(f, 162), 8u);
    EXPECT_EQ(get32(f, 164), 300u);
    EXPECT_EQ(get32(f, 168), 1u);
    EXPECT_EQ(get32(f, 172), 300u);
    EXPECT_EQ(get32(f, 176), 1u);
}

using TiffWriterTest = SaveTest;

TEST_F(TiffWriterTest, UncompressedFilesHoldTheSurfaceBytesBehindTheFixedDirectory)
{
    struct {
        int width, height;
    } cases[] = {{32, 32}, {1300, 5}, {7, 3}, {1, 1}, {9600, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        ASSERT_EQ(save(SAMPLE_SMOOTH, c.width, c.height, 1, "plain.tif"), 0);
        std::vector<unsigned char> f = readfile(path("plain.tif"));
        uint32_t raw = (uint32_t)c.width * 3 * c.height;
        ASSERT_EQ(f.size(), 180 + raw);
        expectlayout(f, c.width, c.height, 1, raw);
        EXPECT_EQ(std::memcmp(f.data() + 180, headless_pixels(), raw), 0);
    }
}

TEST_F(TiffWriterTest, ThirtyTwoSquareIs3252BytesWith3072InTheStrip)
{
    ASSERT_EQ(save(SAMPLE_BLACK, 32, 32, 1, "black.tif"), 0);
    std::vector<unsigned char> f = readfile(path("black.tif"));
    EXPECT_EQ(f.size(), 3252u);
    EXPECT_EQ(get32(f, 114), 3072u);
}

TEST_F(TiffWriterTest, LzwFilesCarryTheCompressedLengthAndDecodeToTheSurface)
{
    struct {
        int kind, width, height;
    } cases[] = {{SAMPLE_SMOOTH, 300, 200}, {SAMPLE_PALETTE, 97, 61}, {SAMPLE_BLACK, 2, 2},
                 {SAMPLE_SMOOTH, 9600, 3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        ASSERT_EQ(save(c.kind, c.width, c.height, 5, "lzw.tif"), 0);
        std::vector<unsigned char> f = readfile(path("lzw.tif"));
        ASSERT_GT(f.size(), 180u);
        uint32_t strip = (uint32_t)f.size() - 180;
        expectlayout(f, c.width, c.height, 5, strip);
        LZWDECODED d = lzwdecode(f.data() + 180, strip);
        ASSERT_EQ(d.error, "");
        size_t raw = (size_t)c.width * 3 * c.height;
        ASSERT_EQ(d.bytes.size(), raw);
        EXPECT_EQ(std::memcmp(d.bytes.data(), headless_pixels(), raw), 0);
        /* Only the word in progress follows End of Information. */
        EXPECT_EQ(strip, (d.endbit / 16 + 1) * 2);
    }
}

TEST_F(TiffWriterTest, TitleCountsUpThePercentageAndIsRestored)
{
    struct {
        int height, compression;
        int lastpercent;   /* row * 100 / height + 1 for the last row */
    } cases[] = {{250, 1, 100}, {250, 5, 100}, {32, 1, 97}, {1, 5, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.height) + " rows, compression " + std::to_string(c.compression));
        resetspy();
        std::string before = headless_title();
        ASSERT_EQ(save(SAMPLE_SMOOTH, 200, c.height, c.compression, "title.tif"), 0);
        std::vector<std::string> titles;
        for (const std::string &e : spy.events)
            if (e.compare(0, 6, "title ") == 0)
                titles.push_back(e.substr(6));
        ASSERT_FALSE(titles.empty());
        EXPECT_EQ(titles.front(), "1 %");
        EXPECT_EQ(titles[titles.size() - 2], std::to_string(c.lastpercent) + " %");
        EXPECT_EQ(titles.back(), before);
        /* Each title shows a larger percentage; with 100 rows or more every
           percentage from 1 to 100 appears once. */
        for (size_t k = 1; k + 1 < titles.size(); k++)
            EXPECT_GT(std::stoi(titles[k]), std::stoi(titles[k - 1]));
        if (c.height >= 100) {
            EXPECT_EQ(titles.size(), 101u);
        }
        EXPECT_EQ(headless_title(), before);
    }
}

TEST_F(TiffWriterTest, WindowIsDisabledUnderTheWaitCursorWhileRowsAreWritten)
{
    for (int compression : {1, 5}) {
        resetspy();
        ASSERT_EQ(save(SAMPLE_SMOOTH, 20, 20, compression, "state.tif"), 0);
        const std::vector<std::string> &e = spy.events;
        auto at = [&](const std::string &what) {
            for (size_t k = 0; k < e.size(); k++)
                if (e[k] == what)
                    return (int)k;
            return -1;
        };
        ASSERT_GE(at("wait"), 0);
        ASSERT_GE(at("enable 0"), 0);
        ASSERT_GE(at("title 1 %"), 0);
        EXPECT_LT(at("wait"), at("title 1 %"));
        EXPECT_LT(at("enable 0"), at("title 1 %"));
        EXPECT_GT(at("enable 1"), at("title 100 %"));
        EXPECT_GT(at("restore"), at("title 100 %"));
        EXPECT_EQ(spy.enabled, 1);
        EXPECT_EQ(spy.waiting, 0);
        EXPECT_EQ(spy.restoredhandleok, 1);
        EXPECT_EQ(spy.boxcount, 0);
    }
}

TEST(SaveErrorTexts, AreTheFourMessagesOfTheCodes)
{
    EXPECT_STREQ(saveerror[0], "Error opening a save file.");
    EXPECT_STREQ(saveerror[1], "Not enough memory to buffer image lines.");
    EXPECT_STREQ(saveerror[2], "Error writing to save file.");
    EXPECT_STREQ(saveerror[3], "Data compression error.");
}

}
