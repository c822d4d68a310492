/*
 * foreground.cpp - prints the title of the window that has the keyboard
 * for the window system (the foreground window), which the e2e tests need
 * when the X focus and the window system's own idea of the active window
 * drift apart under load.  Exit status 1 when there is none.
 */
#include <windows.h>

#include <cstdio>

int main()
{
    HWND window = GetForegroundWindow();
    if (window == nullptr)
        return 1;
    char title[512] = "";
    GetWindowTextA(window, title, sizeof title);
    std::printf("%s\n", title);
    return 0;
}
