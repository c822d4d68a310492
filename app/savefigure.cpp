/*
 * savefigure.cpp - File > Save Figure... (Ctrl+Shift+S): the picture on
 * the screen as an SVG figure (render/figurelayout.h, render/figuresvg.h)
 * with its axes, title and colour key; its images are PNG encoded by the
 * Windows Imaging Component.  The Windows builds have no cairo, and SVG
 * needs none.
 *
 * The menus change settings without rendering (a colour map, the grids),
 * so the settings the picture was made with are kept when a render ends
 * and put in place while the figure is laid out: its key and title always
 * tell the truth about the picture, not about the next one.
 */
#include <string>
#include <vector>

#include "app/LumoDomainColoring.h"
#include "expr/expr.h"
#include "render/figuresvg.h"
#include "render/projection.h"
#include "render/reproduce.h"

namespace {

/* The settings a figure reads, for the formula of the last render. */
struct FIGURESTATE {
    int valid;
    int notplane;       /* the render was the sphere or the landscape */
    int formula;
    int xres, yres;
    double view[4];
    double V, abslimit, GW;
    int brightness, gradient, squaregrid, phasegrid, GP, greyflag;
    FRACTAL fractal;
    std::string title;
    std::string command;
};

FIGURESTATE kept;

FIGURESTATE currentstate()
{
    FIGURESTATE s;
    const int f = formula;
    /* A figure's axes are the plane's. */
    s.notplane = projection.kind != PROJECTION_PLANE;
    s.valid = !s.notplane;
    s.formula = f;
    s.xres = xres;
    s.yres = yres;
    s.view[0] = xmin[f];
    s.view[1] = xmax[f];
    s.view[2] = ymin[f];
    s.view[3] = ymax[f];
    s.V = V[f];
    s.abslimit = abslimitimage[f];
    s.GW = GW;
    s.brightness = brightness[f];
    s.gradient = gradient[f];
    s.squaregrid = squaregridflag[f];
    s.phasegrid = phasegridflag[f];
    s.GP = GP;
    s.greyflag = greyflag;
    s.fractal = f <= 2 ? fr[f] : FRACTAL{};
    s.title = figuretitle(f == 30 ? customtext() : nullptr);
    s.command = reproducecommand(f == 30 ? customtext() : nullptr, 0) + " --figure";
    return s;
}

void putstate(const FIGURESTATE &s)
{
    const int f = s.formula;
    formula = f;
    xres = s.xres;
    yres = s.yres;
    xmin[f] = s.view[0];
    xmax[f] = s.view[1];
    ymin[f] = s.view[2];
    ymax[f] = s.view[3];
    V[f] = s.V;
    abslimitimage[f] = s.abslimit;
    GW = s.GW;
    brightness[f] = s.brightness;
    gradient[f] = s.gradient;
    squaregridflag[f] = s.squaregrid;
    phasegridflag[f] = s.phasegrid;
    GP = s.GP;
    greyflag = s.greyflag;
    if (f <= 2)
        fr[f] = s.fractal;
}

OPENFILENAMEA dialog;
char figurefile[SAVEPATHROOM];
char figurefiletitle[SAVEPATHROOM];
char figurefilter[] = "SVG files (*.svg)\0*.svg\0";
char figuredefext[] = "svg";

/* A raster's PNG bytes by WIC, from its rows turned blue-first. */
bool wicpng(const FIGRASTER &r, std::string *png)
{
    std::vector<unsigned char> bgr(r.rgb.size());
    for (size_t k = 0; k + 2 < r.rgb.size(); k += 3) {
        bgr[k] = r.rgb[k + 2];
        bgr[k + 1] = r.rgb[k + 1];
        bgr[k + 2] = r.rgb[k];
    }
    std::vector<unsigned char> bytes;
    if (encodewic(r.width, r.height, r.width * 3, bgr.data(), &bytes) != 0)
        return false;
    png->assign(bytes.begin(), bytes.end());
    return true;
}

/* The figure of the kept settings as SVG text; false when WIC failed. */
bool figuretext(const char *path, std::string *svg)
{
    FIGURESTATE now = currentstate();
    putstate(kept);
    FIGSETUP setup = currentfigure(nullptr);
    setup.title = kept.title;
    FIGURE fig = layfigure(setup);
    FIGRASTER picture = surfacepicture(kept.xres, kept.yres);
    putstate(now);
    return figuresvg(fig, picture, wicpng, kept.command + reproducefile(path, 1), svg);
}

}   // namespace

void rememberfigure()
{
    kept = currentstate();
}

void savefigurecommand(HWND window)
{
    if (!kept.valid) {
        if (kept.notplane)
            MessageBoxA(window, "A figure draws the plane's axes around its picture: "
                        "choose View > Plane (1) first.", "Lumo Domain Coloring", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (dialog.lStructSize == 0)
        initsavedialog(&dialog, figurefile, figurefiletitle, figurefilter, figuredefext);
    dialog.hwndOwner = window;
    if (!GetSaveFileNameA(&dialog))
        return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    void *cursor = cursor_wait();
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::string svg;
    int code = figuretext(figurefile, &svg) ? 0 : 4;
    if (SUCCEEDED(com))
        CoUninitialize();
    if (code == 0)
        code = savefigurebytes(figurefile, svg) == 0 ? 0 : 3;
    cursor_restore(cursor);
    reportsaved(window, code, figurefiletitle);
}
