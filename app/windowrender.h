/*
 * windowrender.h - the window's render on all hardware threads, and the
 * status bar along the bottom of the main window.
 */
#ifndef LUMO_WINDOWRENDER_H
#define LUMO_WINDOWRENDER_H

#include <windows.h>

struct RENDERSETTINGS;

/* Posted by the last worker of a render; wParam tells which render. */
#define WM_RENDERDONE (WM_APP + 1)

/* Threads a render uses: one per hardware thread. */
int renderthreadcount();
/* Starts the render of the current settings (okrender is set). */
void startrender(HWND window);
/* The timer tick and the workers' end message of a render. */
void renderticked();
void renderdone(HWND window, WPARAM which);
/* Stops a running render: every worker ends within the row it is on, the
   rows shown stay and the rest of the image is grey.  Returns 1 when a
   render was stopped, 0 when none ran. */
int stoprender(HWND window);
/* Starts the render threads, which wait for renders until
   endrenderthreads (startrender starts them if need be); no render may
   run when they end. */
void startrenderthreads();
void endrenderthreads();
/* Rows shown of the running render, or -1 when none runs. */
int rendershownrows();
/* The settings of the last render started, or null before the first. */
const RENDERSETTINGS *lastrendersettings();

/* The status bar: made once with the main window, laid out on every
   size change; its height is taken off the client area the image uses. */
int statusbar_create(HWND window);
void statusbar_layout(HWND window);
int statusbar_height();
void statusbar_settext(const char *text);
/* The readout for the image pixel (x, y) under the pointer; nothing
   outside the image or during a render. */
void statusbar_pointer(int x, int y);

#endif
