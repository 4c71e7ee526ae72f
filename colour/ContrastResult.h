// A preview's contrast verdicts as text for a report or a spreadsheet: pure functions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ColorTypes.h"
#include "Vision.h"

// What a report tells of one preview window.
struct PreviewResultFacts {
    char title[256];
    COLORREF fontColor;
    COLORREF innerColor;
    COLORREF outerColor;
    char face[33]; // empty: the default font
    int points;
    bool bold;
    VisionMode vision;
};

// One item a line, lines joined with CR LF, in code page 932: the three colours, the font, the
// ratio as the contrast tooltip shows it, the verdicts of 1.4.3 and 1.4.6 for normal and large
// text and of 1.4.11 for the outer band, and in a simulation mode that mode and its ratio.
std::string ContrastResultText(const PreviewResultFacts& facts, bool upperCase);

// A header row and one row per preview with the same items, fields separated by `separator`, each
// row ended by CR LF; fields are quoted where needed.
std::string ContrastResultTable(const std::vector<PreviewResultFacts>& previews, bool upperCase,
                                char separator);

// A field as RFC 4180 writes it: in double quotes, its quotes doubled, when it holds the separator,
// a quote, CR or LF; as it is otherwise.
std::string QuotedField(std::string_view field, char separator);
