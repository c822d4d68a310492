/*
 * sampleimages.h - synthetic pictures for the TIFF tests and benchmark,
 * drawn into the in-memory surface.
 */
#ifndef LUMO_TESTS_SAMPLEIMAGES_H
#define LUMO_TESTS_SAMPLEIMAGES_H

#include <cstddef>

/* The kinds of picture:
   black     all zero bytes;
   smooth    a domain-colouring-like picture of (z^2 - 1) / (z^2 + 2i), with
             hue from the phase and bands of log |w|, as the renders look;
   noise     random bytes, which LZW cannot shrink;
   palette   random pixels of four colours: compressible, but with so many
             different strings that the string table fills up often;
   distinct  0, 0, then a byte sequence in which no two neighbouring bytes
             occur twice, so every code after the first is a single byte. */
enum SampleKind { SAMPLE_BLACK, SAMPLE_SMOOTH, SAMPLE_NOISE, SAMPLE_PALETTE, SAMPLE_DISTINCT };

/* Parses a kind name; returns -1 for an unknown one. */
int samplekind(const char *name);

/* Creates a width x height surface and fills it.  Returns 0, or 1 when the
   surface cannot be had. */
int makesample(int kind, int width, int height);

/* Renders formula f at width x height with its default settings into a
   new surface, 1300 wide with the graph strip when graph is set (which
   the formula may turn off).  Returns 0, or 1 when the surface cannot be
   had. */
int makeformula(int f, int width, int height, int graph);

/* Byte k of the sequence with no neighbouring pair repeated: the cyclic
   sequence of all 65536 pairs of bytes. */
unsigned char distinctbyte(size_t k);

#endif
