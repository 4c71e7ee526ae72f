// Fuzzes the font option bits: stored bits come back as the same fields, set bits set their
// field, clear bits and bits above the four leave the fields alone.
#include "FuzzSupport.h"

#include "settings/SettingsCodec.h"

namespace {

bool SameFields(const FontOptionFields& a, const FontOptionFields& b)
{
    return a.weight == b.weight && a.italic == b.italic && a.underline == b.underline &&
           a.strikeOut == b.strikeOut;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int bits = Take<int>(data, size);
    FontOptionFields fields = {};
    fields.weight = Take<long>(data, size);
    fields.italic = Take<unsigned char>(data, size);
    fields.underline = Take<unsigned char>(data, size);
    fields.strikeOut = Take<unsigned char>(data, size);
    const auto detail = [&] {
        return "bits " + std::to_string(bits) + ", weight " + std::to_string(fields.weight);
    };

    const int stored = FontOptionBits(fields.weight, fields.italic, fields.underline, fields.strikeOut);
    REQUIRE(stored >= 0 && stored <= 15, "only the four bits are stored", detail());
    REQUIRE(((stored & FONTOPTION_BOLD) != 0) == (fields.weight == 700), "bold means weight 700 exactly",
            detail());
    REQUIRE(((stored & FONTOPTION_ITALIC) != 0) == (fields.italic != 0), "the italic bit", detail());
    REQUIRE(((stored & FONTOPTION_UNDERLINE) != 0) == (fields.underline != 0), "the underline bit", detail());
    REQUIRE(((stored & FONTOPTION_STRIKEOUT) != 0) == (fields.strikeOut != 0), "the strikeout bit", detail());

    FontOptionFields applied = fields;
    ApplyFontOptionBits(bits, &applied);
    FontOptionFields expected = fields;
    if (bits & FONTOPTION_BOLD) expected.weight = 700;
    if (bits & FONTOPTION_ITALIC) expected.italic = 1;
    if (bits & FONTOPTION_UNDERLINE) expected.underline = 1;
    if (bits & FONTOPTION_STRIKEOUT) expected.strikeOut = 1;
    REQUIRE(SameFields(applied, expected), "set bits set their field and nothing else changes", detail());

    FontOptionFields fresh = {};
    ApplyFontOptionBits(bits, &fresh);
    REQUIRE(FontOptionBits(fresh.weight, fresh.italic, fresh.underline, fresh.strikeOut) == (bits & 15),
            "bits applied to a fresh font are stored as they were read", detail());
    ApplyFontOptionBits(bits, nullptr);
    return 0;
}
