/*
 * lzwcode.cpp - packing LZW codes into the output buffer, and handing the
 * buffer to the save sink a chunk at a time.
 *
 * Codes of 9 to 12 bits are packed most significant bit first into 16-bit
 * words.  Each word is stored with its high byte first, so the buffer read
 * as bytes is the bit stream itself (this assumes a little-endian machine,
 * like every target of the program).  Words are only ever OR-ed into, which
 * is why the buffer starts zero-filled and is zeroed again behind each
 * chunk sent.
 *
 * The table b says, for each code width and number of bits already used in
 * the current word, how to shift a code into that word and, when it does
 * not fit, into the next one.
 */
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

#include <cstring>

#include "common/platform.h"

BITS b[4][16];
uint16_t codebuffer[LZW_CHUNKWORDS + 2];
int64_t codewords;
int codeindex;
int64_t codebytes;
int64_t bytelimit;
SAVESINK *codesink;

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

/* Sends the full words of the buffer to the sink and moves the word in
   progress to the front. */
static int sendchunk()
{
    if (savesink_write(codesink, codebuffer, (size_t)codewords * 2) != 0)
        return LZW_WRITEFAILED;
    codebuffer[0] = codebuffer[codewords];
    std::memset(codebuffer + 1, 0, (size_t)codewords * sizeof codebuffer[0]);
    codewords = 0;
    return LZW_OK;
}

/* Appends one code at the current width and gives up, with a warning, once
   the output has grown past bytelimit.  A code ends at most one word past
   the one in progress, so the buffer's two spare words are enough between
   chunks. */
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
    if (codewords >= LZW_CHUNKWORDS && sendchunk() != LZW_OK)
        return LZW_WRITEFAILED;
    if (codebytes > bytelimit) {
        message_box("LZW compression ineffective for this image.\n"
                    "Please save in uncompressed format.",
                    "TIFF LZW", LUMO_MB_ICONEXCLAMATION, 0);
        return LZW_TOOLARGE;
    }
    return LZW_OK;
}

/* The rest of the output: the words up to and including the one in
   progress. */
int LZWsendrest()
{
    codewords++;
    return sendchunk();
}
