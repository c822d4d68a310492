/*
 * expected.cpp - the menu, accelerators and dialogs the program's
 * resources must hold (see expected.h).
 */
#include "expected.h"

#include <windows.h>

const MENUENTRY expectedmenu[] = {
    {0, "File   ", POPUP},
    {1, "Save Selection as TIFF", POPUP},
    {2, "Uncompressed (U)", 101},
    {2, "LZW Compression (L)", 102},
    {1, "Save Selection as PNG (Ctrl+S)", 104},
    {1, "Save Figure... (Ctrl+Shift+S)", 105},
    {1, "Exit (Esc)", 103},
    {0, "Render Image (R)   ", 110},
    {0, "Options   ", POPUP},
    {1, "Formula (F)", 120},
    {1, "Custom Function (E)", 180},
    {1, "Parameters (P)", 130},
    {1, "Parameter Sliders (J)", 1650},
    {1, "Color Map", POPUP},
    {2, "Continuous (C)", 140},
    {2, "Cyclic - Modular (M)", 141},
    {2, "Cyclic - Angular (A)", 142},
    {2, "Cyclic - Both (B)", 143},
    {2, "Cyclic - 3- D (D)", 144},
    {2, "Perceptual (O)", 145},
    {2, "Colour-Blind Safe (K)", 146},
    {2, "Enhanced Portrait (H)", 147},
    {2, "Absolute Value", POPUP},
    {3, "Greyscale Gradient (V)", 150},
    {3, "Color Gradient (W)", 151},
    {3, "Debug (Alt + D)", 152},
    {3, "Debug Help (F4)", 153},
    {1, "Grid", POPUP},
    {2, "No Grids (N)", 160},
    {2, "Square Grid (S)", 161},
    {2, "Angular (Phase) Grid (T)", 162},
    {2, "Both Grids (G)", 163},
    {0, "View", POPUP},
    {1, "Plane (1)", 192},
    {1, "Sphere (2)", 193},
    {1, "Landscape (3)", 194},
    {0, "Help", POPUP},
    {1, "Help Topics (F2)", 170},
    {1, "About (F3)", 171},
    {1, "Absolute Value Coloring (F4)", 153},
};
const int nexpectedmenu = sizeof expectedmenu / sizeof expectedmenu[0];

const ACCELENTRY expectedaccel[] = {
    {0, 'U', 101}, {0, 'L', 102}, {2, 'S', 104}, {3, 'S', 105}, {0, VK_ESCAPE, 103}, {0, 'R', 110},
    {0, 'F', 120}, {0, 'P', 130}, {0, 'C', 140}, {0, 'M', 141},
    {0, 'A', 142}, {0, 'B', 143}, {0, 'D', 144}, {0, 'O', 145},
    {0, 'K', 146}, {0, 'H', 147}, {0, 'V', 150},
    {0, 'W', 151}, {1, 'D', 152}, {0, VK_F4, 153}, {0, 'N', 160},
    {0, 'S', 161}, {0, 'T', 162}, {0, 'G', 163}, {0, VK_F2, 170},
    {0, VK_F3, 171}, {0, 'E', 180}, {0, VK_BACK, 190}, {0, VK_HOME, 191},
    {0, 'J', 1650},
    {0, '1', 192}, {0, '2', 193}, {0, '3', 194},
};
const int nexpectedaccel = sizeof expectedaccel / sizeof expectedaccel[0];

/* Formula dialog: columns at x 16 (220..239) and 208 (240..259), rows 20
   apart from y 12, 190 wide. */
#define R1(k, text) {220 + (k), RADIO, text, 16, 12 + 20 * (k), 190, ANY}
#define R2(k, text) {220 + (k), RADIO, text, 208, 12 + 20 * ((k) - 20), 190, ANY}
static const CONTROLENTRY formulacontrols[] = {
    R1(0, "z = z^2 + c   ( Mandelbrot set )"),
    R1(1, "z = z^2 + c    ( Julia set )"),
    R1(2, "gamma function fractal"),
    R1(3, "w = z   ( color wheel )"),
    R1(4, "w = 1 / z"),
    R1(5, "w = z + 1 / z"),
    R1(6, "w = z^3 - 1"),
    R1(7, "w = 1 / ( z^4 - z )"),
    R1(8, "w = z^( 2/3 - i )"),
    R1(9, "w = ( z^2 - 1 ) (z - 2 - i )^2 / ( z^2 + 2 + 2i ) ( Wikipedia )"),
    R1(10, "w = ( z + 2 )^2 ( z - 1 - 2i ) ( z + i )"),
    R1(11, "w = ( z - 2 )^2 ( z + 1 - 2i )( z + 2 + 2i ) / z^3"),
    R1(12, "w = ( z^3 - 1 ) / ( z^3 + 1 ) ( Mobius transformation )"),
    R1(13, "w = ( 1 - z )^( -2 - 3i )"),
    R1(14, "w = ( 1 - zi ) / ( ( -zi )^2 -  zi + 1 )"),
    R1(15, "w = ( z - 1 ) / ( z^2 + z + 1 )"),
    R1(16, "w = sin( z )"),
    R1(17, "w = sin ( 1 / z^3 )"),
    R1(18, "w = cos ( z ) / sin( z^4 - 1.0 )"),
    R1(19, "Lambert series"),
    R2(20, "w = gamma ( z )"),
    R2(21, "w = log ( gamma ( z ) )"),
    R2(22, "w = exp ( z^2 )"),
    R2(23, "w = exp ( z^( -2z ) )"),
    R2(24, "w = exp [ 2z ] / ( z - 1 )^2"),
    R2(25, "w = exp ( 1 - z^2) - 1"),
    R2(26, "w = Product [ k = 1 -> 6 ] exp ( ( z + u^k ) / ( z - u^k ) )"),
    R2(27, "w = Riemann zeta ( z )"),
    R2(28, "iterated zeta function"),
    R2(29, "w = log ( zeta ( z )"),
    R2(30, "Custom"),
    R2(31, "?"),
    R2(32, "?"),
    R2(33, "?"),
    R2(34, "?"),
    R2(35, "?"),
    R2(36, "?"),
    R2(37, "?"),
    R2(38, "?"),
    R2(39, "?"),
    {NOID, LABEL, "u = exp ( 2 Pi i / 6 )", 300, 143, 64, 8},
    {IDOK, PUSH, "OK", 75, 414, 50, 14},
    {IDCANCEL, PUSH, "Cancel", 275, 414, 50, 14},
};

#define C(id, kind, text) {id, kind, text, ANY, ANY, ANY, ANY}
static const CONTROLENTRY paramcontrols[] = {
    C(IDOK, PUSH, "OK"),
    C(IDCANCEL, PUSH, "Cancel"),
    C(355, LABEL, "xmin :"),
    C(360, LABEL, "xmax :"),
    C(NOID, LABEL, "ymin ( min -20.0 ) :"),
    C(NOID, LABEL, "ymax ( max 20.0 ) :"),
    C(NOID, LABEL, "xres ( 32 - 9600 ) :"),
    C(NOID, LABEL, "yres ( 32 - 9600 ) :"),
    C(305, EDIT, ""),
    C(310, EDIT, ""),
    C(315, EDIT, ""),
    C(320, EDIT, ""),
    C(325, EDIT, ""),
    C(330, EDIT, ""),
    C(NOID, LABEL, "brightness:"),
    C(NOID, LABEL, "1"),
    C(NOID, LABEL, "2"),
    C(NOID, LABEL, "3"),
    C(345, GROUPBOX, "    fractal formula parameters    "),
    C(NOID, LABEL, "maxiter ( 1 - 1024 ) :"),
    C(350, LABEL, "maxsize ( 2.0 - 64.0 ) :"),
    C(NOID, LABEL, "exponent ( 1.0 - 12.0 ) :"),
    C(365, LABEL, "cx :"),
    C(370, LABEL, "cy :"),
    C(340, EDIT, ""),
    C(341, EDIT, ""),
    C(342, EDIT, ""),
    C(343, EDIT, ""),
    C(344, EDIT, ""),
    C(375, LINE, ""),
    C(376, LINE, ""),
    C(NOID, LABEL, "   escape point coloring   "),
    C(377, RADIO, "domain coloring"),
    C(378, RADIO, "greyscale level sets"),
    C(379, RADIO, "all points black"),
    C(380, GROUPBOX, "    grid parameters    "),
    C(NOID, LABEL, "thickness ( 0.01 - 0.1 ) :"),
    C(NOID, LABEL, "plane extent ( 2 - 50 ) :"),
    C(385, EDIT, ""),
    C(390, EDIT, ""),
};

static const CONTROLENTRY helpcontrols[] = {
    {NOID, LABEL, "Lumo Domain Coloring Help", 24, 8, 150, 8},
    {NOID, LABEL, "Options Menu", 8, 24, 50, 8},
    {NOID, LABEL, "Formula: Select a function of a complex variable.", 16, 36, 280, 8},
    {NOID, LABEL, "Parameters: Adjust as desired. Images can be larger than the window.", 16, 48, 280, 8},
    {NOID, LABEL, "Brightness can be adjusted for continuous gradients.", 24, 60, 280, 8},
    {NOID, LABEL, "Color Map: Gradient or abs(w) . The gradient options are:", 16, 72, 280, 8},
    {410, PICTURE, "", 16, 84, ANY, ANY},
    {NOID, LABEL, "Continuous      Cyclic Modular   Cyclic Angular     Cyclic Both         Cyclic 3D", 24, 134, 280, 8},
    {NOID, LABEL, "Grid: A square grid can be superimposed on the gradient. The grid line width and the", 16, 150, 280, 8},
    {NOID, LABEL, "extent of the grid plane can be adjusted in the Parameters dialog box. A cyclic", 24, 162, 280, 8},
    {NOID, LABEL, "angular ( phase ) grid also can be superimposed on the gradient.", 24, 174, 280, 8},
    {NOID, LABEL, "File Menu", 8, 190, 280, 8},
    {NOID, LABEL, "Save: Images can be saved as TIFF files, with or without LZW compression.", 16, 202, 280, 8},
    {NOID, LABEL, "A graph of log(abs(w) ) along the real axis is displayed when both the x and y image", 8, 218, 280, 8},
    {NOID, LABEL, "resolutions are set to 600.", 16, 230, 280, 8},
    {IDCANCEL, PUSH, "Close", 116, 246, 50, 14},
};

static const CONTROLENTRY debugcontrols[] = {
    {NOID, LABEL, "abs(w) limit ( 0.1 - 500.0 ) :", 12, 6, 87, 8},
    {510, EDIT, "", 100, 4, 64, 12},
    {520, CHECK, "Restore default abs(w) limit on OK", 12, 24, 120, 12},
    {530, CHECK, "Display max abs(w)", 12, 44, 120, 12},
    {540, CHECK, "Force image window : + / - 20.0", 12, 64, 120, 12},
    {IDOK, PUSH, "OK", 8, 312, 48, 14},
    {IDCANCEL, PUSH, "Cancel", 124, 312, 48, 14},
};

static const CONTROLENTRY customcontrols[] = {
    {604, LABEL, "w =", 8, 10, 14, 8},
    {601, EDIT, "", 24, 8, 288, 12},
    {602, LABEL, "", 24, 24, 288, 8},
    {606, LABEL, "", 24, 32, 288, 8},
    {605, LABEL, "Names:", 8, 40, 60, 8},
    {603, OTHER, "", 8, 50, 304, 152},
    {IDOK, PUSH, "OK", 88, 210, 50, 14},
    {IDCANCEL, PUSH, "Cancel", 182, 210, 50, 14},
};

/* Parameter Sliders: a row of name, slider, value, min, max and Play per
   parameter, 16 apart from y 18. */
#define SLROW(r)                                                                  \
    {1610 + 10 * (r), LABEL, "", 8, 20 + 16 * (r), 36, 8},                        \
    {1611 + 10 * (r), OTHER, "", 44, 18 + 16 * (r), 120, 12},                     \
    {1612 + 10 * (r), EDIT, "", 166, 18 + 16 * (r), 70, 12},                      \
    {1613 + 10 * (r), EDIT, "", 238, 18 + 16 * (r), 34, 12},                      \
    {1614 + 10 * (r), EDIT, "", 274, 18 + 16 * (r), 34, 12},                      \
    {1615 + 10 * (r), PUSH, "Play", 310, 18 + 16 * (r), 28, 12}
static const CONTROLENTRY slidercontrols[] = {
    {NOID, LABEL, "value", 166, 6, 70, 8},
    {NOID, LABEL, "min", 238, 6, 34, 8},
    {NOID, LABEL, "max", 274, 6, 34, 8},
    SLROW(0), SLROW(1), SLROW(2), SLROW(3), SLROW(4), SLROW(5), SLROW(6), SLROW(7),
    {1700, RADIO, "Loop", 8, 150, 36, 10},
    {1701, RADIO, "Bounce", 48, 150, 44, 10},
    {NOID, LABEL, "Seconds a sweep:", 100, 151, 62, 8},
    {1702, EDIT, "", 166, 149, 34, 12},
    {1703, LABEL, "", 208, 151, 132, 8},
};

#define N(a) (int)(sizeof a / sizeof a[0])
static const unsigned long CAPTIONED =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;

const DIALOGENTRY expecteddialogs[] = {
    {200, CAPTIONED, "Select Formula", "MS Sans Serif", 8, 0, 0, 400, 436,
     formulacontrols, N(formulacontrols), 0},
    {300, CAPTIONED, "Parameters", "MS Sans Serif", 8, 0, 0, 178, 382,
     paramcontrols, N(paramcontrols), 0},
    {400, WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK, "",
     "Times New Roman", 11, 6, 4, 284, 268, helpcontrols, N(helpcontrols), 1},
    {500, CAPTIONED, "Abs ( w ) Debug Options", "MS Sans Serif", 8, 0, 0, 178, 332,
     debugcontrols, N(debugcontrols), 1},
    {600, CAPTIONED, "Custom Function", "MS Sans Serif", 8, 0, 0, 320, 232,
     customcontrols, N(customcontrols), 1},
    {1600, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_3DLOOK, "Parameter Sliders",
     "MS Sans Serif", 8, 0, 0, 346, 170, slidercontrols, N(slidercontrols), 1},
};
const int nexpecteddialogs = N(expecteddialogs);
