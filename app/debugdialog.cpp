/*
 * debugdialog.cpp - the debug dialog of the absolute-value colour maps
 * (template 500): the abs(w) limit, the maximum |w| report and the forced
 * -20..20 view.
 */
#include "app/LumoDomainColoring.h"
#include "render/params.h"

#include <cstdlib>

/* Shows the current formula's limit in edit 510 with "%.10f". */
static void showlimit(HWND dialog)
{
    char string[260];
    LumoIO::sprintf_s(string, sizeof string, "%.10f", abslimitimage[formula]);
    SetDlgItemTextA(dialog, IDC_ABSLIMIT, string);
}

static int checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

/* OK: restore the default limit (it is written into the edit, so it wins
   over what was typed), the report switch, the forced or saved view, and
   the limit read back and clamped silently into 0.1..500. */
static void accept(HWND dialog)
{
    double *view[4] = {&xmin[formula], &xmax[formula], &ymin[formula], &ymax[formula]};
    if (checked(dialog, IDC_RESTORELIMIT)) {
        abslimitimage[formula] = defabslimitimage[formula];
        showlimit(dialog);
    }
    displaylimitflag = checked(dialog, IDC_DISPLAYMAX);
    if (checked(dialog, IDC_FORCEWINDOW)) {
        for (int k = 0; k < 4; k++)
            savewindow[formula][k] = *view[k];
        xmin[formula] = ymin[formula] = -20.0;
        xmax[formula] = ymax[formula] = 20.0;
    } else {
        /* Returns a forced view to the one saved before it was forced;
           otherwise the two are the same already. */
        for (int k = 0; k < 4; k++)
            *view[k] = savewindow[formula][k];
    }
    char string[260];
    GetDlgItemTextA(dialog, IDC_ABSLIMIT, string, 30);
    abslimitimage[formula] = clampabslimit(std::strtod(string, nullptr));
}

INT_PTR CALLBACK DebugDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CheckDlgButton(dialog, IDC_RESTORELIMIT, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_DISPLAYMAX, displaylimitflag ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_FORCEWINDOW, BST_UNCHECKED);
        showlimit(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            accept(dialog);
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 2);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
