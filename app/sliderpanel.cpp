/*
 * sliderpanel.cpp - the Parameter Sliders panel (template 1600, J): a
 * modeless window with a row per parameter of formula 30's text.  A
 * slider moves the value (its real part) between the row's minimum and
 * maximum and renders at once: a running render is stopped (its workers
 * finish only the row each is on) and the new one starts.  The value edit
 * takes any value the language reads (Enter or leaving the field), and
 * Play sweeps the parameter between its bounds, looping or bouncing, one
 * sweep in the given seconds; a step waits for the render before it.
 *
 * The values are formula 30's (customparams), kept with the text in the
 * registry; the slider bounds live as long as the program.
 */
#include "app/LumoDomainColoring.h"
#include "app/windowrender.h"
#include "render/reproduce.h"

#include <cmath>
#include <cstdlib>
#include <string>

enum { STEPS = 1000, TIMER_PLAY = 1, PLAY_MS = 40 };

static HWND panel;

/* A row: its slider's bounds, and its sweep. */
struct ROW {
    double low, high;
    int playing;
    int direction;
};
static ROW rows[EXPRMAXPARAMS];
static DWORD lasttick;

static HWND item(int row, int column)
{
    return GetDlgItem(panel, IDC_SLIDERROW + 10 * row + column);
}

static std::string numbertext(double x)
{
    return exactnumber(x);
}

/* A real number the language reads, from an edit; 0 when it does not. */
static int readreal(HWND edit, double *x)
{
    char text[200];
    GetWindowTextA(edit, text, sizeof text);
    EXPRVALUE v;
    if (!exprreadvalue(text, &v, nullptr) || v.iscomplex)
        return 0;
    *x = v.re;
    return 1;
}

static void note(const char *text)
{
    SetDlgItemTextA(panel, IDC_SLNOTE, text);
}

/* The slider and the value edit of row r from the parameter's value. */
static void showrow(int r)
{
    EXPRVALUE v = customparams().value[r];
    double span = rows[r].high - rows[r].low;
    double at = span > 0.0 ? (v.re - rows[r].low) / span : 0.0;
    at = at < 0.0 ? 0.0 : (at > 1.0 ? 1.0 : at);
    SendMessageA(item(r, IDC_SLTRACK), TBM_SETPOS, TRUE, (LPARAM)std::lround(at * STEPS));
    SetWindowTextA(item(r, IDC_SLVALUE), exactvalue(v).c_str());
}

/* Renders formula 30 with the values now, stopping a render that runs. */
static void rerender()
{
    storecustomparams();
    HWND window = GetParent(panel);
    if (okrender)
        stoprender(window);
    if (formula != CUSTOMFORMULA) {
        formula = CUSTOMFORMULA;
        j = 0;
        InitFormula(formula);
    }
    SendMessageA(window, WM_COMMAND, CMD_RENDER, 0);
}

/* Gives parameter r the value; 0 (with the reason shown) when the text
   cannot take it. */
static int setvalue(int r, EXPRVALUE v)
{
    if (okrender)
        stoprender(GetParent(panel));
    EXPRERROR error;
    if (!setcustomparam(r, v, &error)) {
        note(error.message);
        return 0;
    }
    note("");
    showrow(r);
    return 1;
}

/* The value at slider position pos of row r: the real part moves. */
static EXPRVALUE atposition(int r, long pos)
{
    EXPRVALUE v = customparams().value[r];
    v.re = pos >= STEPS ? rows[r].high : rows[r].low + (rows[r].high - rows[r].low) * (double)pos / STEPS;
    return v;
}

/* Rows for the current text: shown with names and values, the rest
   hidden; new bounds around values that lie outside the old ones. */
void sliderpanel_refresh()
{
    if (panel == nullptr)
        return;
    int count = customparamcount();
    for (int r = 0; r < EXPRMAXPARAMS; r++) {
        for (int c = IDC_SLNAME; c <= IDC_SLPLAY; c++)
            ShowWindow(item(r, c), r < count ? SW_SHOW : SW_HIDE);
        if (r >= count) {
            rows[r].playing = 0;
            continue;
        }
        SetWindowTextA(item(r, IDC_SLNAME), customparamname(r));
        double re = customparams().value[r].re;
        if (!(rows[r].high > rows[r].low) || re < rows[r].low || re > rows[r].high) {
            rows[r].low = re - 1.0;
            rows[r].high = re + 1.0;
        }
        SetWindowTextA(item(r, IDC_SLMIN), numbertext(rows[r].low).c_str());
        SetWindowTextA(item(r, IDC_SLMAX), numbertext(rows[r].high).c_str());
        SetWindowTextA(item(r, IDC_SLPLAY), rows[r].playing ? "Stop" : "Play");
        showrow(r);
    }
    note(count == 0 ? "The function has no parameters." : "");
}

/* Below the image, where it hides none of it (on the screen). */
static void place(HWND dialog)
{
    RECT box;
    GetWindowRect(dialog, &box);
    POINT at = {8, yres + 16};
    ClientToScreen(GetParent(dialog), &at);
    int height = box.bottom - box.top;
    if (at.y + height > yscreen)
        at.y = yscreen - height > 0 ? yscreen - height : 0;
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static void OnInitDialog(HWND dialog)
{
    panel = dialog;
    place(dialog);
    for (int r = 0; r < EXPRMAXPARAMS; r++) {
        SendMessageA(item(r, IDC_SLTRACK), TBM_SETRANGE, TRUE, MAKELPARAM(0, STEPS));
        SendMessageA(item(r, IDC_SLTRACK), TBM_SETPAGESIZE, 0, STEPS / 10);
        rows[r].direction = 1;
    }
    CheckRadioButton(dialog, IDC_SLLOOP, IDC_SLBOUNCE, IDC_SLBOUNCE);
    SetDlgItemTextA(dialog, IDC_SLSECONDS, "5");
    sliderpanel_refresh();
}

/* A slider moved (dragged, clicked or by a key): the value follows and
   the picture is rendered at once. */
static void OnSlider(HWND track)
{
    for (int r = 0; r < customparamcount(); r++) {
        if (item(r, IDC_SLTRACK) != track)
            continue;
        long pos = (long)SendMessageA(track, TBM_GETPOS, 0, 0);
        if (setvalue(r, atposition(r, pos)))
            rerender();
    }
}

/* The value, minimum and maximum of row r as typed. */
static void OnEdited(int r, int column)
{
    if (r >= customparamcount())
        return;
    if (column == IDC_SLVALUE) {
        char text[200];
        GetWindowTextA(item(r, IDC_SLVALUE), text, sizeof text);
        EXPRVALUE v;
        EXPRERROR error;
        if (!exprreadvalue(text, &v, &error)) {
            note(error.message);
            return;
        }
        EXPRVALUE now = customparams().value[r];
        if (v.re == now.re && v.im == now.im && v.iscomplex == now.iscomplex)
            return;
        if (v.re < rows[r].low)
            rows[r].low = v.re;
        if (v.re > rows[r].high)
            rows[r].high = v.re;
        SetWindowTextA(item(r, IDC_SLMIN), numbertext(rows[r].low).c_str());
        SetWindowTextA(item(r, IDC_SLMAX), numbertext(rows[r].high).c_str());
        if (setvalue(r, v))
            rerender();
        return;
    }
    double low, high;
    if (!readreal(item(r, IDC_SLMIN), &low) || !readreal(item(r, IDC_SLMAX), &high) || !(high > low)) {
        note("min and max must be real, min below max");
        return;
    }
    rows[r].low = low;
    rows[r].high = high;
    note("");
    showrow(r);
}

/* One step of every playing parameter, once the render before is done. */
static void OnPlayTick()
{
    if (okrender)
        return;
    DWORD now = GetTickCount();
    double dt = (now - lasttick) / 1000.0;
    lasttick = now;
    double seconds;
    if (!readreal(GetDlgItem(panel, IDC_SLSECONDS), &seconds) || !(seconds > 0.0))
        seconds = 5.0;
    dt = dt > 0.5 ? 0.5 : dt;
    int bounce = IsDlgButtonChecked(panel, IDC_SLBOUNCE) == BST_CHECKED;
    int moved = 0;
    for (int r = 0; r < customparamcount(); r++) {
        ROW &row = rows[r];
        if (!row.playing)
            continue;
        double span = row.high - row.low;
        EXPRVALUE v = customparams().value[r];
        v.re += row.direction * span * dt / seconds;
        if (v.re > row.high || v.re < row.low) {
            if (bounce) {
                row.direction = -row.direction;
                v.re = v.re > row.high ? 2.0 * row.high - v.re : 2.0 * row.low - v.re;
            } else {
                v.re = v.re > row.high ? row.low + (v.re - row.high) : row.high - (row.low - v.re);
            }
            v.re = v.re < row.low ? row.low : (v.re > row.high ? row.high : v.re);
        }
        moved += setvalue(r, v);
    }
    if (moved)
        rerender();
}

static void OnPlay(int r)
{
    if (r >= customparamcount())
        return;
    rows[r].playing = !rows[r].playing;
    SetWindowTextA(item(r, IDC_SLPLAY), rows[r].playing ? "Stop" : "Play");
    int any = 0;
    for (int k = 0; k < customparamcount(); k++)
        any |= rows[k].playing;
    if (any) {
        lasttick = GetTickCount();
        SetTimer(panel, TIMER_PLAY, PLAY_MS, nullptr);
    } else {
        KillTimer(panel, TIMER_PLAY);
    }
}

/* The row and column of a control id of the rows; 0 when it is none. */
static int rowcontrol(int id, int *r, int *column)
{
    if (id < IDC_SLIDERROW || id >= IDC_SLIDERROW + 10 * EXPRMAXPARAMS)
        return 0;
    *r = (id - IDC_SLIDERROW) / 10;
    *column = (id - IDC_SLIDERROW) % 10;
    return 1;
}

static INT_PTR CALLBACK SliderPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    int r, column;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_HSCROLL:
        OnSlider((HWND)lParam);
        return TRUE;
    case WM_TIMER:
        if (wParam == TIMER_PLAY)
            OnPlayTick();
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            /* Enter: the field with the focus is taken. */
            if (rowcontrol(GetDlgCtrlID(GetFocus()), &r, &column) && column >= IDC_SLVALUE &&
                column <= IDC_SLMAX)
                OnEdited(r, column);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(dialog);
            return TRUE;
        }
        if (!rowcontrol(LOWORD(wParam), &r, &column))
            return FALSE;
        if (column == IDC_SLPLAY && HIWORD(wParam) == BN_CLICKED)
            OnPlay(r);
        else if (column >= IDC_SLVALUE && column <= IDC_SLMAX && HIWORD(wParam) == EN_KILLFOCUS)
            OnEdited(r, column);
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        KillTimer(dialog, TIMER_PLAY);
        for (ROW &row : rows)
            row.playing = 0;
        panel = nullptr;
        return TRUE;
    default:
        return FALSE;
    }
}

void sliderpanel_open(HWND window)
{
    if (panel == nullptr)
        CreateDialogA(g_hInstance, MAKEINTRESOURCEA(DLG_SLIDERS), window, SliderPanelProc);
    if (panel != nullptr) {
        ShowWindow(panel, SW_SHOW);
        SetForegroundWindow(panel);
    }
}

int sliderpanel_message(MSG *msg)
{
    return panel != nullptr && IsDialogMessageA(panel, msg);
}
