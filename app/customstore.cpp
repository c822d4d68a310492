/*
 * customstore.cpp - formula 30's text kept between runs, the Windows way:
 * the value "Custom Function" under HKEY_CURRENT_USER\Software\Lumo Domain
 * Coloring.
 *
 * The values of its parameters go beside it, in "Custom Parameters".
 *
 * A stored text that does not parse (written by hand, or by a program
 * whose language differed) is passed over silently: formula 30 keeps its
 * default.  A failure to store is not reported either; the text still
 * holds for this run, and there is nothing the user could do about it.
 */
#include "app/LumoDomainColoring.h"

#include <cstring>
#include <string>

#include "render/reproduce.h"

static const char storekey[] = "Software\\Lumo Domain Coloring";
static const char storevalue[] = "Custom Function";
static const char paramsvalue[] = "Custom Parameters";

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

void storecustomparams()
{
    std::string text;
    for (int k = 0; k < customparamcount(); k++)
        text += std::string(k ? ";" : "") + customparamname(k) + "=" + exactvalue(customparams().value[k]);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, storekey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, paramsvalue, 0, REG_SZ, (const BYTE *)text.c_str(), (DWORD)text.size() + 1);
    RegCloseKey(key);
}

/* A stored value that names no parameter of the text or does not read is
   passed over, as a stored text that does not parse is. */
void loadcustomparams()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, storekey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    char text[2048];
    DWORD type = 0, size = sizeof text - 1;
    LONG status = RegQueryValueExA(key, paramsvalue, nullptr, &type, (BYTE *)text, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return;
    text[size] = '\0';
    std::string all(text);
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find(';', start);
        end = end == std::string::npos ? all.size() : end;
        std::string one = all.substr(start, end - start);
        size_t equals = one.find('=');
        EXPRVALUE value;
        int k = equals == std::string::npos ? -1 : findcustomparam(one.substr(0, equals).c_str());
        if (k >= 0 && exprreadvalue(one.substr(equals + 1).c_str(), &value, nullptr))
            setcustomparam(k, value, nullptr);
        start = end + 1;
    }
}
