/*
 * savefailure_test.cpp - every way a save can fail returns its code, puts
 * the window back as it was and leaves no file behind.
 *
 * Writes are made to fail with a file size limit in a child process (with
 * SIGXFSZ ignored, so the write itself reports the failure).
 */
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/LumoIO.h"
#include "common/platform.h"
#include "headless/headless.h"
#include "platformspy.h"
#include "render/settings.h"
#include "sampleimages.h"
#include "savetest.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"
#include "tiffbytes.h"

namespace {

using SaveFailureTest = SaveTest;

/* What the user must find after a failed save. */
void expectwindowrestored(const std::string &titlebefore)
{
    EXPECT_EQ(spy.enabled, 1);
    EXPECT_EQ(spy.waiting, 0);
    EXPECT_EQ(spy.restoredhandleok, 1);
    EXPECT_EQ(headless_title(), titlebefore);
}

TEST_F(SaveFailureTest, MissingDirectoryIsCode1AndTouchesNothing)
{
    for (int compression : {1, 5}) {
        resetspy();
        std::string before = headless_title();
        EXPECT_EQ(save(SAMPLE_SMOOTH, 16, 16, compression, "no/such/dir/x.tif"), 1);
        EXPECT_FALSE(fileexists(path("no")));
        EXPECT_TRUE(spy.events.empty());
        EXPECT_EQ(headless_title(), before);
    }
}

TEST_F(SaveFailureTest, IneffectiveLzwIsCode4AfterTheWarning)
{
    std::string before = headless_title();
    EXPECT_EQ(save(SAMPLE_NOISE, 64, 64, 5, "noise.tif"), 4);
    EXPECT_FALSE(fileexists(path("noise.tif")));
    EXPECT_EQ(spy.boxcount, 1);
    EXPECT_EQ(spy.boxtext, "LZW compression ineffective for this image.\nPlease save in uncompressed format.");
    EXPECT_EQ(spy.boxcaption, "TIFF LZW");
    EXPECT_EQ(spy.boxstyle, LUMO_MB_ICONEXCLAMATION);
    EXPECT_EQ(spy.boxowned, 0);
    expectwindowrestored(before);
    /* The same picture saves fine uncompressed. */
    EXPECT_EQ(writetiff(1), 0);
    EXPECT_TRUE(fileexists(path("noise.tif")));
}

/* Runs one save in a child process with a file size limit; the exit status
   is writetiff's code, plus 64 when the window was not put back. */
int savewithsizelimit(int kind, int width, int height, int compression,
                      const std::string &file, rlim_t limit)
{
    fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit r = {limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &r) != 0)
            _exit(100);
        std::string before = headless_title();
        resetspy();
        makesample(kind, width, height);
        xres = width;
        yres = height;
        LumoIO::strcpy_s(tifffile, sizeof tifffile, file.c_str());
        int code = writetiff(compression);
        int restored = spy.enabled == 1 && spy.waiting == 0 && spy.restoredhandleok == 1 &&
                       before == headless_title();
        _exit(code + (restored ? 0 : 64));
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST_F(SaveFailureTest, FailedWritesAreCode3Or4AndDeleteTheFile)
{
    struct {
        const char *what;
        int kind, width, height, compression;
        rlim_t limit;
        int code;
    } cases[] = {
        {"nothing can be written", SAMPLE_SMOOTH, 64, 64, 1, 0, 3},
        {"the header fits, no row does", SAMPLE_SMOOTH, 300, 300, 1, 200, 3},
        {"a row in the middle fails", SAMPLE_SMOOTH, 300, 300, 1, 100000, 3},
        {"only the close finds out", SAMPLE_SMOOTH, 32, 32, 1, 3000, 3},
        {"the last byte does not fit", SAMPLE_SMOOTH, 32, 32, 1, 3251, 3},
        {"the LZW strip cannot be written", SAMPLE_SMOOTH, 300, 300, 5, 5000, 4},
        {"the LZW strip is one byte short", SAMPLE_BLACK, 32, 32, 5, 271, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::string file = path("limited.tif");
        int status = savewithsizelimit(c.kind, c.width, c.height, c.compression, file, c.limit);
        EXPECT_EQ(status, c.code) << (status >= 64 ? "window not restored" : "");
        EXPECT_FALSE(fileexists(file));
    }
    /* And with room enough the same saves succeed. */
    EXPECT_EQ(savewithsizelimit(SAMPLE_SMOOTH, 32, 32, 1, path("fits.tif"), 3252), 0);
    EXPECT_EQ(readfile(path("fits.tif")).size(), 3252u);
    EXPECT_EQ(savewithsizelimit(SAMPLE_BLACK, 32, 32, 5, path("fits5.tif"), 272), 0);
    EXPECT_EQ(readfile(path("fits5.tif")).size(), 272u);
}

#if defined(__SANITIZE_ADDRESS__)
#define LUMO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMO_ADDRESS_SANITIZER 1
#endif
#endif

TEST_F(SaveFailureTest, NoMemoryForTheCodeBufferIsCode2)
{
#ifdef LUMO_ADDRESS_SANITIZER
    GTEST_SKIP() << "an address space limit does not work under AddressSanitizer";
#else
    /* A 9600 x 9600 LZW save needs about 263 MB of code buffer; allow the
       child 64 MB more than it has. */
    std::string file = path("big.tif");
    fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        long pages = 0;
        FILE *statm = std::fopen("/proc/self/statm", "r");
        if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1)
            _exit(100);
        std::fclose(statm);
        rlim_t limit = (rlim_t)pages * sysconf(_SC_PAGESIZE) + (64 << 20);
        struct rlimit r = {limit, limit};
        if (setrlimit(RLIMIT_AS, &r) != 0)
            _exit(100);
        headless_createsurface(16, 16);
        xres = 9600;
        yres = 9600;
        LumoIO::strcpy_s(tifffile, sizeof tifffile, file.c_str());
        _exit(writetiff(5));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_FALSE(fileexists(file));
#endif
}

}
