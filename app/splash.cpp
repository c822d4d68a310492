/*
 * splash.cpp - the splash picture shown for two seconds while the main
 * window is being created.
 */
#include "app/LumoDomainColoring.h"

/* Copies the 360 x 360 picture selected into memory to the window. */
static void showpicture(HWND window, HDC memory)
{
    HDC dc = GetDC(window);
    BitBlt(dc, 0, 0, 360, 360, memory, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}

/* Shows "LUMOSPLASHBITMAP" in a caption-less 360 x 360 popup centred on
   the screen for 2000 ms, with the owner disabled and the pointer hidden;
   no message is handled meanwhile.  Always returns 0.
   Some window systems (wine's X11 driver among them) map a new window a
   little later and lose what was drawn before, and they put drawing on
   the screen only while the thread looks at its queue: so the wait peeks
   at the queue, removing nothing, and draws the picture again every
   20 ms instead of once. */
int splash(HWND owner)
{
    HWND window = CreateWindowExA(0, szSplashWinName, "", WS_POPUP,
                                  (xscreen >> 1) - 180, (yscreen >> 1) - 180, 360, 360,
                                  owner, nullptr, g_hInstance, nullptr);
    if (window == nullptr)
        return 0;
    EnableWindow(owner, FALSE);
    ShowCursor(FALSE);
    ShowWindow(window, SW_SHOW);

    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    ReleaseDC(window, dc);
    HBITMAP picture = LoadBitmapA(g_hInstance, "LUMOSPLASHBITMAP");
    HGDIOBJ old = SelectObject(memory, picture);

    DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < 2000) {
        showpicture(window, memory);
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        Sleep(20);
    }

    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    DestroyWindow(window);
    ShowCursor(TRUE);
    EnableWindow(owner, TRUE);
    return 0;
}

/* The splash window does nothing of its own. */
LRESULT CALLBACK SplashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}
