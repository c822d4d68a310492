/*
 * LumoDomainColoring.h - the chief header of the Windows program: the
 * front end's globals, records and functions, and the core headers it
 * builds on (settings, formulas, renderer, TIFF writer, platform seam).
 *
 * The program is a single window on a single thread, apart from the
 * render's worker threads, which only compute rows (windowrender.cpp).
 * All state is in process-wide globals, admitted openly: the settings live
 * in render/, the window-system handles and the save-dialog record here.
 */
#ifndef LUMO_DOMAINCOLORING_H
#define LUMO_DOMAINCOLORING_H

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "common/LumoIO.h"
#include "common/platform.h"
#include "expr/expr.h"
#include "formulas/formulas.h"
#include "render/driver.h"
#include "render/settings.h"
#include "resources/resource.h"
#include "tiff/TIFFSAVE_No_Metadata_VC.h"

/* --- window-system handles ---------------------------------------------- */

extern HINSTANCE g_hInstance;
extern HWND g_hWnd;             /* null until CreateWindowExA has returned */
extern HACCEL g_hAccel;
extern HMENU g_hMenu;
extern HBRUSH g_BlackBrush, g_GreyBrush;

/* The off-screen image: a memory DC holding a 24-bit top-down DIB section.
   The platform seam reads and writes surfacebits directly; GDI draws the
   graph lines into the same bits through g_vhdc. */
extern HDC g_vhdc;
extern HBITMAP g_hBitmap;
extern unsigned char *surfacebits;
extern int surfacewidth, surfaceheight, surfacestride;

/* --- start-up ------------------------------------------------------------ */

extern int xscreen, yscreen;
extern int oksplash;
extern char szWinName[];
extern char szSplashWinName[];
extern const char *const errormessage[3];

/* The save-file dialog's record and buffers (tifffile is the TIFF
   writer's). */
extern OPENFILENAMEA stiffn;
extern char tifffiletitle[260];
extern char tifffilter[27];
extern char tifftitle[37];
extern char tiffdefext[5];

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandline, int show);
int InitWindowClass(HINSTANCE instance);
int CreateMainWindow(HINSTANCE instance, int show);
int initgraphics(HWND window);
int splash(HWND owner);
LRESULT CALLBACK SplashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
/* Room in a save dialog's path and title buffers. */
enum { SAVEPATHROOM = 260 };

/* Fills a save dialog's record once: the first dialog offers the current
   directory followed by "\*.EXT" (defext), later ones the last path
   chosen, since the same buffer receives the result.  file and filetitle
   hold SAVEPATHROOM characters each. */
void initsavedialog(OPENFILENAMEA *dialog, char *file, char *filetitle, char *filter, char *defext);
/* The TIFF save dialog's record, stiffn. */
void InitOpenFile();
unsigned ProgramDriver();

/* --- the off-screen image ------------------------------------------------ */

/* Makes a new width x height surface compatible with the window, filled
   black, and puts it in place of the old one.  Returns 0, or 1 when it
   cannot be made; the old surface then stays as it was. */
int createsurface(HWND window, int width, int height);
/* Releases the surface; afterwards there is none (width and height 0). */
void releasesurface();

/* --- the main window and its commands ------------------------------------ */

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* Colour-map (140..147), absolute-value (150, 151) and grid (160..163)
   commands: settings and menu marks. */
void colormapcommand(HWND window, int id);
/* File > Save Selection as PNG; the picture's settings are kept at the end
   of every render for the command the file carries. */
void savepngcommand(HWND window);
void rememberrender();
/* width x height pixels of blue, green, red bytes, rows stride bytes apart,
   as PNG bytes by the Windows Imaging Component.  Returns 0, or the save
   error code 2 (memory) or 4 (the encoder failed). */
int encodewic(int width, int height, int stride, const unsigned char *bgr,
              std::vector<unsigned char> *png);
/* File > Save Figure...: the SVG figure of the last finished render, with
   the settings it was made with, which rememberfigure keeps. */
void savefigurecommand(HWND window);
void rememberfigure();
void absvaluecommand(HWND window, int id);
void gridcommand(int id);
/* The box that reports a save: the error text of code 1..4, or "Image
   saved as" and the file's title when code is 0. */
void reportsaved(HWND window, int code, const char *filetitle);
/* The save flow of command 100 with a TIFF compression code (1 or 5). */
void savecommand(HWND window, int compression);
/* Applies the parameters dialog once it is closed with the given result
   (1 accepted); oldxres, oldyres are the image size from before it.
   rebuildsurface makes the surface for the new size, or keeps the old one
   (and size) and returns 1. */
void parametersclosed(HWND window, INT_PTR result, int oldxres, int oldyres);
int rebuildsurface(HWND window, int oldxres, int oldyres);

/* The formula whose function is the user's typed text. */
enum { CUSTOMFORMULA = 30 };

/* Formula 30's text from the registry at start-up (a text that does not
   parse is passed over), and into it after the Custom Function dialog. */
void loadcustomtext();
void storecustomtext(const char *text);
/* Its parameters' values, "NAME=VALUE;..." in the value "Custom
   Parameters" beside the text: stored whenever one changes, and laid over
   the text's parameters (by name) after loadcustomtext. */
void loadcustomparams();
void storecustomparams();

/* The modeless Parameter Sliders panel (J): opened or brought forward;
   its rows made again for a new text; and its share of the message loop
   (1 when the message was the panel's). */
void sliderpanel_open(HWND window);
void sliderpanel_refresh();
int sliderpanel_message(MSG *msg);

/* Texts of the About box and of the absolute-value help box. */
extern const char abouttext[];
extern const char absvaluehelp[];

/* --- dialogs -------------------------------------------------------------- */

INT_PTR CALLBACK FormulaDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ParamDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DebugDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CustomDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
