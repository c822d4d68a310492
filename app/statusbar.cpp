/*
 * statusbar.cpp - the status bar along the bottom of the main window: what
 * the render is doing, and the value of the function under the pointer.
 *
 * One part only, so that all of it is the control's window text, which any
 * program (the tests included) can read: the render's text on the left,
 * then two tabs, then the readout, right-aligned.  The text in the control
 * is the only copy, so what another program writes there stays until the
 * program itself writes that half again.
 */
#include <cmath>
#include <cstring>

#include "app/LumoDomainColoring.h"
#include "app/projectionview.h"
#include "app/windowrender.h"
#include "render/renderjob.h"

static HWND bar;

int statusbar_create(HWND window)
{
    bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                          (HMENU)(INT_PTR)IDC_STATUSBAR, g_hInstance, nullptr);
    return bar == nullptr ? 1 : 0;
}

void statusbar_layout(HWND window)
{
    if (bar != nullptr)
        SendMessageA(bar, WM_SIZE, 0, 0);
    (void)window;
}

int statusbar_height()
{
    RECT r;
    if (bar == nullptr || !GetWindowRect(bar, &r))
        return 0;
    return r.bottom - r.top;
}

/* Replaces one half of the text: the render's (half 0) or the
   readout (half 1). */
static void sethalf(int half, const char *text)
{
    if (bar == nullptr)
        return;
    char now[600], next[600];
    GetWindowTextA(bar, now, sizeof now);
    char *tabs = std::strstr(now, "\t\t");
    const char *readout = tabs ? tabs + 2 : "";
    if (tabs)
        *tabs = '\0';
    if (half == 0)
        LumoIO::sprintf_s(next, sizeof next, "%s\t\t%s", text, readout);
    else
        LumoIO::sprintf_s(next, sizeof next, "%s\t\t%s", now, text);
    SetWindowTextA(bar, next);
}

void statusbar_settext(const char *text)
{
    sethalf(0, text);
}

void statusbar_pointer(int x, int y)
{
    const RENDERSETTINGS *s = lastrendersettings();
    if (okrender || s == nullptr || x < 0 || y < 0 || x >= s->xres || y >= s->yres)
        return;
    double wx, wy, zx, zy;
    if (s->projection.kind == PROJECTION_PLANE) {
        evaluatepoint(s, x, y, &wx, &wy);
        zx = settings_columnx(s, x);
        zy = settings_rowy(s, y);
    } else if (!projection_readout(s, x, y, &zx, &zy, &wx, &wy)) {
        sethalf(1, "");
        return;
    }
    double modulus = std::sqrt(wx * wx + wy * wy);
    double argument = std::atan2(wy, wx);
    char text[300];
    LumoIO::sprintf_s(text, sizeof text, "%d, %d:  z = %.10g %+.10gi   w = %.10g %+.10gi   |w| = %.10g   arg w = %.10g",
                      x, y, zx, zy, wx, wy, modulus, argument);
    sethalf(1, text);
}
