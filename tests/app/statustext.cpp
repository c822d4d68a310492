/*
 * statustext.cpp - prints the text of the status bar of the program's
 * main window, or with --clear empties it first, so that a test can wait
 * for the next text the program writes there.  Exit status 1 when there is
 * no main window or status bar.
 * Usage: statustext [--clear]
 */
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    HWND main = FindWindowA("LumoWindow", "Lumo Domain Coloring");
    HWND bar = main ? GetDlgItem(main, 700) : nullptr;
    if (bar == nullptr)
        return 1;
    DWORD_PTR result = 0;
    if (argc == 2 && std::strcmp(argv[1], "--clear") == 0) {
        SendMessageTimeoutA(bar, WM_SETTEXT, 0, (LPARAM) "", SMTO_ABORTIFHUNG, 5000, &result);
        return 0;
    }
    char text[1024] = "";
    SendMessageTimeoutA(bar, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &result);
    std::printf("%s\n", text);
    return 0;
}
