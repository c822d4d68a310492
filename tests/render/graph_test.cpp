/*
 * graph_test.cpp - the real-axis graph: when it is drawn, where its curve
 * points lie, and what it leaves on the image.
 */
#include <cmath>
#include <limits>

#include "render/graph.h"
#include "render_fixture.h"

namespace {

const unsigned int RED = 0x0000ff;
const unsigned int YELLOW = 0x00ffff;

TEST_F(RenderTest, GraphFlagFollowsTheViewAndSize)
{
    setup(3, 600, 600, 1);
    view(-4.0, 4.0, 1.0, 3.0);
    graph_renderstart();
    EXPECT_EQ(graphflag, 0);
    view(-4.0, 4.0, -1.0, 1.0);
    graph_renderstart();
    EXPECT_EQ(graphflag, 1);
    /* an edge exactly on the axis keeps the flag as it was */
    view(-4.0, 4.0, 0.0, 1.0);
    graph_renderstart();
    EXPECT_EQ(graphflag, 1);
    graphflag = 0;
    graph_renderstart();
    EXPECT_EQ(graphflag, 0);
    view(-4.0, 4.0, -3.0, -1.0);
    graph_renderstart();
    EXPECT_EQ(graphflag, 0);

    /* other sizes never set it */
    xres = yres = 640;
    view(-4.0, 4.0, -1.0, 1.0);
    graph_renderstart();
    EXPECT_EQ(graphflag, 0);
    xres = 600;
    yres = 599;
    graph_renderstart();
    EXPECT_EQ(graphflag, 0);
}

TEST_F(RenderTest, GraphHeightScale)
{
    setup(3, 600, 600, 1);
    const double INF = std::numeric_limits<double>::infinity();
    EXPECT_EQ(graph_y(0.0), 597);
    EXPECT_EQ(graph_y(21.0), 0);         /* at the limit of formula 3 */
    EXPECT_EQ(graph_y(20.999), 1);
    EXPECT_EQ(graph_y(1e300), 0);
    EXPECT_EQ(graph_y(INF), 0);
    EXPECT_EQ(graph_y(std::nan("")), 0);
    EXPECT_EQ(graph_y(4.0), 287);        /* trunc(ln 5 / ln 22 * 597) = 310 */
}

TEST_F(RenderTest, ColourWheelCurveIsAV)
{
    setup(3, 600, 600, 1);
    renderstart();
    int lowest = 0;
    for (int i = 0; i < 600; i++) {
        int y = graph_y(std::fabs(columnx(i)));
        if (y > lowest)
            lowest = y;
    }
    EXPECT_EQ(lowest, 596);
    for (int i = 0; i < 600; i++) {
        int y = graph_y(std::fabs(columnx(i)));
        EXPECT_EQ(y == 596, i == 299 || i == 300) << i;
    }
    EXPECT_EQ(graph_y(std::fabs(columnx(0))), 287);
    EXPECT_EQ(graph_y(std::fabs(columnx(599))), 287);
}

/* Rows and columns of the first and last pixel of a colour in a block. */
struct Extent {
    int top = 1 << 30, bottom = -1, left = 1 << 30, right = -1;
};

Extent extent(unsigned int color, int x0, int x1)
{
    Extent e;
    for (int y = 0; y < surface_height(); y++) {
        for (int x = x0; x < x1; x++) {
            if (surface_getpixel(x, y) != color)
                continue;
            e.top = std::min(e.top, y);
            e.bottom = std::max(e.bottom, y);
            e.left = std::min(e.left, x);
            e.right = std::max(e.right, x);
        }
    }
    return e;
}

TEST_F(RenderTest, GraphDrawnBesideTheImage)
{
    setup(3, 600, 600, 1);
    render();
    EXPECT_EQ(graphflag, 1);

    /* the yellow curve: ends at y = 287, bottom at y = 596; a two-pixel pen
       covers the row above and the column left of each point */
    Extent curve = extent(YELLOW, 600, 1300);
    EXPECT_EQ(curve.top, 286);
    EXPECT_EQ(curve.bottom, 596);
    EXPECT_EQ(curve.left, 699);
    EXPECT_EQ(curve.right, 1299);
    EXPECT_EQ(surface_getpixel(700, 287), YELLOW);
    EXPECT_EQ(surface_getpixel(1299, 287), YELLOW);
    EXPECT_EQ(surface_getpixel(999, 596), YELLOW);
    EXPECT_EQ(surface_getpixel(1000, 596), YELLOW);
    EXPECT_NE(surface_getpixel(1002, 596), YELLOW);

    /* the red axes along x = 698 and near the bottom edge */
    for (int y = 0; y < 600; y += 50) {
        EXPECT_EQ(surface_getpixel(697, y), RED) << y;
        EXPECT_EQ(surface_getpixel(698, y), RED) << y;
    }
    EXPECT_EQ(surface_getpixel(800, 599), RED);
    EXPECT_EQ(surface_getpixel(1250, 598), RED);
    Extent axes = extent(RED, 600, 1300);
    EXPECT_EQ(axes.left, 697);
    EXPECT_EQ(axes.right, 1299);
    EXPECT_GE(axes.top, 0);

    /* the rest of the strip stays black, the image untouched */
    EXPECT_EQ(surface_getpixel(650, 300), 0u);
    EXPECT_EQ(surface_getpixel(1100, 100), 0u);
    EXPECT_EQ(extent(YELLOW, 0, 600).bottom, -1);
}

TEST_F(RenderTest, GraphDrawnInTheFirstRowAtOrBelowTheAxis)
{
    setup(3, 600, 600, 1);
    okrender = 1;
    j = 0;
    /* rows 0..299 lie above the axis, row 300 is the first below it */
    for (int row = 0; row < 300; row++)
        driver();
    EXPECT_EQ(yzero, 0);
    EXPECT_EQ(extent(YELLOW, 600, 1300).bottom, -1);
    driver();
    EXPECT_EQ(yzero, -1);
    EXPECT_EQ(extent(YELLOW, 600, 1300).bottom, 596);
    while (okrender)
        driver();
}

TEST_F(RenderTest, GraphOnTheLastRowWhenTheViewEndsOnTheAxis)
{
    setup(3, 600, 600, 1);
    view(-4.0, 4.0, 0.0, 4.0);
    render();
    EXPECT_EQ(graphflag, 1);
    EXPECT_EQ(extent(YELLOW, 600, 1300).bottom, 596);
}

TEST_F(RenderTest, CurveAlongTheTopWhereTheModulusPassesTheLimit)
{
    /* |x| >= 21 everywhere: the whole curve runs along y = 0 */
    setup(3, 600, 600, 1);
    view(21.0, 40.0, -1.0, 1.0);
    render();
    Extent curve = extent(YELLOW, 600, 1300);
    EXPECT_EQ(curve.top, 0);
    EXPECT_EQ(curve.bottom, 0);
}

TEST_F(RenderTest, NoGraphWhenTheFlagStaysClear)
{
    /* a view edge on the axis leaves a clear flag clear */
    setup(3, 600, 600, 0);
    ASSERT_EQ(headless_createsurface(1300, 600), 0);
    view(-4.0, 4.0, 0.0, 4.0);
    render();
    EXPECT_EQ(graphflag, 0);
    EXPECT_EQ(extent(YELLOW, 600, 1300).bottom, -1);
    EXPECT_EQ(extent(RED, 600, 1300).bottom, -1);
}

}
