/*
 * windowrender.cpp - the window's render: the rows of a render job are
 * computed on every hardware thread while the window thread shows the
 * finished rows top to bottom, at most once a timer tick (about 60 times
 * a second), and runs the parts that depend on row order (the graph, the
 * |w| report) as the rows come in.
 *
 * The worker threads only compute rows into the image's bits; everything
 * that touches GDI or the window stays on the window thread.  Commands are
 * ignored while a render runs (okrender), so the settings the workers'
 * formulas and colour maps read hold still until the job is over.
 */
#include "app/LumoDomainColoring.h"
#include "app/windowrender.h"
#include "render/renderjob.h"

enum { MAXWORKERS = 64, TIMER_ROWS = 1, TICK_MS = 16 };

static RENDERJOB *job;
static HANDLE workers[MAXWORKERS];
static int nworkers;
static volatile LONG running;
/* Tells a finished job's message from a stopped one's that came late. */
static WPARAM generation;
static LARGE_INTEGER started, frequency;
/* The settings of the last render that started, for the pointer readout. */
static RENDERSETTINGS lastsettings;
static int havesettings;

int renderthreadcount()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    int n = (int)info.dwNumberOfProcessors;
    return n < 1 ? 1 : (n > MAXWORKERS ? MAXWORKERS : n);
}

static double elapsed()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)(now.QuadPart - started.QuadPart) / (double)frequency.QuadPart;
}

static DWORD WINAPI workerproc(LPVOID parameter)
{
    RENDERJOB *mine = (RENDERJOB *)parameter;
    job_work(mine);
    if (InterlockedDecrement(&running) == 0)
        PostMessageA(g_hWnd, WM_RENDERDONE, generation, 0);
    return 0;
}

/* Shows the rows done in order since the last call (within the window)
   and the progress in the status bar. */
static void showrows()
{
    int before = job->shown;
    int now = job_advance(job);
    int bottom = now < ClientRect.bottom ? now : ClientRect.bottom;
    int width = job->s.xres < ClientRect.right ? job->s.xres : ClientRect.right;
    if (bottom > before && width > 0)
        window_showsurface(0, before, width, bottom - before);
    char text[120];
    LumoIO::sprintf_s(text, sizeof text, "Rendering: row %d of %d, %.1f s on %d threads", now, job->s.yres,
                      elapsed(), renderthreadcount());
    statusbar_settext(text);
}

/* Waits for every worker to leave the job (each finishes at most the row
   it is on) and forgets them. */
static void joinworkers()
{
    for (int k = 0; k < nworkers; k++) {
        WaitForSingleObject(workers[k], INFINITE);
        CloseHandle(workers[k]);
    }
    nworkers = 0;
}

void startrender(HWND window)
{
    if (job != nullptr)
        return;
    if (g_vhdc == nullptr) {
        okrender = 0;
        return;
    }
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    j = 0;
    cross = cursor_wait();
    job = new RENDERJOB;
    if (job_begin(job) != 0) {
        delete job;
        job = nullptr;
        okrender = 0;
        cursor_restore(cross);
        statusbar_settext("Not enough memory to render");
        return;
    }
    lastsettings = job->s;
    havesettings = 1;
    generation++;
    int wanted = renderthreadcount();
    running = wanted;
    for (int k = 0; k < wanted; k++) {
        HANDLE h = CreateThread(nullptr, 0, workerproc, job, 0, nullptr);
        if (h == nullptr) {
            /* Fewer threads than cores still finish the job. */
            if (InterlockedDecrement(&running) == 0)
                PostMessageA(window, WM_RENDERDONE, generation, 0);
            continue;
        }
        workers[nworkers++] = h;
    }
    if (nworkers == 0) {
        /* No thread could be had: the window thread does the rows. */
        job_work(job);
    }
    SetTimer(window, TIMER_ROWS, TICK_MS, nullptr);
}

void renderticked()
{
    if (job != nullptr)
        showrows();
}

void renderdone(HWND window, WPARAM which)
{
    if (job == nullptr || which != generation)
        return;
    joinworkers();
    KillTimer(window, TIMER_ROWS);
    showrows();
    double seconds = elapsed();
    int threads = renderthreadcount();
    RENDERJOB *finished = job;
    job = nullptr;
    job_end(finished);
    rememberrender();
    char text[120];
    LumoIO::sprintf_s(text, sizeof text, "Rendered %d \xd7 %d in %.3f s on %d thread%s", finished->s.xres,
                      finished->s.yres, seconds, threads, threads == 1 ? "" : "s");
    delete finished;
    statusbar_settext(text);
}

int stoprender(HWND window)
{
    if (job == nullptr)
        return 0;
    job->stop = 1;
    joinworkers();
    KillTimer(window, TIMER_ROWS);
    showrows();
    job_abort(job);
    char text[120];
    LumoIO::sprintf_s(text, sizeof text, "Stopped at row %d of %d after %.1f s", job->shown, job->s.yres,
                      elapsed());
    delete job;
    job = nullptr;
    j = 0;
    okrender = 0;
    statusbar_settext(text);
    return 1;
}

int rendershownrows()
{
    return job == nullptr ? -1 : job->shown;
}

const RENDERSETTINGS *lastrendersettings()
{
    return havesettings ? &lastsettings : nullptr;
}
