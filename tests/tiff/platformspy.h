/*
 * platformspy.h - watches what the code under test asks of the platform.
 *
 * The test executable is linked with --wrap for the window, cursor and
 * message-box calls, so each goes through a recorder here before it
 * reaches the in-memory platform layer.
 */
#ifndef LUMO_TESTS_PLATFORMSPY_H
#define LUMO_TESTS_PLATFORMSPY_H

#include <string>
#include <vector>

struct PLATFORMSPY {
    std::vector<std::string> events;   /* "enable 0", "wait", "restore", "title 37 %" ... */
    int enabled = 1;                   /* the main window's state */
    int waiting = 0;                   /* wait cursors not yet restored */
    int restoredhandleok = 1;          /* every restore got the handle its wait returned */
    std::string boxtext, boxcaption;
    int boxstyle = -1, boxowned = -1, boxcount = 0;
};

extern PLATFORMSPY spy;

/* Forgets everything recorded so far. */
void resetspy();

#endif
