/*
 * paramdialog.cpp - the parameters dialog (template 300): view, image
 * size, brightness, fractal parameters, escape colouring and grid.
 *
 * OK checks the fields in a fixed order; the first value out of bounds is
 * reported in a "Parameter Error" box and the dialog stays open, with the
 * values of the earlier, valid fields already stored.  View limits and the
 * Julia constant are clamped silently instead.  The bounds are those of
 * render/params.h.
 */
#include "app/LumoDomainColoring.h"
#include "render/params.h"

#include <cstdlib>
#include <cstring>

/* Sent to the dialog to show the pending error once OK has returned. */
enum { WM_PARAMERROR = WM_USER + 1 };

/* Handles kept between calls. */
static HWND hStaticEwnd0, hStaticEwnd1;         /* labels of xmin, xmax */
static HWND hStaticJwnd0, hStaticJwnd1;         /* labels of cx, cy */
static HWND hStaticWnd[5];                      /* edits 340..344 */
static HWND hStaticRBWnd[3];                    /* radio buttons 377..379 */
static HWND hTrackwnd;
static int trackpos;
static int error;                               /* index into paramerror */

static const int tblow = 1, tbhigh = 3;

static void showdouble(HWND dialog, int id, double value)
{
    char string[260];
    LumoIO::sprintf_s(string, sizeof string, "%.10f", value);
    SetDlgItemTextA(dialog, id, string);
}

/* A view bound: ten decimals as ever, but every digit for the typed
   function, whose views go down to 1e-12 of their centre. */
static void showview(HWND dialog, int id, double value)
{
    if (formula != 30) {
        showdouble(dialog, id, value);
        return;
    }
    char string[260];
    LumoIO::sprintf_s(string, sizeof string, "%.17g", value);
    SetDlgItemTextA(dialog, id, string);
}

static void showint(HWND dialog, int id, int value)
{
    char string[260];
    LumoIO::sprintf_s(string, sizeof string, "%d", value);
    SetDlgItemTextA(dialog, id, string);
}

/* A field as a number; text that is not one reads as 0 and trailing
   characters are ignored. */
static double readdouble(HWND dialog, int id)
{
    char string[260];
    GetDlgItemTextA(dialog, id, string, 30);
    return std::strtod(string, nullptr);
}

static long readlong(HWND dialog, int id)
{
    char string[260];
    GetDlgItemTextA(dialog, id, string, 30);
    return std::strtol(string, nullptr, 10);
}

/* The y labels have no ids in the template, so formula 30's wider bounds
   are written over them by their text. */
static void typedylabels(HWND dialog)
{
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        char text[40];
        GetWindowTextA(c, text, sizeof text);
        if (std::strncmp(text, "ymin ( min -20.0 )", 18) == 0)
            SetWindowTextA(c, "ymin ( min -1e6 ) :");
        else if (std::strncmp(text, "ymax ( max 20.0 )", 17) == 0)
            SetWindowTextA(c, "ymax ( max  1e6 ) :");
    }
}

/* Labels, enabled fields, the field values, the escape colouring and the
   brightness trackbar for the current formula. */
static void OnInitDialog(HWND dialog)
{
    int fractal = formula <= 2;
    hStaticEwnd0 = GetDlgItem(dialog, IDC_XMINLABEL);
    hStaticEwnd1 = GetDlgItem(dialog, IDC_XMAXLABEL);
    hStaticJwnd0 = GetDlgItem(dialog, IDC_CXLABEL);
    hStaticJwnd1 = GetDlgItem(dialog, IDC_CYLABEL);
    for (int k = 0; k < 5; k++)
        hStaticWnd[k] = GetDlgItem(dialog, IDC_MAXITER + k);
    for (int k = 0; k < 3; k++)
        hStaticRBWnd[k] = GetDlgItem(dialog, IDC_DOMAINCOLORING + k);

    SetWindowTextA(hStaticEwnd0, formula == 30                      ? "xmin ( min -1e6 ) :    "
                                 : (formula >= 27 && formula <= 29) ? "xmin ( min -30.0 ) :    "
                                                                    : "xmin ( min -20.0 ) :    ");
    SetWindowTextA(hStaticEwnd1, formula == 30 ? "xmax ( max  1e6 ) :    " : "xmax ( max  20.0 ) :    ");
    if (formula == 30)
        typedylabels(dialog);
    SetWindowTextA(hStaticJwnd0, formula == 1 ? "cx :                    " : "                        ");
    SetWindowTextA(hStaticJwnd1, formula == 1 ? "cy :                    " : "                        ");
    for (int k = 0; k < 5; k++)
        EnableWindow(hStaticWnd[k], fractal && (k < 3 || formula == 1));
    for (int k = 0; k < 3; k++)
        EnableWindow(hStaticRBWnd[k], fractal);

    showview(dialog, IDC_XMIN, xmin[formula]);
    showview(dialog, IDC_XMAX, xmax[formula]);
    showview(dialog, IDC_YMIN, ymin[formula]);
    showview(dialog, IDC_YMAX, ymax[formula]);
    showint(dialog, IDC_XRES, xres);
    showint(dialog, IDC_YRES, yres);
    if (fractal) {
        showint(dialog, IDC_MAXITER, fr[formula].maxiter);
        showdouble(dialog, IDC_MAXSIZE, fr[formula].maxsize);
        showdouble(dialog, IDC_EXPONENT, fr[formula].exponent);
    }
    if (formula == 1) {
        showdouble(dialog, IDC_JCX, fr[1].jcx);
        showdouble(dialog, IDC_JCY, fr[1].jcy);
    }
    showdouble(dialog, IDC_GRIDWIDTH, GW);
    showint(dialog, IDC_GRIDEXTENT, GP);
    CheckRadioButton(dialog, IDC_DOMAINCOLORING, IDC_ALLBLACK, IDC_DOMAINCOLORING + greyflag);

    /* Placed in pixels right of "brightness:", above the marks 1 2 3, and
       put after the yres field in the tab order. */
    hTrackwnd = CreateWindowExA(0, TRACKBAR_CLASSA, "TrackBar1",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_AUTOTICKS | TBS_BOTH,
                                126, 176, 126, 36, dialog, (HMENU)(INT_PTR)IDC_BRIGHTNESS,
                                g_hInstance, nullptr);
    SetWindowPos(hTrackwnd, GetDlgItem(dialog, IDC_YRES), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EnableWindow(hTrackwnd, gradient[formula] == GRADIENT_CONTINUOUS
                                || gradient[formula] >= GRADIENT_PERCEPTUAL);
    trackpos = brightness[formula];
    SendMessageA(hTrackwnd, TBM_SETRANGE, TRUE, MAKELPARAM(tblow, tbhigh));
    SendMessageA(hTrackwnd, TBM_SETPOS, TRUE, trackpos);
}

/* Records the error and asks for its message box; the dialog stays open. */
static INT_PTR fail(HWND dialog, int code)
{
    error = code;
    PostMessageA(dialog, WM_PARAMERROR, 0, 0);
    return TRUE;
}

/* OK: each field in turn, storing every valid value at once. */
static INT_PTR OnOK(HWND dialog)
{
    for (int k = 0; k < 3; k++) {
        if (IsDlgButtonChecked(dialog, IDC_DOMAINCOLORING + k) == BST_CHECKED) {
            greyflag = k;
            break;
        }
    }
    error = -1;

    double a = readdouble(dialog, IDC_XMIN), b = readdouble(dialog, IDC_XMAX);
    int code = checkxrange(formula, &a, &b);
    if (code >= 0)
        return fail(dialog, code);
    xmin[formula] = a;
    xmax[formula] = b;

    a = readdouble(dialog, IDC_YMIN);
    b = readdouble(dialog, IDC_YMAX);
    code = checkyrange(formula, &a, &b);
    if (code >= 0)
        return fail(dialog, code);
    ymin[formula] = a;
    ymax[formula] = b;

    int *resolution[2] = {&xres, &yres};
    for (int k = 0; k < 2; k++) {
        long value = readlong(dialog, k == 0 ? IDC_XRES : IDC_YRES);
        code = checkresolution(value);
        if (code >= 0)
            return fail(dialog, code);
        if (value != *resolution[k])
            newdimensions = 1;
        *resolution[k] = (int)value;
    }

    if (formula <= 2) {
        long maxiter = readlong(dialog, IDC_MAXITER);
        if ((code = checkmaxiter(maxiter)) >= 0)
            return fail(dialog, code);
        fr[formula].maxiter = (int)maxiter;
        double maxsize = readdouble(dialog, IDC_MAXSIZE);
        if ((code = checkmaxsize(maxsize)) >= 0)
            return fail(dialog, code);
        fr[formula].maxsize = maxsize;
        double exponent = readdouble(dialog, IDC_EXPONENT);
        if ((code = checkexponent(exponent)) >= 0)
            return fail(dialog, code);
        fr[formula].exponent = exponent;
        if (formula == 1) {
            fr[1].jcx = clampjulia(readdouble(dialog, IDC_JCX));
            fr[1].jcy = clampjulia(readdouble(dialog, IDC_JCY));
        }
    }

    double width = readdouble(dialog, IDC_GRIDWIDTH);
    if ((code = checkgridwidth(width)) >= 0)
        return fail(dialog, code);
    GW = width;
    long extent = readlong(dialog, IDC_GRIDEXTENT);
    if ((code = checkgridextent(extent)) >= 0)
        return fail(dialog, code);
    GP = (int)extent;
    EndDialog(dialog, 1);
    return TRUE;
}

/* Every move of the thumb (line, page, thumb position and track) sets the
   brightness at once; it stays even if the dialog is cancelled.  Top,
   bottom and end-of-track change nothing. */
static INT_PTR OnHScroll(WPARAM wParam, LPARAM lParam)
{
    if ((HWND)lParam != hTrackwnd || LOWORD(wParam) >= 6)
        return FALSE;
    trackpos = (int)SendMessageA(hTrackwnd, TBM_GETPOS, 0, 0);
    brightness[formula] = trackpos;
    V[formula] = (3 - trackpos) * 0.5;
    return TRUE;
}

INT_PTR CALLBACK ParamDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            return OnOK(dialog);
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 2);
            return TRUE;
        }
        return FALSE;
    case WM_HSCROLL:
        return OnHScroll(wParam, lParam);
    case WM_PARAMERROR:
        MessageBoxA(dialog, paramerror[error], "Parameter Error", MB_ICONEXCLAMATION);
        return TRUE;
    default:
        return FALSE;
    }
}
