// Layout of the main form on resize, its minimum size and the status bar parts.
#pragma once

#include <windows.h>
#include "LayoutMath.h"

extern LayoutBaseRecord LayoutBase;

void RecordBaseMetrics(HWND form);
void LayoutMainForm(HWND form, int width, int height);
void OnGetMinMaxInfo(HWND form, MINMAXINFO* info);
void InitStatusBarParts(HWND form);
// The screen's resolution across, in dots per inch, that lengths given for 96 are scaled to.
int ScreenDpi(HWND window);
void SetScreenDpi(int dpi); // the form has moved to a monitor of this resolution
// The layout base and minimum size as at creation, for a monitor of this resolution.
void ScaleLayoutBase(HWND form, int dpi);
