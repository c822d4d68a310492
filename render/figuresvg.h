/*
 * figuresvg.h - a figure as SVG: the text as text in DejaVu Sans, the
 * frame, ticks and key outlines as vectors, the picture and the key's
 * rasters as PNG images inside the file (base64 data URIs), drawn 1:1 and
 * without smoothing.  The PNG encoder comes from the front end: libpng in
 * lumo, the Windows Imaging Component in the window program.
 */
#ifndef LUMO_FIGURESVG_H
#define LUMO_FIGURESVG_H

#include <string>

#include "render/figurelayout.h"

/* Encodes a raster as the bytes of a PNG file; false when it cannot. */
typedef bool (*FIGPNGENCODER)(const FIGRASTER &raster, std::string *png);

/* The SVG text of the figure with `picture` in its place and `desc` (the
   command that makes it again) as its description; false when an image
   could not be encoded. */
bool figuresvg(const FIGURE &fig, const FIGRASTER &picture, FIGPNGENCODER encode,
               const std::string &desc, std::string *svg);

/* Writes bytes to path through the save sink: the target is replaced whole
   or left as it was.  Returns 0 or the error (see savesink_reason). */
int savefigurebytes(const char *path, const std::string &bytes);

/* Base64 of bytes, as in a data URI. */
std::string base64(const std::string &bytes);

#endif
