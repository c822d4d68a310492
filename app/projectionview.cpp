/*
 * projectionview.cpp - the View menu and the sphere's and landscape's
 * mouse commands (see projectionview.h); the rules of a drag and a wheel
 * step are the core's (render/projectionnav.h), which the page shares.
 */
#include <memory>
#include <vector>

#include "app/LumoDomainColoring.h"
#include "app/projectionview.h"
#include "render/landscape.h"
#include "render/projection.h"
#include "render/projectionnav.h"
#include "render/renderjob.h"
#include "render/sphere.h"

/* The sphere's earlier centres, for Backspace. */
struct CENTRE {
    double x, y;
    int infinite;
};
static std::vector<CENTRE> earlier;
static std::unique_ptr<float[]> keptheights;

static void render(HWND window)
{
    j = 0;
    SendMessageA(window, WM_COMMAND, CMD_RENDER, 0);
}

void projectionmarks()
{
    for (int k = CMD_PLANE; k <= CMD_LANDSCAPE; k++)
        CheckMenuItem(g_hMenu, (UINT)k, MF_BYCOMMAND | (k - CMD_PLANE == projection.kind ? MF_CHECKED : MF_UNCHECKED));
}

void projectioncommand(HWND window, int id)
{
    int kind = id - CMD_PLANE;
    if (kind != projection.kind) {
        projection.kind = kind;
        projection.shade = defaultshade(kind);
    }
    projectionmarks();
    render(window);
}

/* Makes c the sphere's centre, remembering the one before. */
static void newcentre(HWND window, CENTRE c)
{
    earlier.push_back(CENTRE{projection.centerx, projection.centery, projection.centerinfinite});
    if (earlier.size() > 128)
        earlier.erase(earlier.begin());
    projection.centerx = c.infinite ? 0.0 : c.x;
    projection.centery = c.infinite ? 0.0 : c.y;
    projection.centerinfinite = c.infinite;
    render(window);
}

static void turnsphere(HWND window, int dx, int dy)
{
    PROJECTION turned = projection;
    if (sphereturn(&turned, xres, yres, dx, dy))
        newcentre(window, CENTRE{turned.centerx, turned.centery, turned.centerinfinite});
}

static void orbit(HWND window, int dx, int dy)
{
    orbitcamera(&projection, dx, dy);
    render(window);
}

void projection_drag(HWND window, int ax, int ay, int bx, int by)
{
    if (projection.kind == PROJECTION_SPHERE)
        turnsphere(window, bx - ax, by - ay);
    else if (projection.kind == PROJECTION_LANDSCAPE)
        orbit(window, bx - ax, by - ay);
}

void projection_wheel(HWND window, int up)
{
    if (projection.kind != PROJECTION_LANDSCAPE)
        return;
    heightwheel(&projection, up);
    render(window);
}

int projection_home(HWND window)
{
    if (projection.kind != PROJECTION_SPHERE)
        return 0;
    newcentre(window, CENTRE{0.0, 0.0, 0});
    return 1;
}

int projection_back(HWND window)
{
    if (projection.kind != PROJECTION_SPHERE)
        return 0;
    if (!earlier.empty()) {
        CENTRE c = earlier.back();
        earlier.pop_back();
        projection.centerx = c.x;
        projection.centery = c.y;
        projection.centerinfinite = c.infinite;
        render(window);
    }
    return 1;
}

void projection_keepheights(float *heights)
{
    keptheights.reset(heights);
}

int projection_readout(const RENDERSETTINGS *s, int x, int y, double *zx, double *zy, double *wx, double *wy)
{
    if (s->projection.kind == PROJECTION_SPHERE) {
        SPHEREVIEW view;
        sphereview(&s->projection, s->xres, s->yres, &view);
        double depth;
        if (spherepixel(&view, x, y, zx, zy, &depth) == SPHERE_OUTSIDE)
            return 0;
        int result;
        evaluatepoints(s, 1, zx, zy, wx, wy, &result);
        return 1;
    }
    if (!keptheights)
        return 0;
    LANDSCAPEVIEW view;
    landscapeview(&s->projection, s->xres, s->yres, &view);
    std::vector<unsigned int> colours((size_t)s->yres);
    std::vector<int> cells((size_t)s->yres);
    landscapecolumn(&view, keptheights.get(), nullptr, x, colours.data(), cells.data());
    int cell = cells[(size_t)y];
    if (cell < 0)
        return 0;
    int column = cell % s->xres, row = cell / s->xres;
    *zx = settings_columnx(s, column);
    *zy = settings_rowy(s, row);
    evaluatepoint(s, column, row, wx, wy);
    return 1;
}
