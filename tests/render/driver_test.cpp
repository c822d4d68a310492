/*
 * driver_test.cpp - the renderer: pixel mapping, one row per call, the
 * start and end of a render, and the largest |w| it reports.
 */
#include <cmath>
#include <cstring>

#include "render/colormap.h"
#include "render_fixture.h"

namespace {

const unsigned int GREY = 0x808080;

unsigned int colorofw(double wx, double wy)
{
    int r, g, b;
    double hue = std::atan2(wy, wx);
    if (hue < 0.0)
        hue += 6.283185307179586;
    hue = hue * 0.15915494309189535 * 360.0;
    pixelcolor(formula, 0, wx, wy, std::sqrt(wx * wx + wy * wy), hue, &r, &g, &b);
    return (unsigned int)(r + 256 * g + 65536 * b);
}

TEST_F(RenderTest, CornersOfA32By32ImageHitTheViewEdges)
{
    setup(3, 32, 32, 0);
    view(-1.0, 1.0, -1.0, 1.0);
    renderstart();
    EXPECT_EQ(columnx(0), -1.0);
    EXPECT_EQ(columnx(31), 1.0);
    EXPECT_EQ(rowy(0), 1.0);
    EXPECT_EQ(rowy(31), -1.0);

    /* w = z: row 0 is the top edge, column 0 the left edge */
    render();
    EXPECT_EQ(surface_getpixel(0, 0), colorofw(-1.0, 1.0));
    EXPECT_EQ(surface_getpixel(31, 0), colorofw(1.0, 1.0));
    EXPECT_EQ(surface_getpixel(0, 31), colorofw(-1.0, -1.0));
    EXPECT_EQ(surface_getpixel(31, 31), colorofw(1.0, -1.0));
    EXPECT_NE(surface_getpixel(0, 0), surface_getpixel(31, 31));
}

TEST_F(RenderTest, LargestModulusSeesTheExactCorners)
{
    setup(3, 32, 32, 0);
    view(-1.0, 1.0, -1.0, 1.0);
    displaylimitflag = 1;
    absmax = 99.0;
    render();
    EXPECT_EQ(absmax, std::sqrt(2.0));
    EXPECT_STREQ(headless_lastmessage(), "abs(w) maximum: 1.41e+00");
}

TEST_F(RenderTest, OneRowPerCall)
{
    setup(3, 40, 32, 0);
    okrender = 1;
    j = 0;
    driver();
    EXPECT_EQ(j, 1);
    EXPECT_EQ(okrender, 1);
    EXPECT_NE(surface_getpixel(0, 0), GREY);
    for (int row = 1; row < 31; row++)
        driver();
    EXPECT_EQ(j, 31);
    driver();
    EXPECT_EQ(j, 0);
    EXPECT_EQ(okrender, 0);
    EXPECT_NE(surface_getpixel(5, 31), GREY);
}

TEST_F(RenderTest, RenderStartClearsTheStripBlackAndTheImageGrey)
{
    setup(3, 600, 600, 1);
    view(-4.0, 4.0, 1.0, 3.0);      /* the real axis is not in view: no graph */
    surface_fillrect(&ClientRect, 0x123456);
    EXPECT_EQ(render(), 600);
    EXPECT_EQ(graphflag, 0);
    EXPECT_EQ(surface_getpixel(650, 10), 0u);
    EXPECT_EQ(surface_getpixel(1299, 599), 0u);
    EXPECT_EQ(VhdcRect.right, 600);
    EXPECT_EQ(VhdcRect.bottom, 600);
}

TEST_F(RenderTest, InfiniteModuliNeverEnterTheMaximum)
{
    /* w = z with all but the first column so far out that |w| overflows */
    setup(3, 32, 32, 0);
    view(0.0, 1e200, -0.5, 1.0);
    displaylimitflag = 1;
    render();
    EXPECT_EQ(absmax, 1.0);
    EXPECT_STREQ(headless_lastmessage(), "abs(w) maximum: 1.00e+00");
}

TEST_F(RenderTest, APoleOnAPixelIsLeftOutOfTheMaximum)
{
    /* w = 1 / z with z = 0 exactly at the centre pixel; its neighbours at
       distance 1/16 give |w| = 16 */
    setup(4, 33, 33, 0);
    view(-1.0, 1.0, -1.0, 1.0);
    displaylimitflag = 1;
    render();
    EXPECT_EQ(absmax, 16.0);
    EXPECT_STREQ(headless_lastmessage(), "abs(w) maximum: 1.60e+01");
}

TEST_F(RenderTest, NoReportWithoutTheFlag)
{
    setup(3, 32, 32, 0);
    displaylimitflag = 0;
    absmax = 7.0;
    message_box("", "", LUMO_MB_OK, 0);
    render();
    EXPECT_EQ(absmax, 7.0);
    EXPECT_STREQ(headless_lastmessage(), "");
}

TEST_F(RenderTest, UnwrittenValueCountsAsZero)
{
    /* the gamma fractal leaves w alone for start points beyond 57 when
       escape colouring is on: the square grid then sees w = 0 (on a line,
       gv 255) over the black of escape count 1 */
    setup(2, 32, 32, 0);
    view(57.0, 60.0, 0.0, 1.0);
    greyflag = 1;
    squaregridflag[2] = 1;
    displaylimitflag = 1;
    render();
    for (int y = 0; y < 32; y += 7)
        for (int x = 0; x < 32; x += 5)
            EXPECT_EQ(surface_getpixel(x, y), 0x7f7f7fu) << x << ", " << y;
    EXPECT_EQ(absmax, 0.0);
}

}
