// Encodings of settings values: pure functions, tested without any window.
#pragma once

#include <cstddef>
#include <string>

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

// The settings file is read and written on its bytes (code page 932 whatever the system's), with
// the rules of the platform's initialization files: section and key names match without regard to
// case and only their first section counts; white space around a value and one pair of enclosing
// quotes (" or ') are dropped on reading.
// The value of a key; false when the section or the key is missing.
bool FindIniValue(const std::string& file, const char* section, const char* key, std::string* value);
// The file with the key set: its line replaced in place, else the key added after the last line of
// its section, else a new section at the end. Lines end in CR LF; everything else stays.
std::string SetIniValue(const std::string& file, const char* section, const char* key, const char* value);

// The same path splitting on UTF-16 paths, which hold any folder name (no double-byte rules there).
std::wstring WideSettingsPath(const std::wstring& programPath);
std::wstring WideBaseName(const std::wstring& programPath);

// Recent colours: colour codes separated by commas, newest first ("#336699,#000080"). Reading
// skips what is no code and what repeats an earlier entry, keeps at most `capacity` and answers
// how many it kept; writing writes whole codes only, as many as fit.
constexpr int RECENT_COLOR_LIMIT = 10;
int DecodeRecentColors(const char* text, COLORREF* colors, int capacity);
void EncodeRecentColors(const COLORREF* colors, int count, char* out, std::size_t outSize);
