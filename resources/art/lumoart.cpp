/*
 * lumoart.cpp - makes the generated parts of the resources: it renders the
 * program's pictures with its own renderer and writes them as files:
 *   lumosplash.bmp  360 x 360: a domain-colouring picture in a thin blue
 *                   frame with the title in its centre;
 *   lumohelp.bmp    500 x 100: the colour wheel w = z in the five
 *                   domain-colouring gradients, left to right;
 *   tavroicon.ico   32 x 32, 24 bits: the colour wheel;
 * and the formula dialog's radio buttons, labelled from the label table:
 *   formulabuttons.rc
 * Usage: lumoart DIRECTORY
 */
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "art.h"
#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/settings.h"

/* One picture's settings. */
struct VIEW {
    int formula;
    int gradient;
    int squaregrid;
    int phasegrid;
    double xmin, xmax, ymin, ymax;
};

/* Renders a view at width x height through driver(), row by row, exactly
   as the window program does, and copies the result into image. */
static int render(const VIEW &view, ARTIMAGE *image)
{
    if (headless_createsurface(image->width, image->height) != 0)
        return 1;
    formula = view.formula;
    InitFormula(formula);
    gradient[formula] = view.gradient;
    squaregridflag[formula] = view.squaregrid;
    phasegridflag[formula] = view.phasegrid;
    xmin[formula] = view.xmin;
    xmax[formula] = view.xmax;
    ymin[formula] = view.ymin;
    ymax[formula] = view.ymax;
    xres = image->width;
    yres = image->height;
    graphflag = 0;
    displaylimitflag = 0;
    j = 0;
    okrender = 1;
    while (okrender)
        driver();
    std::memcpy(image->rgb, headless_pixels(), (size_t)image->width * image->height * 3);
    return 0;
}

/* Copies a w x h block of src to (x, y) of dst. */
static void paste(ARTIMAGE *dst, const ARTIMAGE *src, int x, int y)
{
    for (int row = 0; row < src->height; row++)
        std::memcpy(dst->rgb + ((size_t)(y + row) * dst->width + x) * 3,
                    src->rgb + (size_t)row * src->width * 3, (size_t)src->width * 3);
}

/* Darkens a band of rows to half brightness, so the title stands out. */
static void darken(ARTIMAGE *image, int top, int bottom)
{
    for (int y = top; y < bottom; y++)
        for (int x = 0; x < image->width; x++) {
            unsigned char *p = image->rgb + ((size_t)y * image->width + x) * 3;
            p[0] /= 2;
            p[1] /= 2;
            p[2] /= 2;
        }
}

/* A frame of the given thickness along the edges. */
static void frame(ARTIMAGE *image, int thickness, int r, int g, int b)
{
    for (int y = 0; y < image->height; y++)
        for (int x = 0; x < image->width; x++) {
            int edge = x < thickness || y < thickness || x >= image->width - thickness ||
                       y >= image->height - thickness;
            if (!edge)
                continue;
            unsigned char *p = image->rgb + ((size_t)y * image->width + x) * 3;
            p[0] = (unsigned char)r;
            p[1] = (unsigned char)g;
            p[2] = (unsigned char)b;
        }
}

/* The title in white with a black outline, centred. */
static void title(ARTIMAGE *image, const char *text, int scale)
{
    int x = (image->width - textwidth(text, scale)) / 2;
    int y = (image->height - textheight(scale)) / 2;
    darken(image, y - 3 * scale, y + textheight(scale) + 3 * scale);
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
            drawtext(image, text, x + dx, y + dy, scale, 0, 0, 0);
    drawtext(image, text, x, y, scale, 255, 255, 255);
}

static int makesplash(const std::string &dir)
{
    std::vector<unsigned char> pixels(360 * 360 * 3);
    ARTIMAGE image = {360, 360, pixels.data()};
    /* w = ( z^2 - 1 ) (z - 2 - i )^2 / ( z^2 + 2 + 2i ) with its phase lines. */
    VIEW view = {9, 3, 0, 1, -3.0, 3.0, -3.0, 3.0};
    if (render(view, &image) != 0)
        return 1;
    title(&image, "Lumo Domain Coloring", 2);
    frame(&image, 2, 0, 0, 255);
    return writebmp((dir + "/lumosplash.bmp").c_str(), &image);
}

static int makehelp(const std::string &dir)
{
    std::vector<unsigned char> strip(500 * 100 * 3), square(100 * 100 * 3);
    ARTIMAGE image = {500, 100, strip.data()};
    ARTIMAGE part = {100, 100, square.data()};
    for (int g = GRADIENT_CONTINUOUS; g <= GRADIENT_3D; g++) {
        VIEW view = {3, g, 0, 0, -4.0, 4.0, -4.0, 4.0};
        if (render(view, &part) != 0)
            return 1;
        paste(&image, &part, g * 100, 0);
    }
    return writebmp((dir + "/lumohelp.bmp").c_str(), &image);
}

static int makeicon(const std::string &dir)
{
    std::vector<unsigned char> pixels(32 * 32 * 3);
    ARTIMAGE image = {32, 32, pixels.data()};
    VIEW view = {3, GRADIENT_MODULAR, 0, 1, -4.0, 4.0, -4.0, 4.0};
    if (render(view, &image) != 0)
        return 1;
    return writeico((dir + "/tavroicon.ico").c_str(), &image);
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: lumoart DIRECTORY\n", stderr);
        return 2;
    }
    headless_messagestream(nullptr);
    fillfactorial();
    initsettings();
    std::string dir = argv[1];
    if (makesplash(dir) != 0 || makehelp(dir) != 0 || makeicon(dir) != 0 ||
        writeformulabuttons((dir + "/formulabuttons.rc").c_str()) != 0) {
        std::fprintf(stderr, "lumoart: cannot write the resource files into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
