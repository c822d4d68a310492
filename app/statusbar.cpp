/*
 * statusbar.cpp - the status bar along the bottom of the main window: what
 * the render is doing, and the value of the function under the pointer.
 *
 * One part only, so that its text is the control's window text, which any
 * program (the tests included) can read.
 */
#include <cmath>

#include "app/LumoDomainColoring.h"
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

void statusbar_settext(const char *text)
{
    if (bar != nullptr)
        SetWindowTextA(bar, text);
}

void statusbar_pointer(int x, int y)
{
    const RENDERSETTINGS *s = lastrendersettings();
    if (okrender || s == nullptr || x < 0 || y < 0 || x >= s->xres || y >= s->yres)
        return;
    double wx, wy;
    evaluatepoint(s, x, y, &wx, &wy);
    double zx = settings_columnx(s, x), zy = settings_rowy(s, y);
    double modulus = std::sqrt(wx * wx + wy * wy);
    double argument = std::atan2(wy, wx);
    char text[300];
    LumoIO::sprintf_s(text, sizeof text, "(%d, %d)  z = %.10g %+.10gi   w = %.10g %+.10gi   |w| = %.10g   arg w = %.10g",
                      x, y, zx, zy, wx, wy, modulus, argument);
    statusbar_settext(text);
}
