/*
 * wheels.cpp - the OKLab colour maps (see wheels.h).
 *
 * Colours are made in OKLab (L lightness 0..1, a green-red, b blue-yellow),
 * turned into linear sRGB with the published matrices, and encoded to bytes
 * rounded to nearest.  Every colour a map makes lies inside the sRGB gamut,
 * so nothing is clipped and equal steps in OKLab stay equal on screen.
 * Scaling L, a and b together by k scales linear light by k^3, so darkening
 * a colour that way keeps it inside the gamut and keeps its hue.
 *
 * The trigonometry, logarithm and roots come from steadymath, so the bytes
 * are the same on every build.
 */
#include "render/wheels.h"

#include <cmath>

#include "render/settings.h"
#include "render/steadymath.h"

namespace {

struct Lab {
    double L, a, b;
};

/* OKLCh hue of pure sRGB red, in degrees: phase 0 is red, and the wheel
   runs through yellow, green and blue as the phase grows. */
const double REDHUE = 29.233885192342633;

/* The largest chroma that every hue can have at lightness L inside sRGB,
   with a little room: the blue hues bound it below the cusp (chroma about
   0.17 L), the cyan ones above it (about 0.47 (1 - L)). */
double widestchroma(double L)
{
    double dark = 0.16 * L, light = 0.45 * (1.0 - L);
    return dark < light ? dark : light;
}

int tobyte(double encoded)
{
    if (!(encoded > 0.0))
        return 0;
    if (encoded >= 1.0)
        return 255;
    return (int)(encoded * 255.0 + 0.5);
}

void labtorgb(Lab c, int *r, int *g, int *b)
{
    double l = c.L + 0.3963377774 * c.a + 0.2158037573 * c.b;
    double m = c.L - 0.1055613458 * c.a - 0.0638541728 * c.b;
    double s = c.L - 0.0894841775 * c.a - 1.2914855480 * c.b;
    l = l * l * l;
    m = m * m * m;
    s = s * s * s;
    double lr = 4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s;
    double lg = -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s;
    double lb = -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s;
    *r = tobyte(steady_srgbencode(lr));
    *g = tobyte(steady_srgbencode(lg));
    *b = tobyte(steady_srgbencode(lb));
}

/* The uniform wheel at lightness L: constant chroma, hue = phase + red. */
Lab uniformwheel(double L, double hue)
{
    double s, c;
    steady_sincosdeg(hue + REDHUE, &s, &c);
    double chroma = widestchroma(L);
    return {L, chroma * c, chroma * s};
}

/* A sawtooth from lo up to 1 over each doubling of |w|: lo at every power
   of two, so the steps draw the level lines |w| = 2^k.  A zero is lo, an
   infinite |w| is 1. */
double modulussawtooth(double modulus, double lo)
{
    if (!(modulus > 0.0))
        return lo;
    if (modulus > 1.7976931348623157e308)
        return 1.0;
    return lo + (1.0 - lo) * steady_log2fraction(modulus);
}

/* Map 7: modulus as lightness |w| / (|w| + s), zeros black, poles white;
   the brightness level moves the mid-grey modulus s to 2, 1 or 1/2. */
Lab perceptual(int level, double modulus, double hue)
{
    static const double midgrey[3] = {2.0, 1.0, 0.5};
    double L = 1.0;
    if (modulus <= 1.7976931348623157e308)
        L = modulus / (modulus + midgrey[level - 1]);
    return uniformwheel(L, hue);
}

/* Map 8: blue - white - yellow - black around the turn (yellow at phase 0,
   black at 90, blue at 180, white at 270): lightness and the blue-yellow
   axis only, which protanopes and deuteranopes see as well as anyone.
   The blue-yellow excursion is capped inside the gamut of each side.  The
   modulus shades the colour by a mild sawtooth over each doubling, whose
   depth the brightness level sets (down to 0.7, 0.8 or 0.9). */
Lab colourblindsafe(int level, double modulus, double hue)
{
    static const double depth[3] = {0.7, 0.8, 0.9};
    double s, c;
    steady_sincosdeg(hue, &s, &c);
    double L = 0.57 + 0.17 * c - 0.33 * s;
    double yb = 0.14 * c;
    if (yb > 0.0) {
        yb = std::fmin(yb, 0.19 * L);
        yb = std::fmin(yb, 1.2 * (1.0 - L));
    } else {
        yb = std::fmax(yb, -0.6 * L);
        yb = std::fmax(yb, -0.45 * (1.0 - L));
    }
    double k = modulussawtooth(modulus, depth[level - 1]);
    return {k * L, 0.0, k * yb};
}

/* Map 9: the uniform wheel at the lightness of its widest chroma, darkened
   by a sawtooth of log2 |w| (edges at |w| = 2^k) and one of the phase
   (edges every 30 degrees); each goes down to 0.6, 0.7 or 0.8 with the
   brightness level. */
Lab enhanced(int level, double modulus, double hue)
{
    static const double depth[3] = {0.6, 0.7, 0.8};
    double lo = depth[level - 1];
    double sector = hue / 30.0;
    double k = modulussawtooth(modulus, lo) * (lo + (1.0 - lo) * (sector - std::floor(sector)));
    Lab c = uniformwheel(0.74, hue);
    return {k * c.L, k * c.a, k * c.b};
}

}   // namespace

int brightnesslevel(double v)
{
    if (v < 0.25)
        return 3;
    return v < 0.75 ? 2 : 1;
}

void wheelcolor(int map, int level, double modulus, double hue, int *r, int *g, int *b)
{
    Lab c;
    if (map == GRADIENT_PERCEPTUAL)
        c = perceptual(level, modulus, hue);
    else if (map == GRADIENT_CBSAFE)
        c = colourblindsafe(level, modulus, hue);
    else
        c = enhanced(level, modulus, hue);
    labtorgb(c, r, g, b);
}
