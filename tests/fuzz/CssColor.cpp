// Fuzzes the CSS colour parser: no read outside the text, and answers that do not depend on the
// case of letters or the white space around the text, with every colour read back through its code.
#include "FuzzSupport.h"

#include "colour/ColorModel.h"
#include "colour/CssColor.h"

#include <cctype>

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool Same(const CssColorResult& a, const CssColorResult& b)
{
    return a.status == b.status && (a.status != CSSCOLOR_OK || a.color == b.color);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The exact bytes, in an allocation of their own size: a read past the end is caught.
    std::unique_ptr<char[]> bytes(new char[size ? size : 1]);
    std::memcpy(bytes.get(), data, size);
    const std::string text(bytes.get(), size);
    const CssColorResult result = ParseCssColor(std::string_view(bytes.get(), size));
    REQUIRE(result.status == CSSCOLOR_OK || result.status == CSSCOLOR_TRANSLUCENT ||
                result.status == CSSCOLOR_UNKNOWN,
            "a known status", Shown(text));
    REQUIRE(result.status != CSSCOLOR_OK || (result.color & 0xFF000000) == 0, "a colour has no top byte",
            Shown(text));
    REQUIRE(Same(result, ParseCssColor(Upper(text))), "letters in any case read the same", Shown(text));
    REQUIRE(Same(result, ParseCssColor(" \t" + text + "\r\n")), "surrounding space changes nothing",
            Shown(text));
    if (result.status == CSSCOLOR_OK) {
        const CssColorResult again = ParseCssColor(FormatColorCode(result.color, false).text);
        REQUIRE(again.status == CSSCOLOR_OK && again.color == result.color, "the colour's code reads back",
                Shown(text));
    }
    return 0;
}
