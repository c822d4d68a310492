/*
 * tiffbench.cpp - how long an LZW save takes next to libtiff's own LZW
 * encoder on the same pixels, and how much memory a large LZW save needs.
 *
 *   tiffbench [--formula N | --synthetic] [--runs R] [--dir DIR]
 *       Renders formula N (default 27) at 600 x 600 with the real-axis
 *       graph, or draws a smooth synthetic picture, 1300 x 600 either way;
 *       times writetiff(5) and `tiffcp -c lzw` on the uncompressed save of
 *       the same pixels, R runs each (default 9), and prints both.
 *   tiffbench --memory [--size W H]
 *       Draws a W x H picture (default 9600 x 9600) and LZW-saves it,
 *       printing the peak resident memory before and after the save.
 */
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <vector>

#include "common/LumoIO.h"
#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/settings.h"
#include "tests/tiff/sampleimages.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

static double now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

/* Processor time of this process, user and system. */
static double cputime()
{
    struct timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

/* Times of one run: wall clock and processor. */
struct TIMES {
    double wall, cpu;
};

/* Renders formula f at 600 x 600 with the graph and widens xres to 1300,
   as the save command does. */
static void renderwithgraph(int f)
{
    makeformula(f, 600, 600, 1);
    if (graphflag)
        xres = 1300;
}

/* Times of one run of a command, process start included. */
static TIMES timecommand(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    /* posix_spawn rather than fork: a fork would leave this process's pages
       copy-on-write, and the next save would pay for that. */
    double start = now();
    pid_t child;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "tiffbench: cannot run %s\n", argv[0]);
        std::exit(1);
    }
    int status = 0;
    struct rusage usage;
    wait4(child, &status, 0, &usage);
    double seconds = now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "tiffbench: %s failed\n", argv[0]);
        std::exit(1);
    }
    return {seconds, usage.ru_utime.tv_sec + usage.ru_utime.tv_usec * 1e-6 + usage.ru_stime.tv_sec +
                         usage.ru_stime.tv_usec * 1e-6};
}

static double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

static long long filesize(const std::string &path)
{
    FILE *f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return -1;
    std::fseek(f, 0, SEEK_END);
    long long n = std::ftell(f);
    std::fclose(f);
    return n;
}

static int speed(int f, int runs, const std::string &dir)
{
    if (f >= 0)
        renderwithgraph(f);
    else {
        makesample(SAMPLE_SMOOTH, 1300, 600);
        xres = 1300;
        yres = 600;
    }
    std::string plain = dir + "/tiffbench-plain.tif", ours = dir + "/tiffbench-ours.tif",
                theirs = dir + "/tiffbench-tiffcp.tif";
    LumoIO::strcpy_s(tifffile, sizeof tifffile, plain.c_str());
    if (writetiff(1) != 0) {
        std::fprintf(stderr, "tiffbench: cannot write %s\n", plain.c_str());
        return 1;
    }
    std::vector<double> ourwall, ourcpu, theirwall, theircpu;
    for (int r = 0; r < runs; r++) {
        LumoIO::strcpy_s(tifffile, sizeof tifffile, ours.c_str());
        double start = now(), startcpu = cputime();
        int code = writetiff(5);
        ourcpu.push_back(cputime() - startcpu);
        ourwall.push_back(now() - start);
        if (code != 0) {
            std::fprintf(stderr, "tiffbench: LZW save failed with code %d\n", code);
            return 1;
        }
        TIMES t = timecommand({"tiffcp", "-c", "lzw", plain, theirs});
        theirwall.push_back(t.wall);
        theircpu.push_back(t.cpu);
    }
    std::printf("LZW save of %d x %d (%s), %d runs each, alternating:\n", xres, yres,
                f >= 0 ? ("formula " + std::to_string(f) + " with graph").c_str() : "synthetic", runs);
    std::printf("                   wall median    best    cpu median    best    file bytes\n");
    std::printf("  writetiff(5)     %8.2f ms %8.2f   %8.2f ms %8.2f   %lld\n", 1000 * median(ourwall),
                1000 * *std::min_element(ourwall.begin(), ourwall.end()), 1000 * median(ourcpu),
                1000 * *std::min_element(ourcpu.begin(), ourcpu.end()), filesize(ours));
    std::printf("  tiffcp -c lzw    %8.2f ms %8.2f   %8.2f ms %8.2f   %lld\n", 1000 * median(theirwall),
                1000 * *std::min_element(theirwall.begin(), theirwall.end()), 1000 * median(theircpu),
                1000 * *std::min_element(theircpu.begin(), theircpu.end()), filesize(theirs));
    std::remove(plain.c_str());
    std::remove(ours.c_str());
    std::remove(theirs.c_str());
    return 0;
}

static long peakkb()
{
    struct rusage u;
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

static int memory(int width, int height, const std::string &dir)
{
    if (makesample(SAMPLE_SMOOTH, width, height) != 0) {
        std::fprintf(stderr, "tiffbench: no memory for the picture\n");
        return 1;
    }
    xres = width;
    yres = height;
    long before = peakkb();
    std::string path = dir + "/tiffbench-big.tif";
    LumoIO::strcpy_s(tifffile, sizeof tifffile, path.c_str());
    double start = now();
    int code = writetiff(5);
    double seconds = now() - start;
    long after = peakkb();
    double raw = (double)width * height * 3 / 1048576.0;
    std::printf("LZW save of %d x %d (synthetic): code %d, %.2f s, %lld bytes\n", width, height, code,
                seconds, filesize(path));
    std::printf("  raw image        %8.1f MiB\n", raw);
    std::printf("  peak RSS before  %8.1f MiB (the surface)\n", before / 1024.0);
    std::printf("  peak RSS after   %8.1f MiB (save adds %.1f MiB)\n", after / 1024.0,
                (after - before) / 1024.0);
    std::remove(path.c_str());
    return code == 0 ? 0 : 1;
}

int main(int argc, char **argv)
{
    int f = 27, runs = 9, memorymode = 0, width = 9600, height = 9600;
    std::string dir = "/tmp";
    for (int k = 1; k < argc; k++) {
        if (std::strcmp(argv[k], "--formula") == 0 && k + 1 < argc)
            f = std::atoi(argv[++k]);
        else if (std::strcmp(argv[k], "--synthetic") == 0)
            f = -1;
        else if (std::strcmp(argv[k], "--runs") == 0 && k + 1 < argc)
            runs = std::max(1, std::atoi(argv[++k]));
        else if (std::strcmp(argv[k], "--dir") == 0 && k + 1 < argc)
            dir = argv[++k];
        else if (std::strcmp(argv[k], "--memory") == 0)
            memorymode = 1;
        else if (std::strcmp(argv[k], "--size") == 0 && k + 2 < argc) {
            width = std::atoi(argv[++k]);
            height = std::atoi(argv[++k]);
        } else {
            std::fprintf(stderr, "usage: tiffbench [--formula N | --synthetic] [--runs R] [--dir DIR]\n"
                                 "       tiffbench --memory [--size W H] [--dir DIR]\n");
            return 2;
        }
    }
    headless_messagestream(nullptr);
    return memorymode ? memory(width, height, dir) : speed(f, runs, dir);
}
