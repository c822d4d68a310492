/*
 * headless.h - the in-memory platform layer: the off-screen image is a
 * plain 24-bit RGB buffer (3 bytes a pixel, red first, rows top to bottom,
 * no padding) and there is no window.  The client rectangle is the whole
 * surface, so a render start clears all of it.
 */
#ifndef LUMO_HEADLESS_H
#define LUMO_HEADLESS_H

/* (Re)creates the surface, filled black.  Returns 0, or 1 when the memory
   cannot be had (the previous surface then stays). */
int headless_createsurface(int width, int height);
void headless_freesurface();

/* The pixel bytes of the surface, width * height * 3 of them. */
unsigned char *headless_pixels();

/* The text of the last message box and the current window title. */
const char *headless_lastmessage();
const char *headless_title();

/* Where message box texts go: a stream, or null to only remember them. */
void headless_messagestream(void *file);

/* Receives the menu commands sent to the (absent) main window; null, the
   default, drops them. */
void headless_menuhook(void (*hook)(int id));

/* From now on SIGINT, SIGTERM and SIGHUP remove the temporary file of a
   save in progress before they end the program (with their usual status);
   signals that were being ignored stay ignored.  SIGXFSZ is ignored, so a
   save past the file size limit fails (EFBIG) like any other. */
void headless_cleanuponsignals();

/* Says whether a line without its line end (a progress line) is on
   standard error: a signal that ends the program then ends the line
   first, so what the shell prints next starts on a line of its own. */
void headless_lineopen(int open);

#endif
