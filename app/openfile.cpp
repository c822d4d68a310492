/*
 * openfile.cpp - the record of the save-file dialog.
 */
#include "app/LumoDomainColoring.h"

void initsavedialog(OPENFILENAMEA *dialog, char *file, char *filetitle, char *filter, char *defext)
{
    GetCurrentDirectoryA(SAVEPATHROOM, file);
    LumoIO::strcat_s(file, SAVEPATHROOM, "\\*.");
    LumoIO::strcat_s(file, SAVEPATHROOM, defext);

    ZeroMemory(dialog, sizeof *dialog);
    /* The size of the record without the Windows 2000 fields: 76 bytes in
       the 32-bit program. */
    dialog->lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog->lpstrFilter = filter;
    dialog->nFilterIndex = 1;
    dialog->lpstrFile = file;
    dialog->nMaxFile = SAVEPATHROOM;
    dialog->lpstrFileTitle = filetitle;
    dialog->nMaxFileTitle = SAVEPATHROOM;
    dialog->lpstrTitle = tifftitle;
    dialog->Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    dialog->lpstrDefExt = defext;
}

void InitOpenFile()
{
    initsavedialog(&stiffn, tifffile, tifffiletitle, tifffilter, tiffdefext);
}
