/*
 * helpdialog.cpp - the help dialog (template 400): fixed text and the
 * picture of the five gradients.
 */
#include "app/LumoDomainColoring.h"

/* Puts "LUMOHELPBITMAP" into the picture control 410 and releases it when
   the dialog is closed (Close or Esc). */
INT_PTR CALLBACK HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    static HBITMAP picture;
    switch (message) {
    case WM_INITDIALOG: {
        HWND control = GetDlgItem(dialog, IDC_HELPPICTURE);
        picture = LoadBitmapA(g_hInstance, "LUMOHELPBITMAP");
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)picture);
        ShowWindow(control, SW_SHOW);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            if (picture != nullptr)
                DeleteObject(picture);
            picture = nullptr;
            EndDialog(dialog, 2);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
