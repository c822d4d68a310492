/*
 * pngsave.h - `lumo render -o NAME.png`: the rendered surface as a PNG
 * file carrying the command that makes it again.
 */
#ifndef LUMO_PNGSAVE_H
#define LUMO_PNGSAVE_H

/* Whether this build of lumo can write PNG files. */
extern const int pngsupported;

/* Waits until row `row` and every row above it are final in the surface:
   returns 0, or non-zero when they never will be (the render stopped). */
typedef int (*PNGROWWAIT)(int row, void *context);

/* Saves the surface's top-left width x height pixels to path with the
   text chunks Software and Comment, compressed at zlib level 0..9 (or
   PNG_DEFAULTLEVEL) on up to threads threads, through the save sink: a
   failed save leaves path as it was.  With wait, rows are taken as wait
   says they are final (the render still running), else all are there; a
   row that never comes ends the save with code 2.  Returns 0, or the save
   error code (1 open, 2 memory, 3 write, as writetiff's) with the
   system's reason in *reason (see savesink_reason). */
int savepng(const char *path, int width, int height, const char *comment, int level, int threads,
            PNGROWWAIT wait, void *context, int *reason);

/* The same, at the default level on one thread, for an image held in
   memory: height rows of width RGB pixels, 3 bytes each, row after row. */
int savepngrgb(const char *path, int width, int height, const unsigned char *rgb, const char *comment,
               int *reason);

#endif
