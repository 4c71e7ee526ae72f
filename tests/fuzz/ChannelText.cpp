// Fuzzes the check of a channel number field: at most seven bytes are read, a value taken is a
// channel value, a replacement is "0" or "255", and the verdict matches strtol's reading.
#include "FuzzSupport.h"

#include "colour/ColorModel.h"

#include <cerrno>

namespace {

struct Expected {
    bool replace;
    int value;
    std::string replacement;
};

// The rules on the first seven bytes, with the C library's own conversion; a minus sign, which
// can only arrive by pasting, is answered by "0".
Expected ReferenceVerdict(const std::string& text)
{
    const std::string looked = text.substr(0, CHANNEL_TEXT_LOOKED_AT);
    if (looked.empty()) return {true, 0, "0"};
    std::size_t sign = looked.find_first_not_of(" \t\n\v\f\r");
    if (sign != std::string::npos && looked[sign] == '-') return {true, 0, "0"};
    errno = 0;
    const long number = std::strtol(looked.c_str(), nullptr, 10);
    if (number > CHANNEL_MAX || looked.size() > CHANNEL_TEXT_LENGTH) return {true, 0, "255"};
    return {false, static_cast<int>(number), ""};
}

std::string Described(const ChannelVerdict& verdict)
{
    if (verdict.replace)
        return std::string("replace by ") + (verdict.replacement ? verdict.replacement : "(null)");
    return "take " + std::to_string(verdict.value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = TextOf(data, size);
    const std::unique_ptr<char[]> bounded = BoundedCopy(text, CHANNEL_TEXT_LOOKED_AT);
    const ChannelVerdict verdict = ValidateChannelText(bounded.get());

    if (verdict.replace) {
        REQUIRE(verdict.replacement != nullptr, "a replacement has a text", Shown(text));
        const std::string replacement(verdict.replacement);
        REQUIRE(replacement == "0" || replacement == "255", "the replacement is 0 or 255", Shown(text));
        const ChannelVerdict again = ValidateChannelText(verdict.replacement);
        REQUIRE(!again.replace && again.value == std::atoi(verdict.replacement),
                "a replacement is taken when it comes back", Described(again));
    } else {
        REQUIRE(verdict.value >= 0 && verdict.value <= CHANNEL_MAX, "a value taken is a channel value",
                Shown(text) + " " + Described(verdict));
        const ChannelText shown = FormatChannelText(verdict.value);
        const ChannelVerdict again = ValidateChannelText(shown.text);
        REQUIRE(!again.replace && again.value == verdict.value, "a value's own text gives the value back",
                Shown(text) + " " + Described(again));
    }

    const Expected expected = ReferenceVerdict(text);
    const bool same =
        verdict.replace == expected.replace &&
        (verdict.replace ? expected.replacement == verdict.replacement : expected.value == verdict.value);
    REQUIRE(same, "the verdict follows the rules", Shown(text) + " gave " + Described(verdict));
    REQUIRE(ValidateChannelText(nullptr).replace, "no text is an empty field", "");
    return 0;
}
