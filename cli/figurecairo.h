/*
 * figurecairo.h - a figure drawn by cairo: as a PDF (the text in DejaVu
 * Sans, found by fontconfig and embedded) or as a raster, 1 unit a pixel.
 */
#ifndef LUMO_FIGURECAIRO_H
#define LUMO_FIGURECAIRO_H

#include <string>

#include "render/figurelayout.h"

/* Whether this build has cairo. */
extern const int cairosupported;

/* Looks up the figures' font (fontconfig reads its configuration and
   caches, FreeType opens the file: a few milliseconds) on a thread of its
   own, while the picture renders, when wanted (a PDF or PNG figure).
   Drawing waits for it; so does the object's end, whatever path the
   command takes. */
class FIGUREFONTSAHEAD {
public:
    explicit FIGUREFONTSAHEAD(bool wanted);
    ~FIGUREFONTSAHEAD();
    FIGUREFONTSAHEAD(const FIGUREFONTSAHEAD &) = delete;
    FIGUREFONTSAHEAD &operator=(const FIGUREFONTSAHEAD &) = delete;
};

/* The PDF's bytes: a page of the figure's size at dpi units an inch, with
   the title and the command in its metadata.  False when cairo failed. */
bool figurepdf(const FIGURE &fig, const FIGRASTER &picture, double dpi, const std::string &title,
               const std::string &command, std::string *pdf);

/* The figure drawn into an RGB raster.  False when cairo failed. */
bool figureraster(const FIGURE &fig, const FIGRASTER &picture, FIGRASTER *out);

#endif
