/*
 * programdriver.cpp - the message loop.  Rendering needs nothing from it:
 * worker threads compute the rows and the main window shows them on its
 * timer and on the workers' end message.
 */
#include "app/LumoDomainColoring.h"

/* Runs until the quit message and returns its wParam.  Idle, it waits for
   the next message and uses no processor time. */
unsigned ProgramDriver()
{
    MSG msg;
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return (unsigned)msg.wParam;
        if (got == -1)
            return 0;
        /* The panel's keys are its own: Tab, Enter, and letters typed
           into its fields, which are not the main window's commands. */
        if (sliderpanel_message(&msg))
            continue;
        if (!TranslateAcceleratorA(g_hWnd, g_hAccel, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}
