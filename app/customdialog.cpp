/*
 * customdialog.cpp - the Custom Function dialog (template 600): the text
 * of formula 30, the reason it does not parse (shown as the user types),
 * the parameters it has with their values, and the names a text may
 * use.
 *
 * OK with a text that parses makes it formula 30's function and stores it
 * for the next run; the caller then makes formula 30 current and renders.
 * OK with a text that does not parse keeps the dialog open and puts the
 * caret where the problem is.  Cancel changes nothing.
 */
#include "app/LumoDomainColoring.h"
#include "expr/program.h"
#include "render/reproduce.h"

#include <string>

/* Room for the longest text the language accepts, one character more
   (so that an over-long text reaches the check and is refused there) and
   the terminating zero. */
enum { TEXTROOM = EXPRMAXLENGTH + 2 };

/* The error line: empty when the text parses, else what is wrong and
   where. */
static void showerror(HWND dialog, const EXPRERROR *error)
{
    char line[sizeof error->message + 32] = "";
    if (error != nullptr)
        LumoIO::sprintf_s(line, sizeof line, "%s at column %d", error->message, error->column);
    SetDlgItemTextA(dialog, IDC_CUSTOMERROR, line);
}

/* The parameters of a text that parses, each with the value it will
   have: the current one of a parameter of that name, else 1. */
static void showparams(HWND dialog, const EXPRPROGRAM *program)
{
    std::string line;
    for (size_t k = 0; program != nullptr && k < program->parameters.size(); k++) {
        const std::string &name = program->parameters[k];
        int now = findcustomparam(name.c_str());
        EXPRVALUE v = now >= 0 ? customparams().value[now] : EXPRVALUE{1.0, 0.0, 0};
        line += (k == 0 ? "Parameters: " : ", ") + name + " = " + exactvalue(v);
    }
    SetDlgItemTextA(dialog, IDC_CUSTOMPARAMS, line.c_str());
}

/* Checks the text in the edit; returns 1 when it parses, else 0 with
   error filled in.  The parameters' line follows. */
static int checktext(HWND dialog, char *text, EXPRERROR *error)
{
    GetDlgItemTextA(dialog, IDC_CUSTOMTEXT, text, TEXTROOM);
    EXPRPROGRAM program;
    int ok = exprcompile(text, &program, error);
    showparams(dialog, ok ? &program : nullptr);
    return ok;
}

/* The current text, selected and focused so that typing replaces it, and
   the list of names with their descriptions. */
static void OnInitDialog(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_CUSTOMTEXT);
    SendMessageA(edit, EM_LIMITTEXT, TEXTROOM - 2, 0);
    SetWindowTextA(edit, customtext());
    char text[TEXTROOM];
    EXPRERROR error;
    checktext(dialog, text, &error);
    HWND list = GetDlgItem(dialog, IDC_CUSTOMNAMES);
    for (int k = 0; k < nexprnames; k++) {
        char line[200];
        LumoIO::sprintf_s(line, sizeof line, "%s  -  %s", exprnames[k].name, exprnames[k].description);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)line);
    }
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

/* As the user types: the error line follows the text. */
static void OnTextChange(HWND dialog)
{
    char text[TEXTROOM];
    EXPRERROR error;
    showerror(dialog, checktext(dialog, text, &error) ? nullptr : &error);
}

/* A double click on a name puts it into the text at the caret. */
static void OnNameChosen(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_CUSTOMNAMES);
    LRESULT k = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (k < 0 || k >= nexprnames)
        return;
    HWND edit = GetDlgItem(dialog, IDC_CUSTOMTEXT);
    SendMessageA(edit, EM_REPLACESEL, TRUE, (LPARAM)exprnames[k].name);
    SetFocus(edit);
}

/* OK: a text that parses becomes formula 30's and is stored; otherwise
   the caret goes to the column of the error and the dialog stays. */
static void OnOK(HWND dialog)
{
    char text[TEXTROOM];
    EXPRERROR error;
    if (checktext(dialog, text, &error) && setcustomtext(text, &error)) {
        storecustomtext(text);
        storecustomparams();
        EndDialog(dialog, 1);
        return;
    }
    showerror(dialog, &error);
    HWND edit = GetDlgItem(dialog, IDC_CUSTOMTEXT);
    SetFocus(edit);
    int at = error.column > 0 ? error.column - 1 : 0;
    SendMessageA(edit, EM_SETSEL, at, at);
}

INT_PTR CALLBACK CustomDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;       /* the focus is set */
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_CUSTOMTEXT:
            if (HIWORD(wParam) == EN_CHANGE)
                OnTextChange(dialog);
            return TRUE;
        case IDC_CUSTOMNAMES:
            if (HIWORD(wParam) == LBN_DBLCLK)
                OnNameChosen(dialog);
            return TRUE;
        case IDOK:
            OnOK(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 2);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
