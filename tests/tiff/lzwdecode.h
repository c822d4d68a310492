/*
 * lzwdecode.h - a plain TIFF LZW decoder for checking the encoder's output
 * code by code: MSB-first codes, Clear 256, End of Information 257, the
 * width growing one code early (when the next free code reaches 511, 1023,
 * 2047), as libtiff reads it.
 */
#ifndef LUMO_TESTS_LZWDECODE_H
#define LUMO_TESTS_LZWDECODE_H

#include <cstddef>
#include <string>
#include <vector>

struct LZWCODE {
    int code;
    int width;
};

struct LZWDECODED {
    std::vector<unsigned char> bytes;
    std::vector<LZWCODE> codes;     /* every code read, End of Information included */
    size_t endbit = 0;              /* bit position just after End of Information */
    int clears = 0;                 /* Clear codes, the first one included */
    std::string error;              /* empty when the stream is sound */
};

LZWDECODED lzwdecode(const unsigned char *data, size_t size);

#endif
