/*
 * figurelayout.h - one figure, as a list of what is drawn where: the
 * picture in a frame, ticks at 1-2-5 steps with their labels, the axis
 * titles, a title and the colour key.  Every format (SVG here in the core,
 * PDF and PNG through cairo in lumo) and every front end draws this list
 * and nothing else, so they cannot differ in what they show.
 *
 * Units are the picture's pixels: the picture is drawn 1:1 at a whole
 * position.  y grows downward; text is placed by its baseline.
 */
#ifndef LUMO_FIGURELAYOUT_H
#define LUMO_FIGURELAYOUT_H

#include <string>
#include <vector>

#include "render/figurekey.h"

enum FIGKIND {
    FIG_LINE,       /* (x, y) to (x2, y2), stroked `stroke` wide */
    FIG_RECT,       /* x, y, w, h: outlined `stroke` wide, or filled when stroke is 0 */
    FIG_TEXT,       /* text at (x, y), anchored by `anchor`; vertical reads upward */
    FIG_PICTURE,    /* the picture, w x h at (x, y) */
    FIG_RASTER      /* rasters[raster] at (x, y), 1:1 */
};

enum FIGANCHOR { ANCHOR_START, ANCHOR_MIDDLE, ANCHOR_END };

struct FIGITEM {
    FIGKIND kind;
    const char *group;      /* what the item belongs to: "xticks", "phasekey", ... */
    double x, y, w, h;      /* a line's second end is (x + w, y + h) */
    double stroke;
    unsigned int colour;    /* 0xRRGGBB */
    std::string text;       /* UTF-8 */
    double size;            /* font size */
    FIGANCHOR anchor;
    bool vertical;
    bool bold;
    int raster;
};

struct FIGURE {
    double width, height;
    std::vector<FIGITEM> items;
    std::vector<FIGRASTER> rasters;
};

/* What a figure shows: the picture's size and view (columns 0 and
   width - 1 lie on xmin and xmax, rows 0 and height - 1 on ymax and ymin),
   its title, and the formula whose colour settings the key shows. */
struct FIGSETUP {
    int width, height;
    double xmin, xmax, ymin, ymax;
    std::string title;
    int formula;
};

/* The font every format draws the text with. */
extern const char *const FIGFONT;

FIGURE layfigure(const FIGSETUP &setup);

/* The title of the current picture: formula 30's typed text after "w = "
   with its parameters' values ("w = z^2+c,  c = 0.25"), or the formula's
   label. */
std::string figuretitle(const char *typedtext);

/* The current formula's figure of the current settings. */
FIGSETUP currentfigure(const char *typedtext);

/* Text as every format can take it: valid UTF-8 (a byte that starts no
   valid sequence becomes U+FFFD, as XML and cairo refuse such text), and
   control characters, which XML forbids, become spaces.  The layout's
   texts are so; a front end passes its own (a description) through it. */
std::string validtext(const std::string &text);

/* The picture as RGB rows, read from the surface's top-left width x
   height pixels. */
FIGRASTER surfacepicture(int width, int height);

#endif
