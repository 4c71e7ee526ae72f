// Fuzzes the colour code parser: results against a byte-by-byte reading of the rules, the
// round trip through FormatColorCode, and reads that stay within the eight bytes that decide.
#include "FuzzSupport.h"

#include "colour/ColorModel.h"

#include <cctype>

namespace {

constexpr COLORREF UNTOUCHED = 0xDEADBEEF;

// The rules read literally: length, hash, then each digit byte in turn.
HexCodeResult ReferenceParse(const std::string& text, COLORREF* color)
{
    if (text.size() != 7) return HEXCODE_LENGTH;
    if (text[0] != '#') return HEXCODE_NOHASH;
    int channels[3] = {};
    for (int i = 0; i < 6; ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[1 + i]);
        int nibble = 0;
        if (std::isxdigit(byte) && !std::isdigit(byte)) {
            nibble = std::tolower(byte) - 'a' + 10;
        } else if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
            return HEXCODE_DBCS;
        } else if (byte >= '0' && byte <= '9') {
            nibble = byte - '0';
        } else {
            return HEXCODE_DIGIT;
        }
        channels[i / 2] = channels[i / 2] * 16 + nibble;
    }
    *color = static_cast<COLORREF>(channels[0] | channels[1] << 8 | channels[2] << 16);
    return HEXCODE_OK;
}

std::string InCase(std::string text, bool upperCase)
{
    for (char& c : text)
        c = static_cast<char>(upperCase ? std::toupper(static_cast<unsigned char>(c))
                                        : std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void CheckFormatting(COLORREF color)
{
    for (bool upperCase : {true, false}) {
        const ColorCode code = FormatColorCode(color, upperCase);
        const std::string text(code.text);
        REQUIRE(text.size() == 7 && text == InCase(text, upperCase), "a code is seven bytes in one case",
                text);
        COLORREF parsed = UNTOUCHED;
        REQUIRE(ParseColorCode(code.text, &parsed) == HEXCODE_OK && parsed == (color & 0x00FFFFFF),
                "a formatted code parses back to its colour without the top byte", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = TextOf(data, size);
    // Counting the length needs at most eight bytes: a longer text comes without its terminator.
    const std::unique_ptr<char[]> bounded = BoundedCopy(text, COLOR_CODE_LENGTH + 1);

    COLORREF color = UNTOUCHED;
    const HexCodeResult result = ParseColorCode(bounded.get(), &color);
    COLORREF expectedColor = UNTOUCHED;
    const HexCodeResult expected = ReferenceParse(text, &expectedColor);
    REQUIRE(result >= HEXCODE_OK && result <= HEXCODE_DIGIT, "the result is one of the five", Shown(text));
    REQUIRE(result == expected, "the result follows the rules",
            Shown(text) + " gave " + std::to_string(result) + ", expected " + std::to_string(expected));
    REQUIRE(color == expectedColor, "the colour is set on success only, and right", Shown(text));
    REQUIRE(ParseColorCode(bounded.get(), nullptr) == result, "the colour pointer may be null", Shown(text));

    if (result == HEXCODE_OK) {
        REQUIRE((color & 0xFF000000) == 0, "a parsed colour has no top byte", Shown(text));
        for (bool upperCase : {true, false}) {
            REQUIRE(std::string(FormatColorCode(color, upperCase).text) == InCase(text, upperCase),
                    "a parsed code formats back to itself but for case", Shown(text));
        }
    }

    if (size >= 4) {
        COLORREF any = 0;
        std::memcpy(&any, data + size - 4, 4);
        CheckFormatting(any);
    }
    return 0;
}
