/*
 * surface.cpp - the in-memory platform layer (see headless.h).
 *
 * Implements every call of common/platform.h.  Window calls act on the
 * surface where the Win32 layer would act on the screen copy of it, or do
 * nothing; message boxes print their text and return at once; menu
 * commands go to a hook that tests can set.  Lines are drawn by the two
 * rasterisers below (one-pixel pens and wider pens).
 */
#include "headless/headless.h"

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "common/LumoIO.h"
#include "common/platform.h"

LUMORECT ClientRect;
LUMORECT VhdcRect;

static unsigned char *pixels;
static int width, height;
static char lastmessage[1024];
static char title[256] = "Lumo Domain Coloring";
static FILE *messagestream = stderr;
static void (*menuhook)(int id);

/* The pen and the current position of the line drawing. */
static unsigned int pencolor;
static int penwidth = 1;
static int penx, peny;

/* Asks for the image's memory in 2 MB pages where the system has them: a
   2000 x 2000 image is then 6 page faults instead of 3000, which on a
   virtual machine cost about a fifth of a colour wheel's render. */
static void preferlargepages(unsigned char *p, size_t bytes)
{
#ifdef MADV_HUGEPAGE
    const uintptr_t LARGE = (uintptr_t)2 << 20;
    uintptr_t first = ((uintptr_t)p + LARGE - 1) & ~(LARGE - 1);
    uintptr_t end = ((uintptr_t)p + bytes) & ~(LARGE - 1);
    if (end > first)
        madvise((void *)first, end - first, MADV_HUGEPAGE);   /* only a hint */
#else
    (void)p;
    (void)bytes;
#endif
}

int headless_createsurface(int w, int h)
{
    size_t bytes = (size_t)w * (size_t)h * 3;
    unsigned char *p = (unsigned char *)std::calloc(bytes ? bytes : 1, 1);
    if (p == nullptr)
        return 1;
    preferlargepages(p, bytes);
    std::free(pixels);
    pixels = p;
    width = w;
    height = h;
    ClientRect = {0, 0, w, h};
    VhdcRect = {0, 0, w, h};
    return 0;
}

void headless_freesurface()
{
    std::free(pixels);
    pixels = nullptr;
    width = height = 0;
}

unsigned char *headless_pixels() { return pixels; }
const char *headless_lastmessage() { return lastmessage; }
const char *headless_title() { return title; }
void headless_messagestream(void *file) { messagestream = (FILE *)file; }

int surface_width() { return width; }
int surface_height() { return height; }

void surface_setpixel(int x, int y, unsigned int color)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    unsigned char *p = pixels + ((size_t)y * width + x) * 3;
    p[0] = (unsigned char)(color & 0xff);
    p[1] = (unsigned char)((color >> 8) & 0xff);
    p[2] = (unsigned char)((color >> 16) & 0xff);
}

unsigned int surface_getpixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    const unsigned char *p = pixels + ((size_t)y * width + x) * 3;
    return p[0] | (p[1] << 8) | ((unsigned int)p[2] << 16);
}

void surface_getrow(int y, int count, unsigned char *rgb)
{
    size_t inside = 0;
    if (y >= 0 && y < height && count > 0)
        inside = (size_t)(count < width ? count : width) * 3;
    if (inside > 0)
        std::memcpy(rgb, pixels + (size_t)y * width * 3, inside);
    if (count > 0)
        std::memset(rgb + inside, 0, (size_t)count * 3 - inside);
}

void surface_fillrect(const LUMORECT *r, unsigned int color)
{
    int left = r->left < 0 ? 0 : r->left;
    int top = r->top < 0 ? 0 : r->top;
    int right = r->right > width ? width : r->right;
    int bottom = r->bottom > height ? height : r->bottom;
    for (int y = top; y < bottom; y++)
        for (int x = left; x < right; x++)
            surface_setpixel(x, y, color);
}

void surface_selectpen(unsigned int color, int w)
{
    pencolor = color;
    penwidth = w < 1 ? 1 : w;
}

void surface_releasepen()
{
    pencolor = 0;
    penwidth = 1;
}

void surface_moveto(int x, int y)
{
    penx = x;
    peny = y;
}

/* A one-pixel pen: Bresenham's line from the current position to (x, y),
   the end point left out, as a cosmetic pen draws it. */
static void thinline(int x, int y)
{
    int dx = x > penx ? x - penx : penx - x;
    int dy = y > peny ? y - peny : peny - y;
    int sx = penx < x ? 1 : -1;
    int sy = peny < y ? 1 : -1;
    int err = dx - dy;
    int cx = penx, cy = peny;
    while (cx != x || cy != y) {
        surface_setpixel(cx, cy, pencolor);
        int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            cx += sx;
        }
        if (e2 < dx) {
            err += dx;
            cy += sy;
        }
    }
}

/* The whole-pixel offset from a line's axis to the edge of a pen of
   width w: w/2 times the unit normal (-dy, dx)/length, each part rounded
   half away from zero, found in integers: k is the part's size when
   (2k - 1)^2 length^2 <= (d w)^2 < (2k + 1)^2 length^2. */
static long long normalpart(long long d, long long length2, long long w)
{
    if (length2 == 0)
        return 0;
    long long target = d * d * w * w;
    long long k = 0;
    while ((2 * k + 1) * (2 * k + 1) * length2 <= target)
        k++;
    return d < 0 ? -k : k;
}

/* The sign of an edge test at a pixel, with the sample point nudged right
   by an amount far larger than the nudge down: a pixel exactly on an
   edge then counts as inside on left and top edges and outside on right
   and bottom ones, the usual rule for filling polygons. */
static int edgeside(long long c, long long along_x, long long along_y)
{
    if (c != 0)
        return c > 0 ? 1 : -1;
    if (along_x != 0)
        return along_x > 0 ? 1 : -1;
    return along_y > 0 ? 1 : (along_y < 0 ? -1 : 0);
}

/* A wider pen, drawn the way a geometric pen fills its outline: pixel
   (x, y) stands for the point (x, y); the segment becomes the
   quadrilateral of its two end points moved out by the rounded normal
   offset on either side, filled by the rule of edgeside; each end gets a
   round cap, the pixels whose centres lie within penwidth / 2 of the end
   point (a 2 x 2 block up and left of it for a 2-wide pen).  So a 2-wide
   horizontal line at y = 10 covers rows 9 and 10, a vertical one at
   x = 698 columns 697 and 698, and a 45-degree one four pixels a row, as
   the window system draws them; at some slopes the window system adds a
   pixel beside an end that this rule leaves out (a few per hundred pixels
   of a curve).  Both end points are drawn.  All of it is integer
   arithmetic; coordinates are expected within +-2^20. */
static void wideline(int x, int y)
{
    const long long w = penwidth;
    long long dx = (long long)x - penx, dy = (long long)y - peny;
    long long length2 = dx * dx + dy * dy;
    long long ox = normalpart(-dy, length2, w), oy = normalpart(dx, length2, w);

    /* The quadrilateral, turned so that its inside is on the left of
       every edge (positive cross products). */
    long long qx[4] = {penx + ox, x + ox, x - ox, penx - ox};
    long long qy[4] = {peny + oy, y + oy, y - oy, peny - oy};
    long long turn = (qx[1] - qx[0]) * (qy[2] - qy[0]) - (qy[1] - qy[0]) * (qx[2] - qx[0]);
    int orient = turn > 0 ? 1 : -1;

    int reach = penwidth + 1;
    int left = (penx < x ? penx : x) - reach, right = (penx > x ? penx : x) + reach;
    int top = (peny < y ? peny : y) - reach, bottom = (peny > y ? peny : y) + reach;
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > width - 1) right = width - 1;
    if (bottom > height - 1) bottom = height - 1;

    for (int py = top; py <= bottom; py++) {
        for (int px = left; px <= right; px++) {
            bool inside = length2 != 0 && turn != 0;
            for (int k = 0; k < 4 && inside; k++) {
                long long ex = qx[(k + 1) % 4] - qx[k], ey = qy[(k + 1) % 4] - qy[k];
                long long c = ex * (py - qy[k]) - ey * (px - qx[k]);
                /* d/dx of c is -ey, d/dy is ex */
                inside = edgeside(c, -ey, ex) == orient;
            }
            for (int k = 0; k < 2 && !inside; k++) {
                long long cx = 2LL * px + 1 - 2LL * (k ? x : penx);
                long long cy = 2LL * py + 1 - 2LL * (k ? y : peny);
                inside = cx * cx + cy * cy < w * w;
            }
            if (inside)
                surface_setpixel(px, py, pencolor);
        }
    }
}

void surface_lineto(int x, int y)
{
    if (penwidth == 1)
        thinline(x, y);
    else
        wideline(x, y);
    penx = x;
    peny = y;
}

/* No window: the surface is all there is to show. */
void window_fillrect(const LUMORECT *, unsigned int) {}
void window_showsurface(int, int, int, int) {}

void window_gettitle(char *buffer, int size)
{
    LumoIO::strcpy_s(buffer, (size_t)size, title);
}

void window_settitle(const char *text)
{
    LumoIO::strcpy_s(title, sizeof title, text);
}

void window_enable(int) {}
void window_peekmessages() {}
void headless_menuhook(void (*hook)(int id)) { menuhook = hook; }

/* There is no menu: the command goes to the hook, if any. */
void window_menucommand(int id)
{
    if (menuhook != nullptr)
        menuhook(id);
}

void *cursor_wait() { return nullptr; }
void cursor_restore(void *) {}
void cursor_setpos(int, int) {}

void message_box(const char *text, const char *, int, int)
{
    LumoIO::strcpy_s(lastmessage, sizeof lastmessage, text);
    if (messagestream != nullptr)
        std::fprintf(messagestream, "%s\n", text);
}
