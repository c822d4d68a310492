/*
 * eval_test.cpp - `lumo formulas` and `lumo eval` as a user runs them:
 * what they print, and one clear line on standard error with exit status
 * 2 for every kind of bad input.
 */
#include <algorithm>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "formulas/formulas.h"
#include "runlumo.h"

namespace {

/* A refusal: status 2, nothing on standard output, one line on standard
   error that contains the expected text. */
void expectrefused(const LUMORUN &run, const std::string &text)
{
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
}

TEST(LumoFormulas, ListsEveryNumberWithItsLabel)
{
    LUMORUN run = runlumo({"formulas"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.find(" 0  z = z^2 + c   ( Mandelbrot set )\n"), 0u);
    EXPECT_NE(run.out.find("\n 3  w = z   ( color wheel )\n"), std::string::npos);
    EXPECT_NE(run.out.find("\n14  w = ( 1 - zi ) / ( ( -zi )^2 -  zi + 1 )\n"), std::string::npos);
    EXPECT_NE(run.out.find("\n26  w = Product [ k = 1 -> 6 ] exp ( ( z + u^k ) / ( z - u^k ) )\n"
                           "      u = exp ( 2 Pi i / 6 )\n27  "),
              std::string::npos);
    EXPECT_NE(run.out.find("\n30  Custom\n"), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 32);
}

TEST(LumoFormulas, RefusesArguments)
{
    expectrefused(runlumo({"formulas", "extra"}), "extra");
}

TEST(LumoEval, PrintsEachValueWithSeventeenDigits)
{
    LUMORUN run = runlumo({"eval", "--formula", "3"}, "0.1 -2\n  1e-3\t4  \r\n-0 0\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0.10000000000000001 -2 0\n0.001 4 0\n-0 0 0\n");
    EXPECT_EQ(run.err, "");
}

TEST(LumoEval, NoInputNoOutput)
{
    LUMORUN run = runlumo({"eval", "--formula", "27"}, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST(LumoEval, FractalOptionsReachTheFractals)
{
    /* c = 1 escapes at step 3 with escape colouring, not without. */
    EXPECT_EQ(runlumo({"eval", "--formula", "0", "--escape", "1"}, "1 0\n").out, "5 0 3\n");
    EXPECT_EQ(runlumo({"eval", "--formula", "0", "--escape", "0"}, "1 0\n").out, "5 0 0\n");
    EXPECT_EQ(runlumo({"eval", "--formula", "0"}, "1 0\n").out, "5 0 0\n");
    /* Two steps: 1, 2 - not escaped yet. */
    EXPECT_EQ(runlumo({"eval", "--formula", "0", "--escape", "2", "--maxiter", "2"}, "1 0\n").out,
              "2 0 0\n");
    /* A bailout of 5: |5| does not exceed it. */
    EXPECT_EQ(runlumo({"eval", "--formula", "0", "--escape", "1", "--bailout", "5", "--maxiter", "3"},
                      "1 0\n").out,
              "5 0 0\n");
    /* Exponent 3 from 0: c, then c^3 + c = 2. */
    EXPECT_EQ(runlumo({"eval", "--formula", "0", "--exponent", "3", "--maxiter", "2"}, "1 0\n").out,
              "2 0 0\n");
}

TEST(LumoEval, JuliaConstantIsClampedSilently)
{
    /* One step from 0 gives the constant itself, clamped into -20..20. */
    LUMORUN run = runlumo({"eval", "--formula", "1", "--julia", "100", "-100", "--maxiter", "1"}, "0 0\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "20 -20 0\n");
    EXPECT_EQ(run.err, "");
}

TEST(LumoEval, GammaFractalEarlyExitPrintsAClearedW)
{
    EXPECT_EQ(runlumo({"eval", "--formula", "2", "--escape", "1"}, "60 0\n").out, "0 0 1\n");
}

TEST(LumoEval, ViewHeightAndRowsSetThePixelLift)
{
    /* product lifts the real axis by yside / yres. */
    std::string lifted = runlumo({"eval", "--formula", "26"}, "0.5 0.01\n").out;
    EXPECT_EQ(runlumo({"eval", "--formula", "26", "--yside", "3", "--yres", "300"}, "0.5 0\n").out, lifted);
    /* The defaults: the built-in view height 4 and 600 rows. */
    std::string bydefault = runlumo({"eval", "--formula", "26"}, "0.5 0\n").out;
    EXPECT_EQ(runlumo({"eval", "--formula", "26", "--yside", "4", "--yres", "600"}, "0.5 0\n").out,
              bydefault);
    EXPECT_NE(bydefault, lifted);
    /* gamma_fractal's built-in view is 13 high. */
    EXPECT_EQ(runlumo({"eval", "--formula", "2"}, "-2 0\n").out,
              runlumo({"eval", "--formula", "2", "--yside", "13", "--yres", "600"}, "-2 0\n").out);
}

TEST(LumoEval, NonFiniteInputIsEvaluated)
{
    LUMORUN run = runlumo({"eval", "--formula", "22"}, "inf 0\nnan 1\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2);
}

TEST(LumoEval, BadLinesAreNamedByNumber)
{
    LUMORUN run = runlumo({"eval", "--formula", "3"}, "1 2\n3 4\n5 x\n7 8\n");
    expectrefused(run, "line 3");
    EXPECT_EQ(run.out, "1 2 0\n3 4 0\n");
    expectrefused(runlumo({"eval", "--formula", "3"}, "1 2 3\n"), "line 1");
    expectrefused(runlumo({"eval", "--formula", "3"}, "1\n"), "line 1");
    expectrefused(runlumo({"eval", "--formula", "3"}, "1 2\n\n"), "line 2");
    expectrefused(runlumo({"eval", "--formula", "3"}, "1,2\n"), "line 1");
    expectrefused(runlumo({"eval", "--formula", "3"}, "0x 2\n"), "line 1");
    expectrefused(runlumo({"eval", "--formula", "3"}, std::string(5000, '1') + " 2\n"), "line 1");
}

TEST(LumoEval, BadOptionsAreRefused)
{
    expectrefused(runlumo({"eval"}), "--formula N is required");
    expectrefused(runlumo({"eval", "--formula", "31"}), "'31'");
    expectrefused(runlumo({"eval", "--formula", "-1"}), "'-1'");
    expectrefused(runlumo({"eval", "--formula", "2.5"}), "'2.5'");
    expectrefused(runlumo({"eval", "--formula"}), "--formula needs");
    expectrefused(runlumo({"eval", "--formula", "3", "--colour"}), "unknown option '--colour'");
    expectrefused(runlumo({"eval", "--formula", "0", "--escape", "3"}), "--escape");
    expectrefused(runlumo({"eval", "--formula", "1", "--julia", "0.3"}), "--julia");
    expectrefused(runlumo({"eval", "--formula", "0", "--bailout", "nan"}), "--bailout");
    expectrefused(runlumo({"eval", "--formula", "26", "--yside", "0"}), "--yside");
    expectrefused(runlumo({"eval", "--formula", "26", "--yside", "-4"}), "--yside");
}

TEST(LumoEval, OutOfRangeFractalValuesGiveTheParameterErrorTexts)
{
    const struct {
        const char *option;
        const char *value;
        const char *text;
    } cases[] = {
        {"--maxiter", "0", "maximum iteration range: 1 - 1024"},
        {"--maxiter", "1025", "maximum iteration range: 1 - 1024"},
        {"--maxiter", "99999999999999999999", "maximum iteration range: 1 - 1024"},
        {"--bailout", "1.99", "bailout range: 2.0 - 64.0"},
        {"--bailout", "64.01", "bailout range: 2.0 - 64.0"},
        {"--exponent", "0.5", "exponent range: 1.0 - 12.0"},
        {"--exponent", "12.5", "exponent range: 1.0 - 12.0"},
        {"--yres", "31", "x / y resolution range: 32 - 9600"},
        {"--yres", "9601", "x / y resolution range: 32 - 9600"},
    };
    for (const auto &c : cases)
        expectrefused(runlumo({"eval", "--formula", "0", c.option, c.value}, "0 0\n"), c.text);
    /* The bounds themselves are accepted. */
    LUMORUN run = runlumo({"eval", "--formula", "0", "--maxiter", "1024", "--bailout", "64",
                           "--exponent", "12", "--yres", "9600"},
                          "0 0\n");
    EXPECT_EQ(run.status, 0) << run.err;
}

TEST(LumoEval, AFailedWriteOfTheResultsIsReported)
{
    std::string many;
    for (int k = 0; k < 2000; k++)
        many += "1.25 -3.5\n";
    LUMORUN run = runlumo({"eval", "--formula", "3"}, many, 1000);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
}

}

/* lumo eval --expr prints the typed function's values; formula 30 without
   it is the old fixed Custom function; lumo functions names every word. */
TEST(LumoEval, TypedFunctionsEvaluateTheirText)
{
    LUMORUN run = runlumo({"eval", "--expr", "z^2 + 1"}, "1 2\n0.5 -0.25\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "-2 4 0\n1.1875 -0.25 0\n");

    const char *points = "0 0\n2.5 1\n3 0\n-2.9 -0.8\n1e300 0\n";
    std::string expected;
    const double xy[][2] = {{0, 0}, {2.5, 1}, {3, 0}, {-2.9, -0.8}, {1e300, 0}};
    for (const double *p : xy) {
        double wx, wy;
        custom(p[0], p[1], &wx, &wy);
        char line[80];
        std::snprintf(line, sizeof line, "%.17g %.17g 0\n", wx, wy);
        expected += line;
    }
    EXPECT_EQ(runlumo({"eval", "--formula", "30"}, points).out, expected);

    LUMORUN bad = runlumo({"eval", "--expr", "z +"}, "1 2\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "lumo: expression: expected a value, found the end of the text at column 4\n"
                       "  z +\n     ^\n");
    expectrefused(runlumo({"eval", "--expr", "z", "--formula", "3"}), "--expr");
    LUMORUN names = runlumo({"functions"});
    EXPECT_EQ(names.status, 0);
    for (const char *name : {"z ", "pi ", "loggamma ", "zeta ", "pow ", "if ", "not "})
        EXPECT_NE(("\n" + names.out).find(std::string("\n") + name), std::string::npos) << name;
}
