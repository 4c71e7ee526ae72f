// The catalogue of named and system colours: one row space 0..164 for both tables.
#pragma once

#include "ColorTypes.h"

constexpr int NAMED_COLOR_COUNT = 140;
constexpr int SYSTEM_COLOR_COUNT = 25;
constexpr int CATALOGUE_ROW_COUNT = NAMED_COLOR_COUNT + SYSTEM_COLOR_COUNT;
constexpr int CATALOGUE_COLUMN_COUNT = 7;
constexpr int ROW_SAMPLE_TEXT_SIZE = 132;
constexpr int ROW_CELL_TEXT_SIZE = 32;

struct NamedColor {
    char name[24];
    COLORREF color;
    int basic;
};

struct SystemColor {
    int index;
    char name[24];
    char description[76]; // code page 932
    COLORREF value;
};

extern const NamedColor NamedColors[NAMED_COLOR_COUNT];
extern SystemColor SystemColors[SYSTEM_COLOR_COUNT];

// Reads every system row's value from the given source (GetSysColor on Windows).
typedef COLORREF (*SystemColorSource)(int index);
void RefreshSystemColors(SystemColorSource source);
#ifdef _WIN32
void RefreshSystemColors(); // from GetSysColor
#endif

COLORREF RowColor(int row);
// Name, or for a system row "name\r\ndescription"; buffer of ROW_SAMPLE_TEXT_SIZE bytes.
void RowSampleText(int row, char* buffer);
// Text of one list cell, column 0..6; buffer of ROW_CELL_TEXT_SIZE bytes.
void RowCellText(int row, int column, char* buffer);
