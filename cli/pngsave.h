/*
 * pngsave.h - `lumo render -o NAME.png`: the rendered surface as a PNG
 * file carrying the command that makes it again.
 */
#ifndef LUMO_PNGSAVE_H
#define LUMO_PNGSAVE_H

/* Whether this build of lumo can write PNG files. */
extern const int pngsupported;

/* Saves the surface's top-left width x height pixels to path with the
   text chunks Software and Comment, through the save sink: a failed save
   leaves path as it was.  Returns 0, or the save error code (1 open,
   2 memory, 3 write, as writetiff's) with the system's reason in *reason
   (see savesink_reason). */
int savepng(const char *path, int width, int height, const char *comment, int *reason);

/* The same for an image held in memory: height rows of width RGB pixels,
   3 bytes each, row after row. */
int savepngrgb(const char *path, int width, int height, const unsigned char *rgb, const char *comment,
               int *reason);

#endif
