/*
 * boxtext.cpp - prints the texts of a message box or dialog of another
 * program: the window is the visible top-level dialog-class window whose
 * caption is the argument; its controls' texts are printed one per line.
 * The e2e tests use it to read what a box says.  Exit status 1 when no
 * such window exists.
 * Usage: boxtext CAPTION
 */
#include <windows.h>

#include <cstdio>
#include <cstring>

static const char *caption;
static HWND found;

static BOOL CALLBACK findbox(HWND window, LPARAM)
{
    char text[512], name[64];
    if (!IsWindowVisible(window) || !GetClassNameA(window, name, sizeof name) ||
        std::strcmp(name, "#32770") != 0)
        return TRUE;
    GetWindowTextA(window, text, sizeof text);
    if (std::strcmp(text, caption) != 0)
        return TRUE;
    found = window;
    return FALSE;
}

static BOOL CALLBACK printcontrol(HWND control, LPARAM)
{
    char text[4096] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, &length);
    if (text[0] != '\0')
        std::printf("%s\n", text);
    return TRUE;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: boxtext CAPTION\n", stderr);
        return 2;
    }
    caption = argv[1];
    EnumWindows(findbox, 0);
    if (found == nullptr)
        return 1;
    EnumChildWindows(found, printcontrol, 0);
    return 0;
}
