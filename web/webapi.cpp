/*
 * webapi.cpp - the calls the page makes into the compiled core.
 *
 * The page (web/page) holds no arithmetic: it hands the core `lumo render`
 * option words, asks it for the rows of the picture, the views the mouse
 * makes, the readout under the pointer and the PNG text chunks.  The main
 * thread's instance and every worker's run the same calls on settings
 * made from the same words, so they agree on every pixel.
 *
 * Texts come back as pointers into a buffer that the next call reuses;
 * words travel as one text, one word a line (a typed function's line
 * breaks are blanks to its parser, so the page turns them into blanks).
 */
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/platform.h"
#include "common/pngchunks.h"
#include "expr/expr.h"
#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/graph.h"
#include "render/renderjob.h"
#include "render/projection.h"
#include "render/projectionnav.h"
#include "render/renderoptions.h"
#include "render/reproduce.h"
#include "render/settings.h"
#include "render/sphere.h"
#include "render/viewnav.h"

namespace {

/* Every settings global as the program starts, restored before each set
   of words so that a setting left out is its default, as in a fresh lumo. */
struct DEFAULTS {
    IMAGE im[NFORMULAS];
    FRACTAL fr[3];
    double abslimitimage[NFORMULAS];
    double savewindow[NFORMULAS][4];
    double GW;
    int GP, greyflag;
} defaults;

std::string reply;
std::vector<unsigned char> rgba;
std::vector<unsigned char> pngbytes;
double viewtext[4];
int exprcolumn;
int stripshown;
std::string note;       /* what the last accepted words had cut (a view) */

void savedefaults()
{
    std::memcpy(defaults.im, im, sizeof im);
    std::memcpy(defaults.fr, fr, sizeof fr);
    std::memcpy(defaults.abslimitimage, abslimitimage, sizeof abslimitimage);
    std::memcpy(defaults.savewindow, savewindow, sizeof savewindow);
    defaults.GW = GW;
    defaults.GP = GP;
    defaults.greyflag = greyflag;
}

void restoredefaults()
{
    std::memcpy(im, defaults.im, sizeof im);
    std::memcpy(fr, defaults.fr, sizeof fr);
    std::memcpy(abslimitimage, defaults.abslimitimage, sizeof abslimitimage);
    std::memcpy(savewindow, defaults.savewindow, sizeof savewindow);
    GW = defaults.GW;
    GP = defaults.GP;
    greyflag = defaults.greyflag;
    displaylimitflag = 0;
    okrender = 0;
    j = 0;
    setcustomtext(customdefaulttext, nullptr);
}

/* The core's reading of `lumo render` options: "" or the complaint, in
   lumo's words but without its "lumo render: " prefix. */
std::string applyoptions(int count, char **words)
{
    RENDEROPTIONS o;
    RENDEROPTIONERROR error;
    renderoptions_init(&o);
    for (int i = 0; i < count;) {
        int took = renderoptions_take(count, words, i, &o, &error);
        if (took < 0)
            return error.text;
        if (took == 0)
            return std::string("unknown option '") + words[i] + "'";
        i += took;
    }
    if (!renderoptions_check(&o, &error, &note)) {
        if (error.expression)
            return error.text + " at column " + std::to_string(error.exprerror.column);
        return error.text;
    }
    renderoptions_apply(&o);
    return "";
}

/* The words of a text, one a line.  A tab in a word becomes a blank:
   tabs separate the words lumo_words writes, and in the only word that
   may hold one, a typed function, the parser reads both as a blank. */
std::vector<std::string> splitlines(const char *text)
{
    std::vector<std::string> words;
    const char *p = text;
    while (*p != '\0') {
        const char *q = std::strchr(p, '\n');
        if (q == nullptr)
            q = p + std::strlen(p);
        words.emplace_back(p, (size_t)(q - p));
        for (char &c : words.back())
            if (c == '\t')
                c = ' ';
        p = *q ? q + 1 : q;
    }
    return words;
}

/* One option a line, its words separated by tabs. */
const char *joinoptions(const std::vector<OPTIONWORDS> &options)
{
    reply.clear();
    for (const OPTIONWORDS &option : options) {
        reply += option.name;
        for (const std::string &value : option.values)
            reply += "\t" + value;
        reply += "\n";
    }
    return reply.c_str();
}

const double *viewreply(VIEW v)
{
    viewtext[0] = v.xmin;
    viewtext[1] = v.xmax;
    viewtext[2] = v.ymin;
    viewtext[3] = v.ymax;
    return viewtext;
}

}   // namespace

extern "C" {

/* Once, before anything else. */
void lumo_start()
{
    fillfactorial();
    initsettings();
    savedefaults();
    headless_messagestream(nullptr);
}

/* Makes the settings those of the words: "" or why they were refused. */
const char *lumo_apply(const char *text)
{
    restoredefaults();
    std::vector<std::string> words = splitlines(text);
    std::vector<char *> argv;
    for (std::string &w : words)
        argv.push_back(&w[0]);
    reply = applyoptions((int)argv.size(), argv.data());
    if (reply.empty()) {
        /* What a render start works out (the view's sides, which two
           formulas read, and whether the graph strip is drawn). */
        int graph = graphflag;
        headless_createsurface(graph ? 1300 : 1, graph ? yres : 1);
        renderstart();
        stripshown = graph && graphflag;
        if (!stripshown)
            headless_createsurface(1, 1);
    }
    return reply.c_str();
}

/* What the last accepted words had cut to the allowed range, or "". */
const char *lumo_note() { return note.c_str(); }

/* The options of the settings now, with --graph when the strip is
   shown: one option a line, its words separated by tabs. */
const char *lumo_words() { return joinoptions(reproducewords(formula == 30 ? customtext() : nullptr, stripshown)); }

int lumo_width() { return xres; }
int lumo_height() { return yres; }
int lumo_formula() { return formula; }
/* 1 when the picture is 1300 wide with the real-axis graph. */
int lumo_strip() { return stripshown; }
const char *lumo_label(int f) { return f >= 0 && f < NFORMULAS ? formulalabel[f] : ""; }

/* Rows first .. first + count - 1 as RGBA bytes, 4 * xres a row. */
unsigned char *lumo_rows(int first, int count)
{
    RENDERSETTINGS s = rendersettings();
    ROWSCRATCH scratch(s.xres);
    rgba.resize((size_t)s.xres * 4 * (size_t)count);
    unsigned char *out = rgba.data();
    for (int row = first; row < first + count; row++) {
        double rowmax;
        evaluaterow(&s, row, scratch.wx.get(), scratch.wy.get(), scratch.result.get());
        colourrow(&s, scratch.wx.get(), scratch.wy.get(), scratch.result.get(), scratch.colors.get(),
                  &rowmax);
        for (int i = 0; i < s.xres; i++, out += 4) {
            unsigned int c = scratch.colors[i];
            out[0] = (unsigned char)c;
            out[1] = (unsigned char)(c >> 8);
            out[2] = (unsigned char)(c >> 16);
            out[3] = 255;
        }
    }
    return rgba.data();
}

/* 1 when the picture is made of rows that any worker can make in any
   order (lumo_rows): the plane.  The sphere and the landscape are made
   whole by one worker (lumo_picture), by the render job as lumo makes
   them. */
int lumo_bands() { return rendersettings().projection.kind == PROJECTION_PLANE; }

/* The whole picture, width lumo_width() (1300 with the graph strip) by
   lumo_height(), as RGBA, made by the render job on this thread; null
   when its memory cannot be had. */
unsigned char *lumo_picture()
{
    int width = stripshown ? 1300 : xres;
    if (headless_createsurface(width, yres) != 0)
        return nullptr;
    RENDERJOB job;
    if (job_begin(&job) != 0)
        return nullptr;
    job_work(&job);
    while (job_advance(&job) < job.s.yres) {
    }
    job_end(&job);
    rgba.resize((size_t)width * 4 * (size_t)yres);
    const unsigned char *rgb = headless_pixels();
    for (size_t k = 0; k < (size_t)width * (size_t)yres; k++) {
        rgba[4 * k] = rgb[3 * k];
        rgba[4 * k + 1] = rgb[3 * k + 1];
        rgba[4 * k + 2] = rgb[3 * k + 2];
        rgba[4 * k + 3] = 255;
    }
    headless_createsurface(1, 1);
    return rgba.data();
}

/* The graph strip, columns 600 .. 1299 of every row, as RGBA: drawn in
   row order after the settings' render start, as the renderer draws it. */
unsigned char *lumo_strip_pixels()
{
    const int left = 600, width = 700;
    rgba.assign((size_t)width * 4 * (size_t)yres, 0);
    if (!stripshown)
        return rgba.data();
    LUMORECT all = {0, 0, surface_width(), surface_height()};
    surface_fillrect(&all, 0);
    renderstart();
    for (int row = 0; row < yres; row++)
        rowgraph(row);
    unsigned char *out = rgba.data();
    for (int y = 0; y < yres; y++) {
        for (int x = left; x < left + width; x++, out += 4) {
            unsigned int c = surface_getpixel(x, y);
            out[0] = (unsigned char)c;
            out[1] = (unsigned char)(c >> 8);
            out[2] = (unsigned char)(c >> 16);
            out[3] = 255;
        }
    }
    return rgba.data();
}

/* The typed function's complaint ("" when it parses) and its column. */
const char *lumo_checkexpr(const char *text)
{
    EXPRERROR e;
    exprcolumn = 0;
    reply.clear();
    if (!exprcheck(text, &e)) {
        reply = e.message;
        exprcolumn = e.column;
    }
    return reply.c_str();
}
int lumo_exprcolumn() { return exprcolumn; }

/* The status bar's readout at pixel (x, y): the evaluation of that pixel
   (the plane's and the sphere's; "" off the sphere and on the landscape). */
const char *lumo_readout(int x, int y)
{
    RENDERSETTINGS s = rendersettings();
    reply.clear();
    if (x < 0 || y < 0 || x >= s.xres || y >= s.yres)
        return reply.c_str();
    double wx, wy, zx, zy;
    if (s.projection.kind == PROJECTION_PLANE) {
        evaluatepoint(&s, x, y, &wx, &wy);
        zx = settings_columnx(&s, x);
        zy = settings_rowy(&s, y);
    } else if (s.projection.kind == PROJECTION_SPHERE) {
        /* The point the sphere shows at the pixel, evaluated as its row
           evaluates it; nothing off the sphere. */
        SPHEREVIEW view;
        sphereview(&s.projection, s.xres, s.yres, &view);
        double depth;
        if (spherepixel(&view, x, y, &zx, &zy, &depth) == SPHERE_OUTSIDE)
            return reply.c_str();
        int result;
        evaluatepoints(&s, 1, &zx, &zy, &wx, &wy, &result);
    } else {
        /* The landscape's pixel shows whichever point its heights put in
           front, which only the worker that drew it knows. */
        return reply.c_str();
    }
    char text[300];
    std::snprintf(text, sizeof text, "%d, %d:  z = %.10g %+.10gi   w = %.10g %+.10gi   |w| = %.10g   arg w = %.10g",
                  x, y, zx, zy, wx, wy, std::sqrt(wx * wx + wy * wy), std::atan2(wy, wx));
    reply = text;
    return reply.c_str();
}

/* Views of the mouse, within the Parameters dialog's bounds; the page
   reads the four numbers and sets them as the view option. */
const double *lumo_rectview(int x0, int y0, int x1, int y1)
{
    return viewreply(rectview(formula, currentview(formula), xres, yres, x0, y0, x1, y1));
}
const double *lumo_zoomview(int x, int y, double factor)
{
    return viewreply(zoomview(formula, currentview(formula), xres, yres, x, y, factor));
}
const double *lumo_panview(double dx, double dy)
{
    return viewreply(panview(formula, currentview(formula), xres, yres, dx, dy));
}
const double *lumo_homeview() { return viewreply(clampview(formula, builtinview(formula))); }
const double *lumo_view() { return viewreply(currentview(formula)); }
/* The window program's drag, wheel and Home on the sphere and the
   landscape (render/projectionnav.h), made to the settings now: 1 when
   they changed, and the page reads them back with lumo_words. */
int lumo_turn(int x0, int y0, int x1, int y1)
{
    if (projection.kind == PROJECTION_SPHERE)
        return sphereturn(&projection, xres, yres, x1 - x0, y1 - y0);
    if (projection.kind != PROJECTION_LANDSCAPE)
        return 0;
    orbitcamera(&projection, x1 - x0, y1 - y0);
    return 1;
}
int lumo_heightwheel(int up)
{
    if (projection.kind != PROJECTION_LANDSCAPE)
        return 0;
    heightwheel(&projection, up);
    return 1;
}
int lumo_spherehome()
{
    if (projection.kind != PROJECTION_SPHERE)
        return 0;
    projection.centerx = projection.centery = 0.0;
    projection.centerinfinite = 0;
    return 1;
}
/* The shortest text that reads back as x, as the Comment writes it. */
const char *lumo_number(double x)
{
    reply = exactnumber(x);
    return reply.c_str();
}

/* The browser's PNG of the picture with lumo's text chunks added; the
   result's length is lumo_pngsize(), 0 when png was not a PNG. */
unsigned char *lumo_png(const unsigned char *png, int size, const char *filename)
{
    std::string comment = reproducecommand(formula == 30 ? customtext() : nullptr, stripshown) +
                          reproduceoutput(filename, 0);
    const PNGTEXT texts[2] = {{"Software", "Lumo Domain Coloring"}, {"Comment", comment.c_str()}};
    if (!pngaddchunks(png, (size_t)size, texts, 2, &pngbytes))
        pngbytes.clear();
    return pngbytes.data();
}
int lumo_pngsize() { return (int)pngbytes.size(); }

}
