// The main form moved to a monitor of another scale (per-monitor awareness v2).
#pragma once

#include <windows.h>

// WM_DPICHANGED of the main form: wParam's low word is the new resolution, lParam the rectangle
// Windows suggests. Windows scales the non-client area itself; the form is no window of the dialog
// class, so the dialog manager's own scaling of its controls and font does not happen: done here,
// with everything else the program sized for its resolution at start-up, and every preview told.
void OnFormDpiChanged(HWND form, int dpi, const RECT* suggested);

// The form scales itself, whatever the dialog manager would do for a window from a template.
void TakeOverDpiScaling(HWND form);

// A rectangle of a window at one resolution, at another.
RECT ScaleRect(const RECT& rect, int to, int from);
