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

namespace {

// One line of the file: [begin, end) without its line break; next is where the following one starts.
struct IniLine {
    std::size_t begin, end, next;
};

IniLine IniLineAt(const std::string& file, std::size_t at)
{
    const std::size_t feed = file.find('\n', at);
    const std::size_t next = feed == std::string::npos ? file.size() : feed + 1;
    std::size_t end = feed == std::string::npos ? file.size() : feed;
    if (end > at && file[end - 1] == '\r') --end;
    return {at, end, next};
}

void TrimIni(const std::string& file, std::size_t* begin, std::size_t* end)
{
    while (*begin < *end && IsConversionSpace(file[*begin]))
        ++*begin;
    while (*end > *begin && IsConversionSpace(file[*end - 1]))
        --*end;
}

bool SameIniName(const std::string& file, std::size_t begin, std::size_t end, const char* name)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (; begin < end; ++begin, ++name)
        if (*name == '\0' || lower(file[begin]) != lower(*name)) return false;
    return *name == '\0';
}

// A section header "[name]": the name, trimmed.
bool IniSectionName(const std::string& file, const IniLine& line, std::size_t* begin, std::size_t* end)
{
    std::size_t b = line.begin, e = line.end;
    TrimIni(file, &b, &e);
    if (b >= e || file[b] != '[') return false;
    const std::size_t close = file.rfind(']', e - 1);
    if (close == std::string::npos || close <= b) return false;
    *begin = b + 1;
    *end = close;
    TrimIni(file, begin, end);
    return true;
}

// A line "key = value" that names the key; the value's bounds, trimmed.
bool IsIniKey(const std::string& file, const IniLine& line, const char* key, std::size_t* valueBegin,
              std::size_t* valueEnd)
{
    const std::size_t equals = file.find('=', line.begin);
    if (equals == std::string::npos || equals >= line.end) return false;
    std::size_t b = line.begin, e = equals;
    TrimIni(file, &b, &e);
    if (!SameIniName(file, b, e, key)) return false;
    *valueBegin = equals + 1;
    *valueEnd = line.end;
    TrimIni(file, valueBegin, valueEnd);
    return true;
}

// Where the first section of the name starts its lines and where they end (npos: no such section).
struct IniSection {
    std::size_t header, body, end, afterLast;
};

IniSection FindIniSection(const std::string& file, const char* section)
{
    IniSection found = {std::string::npos, 0, 0, 0};
    for (std::size_t at = 0; at < file.size();) {
        const IniLine line = IniLineAt(file, at);
        std::size_t b = 0, e = 0;
        const bool header = IniSectionName(file, line, &b, &e);
        if (found.header != std::string::npos) {
            if (header) break;
            std::size_t tb = line.begin, te = line.end;
            TrimIni(file, &tb, &te);
            if (tb < te) found.afterLast = line.next;
        } else if (header && SameIniName(file, b, e, section)) {
            found = {line.begin, line.next, 0, line.next};
        }
        at = line.next;
        if (found.header != std::string::npos) found.end = at;
    }
    return found;
}

} // namespace

bool FindIniValue(const std::string& file, const char* section, const char* key, std::string* value)
{
    const IniSection found = FindIniSection(file, section);
    if (found.header == std::string::npos) return false;
    for (std::size_t at = found.body; at < found.end;) {
        const IniLine line = IniLineAt(file, at);
        std::size_t b = 0, e = 0;
        if (IsIniKey(file, line, key, &b, &e)) {
            if (e - b > 1 && (file[b] == '"' || file[b] == '\'') && file[e - 1] == file[b]) {
                ++b;
                --e;
            }
            if (value) value->assign(file, b, e - b);
            return true;
        }
        at = line.next;
    }
    return false;
}

std::string SetIniValue(const std::string& file, const char* section, const char* key, const char* value)
{
    const std::string entry = std::string(key) + "=" + value;
    const IniSection found = FindIniSection(file, section);
    std::string result = file;
    if (found.header == std::string::npos) {
        if (!result.empty() && result.back() != '\n') result += "\r\n";
        return result + "[" + section + "]\r\n" + entry + "\r\n";
    }
    for (std::size_t at = found.body; at < found.end;) {
        const IniLine line = IniLineAt(file, at);
        std::size_t b = 0, e = 0;
        if (IsIniKey(file, line, key, &b, &e))
            return result.replace(line.begin, line.end - line.begin, entry);
        at = line.next;
    }
    // After the section's last line, which may be the file's last without a line break.
    const std::size_t at = found.afterLast;
    const bool broken = at > 0 && file[at - 1] == '\n';
    return result.insert(at, (broken ? "" : "\r\n") + entry + (broken ? "\r\n" : ""));
}

namespace {

std::size_t WideNameStart(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? 0 : separator + 1;
}

std::size_t WideExtensionStart(const std::wstring& path)
{
    const std::size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos || dot < WideNameStart(path) ? path.size() : dot;
}

} // namespace

std::wstring WideSettingsPath(const std::wstring& programPath)
{
    return programPath.substr(0, WideExtensionStart(programPath)) + L".ini";
}

std::wstring WideBaseName(const std::wstring& programPath)
{
    const std::size_t name = WideNameStart(programPath);
    return programPath.substr(name, WideExtensionStart(programPath) - name);
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
