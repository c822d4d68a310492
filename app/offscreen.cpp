/*
 * offscreen.cpp - the off-screen image: a memory device context holding a
 * 24-bit top-down DIB section.  The renderer's pixels go straight into the
 * section's bits (see platform_win32.cpp); GDI draws the graph's lines
 * into the same bits and copies rows and blocks of them to the window.
 */
#include "app/LumoDomainColoring.h"

/* Creates the new DC and section first and swaps them in only when both
   exist, so a size that cannot be had leaves the old image untouched. */
int createsurface(HWND window, int width, int height)
{
    if (width <= 0 || height <= 0)
        return 1;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;      /* top-down: row 0 first */
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    void *bits = nullptr;
    HBITMAP bitmap = memory ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    ReleaseDC(window, dc);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        if (memory != nullptr)
            DeleteDC(memory);
        return 1;
    }
    SelectObject(memory, bitmap);

    releasesurface();
    g_vhdc = memory;
    g_hBitmap = bitmap;
    surfacebits = (unsigned char *)bits;
    surfacewidth = width;
    surfaceheight = height;
    surfacestride = (width * 3 + 3) & ~3;
    /* A new section is zero-filled, which is the black the image starts
       with. */
    return 0;
}

/* Deletes the DC and the section; nothing can draw into them afterwards. */
void releasesurface()
{
    if (g_vhdc != nullptr)
        DeleteDC(g_vhdc);
    if (g_hBitmap != nullptr)
        DeleteObject(g_hBitmap);
    g_vhdc = nullptr;
    g_hBitmap = nullptr;
    surfacebits = nullptr;
    surfacewidth = surfaceheight = surfacestride = 0;
}
