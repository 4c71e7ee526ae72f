// Encodings of settings values.
#include "SettingsCodec.h"

#include <climits>
#include <cstring>

#include "colour/ColorModel.h"

namespace {

// True for a lead byte of a double-byte character in code page 932 (the program's ANSI code page).
bool IsLeadByte(char byte)
{
    const unsigned char value = static_cast<unsigned char>(byte);
    return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

// Bytes of the character at text: 2 for a lead byte with a byte after it, else 1. Like CharNextA,
// a lead byte just before the terminator stands alone.
std::size_t CharacterLength(const char* text)
{
    return IsLeadByte(text[0]) && text[1] != '\0' ? 2 : 1;
}

bool IsConversionSpace(char byte)
{
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r';
}

// atoi over [begin, end): white space, an optional sign, digits up to the first other byte; 0 when
// there are none. Unlike atoi it saturates instead of overflowing.
int ConvertLikeAtoi(const char* begin, const char* end)
{
    while (begin < end && IsConversionSpace(*begin))
        ++begin;
    bool negative = false;
    if (begin < end && (*begin == '+' || *begin == '-')) {
        negative = *begin == '-';
        ++begin;
    }
    // Accumulated as a negative number, whose range reaches INT_MIN.
    int value = 0;
    for (; begin < end && *begin >= '0' && *begin <= '9'; ++begin) {
        const int digit = *begin - '0';
        value = value < (INT_MIN + digit) / 10 ? INT_MIN : value * 10 - digit;
    }
    if (negative) return value;
    return value == INT_MIN ? INT_MAX : -value;
}

// Copies the characters of [begin, end) after out[*length], as many as fit before the terminator
// of an outSize buffer; a double-byte character is never cut in half. Returns false when cut.
bool AppendBounded(char* out, std::size_t outSize, std::size_t* length, const char* begin, const char* end)
{
    while (begin < end) {
        const std::size_t size = begin + 1 < end ? CharacterLength(begin) : 1;
        if (*length + size >= outSize) return false;
        for (std::size_t i = 0; i < size; ++i)
            out[(*length)++] = begin[i];
        begin += size;
    }
    return true;
}

// The parts of a path as _splitpath divides it: [path, name) is drive and directory,
// [name, extension) the file name, and the extension runs from its dot to the end.
struct PathParts {
    const char* name;
    const char* extension;
    const char* end;
};

PathParts SplitPath(const char* path)
{
    PathParts parts = {path, nullptr, nullptr};
    const char* cursor = path;
    if (path[0] != '\0' && !IsLeadByte(path[0]) && path[1] == ':') {
        cursor = path + 2;
        parts.name = cursor;
    }
    const char* lastDot = nullptr;
    // Walking character by character keeps the 0x5C second byte of a character such as 表 from
    // being taken for a directory separator.
    while (*cursor != '\0') {
        const std::size_t size = CharacterLength(cursor);
        if (size == 1 && (*cursor == '\\' || *cursor == '/')) {
            parts.name = cursor + 1;
            lastDot = nullptr;
        } else if (size == 1 && *cursor == '.') {
            lastDot = cursor;
        }
        cursor += size;
    }
    parts.end = cursor;
    parts.extension = lastDot ? lastDot : cursor;
    return parts;
}

} // namespace

Placement ParsePlacement(const char* text)
{
    Placement placement = {};
    if (!text) return placement;
    // Runs of commas are one separator, as strtok cuts them, without strtok's hidden state.
    int count = 0;
    const char* cursor = text;
    while (count < 4) {
        while (*cursor == ',')
            ++cursor;
        if (*cursor == '\0') break;
        const char* tokenEnd = cursor;
        while (*tokenEnd != '\0' && *tokenEnd != ',')
            ++tokenEnd;
        placement.values[count++] = ConvertLikeAtoi(cursor, tokenEnd);
        cursor = tokenEnd;
    }
    return placement;
}

bool IsPlacementUsable(const Placement& placement)
{
    return placement.values[3] != 0;
}

void EncodeStoredText(const char* text, char* out, std::size_t outSize)
{
    if (!out || outSize == 0) return;
    // The stored value is read back into a buffer of SETTINGS_TEXT_SIZE bytes.
    const std::size_t limit = outSize < SETTINGS_TEXT_SIZE ? outSize - 1 : SETTINGS_TEXT_SIZE - 1;
    std::size_t length = 0;
    while (text && text[length] != '\0') {
        // A cut never leaves half a double-byte character behind.
        if (length + CharacterLength(text + length) > limit) break;
        if (IsLeadByte(text[length]) && text[length + 1] != '\0') {
            out[length] = text[length];
            ++length;
        }
        // An initialization file keeps one value on one line; neither CR nor LF may reach it.
        const char byte = text[length];
        out[length] = byte == '\r' || byte == '\n' ? '\\' : byte;
        ++length;
    }
    out[length] = '\0';
}

void DecodeStoredText(char* text)
{
    if (!text) return;
    // One pass from the left finds the same pairs as searching again from the start after every
    // replacement would: a CR LF written in place of a pair never forms a new pair.
    std::size_t read = 0;
    std::size_t write = 0;
    while (text[read] != '\0') {
        if (IsLeadByte(text[read]) && text[read + 1] != '\0') {
            // The second byte of 表 is 0x5C: it must not pair with a following backslash.
            text[write++] = text[read++];
            text[write++] = text[read++];
        } else if (text[read] == '\\' && text[read + 1] == '\\') {
            text[write++] = '\r';
            text[write++] = '\n';
            read += 2;
        } else {
            text[write++] = text[read++];
        }
    }
    text[write] = '\0';
}

int FontOptionBits(long weight, int italic, int underline, int strikeOut)
{
    // Only the exact bold weight is stored; 600 or 800 comes back as the weight of the default font.
    int bits = 0;
    if (weight == 700) bits |= FONTOPTION_BOLD;
    if (italic != 0) bits |= FONTOPTION_ITALIC;
    if (underline != 0) bits |= FONTOPTION_UNDERLINE;
    if (strikeOut != 0) bits |= FONTOPTION_STRIKEOUT;
    return bits;
}

void ApplyFontOptionBits(int bits, FontOptionFields* fields)
{
    if (!fields) return;
    if (bits & FONTOPTION_BOLD) fields->weight = 700;
    if (bits & FONTOPTION_ITALIC) fields->italic = 1;
    if (bits & FONTOPTION_UNDERLINE) fields->underline = 1;
    if (bits & FONTOPTION_STRIKEOUT) fields->strikeOut = 1;
}

void SettingsPathFromProgramPath(const char* programPath, char* out, std::size_t outSize)
{
    if (!out || outSize == 0) return;
    out[0] = '\0';
    const char suffix[] = ".ini";
    const std::size_t suffixLength = sizeof suffix - 1;
    if (!programPath || outSize <= suffixLength) return;
    const PathParts parts = SplitPath(programPath);
    // Drive, directory and name stand together at the start of the path: only the extension is
    // swapped. An over-long path is cut before the suffix, so that a cut path still names an .ini
    // file and never some other file that happens to carry the shorter name.
    std::size_t length = 0;
    AppendBounded(out, outSize - suffixLength, &length, programPath, parts.extension);
    AppendBounded(out, outSize, &length, suffix, suffix + suffixLength);
    out[length] = '\0';
}

void ProgramBaseName(const char* programPath, char* out, std::size_t outSize)
{
    if (!out || outSize == 0) return;
    out[0] = '\0';
    if (!programPath) return;
    const PathParts parts = SplitPath(programPath);
    std::size_t length = 0;
    AppendBounded(out, outSize, &length, parts.name, parts.extension);
    out[length] = '\0';
}

int DecodeRecentColors(const char* text, COLORREF* colors, int capacity)
{
    int count = 0;
    if (!text || !colors) return 0;
    for (const char* entry = text; count < capacity;) {
        const char* end = std::strchr(entry, ',');
        if (!end) end = entry + std::strlen(entry);
        const char* first = entry;
        const char* last = end;
        while (first < last && IsConversionSpace(*first))
            ++first;
        while (last > first && IsConversionSpace(last[-1]))
            --last;
        COLORREF color = 0;
        char code[COLOR_CODE_LENGTH + 1] = {};
        if (last - first == COLOR_CODE_LENGTH) {
            std::memcpy(code, first, COLOR_CODE_LENGTH);
            bool repeated = ParseColorCode(code, &color) != HEXCODE_OK;
            for (int i = 0; i < count && !repeated; ++i)
                repeated = colors[i] == color;
            if (!repeated) colors[count++] = color;
        }
        if (*end == '\0') break;
        entry = end + 1;
    }
    return count;
}

void EncodeRecentColors(const COLORREF* colors, int count, char* out, std::size_t outSize)
{
    if (!out || outSize == 0) return;
    out[0] = '\0';
    std::size_t length = 0;
    for (int i = 0; colors && i < count; ++i) {
        const ColorCode code = FormatColorCode(colors[i], true);
        const std::size_t needed = (i ? 1 : 0) + COLOR_CODE_LENGTH;
        if (length + needed >= outSize) break;
        if (i) out[length++] = ',';
        std::memcpy(out + length, code.text, COLOR_CODE_LENGTH);
        length += COLOR_CODE_LENGTH;
        out[length] = '\0';
    }
}
