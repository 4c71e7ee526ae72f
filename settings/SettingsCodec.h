// Encodings of settings values: pure functions, tested without any window.
#pragma once

#include <cstddef>

#include "colour/ColorTypes.h"

constexpr std::size_t SETTINGS_TEXT_SIZE = 1024;

// Four comma-separated integers of a stored placement ("100,50,740,530"); missing ones are 0.
struct Placement {
    int values[4];
};
Placement ParsePlacement(const char* text);
bool IsPlacementUsable(const Placement& placement); // the fourth number is not 0

// Sample text <-> stored form: every CR and LF byte becomes a backslash when stored; on reading,
// each pair of backslashes becomes CR LF. The decoder steps over the second byte of a double-byte
// character, so a 0x5C trail byte is never taken for a backslash.
void EncodeStoredText(const char* text, char* out, std::size_t outSize);
void DecodeStoredText(char* text); // in place; the text only gets shorter or stays

// FONTOPTION bits: 1 bold (weight exactly 700), 2 italic, 4 underline, 8 strikeout.
constexpr int FONTOPTION_BOLD = 1;
constexpr int FONTOPTION_ITALIC = 2;
constexpr int FONTOPTION_UNDERLINE = 4;
constexpr int FONTOPTION_STRIKEOUT = 8;
int FontOptionBits(long weight, int italic, int underline, int strikeOut);
struct FontOptionFields {
    long weight;
    unsigned char italic, underline, strikeOut;
};
// Set bits set their field; clear bits leave it as it was.
void ApplyFontOptionBits(int bits, FontOptionFields* fields);

// Path splitting, bounded: never writes past the given buffers.
// Settings file: drive + directory + name + ".ini" of the program path, cut to outSize.
void SettingsPathFromProgramPath(const char* programPath, char* out, std::size_t outSize);
// Base name without directory and extension ("C:\\Tools\\Huebench.exe" -> "Huebench").
void ProgramBaseName(const char* programPath, char* out, std::size_t outSize);

// Recent colours: colour codes separated by commas, newest first ("#336699,#000080"). Reading
// skips what is no code and what repeats an earlier entry, keeps at most `capacity` and answers
// how many it kept; writing writes whole codes only, as many as fit.
constexpr int RECENT_COLOR_LIMIT = 10;
int DecodeRecentColors(const char* text, COLORREF* colors, int capacity);
void EncodeRecentColors(const COLORREF* colors, int count, char* out, std::size_t outSize);
