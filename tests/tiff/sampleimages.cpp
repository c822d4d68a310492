/*
 * sampleimages.cpp - synthetic pictures for the TIFF tests and benchmark.
 */
#include "sampleimages.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "formulas/formulas.h"
#include "headless/headless.h"
#include "render/driver.h"
#include "render/settings.h"

int samplekind(const char *name)
{
    static const char *const names[] = {"black", "smooth", "noise", "palette", "distinct"};
    for (int k = 0; k < 5; k++)
        if (std::strcmp(name, names[k]) == 0)
            return k;
    return -1;
}

/* The concatenation of the words "a" and "a b" for b > a, a = 0..255, in
   order, is a cyclic sequence holding every pair of bytes once. */
unsigned char distinctbyte(size_t k)
{
    k %= 65536;
    for (unsigned int a = 0; a < 256; a++) {
        size_t words = 1 + 2 * (255 - a);
        if (k < words) {
            if (k == 0)
                return (unsigned char)a;
            return (unsigned char)((k - 1) % 2 == 0 ? a : a + 1 + (k - 1) / 2);
        }
        k -= words;
    }
    return 0;
}

/* A small fixed-seed generator, so the pictures are the same everywhere. */
static uint32_t nextrandom(uint32_t *state)
{
    *state = *state * 1664525u + 1013904223u;
    return *state >> 8;
}

/* Hue from the phase, brightness from the fractional part of log2 |w|. */
static void smoothpixel(double x, double y, unsigned char *p)
{
    double zr = x * x - y * y, zi = 2 * x * y;        /* z^2 */
    double nr = zr - 1, ni = zi;                      /* z^2 - 1 */
    double dr = zr, di = zi + 2;                      /* z^2 + 2i */
    double d = dr * dr + di * di;
    double wr = (nr * dr + ni * di) / d, wi = (ni * dr - nr * di) / d;
    double phase = std::atan2(wi, wr) / (2 * 3.14159265358979323846) + 0.5;
    double band = std::log2(std::hypot(wr, wi) + 1e-300);
    double v = 0.6 + 0.4 * (band - std::floor(band));
    for (int c = 0; c < 3; c++) {
        double h = std::fabs(std::fmod(phase * 6 + 4 - 2 * c, 6.0) - 3) - 1;
        h = h < 0 ? 0 : h > 1 ? 1 : h;
        /* At the pole (z^2 = -2i) w is not a number: black there. */
        double level = 255 * v * h;
        p[c] = level > 0 ? (unsigned char)level : 0;
    }
}

int makesample(int kind, int width, int height)
{
    if (headless_createsurface(width, height) != 0)
        return 1;
    unsigned char *p = headless_pixels();
    size_t bytes = (size_t)width * height * 3;
    uint32_t state = 12345;
    switch (kind) {
    case SAMPLE_SMOOTH:
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
                smoothpixel(-2.5 + 5.0 * x / width, 2.5 - 5.0 * y / height,
                            p + ((size_t)y * width + x) * 3);
        break;
    case SAMPLE_NOISE:
        for (size_t k = 0; k < bytes; k++)
            p[k] = (unsigned char)nextrandom(&state);
        break;
    case SAMPLE_PALETTE: {
        static const unsigned char colors[4][3] = {{0, 0, 0}, {255, 0, 0}, {0, 128, 255}, {255, 255, 255}};
        for (size_t k = 0; k < bytes; k += 3)
            std::memcpy(p + k, colors[nextrandom(&state) % 4], 3);
        break;
    }
    case SAMPLE_DISTINCT:
        for (size_t k = 0; k < bytes; k++)
            p[k] = k == 0 ? 0 : distinctbyte(k - 1);
        break;
    default:
        break;
    }
    return 0;
}

int makeformula(int f, int width, int height, int graph)
{
    initsettings();
    fillfactorial();
    formula = f;
    InitFormula(f);
    xres = width;
    yres = height;
    graphflag = graph;
    if (headless_createsurface(graph ? 1300 : width, height) != 0)
        return 1;
    j = 0;
    okrender = 1;
    while (okrender)
        driver();
    return 0;
}
