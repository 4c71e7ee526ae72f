// The magnifier window that follows the pointer while screen capture runs.
#pragma once

#include <windows.h>

// Copies the block of screen pixels around the pointer into the magnifier, which is made and shown
// as needed, stays beside the pointer on its monitor, and repaints when the block has changed.
// Answers the pointer's pixel; false, with the magnifier left as it was, when the block cannot be
// read. The screen DC and the pointer are in physical pixels: called with the thread per-monitor
// DPI aware, so that the window, too, is placed and drawn in physical pixels.
bool LoupeTakeBlock(HDC screen, POINT pointer, bool upperCase, COLORREF* centre);

// Takes the magnifier away; harmless when there is none.
void CloseLoupe();

// The magnifier window while there is one, else null.
HWND LoupeWindow();
