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
 * Strings are looked up through a small hash index of (prefix code, byte)
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

/* The hash index: codes of table entries, 0 for a free slot (no entry
   below 258 is ever indexed).  Twice the table size keeps the chains short;
   linear probing. */
enum { INDEXBITS = 13, INDEXSIZE = 1 << INDEXBITS };
static uint16_t lookup[INDEXSIZE];

/* Where the chain for (basecode, K) starts. */
static unsigned int slotof(unsigned int basecode, unsigned int K)
{
    return (((basecode << 8) | K) * 2654435761u) >> (32 - INDEXBITS);
}

/* The code of the string basecode + K, or 0 when it is not in the table. */
static int findentry(unsigned int basecode, unsigned int K)
{
    for (unsigned int s = slotof(basecode, K);; s = (s + 1) & (INDEXSIZE - 1)) {
        unsigned int m = lookup[s];
        if (m == 0)
            return 0;
        if (table[m].basecode == basecode && table[m].K == K)
            return (int)m;
    }
}

/* Makes the string W + K the table entry entrytotal. */
static void addentry(unsigned int K)
{
    table[entrytotal] = {(uint16_t)entrytotal, W.index, (uint16_t)K};
    unsigned int s = slotof(W.index, K);
    while (lookup[s] != 0)
        s = (s + 1) & (INDEXSIZE - 1);
    lookup[s] = (uint16_t)entrytotal;
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
    std::memset(lookup, 0, sizeof lookup);
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

/* Extends the current string by byte K, or writes its code and starts a new
   string at K when the longer one is not in the table yet. */
static int addbyte(unsigned int K)
{
    if (W.index == LZW_EMPTY) {
        W = {(uint16_t)K, (uint16_t)K, LZW_EMPTY};
        return 0;
    }
    int m = findentry(W.basecode, K);
    if (m != 0) {
        W = {(uint16_t)m, (uint16_t)m, (uint16_t)K};
        return 0;
    }
    addentry(K);
    if (writeLZWcode(table[W.index].index) != 0)
        return 1;
    W = {(uint16_t)K, (uint16_t)K, LZW_EMPTY};
    return tablestep();
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

/* Encodes the red, green and blue bytes of pixel (i, j); the strip is one
   byte sequence, so the current string runs on across pixels and rows. */
int LZWcompress(int i, int j, FILE *file)
{
    if (i == 0 && j == 0) {
        if (writeLZWcode(LZW_CLEAR) != 0)
            return 1;
        W.index = LZW_EMPTY;
    }
    unsigned int color = surface_getpixel(i, j);
    if (addbyte(color & 0xff) != 0 || addbyte((color >> 8) & 0xff) != 0 ||
        addbyte((color >> 16) & 0xff) != 0)
        return 1;
    if (i == xres - 1 && j == yres - 1)
        return finishstrip(file);
    return 0;
}
