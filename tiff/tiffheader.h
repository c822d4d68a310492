/*
 * tiffheader.h - the fixed 180 bytes in front of the image data: header,
 * the 12 directory entries and the values they point at.
 */
#ifndef LUMO_TIFFHEADER_H
#define LUMO_TIFFHEADER_H

enum { TIFF_HEADERBYTES = 180 };

/* Fills block with the header and directory of a width x height RGB image
   in one strip of rawbytes bytes with the given compression code. */
void maketiffheader(unsigned char block[TIFF_HEADERBYTES], int width, int height,
                    int compression, unsigned int rawbytes);

#endif
