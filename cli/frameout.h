/*
 * frameout.h - where `lumo animate` puts its frames: numbered PNG files,
 * one animated WebP file, or an MP4 or WebM video made by the ffmpeg
 * program.  Every file is written through the save sink (temporary file,
 * then rename), so an error or Ctrl+C leaves no part of one behind.
 *
 * The frames come in order, as RGB rows in memory, while the next frame
 * renders; add encodes and writes one, finish ends the output (the WebP
 * and the video are written only then).
 */
#ifndef LUMO_FRAMEOUT_H
#define LUMO_FRAMEOUT_H

#include <string>

class FRAMEOUT {
public:
    virtual ~FRAMEOUT() {}
    /* Frame k (its place in the whole animation), width x height RGB with
       the command that renders it alone.  0, or 1 with *why filled. */
    virtual int add(long k, const unsigned char *rgb, const std::string &command, std::string *why) = 0;
    /* 0 once the output is complete, or 1 with *why filled. */
    virtual int finish(std::string *why) = 0;
};

/* The kinds of output, by the name given to -o. */
enum FRAMEKIND { FRAMES_PNG, FRAMES_WEBP, FRAMES_MP4, FRAMES_WEBM };

/* The kind an output name asks for: a name with a %d (or %0Nd) numbers
   PNG frames; NAME.webp, NAME.mp4, NAME.webm one file.  -1, with *why,
   when it is none of them. */
int framekind(const char *name, std::string *why);

/* The file name of frame k of a numbered pattern. */
std::string framename(const char *pattern, long k);

/* The outputs; null with *why when one cannot be started. */
FRAMEOUT *pngframes(const char *pattern, int width, int height);
FRAMEOUT *webpanimation(const char *path, int width, int height, double fps, int quality,
                        std::string *why);
FRAMEOUT *ffmpegvideo(const char *path, int kind, int width, int height, double fps, std::string *why);

/* Whether the ffmpeg program can be run: "" when it can, else what to do. */
std::string ffmpegmissing();

#endif
