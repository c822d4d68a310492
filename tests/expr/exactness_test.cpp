/*
 * exactness_test.cpp - the labels of the built-in formulas typed as text
 * give the built-ins' values bit for bit, over every pixel of each
 * formula's own view (the renderer's x and y arithmetic) and at the points
 * where the formulas are singular.
 */
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "expr/program.h"
#include "formulas/formulas.h"
#include "render/driver.h"
#include "render/settings.h"

namespace {

struct EXACTCASE {
    int formula;
    FORMULA builtin;
    const char *text;
};

const EXACTCASE cases[] = {
    {3, color_wheel, "z"},
    {4, Eq1, "1 / z"},
    {5, Eq2, "z + 1 / z"},
    {6, Eq3, "z^3 - 1"},
    {7, Eq4, "1 / ( z^4 - z )"},
    {8, Eq5, "z^(0.666667 - i)"},
    {10, Eq7, "( z + 2 )^2 ( z - 1 - 2i ) ( z + i )"},
    {11, Eq8, "( z - 2 )^2 ( z + 1 - 2i )( z + 2 + 2i ) / z^3"},
    {12, Eq9, "( z^3 - 1 ) / ( z^3 + 1 )"},
    {13, Eq10, "( 1 - z )^( -2 - 3i )"},
    {14, Eq11, "(1 - z*i) / ((-(z*i))^2 - z*i + 1)"},
    {15, Eq12, "( z - 1 ) / ( z^2 + z + 1 )"},
    {16, sine, "sin( z )"},
    {24, Eq17, "exp [ 2z ] / ( z - 1 )^2"},
    {30, custom, customdefaulttext},
};

/* Bit for bit, except that every NaN is the same: which operand's NaN an
   x86 instruction passes on depends on an operand order the compiler may
   commute, and no colour map can tell two NaNs apart. */
bool same(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    uint64_t ba, bb;
    std::memcpy(&ba, &a, sizeof ba);
    std::memcpy(&bb, &b, sizeof bb);
    return ba == bb;
}

/* Compares the program with the built-in at n points; counts mismatches
   and reports the first few. */
int compare(const EXACTCASE &c, const EXPRPROGRAM &program, EXPRSCRATCH *scratch,
            const std::vector<double> &x, const std::vector<double> &y)
{
    int n = (int)x.size();
    std::vector<double> wx(n), wy(n);
    exprrun(program, scratch, n, x.data(), y.data(), wx.data(), wy.data());
    int wrong = 0;
    for (int k = 0; k < n; k++) {
        double bx = 0.0, by = 0.0;
        c.builtin(x[k], y[k], &bx, &by);
        if (!same(bx, wx[k]) || !same(by, wy[k])) {
            if (++wrong <= 3)
                ADD_FAILURE() << "formula " << c.formula << " \"" << c.text << "\" at " << x[k]
                              << " + " << y[k] << "i: built-in " << bx << " + " << by
                              << "i, typed " << wx[k] << " + " << wy[k] << "i";
        }
    }
    return wrong;
}

/* The label after "w = ", without a trailing remark in brackets. */
std::string labeltext(int f)
{
    std::string label = formulalabel[f];
    for (const char *remark : {"   ( color wheel )", " ( Mobius transformation )"}) {
        size_t at = label.find(remark);
        if (at != std::string::npos)
            label.erase(at);
    }
    return label.compare(0, 4, "w = ") == 0 ? label.substr(4) : "";
}

TEST(Exactness, TextsAreTheLabelsAsTheyRead)
{
    for (const EXACTCASE &c : cases) {
        if (c.formula != 8 && c.formula != 14 && c.formula != 30) {
            EXPECT_EQ(labeltext(c.formula), c.text) << "formula " << c.formula;
        }
    }
}

TEST(Exactness, LabelsTypedInGiveTheBuiltinsPixels)
{
    fillfactorial();
    initsettings();
    /* 601 x 601 puts a row and a column on the axes of the centred views. */
    xres = yres = 601;
    for (const EXACTCASE &c : cases) {
        EXPRPROGRAM program;
        EXPRERROR error;
        ASSERT_TRUE(exprcompile(c.text, &program, &error)) << c.text << ": " << error.message;
        EXPRSCRATCH scratch;
        exprscratch(program, &scratch);

        formula = c.formula;
        xside = im[c.formula].xmax - im[c.formula].xmin;
        yside = im[c.formula].ymax - im[c.formula].ymin;
        xmin[c.formula] = im[c.formula].xmin;
        ymin[c.formula] = im[c.formula].ymin;
        int wrong = 0;
        std::vector<double> x(xres), y(xres);
        for (int row = 0; row < yres; row++) {
            for (int i = 0; i < xres; i++) {
                x[i] = columnx(i);
                y[i] = rowy(row);
            }
            wrong += compare(c, program, &scratch, x, y);
        }

        /* Poles, zeros, cuts, signed zeros, overflow and non-numbers. */
        const double inf = HUGE_VAL, nan = std::nan("");
        const double special[] = {0.0, -0.0, 1.0, -1.0, 2.0, -2.0, 0.5, 1e-160, 1e160, 1e300, inf, -inf, nan};
        x.clear();
        y.clear();
        for (double a : special) {
            for (double b : special) {
                x.push_back(a);
                y.push_back(b);
            }
        }
        wrong += compare(c, program, &scratch, x, y);
        EXPECT_EQ(wrong, 0) << "formula " << c.formula << " \"" << c.text << "\"";
    }
}

}
