/*
 * zetaskip_test.cpp - zeta leaves out the Laurent terms that cannot change
 * the sum; its values must still be the full sum's, bit for bit.  A sample
 * of 100 000 points here; bench/zeta/zetacheck runs the same comparison on
 * a million and more.
 */
#include "formulacases.h"
#include "zetareference.h"

namespace {

TEST_F(FormulaTest, ZetaIsTheFullSumBitForBit)
{
    int differ = 0;
    for (complex z : zetareference::points(100000, 11)) {
        complex w;
        zeta(z.re, z.im, &w.re, &w.im);
        complex full = zetareference::zeta(z);
        if (!zetareference::samebits(w, full) && ++differ <= 10)
            ADD_FAILURE() << "zeta(" << z.re << ", " << z.im << ") = " << w.re << ", " << w.im
                          << " against the full sum's " << full.re << ", " << full.im;
    }
    EXPECT_EQ(differ, 0);
}

}
