/*
 * openfile.cpp - the record of the save-file dialog.
 */
#include "app/LumoDomainColoring.h"

/* Fills stiffn once: the first save dialog offers the current directory
   followed by "\*.tif"; later ones the last path chosen, since the same
   buffer receives the result. */
void InitOpenFile()
{
    GetCurrentDirectoryA(260, tifffile);
    LumoIO::strcat_s(tifffile, 260, "\\*.tif");

    ZeroMemory(&stiffn, sizeof stiffn);
    /* The size of the record without the Windows 2000 fields: 76 bytes in
       the 32-bit program. */
    stiffn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    stiffn.hwndOwner = nullptr;
    stiffn.hInstance = nullptr;
    stiffn.lpstrFilter = tifffilter;
    stiffn.lpstrCustomFilter = nullptr;
    stiffn.nMaxCustFilter = 0;
    stiffn.nFilterIndex = 1;
    stiffn.lpstrFile = tifffile;
    stiffn.nMaxFile = 260;
    stiffn.lpstrFileTitle = tifffiletitle;
    stiffn.nMaxFileTitle = 260;
    stiffn.lpstrInitialDir = nullptr;
    stiffn.lpstrTitle = tifftitle;
    stiffn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    stiffn.nFileOffset = 0;
    stiffn.nFileExtension = 0;
    stiffn.lpstrDefExt = tiffdefext;
    stiffn.lCustData = 0;
    stiffn.lpfnHook = nullptr;
    stiffn.lpTemplateName = nullptr;
}
