/*
 * jobtime.cpp - the time of a render job in this build with no window: the
 * rows of formula F at 600 x 600 (with the graph) on N threads of this
 * process, into the program's own off-screen image.  The e2e timing puts
 * it beside the window's figure, which adds only the showing of rows, and
 * beside lumo render's, which adds the native compiler and maths library.
 * Prints the seconds of each of R renders on one line.
 * Usage: jobtime FORMULA THREADS RUNS
 */
#include "app/LumoDomainColoring.h"
#include "render/renderjob.h"

#include <cstdio>
#include <cstdlib>

/* The threads are made once, as the window program makes its workers
   once: each run hands them the job and waits for all of them. */
static RENDERJOB *volatile current;
static HANDLE wakeup[64], finished[64];

static DWORD WINAPI worker(LPVOID which)
{
    int k = (int)(INT_PTR)which;
    for (;;) {
        WaitForSingleObject(wakeup[k], INFINITE);
        if (current == nullptr)
            return 0;
        job_work(current);
        SetEvent(finished[k]);
    }
}

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    int f = std::atoi(argv[1]), n = std::atoi(argv[2]), runs = std::atoi(argv[3]);
    if (f < 0 || f >= NFORMULAS || n < 1 || n > 64 || runs < 1)
        return 2;
    fillfactorial();
    initsettings();
    formula = f;
    InitFormula(f);
    xres = yres = 600;
    graphflag = 1;
    if (createsurface(nullptr, 1300, 600) != 0)
        return 1;
    HANDLE threads[64];
    for (int k = 0; k < n; k++) {
        wakeup[k] = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        finished[k] = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        threads[k] = CreateThread(nullptr, 0, worker, (LPVOID)(INT_PTR)k, 0, nullptr);
        if (wakeup[k] == nullptr || finished[k] == nullptr || threads[k] == nullptr)
            return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int run = 0; run < runs; run++) {
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        okrender = 1;
        j = 0;
        RENDERJOB job;
        if (job_begin(&job) != 0)
            return 1;
        current = &job;
        for (int k = 0; k < n; k++)
            SetEvent(wakeup[k]);
        WaitForMultipleObjects((DWORD)n, finished, TRUE, INFINITE);
        job_end(&job);
        QueryPerformanceCounter(&stop);
        std::printf("%.3f ", (double)(stop.QuadPart - start.QuadPart) / (double)frequency.QuadPart);
    }
    current = nullptr;
    for (int k = 0; k < n; k++)
        SetEvent(wakeup[k]);
    WaitForMultipleObjects((DWORD)n, threads, TRUE, INFINITE);
    std::printf("\n");
    return 0;
}
