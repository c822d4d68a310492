/*
 * globals.cpp - the front end's process-wide state: window-system handles,
 * the start-up texts and the save-file dialog's record.
 */
#include "app/LumoDomainColoring.h"

HINSTANCE g_hInstance;
HWND g_hWnd;
HACCEL g_hAccel;
HMENU g_hMenu;
HBRUSH g_BlackBrush, g_GreyBrush;

HDC g_vhdc;
HBITMAP g_hBitmap;
unsigned char *surfacebits;
int surfacewidth, surfaceheight, surfacestride;

int xscreen, yscreen;
int oksplash;
char szWinName[] = "LumoWindow";
char szSplashWinName[] = "LumoSplashWindow";

const char *const errormessage[3] = {
    "Couldn't register main window class.",
    "Couldn't create main window.",
    "Couldn't initialize graphics.",
};

OPENFILENAMEA stiffn;
char tifffiletitle[260];
char tifffilter[27] = "TIFF files (*.tif)\0*.tif\0";
char tifftitle[37] = "Select a file for saving your image:";
char tiffdefext[5] = "tif";
