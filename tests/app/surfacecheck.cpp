/*
 * surfacecheck.cpp - checks of the Win32 off-screen image under the window
 * system itself (run under wine by tests/e2e/run.sh):
 *  - what the renderer writes into the DIB section's bits is what GDI
 *    reads and copies (byte order), and GDI's lines reach the bits;
 *  - a size change rebuilds the surface (1300 wide for 600 x 600, with the
 *    graph) and a surface that cannot be made keeps the old one, its
 *    pixels, the image size and the graph setting;
 *  - without a surface nothing is drawn and nothing fails, a whole render
 *    included;
 *  - the cursor to restore after a render is never the wait cursor.
 * Prints one line per failed check; exit status 1 when there is any.
 */
#include "app/LumoDomainColoring.h"

#include <cstdio>

static int failures;

static void check(bool ok, const char *what)
{
    if (!ok) {
        std::printf("FAIL: %s\n", what);
        failures++;
    }
}

static const unsigned int SAMPLE = 0x3c7a19;    /* r 0x19, g 0x7a, b 0x3c */
static const unsigned int YELLOW = 0x00ffff;
static const unsigned int GREY = 0x808080;

/* The surface's pixels as the renderer and as GDI see them. */
static void pixels()
{
    surface_setpixel(5, 7, SAMPLE);
    check(surface_getpixel(5, 7) == SAMPLE, "a pixel reads back as written");
    check(GetPixel(g_vhdc, 5, 7) == (COLORREF)SAMPLE, "GDI reads the colour that was written");

    /* A copy through GDI, as the window gets it, keeps the colour. */
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, 16, 16, g_vhdc, 0, 0, SRCCOPY);
    check(GetPixel(copy, 5, 7) == (COLORREF)SAMPLE, "BitBlt copies the colour that was written");
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);

    LUMORECT block = {2, 2, 4, 4};
    surface_fillrect(&block, GREY);
    check(GetPixel(g_vhdc, 3, 3) == (COLORREF)GREY && surface_getpixel(2, 2) == GREY,
          "a filled block is seen by GDI");
    check(surface_getpixel(4, 4) != GREY, "a fill leaves out right and bottom");

    /* A 2-pixel pen along y = 10 covers rows 9 and 10; the bits are
       current right after the line. */
    surface_selectpen(YELLOW, 2);
    surface_moveto(10, 10);
    surface_lineto(50, 10);
    surface_releasepen();
    check(surface_getpixel(30, 10) == YELLOW && surface_getpixel(30, 9) == YELLOW,
          "a GDI line is in the bits at once");
    check(surface_getpixel(30, 12) != YELLOW, "a 2-pixel line is 2 pixels wide");

    check(surface_getpixel(-1, 0) == 0 && surface_getpixel(surfacewidth, 0) == 0,
          "pixels outside read as 0");
    surface_setpixel(surfacewidth, surfaceheight, SAMPLE);      /* ignored */
}

static void sizes()
{
    xres = yres = 600;
    check(createsurface(nullptr, 1300, 600) == 0 && surfacewidth == 1300 && surfaceheight == 600,
          "the start surface is 1300 x 600");
    pixels();

    xres = 640;
    yres = 480;
    check(rebuildsurface(nullptr, 600, 600) == 0, "640 x 480 is made");
    check(surfacewidth == 640 && surfaceheight == 480 && graphflag == 0 && VhdcRect.right == 640,
          "640 x 480 has its own width and no graph");
    check(surface_getpixel(5, 7) == 0, "a new surface starts black");

    xres = yres = 600;
    check(rebuildsurface(nullptr, 640, 480) == 0, "600 x 600 is made");
    check(surfacewidth == 1300 && graphflag == 1 && VhdcRect.right == 1300 && VhdcRect.bottom == 600,
          "600 x 600 is 1300 wide with the graph");

    /* Far more memory than a process can have. */
    surface_setpixel(100, 100, SAMPLE);
    xres = yres = 200000;
    check(rebuildsurface(nullptr, 600, 600) == 1, "an impossible size is refused");
    check(xres == 600 && yres == 600, "the image keeps its size");
    check(surfacewidth == 1300 && surfaceheight == 600 && graphflag == 1,
          "the old surface and graph stay");
    check(surface_getpixel(100, 100) == SAMPLE, "the old picture stays");

    /* OK stored a new width, failed on a later field, then Cancel: the
       surface follows the stored size, the saved view does not change. */
    savewindow[formula][0] = -7.0;
    xmin[formula] = -3.0;
    xres = 640;
    newdimensions = 1;
    parametersclosed(nullptr, 2, 600, 600);
    check(surfacewidth == 640 && surfaceheight == 600 && graphflag == 0 && newdimensions == 0,
          "a size stored before a cancel gets its surface");
    check(savewindow[formula][0] == -7.0, "a cancelled dialog saves no view");
}

static void nosurface()
{
    releasesurface();
    check(surface_width() == 0 && surface_height() == 0 && g_vhdc == nullptr, "no surface left");
    surface_setpixel(1, 1, SAMPLE);
    check(surface_getpixel(1, 1) == 0, "without a surface pixels read 0");
    LUMORECT all = {0, 0, 100, 100};
    surface_fillrect(&all, GREY);
    surface_selectpen(YELLOW, 2);
    surface_moveto(0, 0);
    surface_lineto(50, 50);
    surface_releasepen();

    /* A whole render with nowhere to draw. */
    fillfactorial();
    initsettings();
    InitFormula(formula);
    xres = yres = 64;
    j = 0;
    okrender = 1;
    for (int rows = 0; okrender && rows < 1000; rows++)
        driver();
    check(okrender == 0 && j == 0, "a render without a surface runs to its end");
}

static void cursors()
{
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    void *first = cursor_wait();
    void *second = cursor_wait();
    check(first == (void *)LoadCursorA(nullptr, IDC_ARROW), "the cursor before the render is kept");
    check(second == first && second != (void *)wait, "row after row the cursor to restore stays");
    cursor_restore(first);
}

int main()
{
    sizes();
    nosurface();
    cursors();
    std::printf("surface checks: %s\n", failures ? "FAILED" : "all passed");
    return failures ? 1 : 0;
}
