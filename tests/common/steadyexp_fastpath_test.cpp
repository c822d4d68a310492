/*
 * steadyexp_fastpath_test.cpp - steady_exp and steady_pow, which try a
 * plain-double path first and keep its result only when a rounding test
 * proves it equal, against their accurate paths alone: bit for bit on
 * millions of random arguments over the ranges the formulas use (where a
 * wrong error bound in the rounding test would show as a few differences
 * per million, near rounding boundaries).
 */
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "common/steadyexp.h"

namespace {

bool samebits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(SteadyExpFastPath, ExpEqualsTheAccuratePath)
{
    std::mt19937_64 gen(15);
    std::uniform_real_distribution<double> wide(-746.0, 710.0), narrow(-40.0, 40.0), small(-0.01, 0.01);
    long differing = 0;
    for (int i = 0; i < 3000000; ++i) {
        double x = i % 3 == 0 ? wide(gen) : i % 3 == 1 ? narrow(gen) : small(gen);
        if (!samebits(steady_exp(x), steady_exp_accurate(x)) && ++differing < 5)
            ADD_FAILURE() << "exp(" << std::hexfloat << x << ")";
    }
    EXPECT_EQ(differing, 0);
}

TEST(SteadyExpFastPath, PowEqualsTheAccuratePath)
{
    std::mt19937_64 gen(27);
    std::uniform_real_distribution<double> unit(-1.0, 1.0), modulus(0.0, 12.0);
    std::uniform_int_distribution<int> term(0, 170);
    long differing = 0;
    for (int i = 0; i < 2000000; ++i) {
        double x, y;
        switch (i % 4) {
        case 0: x = std::exp2(12.0 * unit(gen)); y = 12.0 * unit(gen); break;
        case 1: x = modulus(gen); y = term(gen); break;            /* polar powers */
        case 2: x = 1.0 + 0x1p-20 * unit(gen); y = 0x1p20 * unit(gen); break;
        default: x = std::exp2(1000.0 * unit(gen)); y = unit(gen); break;
        }
        if (i % 8 == 5)
            x = -std::floor(x * 8.0);                              /* negative bases */
        if (!samebits(steady_pow(x, y), steady_pow_accurate(x, y)) && ++differing < 5)
            ADD_FAILURE() << "pow(" << std::hexfloat << x << ", " << y << ")";
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
