/*
 * platformspy.cpp - the recorders behind the wrapped platform calls.
 */
#include "platformspy.h"

PLATFORMSPY spy;
static std::vector<void *> waithandles;

void resetspy()
{
    spy = PLATFORMSPY();
    waithandles.clear();
}

/* The linker sends the core's calls to the __wrap_ names (mangled C++
   names, hence the spelling) and the __real_ names to the platform layer. */
extern "C" {
void __real__Z13window_enablei(int enable);
void *__real__Z11cursor_waitv();
void __real__Z14cursor_restorePv(void *cursor);
void __real__Z15window_settitlePKc(const char *title);
void __real__Z11message_boxPKcS0_ii(const char *text, const char *caption, int style, int owned);

void __wrap__Z13window_enablei(int enable)
{
    spy.events.push_back(enable ? "enable 1" : "enable 0");
    spy.enabled = enable;
    __real__Z13window_enablei(enable);
}

void *__wrap__Z11cursor_waitv()
{
    spy.events.push_back("wait");
    spy.waiting++;
    void *previous = __real__Z11cursor_waitv();
    waithandles.push_back(previous);
    return previous;
}

void __wrap__Z14cursor_restorePv(void *cursor)
{
    spy.events.push_back("restore");
    spy.waiting--;
    if (waithandles.empty() || waithandles.back() != cursor)
        spy.restoredhandleok = 0;
    if (!waithandles.empty())
        waithandles.pop_back();
    __real__Z14cursor_restorePv(cursor);
}

void __wrap__Z15window_settitlePKc(const char *title)
{
    spy.events.push_back(std::string("title ") + title);
    __real__Z15window_settitlePKc(title);
}

void __wrap__Z11message_boxPKcS0_ii(const char *text, const char *caption, int style, int owned)
{
    spy.events.push_back("box");
    spy.boxtext = text;
    spy.boxcaption = caption;
    spy.boxstyle = style;
    spy.boxowned = owned;
    spy.boxcount++;
    __real__Z11message_boxPKcS0_ii(text, caption, style, owned);
}
}
