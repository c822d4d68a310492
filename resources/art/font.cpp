/*
 * font.cpp - a 5 x 7 bitmap font with just the letters of the program's
 * title, for the splash picture.
 */
#include "art.h"

struct GLYPH {
    char c;
    const char *rows[7];
};

static const GLYPH glyphs[] = {
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'u', {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"}},
    {'m', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#...#", "#...#"}},
    {'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
    {'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
    {'l', {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."}},
    {'g', {".....", ".....", ".####", "#...#", ".####", "....#", ".###."}},
};

/* Glyph cell: 5 columns and one blank between letters. */
static const int ADVANCE = 6;

static const GLYPH *findglyph(char c)
{
    for (const GLYPH &g : glyphs)
        if (g.c == c)
            return &g;
    return nullptr;
}

int textwidth(const char *text, int scale)
{
    int n = 0;
    while (text[n] != '\0')
        n++;
    return n > 0 ? (n * ADVANCE - 1) * scale : 0;
}

int textheight(int scale)
{
    return 7 * scale;
}

static void putpixel(ARTIMAGE *image, int x, int y, int r, int g, int b)
{
    if (x < 0 || y < 0 || x >= image->width || y >= image->height)
        return;
    unsigned char *p = image->rgb + ((long)y * image->width + x) * 3;
    p[0] = (unsigned char)r;
    p[1] = (unsigned char)g;
    p[2] = (unsigned char)b;
}

void drawtext(ARTIMAGE *image, const char *text, int x, int y, int scale, int r, int g, int b)
{
    for (int k = 0; text[k] != '\0'; k++) {
        const GLYPH *glyph = findglyph(text[k]);
        if (glyph == nullptr)
            continue;
        int left = x + k * ADVANCE * scale;
        for (int row = 0; row < 7; row++)
            for (int col = 0; col < 5; col++)
                if (glyph->rows[row][col] == '#')
                    for (int dy = 0; dy < scale; dy++)
                        for (int dx = 0; dx < scale; dx++)
                            putpixel(image, left + col * scale + dx, y + row * scale + dy, r, g, b);
    }
}
