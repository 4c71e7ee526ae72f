// The MDI client area, its window commands and context menus.
#pragma once

#include <windows.h>

struct MdiContextRecord {
    char ChildClassName[16];
    HMENU MenuNoPreview;
    HMENU MenuPreview;
    HMENU ClientPopup;
    HMENU ChildPopup;
    HWND MdiClient;
    WNDPROC SavedClientProc;
    ~MdiContextRecord(); // destroys the four menus at process exit
};
extern MdiContextRecord MdiContext;

bool CreateMdiClient(HINSTANCE instance, HWND form);
bool PlaceMdiClient(HWND form);
bool NewPreviewWindow(MdiContextRecord& context);
HWND GetActivePreview();
void ShowContextMenu(LPARAM point, HWND window);
LRESULT CALLBACK MdiClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND MainFormWindow(); // the MDI client's parent
