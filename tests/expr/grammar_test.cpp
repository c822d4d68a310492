/*
 * grammar_test.cpp - the rules of the language, one table each: texts that
 * must mean the same as their fully bracketed reading, values of real
 * and complex mixtures against the complex type's own operators, parse
 * and type errors with their columns, and singular values.
 */
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/complex.h"
#include "expr/program.h"

namespace {

/* Points in every quadrant, on both axes (with both zeros), near the unit
   circle and far out. */
std::vector<complex> testpoints()
{
    std::vector<complex> points;
    const double values[] = {0.0, -0.0, 0.3, -0.7, 1.0, -1.25, 2.5, -3.75, 1e-3, 40.0};
    for (double x : values) {
        for (double y : values)
            points.push_back(complex{x, y});
    }
    return points;
}

std::vector<complex> run(const char *text, const std::vector<complex> &points)
{
    EXPRPROGRAM program;
    EXPRERROR error;
    EXPECT_TRUE(exprcompile(text, &program, &error)) << text << ": " << error.message;
    EXPRSCRATCH scratch;
    exprscratch(program, &scratch);
    int n = (int)points.size();
    std::vector<double> x(n), y(n), wx(n), wy(n);
    for (int k = 0; k < n; k++) {
        x[k] = points[k].re;
        y[k] = points[k].im;
    }
    exprrun(program, &scratch, n, x.data(), y.data(), wx.data(), wy.data());
    std::vector<complex> w(n);
    for (int k = 0; k < n; k++)
        w[k] = complex{wx[k], wy[k]};
    return w;
}

bool samebits(complex a, complex b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 ||
           (std::isnan(a.re) && std::isnan(b.re) && std::isnan(a.im) == std::isnan(b.im));
}

struct SAMECASE {
    const char *text;
    const char *reading;
};

TEST(Grammar, TextsMeanTheirBracketedReading)
{
    const SAMECASE cases[] = {
        /* implicit multiplication */
        {"2z", "2*z"}, {"3i", "3*i"}, {"(z+1)(z-1)", "(z+1)*(z-1)"}, {"2 sin(z)", "2*sin(z)"},
        {"z(z+1)", "z*(z+1)"}, {"2pi z", "(2*pi)*z"}, {"2e", "2*e"}, {"z sin(z)^2", "z*(sin(z)^2)"},
        /* square brackets group, also around arguments */
        {"[z+1]*2", "(z+1)*2"}, {"exp[2z]", "exp(2*z)"}, {"[(z)]", "z"},
        /* ^ binds tightest, right to left */
        {"2z^2", "2*(z^2)"}, {"-z^2", "-(z^2)"}, {"z^2^0.5", "z^(2^0.5)"}, {"1/z^3", "1/(z^3)"},
        {"z^-2", "1/(z*z)"}, {"z^(-2)", "1/(z*z)"}, {"z^-z", "z^(-z)"}, {"z^0", "1"},
        {"z^1", "z"}, {"z^3", "(z*z)*z"}, {"pow(z, 3)", "z^3"}, {"pow(z, 0.5)", "z^0.5"},
        /* unary minus, then * / and implicit *, left to right, then + - */
        {"-z*2", "(-z)*2"}, {"--z", "-(-z)"}, {"1/2z", "(1/2)*z"}, {"z/2/4", "(z/2)/4"},
        {"z/2z", "(z/2)*z"}, {"z-1-2", "(z-1)-2"}, {"z+2*z", "z+(2*z)"}, {"1-z^2/3", "1-((z^2)/3)"},
        /* numbers */
        {"1.5e-3z", "0.0015*z"}, {"1e2i", "100i"}, {".5z", "0.5*z"}, {"2.i", "2i"}, {"1E+1", "10"},
        /* conditions: not, then and, then or */
        {"if(re(z) > 0 or im(z) > 0 and abs(z) < 1, z, 0)",
         "if((re(z) > 0) or ((im(z) > 0) and (abs(z) < 1)), z, 0)"},
        {"if(not re(z) > 0 and im(z) > 0, z, 0)", "if((not (re(z) > 0)) and (im(z) > 0), z, 0)"},
        /* whitespace is free */
        {" \tz\n+ 1 ", "z+1"}, {"sin ( z )", "sin(z)"},
    };
    std::vector<complex> points = testpoints();
    for (const SAMECASE &c : cases) {
        std::vector<complex> a = run(c.text, points), b = run(c.reading, points);
        for (size_t k = 0; k < points.size(); k++) {
            ASSERT_TRUE(samebits(a[k], b[k])) << c.text << " vs " << c.reading << " at "
                                              << points[k].re << " + " << points[k].im << "i";
        }
    }
}

/* What a mixture of real and complex values does, against the complex
   type's operators and the double arithmetic they are made of. */
struct MIXCASE {
    const char *text;
    complex (*expected)(complex z);
};

TEST(Grammar, RealValuesActAsTheComplexTypeSays)
{
    const MIXCASE cases[] = {
        {"abs(z) + z", [](complex z) { return abs(z) + z; }},
        /* numbers read as the C++ compiler reads them, overflow included */
        {"0.1z + 2.675e-3", [](complex z) { return 0.1 * z + 2.675e-3; }},
        {"z + 1e-320 + 1e999", [](complex z) { return z + 1e-320 + HUGE_VAL; }},
        {"z - re(z)", [](complex z) { return z - z.re; }},
        {"1 - z", [](complex z) { return 1.0 - z; }},
        {"2z", [](complex z) { return 2.0 * z; }},
        {"z / 4", [](complex z) { return complex{z.re / 4.0, z.im / 4.0}; }},
        {"1 / z", [](complex z) { return 1.0 / z; }},
        {"z^-3", [](complex z) { return 1.0 / ((z * z) * z); }},
        {"z^2.5", [](complex z) { return pow(z, 2.5); }},
        {"z^65", [](complex z) { return pow(z, 65.0); }},
        {"z^(1+i)", [](complex z) { return pow(z, complex{1.0 + 0.0, 1.0}); }},
        {"2^z", [](complex z) { return pow(2.0, z); }},
        {"re(z)^2", [](complex z) { return complex{z.re * z.re, 0.0}; }},
        {"im(z)^0.5", [](complex z) { return pow(complex{z.im, 0.0}, 0.5); }},
        {"conj(z)", [](complex z) { return complex{z.re, -z.im}; }},
        {"arg(z) + abs(z)", [](complex z) { return complex{arg(z) + abs(z), 0.0}; }},
        {"exp(re(z))", [](complex z) { return exp(complex{z.re, 0.0}); }},
        {"if(re(z) < 0, 1, z)", [](complex z) { return z.re < 0.0 ? complex{1.0, 0.0} : z; }},
        {"if(re(z) < im(z), re(z), -1)",
         [](complex z) { return complex{z.re < z.im ? z.re : -1.0, 0.0}; }},
    };
    std::vector<complex> points = testpoints();
    for (const MIXCASE &c : cases) {
        std::vector<complex> w = run(c.text, points);
        for (size_t k = 0; k < points.size(); k++) {
            ASSERT_TRUE(samebits(w[k], c.expected(points[k])))
                << c.text << " at " << points[k].re << " + " << points[k].im << "i: got "
                << w[k].re << " + " << w[k].im << "i";
        }
    }
}

struct ERRORCASE {
    std::string text;
    int column;
    const char *message;
};

TEST(Grammar, ErrorsNameTheProblemAndItsColumn)
{
    const ERRORCASE cases[] = {
        {"sinn(z)", 1, "unknown name \"sinn\""},
        {"z + a[z]", 5, "unknown name \"a\""},
        {"a1 + a2 + a3 + a4 + a1 + a5 + a6 + a7 + a8 + a9", 46,
         "more than 8 parameters: \"a9\" is one too many"},
        {"_a", 1, "unknown name \"_a\""},
        {"", 1, "expected a value, found the end of the text"},
        {"z +", 4, "expected a value, found the end of the text"},
        {"z * / 2", 5, "expected a value, found \"/\""},
        {"z^", 3, "expected a value"},
        {"(z + 1", 7, "missing \")\" (to close column 1)"},
        {"exp[2z)", 7, "expected \"]\", found \")\""},
        {"z + 1)", 6, "unmatched \")\""},
        {"2 3", 3, "missing operator before \"3\""},
        {"z $ 1", 3, "unexpected \"$\""},
        {"z \xc3\xa9", 3, "unexpected character 0xC3"},
        {"sin z", 1, "\"sin\" needs its argument in parentheses"},
        {"pow(z)", 1, "\"pow\" takes 2 arguments"},
        {"sin(z, 1)", 6, "\"sin\" takes 1 argument"},
        {"if(z, 1, 2)", 4, "expected a condition such as re(z) > 0"},
        {"re(z) < z", 7, "comparisons take real values"},
        {"(re(z) < 1) + 1", 8, "a condition is not a value"},
        {"z = 1", 3, "\"=\" is not a comparison; write \"==\""},
        {"and", 1, "expected a value, found \"and\""},
        {"re(z) < 1 < 2", 11, "unexpected \"<\""},
        {std::string(201, '(') + "z" + std::string(201, ')'), 201, "nested more than 200 levels deep"},
        {std::string(200, '-') + "-z", 201, "nested more than 200 levels deep"},
        {"z" + std::string(300, '^') , 3, "expected a value"},
        {std::string(100000, '('), 4097, "longer than 4096 characters"},
        {std::string(4097, ' '), 4097, "longer than 4096 characters"},
    };
    for (const ERRORCASE &c : cases) {
        EXPRERROR error;
        EXPECT_FALSE(exprcheck(c.text.c_str(), &error)) << c.text;
        EXPECT_EQ(error.column, c.column) << c.text.substr(0, 60);
        EXPECT_NE(std::string(error.message).find(c.message), std::string::npos)
            << c.text.substr(0, 60) << ": " << error.message;
    }
    /* The deepest nesting still allowed, and the longest text. */
    EXPECT_TRUE(exprcheck((std::string(199, '(') + "z" + std::string(199, ')')).c_str(), nullptr));
    std::string longest = "z";
    while (longest.size() + 2 <= EXPRMAXLENGTH)
        longest += "+z";
    EXPECT_TRUE(exprcheck(longest.c_str(), nullptr));
}

/* Every value is a value: poles, 0^-1, log 0, overflow and non-numbers
   compute without trapping, and a block gives what single points give
   (so the graph and lumo eval agree with the picture). */
TEST(Grammar, SingularValuesAreValuesAndBlocksMatchPoints)
{
    const char *texts[] = {
        "1/z", "0^-1 + z", "z^-64", "log(z) + log(0)", "exp(1e308 z)", "z^1e308", "sqrt(z)/0",
        "gamma(z) + gamma(-1)", "loggamma(z)", "zeta(z) + zeta(1)", "atan(z) + atan(i)",
        "asin(1e300 z) + acos(z/0)", "tan(z*1e300) + tanh(z/0)", "sinh(1e3z)/cosh(1e3z)",
        "if(abs(z) == 0, 1/z, z/0)", "pow(0, z) + pow(z, 0)", "e^z^z^z", "arg(-z) + arg(-1)",
    };
    const double inf = HUGE_VAL, nan = std::nan("");
    std::vector<complex> points = testpoints();
    const double special[] = {0.0, -1.0, 1.0, 1e-308, 1e308, inf, -inf, nan};
    for (double a : special) {
        for (double b : special)
            points.push_back(complex{a, b});
    }
    for (const char *text : texts) {
        std::vector<complex> block = run(text, points);
        for (size_t k = 0; k < points.size(); k++) {
            std::vector<complex> single = run(text, std::vector<complex>{points[k]});
            ASSERT_TRUE(samebits(block[k], single[0])) << text << " at " << points[k].re << " + "
                                                       << points[k].im << "i";
        }
    }
}

}
