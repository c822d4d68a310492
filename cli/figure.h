/*
 * figure.h - `lumo figure` (and `lumo render --figure`): the rendered
 * picture saved as a figure (render/figurelayout.h) in SVG, PDF or PNG,
 * chosen by the file name's extension.
 */
#ifndef LUMO_CLI_FIGURE_H
#define LUMO_CLI_FIGURE_H

#include <string>

enum FIGFORMAT { FIGFORMAT_NONE, FIGFORMAT_SVG, FIGFORMAT_PDF, FIGFORMAT_PNG };

/* The format a file name asks for by its extension, in any case. */
FIGFORMAT figureformat(const char *path);

/* Why this build cannot write the format, or null when it can: SVG needs
   a PNG encoder (libpng), PDF and PNG need cairo. */
const char *figureunsupported(FIGFORMAT format);

/* How a figure is made: its title, the PDF's resolution (dots an inch, the
   picture's pixels to the PDF's inches) and the command that makes it
   again, which the file carries. */
struct FIGUREOPTIONS {
    std::string title;
    double dpi;
    std::string command;
};

/* Saves the current picture (the surface's top-left xres x yres pixels)
   with the current settings as a figure.  Returns 0, or the error (an
   errno value, see savesink_reason) with path left as it was. */
int savefigure(const char *path, FIGFORMAT format, const FIGUREOPTIONS &options);

#endif
