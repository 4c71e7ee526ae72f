// Printing the preview windows as they lie on the screen.
#pragma once

#include <windows.h>
#include "preview/MesProc.h"

struct PrintContextRecord {
    HDC dc;
    HWND mdiClient;
    HFONT savedFont;
    int captionHeight;
    int scale;
};
extern PrintContextRecord PrintContext;

bool PrintPreviews(HWND form);
void PrintPreviewWindow(HWND window, const PreviewState& record);
// Draws the preview windows of the MDI client onto any DC (printer, metafile, memory DC).
void DrawPreviewPage(HDC dc, HWND mdiClient);
