/*
 * formulacases.h - what the formula tests share: a fixture that puts the
 * settings the functions read into a known state, and table-driven value
 * checks (point in, expected w out, to the digits stated).
 */
#ifndef LUMO_TESTS_FORMULACASES_H
#define LUMO_TESTS_FORMULACASES_H

#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "formulas/formulas.h"

/* One expected value: formula number, point, w and the largest difference
   each part may have. */
struct VALUECASE {
    int formula;
    double x, y;
    double re, im;
    double tolerance;
};

/* Settings the functions read, at their start values, with the factorial
   table filled; the fractal records are put back after each test. */
class FormulaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fillfactorial();
        std::memcpy(saved, fr, sizeof saved);
        greyflag = 0;
        yside = 4.0;
        yres = 600;
        formula = 3;
    }
    void TearDown() override
    {
        std::memcpy(fr, saved, sizeof saved);
        greyflag = 0;
        formula = 3;
    }
    FRACTAL saved[3];
};

/* Evaluates the case through the table; returns the result code. */
inline int evaluate(int f, double x, double y, double *wx, double *wy)
{
    *wx = 0.0;
    *wy = 0.0;
    formula = f;
    return fpointer[f](x, y, wx, wy);
}

inline void expectvalue(const VALUECASE &c)
{
    double wx, wy;
    int result = evaluate(c.formula, c.x, c.y, &wx, &wy);
    EXPECT_EQ(result, 0) << "formula " << c.formula << " at " << c.x << " + " << c.y << "i";
    EXPECT_NEAR(wx, c.re, c.tolerance) << "Re w, formula " << c.formula << " at " << c.x << " + " << c.y << "i";
    EXPECT_NEAR(wy, c.im, c.tolerance) << "Im w, formula " << c.formula << " at " << c.x << " + " << c.y << "i";
}

/* Bitwise equality, so that the sign of a zero counts. */
inline bool samebits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

#endif
