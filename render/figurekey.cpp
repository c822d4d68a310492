/*
 * figurekey.cpp - see figurekey.h.
 *
 * The modulus bar runs over a position u, the map's own scale: log2 |w|
 * for the maps that step at every doubling, the bracket among 0, 1, e,
 * e^2, ... for the 3-D map's ridges, the Absolute Value maps' logarithmic
 * scale up to their limit, and |w| / (|w| + s) for the maps that rise
 * from 0 toward infinity.  Each unit of u spans a whole number of rows and
 * the ticks lie at whole units, so the row of a tick has exactly the
 * tick's |w|.
 */
#include "render/figurekey.h"

#include <cmath>
#include <cstdio>

#include "common/complex.h"
#include "render/renderjob.h"
#include "render/settings.h"
#include "render/wheels.h"

namespace {

/* The renderer's colours of n values of w, as bytes: the map alone, as
   the grids are named beside the key rather than drawn on it (on the bar,
   w = r > 0 would lie all along the phase grid's line at 0).  The flags
   are put back at once; no render runs while a figure is made. */
void colourvalues(int f, const std::vector<double> &wx, const std::vector<double> &wy,
                  unsigned char *rgb)
{
    int phase = phasegridflag[f], square = squaregridflag[f];
    phasegridflag[f] = squaregridflag[f] = 0;
    RENDERSETTINGS s = rendersettings();
    s.formula = f;
    s.xres = (int)wx.size();
    std::vector<int> result(wx.size(), 0);
    std::vector<unsigned int> colours(wx.size());
    double rowmax;
    colourrow(&s, wx.data(), wy.data(), result.data(), colours.data(), &rowmax);
    phasegridflag[f] = phase;
    squaregridflag[f] = square;
    for (size_t k = 0; k < colours.size(); k++) {
        rgb[3 * k] = (unsigned char)colours[k];
        rgb[3 * k + 1] = (unsigned char)(colours[k] >> 8);
        rgb[3 * k + 2] = (unsigned char)(colours[k] >> 16);
    }
}

/* A scale: u from low to high, `perunit` rows a unit, |w| of each u. */
struct SCALE {
    double low, high;
    int perunit;
    double (*modulus)(double u, int f);
    std::vector<KEYTICK> ticks;      /* position holds u until placed */
};

double doubling(double u, int)
{
    return u == std::floor(u) ? std::ldexp(1.0, (int)u) : std::exp2(u);
}

/* The ridges' brackets, made by the map's own multiplications. */
double bracketmodulus(double u, int)
{
    int b = (int)std::floor(u);
    double lo = 0.0, hi = 1.0;
    for (int k = 0; k < b; k++) {
        lo = hi;
        hi = hi * 2.718281828459045;
    }
    return lo + (u - b) * (hi - lo);
}

double abslimitmodulus(double u, int f)
{
    if (u >= 1.0)
        return abslimitimage[f];
    return std::exp(u * std::log(abslimitimage[f] + 1.0)) - 1.0;
}

/* |w| / (|w| + s) = u: s is 2, 1, 1/2 at the perceptual map's levels 1..3
   and 1 for the continuous value. */
double halfway(int f)
{
    if (gradient[f] != GRADIENT_PERCEPTUAL)
        return 1.0;
    int level = brightnesslevel(V[f]);
    return level == 1 ? 2.0 : level == 2 ? 1.0 : 0.5;
}

double towardinfinity(double u, int f)
{
    return halfway(f) * u / (1.0 - u);
}

std::string shortnumber(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", x);
    return text;
}

SCALE scalefor(int f)
{
    switch (gradient[f]) {
    case GRADIENT_MODULAR:
    case GRADIENT_BOTH:
    case GRADIENT_CBSAFE:
    case GRADIENT_ENHANCED: {
        SCALE s = {-4.0, 4.0, 24, doubling, {}};
        static const char *const names[9] = {"1/16", "1/8", "1/4", "1/2", "1", "2", "4", "8", "16"};
        for (int k = -4; k <= 4; k++)
            s.ticks.push_back({std::ldexp(1.0, k), (double)k, names[k + 4]});
        return s;
    }
    case GRADIENT_3D: {
        SCALE s = {0.0, 4.0, 48, bracketmodulus, {}};
        static const char *const names[5] = {"0", "1", "e", "e\xc2\xb2", "e\xc2\xb3"};
        for (int k = 0; k <= 4; k++)
            s.ticks.push_back({bracketmodulus(k, f), (double)k, names[k]});
        return s;
    }
    case GRADIENT_ABSGREY:
    case GRADIENT_ABSCOLOR: {
        SCALE s = {0.0, 1.0, 192, abslimitmodulus, {}};
        s.ticks.push_back({0.0, 0.0, "0"});
        s.ticks.push_back({abslimitimage[f], 1.0, shortnumber(abslimitimage[f])});
        return s;
    }
    default: {
        SCALE s = {0.0, 1.0, 192, towardinfinity, {}};
        double h = halfway(f);
        s.ticks.push_back({0.0, 0.0, "0"});
        s.ticks.push_back({h, 0.5, h == 0.5 ? "1/2" : shortnumber(h)});
        s.ticks.push_back({INFINITY, 1.0, "\xe2\x88\x9e"});
        return s;
    }
    }
}

}   // namespace

bool keyshowsphase(int f)
{
    return gradient[f] != GRADIENT_ABSGREY && gradient[f] != GRADIENT_ABSCOLOR;
}

FIGRASTER phasering(int f)
{
    FIGRASTER ring;
    ring.width = ring.height = RINGDIAMETER;
    ring.rgb.assign((size_t)RINGDIAMETER * RINGDIAMETER * 3, 255);
    const int c = RINGDIAMETER / 2;
    std::vector<double> wx, wy;
    std::vector<size_t> where;
    for (int j = 0; j < RINGDIAMETER; j++) {
        for (int i = 0; i < RINGDIAMETER; i++) {
            complex z = {(double)(i - c), (double)(c - j)};
            double r = abs(z);
            if (r < RINGINNER || r > RINGOUTER)
                continue;
            wx.push_back(z.re / r * RINGMODULUS);
            wy.push_back(z.im / r * RINGMODULUS);
            where.push_back((size_t)j * RINGDIAMETER + i);
        }
    }
    std::vector<unsigned char> rgb(wx.size() * 3);
    colourvalues(f, wx, wy, rgb.data());
    for (size_t k = 0; k < where.size(); k++) {
        for (int b = 0; b < 3; b++)
            ring.rgb[3 * where[k] + b] = rgb[3 * k + b];
    }
    return ring;
}

MODULUSKEY moduluskey(int f, int width)
{
    SCALE s = scalefor(f);
    int rows = (int)((s.high - s.low) * s.perunit) + 1;
    std::vector<double> wx((size_t)rows), wy((size_t)rows, 0.0);
    for (int j = 0; j < rows; j++)
        wx[(size_t)j] = s.modulus(s.high - (double)j / s.perunit, f);
    std::vector<unsigned char> column((size_t)rows * 3);
    colourvalues(f, wx, wy, column.data());

    MODULUSKEY key;
    key.bar.width = width;
    key.bar.height = rows;
    key.bar.rgb.resize((size_t)width * rows * 3);
    for (int j = 0; j < rows; j++) {
        for (int i = 0; i < width; i++) {
            for (int b = 0; b < 3; b++)
                key.bar.rgb[((size_t)j * width + i) * 3 + b] = column[(size_t)j * 3 + b];
        }
    }
    for (KEYTICK t : s.ticks) {
        t.position = (s.high - t.position) * s.perunit + 0.5;
        key.ticks.push_back(t);
    }
    return key;
}

std::vector<std::string> gridnotes(int f)
{
    std::vector<std::string> notes;
    if (phasegridflag[f] == 1)
        notes.push_back("phase grid: every 30\xc2\xb0 of arg w");
    if (squaregridflag[f] == 1) {
        notes.push_back("square grid: whole Re w, Im w");
        notes.push_back("  where |Re w|, |Im w| < " + std::to_string(GP));
    }
    return notes;
}
