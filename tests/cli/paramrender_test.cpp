/*
 * paramrender_test.cpp - parameters and far views of typed functions from
 * the command line: a parameter renders as the constant written in, its
 * errors and notes, and a typed zeta far beyond the built-ins' bounds
 * coloured from the values `lumo eval` gives at its pixels.
 */
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "common/complex.h"
#include "formulas/formulas.h"
#include "render/colormap.h"
#include "render/settings.h"
#include "runlumo.h"

namespace {

std::string slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class LumoParams : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        char name[] = "/tmp/lumo-param-test-XXXXXX";
        const char *made = mkdtemp(name);
        dir = made ? made : "/tmp";
    }
    void TearDown() override { ASSERT_EQ(std::system(("rm -rf '" + dir + "'").c_str()), 0); }

    /* The pixel bytes of an uncompressed TIFF rendered with args. */
    std::string pixels(std::vector<std::string> args)
    {
        std::string path = dir + "/p.tif";
        args.insert(args.begin(), "render");
        args.insert(args.end(), {"-o", path});
        LUMORUN r = runlumo(args);
        EXPECT_EQ(r.status, 0) << r.err;
        std::string tiff = slurp(path);
        std::remove(path.c_str());
        return tiff.size() > 180 ? tiff.substr(180) : "";
    }
};

TEST_F(LumoParams, AParameterRendersAsTheConstantWrittenIn)
{
    const struct {
        const char *text, *param, *written;
    } cases[] = {
        {"z^2 + c", "c=0.25", "z^2 + 0.25"},
        {"z^2 + c", "c=0.25+0.1i", "z^2 + (0.25+0.1i)"},
        {"sin(a z) / a", "a=-2.5i", "sin(-2.5i z) / (-2.5i)"},
        {"z^t", "t=3", "z^3.0"},
    };
    for (const auto &c : cases) {
        std::string a = pixels({"--expr", c.text, "--param", c.param, "--size", "64", "48"});
        std::string b = pixels({"--expr", c.written, "--size", "64", "48"});
        ASSERT_EQ(a.size(), 64u * 48 * 3);
        EXPECT_TRUE(a == b) << c.text << " with " << c.param;
    }
    /* and a value is not ignored */
    EXPECT_FALSE(pixels({"--expr", "z^2 + c", "--param", "c=0.5", "--size", "64", "48"}) ==
                 pixels({"--expr", "z^2 + c", "--size", "64", "48"}));
}

TEST_F(LumoParams, ErrorsExitTwoAndNotesNameTheValueUsed)
{
    const struct {
        std::vector<std::string> args;
        int status;
        const char *err;
    } cases[] = {
        {{"--expr", "z + b + a", "--param", "a=2"}, 0,
         "lumo render: note: parameter b has no --param; using b=1\n"},
        {{"--expr", "z + b + a"}, 0, "lumo render: note: parameters b, a have no --param; using b=1, a=1\n"},
        {{"--expr", "z + a", "--param", "b=2"}, 2,
         "lumo render: --param b=2: the function has no parameter \"b\" (it has a)\n"},
        {{"--expr", "z", "--param", "b=2"}, 2,
         "lumo render: --param b=2: the function has no parameter \"b\" (it has none)\n"},
        {{"--expr", "z + a", "--param", "a=0.5.5"}, 2,
         "lumo render: --param a=0.5.5: the value does not read: missing operator before \".5\"\n"},
        {{"--expr", "z + a", "--param", "a=z"}, 2,
         "lumo render: --param a=z: the value does not read: a value cannot depend on z\n"},
        {{"--expr", "z + a", "--param", "a=1", "--param", "a=2"}, 2,
         "lumo render: --param a=2: \"a\" was given a value already\n"},
        {{"--expr", "z + a", "--param", "=2"}, 2, "lumo render: --param =2: needs NAME=VALUE\n"},
        {{"--expr", "if(re(z) > a, z, 0)", "--param", "a=1i"}, 2,
         "lumo render: --param a=1i: comparisons take real values: use re, im or abs of a complex one\n"},
        {{"--formula", "3", "--param", "a=1"}, 2,
         "lumo render: --param sets a parameter of a typed function (--expr)\n"},
        {{"--expr", "z", "--view", "1e5", "100000.00000001", "0", "1"}, 2,
         "lumo render: --view: xmax must be greater than xmin by at least 1e-12 of the larger of 1, "
         "|xmin| and |xmax|\n"},
        {{"--expr", "z", "--view", "-2e6", "0", "0", "1"}, 0,
         "lumo render: note: --view lies outside the allowed range (x -1e+06 .. 1e+06, y -1e+06 .. "
         "1e+06 for formula 30): xmin -2000000 < -1e+06; rendering -1000000 0 0 1\n"},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = {"render", "--size", "32", "32", "-o", dir + "/e.tif"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        LUMORUN r = runlumo(args);
        EXPECT_EQ(r.status, c.status) << c.args[1];
        EXPECT_EQ(r.err, c.err);
    }
    LUMORUN r = runlumo({"eval", "--expr", "z + a", "--param", "q=1"}, "0 0\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "lumo eval: --param q=1: the function has no parameter \"q\" (it has a)\n");
    r = runlumo({"eval", "--expr", "z + a + b", "--param", "b=0.5i"}, "0 0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1 0.5 0\n");
    EXPECT_EQ(r.err, "lumo eval: note: parameter a has no --param; using a=1\n");
}

/* The colour of w as formula 30's settings colour it. */
unsigned int colourofw(double wx, double wy)
{
    int r, g, b;
    complex v = {wx, wy};
    double modulus = abs(v);
    double hue = arg(v);
    if (hue < 0.0)
        hue += 6.283185307179586;
    hue = hue * 0.15915494309189535 * 360.0;
    pixelcolor(30, 0, wx, wy, modulus, hue, &r, &g, &b);
    return (unsigned int)(r + 256 * g + 65536 * b);
}

TEST_F(LumoParams, TypedZetaFarOutIsColouredFromLumoEvalsValues)
{
    const int w = 48, h = 36;
    const double view[4] = {-35.0, -34.0, 499.5, 500.25};
    /* t moves the view further up, to |Im| 900, where zeta is still
       accurate. */
    std::vector<std::string> args = {"--expr", "zeta(z + t i)", "--param", "t=400.5", "--size",
                                     std::to_string(w), std::to_string(h), "--view", "-35", "-34",
                                     "499.5", "500.25"};
    std::string image = pixels(args);
    ASSERT_EQ(image.size(), (size_t)w * h * 3);

    /* The renderer's own arithmetic for each pixel's point. */
    std::ostringstream points;
    points.precision(17);
    for (int row = 0; row < h; row++) {
        for (int i = 0; i < w; i++) {
            double x = i * (view[1] - view[0]) / (w - 1) + view[0];
            double y = (h - row - 1) * (view[3] - view[2]) / (h - 1) + view[2];
            points << x << " " << y << "\n";
        }
    }
    LUMORUN r = runlumo({"eval", "--expr", "zeta(z + t i)", "--param", "t=400.5"}, points.str());
    ASSERT_EQ(r.status, 0) << r.err;

    initsettings();
    formula = 30;
    InitFormula(30);
    std::istringstream values(r.out);
    int wrong = 0, coloured = 0;
    unsigned int first = 0;
    for (int k = 0; k < w * h; k++) {
        double wx, wy;
        int result;
        ASSERT_TRUE(values >> wx >> wy >> result) << k;
        unsigned int c = colourofw(wx, wy);
        const unsigned char *p = (const unsigned char *)image.data() + 3 * k;
        wrong += c != (unsigned int)(p[0] + 256 * p[1] + 65536 * p[2]);
        coloured += c != first;
        if (k == 0)
            first = c;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(coloured, w * h / 2);
}

}
