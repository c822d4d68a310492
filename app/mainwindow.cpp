/*
 * mainwindow.cpp - the main window procedure: creation and destruction of
 * the program's state, painting from the off-screen image, the Pause key,
 * and the menu and accelerator commands.
 *
 * The procedure never computes rows itself: the Render command starts a
 * render job on worker threads (windowrender.cpp) and the window thread
 * shows its rows as they come.
 */
#include "app/LumoDomainColoring.h"
#include "app/mouse.h"
#include "app/projectionview.h"
#include "app/windowrender.h"

/* The client area the image may use: all of it above the status bar. */
static void setclientrect(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    int bottom = client.bottom - statusbar_height();
    ClientRect = {client.left, client.top, client.right, bottom < 0 ? 0 : bottom};
}

/* Starts the render threads, shows the splash, builds the off-screen
   image (1300 pixels wide, room for the graph strip), fills the tables,
   loads the start formula, sets the menu marks and asks for the first
   render.  g_hWnd is still null
   here, so the menu commands of InitFormula reach no window. */
static LRESULT OnCreate(HWND window)
{
    /* (The threads start here, not in the first render's time.) */
    startrenderthreads();
    if (oksplash)
        splash(window);
    statusbar_create(window);
    statusbar_layout(window);
    setclientrect(window);
    VhdcRect = {0, 0, 1300, yres};
    g_BlackBrush = (HBRUSH)GetStockObject(BLACK_BRUSH);
    g_GreyBrush = (HBRUSH)GetStockObject(GRAY_BRUSH);
    if (createsurface(window, 1300, yres) != 0)
        return -1;      /* CreateWindowExA then fails: "Couldn't create main window." */

    fillfactorial();
    initsettings();
    loadcustomtext();
    loadcustomparams();
    g_hMenu = GetMenu(window);
    InitFormula(formula);
    CheckMenuItem(g_hMenu, CMD_CONTINUOUS, MF_BYCOMMAND | MF_CHECKED);
    projectionmarks();
    CheckMenuItem(g_hMenu, CMD_NOGRIDS, MF_BYCOMMAND | MF_CHECKED);
    EnableMenuItem(g_hMenu, CMD_DEBUG, MF_BYCOMMAND | MF_GRAYED);
    PostMessageA(window, WM_COMMAND, CMD_RENDER, 0);
    return 0;
}

/* Stops a render in progress (its workers must not write into a released
   image), releases the image and ends the message loop. */
static void OnDestroy(HWND window)
{
    stoprender(window);
    endrenderthreads();
    okrender = 0;
    j = 0;
    releasesurface();
    PostQuitMessage(0);
}

/* Moving or sizing repaints the whole client area from the image. */
static void OnMoveSize(HWND window)
{
    InvalidateRect(window, nullptr, TRUE);
    statusbar_layout(window);
    setclientrect(window);
}

/* Copies the update rectangle 1:1 from the off-screen image; the part of
   the client area beyond the image keeps the black background. */
static void OnPaint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (g_vhdc != nullptr) {
        RECT r = ps.rcPaint;
        if (r.right > surfacewidth)
            r.right = surfacewidth;
        if (r.bottom > surfaceheight)
            r.bottom = surfaceheight;
        if (r.right > r.left && r.bottom > r.top)
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_vhdc, r.left, r.top, SRCCOPY);
        /* During a render the image below the rows shown is still grey on
           the screen; the workers may be writing it. */
        int shown = rendershownrows();
        if (shown >= 0) {
            RECT rest = {0, shown, xres, yres};
            RECT grey;
            if (IntersectRect(&grey, &rest, &ps.rcPaint))
                FillRect(dc, &grey, g_GreyBrush);
        }
    }
    EndPaint(window, &ps);
}

/* Pause aborts a render; the rows done so far stay on the image and the
   next render starts again from the first row. */
static void OnKeyDown(HWND window, WPARAM key)
{
    if (okrender && key == VK_PAUSE) {
        stoprender(window);
        cursor_restore(cross);
        SetCursorPos(100, 100);
    }
}

/* Opens a dialog template of this program, owned by the main window. */
static INT_PTR opendialog(HWND window, int id, DLGPROC procedure)
{
    return DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(id), window, procedure, 0);
}

/* The menu and accelerator commands; all are ignored during a render. */
static void OnCommand(HWND window, int id, LPARAM lParam)
{
    if (okrender)
        return;
    switch (id) {
    case CMD_SAVE:
        savecommand(window, (int)lParam);
        break;
    case CMD_SAVEUNCOMPRESSED:
        PostMessageA(window, WM_COMMAND, CMD_SAVE, TIFF_UNCOMPRESSED);
        break;
    case CMD_SAVELZW:
        PostMessageA(window, WM_COMMAND, CMD_SAVE, TIFF_LZW);
        break;
    case CMD_SAVEPNG:
        savepngcommand(window);
        break;
    case CMD_SAVEFIGURE:
        savefigurecommand(window);
        break;
    case CMD_EXIT:
        PostMessageA(window, WM_DESTROY, 0, 0);
        break;
    case CMD_RENDER:
        if (g_vhdc != nullptr) {
            okrender = 1;
            startrender(window);
        }
        break;
    case CMD_FORMULA:
        if (opendialog(window, DLG_FORMULA, FormulaDialogProc) == 1) {
            j = 0;
            InitFormula(formula);
            SendMessageA(window, WM_COMMAND, CMD_RENDER, 0);
        }
        break;
    case CMD_CUSTOMFUNCTION:
        /* A new text makes formula 30 current, as the Formula dialog would. */
        if (opendialog(window, DLG_CUSTOM, CustomDialogProc) == 1) {
            sliderpanel_refresh();
            formula = CUSTOMFORMULA;
            j = 0;
            InitFormula(formula);
            SendMessageA(window, WM_COMMAND, CMD_RENDER, 0);
        }
        break;
    case CMD_SLIDERS:
        sliderpanel_open(window);
        break;
    case CMD_PARAMETERS: {
        int oldxres = xres, oldyres = yres;
        INT_PTR result = opendialog(window, DLG_PARAMETERS, ParamDialogProc);
        parametersclosed(window, result, oldxres, oldyres);
        break;
    }
    case CMD_CONTINUOUS:
    case CMD_MODULAR:
    case CMD_ANGULAR:
    case CMD_BOTH:
    case CMD_3D:
    case CMD_PERCEPTUAL:
    case CMD_CBSAFE:
    case CMD_ENHANCED:
        colormapcommand(window, id);
        break;
    case CMD_ABSGREY:
    case CMD_ABSCOLOR:
        absvaluecommand(window, id);
        break;
    case CMD_DEBUG:
        opendialog(window, DLG_DEBUG, DebugDialogProc);
        break;
    case CMD_DEBUGHELP:
        MessageBoxA(nullptr, absvaluehelp, "Absolute Value Coloring - Debug Options", MB_ICONQUESTION);
        break;
    case CMD_NOGRIDS:
    case CMD_SQUAREGRID:
    case CMD_PHASEGRID:
    case CMD_BOTHGRIDS:
        gridcommand(id);
        break;
    case CMD_VIEWBACK:
        mouse_viewback(window);
        break;
    case CMD_VIEWHOME:
        mouse_viewhome(window);
        break;
    case CMD_PLANE:
    case CMD_SPHERE:
    case CMD_LANDSCAPE:
        projectioncommand(window, id);
        break;
    case CMD_HELPTOPICS:
        opendialog(window, DLG_HELP, HelpDialogProc);
        break;
    case CMD_ABOUT: {
        char text[350];
        LumoIO::sprintf_s(text, sizeof text, "%s", abouttext);
        MessageBoxA(nullptr, text, "About", MB_ICONINFORMATION);
        break;
    }
    default:
        break;
    }
}

/* The main window's procedure: one handler per message. */
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_MOVE:
    case WM_SIZE:
        OnMoveSize(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(window, wParam);
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam), lParam);
        return 0;
    case WM_SETCURSOR:
        /* The wait cursor over the client area for as long as a render
           runs, as when the renderer set it row by row. */
        if (okrender && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorA(nullptr, IDC_WAIT));
            return TRUE;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_TIMER:
        renderticked();
        return 0;
    case WM_RENDERDONE:
        renderdone(window, wParam);
        return 0;
    case WM_MOUSEMOVE:
        mouse_move(window, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        mouse_leftdown(window, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_LBUTTONUP:
        mouse_leftup(window, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        mouse_capturelost();
        return 0;
    case WM_RBUTTONUP:
        mouse_zoom(window, (short)LOWORD(lParam), (short)HIWORD(lParam), 0.5);
        return 0;
    case WM_MOUSEWHEEL: {
        /* The wheel message gives screen coordinates. */
        POINT p = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        ScreenToClient(window, &p);
        mouse_zoom(window, p.x, p.y, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1.5 : 1.0 / 1.5);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
