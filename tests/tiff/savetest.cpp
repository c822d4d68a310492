/*
 * savetest.cpp - common ground of the save tests.
 */
#include "savetest.h"

#include <cstdlib>
#include <filesystem>

#include "common/LumoIO.h"
#include "headless/headless.h"
#include "platformspy.h"
#include "render/settings.h"
#include "sampleimages.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

void SaveTest::SetUp()
{
    std::string base = ::testing::TempDir() + "lumotiffXXXXXX";
    ASSERT_NE(mkdtemp(&base[0]), nullptr);
    dir = base;
    headless_messagestream(nullptr);
    resetspy();
}

void SaveTest::TearDown()
{
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

int SaveTest::save(int kind, int width, int height, int compression, const char *name)
{
    EXPECT_EQ(makesample(kind, width, height), 0);
    xres = width;
    yres = height;
    LumoIO::strcpy_s(tifffile, sizeof tifffile, path(name).c_str());
    return writetiff(compression);
}
