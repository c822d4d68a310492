/*
 * reproduce_test.cpp - the output part of a PNG's Comment for the names of
 * both systems: the window program's Windows paths, whose backslashes
 * separate folders, and lumo's POSIX ones, where a backslash is part of
 * the name.  (tests/cli/check_comment_names.py runs the POSIX Comments
 * through a shell.)
 */
#include <gtest/gtest.h>

#include "render/reproduce.h"

TEST(ReproduceOutput, TakesTheBaseNameOfEachSystemsPaths)
{
    struct {
        const char *path;
        int windows;
        const char *output;
    } cases[] = {
        {"C:\\pictures\\zeta.png", 1, " -o zeta.png"},
        {"C:\\pictures\\zeta", 1, " --format png -o zeta"},
        {"D:/mixed\\-minus.PNG", 1, " -o ./-minus.PNG"},
        {"\\\\server\\share\\caf\xe9.png", 1, " -o \"$(printf 'caf\\351.png')\""},
        {"/home/me/back\\slash.png", 0, " -o 'back\\slash.png'"},
        {"relative/name.tif", 0, " --format png -o name.tif"},
        {"plain.png", 0, " -o plain.png"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(reproduceoutput(c.path, c.windows), c.output) << c.path;
}
