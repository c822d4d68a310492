/*
 * pngchunks.cpp - see pngchunks.h.  A chunk is a 4-byte big-endian data
 * length, a 4-letter type, the data, and the CRC of type and data.
 */
#include "common/pngchunks.h"

#include <cstring>

static const unsigned char SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

uint32_t pngcrc(const unsigned char *data, size_t size)
{
    uint32_t crc = 0xffffffffu;
    for (size_t k = 0; k < size; k++) {
        crc ^= data[k];
        for (int bit = 0; bit < 8; bit++)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xffffffffu;
}

static uint32_t readbe(const unsigned char *p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

static void appendbe(std::vector<unsigned char> *out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back((unsigned char)(v >> shift));
}

static void appendchunk(std::vector<unsigned char> *out, const char *type,
                        const unsigned char *data, size_t size)
{
    appendbe(out, (uint32_t)size);
    size_t start = out->size();
    out->insert(out->end(), type, type + 4);
    out->insert(out->end(), data, data + size);
    appendbe(out, pngcrc(out->data() + start, size + 4));
}

/* Whether a chunk of that type lies anywhere in the file. */
static bool haschunk(const unsigned char *png, size_t size, const char *type)
{
    size_t pos = 8;
    while (pos + 12 <= size) {
        uint32_t length = readbe(png + pos);
        if (std::memcmp(png + pos + 4, type, 4) == 0)
            return true;
        if (length > size - pos - 12)
            break;
        pos += 12 + (size_t)length;
    }
    return false;
}

bool pngaddchunks(const unsigned char *png, size_t size, const PNGTEXT *texts, int ntexts,
                  std::vector<unsigned char> *out)
{
    out->clear();
    if (size < 8 + 12 || std::memcmp(png, SIGNATURE, 8) != 0 || std::memcmp(png + 12, "IHDR", 4) != 0)
        return false;
    uint32_t ihdrlength = readbe(png + 8);
    if (ihdrlength > size - 8 - 12)
        return false;
    for (int k = 0; k < ntexts; k++) {
        size_t keylength = std::strlen(texts[k].key);
        if (keylength < 1 || keylength > 79)
            return false;
    }
    size_t afterihdr = 8 + 12 + (size_t)ihdrlength;
    out->assign(png, png + afterihdr);
    if (!haschunk(png, size, "sRGB")) {
        const unsigned char perceptual = 0;
        appendchunk(out, "sRGB", &perceptual, 1);
    }
    for (int k = 0; k < ntexts; k++) {
        std::vector<unsigned char> data(texts[k].key, texts[k].key + std::strlen(texts[k].key) + 1);
        data.insert(data.end(), texts[k].text, texts[k].text + std::strlen(texts[k].text));
        appendchunk(out, "tEXt", data.data(), data.size());
    }
    out->insert(out->end(), png + afterihdr, png + size);
    return true;
}
