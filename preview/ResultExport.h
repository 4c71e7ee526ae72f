// The contrast results of the previews out of the program: as text, as a table, as a CSV file.
#pragma once

#include <windows.h>

// The preview's result as lines of text on the clipboard; nothing without a preview.
void CopyContrastResult(HWND form, HWND preview);
// Every preview's result, in the order of the window list, as a tab-separated table.
void CopyResultTable(HWND form);
// The same table to a file the save dialog names.
void SaveResultCsv(HWND form);
// The table to the given file as UTF-8 with a byte-order mark and CR LF. The file is replaced
// whole or not at all; a failure is reported. False when it failed or there is no preview.
bool SaveResultCsvTo(HWND form, const wchar_t* path);
