/*
 * programdriver.cpp - the message loop, which also drives rendering: after
 * every message it lets the renderer compute one image row while a render
 * is in progress.
 */
#include "app/LumoDomainColoring.h"

/* Runs until the quit message and returns its wParam.  While a render is
   in progress the loop posts itself WM_USER whenever the queue is empty,
   so GetMessageA returns at once and rows keep coming; when idle it waits
   for the next message and uses no processor time. */
unsigned ProgramDriver()
{
    MSG msg;
    for (;;) {
        if (okrender && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            PostMessageA(g_hWnd, WM_USER, 0, 0);
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return (unsigned)msg.wParam;
        if (got == -1)
            return 0;
        if (!TranslateAcceleratorA(g_hWnd, g_hAccel, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (okrender) {
            driver();
            if (!okrender)
                rememberrender();
        }
    }
}
