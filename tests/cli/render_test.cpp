/*
 * render_test.cpp - `lumo render` run as a user runs it: threads that give
 * the same file as one thread and as driver() row by row, the graph strip,
 * the dialogs' clamps and refusals, the |w| report, and failed saves that
 * leave nothing behind.
 */
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/platform.h"
#include "expr/expr.h"
#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/settings.h"
#include "runlumo.h"

namespace {

typedef LUMORUN RUN;

std::string slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool exists(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

/* A fresh folder for one test's files. */
std::string folder()
{
    char name[] = "/tmp/lumo-render-test-XXXXXX";
    const char *made = mkdtemp(name);
    return made ? made : "/tmp";
}

/* Runs lumo render with the arguments; fsizelimit > 0 caps the size of
   files it may write, so that a write past it fails. */
RUN lumo(const std::vector<std::string> &args, long fsizelimit = 0)
{
    std::vector<std::string> all = {"render"};
    all.insert(all.end(), args.begin(), args.end());
    return runlumo(all, "", fsizelimit);
}

class LumoRender : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override { dir = folder(); }
    void TearDown() override
    {
        std::string command = "rm -rf '" + dir + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::string file(const char *name) { return dir + "/" + name; }

    /* Renders into a file of the test's folder and returns its bytes. */
    std::string render(const char *name, std::vector<std::string> args)
    {
        args.push_back("-o");
        args.push_back(file(name));
        RUN r = lumo(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return slurp(file(name));
    }
};

/* The pixel bytes of an uncompressed file: they follow the 180-byte head. */
std::string pixels(const std::string &tiff) { return tiff.size() > 180 ? tiff.substr(180) : ""; }

/* The same image rendered here by driver(), row by row, with a formula's
   own settings at the given size. */
std::string driverpixels(int f, int w, int h, int graph)
{
    fillfactorial();
    for (int k = 0; k < NFORMULAS; k++)
        im[k].first = 1;
    initsettings();
    formula = f;
    InitFormula(f);
    xres = w;
    yres = h;
    graphflag = graph;
    displaylimitflag = 0;
    greyflag = 0;
    EXPECT_EQ(headless_createsurface(graph ? 1300 : w, h), 0);
    okrender = 1;
    j = 0;
    while (okrender)
        driver();
    int width = graphflag ? 1300 : w;
    std::string bytes;
    const unsigned char *p = headless_pixels();
    for (int y = 0; y < h; y++)
        bytes.append((const char *)p + (size_t)y * surface_width() * 3, (size_t)width * 3);
    headless_freesurface();
    return bytes;
}

TEST_F(LumoRender, ThreadsGiveTheFileOfOneThreadAndOfDriver)
{
    struct Case {
        int formula;
        int w, h;
    } cases[] = {
        {27, 120, 90},     /* rows of very different cost */
        {26, 64, 97},      /* reads the view height and image height */
        {2, 80, 60},       /* the gamma fractal with its early exits */
        {0, 101, 33},
    };
    for (const Case &c : cases) {
        std::vector<std::string> args = {"--formula", std::to_string(c.formula), "--size",
                                         std::to_string(c.w), std::to_string(c.h)};
        std::vector<std::string> one = args, two = args, five = args;
        one.insert(one.end(), {"--threads", "1"});
        two.insert(two.end(), {"--threads", "2"});
        five.insert(five.end(), {"--threads", "5"});
        std::string a = render("one.tif", one);
        std::string b = render("two.tif", two);
        std::string d = render("five.tif", five);
        ASSERT_EQ(a.size(), 180u + (size_t)c.w * c.h * 3) << c.formula;
        EXPECT_TRUE(a == b) << "formula " << c.formula;
        EXPECT_TRUE(a == d) << "formula " << c.formula;
        EXPECT_TRUE(pixels(a) == driverpixels(c.formula, c.w, c.h, 0)) << "formula " << c.formula;

        /* The save takes rows while the threads still make them: an LZW
           save (which may give up midway) ends the same on any count. */
        std::vector<std::string> lzw1 = one, lzw5 = five;
        lzw1.insert(lzw1.end(), {"--lzw", "-o", file("lzw1.tif")});
        lzw5.insert(lzw5.end(), {"--lzw", "-o", file("lzw5.tif")});
        RUN r1 = lumo(lzw1), r5 = lumo(lzw5);
        EXPECT_EQ(r1.status, r5.status) << "formula " << c.formula << ": " << r1.err << r5.err;
        EXPECT_TRUE(slurp(file("lzw1.tif")) == slurp(file("lzw5.tif"))) << "formula " << c.formula;
        EXPECT_EQ(exists(file("lzw1.tif")), r1.status == 0) << "formula " << c.formula;
    }
}

TEST_F(LumoRender, GraphStripSavedBesideA600By600Image)
{
    std::string one = render("one.tif", {"--graph", "--threads", "1"});
    std::string two = render("two.tif", {"--graph", "--threads", "2"});
    EXPECT_EQ(one.size(), 180u + 1300u * 600u * 3u);
    EXPECT_TRUE(one == two);
    EXPECT_TRUE(pixels(one) == driverpixels(3, 600, 600, 1));
}

TEST_F(LumoRender, GraphOnlyWhereItIsShown)
{
    /* without --graph or with the axis out of view the file is as wide as
       the image (another size with --graph is refused) */
    EXPECT_EQ(render("a.tif", {}).size(), 180u + 600u * 600u * 3u);
    EXPECT_EQ(render("c.tif", {"--graph", "--view", "-4", "4", "1", "3"}).size(), 180u + 600u * 600u * 3u);
    /* a view edge on the axis keeps the graph */
    EXPECT_EQ(render("d.tif", {"--graph", "--view", "-4", "4", "0", "3"}).size(), 180u + 1300u * 600u * 3u);
}

TEST_F(LumoRender, RefusedValuesGiveTheDialogTextAndWriteNothing)
{
    struct Case {
        std::vector<std::string> args;
        const char *text;
    } cases[] = {
        {{"--view", "25", "30", "-1", "1"}, "outside the allowed range (x -20 .. 20, y -20 .. 20 for "
                                            "formula 3): xmin 25 > 20, xmax 30 > 20"},
        {{"--view", "1", "1.00000001", "-1", "1"}, "xmax must be greater than xmin by at least 0.00000001"},
        {{"--view", "-1", "1", "3", "3"}, "ymax must be greater than ymin by at least 0.00000001"},
        {{"--size", "31", "600"}, "x / y resolution range: 32 - 9600"},
        {{"--size", "600", "9601"}, "x / y resolution range: 32 - 9600"},
        {{"--formula", "0", "--maxiter", "1025"}, "maximum iteration range: 1 - 1024"},
        {{"--formula", "1", "--bailout", "64.5"}, "bailout range: 2.0 - 64.0"},
        {{"--formula", "2", "--exponent", "0.5"}, "exponent range: 1.0 - 12.0"},
        {{"--grid-width", "0.005"}, "width range: 0.01 - 0.1"},
        {{"--grid-extent", "51"}, "grid plane range: 2 - 50"},
        {{"--grid-extent", "1"}, "grid plane range: 2 - 50"},
        /* the first refusal in the dialog's order wins */
        {{"--grid-extent", "1", "--maxiter", "0", "--size", "10", "10", "--view", "1", "1", "0", "1"},
         "xmax must be greater than xmin"},
        {{"--grid-width", "1", "--maxiter", "0", "--size", "10", "10"}, "x / y resolution range"},
        {{"--grid-width", "1", "--formula", "0", "--maxiter", "0"}, "maximum iteration range"},
        /* the menu greys the grids under Cyclic - 3-D */
        {{"--map", "4", "--grid", "square"}, "Cyclic - 3-D"},
        {{"--formula", "2", "--grid", "both"}, "Cyclic - 3-D"},
        /* malformed input */
        {{"--formula", "31"}, "--formula"},
        {{"--map", "10"}, "--map"},
        {{"--map", "rainbow"}, "--map"},
        {{"--grid", "diagonal"}, "--grid"},
        {{"--brightness", "4"}, "--brightness"},
        {{"--threads", "0"}, "--threads"},
        {{"--size", "600", "6x0"}, "--size"},
        {{"--view", "1", "2", "3"}, "--view"},
        {{"--escape", "3"}, "--escape"},
        {{"--colour"}, "unknown option"},
        {{"--view", "nan", "1", "-1", "1"}, "--view needs four finite numbers"},
        {{"--view", "-1", "1", "-1", "inf"}, "--view needs four finite numbers"},
        {{"--graph", "--size", "640", "640"}, "--graph needs --size 600 600"},
        {{"--graph", "--size", "600", "601"}, "--graph needs --size 600 600"},
        /* a forgotten file name does not make the next option a file */
        {{"-o", "--lzw"}, "-o needs a file name, got '--lzw'"},
        {{"-o", "-"}, "not standard output"},
    };
    for (const Case &c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", file("refused.tif")});
        RUN r = lumo(args);
        EXPECT_EQ(r.status, 2) << c.text;
        EXPECT_NE(r.err.find(c.text), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(exists(file("refused.tif"))) << c.text;
    }
    RUN r = lumo({"--size", "64", "64"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("-o FILE"), std::string::npos);
}

TEST_F(LumoRender, ClampedValuesRenderAsTheirClamps)
{
    struct Case {
        std::vector<std::string> given, clamped;
    } cases[] = {
        {{"--view", "-50", "50", "-50", "50"}, {"--view", "-20", "20", "-20", "20"}},
        {{"--formula", "28", "--view", "-50", "50", "-1", "1"}, {"--formula", "28", "--view", "-30", "20", "-1", "1"}},
        {{"--view", "5", "-5", "2", "-2"}, {"--view", "-5", "5", "-2", "2"}},
        {{"--formula", "1", "--julia", "100", "-0.5"}, {"--formula", "1", "--julia", "20", "-0.5"}},
        {{"--map", "5", "--abs-limit", "0.05"}, {"--map", "5", "--abs-limit", "0.1"}},
        {{"--map", "6", "--abs-limit", "1000"}, {"--map", "6", "--abs-limit", "500"}},
        /* Cyclic - 3-D switches a formula's own grids off */
        {{"--formula", "4", "--map", "4"}, {"--formula", "4", "--map", "4", "--grid", "none"}},
    };
    for (const Case &c : cases) {
        std::vector<std::string> given = c.given, clamped = c.clamped;
        given.insert(given.end(), {"--size", "48", "40"});
        clamped.insert(clamped.end(), {"--size", "48", "40"});
        EXPECT_TRUE(render("given.tif", given) == render("clamped.tif", clamped)) << c.given[1];
    }
    /* and a clamp that changes something does show */
    EXPECT_FALSE(render("a.tif", {"--map", "5", "--abs-limit", "2", "--size", "48", "40"}) ==
                 render("b.tif", {"--map", "5", "--abs-limit", "4", "--size", "48", "40"}));
}

TEST_F(LumoRender, ReportMaxPrintsTheLargestModulus)
{
    RUN r = lumo({"--size", "32", "32", "--view", "-1", "1", "-1", "1", "--report-max", "-o", file("m.tif")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "abs(w) maximum: 1.41e+00\n");
    EXPECT_EQ(r.err, "");
    r = lumo({"--size", "32", "32", "-o", file("n.tif")});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST_F(LumoRender, AViewCutToTheAllowedRangeIsNamed)
{
    RUN r = lumo({"--size", "32", "32", "--formula", "28", "--view", "-50", "5", "-1", "1", "-o", file("v.tif")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "lumo render: note: --view lies outside the allowed range (x -30 .. 20, "
                     "y -20 .. 20 for formula 28): xmin -50 < -30; rendering -30 5 -1 1\n");
    /* Cut to nothing, the view names the bound it passed. */
    r = lumo({"--size", "32", "32", "--view", "0", "1", "100", "101", "-o", file("w.tif")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "lumo render: --view lies outside the allowed range (x -20 .. 20, y -20 .. 20 "
                     "for formula 3): ymin 100 > 20, ymax 101 > 20\n");
}

}

namespace {

/* A typed function's file is the same whatever the thread count, with the
   graph strip too; formula 30 without --expr is the default text. */
TEST_F(LumoRender, TypedFunctionFilesIgnoreTheThreadCount)
{
    const std::string text = "if(re(z) > 0 and abs(z) < 3, gamma(z), sqrt(z)) + 1/(z - 1)^2";
    std::string one = render("one.tif", {"--expr", text, "--graph", "--threads", "1"});
    ASSERT_GT(one.size(), 180u);
    EXPECT_EQ(render("two.tif", {"--expr", text, "--graph", "--threads", "2"}), one);
    EXPECT_EQ(render("five.tif", {"--expr", text, "--graph", "--threads", "5"}), one);

    std::string plain = render("plain.tif", {"--formula", "30", "--size", "300", "200"});
    EXPECT_EQ(render("default.tif", {"--expr", customdefaulttext, "--size", "300", "200"}), plain);
    EXPECT_NE(render("other.tif", {"--expr", "z", "--size", "300", "200"}), plain);
}

TEST_F(LumoRender, ExpressionErrorsShowTheColumnAndWriteNothing)
{
    RUN r = lumo({"--expr", "sinn(z)", "-o", file("bad.tif")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "lumo: expression: unknown name \"sinn\" at column 1\n  sinn(z)\n  ^\n");
    EXPECT_FALSE(exists(file("bad.tif")));

    r = lumo({"--expr", "exp(2z", "--threads", "2", "-o", file("bad.tif")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "lumo: expression: missing \")\" (to close column 4) at column 7\n"
                     "  exp(2z\n        ^\n");
    EXPECT_FALSE(exists(file("bad.tif")));

    r = lumo({"--expr", std::string(100000, '('), "-o", file("bad.tif")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("longer than 4096 characters at column 4097"), std::string::npos);
    EXPECT_FALSE(exists(file("bad.tif")));

    r = lumo({"--expr", "z", "--formula", "6", "-o", file("bad.tif")});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(exists(file("bad.tif")));
}

}
