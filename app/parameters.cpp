/*
 * parameters.cpp - what the main window does after the parameters dialog
 * was accepted: remember the view, and rebuild the off-screen image when
 * the image size changed.
 */
#include "app/LumoDomainColoring.h"

/* A 600 x 600 image gets the 1300-pixel surface with the graph strip;
   any other size a surface of its own size and no graph.  A surface that
   cannot be made (a 9600 x 9600 one can fail) is reported, and the image
   keeps its old size and surface.  Nothing is rendered until R. */
void parametersaccepted(HWND window, int oldxres, int oldyres)
{
    j = 0;
    savewindow[formula][0] = xmin[formula];
    savewindow[formula][1] = xmax[formula];
    savewindow[formula][2] = ymin[formula];
    savewindow[formula][3] = ymax[formula];
    if (newdimensions != 1)
        return;
    newdimensions = 0;

    int square = xres == 600 && yres == 600;
    int width = square ? 1300 : xres;
    if (createsurface(window, width, yres) == 0) {
        graphflag = square;
        VhdcRect = {0, 0, width, yres};
        /* The window shows the new, empty image, as a save would write it. */
        InvalidateRect(window, nullptr, TRUE);
        return;
    }
    char text[200];
    LumoIO::sprintf_s(text, sizeof text,
                      "Not enough memory for an image of %d x %d pixels.\n"
                      "The image stays %d x %d.",
                      xres, yres, oldxres, oldyres);
    xres = oldxres;
    yres = oldyres;
    MessageBoxA(window, text, "Error", MB_ICONEXCLAMATION);
}
