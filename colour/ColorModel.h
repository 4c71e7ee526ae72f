// Colour values and their text forms: pure functions, no window in sight.
#pragma once

#include "ColorTypes.h"

constexpr int SAFE_STEP = 51;
constexpr int CONTRAST_LEVEL = 170;
constexpr int CHANNEL_MAX = 255;
constexpr int COLOR_CODE_LENGTH = 7;
constexpr int CHANNEL_TEXT_LENGTH = 3;
constexpr int CHANNEL_TEXT_LOOKED_AT = 7; // bytes of a channel field that are examined

enum HexCodeResult { HEXCODE_OK = 0, HEXCODE_LENGTH = 1, HEXCODE_NOHASH = 2, HEXCODE_DBCS = 3, HEXCODE_DIGIT = 4 };

constexpr COLORREF ComposeColor(int red, int green, int blue)
{
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(COLORREF color) { return static_cast<int>(color & 0xFF); }
constexpr int GreenOf(COLORREF color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int BlueOf(COLORREF color) { return static_cast<int>((color >> 16) & 0xFF); }

// A colour code "#RRGGBB" with its NUL, in the 16-byte buffer every holder of a code uses.
struct ColorCode {
    char text[16];
};

// "#RRGGBB" in upper-case digits when upperCase, else lower case; the top byte is ignored.
ColorCode FormatColorCode(COLORREF color, bool upperCase);

// Parses a seven-byte code; the first failing byte decides the result. *color is set only on HEXCODE_OK.
HexCodeResult ParseColorCode(const char* text, COLORREF* color);

// Plain decimal text of a channel value.
struct ChannelText {
    char text[8];
};
ChannelText FormatChannelText(int value);

// What to do with the text of a channel number field: take a value, or replace the text.
struct ChannelVerdict {
    bool replace;            // true: write replacement into the field instead of taking a value
    int value;               // 0..255 when !replace
    const char* replacement; // "255" or "0" when replace
};
ChannelVerdict ValidateChannelText(const char* text);

int SnapToSafe(int position);
int SafeLineStep(int position, bool towardsHigher); // position +/- SAFE_STEP, before the slider clamps it
int SafeSpinDelta(int current, int proposedDelta);
COLORREF ContrastTextColor(COLORREF background);

// True for a lead byte of a double-byte character in code page 932.
constexpr bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
