/*
 * customstore.cpp - formula 30's text kept between runs, the Windows way:
 * the value "Custom Function" under HKEY_CURRENT_USER\Software\Lumo Domain
 * Coloring.
 *
 * A stored text that does not parse (written by hand, or by a program
 * whose language differed) is passed over silently: formula 30 keeps its
 * default.  A failure to store is not reported either; the text still
 * holds for this run, and there is nothing the user could do about it.
 */
#include "app/LumoDomainColoring.h"

#include <cstring>

static const char storekey[] = "Software\\Lumo Domain Coloring";
static const char storevalue[] = "Custom Function";

void loadcustomtext()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, storekey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    char text[EXPRMAXLENGTH + 2];
    DWORD type = 0, size = sizeof text - 1;
    LONG status = RegQueryValueExA(key, storevalue, nullptr, &type, (BYTE *)text, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return;
    text[size] = '\0';      /* the stored string need not end in one */
    setcustomtext(text, nullptr);
}

void storecustomtext(const char *text)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, storekey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, storevalue, 0, REG_SZ, (const BYTE *)text, (DWORD)std::strlen(text) + 1);
    RegCloseKey(key);
}
