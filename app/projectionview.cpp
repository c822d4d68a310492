/*
 * projectionview.cpp - the View menu and the sphere's and landscape's
 * mouse commands (see projectionview.h).
 *
 * A drag on the sphere turns it like a ball held at the middle: the point
 * seen at the middle less the drag comes to the middle, i.e. it becomes the
 * centre c.  A drag on the landscape turns the camera by half a degree a
 * pixel: right turns the landscape right (the azimuth falls), down raises
 * the camera (elevation 0..90).  A wheel step multiplies the height limit
 * by 1.25 (up) or divides it.
 */
#include <cmath>
#include <memory>
#include <vector>

#include "app/LumoDomainColoring.h"
#include "app/projectionview.h"
#include "render/landscape.h"
#include "render/projection.h"
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
    SPHEREVIEW view;
    sphereview(&projection, xres, yres, &view);
    /* A drag past the rim turns as far as the rim. */
    double reach = std::sqrt((double)dx * dx + (double)dy * dy), limit = view.radius - 1.0;
    if (reach > limit) {
        dx = (int)(dx * limit / reach);
        dy = (int)(dy * limit / reach);
    }
    double zx, zy, depth;
    int found = spherepixel(&view, xres / 2 - dx, yres / 2 - dy, &zx, &zy, &depth);
    if (found == SPHERE_OUTSIDE)
        return;
    newcentre(window, CENTRE{zx, zy, found == SPHERE_INFINITY});
}

static void orbit(HWND window, int dx, int dy)
{
    double az = std::fmod(projection.azimuth - 0.5 * dx, 360.0);
    projection.azimuth = az < 0.0 ? az + 360.0 : az;
    double el = projection.elevation + 0.5 * dy;
    projection.elevation = el < 0.0 ? 0.0 : (el > 90.0 ? 90.0 : el);
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
    projection.heightlimit = up ? projection.heightlimit * 1.25 : projection.heightlimit / 1.25;
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
