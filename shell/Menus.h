// Menu bars, the option check marks and the menu help in the status bar.
#pragma once

#include <windows.h>

constexpr int MAX_OPTION_ITEMS = 10;
constexpr int SYSTEM_MENU_ITEM_COUNT = 9; // a maximised MDI child's system menu on the bar

enum BarPosition { BAR_FILE = 0, BAR_OPTIONS = 1, BAR_WINDOW = 2 };

HMENU BarPopup(HMENU bar, int position);
HMENU OptionsPopup(HWND form);
bool IsOptionChecked(HWND form, UINT id);
void ToggleOption(HWND form, UINT id);
void ApplyTopmost(HWND form);
void SwapFrameMenu(bool previews);
void ShowMenuHelp(HWND form, UINT item);
void EndMenuHelp(HWND form);

// The popup within a menu, at any depth, that holds an item of the given identifier; null if none.
HMENU FindPopupHolding(HMENU menu, UINT id);

// Puts the mark of the radio group first..last of an Options submenu on `chosen`, in both bars.
void MarkOptionChoice(HWND form, UINT first, UINT last, UINT chosen);
// The marked item of the group, or byDefault when none is.
UINT OptionChoice(HWND form, UINT first, UINT last, UINT byDefault);
