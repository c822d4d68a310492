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

/* The PDF's bytes: a page of the figure's size at dpi units an inch, with
   the title and the command in its metadata.  False when cairo failed. */
bool figurepdf(const FIGURE &fig, const FIGRASTER &picture, double dpi, const std::string &title,
               const std::string &command, std::string *pdf);

/* The figure drawn into an RGB raster.  False when cairo failed. */
bool figureraster(const FIGURE &fig, const FIGRASTER &picture, FIGRASTER *out);

#endif
