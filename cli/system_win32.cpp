/*
 * system_win32.cpp - system.h on Windows, with the C runtime's threads
 * (_beginthreadex) and the console functions.
 */
#include "cli/system.h"

#include <cstdlib>
#include <io.h>
#include <process.h>
#include <vector>
#include <windows.h>

struct WORKERS {
    std::vector<HANDLE> threads;
};

namespace {

struct START {
    void (*fn)(void *);
    void *arg;
};

unsigned __stdcall threadmain(void *start)
{
    START s = *(START *)start;
    delete (START *)start;
    s.fn(s.arg);
    return 0;
}

}   // namespace

int system_hardwarethreads()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors == 0 ? 1 : (int)info.dwNumberOfProcessors;
}

int system_stderristerminal()
{
    return _isatty(2) != 0;
}

int system_stdoutisterminal()
{
    return _isatty(1) != 0;
}

int system_stdoutispipe()
{
    return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_PIPE;
}

void system_sleepms(int milliseconds)
{
    Sleep((DWORD)milliseconds);
}

void system_yield()
{
    SwitchToThread();
}

WORKERS *workers_start(int n, void (*fn)(void *), void *const *args)
{
    WORKERS *workers = new WORKERS;
    for (int k = 0; k < n; k++) {
        START *start = new START{fn, args[k]};
        uintptr_t handle = _beginthreadex(nullptr, 0, threadmain, start, 0, nullptr);
        if (handle == 0) {
            delete start;
            break;
        }
        workers->threads.push_back((HANDLE)handle);
    }
    return workers;
}

int workers_count(const WORKERS *workers)
{
    return (int)workers->threads.size();
}

void workers_join(WORKERS *workers)
{
    for (HANDLE h : workers->threads) {
        WaitForSingleObject(h, INFINITE);
        CloseHandle(h);
    }
    delete workers;
}
