/*
 * typed_test.cpp - formula 30 renders its typed text: the default text
 * gives the old fixed Custom function's picture and graph, and a built-in's
 * label typed in gives that built-in's picture when formula 30 has its
 * settings.
 */
#include <cmath>
#include <vector>

#include "expr/expr.h"
#include "render/colormap.h"
#include "render/graph.h"
#include "render_fixture.h"

namespace {

const unsigned int YELLOW = 0x00ffff;

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

TEST_F(RenderTest, DefaultTextRendersTheFixedCustomFunction)
{
    ASSERT_TRUE(setcustomtext(customdefaulttext, nullptr));
    setup(30, 600, 600, 1);
    render();
    ASSERT_EQ(graphflag, 1);
    int wrong = 0;
    for (int row = 0; row < 600; row++) {
        for (int i = 0; i < 600; i++) {
            double wx, wy;
            custom(columnx(i), rowy(row), &wx, &wy);
            wrong += surface_getpixel(i, row) != colorofw(wx, wy);
        }
    }
    EXPECT_EQ(wrong, 0);
    /* The graph's curve passes through |custom(x)| at every column. */
    for (int i = 0; i < 600; i++) {
        double wx, wy;
        custom(columnx(i), 0.0, &wx, &wy);
        EXPECT_EQ(surface_getpixel(i + 700, graph_y(std::sqrt(wx * wx + wy * wy))), YELLOW) << i;
    }
}

TEST_F(RenderTest, TypedLabelRendersItsFormulasPicture)
{
    const struct {
        int formula;
        const char *text;
    } cases[] = {{6, "z^3 - 1"}, {16, "sin( z )"}, {24, "exp [ 2z ] / ( z - 1 )^2"}};
    for (const auto &c : cases) {
        setup(c.formula, 200, 150, 0);
        render();
        std::vector<unsigned int> builtin;
        for (int row = 0; row < 150; row++) {
            for (int i = 0; i < 200; i++)
                builtin.push_back(surface_getpixel(i, row));
        }
        const int f = c.formula;
        ASSERT_TRUE(setcustomtext(c.text, nullptr));
        setup(30, 200, 150, 0);
        view(xmin[f], xmax[f], ymin[f], ymax[f]);
        gradient[30] = gradient[f];
        V[30] = V[f];
        squaregridflag[30] = squaregridflag[f];
        phasegridflag[30] = phasegridflag[f];
        abslimitimage[30] = abslimitimage[f];
        render();
        int wrong = 0;
        for (int row = 0; row < 150; row++) {
            for (int i = 0; i < 200; i++)
                wrong += surface_getpixel(i, row) != builtin[row * 200 + i];
        }
        EXPECT_EQ(wrong, 0) << c.text;
    }
    setcustomtext(customdefaulttext, nullptr);
}

}
