/*
 * art.h - pieces of the resource tool lumoart: a tiny bitmap font, the
 * writers of the Windows bitmap and icon files, and the writer of the
 * formula dialog's buttons.
 *
 * Images are plain 24-bit RGB buffers, 3 bytes a pixel, red first, rows
 * top to bottom, no padding.
 */
#ifndef LUMO_ART_H
#define LUMO_ART_H

struct ARTIMAGE {
    int width;
    int height;
    unsigned char *rgb;
};

/* Width in pixels of text drawn at the given scale. */
int textwidth(const char *text, int scale);
/* Draws text with its top-left corner at (x, y), each font pixel a
   scale x scale block of the colour (r, g, b).  Characters the font lacks
   are left blank. */
void drawtext(ARTIMAGE *image, const char *text, int x, int y, int scale,
              int r, int g, int b);
/* Height of a line of text at the given scale. */
int textheight(int scale);

/* Writes a bottom-up 24-bit BMP file, or an icon file holding one 24-bit
   image (opaque: its mask is all zero).  Return 0, or 1 on failure. */
int writebmp(const char *name, const ARTIMAGE *image);
int writeico(const char *name, const ARTIMAGE *image);

/* Writes the CONTROL lines of the formula dialog's 40 radio buttons.
   Returns 0, or 1 on failure. */
int writeformulabuttons(const char *name);

#endif
