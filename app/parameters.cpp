/*
 * parameters.cpp - what the main window does after the parameters dialog:
 * remember an accepted view, and rebuild the off-screen image when the
 * image size changed.
 */
#include "app/LumoDomainColoring.h"

/* A 600 x 600 image gets the 1300-pixel surface with the graph strip;
   any other size a surface of its own size and no graph.  When the
   surface cannot be made (a 9600 x 9600 one can fail), the image keeps
   its old size (oldxres x oldyres), surface and graph setting, and the
   result is 1; else 0. */
int rebuildsurface(HWND window, int oldxres, int oldyres)
{
    int square = xres == 600 && yres == 600;
    int width = square ? 1300 : xres;
    if (createsurface(window, width, yres) != 0) {
        xres = oldxres;
        yres = oldyres;
        return 1;
    }
    graphflag = square;
    VhdcRect = {0, 0, width, yres};
    return 0;
}

/* Saves an accepted view.  A new size rebuilds the surface, and the window
   then shows the new, empty image, as a save would write it.  That is done
   after a cancel too: an OK that failed on a later field has already
   stored the new size, and an image larger than its surface would lose
   columns and save them black.  Nothing is rendered until R. */
void parametersclosed(HWND window, INT_PTR result, int oldxres, int oldyres)
{
    if (result == 1) {
        j = 0;
        savewindow[formula][0] = xmin[formula];
        savewindow[formula][1] = xmax[formula];
        savewindow[formula][2] = ymin[formula];
        savewindow[formula][3] = ymax[formula];
    }
    if (newdimensions != 1)
        return;
    newdimensions = 0;

    int wantx = xres, wanty = yres;
    if (rebuildsurface(window, oldxres, oldyres) == 0) {
        InvalidateRect(window, nullptr, TRUE);
        return;
    }
    char text[200];
    LumoIO::sprintf_s(text, sizeof text,
                      "Not enough memory for an image of %d x %d pixels.\n"
                      "The image stays %d x %d.",
                      wantx, wanty, oldxres, oldyres);
    MessageBoxA(window, text, "Error", MB_ICONEXCLAMATION);
}
