// Propagation of the current colour, hexadecimal entry, the colour dialog and the clipboard.
#pragma once

#include <windows.h>
#include "colour/ColorModel.h"

constexpr int HEX_TEXT_SIZE = 16;
extern char HexText[HEX_TEXT_SIZE];
extern COLORREF CustomColors[16];

void InitHexField(HWND form);
void PropagateCurrentColor(HWND form);
void CopyTextToClipboard(const char* text);
void OnHexFieldChange(HWND form);
HexCodeResult ApplyHexField();
void OnApply(HWND form);
bool ChooseColorFromDialog(HWND form);
