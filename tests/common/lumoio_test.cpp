/*
 * lumoio_test.cpp - the bounded helpers never write beyond the capacity
 * they are given, always terminate, and report what they could not do.
 */
#include <cstring>

#include <gtest/gtest.h>

#include "common/LumoIO.h"

namespace {

/* A destination of the given capacity followed by guard bytes that no
   helper may touch. */
struct GUARDED {
    char bytes[32];
};

void fill(GUARDED *g)
{
    std::memset(g->bytes, '#', sizeof g->bytes);
}

bool guardintact(const GUARDED *g, size_t capacity)
{
    for (size_t k = capacity; k < sizeof g->bytes; k++) {
        if (g->bytes[k] != '#')
            return false;
    }
    return true;
}

TEST(LumoIO, SprintfFitsAndCutsShort)
{
    GUARDED g;
    fill(&g);
    EXPECT_EQ(LumoIO::sprintf_s(g.bytes, 16, "%d %s", 42, "ok"), 5);
    EXPECT_STREQ(g.bytes, "42 ok");
    fill(&g);
    EXPECT_EQ(LumoIO::sprintf_s(g.bytes, 8, "abs(w) maximum: %.2e", 1234.5), -1);
    EXPECT_STREQ(g.bytes, "abs(w) ");
    EXPECT_TRUE(guardintact(&g, 8));
    /* Exactly full: 7 characters and the terminator. */
    fill(&g);
    EXPECT_EQ(LumoIO::sprintf_s(g.bytes, 8, "%s", "1234567"), 7);
    EXPECT_TRUE(guardintact(&g, 8));
    EXPECT_EQ(LumoIO::sprintf_s(nullptr, 8, "x"), -1);
}

TEST(LumoIO, StrcpyAndStrcatStayWithinCapacity)
{
    GUARDED g;
    fill(&g);
    EXPECT_EQ(LumoIO::strcpy_s(g.bytes, 10, "Image "), 0);
    EXPECT_NE(LumoIO::strcat_s(g.bytes, 10, "saved"), 0);
    EXPECT_STREQ(g.bytes, "Image sav");
    EXPECT_TRUE(guardintact(&g, 10));

    fill(&g);
    EXPECT_NE(LumoIO::strcpy_s(g.bytes, 4, "too long"), 0);
    EXPECT_STREQ(g.bytes, "too");
    EXPECT_TRUE(guardintact(&g, 4));

    fill(&g);
    EXPECT_EQ(LumoIO::strcpy_s(g.bytes, 12, "*.tif"), 0);
    EXPECT_EQ(LumoIO::strcat_s(g.bytes, 12, "abc"), 0);
    EXPECT_STREQ(g.bytes, "*.tifabc");
    EXPECT_NE(LumoIO::strcat_s(g.bytes, 12, "defgh"), 0);
    EXPECT_STREQ(g.bytes, "*.tifabcdef");
    EXPECT_TRUE(guardintact(&g, 12));
}

TEST(LumoIO, FopenReportsAFileThatCannotBeOpened)
{
    FILE *file = reinterpret_cast<FILE *>(&file);
    EXPECT_NE(LumoIO::fopen_s(&file, "/nonexistent-lumo-dir/sub/x.tif", "wb"), 0);
    EXPECT_EQ(file, nullptr);
}

}
