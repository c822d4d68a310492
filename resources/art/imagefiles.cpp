/*
 * imagefiles.cpp - Windows bitmap (.bmp) and icon (.ico) files of a 24-bit
 * image, written byte by byte in little-endian order.
 */
#include "art.h"

#include <cstdio>
#include <vector>

static void put16(std::vector<unsigned char> &out, unsigned v)
{
    out.push_back((unsigned char)v);
    out.push_back((unsigned char)(v >> 8));
}

static void put32(std::vector<unsigned char> &out, unsigned long v)
{
    put16(out, (unsigned)(v & 0xffff));
    put16(out, (unsigned)((v >> 16) & 0xffff));
}

/* BITMAPINFOHEADER of a 24-bit image of the given height field. */
static void infoheader(std::vector<unsigned char> &out, const ARTIMAGE *image, int height,
                       unsigned long imagebytes)
{
    put32(out, 40);
    put32(out, (unsigned long)image->width);
    put32(out, (unsigned long)height);
    put16(out, 1);          /* planes */
    put16(out, 24);         /* bits per pixel */
    put32(out, 0);          /* BI_RGB */
    put32(out, imagebytes);
    put32(out, 2835);       /* 72 dots per inch */
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
}

/* The pixel rows bottom-up, blue-green-red, each padded to 4 bytes. */
static void pixelrows(std::vector<unsigned char> &out, const ARTIMAGE *image)
{
    int pad = (4 - (image->width * 3) % 4) % 4;
    for (int y = image->height - 1; y >= 0; y--) {
        const unsigned char *p = image->rgb + (long)y * image->width * 3;
        for (int x = 0; x < image->width; x++, p += 3) {
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (int k = 0; k < pad; k++)
            out.push_back(0);
    }
}

static unsigned long rowbytes(const ARTIMAGE *image)
{
    return (unsigned long)((image->width * 3 + 3) & ~3);
}

static int save(const char *name, const std::vector<unsigned char> &data)
{
    FILE *f = std::fopen(name, "wb");
    if (f == nullptr)
        return 1;
    int bad = std::fwrite(data.data(), 1, data.size(), f) != data.size();
    bad |= std::fclose(f) != 0;
    return bad;
}

int writebmp(const char *name, const ARTIMAGE *image)
{
    unsigned long imagebytes = rowbytes(image) * (unsigned long)image->height;
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 14 + 40 + imagebytes);
    put32(out, 0);
    put32(out, 14 + 40);
    infoheader(out, image, image->height, imagebytes);
    pixelrows(out, image);
    return save(name, out);
}

/* An icon image is a DIB of twice the height: the colour rows, then a
   1-bit AND mask (rows padded to 4 bytes) that is all zero. */
int writeico(const char *name, const ARTIMAGE *image)
{
    unsigned long colourbytes = rowbytes(image) * (unsigned long)image->height;
    unsigned long maskbytes = (unsigned long)(((image->width + 31) / 32) * 4 * image->height);
    unsigned long bytes = 40 + colourbytes + maskbytes;
    std::vector<unsigned char> out;
    put16(out, 0);          /* ICONDIR: reserved, type 1 (icon), one image */
    put16(out, 1);
    put16(out, 1);
    out.push_back((unsigned char)(image->width >= 256 ? 0 : image->width));
    out.push_back((unsigned char)(image->height >= 256 ? 0 : image->height));
    out.push_back(0);       /* no palette */
    out.push_back(0);
    put16(out, 1);          /* planes */
    put16(out, 24);         /* bits per pixel */
    put32(out, bytes);
    put32(out, 6 + 16);     /* the image follows the one directory entry */
    infoheader(out, image, image->height * 2, colourbytes + maskbytes);
    pixelrows(out, image);
    out.insert(out.end(), maskbytes, 0);
    return save(name, out);
}
