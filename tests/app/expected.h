/*
 * expected.h - what the program's resources must hold: the menu tree, the
 * accelerator table and the dialog templates, written down here by hand
 * from the program's documented texts and identifiers (not read from the
 * resource script), so that a slip in either shows up as a difference.
 */
#ifndef LUMO_TESTS_APP_EXPECTED_H
#define LUMO_TESTS_APP_EXPECTED_H

/* One menu entry in depth-first order; id POPUP for a submenu. */
enum { POPUP = -1 };
struct MENUENTRY {
    int depth;
    const char *text;
    int id;
};

/* One accelerator: its modifier, the virtual key, the command. */
struct ACCELENTRY {
    int alt;            /* 0 the key alone, 1 with Alt, 2 with Ctrl, 3 with Ctrl+Shift */
    int key;
    int command;
};

/* Kinds of dialog controls, from their class and style. */
enum KIND { EDIT, LABEL, PICTURE, LINE, PUSH, RADIO, CHECK, GROUPBOX, OTHER };

/* One control; NOID for a control without identifier, ANY where the
   position or size is not fixed. */
enum { NOID = 0xffff, ANY = -1000 };
struct CONTROLENTRY {
    int id;
    KIND kind;
    const char *text;
    int x, y, cx, cy;
};

/* One dialog template. */
struct DIALOGENTRY {
    int id;
    unsigned long style;
    const char *caption;
    const char *font;
    int pointsize;
    int x, y, cx, cy;
    const CONTROLENTRY *controls;
    int ncontrols;
    int ordered;    /* the controls must come in this order */
};

extern const MENUENTRY expectedmenu[];
extern const int nexpectedmenu;
extern const ACCELENTRY expectedaccel[];
extern const int nexpectedaccel;
extern const DIALOGENTRY expecteddialogs[];
extern const int nexpecteddialogs;

#endif
