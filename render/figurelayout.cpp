/*
 * figurelayout.cpp - see figurelayout.h.
 *
 * The front ends measure no text: widths are estimated at 0.62 of the font
 * size a character (DejaVu Sans' digits are 0.636 em wide, most letters
 * less), enough to keep labels out of each other's way; each format then
 * places its text by the anchor, so the estimate never shifts a label off
 * its tick.  Ticks point outward and the frame lies just outside the
 * picture, so nothing is drawn over a pixel of it.
 */
#include "render/figurelayout.h"

#include <algorithm>
#include <cmath>

#include "common/platform.h"
#include "expr/expr.h"
#include "formulas/formulas.h"
#include "render/figureticks.h"
#include "render/reproduce.h"
#include "render/settings.h"

const char *const FIGFONT = "DejaVu Sans";

namespace {

const double LABEL = 13.0;      /* tick labels, axis and key titles */
const double TITLE = 16.0;
const double TICK = 5.0;
const double CHAR = 0.62;       /* estimated width of a character, in font sizes */
const int BARWIDTH = 18;

double textwidth(const std::string &text, double size)
{
    return labelchars(text) * CHAR * size;
}

struct BUILDER {
    FIGURE fig;
    const char *group = "";

    void line(double x1, double y1, double x2, double y2, double stroke = 1.0)
    {
        FIGITEM it = {FIG_LINE, group, x1, y1, x2 - x1, y2 - y1, stroke, 0x000000, "", 0, ANCHOR_START,
                      false, false, -1};
        fig.items.push_back(it);
    }
    void rect(double x, double y, double w, double h, double stroke, unsigned int colour)
    {
        FIGITEM it = {FIG_RECT, group, x, y, w, h, stroke, colour, "", 0, ANCHOR_START, false, false, -1};
        fig.items.push_back(it);
    }
    void text(double x, double y, const std::string &t, double size, FIGANCHOR anchor,
              bool vertical = false, bool bold = false)
    {
        FIGITEM it = {FIG_TEXT, group, x, y, 0, 0, 0, 0x000000, t, size, anchor, vertical, bold, -1};
        fig.items.push_back(it);
    }
    void raster(double x, double y, FIGRASTER r)
    {
        FIGITEM it = {FIG_RASTER, group, x, y, (double)r.width, (double)r.height, 0, 0, "", 0,
                      ANCHOR_START, false, false, (int)fig.rasters.size()};
        fig.items.push_back(it);
        fig.rasters.push_back(std::move(r));
    }
};

/* The key's column, from (x, top); returns its width and bottom. */
void laykey(BUILDER &b, int f, double x, double top, double *width, double *bottom)
{
    double y = top;
    double right = x;
    if (keyshowsphase(f)) {
        b.group = "phasekey";
        double side = textwidth("\xc2\xb1\xcf\x80", LABEL) + TICK + 4.0;
        double cx = x + side + RINGDIAMETER / 2.0, d = RINGDIAMETER;
        b.text(cx, y + LABEL, "arg w", LABEL, ANCHOR_MIDDLE, false, true);
        double ringtop = y + LABEL + 8.0 + LABEL + TICK + 2.0;
        double cy = ringtop + d / 2.0;
        b.raster(cx - d / 2.0, ringtop, phasering(f));
        double r = RINGOUTER;
        b.line(cx + r, cy, cx + r + TICK, cy);
        b.line(cx - r, cy, cx - r - TICK, cy);
        b.line(cx, cy - r, cx, cy - r - TICK);
        b.line(cx, cy + r, cx, cy + r + TICK);
        b.text(cx + r + TICK + 3.0, cy + 0.35 * LABEL, "0", LABEL, ANCHOR_START);
        b.text(cx - r - TICK - 3.0, cy + 0.35 * LABEL, "\xc2\xb1\xcf\x80", LABEL, ANCHOR_END);
        b.text(cx, cy - r - TICK - 3.0, "\xcf\x80/2", LABEL, ANCHOR_MIDDLE);
        b.text(cx, cy + r + TICK + 3.0 + LABEL, "\xe2\x88\x92\xcf\x80/2", LABEL, ANCHOR_MIDDLE);
        right = std::max(right, cx + r + TICK + 3.0 + textwidth("0", LABEL));
        y = cy + r + TICK + 3.0 + LABEL + 18.0;
    }

    b.group = "moduluskey";
    b.text(x, y + LABEL, "|w|", LABEL, ANCHOR_START, false, true);
    double bartop = y + LABEL + 10.0;
    MODULUSKEY key = moduluskey(f, BARWIDTH);
    double barx = x + 4.0;
    b.rect(barx - 0.5, bartop - 0.5, BARWIDTH + 1.0, key.bar.height + 1.0, 1.0, 0x000000);
    for (const KEYTICK &t : key.ticks) {
        double ty = bartop + t.position;
        b.line(barx + BARWIDTH + 0.5, ty, barx + BARWIDTH + 0.5 + TICK, ty);
        b.text(barx + BARWIDTH + TICK + 4.0, ty + 0.35 * LABEL, t.label, LABEL, ANCHOR_START);
        right = std::max(right, barx + BARWIDTH + TICK + 4.0 + textwidth(t.label, LABEL));
    }
    double barheight = key.bar.height;
    b.raster(barx, bartop, std::move(key.bar));
    y = bartop + barheight + 8.0;

    b.group = "grids";
    for (const std::string &note : gridnotes(f)) {
        y += LABEL + 4.0;
        b.text(x, y, note, LABEL, ANCHOR_START);
        right = std::max(right, x + textwidth(note, LABEL));
    }
    *width = right - x;
    *bottom = y;
}

/* A title that fits in `room` units, cut with an ellipsis. */
std::string fitted(const std::string &title, double room)
{
    int most = (int)(room / (CHAR * TITLE));
    if (labelchars(title) <= most || most < 2)
        return title;
    std::string cut;
    int n = 0;
    for (size_t k = 0; k < title.size(); k++) {
        bool starts = ((unsigned char)title[k] & 0xc0) != 0x80;
        if (starts && ++n > most - 1)
            break;
        cut += title[k];
    }
    return cut + "\xe2\x80\xa6";
}

}   // namespace

FIGURE layfigure(const FIGSETUP &s)
{
    BUILDER b;
    const double W = s.width, H = s.height;
    const double dx = (s.xmax - s.xmin) / (s.width - 1), dy = (s.ymax - s.ymin) / (s.height - 1);

    /* The y labels set the left margin; the x ones only need room below. */
    TICKSTEP ystep = choosestep(s.ymin, s.ymax, H, 3.0 * LABEL, 0.0, false);
    std::vector<FIGTICK> yticks = ticksat(ystep, s.ymin, s.ymax);
    double ylabels = 0.0;
    for (const FIGTICK &t : yticks)
        ylabels = std::max(ylabels, textwidth(t.label, LABEL));
    const double L = std::floor(10.0 + LABEL + 8.0 + ylabels + 4.0 + TICK + 1.0);
    const double T = std::floor(8.0 + TITLE + 14.0);

    b.group = "picture";
    FIGITEM pic = {FIG_PICTURE, b.group, L, T, W, H, 0, 0, "", 0, ANCHOR_START, false, false, -1};
    b.fig.items.push_back(pic);
    b.group = "frame";
    b.rect(L - 0.5, T - 0.5, W + 1.0, H + 1.0, 1.0, 0x000000);

    b.group = "xticks";
    TICKSTEP xstep = choosestep(s.xmin, s.xmax, W, 2.0 * LABEL, CHAR * LABEL, true);
    for (const FIGTICK &t : ticksat(xstep, s.xmin, s.xmax)) {
        double px = L + 0.5 + (t.value - s.xmin) / dx;
        b.line(px, T + H + 0.5, px, T + H + 0.5 + TICK);
        b.text(px, T + H + TICK + 3.0 + LABEL, t.label, LABEL, ANCHOR_MIDDLE);
    }
    b.group = "yticks";
    for (const FIGTICK &t : yticks) {
        double py = T + 0.5 + (s.ymax - t.value) / dy;
        b.line(L - 0.5, py, L - 0.5 - TICK, py);
        b.text(L - TICK - 4.0, py + 0.35 * LABEL, t.label, LABEL, ANCHOR_END);
    }
    b.group = "axistitles";
    double below = T + H + TICK + 3.0 + LABEL + 8.0 + LABEL;
    b.text(L + W / 2.0, below, "Re z", LABEL, ANCHOR_MIDDLE);
    b.text(10.0 + LABEL, T + H / 2.0, "Im z", LABEL, ANCHOR_MIDDLE, true);

    double keywidth, keybottom;
    laykey(b, s.formula, L + W + 28.0, T, &keywidth, &keybottom);
    b.fig.width = std::ceil(L + W + 28.0 + keywidth + 12.0);
    b.fig.height = std::ceil(std::max(below + 10.0, keybottom + 10.0));

    b.group = "title";
    b.text(L, 8.0 + TITLE, fitted(validtext(s.title), b.fig.width - L - 10.0), TITLE, ANCHOR_START,
           false, true);
    return b.fig;
}

std::string figuretitle(const char *typedtext)
{
    if (formula != 30 || typedtext == nullptr)
        return formulalabel[formula];
    /* A picture of a family is one member: the title says which. */
    std::string title = std::string("w = ") + typedtext;
    const EXPRPARAMS &values = customparams();
    for (int k = 0; k < values.count; k++)
        title += std::string(k == 0 ? ",  " : ", ") + customparamname(k) + " = " + exactvalue(values.value[k]);
    return title;
}

FIGSETUP currentfigure(const char *typedtext)
{
    const int f = formula;
    return {xres, yres, xmin[f], xmax[f], ymin[f], ymax[f], figuretitle(typedtext), f};
}

FIGRASTER surfacepicture(int width, int height)
{
    FIGRASTER p;
    p.width = width;
    p.height = height;
    p.rgb.resize((size_t)width * height * 3);
    for (int y = 0; y < height; y++)
        surface_getrow(y, width, &p.rgb[(size_t)y * width * 3]);
    return p;
}

std::string validtext(const std::string &text)
{
    std::string out;
    size_t k = 0;
    while (k < text.size()) {
        unsigned char c = (unsigned char)text[k];
        int n = c < 0x80 ? 1 : (c & 0xe0) == 0xc0 ? 2 : (c & 0xf0) == 0xe0 ? 3
              : (c & 0xf8) == 0xf0 ? 4 : 0;
        unsigned long code = n == 1 ? c : n == 2 ? (c & 0x1fu) : n == 3 ? (c & 0x0fu) : (c & 0x07u);
        bool ok = n > 0 && k + n <= text.size();
        for (int m = 1; ok && m < n; m++) {
            unsigned char d = (unsigned char)text[k + m];
            ok = (d & 0xc0) == 0x80;
            code = code << 6 | (d & 0x3fu);
        }
        /* No overlong forms, surrogates, or values past U+10FFFF; U+FFFE
           and U+FFFF are not XML characters. */
        static const unsigned long least[5] = {0, 0, 0x80, 0x800, 0x10000};
        ok = ok && code >= least[n] && !(code >= 0xd800 && code <= 0xdfff) && code <= 0x10ffff &&
             code != 0xfffe && code != 0xffff;
        if (!ok) {
            out += "\xef\xbf\xbd";
            k++;
        } else if (code < 0x20 || code == 0x7f) {
            out += ' ';
            k++;
        } else {
            out.append(text, k, (size_t)n);
            k += (size_t)n;
        }
    }
    return out;
}
