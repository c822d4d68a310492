/*
 * mouse.cpp - moving about the plane with the mouse: a dragged rectangle
 * becomes the view, the wheel zooms by 1.5 about the pointer, a right
 * click zooms out by 2, Backspace goes back and Home goes to the built-in
 * view.  Each new view renders at once.
 *
 * During a render the mouse commands are ignored, like every other
 * command; Pause stops a render first.
 */
#include "app/LumoDomainColoring.h"
#include "app/mouse.h"
#include "app/projectionview.h"
#include "app/windowrender.h"
#include "render/projection.h"
#include "render/renderjob.h"
#include "render/viewnav.h"

/* A drag shorter than this in both directions is a click. */
static const int DRAGMIN = 4;

static int dragging;
static POINT anchor, reached;
static int banddrawn;

/* The view and size the picture on the screen was rendered with, when it
   is the current formula's; otherwise the current settings. */
static VIEW shownview(int *width, int *height)
{
    const RENDERSETTINGS *s = lastrendersettings();
    *width = xres;
    *height = yres;
    if (s != nullptr && s->formula == formula && s->xres == xres && s->yres == yres)
        return VIEW{s->xmin, s->xmax, s->ymin, s->ymax};
    return currentview(formula);
}

static int inimage(int x, int y)
{
    return x >= 0 && y >= 0 && x < xres && y < yres;
}

static int clampto(int v, int high)
{
    return v < 0 ? 0 : (v > high ? high : v);
}

static void newview(HWND window, VIEW v)
{
    setview(formula, v);
    j = 0;
    SendMessageA(window, WM_COMMAND, CMD_RENDER, 0);
}

/* The band is drawn inverting the screen and taken away by copying the
   image back, so a repaint in between cannot leave a trace. */
static void drawband(HWND window)
{
    HDC dc = GetDC(window);
    int old = SetROP2(dc, R2_NOT);
    HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, anchor.x < reached.x ? anchor.x : reached.x, anchor.y < reached.y ? anchor.y : reached.y,
              (anchor.x > reached.x ? anchor.x : reached.x) + 1, (anchor.y > reached.y ? anchor.y : reached.y) + 1);
    SelectObject(dc, brush);
    SetROP2(dc, old);
    ReleaseDC(window, dc);
    banddrawn = 1;
}

static void eraseband()
{
    if (!banddrawn)
        return;
    int left = anchor.x < reached.x ? anchor.x : reached.x;
    int top = anchor.y < reached.y ? anchor.y : reached.y;
    int right = anchor.x > reached.x ? anchor.x : reached.x;
    int bottom = anchor.y > reached.y ? anchor.y : reached.y;
    window_showsurface(left, top, right - left + 1, bottom - top + 1);
    banddrawn = 0;
}

void mouse_leftdown(HWND window, int x, int y)
{
    if (okrender || !inimage(x, y))
        return;
    SetCapture(window);
    dragging = 1;
    anchor.x = reached.x = x;
    anchor.y = reached.y = y;
}

void mouse_move(HWND window, int x, int y)
{
    statusbar_pointer(x, y);
    if (!dragging)
        return;
    eraseband();
    reached.x = clampto(x, xres - 1);
    reached.y = clampto(y, yres - 1);
    /* The sphere and the landscape turn when the drag ends: no band. */
    if (projection.kind == PROJECTION_PLANE)
        drawband(window);
}

void mouse_leftup(HWND window, int x, int y)
{
    if (!dragging)
        return;
    dragging = 0;
    eraseband();
    ReleaseCapture();
    reached.x = clampto(x, xres - 1);
    reached.y = clampto(y, yres - 1);
    if (okrender || (abs(reached.x - anchor.x) < DRAGMIN && abs(reached.y - anchor.y) < DRAGMIN))
        return;
    if (projection.kind != PROJECTION_PLANE) {
        projection_drag(window, anchor.x, anchor.y, reached.x, reached.y);
        return;
    }
    int width, height;
    VIEW v = shownview(&width, &height);
    newview(window, rectview(formula, v, width, height, anchor.x, anchor.y, reached.x, reached.y));
}

void mouse_capturelost()
{
    if (dragging) {
        dragging = 0;
        eraseband();
    }
}

void mouse_zoom(HWND window, int x, int y, double factor)
{
    if (okrender || dragging || !inimage(x, y))
        return;
    /* On the sphere and the landscape the wheel is the height limit's. */
    if (projection.kind != PROJECTION_PLANE) {
        if (factor != 0.5)
            projection_wheel(window, factor > 1.0);
        return;
    }
    int width, height;
    VIEW v = shownview(&width, &height);
    newview(window, zoomview(formula, v, width, height, x, y, factor));
}

void mouse_viewback(HWND window)
{
    if (projection_back(window))
        return;
    if (backview(formula)) {
        j = 0;
        SendMessageA(window, WM_COMMAND, CMD_RENDER, 0);
    }
}

void mouse_viewhome(HWND window)
{
    if (projection_home(window))
        return;
    newview(window, clampview(formula, builtinview(formula)));
}
