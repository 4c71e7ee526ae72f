// The colours lately made current on purpose, newest first, and the submenu that offers them.
#pragma once

#include <windows.h>

// Puts a colour at the top of the list (moving it there if it is in it already) after a deliberate
// act: the hexadecimal field's apply, the colour dialog, a list selection, a paste, the end of a
// capture. Slider drags and typed channel values do not come here.
void RememberRecentColor(HWND form, COLORREF color);
void ChooseRecentColor(HWND form, int index); // the colour becomes current and moves to the top
void ClearRecentColors(HWND form);

// For the settings file: the list newest first, and a list read from it.
int RecentColorList(COLORREF* colors, int capacity);
void SetRecentColors(HWND form, const COLORREF* colors, int count);

// Brings the submenus of every bar up to date (the codes follow the upper-case option).
void RefreshRecentMenus(HWND form);
// WM_INITMENUPOPUP of the main form: a popup about to open that holds the submenu is refreshed.
void OnEditPopupOpening(HWND form, HMENU popup);
