/*
 * pngchunks.h - adds chunks to the bytes of a finished PNG file: the text
 * chunks that carry the program's name and the command making the picture
 * again, and the sRGB chunk, for encoders that cannot write them
 * themselves (the window program's, the platform's own).
 */
#ifndef LUMO_PNGCHUNKS_H
#define LUMO_PNGCHUNKS_H

#include <cstddef>
#include <cstdint>
#include <vector>

struct PNGTEXT {
    const char *key;    /* Latin-1 keyword, 1..79 characters */
    const char *text;
};

/* The CRC-32 of PNG chunks (ISO 3309, as zlib's crc32). */
uint32_t pngcrc(const unsigned char *data, size_t size);

/* Copies png into *out with, right after its IHDR chunk, an sRGB chunk
   (perceptual intent) unless it has one, and one tEXt chunk per text.
   Returns false, leaving *out empty, when png does not start with the PNG
   signature and a whole IHDR chunk or a keyword is not 1..79 bytes. */
bool pngaddchunks(const unsigned char *png, size_t size, const PNGTEXT *texts, int ntexts,
                  std::vector<unsigned char> *out);

#endif
