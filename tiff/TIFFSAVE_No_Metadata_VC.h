/*
 * TIFFSAVE_No_Metadata_VC.h - saving the off-screen image as a TIFF file,
 * uncompressed or LZW-compressed.
 *
 * The file is little-endian RGB, 8 bits a sample, one strip, behind a fixed
 * 180-byte header and directory, so every offset in it is a constant.  The
 * LZW encoder keeps the whole compressed strip in memory and gives up as
 * soon as it grows past 95 % of the raw image size.
 *
 * Everything here is process-wide state, as in the rest of the program; one
 * save runs at a time, on the user-interface thread.
 */
#ifndef LUMO_TIFFSAVE_NO_METADATA_VC_H
#define LUMO_TIFFSAVE_NO_METADATA_VC_H

#include <cstdint>
#include <cstdio>

/* --- the TIFF writer ----------------------------------------------------- */

/* The 8-byte file header. */
struct TIFFHEADER {
    uint16_t order;         /* 0x4949, "II": little-endian */
    uint16_t identifier;    /* 42 */
    uint32_t offset;        /* offset of the first directory */
};

/* One 12-byte directory entry.  A SHORT value sits in the first two bytes
   of value; values that do not fit in 4 bytes are stored elsewhere and
   value holds their file offset. */
struct TIFFTAG {
    uint16_t id;
    uint16_t datatype;      /* 3 SHORT, 4 LONG, 5 RATIONAL */
    uint32_t datacount;
    uint32_t value;
};

/* Fixed places in the file. */
enum {
    TIFF_STRIPOFFSET = 180,         /* the image data */
    TIFF_STRIPBYTECOUNTS_AT = 114   /* value field of StripByteCounts */
};

/* Compression codes: the caller's argument and the Compression tag. */
enum {
    TIFF_UNCOMPRESSED = 1,
    TIFF_LZW = 5
};

/* Full path of the file to save, filled in by the caller. */
extern char tifffile[260];

/* Texts of the error codes 1..4 that writetiff returns (entry code - 1). */
extern const char *const saveerror[4];

/* Saves the xres x yres pixels of the off-screen image to tifffile with the
   given compression (1 or 5).  Returns 0, or an error code 1..4; after any
   failure no file is left behind. */
int writetiff(int compression);

/* --- the LZW encoder ----------------------------------------------------- */

/* One string-table entry.  LZW_EMPTY marks an empty field. */
struct TABLE {
    uint16_t index;         /* the entry's own code */
    uint16_t basecode;      /* code of the string without its last byte */
    uint16_t K;             /* last byte of the string */
};

enum {
    LZW_CLEAR = 256,
    LZW_EOI = 257,
    LZW_FIRSTFREE = 258,
    LZW_TABLESIZE = 4096,
    LZW_EMPTY = 5000
};

/* One packing step of a code into the 16-bit output words. */
struct BITS {
    int nextindex;          /* bit position after the code */
    int hishift;            /* left shift into the current word (< 0: right) */
    int loshift;            /* left shift into the next word, 255 if none */
};

extern TABLE table[LZW_TABLESIZE];
extern TABLE W;                 /* the current string; index LZW_EMPTY: none */
extern int entrytotal;          /* next free code */
extern int codebits;            /* code width - 9 */
extern BITS b[4][16];           /* packing steps by codebits and codeindex */

/* The output: 16-bit words stored high byte first, zero-filled by the
   caller before LZWinit(0). */
extern uint16_t *codebuffer;
extern int64_t codewords;       /* index of the word being filled */
extern int codeindex;           /* bits of that word already used */
extern int64_t codebytes;       /* bytes of output so far */
extern int64_t bytelimit;       /* the encoder gives up beyond this */

/* Fills b; LZWinit(0) calls it. */
void LZWmakebits();

/* Words of codebuffer the encoder can touch for a given bytelimit before it
   gives up: the completed words, the one in progress and one spill. */
int64_t LZWbufferwords(int64_t limit);

/* index 0 starts a new image; any other value only resets the string table
   after a Clear code. */
void LZWinit(int index);

/* Encodes the pixel at column i, row j; after the last pixel of the
   xres x yres image writes the strip to file (positioned at the strip
   offset) and patches its byte count.  Returns 0, 1 when the output grew
   past bytelimit, 2 when the strip could not be written. */
int LZWcompress(int i, int j, FILE *file);

/* Appends one code at the current width.  Returns 1, after a warning, when
   the output has grown past bytelimit, else 0. */
int writeLZWcode(int code);

/* The two bytes of input swapped. */
uint16_t bigendian(uint16_t input);

#endif
