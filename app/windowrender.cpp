/*
 * windowrender.cpp - the window's render: the rows of a render job are
 * computed on every hardware thread while the window thread shows the
 * finished rows top to bottom, at most once a timer tick (about 30 times
 * a second), and runs the parts that depend on row order (the graph, the
 * |w| report) as the rows come in.
 *
 * The worker threads only compute rows into the image's bits; everything
 * that touches GDI or the window stays on the window thread.  Commands are
 * ignored while a render runs (okrender), so the settings the workers'
 * formulas and colour maps read hold still until the job is over.
 */
#include "app/LumoDomainColoring.h"
#include "app/projectionview.h"
#include "app/windowrender.h"
#include "render/renderjob.h"

/* Each showing of rows costs the window system a copy of much of the
   window (under wine about 2.5 ms of a two-core machine's time): 30 a
   second look smooth and take half what 60 would from the render. */
enum { MAXWORKERS = 64, TIMER_ROWS = 1, TICK_MS = 33 };

static RENDERJOB *job;
/* The workers live as long as the window: starting and ending a thread
   costs milliseconds on some systems, as much as a whole small render.
   Each waits on its own wake event for the next job. */
static HANDLE workers[MAXWORKERS];
static HANDLE wake[MAXWORKERS];
static int nworkers;
static int poolmade;
/* Set while no worker is inside a job. */
static HANDLE idle;
static RENDERJOB *volatile handedout;
static volatile LONG quitting;
static volatile LONG running;
/* Tells a finished job's message from a stopped one's that came late. */
static volatile WPARAM generation;
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
    HANDLE mine = (HANDLE)parameter;
    for (;;) {
        WaitForSingleObject(mine, INFINITE);
        if (quitting)
            return 0;
        WPARAM which = generation;
        job_work(handedout);
        if (InterlockedDecrement(&running) == 0) {
            SetEvent(idle);
            PostMessageA(g_hWnd, WM_RENDERDONE, which, 0);
        }
    }
}

/* Starts the workers, once; fewer than asked for when the system refuses
   some, none when it refuses all (the window thread then renders). */
void startrenderthreads()
{
    if (poolmade)
        return;
    poolmade = 1;
    idle = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    if (idle == nullptr)
        return;
    int wanted = renderthreadcount();
    for (int k = 0; k < wanted; k++) {
        HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        HANDLE h = event == nullptr ? nullptr : CreateThread(nullptr, 0, workerproc, event, 0, nullptr);
        if (h == nullptr) {
            if (event != nullptr)
                CloseHandle(event);
            break;
        }
        wake[nworkers] = event;
        workers[nworkers++] = h;
    }
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
   it is on). */
static void joinworkers()
{
    if (idle != nullptr)
        WaitForSingleObject(idle, INFINITE);
}

void endrenderthreads()
{
    if (nworkers == 0)
        return;
    joinworkers();
    quitting = 1;
    for (int k = 0; k < nworkers; k++)
        SetEvent(wake[k]);
    WaitForMultipleObjects((DWORD)nworkers, workers, TRUE, INFINITE);
    for (int k = 0; k < nworkers; k++) {
        CloseHandle(workers[k]);
        CloseHandle(wake[k]);
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
    startrenderthreads();
    handedout = job;
    if (nworkers == 0) {
        /* No thread could be had: the window thread does the rows. */
        job_work(job);
        PostMessageA(window, WM_RENDERDONE, generation, 0);
    } else {
        running = nworkers;
        ResetEvent(idle);
        for (int k = 0; k < nworkers; k++)
            SetEvent(wake[k]);
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
    if (job->nomemory.load()) {
        /* A row could not have its memory: the rows below it stay grey. */
        stoprender(window);
        statusbar_settext("Not enough memory to render");
        return;
    }
    KillTimer(window, TIMER_ROWS);
    showrows();
    double seconds = elapsed();
    int threads = renderthreadcount();
    RENDERJOB *finished = job;
    job = nullptr;
    job_end(finished);
    rememberrender();
    /* The landscape's heights stay for the readout under the pointer. */
    projection_keepheights(finished->gridheight.release());
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
