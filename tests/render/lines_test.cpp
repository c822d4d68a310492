/*
 * lines_test.cpp - the in-memory layer's line drawing with one-pixel and
 * two-pixel pens.  The two-pixel pictures are those the window system's
 * own LineTo draws with a 2-wide solid pen.
 */
#include <gtest/gtest.h>

#include <string>

#include "common/platform.h"
#include "headless/headless.h"

namespace {

const unsigned int INK = 0x00ffff;

/* The surface as rows of '#' (ink) and '.' (black). */
std::string picture()
{
    std::string s;
    for (int y = 0; y < surface_height(); y++) {
        for (int x = 0; x < surface_width(); x++)
            s += surface_getpixel(x, y) == INK ? '#' : '.';
        s += '\n';
    }
    return s;
}

void line(int width, int x0, int y0, int x1, int y1)
{
    ASSERT_EQ(headless_createsurface(8, 6), 0);
    surface_selectpen(INK, width);
    surface_moveto(x0, y0);
    surface_lineto(x1, y1);
    surface_releasepen();
}

TEST(Lines, ThinPenLeavesOutTheEndPoint)
{
    line(1, 1, 1, 5, 1);
    EXPECT_EQ(picture(), "........\n"
                         ".####...\n"
                         "........\n"
                         "........\n"
                         "........\n"
                         "........\n");
    line(1, 1, 1, 4, 4);
    EXPECT_EQ(picture(), "........\n"
                         ".#......\n"
                         "..#.....\n"
                         "...#....\n"
                         "........\n"
                         "........\n");
}

TEST(Lines, WidePenCoversTheRowAboveAndTheColumnLeft)
{
    line(2, 2, 2, 5, 2);
    EXPECT_EQ(picture(), "........\n"
                         ".#####..\n"
                         ".#####..\n"
                         "........\n"
                         "........\n"
                         "........\n");
    line(2, 3, 1, 3, 4);
    EXPECT_EQ(picture(), "..##....\n"
                         "..##....\n"
                         "..##....\n"
                         "..##....\n"
                         "..##....\n"
                         "........\n");
}

TEST(Lines, WideDiagonalAsTheWindowSystemDrawsIt)
{
    /* four pixels a row between the end caps */
    line(2, 1, 1, 5, 5);
    EXPECT_EQ(picture(), "##......\n"
                         "###.....\n"
                         "####....\n"
                         ".####...\n"
                         "..####..\n"
                         "...###..\n");
    /* a shallow line and a steep one */
    line(2, 1, 2, 7, 3);
    EXPECT_EQ(picture(), "........\n"
                         "##......\n"
                         "########\n"
                         ".#######\n"
                         "........\n"
                         "........\n");
    line(2, 5, 1, 3, 4);
    EXPECT_EQ(picture(), "....##..\n"
                         "....##..\n"
                         "...###..\n"
                         "..####..\n"
                         "..###...\n"
                         "........\n");
}

TEST(Lines, WidePenPointAndClipping)
{
    line(2, 4, 3, 4, 3);
    EXPECT_EQ(picture(), "........\n"
                         "........\n"
                         "...##...\n"
                         "...##...\n"
                         "........\n"
                         "........\n");
    line(2, -3, 0, 20, 0);
    EXPECT_EQ(picture(), "########\n"
                         "........\n"
                         "........\n"
                         "........\n"
                         "........\n"
                         "........\n");
    line(2, -3, 6, 20, 6);
    EXPECT_EQ(picture(), "........\n"
                         "........\n"
                         "........\n"
                         "........\n"
                         "........\n"
                         "########\n");
}

}
