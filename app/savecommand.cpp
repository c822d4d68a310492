/*
 * savecommand.cpp - the save flow: the save-file dialog, the TIFF writer
 * and the message that reports the outcome.
 */
#include "app/LumoDomainColoring.h"

void reportsaved(HWND window, int code, const char *filetitle)
{
    if (code != 0) {
        MessageBoxA(window, saveerror[code - 1], "Save file error", MB_ICONEXCLAMATION);
    } else {
        char text[350];
        LumoIO::strcpy_s(text, sizeof text, "Image saved as ");
        LumoIO::strcat_s(text, sizeof text, filetitle);
        MessageBoxA(nullptr, text, "Lumo Domain Coloring", MB_OK);
    }
}

/* Asks for a file name and saves the image with the given compression
   (1 none, 5 LZW).  While the graph strip is shown the saved width is the
   full 1300 pixels; the image width is put back afterwards. */
void savecommand(HWND window, int compression)
{
    stiffn.lpstrFile = tifffile;
    /* Owned by the main window, so the window takes no commands while the
       dialog is open: without an owner, Esc or a second save could end or
       re-enter the program under the dialog and the write that follows. */
    stiffn.hwndOwner = window;
    if (!GetSaveFileNameA(&stiffn))
        return;
    /* The area under the closed dialog is repainted before the write. */
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    int imagewidth = xres;
    if (graphflag)
        xres = 1300;
    int code = writetiff(compression);
    reportsaved(window, code, tifffiletitle);
    if (graphflag)
        xres = imagewidth;
}
