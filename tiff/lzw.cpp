/*
 * lzw.cpp - the LZW encoder of TIFF compression 5, fed the strip's bytes in
 * pieces (a row at a time by the TIFF writer).
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
        std::memset(codebuffer, 0, sizeof codebuffer);
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
        int result = writeLZWcode(LZW_CLEAR);
        if (result != LZW_OK)
            return result;
        LZWinit(1);
    }
    return LZW_OK;
}

/* Whether W holds the first byte yet. */
static int started;

int LZWstart(SAVESINK *sink, int64_t limit)
{
    LZWinit(0);
    codesink = sink;
    bytelimit = limit;
    started = 0;
    return writeLZWcode(LZW_CLEAR);
}

/* The strip is one byte sequence, so the current string W runs on across
   pieces; it is kept in locals while a piece is added. */
int LZWcompressbytes(const unsigned char *bytes, size_t count)
{
    size_t n = 0;
    if (!started && count > 0) {
        W = {bytes[0], bytes[0], LZW_EMPTY};
        started = 1;
        n = 1;
    }
    unsigned int w = W.index, lastK = W.K;
    for (; n < count; n++) {
        unsigned int K = bytes[n];
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
        int result = writeLZWcode(table[w].index);
        if (result == LZW_OK)
            result = tablestep();
        if (result != LZW_OK)
            return result;
        w = K;
        lastK = LZW_EMPTY;
    }
    W = {(uint16_t)w, (uint16_t)w, (uint16_t)lastK};
    return LZW_OK;
}

/* Ends the code stream: the last string, the table step the decoder takes
   for it too, End of Information, and the word in progress. */
int LZWfinish(int64_t *stripbytes)
{
    int result = writeLZWcode(W.index);
    if (result == LZW_OK)
        result = tablestep();
    if (result == LZW_OK)
        result = writeLZWcode(LZW_EOI);
    if (result != LZW_OK)
        return result;
    codebytes += 2;
    *stripbytes = codebytes;
    return LZWsendrest();
}
