/*
 * mouse.h - the mouse commands of the main window and the view commands
 * Backspace and Home (see mouse.cpp).  Coordinates are client pixels.
 */
#ifndef LUMO_MOUSE_H
#define LUMO_MOUSE_H

#include <windows.h>

void mouse_leftdown(HWND window, int x, int y);
void mouse_move(HWND window, int x, int y);
void mouse_leftup(HWND window, int x, int y);
void mouse_capturelost();
/* Zooms in by factor (out when below 1) about the image pixel (x, y). */
void mouse_zoom(HWND window, int x, int y, double factor);
void mouse_viewback(HWND window);
void mouse_viewhome(HWND window);

#endif
