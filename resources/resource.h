/*
 * resource.h - identifiers shared by the resource script and the program:
 * menu and accelerator commands, dialog templates and their controls.
 * Plain #defines, so that the resource compiler reads them too.
 */
#ifndef LUMO_RESOURCE_H
#define LUMO_RESOURCE_H

/* Commands of the menu "TAVROMENU" and its accelerator table. */
#define CMD_SAVE            100     /* internal: the save flow, lParam = compression */
#define CMD_SAVEUNCOMPRESSED 101
#define CMD_SAVELZW         102
#define CMD_EXIT            103
#define CMD_SAVEPNG         104
#define CMD_SAVEFIGURE      105     /* File > Save Figure... (Ctrl+Shift+S) */
#define CMD_RENDER          110
#define CMD_FORMULA         120
#define CMD_PARAMETERS      130
#define CMD_CONTINUOUS      140     /* 140..144: colour maps 0..4 */
#define CMD_MODULAR         141
#define CMD_ANGULAR         142
#define CMD_BOTH            143
#define CMD_3D              144
#define CMD_PERCEPTUAL      145     /* 145..147: colour maps 7..9 */
#define CMD_CBSAFE          146
#define CMD_ENHANCED        147
#define CMD_ABSGREY         150
#define CMD_ABSCOLOR        151
#define CMD_DEBUG           152
#define CMD_DEBUGHELP       153
#define CMD_NOGRIDS         160     /* 160..163: grid choices */
#define CMD_SQUAREGRID      161
#define CMD_PHASEGRID       162
#define CMD_BOTHGRIDS       163
#define CMD_HELPTOPICS      170
#define CMD_ABOUT           171
#define CMD_CUSTOMFUNCTION  180
#define CMD_VIEWBACK        190     /* Backspace: the previous view */
#define CMD_VIEWHOME        191     /* Home: the formula's built-in view */
#define CMD_SLIDERS         1650    /* J: the Parameter Sliders panel */
#define CMD_PLANE           192     /* 192..194: View > Plane, Sphere, Landscape */
#define CMD_SPHERE          193
#define CMD_LANDSCAPE       194

/* The main window's status bar. */
#define IDC_STATUSBAR       700

/* Dialog templates. */
#define DLG_FORMULA         200
#define DLG_PARAMETERS      300
#define DLG_HELP            400
#define DLG_DEBUG           500
#define DLG_CUSTOM          600
#define DLG_SLIDERS         1600

/* Formula dialog: radio button 220 + formula number; 251..259 are spare. */
#define IDC_FORMULA0        220
#define IDC_FORMULALAST     250
#define IDC_SPARELAST       259

/* Parameters dialog. */
#define IDC_XMIN            305
#define IDC_XMAX            310
#define IDC_YMIN            315
#define IDC_YMAX            320
#define IDC_XRES            325
#define IDC_YRES            330
#define IDC_BRIGHTNESS      335     /* the trackbar, made at run time */
#define IDC_MAXITER         340
#define IDC_MAXSIZE         341
#define IDC_EXPONENT        342
#define IDC_JCX             343
#define IDC_JCY             344
#define IDC_FRACTALGROUP    345
#define IDC_MAXSIZELABEL    350
#define IDC_XMINLABEL       355
#define IDC_XMAXLABEL       360
#define IDC_CXLABEL         365
#define IDC_CYLABEL         370
#define IDC_ESCAPELINE1     375
#define IDC_ESCAPELINE2     376
#define IDC_DOMAINCOLORING  377     /* 377 + greyflag */
#define IDC_LEVELSETS       378
#define IDC_ALLBLACK        379
#define IDC_GRIDGROUP       380
#define IDC_GRIDWIDTH       385
#define IDC_GRIDEXTENT      390

/* Help dialog. */
#define IDC_HELPPICTURE     410

/* Debug dialog. */
#define IDC_ABSLIMIT        510
#define IDC_RESTORELIMIT    520
#define IDC_DISPLAYMAX      530
#define IDC_FORCEWINDOW     540

/* Custom Function dialog (601..629). */
#define IDC_CUSTOMTEXT      601     /* the function's text */
#define IDC_CUSTOMERROR     602     /* why the text does not parse, as it is typed */
#define IDC_CUSTOMNAMES     603     /* the names a text may use */
#define IDC_CUSTOMLABEL     604
#define IDC_CUSTOMNAMESLABEL 605
#define IDC_CUSTOMPARAMS    606     /* the text's parameters with their values */

/* Parameter Sliders panel: row r (0..7) has its controls at
   IDC_SLIDERROW + 10 r + IDC_SL...; then the sweep settings. */
#define IDC_SLIDERROW       1610
#define IDC_SLNAME          0
#define IDC_SLTRACK         1
#define IDC_SLVALUE         2
#define IDC_SLMIN           3
#define IDC_SLMAX           4
#define IDC_SLPLAY          5
#define IDC_SLLOOP          1700
#define IDC_SLBOUNCE        1701
#define IDC_SLSECONDS       1702
#define IDC_SLNOTE          1703

#endif
