/*
 * formuladialog.cpp - the formula dialog (template 200): one radio button
 * per formula, id 220 + the formula number.
 */
#include "app/LumoDomainColoring.h"

/* Checks the current formula's button; OK takes the first checked one of
   220..250 (a spare "?" button selects nothing and leaves the formula as
   it was). */
INT_PTR CALLBACK FormulaDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CheckRadioButton(dialog, IDC_FORMULA0, IDC_FORMULALAST, IDC_FORMULA0 + formula);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            for (int id = IDC_FORMULA0; id <= IDC_FORMULALAST; id++) {
                if (SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                    formula = id - IDC_FORMULA0;
                    break;
                }
            }
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
