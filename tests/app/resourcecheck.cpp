/*
 * resourcecheck.cpp - loads the resources of a built program (the .exe
 * named on the command line, as a data file) through the window system and
 * compares them with expected.cpp: the menu tree with its texts and ids,
 * the accelerator table, the dialog templates (style, caption, font,
 * position, size, and every control's id, kind, text and, where fixed,
 * position), the two pictures and the icon.
 *
 * Prints one line per difference and exits with 1 when there is any.
 * Usage: resourcecheck PROGRAM.exe [PROGRAM.exe ...]
 */
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "expected.h"

static int failures;

static void fail(const char *what, const std::string &detail)
{
    std::printf("FAIL: %s: %s\n", what, detail.c_str());
    failures++;
}

/* --- menu ---------------------------------------------------------------- */

struct FOUNDITEM {
    int depth;
    std::string text;
    int id;
};

static void walkmenu(HMENU menu, int depth, std::vector<FOUNDITEM> &items)
{
    int count = GetMenuItemCount(menu);
    for (int k = 0; k < count; k++) {
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, (UINT)k, TRUE, &info)) {
            fail("menu", "cannot read an item");
            continue;
        }
        items.push_back({depth, text, info.hSubMenu ? POPUP : (int)info.wID});
        if (info.hSubMenu)
            walkmenu(info.hSubMenu, depth + 1, items);
    }
}

static void checkmenu(HMODULE module)
{
    HMENU menu = LoadMenuA(module, "TAVROMENU");
    if (menu == nullptr) {
        fail("menu", "no menu TAVROMENU");
        return;
    }
    std::vector<FOUNDITEM> items;
    walkmenu(menu, 0, items);
    DestroyMenu(menu);
    size_t n = items.size() > (size_t)nexpectedmenu ? items.size() : (size_t)nexpectedmenu;
    for (size_t k = 0; k < n; k++) {
        char detail[512];
        if (k >= items.size()) {
            std::snprintf(detail, sizeof detail, "missing item \"%s\"", expectedmenu[k].text);
            fail("menu", detail);
        } else if (k >= (size_t)nexpectedmenu) {
            std::snprintf(detail, sizeof detail, "extra item \"%s\"", items[k].text.c_str());
            fail("menu", detail);
        } else if (items[k].depth != expectedmenu[k].depth || items[k].text != expectedmenu[k].text ||
                   items[k].id != expectedmenu[k].id) {
            std::snprintf(detail, sizeof detail, "item %d is \"%s\" (id %d, level %d), expected \"%s\" (id %d, level %d)",
                          (int)k, items[k].text.c_str(), items[k].id, items[k].depth,
                          expectedmenu[k].text, expectedmenu[k].id, expectedmenu[k].depth);
            fail("menu", detail);
        }
    }
}

/* --- accelerators -------------------------------------------------------- */

/* The ACCEL flags of an expected entry's modifiers. */
static int modifiersof(int alt)
{
    return alt == 3 ? (FCONTROL | FSHIFT) : alt == 2 ? FCONTROL : alt ? FALT : 0;
}

static void checkaccelerators(HMODULE module)
{
    HACCEL table = LoadAcceleratorsA(module, "TAVROMENU");
    if (table == nullptr) {
        fail("accelerators", "no table TAVROMENU");
        return;
    }
    int count = CopyAcceleratorTableA(table, nullptr, 0);
    std::vector<ACCEL> accel((size_t)count);
    CopyAcceleratorTableA(table, accel.data(), count);
    DestroyAcceleratorTable(table);

    std::vector<int> used((size_t)count, 0);
    for (int e = 0; e < nexpectedaccel; e++) {
        const ACCELENTRY &x = expectedaccel[e];
        int found = 0;
        for (int k = 0; k < count && !found; k++) {
            int modifiers = accel[k].fVirt & (FALT | FCONTROL | FSHIFT);
            if (!used[k] && (accel[k].fVirt & FVIRTKEY) && accel[k].key == x.key &&
                accel[k].cmd == x.command && modifiers == modifiersof(x.alt))
                used[k] = found = 1;
        }
        if (!found) {
            char detail[128];
            std::snprintf(detail, sizeof detail, "no %skey 0x%02x for command %d",
                          x.alt == 3 ? "Ctrl+Shift+" : x.alt == 2 ? "Ctrl+" : x.alt ? "Alt+" : "",
                          x.key, x.command);
            fail("accelerators", detail);
        }
    }
    for (int k = 0; k < count; k++) {
        if (!used[k]) {
            char detail[128];
            std::snprintf(detail, sizeof detail, "extra key 0x%02x (flags 0x%x) for command %d",
                          accel[k].key, accel[k].fVirt, accel[k].cmd);
            fail("accelerators", detail);
        }
    }
}

/* --- dialog templates ---------------------------------------------------- */

/* Reads a template as the window system stores it, the classic and the
   extended form. */
struct READER {
    const BYTE *p;
    WORD word() { WORD v; std::memcpy(&v, p, 2); p += 2; return v; }
    DWORD dword() { DWORD v; std::memcpy(&v, p, 4); p += 4; return v; }
    short sword() { return (short)word(); }
    void align() { while ((ULONG_PTR)p & 3) p++; }
    /* A string or an ordinal (0xffff then the number). */
    std::string text(int *ordinal)
    {
        *ordinal = -1;
        WORD first = word();
        if (first == 0xffff) {
            *ordinal = word();
            return "";
        }
        std::string s;
        for (WORD c = first; c != 0; c = word())
            s += (char)(c < 256 ? c : '?');
        return s;
    }
};

struct FOUNDCONTROL {
    int id;
    KIND kind;
    std::string text;
    int x, y, cx, cy;
    DWORD style;
};

static KIND kindof(int classordinal, const std::string &classname, DWORD style)
{
    std::string name;
    for (char c : classname)
        name += (char)(c >= 'a' && c <= 'z' ? c - 32 : c);
    if (classordinal == 0x81 || name == "EDIT")
        return EDIT;
    if (classordinal == 0x80 || name == "BUTTON") {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return PUSH;
        case BS_AUTORADIOBUTTON:
            return RADIO;
        case BS_AUTOCHECKBOX:
            return CHECK;
        case BS_GROUPBOX:
            return GROUPBOX;
        default:
            return OTHER;
        }
    }
    if (classordinal == 0x82 || name == "STATIC") {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_LEFTNOWORDWRAP:
            return LABEL;
        case SS_BITMAP:
            return PICTURE;
        case SS_ETCHEDHORZ:
            return LINE;
        default:
            return OTHER;
        }
    }
    return OTHER;
}

static const char *kindname(KIND kind)
{
    static const char *const names[] = {"edit", "label", "picture", "line", "push button",
                                        "radio button", "check box", "group box", "other"};
    return names[kind];
}

static bool matches(const CONTROLENTRY &x, const FOUNDCONTROL &c)
{
    return c.id == x.id && c.kind == x.kind && c.text == x.text &&
           (x.x == ANY || c.x == x.x) && (x.y == ANY || c.y == x.y) &&
           (x.cx == ANY || c.cx == x.cx) && (x.cy == ANY || c.cy == x.cy);
}

static std::string describe(int id, KIND kind, const std::string &text, int x, int y, int cx, int cy)
{
    char s[512];
    std::snprintf(s, sizeof s, "%s id %d \"%s\" at (%d, %d) size %d x %d", kindname(kind), id,
                  text.c_str(), x, y, cx, cy);
    return s;
}

static void checkdialog(HMODULE module, const DIALOGENTRY &x)
{
    char what[64];
    std::snprintf(what, sizeof what, "dialog %d", x.id);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(x.id), (LPCSTR)RT_DIALOG);
    const BYTE *data = info ? (const BYTE *)LockResource(LoadResource(module, info)) : nullptr;
    if (data == nullptr) {
        fail(what, "no template");
        return;
    }
    READER r = {data};
    bool extended = r.word() == 1 && r.word() == 0xffff;
    DWORD style;
    if (extended) {
        r.dword();          /* help id */
        r.dword();          /* extended style */
        style = r.dword();
    } else {
        r.p = data;
        style = r.dword();
        r.dword();
    }
    int count = r.word();
    int x0 = r.sword(), y0 = r.sword(), cx = r.sword(), cy = r.sword();
    int ordinal;
    r.text(&ordinal);       /* menu */
    r.text(&ordinal);       /* class */
    std::string caption = r.text(&ordinal);
    int pointsize = 0;
    std::string font;
    if (style & DS_SETFONT) {
        pointsize = r.word();
        if (extended) {
            r.word();       /* weight */
            r.word();       /* italic, character set */
        }
        font = r.text(&ordinal);
    }

    char detail[512];
    if (style != x.style) {
        std::snprintf(detail, sizeof detail, "style 0x%08lx, expected 0x%08lx", (unsigned long)style, x.style);
        fail(what, detail);
    }
    if (caption != x.caption)
        fail(what, "caption \"" + caption + "\", expected \"" + x.caption + "\"");
    if (font != x.font || pointsize != x.pointsize) {
        std::snprintf(detail, sizeof detail, "font \"%s\" %d, expected \"%s\" %d", font.c_str(),
                      pointsize, x.font, x.pointsize);
        fail(what, detail);
    }
    if (x0 != x.x || y0 != x.y || cx != x.cx || cy != x.cy) {
        std::snprintf(detail, sizeof detail, "at (%d, %d) size %d x %d, expected (%d, %d) %d x %d",
                      x0, y0, cx, cy, x.x, x.y, x.cx, x.cy);
        fail(what, detail);
    }

    std::vector<FOUNDCONTROL> controls;
    for (int k = 0; k < count; k++) {
        r.align();
        FOUNDCONTROL c;
        if (extended) {
            r.dword();
            r.dword();
            c.style = r.dword();
        } else {
            c.style = r.dword();
            r.dword();
        }
        c.x = r.sword();
        c.y = r.sword();
        c.cx = r.sword();
        c.cy = r.sword();
        c.id = extended ? (int)(r.dword() & 0xffff) : r.word();
        int classordinal;
        std::string classname = r.text(&classordinal);
        int textordinal;
        c.text = r.text(&textordinal);
        r.p += r.word();    /* creation data */
        c.kind = kindof(classordinal, classname, c.style);
        controls.push_back(c);
    }

    std::vector<int> used(controls.size(), 0);
    for (int e = 0; e < x.ncontrols; e++) {
        const CONTROLENTRY &want = x.controls[e];
        int found = -1;
        if (x.ordered) {
            if ((size_t)e < controls.size() && matches(want, controls[(size_t)e]))
                found = e;
        } else {
            for (size_t k = 0; k < controls.size() && found < 0; k++)
                if (!used[k] && matches(want, controls[k]))
                    found = (int)k;
        }
        if (found < 0)
            fail(what, "missing " + describe(want.id, want.kind, want.text, want.x, want.y, want.cx, want.cy));
        else
            used[(size_t)found] = 1;
    }
    for (size_t k = 0; k < controls.size(); k++)
        if (!used[k])
            fail(what, "unexpected " + describe(controls[k].id, controls[k].kind, controls[k].text,
                                                controls[k].x, controls[k].y, controls[k].cx, controls[k].cy));

    /* The formula buttons form one group reached by Tab one by one. */
    if (x.id == 200) {
        for (const FOUNDCONTROL &c : controls) {
            if (c.style & WS_GROUP)
                fail(what, "WS_GROUP on " + describe(c.id, c.kind, c.text, c.x, c.y, c.cx, c.cy));
            if (c.kind == RADIO && !(c.style & WS_TABSTOP))
                fail(what, "no WS_TABSTOP on " + describe(c.id, c.kind, c.text, c.x, c.y, c.cx, c.cy));
        }
    }
}

/* --- pictures and icon --------------------------------------------------- */

/* The header and the pixel rows (bottom-up, padded) of a 24-bit bitmap
   resource; null when there is none. */
static const BITMAPINFOHEADER *bitmapresource(HMODULE module, const char *name)
{
    HRSRC info = FindResourceA(module, name, (LPCSTR)RT_BITMAP);
    return info ? (const BITMAPINFOHEADER *)LockResource(LoadResource(module, info)) : nullptr;
}

/* Colour r + 256 g + 65536 b of pixel (x, y), row 0 at the top. */
static unsigned pixel(const BITMAPINFOHEADER *h, int x, int y)
{
    const BYTE *bits = (const BYTE *)h + h->biSize;
    int stride = (h->biWidth * 3 + 3) & ~3;
    const BYTE *p = bits + (size_t)(h->biHeight - 1 - y) * stride + (size_t)x * 3;
    return p[2] | (p[1] << 8) | ((unsigned)p[0] << 16);
}

static bool checksize(const char *name, const BITMAPINFOHEADER *h, int width, int height)
{
    if (h == nullptr) {
        fail(name, "missing");
        return false;
    }
    if (h->biWidth != width || h->biHeight != height || h->biBitCount != 24 || h->biCompression != BI_RGB) {
        char detail[128];
        std::snprintf(detail, sizeof detail, "%ld x %ld, %d bits, expected %d x %d, 24 bits",
                      (long)h->biWidth, (long)h->biHeight, h->biBitCount, width, height);
        fail(name, detail);
        return false;
    }
    return true;
}

/* Number of different colours in a block, up to a limit. */
static int colours(const BITMAPINFOHEADER *h, int left, int top, int width, int height, int limit)
{
    std::vector<unsigned> seen;
    for (int y = top; y < top + height; y++)
        for (int x = left; x < left + width; x++) {
            unsigned c = pixel(h, x, y);
            bool known = false;
            for (unsigned s : seen)
                known = known || s == c;
            if (!known)
                seen.push_back(c);
            if ((int)seen.size() >= limit)
                return limit;
        }
    return (int)seen.size();
}

static void checkpictures(HMODULE module)
{
    const BITMAPINFOHEADER *splash = bitmapresource(module, "LUMOSPLASHBITMAP");
    if (checksize("LUMOSPLASHBITMAP", splash, 360, 360)) {
        /* A blue frame around a picture of many colours. */
        const int edge[][2] = {{0, 0}, {359, 0}, {0, 359}, {359, 359}, {180, 0}, {0, 180}, {359, 180}, {180, 359}};
        for (const auto &e : edge)
            if (pixel(splash, e[0], e[1]) != 0xff0000)
                fail("LUMOSPLASHBITMAP", "the frame is not blue everywhere");
        if (colours(splash, 20, 20, 320, 100, 200) < 200)
            fail("LUMOSPLASHBITMAP", "hardly a domain-colouring picture");
    }
    const BITMAPINFOHEADER *help = bitmapresource(module, "LUMOHELPBITMAP");
    if (checksize("LUMOHELPBITMAP", help, 500, 100)) {
        for (int k = 0; k < 5; k++) {
            if (colours(help, k * 100, 0, 100, 100, 100) < 100)
                fail("LUMOHELPBITMAP", "a square with few colours");
            for (int m = 0; m < k; m++) {
                bool same = true;
                for (int y = 0; y < 100 && same; y += 7)
                    for (int x = 0; x < 100 && same; x += 7)
                        same = pixel(help, k * 100 + x, y) == pixel(help, m * 100 + x, y);
                if (same)
                    fail("LUMOHELPBITMAP", "two squares show the same gradient");
            }
        }
    }

    HRSRC group = FindResourceA(module, "TAVROICON", (LPCSTR)RT_GROUP_ICON);
    const BYTE *dir = group ? (const BYTE *)LockResource(LoadResource(module, group)) : nullptr;
    if (dir == nullptr) {
        fail("TAVROICON", "missing");
    } else {
        READER r = {dir};
        r.word();
        int type = r.word(), count = r.word();
        int width = *r.p, height = *(r.p + 1);
        r.p += 4;
        r.word();
        int bits = r.word();
        r.dword();
        int id = r.word();
        if (type != 1 || count != 1 || width != 32 || height != 32 || bits != 24)
            fail("TAVROICON", "not one 32 x 32 image of 24 bits");
        HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(id), (LPCSTR)RT_ICON);
        const BITMAPINFOHEADER *h = image ? (const BITMAPINFOHEADER *)LockResource(LoadResource(module, image)) : nullptr;
        if (h == nullptr || h->biWidth != 32 || h->biHeight != 64 || h->biBitCount != 24)
            fail("TAVROICON", "its image is not 32 x 32 x 24 bits");
    }
    if (FindResourceA(module, "TAVROWICON", (LPCSTR)RT_GROUP_ICON) != nullptr)
        fail("TAVROWICON", "present, but the splash class is meant to find no icon");
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fputs("usage: resourcecheck PROGRAM.exe [PROGRAM.exe ...]\n", stderr);
        return 2;
    }
    for (int a = 1; a < argc; a++) {
        HMODULE module = LoadLibraryExA(argv[a], nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (module == nullptr) {
            fail(argv[a], "cannot be loaded");
            continue;
        }
        int before = failures;
        checkmenu(module);
        checkaccelerators(module);
        for (int d = 0; d < nexpecteddialogs; d++)
            checkdialog(module, expecteddialogs[d]);
        checkpictures(module);
        FreeLibrary(module);
        std::printf("%s: %s\n", argv[a], failures == before ? "resources as expected" : "DIFFERENCES");
    }
    return failures ? 1 : 0;
}
