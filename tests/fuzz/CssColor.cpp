// Fuzzes the CSS colour parser: no read outside the text, answers that do not depend on the case of
// letters or the white space around the text, and every colour read back through its code.
#include "FuzzSupport.h"

#include "colour/ColorModel.h"
#include "colour/CssColor.h"

#include <algorithm>
#include <cctype>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The exact bytes, in an allocation of their own size: a read past the end is caught.
    std::unique_ptr<char[]> bytes(new char[size ? size : 1]);
    std::memcpy(bytes.get(), data, size);
    const std::string text(bytes.get(), size);
    const CssColorResult result = ParseCssColor(std::string_view(bytes.get(), size));
    const auto same = [&](const CssColorResult& other) {
        return other.status == result.status && (result.status != CSSCOLOR_OK || other.color == result.color);
    };
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    REQUIRE(same(ParseCssColor(upper)), "letters in any case read the same", Shown(text));
    REQUIRE(same(ParseCssColor(" \t" + text + "\r\n")), "surrounding space changes nothing", Shown(text));
    if (result.status != CSSCOLOR_OK) return 0;
    const CssColorResult again = ParseCssColor(FormatColorCode(result.color, false).text);
    REQUIRE(result.color <= 0xFFFFFF && again.status == CSSCOLOR_OK && again.color == result.color,
            "the colour's code reads back", Shown(text));
    return 0;
}
