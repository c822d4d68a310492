/*
 * platform.h - everything the portable core needs from the platform.
 *
 * The renderer, the real-axis graph and the TIFF writer reach the window
 * system only through these calls.  Each platform layer implements all of
 * them in one place:
 *   app/      the Win32 program (GDI off-screen bitmap, the main window);
 *   headless/ an in-memory 24-bit surface with no window, used by the
 *             command-line tool and the tests.
 *
 * Colours are r + 256*g + 65536*b, the value the renderer computes.
 * Rectangles are half-open: right and bottom are not included.
 * The layer assumes one off-screen image and one main window.
 */
#ifndef LUMO_PLATFORM_H
#define LUMO_PLATFORM_H

#include <cstddef>

struct LUMORECT {
    int left;
    int top;
    int right;
    int bottom;
};

/* Client rectangle of the main window (right and bottom are its width and
   height) and the rectangle of the off-screen image that a render clears.
   The platform layer keeps ClientRect current. */
extern LUMORECT ClientRect;
extern LUMORECT VhdcRect;

/* --- the off-screen image ------------------------------------------------ */

/* Width and height of the surface in pixels; 0 when there is none. */
int surface_width();
int surface_height();

/* Pixels outside the surface are ignored by setpixel and read as 0. */
void surface_setpixel(int x, int y, unsigned int color);
unsigned int surface_getpixel(int x, int y);
/* Row y, columns 0..count-1, as red, green, blue bytes into rgb (3 * count
   of them); pixels outside the surface read as 0.  The writers take rows
   this way rather than a call per pixel. */
void surface_getrow(int y, int count, unsigned char *rgb);
void surface_fillrect(const LUMORECT *rect, unsigned int color);

/* Line drawing with a solid pen, in the manner of MoveToEx / LineTo:
   lineto draws from the current position to (x, y), leaving out the end
   point, and makes (x, y) the current position. */
void surface_selectpen(unsigned int color, int width);
void surface_releasepen();
void surface_moveto(int x, int y);
void surface_lineto(int x, int y);

/* --- the main window ----------------------------------------------------- */

void window_fillrect(const LUMORECT *rect, unsigned int color);
/* Copies a block of the surface to the same place in the window. */
void window_showsurface(int left, int top, int width, int height);
/* Current title, up to size - 1 characters, and a new one. */
void window_gettitle(char *title, int size);
void window_settitle(const char *title);
void window_enable(int enable);
/* Looks at the message queue without removing anything. */
void window_peekmessages();
/* Sends a menu command to the main window and returns when it is handled;
   nothing happens while there is no main window. */
void window_menucommand(int id);

/* --- cursor -------------------------------------------------------------- */

/* Makes the wait cursor current and returns a handle of the one it
   replaced; cursor_restore makes that one current again. */
void *cursor_wait();
void cursor_restore(void *cursor);
void cursor_setpos(int x, int y);

/* --- message boxes ------------------------------------------------------- */

enum {
    LUMO_MB_OK = 0x00,
    LUMO_MB_ICONQUESTION = 0x20,
    LUMO_MB_ICONEXCLAMATION = 0x30,
    LUMO_MB_ICONINFORMATION = 0x40
};

/* Shows text in a box with the caption and style given; owned by the main
   window when owned is non-zero.  Returns when the user closes it. */
void message_box(const char *text, const char *caption, int style, int owned);

/* --- files saved whole ---------------------------------------------------- */

/* A save never writes into the file it replaces: it writes a new temporary
   file in the target's folder (named .NAME.lumo-save-XXXXXX, so one left
   behind by a crash says what it is), and only a complete, flushed and
   closed file is renamed over the target.  A failed or abandoned save
   removes that temporary file and nothing else.  A target that exists and
   is not a regular file is refused before anything is created.  Through
   a symbolic link the save replaces the file the link points at, renaming
   into that file's folder, and the link itself stays.

   Every call returns 0 or an error: an errno value (the Win32 layer maps
   its own codes onto them) or SAVEFILE_NOTREGULAR.  tiff/savesink.h
   buffers these calls for the writers and turns errors into text. */
enum { SAVEFILE_NOTREGULAR = -1 };

/* Whether target could be saved: its folder exists and can be written, and
   it is a regular file this process may replace (in a sticky folder, one
   it or the folder's owner owns) or does not exist yet.  Nothing is
   created. */
int savefile_check(const char *target);
/* Starts a save of target; *file is its handle. */
int savefile_open(const char *target, void **file);
/* Appends count bytes. */
int savefile_write(void *file, const void *bytes, size_t count);
/* Overwrites count bytes at offset, within what was already written. */
int savefile_writeat(void *file, long long offset, const void *bytes, size_t count);
/* Flushes the file to the disk, closes it and renames it over the target;
   on failure removes it.  The handle is gone either way. */
int savefile_commit(void *file);
/* Closes and removes the temporary file; the target stays as it was. */
void savefile_abort(void *file);

#endif
