/*
 * tiffbytes.h - reading back the files the tests write.
 */
#ifndef LUMO_TESTS_TIFFBYTES_H
#define LUMO_TESTS_TIFFBYTES_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

/* The whole file; empty when it does not exist. */
inline std::vector<unsigned char> readfile(const std::string &path)
{
    std::vector<unsigned char> bytes;
    FILE *f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return bytes;
    unsigned char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return bytes;
}

inline bool fileexists(const std::string &path)
{
    FILE *f = std::fopen(path.c_str(), "rb");
    if (f != nullptr)
        std::fclose(f);
    return f != nullptr;
}

/* Little-endian numbers at a file offset. */
inline uint32_t get16(const std::vector<unsigned char> &b, size_t at)
{
    return b[at] | (uint32_t)b[at + 1] << 8;
}

inline uint32_t get32(const std::vector<unsigned char> &b, size_t at)
{
    return get16(b, at) | get16(b, at + 2) << 16;
}

#endif
