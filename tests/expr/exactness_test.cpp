/*
 * exactness_test.cpp - the labels of the built-in formulas typed as text
 * give the built-ins' values bit for bit, over every pixel of each
 * formula's own view (the renderer's x and y arithmetic) and at the points
 * where the formulas are singular.
 */
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "expr/expr.h"
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

const EXACTCASE exactcases[] = {
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
    for (const EXACTCASE &c : exactcases) {
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
    for (const EXACTCASE &c : exactcases) {
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

namespace {

/* A text with one parameter, its value, and the same text with the value
   written in as a constant: both must give the same bits. */
struct PARAMCASE {
    std::string withparam;
    std::string value;
    std::string written;
};

/* Every number and every i of text but integer exponents, each in turn made
   the parameter p with the number as its value. */
std::vector<PARAMCASE> literalsasparameters(const std::string &text)
{
    std::vector<PARAMCASE> cases;
    auto namechar = [](char c) { return std::isalnum((unsigned char)c) || c == '_'; };
    for (size_t start = 0; start < text.size(); start++) {
        char c = text[start];
        if (start > 0 && namechar(text[start - 1]))
            continue;
        size_t end = start;
        if (std::isdigit((unsigned char)c) || c == '.') {
            while (end < text.size() && (std::isdigit((unsigned char)text[end]) || text[end] == '.'))
                end++;
            if (end < text.size() && text[end] == 'i' && !(end + 1 < text.size() && namechar(text[end + 1])))
                end++;
        } else if (c == 'i' && !(start + 1 < text.size() && namechar(text[start + 1]))) {
            end = start + 1;
        } else {
            continue;
        }
        size_t before = text.find_last_not_of(' ', start == 0 ? 0 : start - 1);
        if (start > 0 && before != std::string::npos && text[before] == '^')
            continue;
        cases.push_back({text.substr(0, start) + " p " + text.substr(end), text.substr(start, end - start),
                         text});
        start = end - 1;
    }
    return cases;
}

/* The comparison of one case over points; returns the mismatches. */
int compareparam(const PARAMCASE &c, const std::vector<double> &x, const std::vector<double> &y)
{
    EXPRVALUE value;
    EXPRERROR error;
    EXPECT_TRUE(exprreadvalue(c.value.c_str(), &value, &error)) << c.value << ": " << error.message;
    EXPRPROGRAM written, param;
    EXPECT_TRUE(exprcompile(c.written.c_str(), &written, &error)) << c.written;
    EXPECT_TRUE(exprcompile(c.withparam.c_str(), &param, &error)) << c.withparam;
    EXPECT_EQ(param.parameters.size(), 1u) << c.withparam;
    EXPRPARAMS values = {1, {value}};
    EXPECT_TRUE(exprretype(&param, exprparamtypes(values), &error)) << c.withparam;
    EXPRSCRATCH ws, ps;
    exprscratch(written, &ws);
    exprscratch(param, &ps);
    exprsetparams(param, values, &ps);
    int n = (int)x.size();
    std::vector<double> wx(n), wy(n), px(n), py(n);
    exprrun(written, &ws, n, x.data(), y.data(), wx.data(), wy.data());
    exprrun(param, &ps, n, x.data(), y.data(), px.data(), py.data());
    int wrong = 0;
    for (int k = 0; k < n; k++) {
        if (!same(wx[k], px[k]) || !same(wy[k], py[k])) {
            if (++wrong <= 2)
                ADD_FAILURE() << "\"" << c.withparam << "\" with p = " << c.value << " against \""
                              << c.written << "\" at " << x[k] << " + " << y[k] << "i";
        }
    }
    return wrong;
}

TEST(Exactness, ParametersGiveTheBitsOfTheConstantWrittenIn)
{
    std::vector<PARAMCASE> cases = {
        {"z^2 + c", "0.25", "z^2 + 0.25"},
        {"z^2 + c", "0.25+0.1i", "z^2 + (0.25+0.1i)"},
        {"z^2 + c", "-0.75-0.1i", "z^2 + (-0.75-0.1i)"},
        {"z^2 + c", "0.25+0i", "z^2 + (0.25+0i)"},
        {"z^2 + c", "-0", "z^2 + (-0)"},
        {"sin(a z) + a", "2i", "sin(2i z) + 2i"},
        {"zeta(z + t i)", "14.134725", "zeta(z + 14.134725 i)"},
        {"z^t", "3", "z^3.0"},
        {"t^z / t", "-2.5", "(-2.5)^z / (-2.5)"},
        {"if(abs(z) < r, z / r, conj(r))", "1.5", "if(abs(z) < 1.5, z / 1.5, conj(1.5))"},
        {"if(re(z) < 0, c, c c)", "1-i", "if(re(z) < 0, (1-i), (1-i) (1-i))"},
        {"c", "0.5i", "0.5i"},
        {"c", "0.5", "0.5"},
    };
    for (const EXACTCASE &e : exactcases)
        for (const PARAMCASE &c : literalsasparameters(e.text))
            cases.push_back(c);

    std::vector<double> x, y;
    const double inf = HUGE_VAL, nan = std::nan("");
    const double special[] = {0.0, -0.0, 1.0, -1.0, 2.0, -2.0, 0.5, 1e-160, 1e160, 1e300, inf, -inf, nan};
    for (double a : special) {
        for (double b : special) {
            x.push_back(a);
            y.push_back(b);
        }
    }
    for (int k = 0; k < 61 * 61; k++) {
        x.push_back(-3.0 + 0.1 * (k % 61));
        y.push_back(-3.0 + 0.1 * (k / 61));
    }
    int literals = 0;
    for (const PARAMCASE &c : cases) {
        EXPECT_EQ(compareparam(c, x, y), 0) << c.withparam;
        literals++;
    }
    EXPECT_GT(literals, 40);
}

TEST(Exactness, ParameterValuesReadAsConstantsAndTheirErrors)
{
    struct {
        const char *text;
        int ok;
        double re, im;
        int iscomplex;
    } cases[] = {
        {"0.25", 1, 0.25, 0.0, 0}, {"-1e-3", 1, -1e-3, 0.0, 0}, {"2i", 1, 0.0, 2.0, 1},
        {"0.25-0.1i", 1, 0.25, -0.1, 1}, {"pi/4", 1, 0.7853981633974483, 0.0, 0},
        {"1+0i", 1, 1.0, 0.0, 1}, {"z", 0, 0, 0, 0}, {"a", 0, 0, 0, 0}, {"1e400", 0, 0, 0, 0},
        {"1/0", 0, 0, 0, 0}, {"", 0, 0, 0, 0}, {"0.25 +", 0, 0, 0, 0}, {"re(z) > 0", 0, 0, 0, 0},
    };
    for (const auto &c : cases) {
        EXPRVALUE v;
        EXPRERROR error;
        ASSERT_EQ(exprreadvalue(c.text, &v, &error), c.ok) << c.text;
        if (!c.ok) {
            EXPECT_NE(error.message[0], '\0') << c.text;
            continue;
        }
        EXPECT_EQ(v.re, c.re) << c.text;
        EXPECT_EQ(v.im, c.im) << c.text;
        EXPECT_EQ(v.iscomplex, c.iscomplex) << c.text;
    }
}

TEST(Exactness, CustomParametersKeepTheirValuesAndRefuseComplexComparisons)
{
    ASSERT_TRUE(setcustomtext("z^2 + c + b", nullptr));
    ASSERT_EQ(customparamcount(), 2);
    EXPECT_STREQ(customparamname(0), "c");
    EXPECT_EQ(findcustomparam("b"), 1);
    EXPECT_EQ(findcustomparam("z"), -1);
    EXPRVALUE v = {0.25, 0.5, 1};
    ASSERT_TRUE(setcustomparam(0, v, nullptr));
    /* The new text keeps c's value and gives its new parameter 1. */
    ASSERT_TRUE(setcustomtext("if(re(z) > 0, a, c)", nullptr));
    EXPECT_EQ(customparams().value[1].im, 0.5);
    EXPECT_EQ(customparams().value[0].re, 1.0);
    double wx, wy;
    typedfunction(-1.0, 0.0, &wx, &wy);
    EXPECT_EQ(wx, 0.25);
    EXPECT_EQ(wy, 0.5);
    /* A compared parameter stays real. */
    ASSERT_TRUE(setcustomtext("if(re(z) > r, z, 0)", nullptr));
    EXPRERROR error;
    EXPECT_FALSE(setcustomparam(0, v, &error));
    EXPECT_NE(std::string(error.message).find("comparisons take real values"), std::string::npos);
    EXPECT_EQ(customparams().value[0].iscomplex, 0);
    ASSERT_TRUE(setcustomtext(customdefaulttext, nullptr));
}

}
