/*
 * table_test.cpp - the function table and its labels, and the two tables
 * of the zeta function: factorial and the Stieltjes constants.
 */
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "formulas/formulas.h"

namespace {

TEST(FunctionTable, EntriesAreInDialogOrder)
{
    const FORMULA expected[NFORMULAS] = {
        M_set, J_set, gamma_fractal, color_wheel, Eq1, Eq2, Eq3, Eq4, Eq5, Eq6,
        Eq7, Eq8, Eq9, Eq10, Eq11, Eq12, sine, Eq13, Eq14, Lambert,
        gamma, log_gamma, Eq15, Eq16, Eq17, Eq18, product, zeta, iterated_zeta, log_zeta,
        typedfunction,
    };
    for (int k = 0; k < NFORMULAS; k++)
        EXPECT_EQ(fpointer[k], expected[k]) << "entry " << k;
}

TEST(FunctionTable, LabelsKeepTheirExactSpacing)
{
    const struct {
        int formula;
        const char *label;
    } cases[] = {
        {0, "z = z^2 + c   ( Mandelbrot set )"},
        {1, "z = z^2 + c    ( Julia set )"},
        {3, "w = z   ( color wheel )"},
        {9, "w = ( z^2 - 1 ) (z - 2 - i )^2 / ( z^2 + 2 + 2i ) ( Wikipedia )"},
        {11, "w = ( z - 2 )^2 ( z + 1 - 2i )( z + 2 + 2i ) / z^3"},
        {14, "w = ( 1 - zi ) / ( ( -zi )^2 -  zi + 1 )"},
        {16, "w = sin( z )"},
        {18, "w = cos ( z ) / sin( z^4 - 1.0 )"},
        {24, "w = exp [ 2z ] / ( z - 1 )^2"},
        {25, "w = exp ( 1 - z^2) - 1"},
        {26, "w = Product [ k = 1 -> 6 ] exp ( ( z + u^k ) / ( z - u^k ) )"},
        {29, "w = log ( zeta ( z )"},
        {30, "Custom"},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(formulalabel[c.formula], c.label);
    EXPECT_STREQ(productnote, "u = exp ( 2 Pi i / 6 )");
    for (int k = 0; k < NFORMULAS; k++) {
        ASSERT_NE(formulalabel[k], nullptr);
        EXPECT_GT(std::strlen(formulalabel[k]), 0u);
    }
}

TEST(ZetaTables, FactorialHoldsNFactorialUpTo170AndZeroBeyond)
{
    fillfactorial();
    EXPECT_EQ(factorial[0], 1.0);
    EXPECT_EQ(factorial[1], 1.0);
    EXPECT_EQ(factorial[10], 3628800.0);
    EXPECT_EQ(factorial[20], 2432902008176640000.0);
    /* 170! = 7.257415615307998967...e306; 169 roundings at most. */
    EXPECT_NEAR(factorial[170] / 7.257415615307998967e306, 1.0, 169 * 1.2e-16);
    EXPECT_EQ(factorial[171], 0.0);
    EXPECT_EQ(factorial[200], 0.0);
}

TEST(ZetaTables, StieltjesRowsAreThePublishedValues)
{
    const struct {
        int n;
        double value;
    } rows[] = {
        {0, 0.5772156649015329},
        {1, -0.07281584548367671},
        {2, -0.009690363192872318},
        {3, 0.002053834420303346},
        {4, 0.0023253700654673},
        {5, 0.0007933238173010627},
        {6, -0.0002387693454301996},
        {7, -0.000527289567057751},
        {8, -0.0003521233538030395},
        {9, -3.439477441808805e-05},
        {10, 0.0002053328149090648},
        {11, 0.0002701844395439035},
        {100, -4.253401571708027e+17},
        {170, -2.4577841565407245e+44},
        {198, -2.217662281897915e+56},
        {199, -3.4420708182991163e+56},
        {200, -6.974649719478823e+55},
    };
    for (const auto &r : rows)
        EXPECT_EQ(Stieltjes[r.n], r.value) << "row " << r.n;
}

TEST(ZetaTables, EveryStieltjesRowIsFilled)
{
    /* No constant from 0 to 200 is exactly zero; a missing row would be. */
    for (int n = 0; n <= 200; n++) {
        EXPECT_NE(Stieltjes[n], 0.0) << "row " << n;
        EXPECT_TRUE(std::isfinite(Stieltjes[n])) << "row " << n;
    }
}

}
