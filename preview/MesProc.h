// The preview window: sample text in a font and colour on the inner colour inside the outer band.
#pragma once

#include <windows.h>
#include "colour/Contrast.h"
#include "colour/Vision.h"
#include "shell/GdiHandles.h"

constexpr UINT PM_SETINNERCOLOR = WM_APP + 1;
constexpr UINT PM_SETFONT = WM_APP + 2;
constexpr UINT PM_SETTEXT = WM_APP + 3;
constexpr UINT PM_SETOUTERCOLOR = WM_APP + 4;

struct PreviewState {
    HWND edit;
    COLORREF outerColor;
    COLORREF innerColor;
    COLORREF fontColor;
    LOGFONTA logFont;
    GdiObject innerBrush; // solid brush of innerColor
    GdiObject font;       // made from logFont, or none
    HWND tooltip;         // tells the contrast of the colours over the band and the sample text
    // The tooltip's lines, kept here because the tooltip reads them after the notification.
    char tipText[CONTRAST_TIP_LINES * (sizeof ContrastTipLines{}.lines[0] + 2)];
    // How the window shows its colours; the colours above stay the true ones.
    VisionMode vision;
    GdiObject seenInnerBrush; // solid brush of innerColor as the viewer sees it, outside normal vision
    // The resolution the window is shown at, and the font's height as last chosen and the resolution
    // then: the shown height follows the monitor from there, so the text keeps its size in points.
    int dpi;
    LONG chosenHeight;
    int chosenDpi;
};

// Carries colours and a font into PM_SETINNERCOLOR and PM_SETFONT.
extern PreviewState PreviewTemplate;

LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
PreviewState* PreviewStateOf(HWND window); // null for windows that are no preview
bool ChoosePreviewFont(HWND window);
void ShowFontInfo(const PreviewState& state, HWND form);
// Fills an area of any DC (screen, printer, memory) with the outer colour, edges included.
void PaintPreviewBand(HDC dc, const RECT& area, COLORREF outerColor);
// Puts the radio mark of the vision submenus of the menu bar and the context popup on the mode.
void MarkVisionMode(VisionMode mode);
// While capture runs no contrast tooltip shows, since it would lie over the magnifier.
void QuietContrastTips(bool quiet);
