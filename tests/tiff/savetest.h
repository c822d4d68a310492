/*
 * savetest.h - common ground of the save tests: a scratch directory, and
 * a save of a synthetic picture through writetiff.
 */
#ifndef LUMO_TESTS_SAVETEST_H
#define LUMO_TESTS_SAVETEST_H

#include <gtest/gtest.h>

#include <string>

class SaveTest : public ::testing::Test {
protected:
    std::string dir;

    void SetUp() override;
    void TearDown() override;

    /* A path in the scratch directory. */
    std::string path(const char *name) const { return dir + "/" + name; }

    /* Fills a width x height surface with a sample picture and saves it
       under name; returns writetiff's code. */
    int save(int kind, int width, int height, int compression, const char *name);
};

#endif
