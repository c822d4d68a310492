/*
 * viewnav_test.cpp - views from the mouse: always inside the Parameters
 * dialog's bounds and exactly what it shows, the pointer's point kept by a
 * zoom, a dragged rectangle widened to the image's aspect, and the
 * history of views.
 */
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "render/params.h"
#include "render/settings.h"
#include "render/viewnav.h"

namespace {

double shown(double v)
{
    char text[400];
    std::snprintf(text, sizeof text, "%.10f", v);
    return std::strtod(text, nullptr);
}

/* The dialog would accept the view as it shows it, unchanged. */
void expectaccepted(int f, VIEW v)
{
    double a = v.xmin, b = v.xmax, c = v.ymin, d = v.ymax;
    EXPECT_EQ(checkxrange(f, &a, &b), -1) << v.xmin << " " << v.xmax;
    EXPECT_EQ(checkyrange(f, &c, &d), -1) << v.ymin << " " << v.ymax;
    EXPECT_EQ(a, v.xmin);
    EXPECT_EQ(b, v.xmax);
    EXPECT_EQ(c, v.ymin);
    EXPECT_EQ(d, v.ymax);
    if (f == 30)
        return;
    EXPECT_EQ(shown(v.xmin), v.xmin);
    EXPECT_EQ(shown(v.xmax), v.xmax);
    EXPECT_EQ(shown(v.ymin), v.ymin);
    EXPECT_EQ(shown(v.ymax), v.ymax);
}

TEST(ViewNav, EveryZoomAndDragEndsInsideTheDialogsBounds)
{
    std::mt19937 random(8);
    std::uniform_int_distribution<int> pixel(0, 599);
    std::uniform_int_distribution<int> which(0, 4);
    for (int f : {3, 27, 30}) {
        VIEW v = {-2.0, 2.0, -2.0, 2.0};
        for (int step = 0; step < 3000; step++) {
            int x = pixel(random), y = pixel(random);
            switch (which(random)) {
            case 0: v = zoomview(f, v, 600, 600, x, y, 1.5); break;
            case 1: v = zoomview(f, v, 600, 600, x, y, 1.5 * 1.5 * 1.5); break;
            case 2: v = zoomview(f, v, 600, 600, x, y, 1.0 / 1.5); break;
            case 3: v = zoomview(f, v, 600, 600, x, y, 0.5); break;
            default: v = rectview(f, v, 600, 600, x, y, pixel(random), pixel(random)); break;
            }
            expectaccepted(f, v);
            if (HasFailure())
                return;
        }
    }
    expectaccepted(3, clampview(3, VIEW{NAN, 1e300, 5.0, 5.0}));
    expectaccepted(27, clampview(27, VIEW{-40.0, -29.999999999, 19.99999999999, 30.0}));
}

TEST(ViewNav, AZoomKeepsThePointUnderThePointer)
{
    VIEW v = {-2.0, 2.0, -1.5, 1.5};
    for (int x : {0, 17, 320, 639})
        for (int y : {0, 200, 479})
            for (double factor : {1.5, 1.0 / 1.5, 0.5, 40.0}) {
                VIEW z = zoomview(3, v, 640, 480, x, y, factor);
                double before = x * (v.xmax - v.xmin) / 639 + v.xmin;
                double after = x * (z.xmax - z.xmin) / 639 + z.xmin;
                EXPECT_NEAR(after, before, 2e-10) << x << " " << factor;
                before = (479 - y) * (v.ymax - v.ymin) / 479 + v.ymin;
                after = (479 - y) * (z.ymax - z.ymin) / 479 + z.ymin;
                EXPECT_NEAR(after, before, 2e-10) << y << " " << factor;
                EXPECT_NEAR((z.xmax - z.xmin) * factor, 4.0, 1e-9);
            }
}

TEST(ViewNav, ARectangleWidensOnItsShortSideToTheImageAspect)
{
    VIEW v = {-3.0, 3.0, -3.0, 3.0};
    struct { int x0, y0, x1, y1; } drags[] = {{100, 100, 200, 400}, {500, 50, 20, 90}, {0, 0, 599, 599}};
    for (auto d : drags) {
        VIEW r = rectview(3, v, 600, 300, d.x0, d.y0, d.x1, d.y1);
        EXPECT_NEAR((r.xmax - r.xmin) / (r.ymax - r.ymin), 2.0, 1e-8);
        double ax = d.x0 * 6.0 / 599 - 3.0, bx = d.x1 * 6.0 / 599 - 3.0;
        double ay = (299 - d.y0) * 6.0 / 299 - 3.0, by = (299 - d.y1) * 6.0 / 299 - 3.0;
        EXPECT_NEAR(0.5 * (r.xmin + r.xmax), 0.5 * (ax + bx), 1e-9);
        EXPECT_NEAR(0.5 * (r.ymin + r.ymax), 0.5 * (ay + by), 1e-9);
        /* only one side grew: the other is the rectangle's own */
        bool keptwidth = std::fabs((r.xmax - r.xmin) - std::fabs(bx - ax)) < 1e-9;
        bool keptheight = std::fabs((r.ymax - r.ymin) - std::fabs(by - ay)) < 1e-9;
        EXPECT_TRUE(keptwidth || keptheight);
        EXPECT_GE(r.xmax - r.xmin, std::fabs(bx - ax) - 1e-9);
        EXPECT_GE(r.ymax - r.ymin, std::fabs(by - ay) - 1e-9);
    }
}

TEST(ViewNav, BackGoesThroughTheNewestViewsAndTheyAreRemembered)
{
    initsettings();
    const int f = 5;
    VIEW first = currentview(f);
    for (int k = 1; k <= VIEWHISTORY + 10; k++)
        setview(f, VIEW{-1.0 * k, 1.0, -1.0, 1.0});
    EXPECT_EQ(savewindow[f][0], -(VIEWHISTORY + 10.0));
    for (int k = VIEWHISTORY + 9; k >= 10; k--) {
        ASSERT_EQ(backview(f), 1);
        EXPECT_EQ(xmin[f], -1.0 * k);
        EXPECT_EQ(savewindow[f][0], -1.0 * k);
    }
    EXPECT_EQ(backview(f), 0);
    EXPECT_NE(xmin[f], first.xmin);
    EXPECT_EQ(backview(4), 0);
}

}  // namespace
