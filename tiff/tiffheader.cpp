/*
 * tiffheader.cpp - the fixed header and image file directory.
 *
 * Layout, all little-endian:
 *     0  header "II", 42, offset of the directory (8)
 *     8  number of entries (12), then the 12 entries of 12 bytes
 *   154  offset of the next directory: 0, there is none
 *   158  BitsPerSample values 8, 8, 8
 *   164  XResolution 300 / 1
 *   172  YResolution 300 / 1
 *   180  the image data, one strip
 * The StripByteCounts value lies at 114; the LZW encoder patches it once
 * the compressed length is known.
 */
#include "tiff/tiffheader.h"

#include <cstdint>

#include "tiff/TIFFSAVE_No_Metadata_VC.h"

enum { SHORT = 3, LONG = 4, RATIONAL = 5 };
enum { NENTRIES = 12, BITSPERSAMPLE_AT = 158, XRESOLUTION_AT = 164, YRESOLUTION_AT = 172 };

static void put16(unsigned char *p, uint16_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
}

static void put32(unsigned char *p, uint32_t v)
{
    put16(p, (uint16_t)v);
    put16(p + 2, (uint16_t)(v >> 16));
}

/* Lays the records out byte by byte, so the file does not depend on how
   the compiler pads or orders them in memory. */
void maketiffheader(unsigned char block[TIFF_HEADERBYTES], int width, int height,
                    int compression, unsigned int rawbytes)
{
    const TIFFHEADER header = {0x4949, 42, 8};
    const TIFFTAG tags[NENTRIES] = {
        {256, SHORT, 1, (uint32_t)width},               /* ImageWidth */
        {257, SHORT, 1, (uint32_t)height},              /* ImageLength */
        {258, SHORT, 3, BITSPERSAMPLE_AT},              /* BitsPerSample */
        {259, SHORT, 1, (uint32_t)compression},         /* Compression */
        {262, SHORT, 1, 2},                             /* PhotometricInterpretation: RGB */
        {273, LONG, 1, TIFF_STRIPOFFSET},               /* StripOffsets */
        {277, SHORT, 1, 3},                             /* SamplesPerPixel */
        {278, SHORT, 1, (uint32_t)height},              /* RowsPerStrip */
        {279, LONG, 1, rawbytes},                       /* StripByteCounts */
        {282, RATIONAL, 1, XRESOLUTION_AT},             /* XResolution */
        {283, RATIONAL, 1, YRESOLUTION_AT},             /* YResolution */
        {296, SHORT, 1, 2},                             /* ResolutionUnit: inch */
    };

    unsigned char *p = block;
    put16(p, header.order);
    put16(p + 2, header.identifier);
    put32(p + 4, header.offset);
    put16(p + 8, NENTRIES);
    p += 10;
    for (const TIFFTAG &tag : tags) {
        put16(p, tag.id);
        put16(p + 2, tag.datatype);
        put32(p + 4, tag.datacount);
        put32(p + 8, tag.value);   /* a SHORT lands in the first two bytes */
        p += 12;
    }
    put32(p, 0);
    put16(block + BITSPERSAMPLE_AT, 8);
    put16(block + BITSPERSAMPLE_AT + 2, 8);
    put16(block + BITSPERSAMPLE_AT + 4, 8);
    put32(block + XRESOLUTION_AT, 300);
    put32(block + XRESOLUTION_AT + 4, 1);
    put32(block + YRESOLUTION_AT, 300);
    put32(block + YRESOLUTION_AT + 4, 1);
}
