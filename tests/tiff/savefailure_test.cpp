/*
 * savefailure_test.cpp - every way a save can fail returns its code, puts
 * the window back as it was, leaves whatever was at the target exactly as
 * it was, and leaves no temporary file behind.
 *
 * Writes are made to fail with a file size limit in a child process (with
 * SIGXFSZ ignored, so the write itself reports the failure), memory with
 * an address space limit.  Nodes, pipes and links are made in the scratch
 * folder; nothing outside it is touched.
 */
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
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

const std::string OLDCONTENT = "the picture saved last week\n";

class SaveFailureTest : public SaveTest {
protected:
    /* A regular file with known bytes and mode. */
    void makeold(const char *name)
    {
        FILE *f = std::fopen(path(name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(OLDCONTENT.data(), 1, OLDCONTENT.size(), f), OLDCONTENT.size());
        ASSERT_EQ(std::fclose(f), 0);
        ASSERT_EQ(chmod(path(name).c_str(), 0640), 0);
    }

    void expectold(const char *name)
    {
        std::vector<unsigned char> bytes = readfile(path(name));
        EXPECT_TRUE(std::string(bytes.begin(), bytes.end()) == OLDCONTENT)
            << name << " is no longer the old file: " << bytes.size() << " bytes";
    }

    /* The names in the scratch folder: a left-over temporary file shows. */
    std::set<std::string> names() const
    {
        std::set<std::string> found;
        DIR *d = opendir(dir.c_str());
        for (struct dirent *e; d != nullptr && (e = readdir(d)) != nullptr;)
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                found.insert(e->d_name);
        if (d != nullptr)
            closedir(d);
        return found;
    }
};

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
        EXPECT_EQ(tiffsavereason, ENOENT);
        EXPECT_TRUE(names().empty());
        EXPECT_TRUE(spy.events.empty());
        EXPECT_EQ(headless_title(), before);
    }
}

TEST_F(SaveFailureTest, IneffectiveLzwIsCode4AfterTheWarningAndKeepsTheOldFile)
{
    makeold("noise.tif");
    std::string before = headless_title();
    EXPECT_EQ(save(SAMPLE_NOISE, 64, 64, 5, "noise.tif"), 4);
    expectold("noise.tif");
    EXPECT_EQ(names(), std::set<std::string>{"noise.tif"});
    EXPECT_EQ(spy.boxcount, 1);
    EXPECT_EQ(spy.boxtext, "LZW compression ineffective for this image.\nPlease save in uncompressed format.");
    EXPECT_EQ(spy.boxcaption, "TIFF LZW");
    EXPECT_EQ(spy.boxstyle, LUMO_MB_ICONEXCLAMATION);
    EXPECT_EQ(spy.boxowned, 0);
    expectwindowrestored(before);
    /* The same picture saves fine uncompressed, and the new file keeps the
       old one's mode. */
    EXPECT_EQ(writetiff(1), 0);
    EXPECT_EQ(readfile(path("noise.tif")).size(), 180u + 64 * 64 * 3);
    struct stat st;
    ASSERT_EQ(stat(path("noise.tif").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(names(), std::set<std::string>{"noise.tif"});
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
        _exit(code + (restored ? 0 : 64) + (code == 3 && tiffsavereason != EFBIG ? 128 : 0));
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST_F(SaveFailureTest, FailedWritesAreCode3AndKeepTheOldFile)
{
    struct {
        const char *what;
        int kind, width, height, compression;
        rlim_t limit;
    } cases[] = {
        {"nothing can be written", SAMPLE_SMOOTH, 64, 64, 1, 0},
        {"the header fits, no row does", SAMPLE_SMOOTH, 300, 300, 1, 200},
        {"a row in the middle fails", SAMPLE_SMOOTH, 300, 300, 1, 100000},
        {"only the last block finds out", SAMPLE_SMOOTH, 32, 32, 1, 3000},
        {"the last byte does not fit", SAMPLE_SMOOTH, 32, 32, 1, 3251},
        {"the LZW strip cannot be written", SAMPLE_SMOOTH, 300, 300, 5, 5000},
        {"the LZW strip is one byte short", SAMPLE_BLACK, 32, 32, 5, 271},
        {"the LZW output fails mid-stream", SAMPLE_NOISE, 800, 800, 5, 1 << 20},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        makeold("limited.tif");
        int status = savewithsizelimit(c.kind, c.width, c.height, c.compression,
                                       path("limited.tif"), c.limit);
        EXPECT_EQ(status & 63, 3) << "code";
        EXPECT_EQ(status & 64, 0) << "window not restored";
        EXPECT_EQ(status & 128, 0) << "reason not EFBIG";
        expectold("limited.tif");
        EXPECT_EQ(names(), std::set<std::string>{"limited.tif"});
    }
    /* And with room enough the same saves succeed. */
    EXPECT_EQ(savewithsizelimit(SAMPLE_SMOOTH, 32, 32, 1, path("limited.tif"), 3252), 0);
    EXPECT_EQ(readfile(path("limited.tif")).size(), 3252u);
    EXPECT_EQ(savewithsizelimit(SAMPLE_BLACK, 32, 32, 5, path("limited.tif"), 272), 0);
    EXPECT_EQ(readfile(path("limited.tif")).size(), 272u);
    EXPECT_EQ(names(), std::set<std::string>{"limited.tif"});
}

#if defined(__SANITIZE_ADDRESS__)
#define LUMO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMO_ADDRESS_SANITIZER 1
#endif
#endif

TEST_F(SaveFailureTest, NoMemoryIsCode2AndKeepsTheOldFile)
{
#ifdef LUMO_ADDRESS_SANITIZER
    GTEST_SKIP() << "an address space limit does not work under AddressSanitizer";
#else
    makeold("big.tif");
    std::string file = path("big.tif");
    fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        headless_createsurface(16, 16);
        xres = 9600;
        yres = 9600;
        LumoIO::strcpy_s(tifffile, sizeof tifffile, file.c_str());
        /* No room to grow, and the heap used up to the last kilobyte. */
        struct rlimit r = {0, 0};
        getrlimit(RLIMIT_AS, &r);
        long pages = 0;
        FILE *statm = std::fopen("/proc/self/statm", "r");
        if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1)
            _exit(100);
        std::fclose(statm);
        r.rlim_cur = (rlim_t)pages * sysconf(_SC_PAGESIZE);
        if (setrlimit(RLIMIT_AS, &r) != 0)
            _exit(100);
        void *volatile heap = nullptr;
        for (void **block; (block = (void **)std::malloc(1024)) != nullptr; heap = block)
            *block = heap;
        _exit(writetiff(5));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    expectold("big.tif");
    EXPECT_EQ(names(), std::set<std::string>{"big.tif"});
#endif
}

/* A listening socket bound to path; the descriptor stays open. */
int makesocket(const std::string &path)
{
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    struct sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    LumoIO::strcpy_s(address.sun_path, sizeof address.sun_path, path.c_str());
    if (fd < 0 || bind(fd, (struct sockaddr *)&address, sizeof address) != 0)
        return -1;
    return fd;
}

TEST_F(SaveFailureTest, TargetsThatAreNotRegularFilesAreRefusedUntouched)
{
    /* Opening the pipe for writing would block without a reader, so a save
       that reached it would hang here rather than pass. */
    ASSERT_EQ(mkdir(path("folder").c_str(), 0755), 0);
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0644), 0);
    ASSERT_EQ(mknod(path("node").c_str(), S_IFCHR | 0644, makedev(1, 3)), 0);
    int sock = makesocket(path("socket"));
    ASSERT_GE(sock, 0);
    ASSERT_EQ(symlink("pipe", path("linktopipe").c_str()), 0);
    ASSERT_EQ(symlink("folder", path("linktofolder").c_str()), 0);
    std::set<std::string> before = names();

    struct {
        const char *name;
        int reason;
        mode_t type;
    } cases[] = {
        {"folder", EISDIR, S_IFDIR},
        {"pipe", SAVEFILE_NOTREGULAR, S_IFIFO},
        {"node", SAVEFILE_NOTREGULAR, S_IFCHR},
        {"socket", SAVEFILE_NOTREGULAR, S_IFSOCK},
        {"linktopipe", SAVEFILE_NOTREGULAR, S_IFLNK},
        {"linktofolder", EISDIR, S_IFLNK},
        {"folder/", EISDIR, S_IFDIR},
    };
    for (const auto &c : cases) {
        for (int compression : {1, 5}) {
            SCOPED_TRACE(std::string(c.name) + (compression == 5 ? ", LZW" : ""));
            resetspy();
            EXPECT_EQ(savefile_check(path(c.name).c_str()), c.reason);
            EXPECT_EQ(save(SAMPLE_SMOOTH, 32, 32, compression, c.name), 1);
            EXPECT_EQ(tiffsavereason, c.reason);
            EXPECT_TRUE(spy.events.empty());
            struct stat st;
            ASSERT_EQ(lstat(path(c.name).c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & S_IFMT, c.type);
        }
    }
    struct stat st;
    ASSERT_EQ(lstat(path("node").c_str(), &st), 0);
    EXPECT_EQ(st.st_rdev, makedev(1, 3));
    EXPECT_EQ(names(), before);
    DIR *d = opendir(path("folder").c_str());
    ASSERT_NE(d, nullptr);
    int entries = 0;
    while (readdir(d) != nullptr)
        entries++;
    closedir(d);
    EXPECT_EQ(entries, 2);
    close(sock);
}

TEST_F(SaveFailureTest, ThroughALinkTheFileItNamesIsReplacedWholeAndTheLinkStays)
{
    ASSERT_EQ(mkdir(path("real").c_str(), 0755), 0);
    makeold("real/picture.tif");
    ASSERT_EQ(symlink("real/picture.tif", path("latest.tif").c_str()), 0);
    /* A failed save through the link leaves the file it names alone. */
    EXPECT_EQ(save(SAMPLE_NOISE, 64, 64, 5, "latest.tif"), 4);
    expectold("real/picture.tif");
    /* A good one replaces that file; the link is still the same link. */
    EXPECT_EQ(save(SAMPLE_SMOOTH, 32, 32, 1, "latest.tif"), 0);
    EXPECT_EQ(readfile(path("real/picture.tif")).size(), 3252u);
    char link[256] = {0};
    ASSERT_EQ(readlink(path("latest.tif").c_str(), link, sizeof link - 1), 16);
    EXPECT_STREQ(link, "real/picture.tif");
    EXPECT_EQ(names(), (std::set<std::string>{"latest.tif", "real"}));
    /* A link to a file not there yet: the save makes that file. */
    ASSERT_EQ(symlink("real/new.tif", path("dangling.tif").c_str()), 0);
    EXPECT_EQ(save(SAMPLE_SMOOTH, 32, 32, 1, "dangling.tif"), 0);
    EXPECT_EQ(readfile(path("real/new.tif")).size(), 3252u);
}

}
