/*
 * lzw.cpp - the LZW encoder of TIFF compression 5, fed one pixel at a time.
 *
 * Clear code 256, End of Information 257, first free code 258.  Codes start
 * 9 bits wide and grow "one code early", as TIFF decoders expect: the code
 * written while entry 511 is added is still 9 bits wide, the next one is 10
 * (likewise after 1023 and 2047).  When the next free code reaches 4094 a
 * Clear code goes out, still 12 bits wide, and the string table starts
 * afresh while the output runs on.
 *
 * The subtle points at the end of the strip: the decoder adds a table entry
 * for the final code too, so the encoder takes the same table step after
 * writing it (which may widen the End of Information code, or even put a
 * Clear before it); and the word in progress is counted after End of
 * Information, a word of zeros when that code ended exactly on a word
 * boundary.
 *
 * Strings are looked up through a hash index of (prefix code, byte)
 * -> code over table.  Each such pair is in the table at most once, so the
 * index finds the very entry a scan of the table would find.
 */
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

#include <cstring>

#include "common/platform.h"
#include "render/settings.h"

TABLE table[LZW_TABLESIZE];
TABLE W;
int entrytotal;
int codebits;

/* The hash index: one slot per string, (prefix code << 8 | byte) << 12 |
   code, 0 for a free slot (every indexed code is 258 or more, so a used
   slot is never 0).  Eight times the table size keeps nearly every search
   to one or two probes (linear probing); the slots taken are listed, so a
   Clear frees just those. */
enum { INDEXBITS = 15, INDEXSIZE = 1 << INDEXBITS };
static uint32_t lookup[INDEXSIZE];
static uint16_t takenslots[LZW_TABLESIZE];
static int ntaken;

/* Where the search for a key starts. */
static unsigned int slotof(uint32_t key)
{
    return (key * 2654435761u) >> (32 - INDEXBITS);
}

/* Empties the index: all of it for a new image, else the slots taken. */
static void clearindex(int all)
{
    if (all)
        std::memset(lookup, 0, sizeof lookup);
    else
        for (int k = 0; k < ntaken; k++)
            lookup[takenslots[k]] = 0;
    ntaken = 0;
}

/* Starts a new image (index 0) or a fresh string table after a Clear code. */
void LZWinit(int index)
{
    if (index == 0) {
        LZWmakebits();
        for (int k = 0; k < LZW_FIRSTFREE; k++)
            table[k] = {(uint16_t)k, (uint16_t)k, LZW_EMPTY};
        codebytes = 0;
        codewords = 0;
        codeindex = 0;
    }
    for (int k = LZW_FIRSTFREE; k < LZW_TABLESIZE; k++)
        table[k] = {(uint16_t)k, LZW_EMPTY, LZW_EMPTY};
    clearindex(index == 0);
    entrytotal = LZW_FIRSTFREE;
    codebits = 0;
}

/* One more entry is in the table (for the decoder too): widen the codes at
   512, 1024 and 2048, and start afresh with a Clear code at 4094. */
static int tablestep()
{
    entrytotal++;
    if (entrytotal == 512 || entrytotal == 1024 || entrytotal == 2048)
        codebits++;
    if (entrytotal == 4094) {
        if (writeLZWcode(LZW_CLEAR) != 0)
            return 1;
        LZWinit(1);
    }
    return 0;
}

/* Puts a 32-bit number into 4 bytes, least significant first. */
static void putlong(unsigned char *p, uint32_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}

/* Ends the code stream, writes it and patches StripByteCounts.  Returns 1
   when the output grew too large, 2 when writing failed. */
static int finishstrip(FILE *file)
{
    if (writeLZWcode(W.index) != 0 || tablestep() != 0 || writeLZWcode(LZW_EOI) != 0)
        return 1;
    codebytes += 2;
    if (std::fwrite(codebuffer, 1, (size_t)codebytes, file) != (size_t)codebytes)
        return 2;
    unsigned char count[4];
    putlong(count, (uint32_t)codebytes);
    if (std::fseek(file, TIFF_STRIPBYTECOUNTS_AT, SEEK_SET) != 0)
        return 2;
    if (std::fwrite(count, 1, sizeof count, file) != sizeof count)
        return 2;
    return 0;
}

/* Encodes the red, green and blue bytes of pixel (i, j).  The strip is one
   byte sequence, so the current string W runs on across pixels and rows;
   it is kept in locals while the three bytes are added. */
int LZWcompress(int i, int j, FILE *file)
{
    unsigned int color = surface_getpixel(i, j);
    int n = 0;
    if (i == 0 && j == 0) {
        if (writeLZWcode(LZW_CLEAR) != 0)
            return 1;
        W = {(uint16_t)(color & 0xff), (uint16_t)(color & 0xff), LZW_EMPTY};
        n = 1;
    }
    unsigned int w = W.index, lastK = W.K;
    for (; n < 3; n++) {
        unsigned int K = (color >> (8 * n)) & 0xff;
        uint32_t key = w << 8 | K;
        unsigned int s = slotof(key);
        uint32_t slot;
        while ((slot = lookup[s]) != 0 && slot >> 12 != key)
            s = (s + 1) & (INDEXSIZE - 1);
        if (slot != 0) {
            /* The string W + K is in the table: it becomes W. */
            w = slot & 0xfff;
            lastK = K;
            continue;
        }
        /* It is not: it takes the free slot that ended the search, the code
           of W goes out, and K starts the next string. */
        table[entrytotal] = {(uint16_t)entrytotal, (uint16_t)w, (uint16_t)K};
        lookup[s] = key << 12 | (uint32_t)entrytotal;
        takenslots[ntaken++] = (uint16_t)s;
        if (writeLZWcode(table[w].index) != 0)
            return 1;
        w = K;
        lastK = LZW_EMPTY;
        if (tablestep() != 0)
            return 1;
    }
    W = {(uint16_t)w, (uint16_t)w, (uint16_t)lastK};
    if (i == xres - 1 && j == yres - 1)
        return finishstrip(file);
    return 0;
}
