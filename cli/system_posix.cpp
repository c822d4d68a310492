/*
 * system_posix.cpp - system.h on POSIX systems, with std::thread.
 */
#include "cli/system.h"

#include <chrono>
#include <thread>
#include <vector>

#include <unistd.h>

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

void system_sleepms(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

WORKERS *workers_start(int n, void (*fn)(void *), void *const *args)
{
    WORKERS *workers = new WORKERS;
    for (int k = 0; k < n; k++)
        workers->threads.emplace_back(fn, args[k]);
    return workers;
}

void workers_join(WORKERS *workers)
{
    for (std::thread &t : workers->threads)
        t.join();
    delete workers;
}
