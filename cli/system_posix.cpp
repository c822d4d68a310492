/*
 * system_posix.cpp - system.h on POSIX systems, with std::thread.
 */
#include "cli/system.h"

#include <chrono>
#include <system_error>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "headless/signalsheld.h"

struct WORKERS {
    std::vector<std::thread> threads;
};

int system_hardwarethreads()
{
    unsigned int n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : (int)n;
}

int system_stderristerminal()
{
    return isatty(2);
}

int system_stdoutisterminal()
{
    return isatty(1);
}

int system_stdoutispipe()
{
    struct stat st;
    return fstat(1, &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode));
}

void system_sleepms(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void system_yield()
{
    std::this_thread::yield();
}

WORKERS *workers_start(int n, void (*fn)(void *), void *const *args)
{
    WORKERS *workers = new WORKERS;
    workers->threads.reserve((size_t)n);
    SIGNALSHELD held;
    try {
        for (int k = 0; k < n; k++)
            workers->threads.emplace_back(fn, args[k]);
    } catch (const std::system_error &) {
    }
    return workers;
}

int workers_count(const WORKERS *workers)
{
    return (int)workers->threads.size();
}

void workers_join(WORKERS *workers)
{
    for (std::thread &t : workers->threads)
        t.join();
    delete workers;
}
