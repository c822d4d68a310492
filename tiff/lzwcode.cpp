/*
 * lzwcode.cpp - packing LZW codes into the output buffer.
 *
 * Codes of 9 to 12 bits are packed most significant bit first into 16-bit
 * words.  Each word is stored with its high byte first, so the buffer read
 * as bytes is the bit stream itself (this assumes a little-endian machine,
 * like every target of the program).  Words are only ever OR-ed into, which
 * is why the buffer must start zero-filled.
 *
 * The table b says, for each code width and number of bits already used in
 * the current word, how to shift a code into that word and, when it does
 * not fit, into the next one.
 */
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

#include "common/platform.h"

BITS b[4][16];
uint16_t *codebuffer;
int64_t codewords;
int codeindex;
int64_t codebytes;
int64_t bytelimit;

/* Swaps the two bytes of a 16-bit value. */
uint16_t bigendian(uint16_t input)
{
    return (uint16_t)((input >> 8) | ((input & 0xff) << 8));
}

/* Fills the packing table: for width w = 9 + codebits and u bits used, the
   code ends at (u + w) mod 16, its top part is shifted by 16 - w - u into
   the current word and, when u + w > 16, its low part by 32 - w - u into
   the next. */
void LZWmakebits()
{
    for (int bits = 0; bits < 4; bits++)
        for (int used = 0; used < 16; used++) {
            int w = 9 + bits;
            BITS &e = b[bits][used];
            e.nextindex = (used + w) % 16;
            e.hishift = 16 - w - used;
            e.loshift = used + w <= 16 ? 255 : 32 - w - used;
        }
}

/* The encoder checks the limit after every code, and a code adds at most
   one word; so before it gives up it has completed at most limit / 2 words,
   and the last code can reach one word beyond the one in progress. */
int64_t LZWbufferwords(int64_t limit)
{
    return limit / 2 + 2;
}

/* Appends one code at the current width and gives up, with a warning, once
   the output has grown past bytelimit. */
int writeLZWcode(int code)
{
    const BITS &e = b[codebits][codeindex];
    unsigned int c = (unsigned int)code;
    if (e.hishift >= 0)
        codebuffer[codewords] |= bigendian((uint16_t)(c << e.hishift));
    else
        codebuffer[codewords] |= bigendian((uint16_t)(c >> -e.hishift));
    if (e.loshift != 255) {
        codewords++;
        codebytes += 2;
        codebuffer[codewords] |= bigendian((uint16_t)(c << e.loshift));
    }
    codeindex = e.nextindex;
    if (codeindex == 0) {
        codewords++;
        codebytes += 2;
    }
    if (codebytes > bytelimit) {
        message_box("LZW compression ineffective for this image.\n"
                    "Please save in uncompressed format.",
                    "TIFF LZW", LUMO_MB_ICONEXCLAMATION, 0);
        return 1;
    }
    return 0;
}
