/*
 * pngencoder_none.cpp - pngencoder.h for builds without libpng (the
 * Windows console lumo.exe): lumo refuses a PNG file or a figure before it
 * renders, with the reason, so the encoder is never reached.
 */
#include "cli/pngencoder.h"

int encodepng(int, int, PNGROW, void *, const PNGTEXT *, int, PNGWRITE, void *, bool)
{
    return PNG_NOMEMORY;
}
