/*
 * cairodeflate.cpp - the compression of cairo's PDF streams.
 *
 * cairo deflates every PDF stream (the page, the fonts, the picture's
 * pixels) at zlib's default level, and has no setting for it.  For a
 * figure the picture's stream is nearly the whole file, and at that level
 * it took over half of the figure's time (45 of 80 ms at 600 x 600).
 * Measured on pictures of five formulas and maps at 600 x 600: zlib's
 * fastest level takes 0.45 x that time for a file 1.01 to 1.02 x as large
 * (1.23 x on formula 3's smooth gradients); tuned as below (matches of up
 * to 8 bytes hashed whole, at most 2 earlier strings tried, none longer
 * than 16 sought) it is another 10 % faster and no larger anywhere.
 * Huffman coding alone, or run lengths alone, would be faster still, but
 * make smooth pictures 2.5 x as large.
 *
 * lumo is linked with --wrap=deflateInit_, so that cairo's one call that
 * starts a stream comes here.  It is the only caller of deflateInit_ in
 * the program: libpng and lumo's own PNG bands start theirs with
 * deflateInit2_ and levels of their own.
 */
#include <zlib.h>

enum { TUNEGOOD = 4, TUNEINSERT = 8, TUNENICE = 16, TUNECHAIN = 2 };

extern "C" {

int __real_deflateInit_(z_streamp strm, int level, const char *version, int stream_size);

int __wrap_deflateInit_(z_streamp strm, int level, const char *version, int stream_size)
{
    if (level != Z_DEFAULT_COMPRESSION)
        return __real_deflateInit_(strm, level, version, stream_size);
    int status = __real_deflateInit_(strm, Z_BEST_SPEED, version, stream_size);
    if (status == Z_OK)
        deflateTune(strm, TUNEGOOD, TUNEINSERT, TUNENICE, TUNECHAIN);
    return status;
}

}   // extern "C"
