// A colour written as CSS text on the clipboard becomes the current colour.
#pragma once

#include <windows.h>

void PasteColor(HWND form);
