/*
 * TIFFSAVE_No_Metadata_VC.h - saving the off-screen image as a TIFF file,
 * uncompressed or LZW-compressed.
 *
 * The file is little-endian RGB, 8 bits a sample, one strip, behind a fixed
 * 180-byte header and directory, so every offset in it is a constant.  It
 * is written through a save sink (tiff/savesink.h): the file at the target
 * path is replaced whole or not at all.  The LZW encoder streams its codes
 * to the sink as it makes them, gives up as soon as the output grows past
 * 95 % of the raw image size, and the strip's byte count is patched into
 * the header at the end.
 *
 * Everything here is process-wide state, as in the rest of the program; one
 * save runs at a time, on the user-interface thread.
 */
#ifndef LUMO_TIFFSAVE_NO_METADATA_VC_H
#define LUMO_TIFFSAVE_NO_METADATA_VC_H

#include <cstdint>
#include <cstdio>

#include "tiff/savesink.h"

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

/* Texts of the error codes 1..4 that writetiff returns (entry code - 1):
   1 the file cannot be made, 2 no memory, 3 a write failed, 4 LZW cannot
   shrink the picture. */
extern const char *const saveerror[4];

/* The system's reason for the last failed save (see savesink_reason), 0
   when there is none (as for code 4). */
extern int tiffsavereason;

/* Saves the xres x yres pixels of the off-screen image to tifffile with the
   given compression (1 or 5).  Returns 0, or an error code 1..4; after any
   failure the file at tifffile is as it was before. */
int writetiff(int compression);

/* Waits until row `row` of the off-screen image holds its final pixels:
   returns 0, or non-zero when it never will (the render ran out of
   memory). */
typedef int (*TIFFROWWAIT)(int row, void *context);

/* writetiff for an image still being made: wait(row, context) is called
   before each row is read, so the file is written while later rows are
   still being rendered; a row that never comes ends the save with code 2
   (no memory), the file at tifffile as it was.  A null wait is writetiff. */
int writetiffwhile(int compression, TIFFROWWAIT wait, void *context);

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

/* The output: 16-bit words stored high byte first.  Full words go to the
   sink a chunk at a time; the buffer holds the chunk in progress, the word
   being filled and one spill. */
enum { LZW_CHUNKWORDS = 1 << 15 };
extern uint16_t codebuffer[LZW_CHUNKWORDS + 2];
extern int64_t codewords;       /* index of the word being filled */
extern int codeindex;           /* bits of that word already used */
extern int64_t codebytes;       /* bytes of output so far, all chunks */
extern int64_t bytelimit;       /* the encoder gives up beyond this */
extern SAVESINK *codesink;      /* where full chunks go */

/* Fills b; LZWinit(0) calls it. */
void LZWmakebits();

/* index 0 starts a new image (and empties the output buffer); any other
   value only resets the string table after a Clear code. */
void LZWinit(int index);

/* The results of the encoder's calls. */
enum { LZW_OK = 0, LZW_TOOLARGE = 1, LZW_WRITEFAILED = 2 };

/* Encoding a strip: LZWstart, then the bytes in order in pieces of any
   size, then LZWfinish, which writes the rest and stores the strip's
   length in *stripbytes.  Each returns LZW_OK; LZW_TOOLARGE, after a
   warning, once the output has grown past limit; LZW_WRITEFAILED when the
   sink failed. */
int LZWstart(SAVESINK *sink, int64_t limit);
int LZWcompressbytes(const unsigned char *bytes, size_t count);
int LZWfinish(int64_t *stripbytes);

/* Appends one code at the current width. */
int writeLZWcode(int code);

/* Sends what is left of the output, the word in progress included. */
int LZWsendrest();

/* The two bytes of input swapped. */
uint16_t bigendian(uint16_t input);

#endif
