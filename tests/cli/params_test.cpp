/*
 * params_test.cpp - the bounds of typed-in settings: swaps, silent clamps
 * and refusals with their message texts, including the comparisons on the
 * difference of the converted doubles.
 */
#include <cmath>

#include <gtest/gtest.h>

#include "render/params.h"

namespace {

struct RANGECASE {
    int formula;
    double a, b;            /* as typed: xmin, xmax */
    int error;              /* -1 accepted */
    double low, high;       /* the stored range when accepted */
};

TEST(ParamsViewRange, SwapsClampsAndRefusesNarrowRanges)
{
    const RANGECASE cases[] = {
        {3, 5.0, -5.0, -1, -5.0, 5.0},
        {3, -50.0, 50.0, -1, -20.0, 20.0},
        {28, -50.0, 50.0, -1, -30.0, 20.0},
        {27, -31.0, 0.0, -1, -30.0, 0.0},
        {29, -25.0, 0.0, -1, -25.0, 0.0},
        {26, -25.0, 0.0, -1, -20.0, 0.0},
        {3, 25.0, 30.0, 0, 0.0, 0.0},
        {3, 0.0, 1e-8, -1, 0.0, 1e-8},
        {3, 0.0, 9e-9, 0, 0.0, 0.0},
        {3, 1.0, 1.00000001, 0, 0.0, 0.0},
        {3, 1.0, 1.0000001, -1, 1.0, 1.0000001},
        {3, 2.0, 2.0, 0, 0.0, 0.0},
        /* a NaN is not >= -20, so it becomes -20 */
        {3, std::nan(""), 5.0, -1, -20.0, 5.0},
        {3, 0.0, std::nan(""), 0, 0.0, 0.0},
        /* the typed function: +-1e6, and 1e-12 of the larger of 1 and
           the ends' magnitudes */
        {30, -2e6, 3e6, -1, -1e6, 1e6},
        {30, 100.0, 101.0, -1, 100.0, 101.0},
        {30, 0.0, 1e-12, -1, 0.0, 1e-12},
        {30, 0.0, 9e-13, 8, 0.0, 0.0},
        {30, 1e5, 1e5 + 1.5e-7, -1, 1e5, 1e5 + 1.5e-7},
        {30, 1e5, 1e5 + 5e-8, 8, 0.0, 0.0},
        {30, -1e6 - 1.0, -1e6, 8, 0.0, 0.0},
        {30, std::nan(""), 5.0, -1, -1e6, 5.0},
    };
    for (const RANGECASE &c : cases) {
        double a = c.a, b = c.b;
        int error = checkxrange(c.formula, &a, &b);
        EXPECT_EQ(error, c.error) << "formula " << c.formula << ": " << c.a << " .. " << c.b;
        if (c.error < 0 && error < 0) {
            EXPECT_EQ(a, c.low);
            EXPECT_EQ(b, c.high);
        }
    }
}

TEST(ParamsViewRange, YRangeHasTheSameRulesWithMinus20ForEveryFormula)
{
    double a = -50.0, b = 50.0;
    EXPECT_EQ(checkyrange(3, &a, &b), -1);
    EXPECT_EQ(a, -20.0);
    EXPECT_EQ(b, 20.0);
    a = 3.0;
    b = -3.0;
    EXPECT_EQ(checkyrange(3, &a, &b), -1);
    EXPECT_EQ(a, -3.0);
    a = 20.5;
    b = 21.0;
    EXPECT_EQ(checkyrange(3, &a, &b), 1);
    a = 0.0;
    b = 9e-9;
    EXPECT_EQ(checkyrange(3, &a, &b), 1);
    a = 100.0;
    b = 101.0;
    EXPECT_EQ(checkyrange(30, &a, &b), -1);
    EXPECT_EQ(a, 100.0);
    a = 1e6 + 1.0;
    b = 2e6;
    EXPECT_EQ(checkyrange(30, &a, &b), 9);
}

TEST(ParamsLimits, EachFieldHasItsBoundsAndItsError)
{
    const struct {
        const char *name;
        int got;
        int expected;
    } cases[] = {
        {"xres 31", checkresolution(31), 2},
        {"xres 32", checkresolution(32), -1},
        {"xres 9600", checkresolution(9600), -1},
        {"xres 9601", checkresolution(9601), 2},
        {"empty resolution", checkresolution(0), 2},
        {"maxiter 0", checkmaxiter(0), 3},
        {"maxiter 1", checkmaxiter(1), -1},
        {"maxiter 1024", checkmaxiter(1024), -1},
        {"maxiter 1025", checkmaxiter(1025), 3},
        {"maxsize 1.99", checkmaxsize(1.99), 4},
        {"maxsize 2.0", checkmaxsize(2.0), -1},
        {"maxsize 64.0", checkmaxsize(64.0), -1},
        {"maxsize 64.01", checkmaxsize(64.01), 4},
        {"exponent 0.99", checkexponent(0.99), 5},
        {"exponent 1.0", checkexponent(1.0), -1},
        {"exponent 12.0", checkexponent(12.0), -1},
        {"exponent 12.01", checkexponent(12.01), 5},
        {"width 0.005", checkgridwidth(0.005), 6},
        {"width 0.01", checkgridwidth(0.01), -1},
        {"width 0.1", checkgridwidth(0.1), -1},
        {"width 0.11", checkgridwidth(0.11), 6},
        {"extent 1", checkgridextent(1), 7},
        {"extent 2", checkgridextent(2), -1},
        {"extent 50", checkgridextent(50), -1},
        {"extent 51", checkgridextent(51), 7},
        /* "nan" typed into a field is out of every range */
        {"maxsize nan", checkmaxsize(std::nan("")), 4},
        {"exponent nan", checkexponent(std::nan("")), 5},
        {"width nan", checkgridwidth(std::nan("")), 6},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;
}

TEST(ParamsLimits, JuliaConstantAndAbsLimitAreClampedSilently)
{
    EXPECT_EQ(clampjulia(100.0), 20.0);
    EXPECT_EQ(clampjulia(-100.0), -20.0);
    EXPECT_EQ(clampjulia(0.32), 0.32);
    EXPECT_EQ(clampjulia(std::nan("")), 0.0);
    EXPECT_EQ(clampabslimit(0.05), 0.1);
    EXPECT_EQ(clampabslimit(1000.0), 500.0);
    EXPECT_EQ(clampabslimit(0.0), 0.1);          /* empty text reads as 0 */
    EXPECT_EQ(clampabslimit(std::nan("")), 0.1);
    EXPECT_EQ(clampabslimit(500.0), 500.0);
    EXPECT_EQ(clampabslimit(0.1), 0.1);
    EXPECT_EQ(clampabslimit(42.5), 42.5);
}

TEST(ParamsTexts, MessageTextsAreExact)
{
    const char *expected[NPARAMERRORS] = {
        "xmax must be greater than xmin\nby at least 0.00000001",
        "ymax must be greater than ymin\nby at least 0.00000001",
        "x / y resolution range: 32 - 9600",
        "maximum iteration range: 1 - 1024",
        "bailout range: 2.0 - 64.0",
        "exponent range: 1.0 - 12.0",
        "width range: 0.01 - 0.1",
        "grid plane range: 2 - 50",
        "xmax must be greater than xmin\nby at least 1e-12 of the larger of 1, |xmin| and |xmax|",
        "ymax must be greater than ymin\nby at least 1e-12 of the larger of 1, |ymin| and |ymax|",
    };
    for (int k = 0; k < NPARAMERRORS; k++)
        EXPECT_STREQ(paramerror[k], expected[k]) << "text " << k;
}

}
