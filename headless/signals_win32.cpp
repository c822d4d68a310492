/*
 * signals_win32.cpp - headless_cleanuponsignals for lumo.exe.  Windows has
 * no SIGTERM or SIGHUP, and Ctrl+C in a console ends the process at once:
 * a save it interrupts leaves its temporary file (.NAME.lumo-save-XXXXXX,
 * which says what it is) beside the target, and the target as it was.
 */
#include "headless/headless.h"

void headless_cleanuponsignals() {}

void headless_lineopen(int) {}
