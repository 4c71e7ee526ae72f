// Colour values and their text forms.
#include "ColorModel.h"

#include <climits>
#include <cstdio>

namespace {

constexpr char UPPER_DIGITS[] = "0123456789ABCDEF";
constexpr char LOWER_DIGITS[] = "0123456789abcdef";

// The nibble value of a hexadecimal digit byte, or the result that rejects the byte.
HexCodeResult HexDigitValue(unsigned char byte, int* value)
{
    if (byte >= 'A' && byte <= 'F') {
        *value = byte - 'A' + 10;
        return HEXCODE_OK;
    }
    if (byte >= 'a' && byte <= 'f') {
        *value = byte - 'a' + 10;
        return HEXCODE_OK;
    }
    if (IsShiftJisLeadByte(byte)) return HEXCODE_DBCS;
    // Only the ten ASCII digits count: single-byte katakana (0xA1-0xDF) is no lead byte and lands here.
    if (byte < '0' || byte > '9') return HEXCODE_DIGIT;
    *value = byte - '0';
    return HEXCODE_OK;
}

// White space as the C library's strtol skips it in the "C" locale.
bool IsConversionSpace(char byte)
{
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r';
}

int PositiveModulo(int value, int divisor)
{
    const int remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

} // namespace

ColorCode FormatColorCode(COLORREF color, bool upperCase)
{
    const char* digits = upperCase ? UPPER_DIGITS : LOWER_DIGITS;
    const int channels[3] = {RedOf(color), GreenOf(color), BlueOf(color)};
    ColorCode code = {};
    code.text[0] = '#';
    for (int i = 0; i < 3; ++i) {
        code.text[1 + 2 * i] = digits[channels[i] >> 4];
        code.text[2 + 2 * i] = digits[channels[i] & 0x0F];
    }
    return code;
}

HexCodeResult ParseColorCode(const char* text, COLORREF* color)
{
    if (!text) return HEXCODE_LENGTH;
    // Counting stops one byte past the code length: a longer text is rejected all the same.
    int length = 0;
    while (length <= COLOR_CODE_LENGTH && text[length] != '\0')
        ++length;
    if (length != COLOR_CODE_LENGTH) return HEXCODE_LENGTH;
    if (text[0] != '#') return HEXCODE_NOHASH;

    int nibbles[6] = {};
    for (int i = 0; i < 6; ++i) {
        const HexCodeResult result = HexDigitValue(static_cast<unsigned char>(text[1 + i]), &nibbles[i]);
        if (result != HEXCODE_OK) return result;
    }
    if (color) {
        *color = ComposeColor(nibbles[0] * 16 + nibbles[1], nibbles[2] * 16 + nibbles[3],
                              nibbles[4] * 16 + nibbles[5]);
    }
    return HEXCODE_OK;
}

ChannelText FormatChannelText(int value)
{
    // A channel is one byte, as ComposeColor takes it.
    ChannelText text = {};
    std::snprintf(text.text, sizeof text.text, "%d", value & 0xFF);
    return text;
}

ChannelVerdict ValidateChannelText(const char* text)
{
    char looked[CHANNEL_TEXT_LOOKED_AT + 1] = {};
    int length = 0;
    while (text && length < CHANNEL_TEXT_LOOKED_AT && text[length] != '\0') {
        looked[length] = text[length];
        ++length;
    }
    if (length == 0) return {true, 0, "0"};

    // Decimal conversion as strtol with base 10: white space, an optional sign, digits.
    int position = 0;
    while (IsConversionSpace(looked[position]))
        ++position;
    bool negative = false;
    if (looked[position] == '+' || looked[position] == '-') {
        negative = looked[position] == '-';
        ++position;
    }
    // A minus sign can only come in by pasting, as the field takes digits alone when typed. Taking
    // the low byte of a negative number ("-1" as 255) would leave the field and the channel
    // disagreeing, so a negative text is replaced by the nearest channel value, "0".
    if (negative) return {true, 0, "0"};

    long number = 0;
    for (; looked[position] >= '0' && looked[position] <= '9'; ++position) {
        const int digit = looked[position] - '0';
        number = number > (LONG_MAX - digit) / 10 ? LONG_MAX : number * 10 + digit;
    }
    if (number > CHANNEL_MAX || length > CHANNEL_TEXT_LENGTH) return {true, 0, "255"};
    return {false, static_cast<int>(number), nullptr};
}

int SnapToSafe(int position)
{
    // A slider never reports a position outside 0-255; anything else is pulled into range first.
    if (position < 0) position = 0;
    if (position > CHANNEL_MAX) position = CHANNEL_MAX;
    return (position + SAFE_STEP / 2) / SAFE_STEP * SAFE_STEP;
}

int SafeLineStep(int position, bool towardsHigher)
{
    return towardsHigher ? position + SAFE_STEP : position - SAFE_STEP;
}

int SafeSpinDelta(int current, int proposedDelta)
{
    const int remainder = PositiveModulo(current, SAFE_STEP);
    if (proposedDelta > 0) return SAFE_STEP - remainder;
    return remainder != 0 ? -remainder : -SAFE_STEP;
}

COLORREF ContrastTextColor(COLORREF background)
{
    const bool bright = RedOf(background) >= CONTRAST_LEVEL || GreenOf(background) >= CONTRAST_LEVEL ||
                        BlueOf(background) >= CONTRAST_LEVEL;
    return bright ? ComposeColor(0, 0, 0) : ComposeColor(CHANNEL_MAX, CHANNEL_MAX, CHANNEL_MAX);
}
