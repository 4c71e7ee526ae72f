// The colour list page and the switching between the two tab pages.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "colour/Catalogue.h"

struct ColorListState {
    HWND list;
    int direction[CATALOGUE_COLUMN_COUNT];
    WNDPROC savedProc;
};
extern ColorListState ColorList;

void InitColorList(HWND form);
void FillColorList();
LRESULT CALLBACK ColorListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnColorListNotify(HWND form, NMHDR* header, WPARAM wParam);
void ApplyCatalogueRow(int row);
int CALLBACK CompareColorRows(LPARAM row1, LPARAM row2, LPARAM column);
void ShowTabPage(HWND form);
void ScaleColorListColumns(HWND form); // after a change of resolution
// The answer to the header's HDN_ITEMCHANGING: the user cannot change the widths, the program can.
LRESULT OnColumnChanging();
