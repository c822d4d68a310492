/*
 * winmain.cpp - the program's entry: registers the window classes, creates
 * the main window, checks the display and runs the message loop.
 */
#include "app/LumoDomainColoring.h"

/* Process entry.  The previous instance and the command line are not
   used; a start-up failure is reported in a box and the program ends. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    int code = InitWindowClass(instance);
    if (code == 0)
        code = CreateMainWindow(instance, show);
    if (code == 0)
        return (int)ProgramDriver();
    MessageBoxA(nullptr, errormessage[code - 1], "Error", MB_ICONEXCLAMATION);
    return 0;
}

/* Registers the main window class and the splash class.  Returns 1 when
   the main class cannot be registered; a splash class that fails only
   means no splash. */
int InitWindowClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = 0;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "TAVROICON");
    wc.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszMenuName = "TAVROMENU";
    wc.lpszClassName = szWinName;
    if (RegisterClassA(&wc) == 0)
        return 1;

    WNDCLASSA sc = {};
    sc.style = 0;
    sc.lpfnWndProc = SplashWindowProc;
    sc.hInstance = instance;
    sc.hIcon = LoadIconA(instance, "TAVROWICON");  /* not among the resources: no icon */
    sc.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    sc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    sc.lpszMenuName = nullptr;
    sc.lpszClassName = szSplashWinName;
    if (RegisterClassA(&sc) != 0)
        oksplash = 1;
    return 0;
}

/* Creates the main window over the whole screen width (its create handler
   shows the splash and builds the off-screen image), checks the display
   depth and shows the window.  Returns 0, 2 when the window cannot be
   created, 3 when the display has fewer than 24 bits per pixel. */
int CreateMainWindow(HINSTANCE instance, int show)
{
    g_hInstance = instance;
    g_hAccel = LoadAcceleratorsA(instance, "TAVROMENU");
    InitCommonControls();
    InitOpenFile();
    xscreen = GetSystemMetrics(SM_CXSCREEN);
    yscreen = GetSystemMetrics(SM_CYSCREEN);

    /* Both from the screen height, so the first image is square. */
    xres = yres = yscreen - 128 < 600 ? yscreen - 128 : 600;
    /* The graph strip needs a 600 x 600 image; a smaller start image has
       none, so that a save does not widen it to the strip. */
    graphflag = (xres == 600 && yres == 600) ? 1 : 0;

    g_hWnd = CreateWindowExA(0, szWinName, "Lumo Domain Coloring", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                             0, 0, xscreen, yscreen - 38, nullptr, nullptr, instance, nullptr);
    if (g_hWnd == nullptr)
        return 2;
    if (initgraphics(g_hWnd) != 0)
        return 3;
    ShowWindow(g_hWnd, show);
    UpdateWindow(g_hWnd);
    return 0;
}

/* Returns 0 when the display has at least 24 bits per pixel, else 1. */
int initgraphics(HWND window)
{
    HDC dc = GetDC(window);
    int bits = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(window, dc);
    return bits < 24 ? 1 : 0;
}
