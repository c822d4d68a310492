/*
 * projection_cli_test.cpp - lumo render's projection options: refused
 * values name their option and write nothing; the landscape's TIFF, saved
 * while its rows are made, is the same on any number of threads, with
 * and without LZW.
 */
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "runlumo.h"

namespace {

class LumoProjection : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        char name[] = "/tmp/lumo-projection-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { ASSERT_EQ(std::system(("rm -rf '" + dir + "'").c_str()), 0); }
    std::string file(const char *name) const { return dir + "/" + name; }
    LUMORUN render(std::vector<std::string> args, const char *name)
    {
        args.insert(args.begin(), "render");
        args.insert(args.end(), {"-o", file(name)});
        return runlumo(args);
    }
    std::string slurp(const char *name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(const char *name) const
    {
        struct stat st;
        return stat(file(name).c_str(), &st) == 0;
    }
};

TEST_F(LumoProjection, RefusedValuesNameTheirOption)
{
    const struct {
        std::vector<std::string> args;
        const char *text;
    } cases[] = {
        {{"--projection", "globe"}, "--projection needs plane, sphere or landscape, got 'globe'"},
        {{"--projection", "sphere", "--center", "nan", "0"}, "--center needs two numbers"},
        {{"--projection", "sphere", "--center", "1"}, "--center needs two numbers"},
        {{"--projection", "landscape", "--camera", "10", "91"}, "--camera: the elevation must lie in 0 .. 90"},
        {{"--projection", "landscape", "--camera", "10", "-0.5"}, "--camera: the elevation"},
        {{"--projection", "landscape", "--camera", "inf", "30"}, "--camera needs two numbers AZ EL"},
        {{"--projection", "landscape", "--height-limit", "0"}, "--height-limit: the height limit must be"},
        {{"--projection", "landscape", "--height-limit", "-2"}, "--height-limit: the height limit must be"},
        {{"--projection", "landscape", "--height-limit", "nan"}, "--height-limit needs a number"},
        {{"--projection", "landscape", "--height", "sqrt"}, "--height needs log or abs"},
        {{"--projection", "sphere", "--shade", "maybe"}, "--shade needs on or off"},
        {{"--projection", "sphere", "--graph"}, "--graph draws the real-axis graph beside the plane only"},
        {{"--projection", "landscape", "--graph"}, "--graph draws the real-axis graph beside the plane only"},
        {{"--center", "1", "1"}, "--center belongs to sphere"},
        {{"--projection", "landscape", "--center", "1", "1"}, "--center belongs to sphere"},
        {{"--projection", "sphere", "--camera", "0", "90"}, "--camera belongs to landscape"},
        {{"--height", "abs"}, "--height belongs to landscape"},
        {{"--shade", "on"}, "--shade shades the sphere or the landscape"},
        {{"--projection", "sphere", "--figure"}, "a figure draws the plane's axes around its picture"},
    };
    for (const auto &c : cases) {
        /* (A figure's name ends in .svg; every other case refuses the
           option before the name counts.) */
        LUMORUN r = render(c.args, "refused.svg");
        EXPECT_EQ(r.status, 2) << c.text;
        EXPECT_NE(r.err.find(c.text), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(exists("refused.svg")) << c.text;
    }
}

TEST_F(LumoProjection, LandscapeFilesIgnoreTheThreadCount)
{
    const std::vector<std::string> cases[] = {
        {"--formula", "27", "--size", "150", "90", "--projection", "landscape"},
        {"--formula", "0", "--size", "77", "101", "--projection", "landscape", "--camera", "250", "10",
         "--shade", "off"},
        {"--formula", "9", "--size", "80", "80", "--projection", "sphere", "--center", "-1", "2"},
    };
    for (const auto &args : cases) {
        for (const char *lzw : {"", "--lzw"}) {
            std::vector<std::string> one = args, five = args;
            one.insert(one.end(), {"--threads", "1"});
            five.insert(five.end(), {"--threads", "5"});
            if (lzw[0] != '\0') {
                one.push_back(lzw);
                five.push_back(lzw);
            }
            LUMORUN a = render(one, "one.tif"), b = render(five, "five.tif");
            EXPECT_EQ(a.status, b.status) << a.err << b.err;
            EXPECT_TRUE(slurp("one.tif") == slurp("five.tif")) << args[1] << " " << lzw;
            EXPECT_EQ(exists("one.tif"), a.status == 0);
        }
    }
}

}  // namespace
