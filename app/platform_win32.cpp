/*
 * platform_win32.cpp - the Win32 implementation of common/platform.h.
 *
 * Implements every call: pixels are read and written directly in the bits
 * of the off-screen DIB section (GetPixel/SetPixel through GDI would take
 * minutes for a large image), lines go through a GDI pen on the memory DC,
 * and the window calls act on the main window g_hWnd.  One surface, one
 * main window.  Without a surface the pixel calls do nothing and read 0;
 * without a main window the window calls do nothing.
 */
#include "app/LumoDomainColoring.h"

LUMORECT ClientRect;
LUMORECT VhdcRect;

/* The graph pen and the pen it replaced in g_vhdc. */
static HPEN pen;
static HGDIOBJ oldpen;

int surface_width() { return surfacewidth; }
int surface_height() { return surfaceheight; }

void surface_setpixel(int x, int y, unsigned int color)
{
    if (x < 0 || y < 0 || x >= surfacewidth || y >= surfaceheight)
        return;
    unsigned char *p = surfacebits + (size_t)y * surfacestride + (size_t)x * 3;
    p[0] = (unsigned char)(color >> 16);    /* a DIB stores blue, green, red */
    p[1] = (unsigned char)(color >> 8);
    p[2] = (unsigned char)color;
}

unsigned int surface_getpixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= surfacewidth || y >= surfaceheight)
        return 0;
    const unsigned char *p = surfacebits + (size_t)y * surfacestride + (size_t)x * 3;
    return p[2] | (p[1] << 8) | ((unsigned int)p[0] << 16);
}

void surface_getrow(int y, int count, unsigned char *rgb)
{
    int inside = (y >= 0 && y < surfaceheight) ? (count < surfacewidth ? count : surfacewidth) : 0;
    const unsigned char *p = inside > 0 ? surfacebits + (size_t)y * surfacestride : nullptr;
    for (int x = 0; x < inside; x++, p += 3, rgb += 3) {
        rgb[0] = p[2];
        rgb[1] = p[1];
        rgb[2] = p[0];
    }
    for (int x = inside < 0 ? 0 : inside; x < count; x++, rgb += 3)
        rgb[0] = rgb[1] = rgb[2] = 0;
}

void surface_fillrect(const LUMORECT *r, unsigned int color)
{
    int left = r->left < 0 ? 0 : r->left;
    int top = r->top < 0 ? 0 : r->top;
    int right = r->right > surfacewidth ? surfacewidth : r->right;
    int bottom = r->bottom > surfaceheight ? surfaceheight : r->bottom;
    for (int y = top; y < bottom; y++) {
        unsigned char *p = surfacebits + (size_t)y * surfacestride + (size_t)left * 3;
        for (int x = left; x < right; x++, p += 3) {
            p[0] = (unsigned char)(color >> 16);
            p[1] = (unsigned char)(color >> 8);
            p[2] = (unsigned char)color;
        }
    }
}

void surface_selectpen(unsigned int color, int width)
{
    if (g_vhdc == nullptr)
        return;
    surface_releasepen();
    pen = CreatePen(PS_SOLID, width, (COLORREF)color);
    oldpen = SelectObject(g_vhdc, pen);
}

void surface_releasepen()
{
    if (pen == nullptr)
        return;
    if (g_vhdc != nullptr)
        SelectObject(g_vhdc, oldpen);
    DeleteObject(pen);
    pen = nullptr;
    oldpen = nullptr;
}

void surface_moveto(int x, int y)
{
    if (g_vhdc != nullptr)
        MoveToEx(g_vhdc, x, y, nullptr);
}

/* GDI may batch the drawing; flushing makes the bits current before the
   next direct read or write. */
void surface_lineto(int x, int y)
{
    if (g_vhdc == nullptr)
        return;
    LineTo(g_vhdc, x, y);
    GdiFlush();
}

void window_fillrect(const LUMORECT *r, unsigned int color)
{
    if (g_hWnd == nullptr)
        return;
    RECT rect = {r->left, r->top, r->right, r->bottom};
    HBRUSH brush = CreateSolidBrush((COLORREF)color);
    HDC dc = GetDC(g_hWnd);
    FillRect(dc, &rect, brush);
    ReleaseDC(g_hWnd, dc);
    DeleteObject(brush);
}

void window_showsurface(int left, int top, int width, int height)
{
    if (g_hWnd == nullptr || g_vhdc == nullptr)
        return;
    HDC dc = GetDC(g_hWnd);
    BitBlt(dc, left, top, width, height, g_vhdc, left, top, SRCCOPY);
    ReleaseDC(g_hWnd, dc);
}

void window_gettitle(char *title, int size)
{
    if (size <= 0)
        return;
    title[0] = '\0';
    if (g_hWnd != nullptr)
        GetWindowTextA(g_hWnd, title, size);
}

void window_settitle(const char *title)
{
    if (g_hWnd != nullptr)
        SetWindowTextA(g_hWnd, title);
}

void window_enable(int enable)
{
    if (g_hWnd != nullptr)
        EnableWindow(g_hWnd, enable ? TRUE : FALSE);
}

void window_peekmessages()
{
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

void window_menucommand(int id)
{
    if (g_hWnd != nullptr)
        SendMessageA(g_hWnd, WM_COMMAND, (WPARAM)id, 0);
}

/* The renderer asks for the wait cursor once per row, so SetCursor mostly
   replaces the wait cursor by itself; the cursor to restore is the last
   one that was something else (the crosshair of the window class unless
   the pointer was elsewhere). */
void *cursor_wait()
{
    static HCURSOR restore;
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR previous = SetCursor(wait);
    if (previous != nullptr && previous != wait)
        restore = previous;
    if (restore == nullptr)
        restore = LoadCursorA(nullptr, IDC_CROSS);
    return (void *)restore;
}

void cursor_restore(void *cursor)
{
    SetCursor((HCURSOR)cursor);
}

void cursor_setpos(int x, int y)
{
    SetCursorPos(x, y);
}

void message_box(const char *text, const char *caption, int style, int owned)
{
    MessageBoxA(owned ? g_hWnd : nullptr, text, caption, (UINT)style);
}
