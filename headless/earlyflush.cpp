/*
 * earlyflush.cpp - the background syncs of a save (see earlyflush.h).
 */
#include "headless/earlyflush.h"

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include <unistd.h>

#include "headless/signalsheld.h"

/* A sync is asked for each time this much more has been written: large
   enough that small files never start the thread. */
static const long long STEP = 1LL << 20;

struct EARLYFLUSH {
    int fd;
    std::thread thread;
    std::mutex lock;
    std::condition_variable changed;
    long long asked = 0;    /* size at the last request */
    bool wanted = false;    /* a request is waiting */
    bool ending = false;
    int error = 0;
};

static void flushloop(EARLYFLUSH *flush)
{
    std::unique_lock<std::mutex> hold(flush->lock);
    for (;;) {
        flush->changed.wait(hold, [flush] { return flush->wanted || flush->ending; });
        if (!flush->wanted)
            return;
        flush->wanted = false;
        hold.unlock();
        int failed = fdatasync(flush->fd) != 0 ? errno : 0;
        hold.lock();
        if (failed != 0 && flush->error == 0)
            flush->error = failed;
    }
}

EARLYFLUSH *earlyflush_start(int fd)
{
    EARLYFLUSH *flush = new EARLYFLUSH();
    flush->fd = fd;
    return flush;
}

void earlyflush_grown(EARLYFLUSH *flush, long long size)
{
    if (size - flush->asked < STEP)
        return;
    {
        std::lock_guard<std::mutex> hold(flush->lock);
        flush->asked = size;
        flush->wanted = true;
    }
    if (!flush->thread.joinable()) {
        try {
            SIGNALSHELD held;
            flush->thread = std::thread(flushloop, flush);
        } catch (const std::system_error &) {
            /* Without the thread, the commit's fsync does it all. */
            flush->asked = 1LL << 62;
            return;
        }
    }
    flush->changed.notify_one();
}

int earlyflush_finish(EARLYFLUSH *flush)
{
    {
        std::lock_guard<std::mutex> hold(flush->lock);
        flush->ending = true;
        /* A request not yet taken is the commit's fsync's now. */
        flush->wanted = false;
    }
    flush->changed.notify_one();
    if (flush->thread.joinable())
        flush->thread.join();
    int error = flush->error;
    delete flush;
    return error;
}
