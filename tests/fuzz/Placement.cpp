// Fuzzes the reading of a stored window placement against strtok and strtol, which saturate
// where the stored value holds numbers beyond 32 bits; and the reading of the stored recent colours,
// whose list has no repeats and reads back as written.
#include "FuzzSupport.h"

#include "settings/SettingsCodec.h"

#include <climits>
#include <string.h>
#include <vector>

namespace {

Placement ReferencePlacement(const std::string& text)
{
    Placement placement = {};
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    char* rest = nullptr;
    int count = 0;
    for (char* token = strtok_r(copy.data(), ",", &rest); token && count < 4;
         token = strtok_r(nullptr, ",", &rest)) {
        const long number = std::strtol(token, nullptr, 10);
        placement.values[count++] = number > INT_MAX   ? INT_MAX
                                    : number < INT_MIN ? INT_MIN
                                                       : static_cast<int>(number);
    }
    return placement;
}

std::string Listed(const Placement& placement)
{
    std::string listed;
    for (int value : placement.values)
        listed += std::to_string(value) + " ";
    return listed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = TextOf(data, size);
    const Placement placement = ParsePlacement(text.c_str());
    const Placement expected = ReferencePlacement(text);
    REQUIRE(std::memcmp(placement.values, expected.values, sizeof placement.values) == 0,
            "the four numbers are read as strtok and strtol read them",
            Shown(text) + " gave " + Listed(placement) + "expected " + Listed(expected));
    REQUIRE(IsPlacementUsable(placement) == (placement.values[3] != 0),
            "a placement is usable by its fourth number", "");

    COLORREF colors[RECENT_COLOR_LIMIT] = {}, again[RECENT_COLOR_LIMIT] = {};
    const int count = DecodeRecentColors(text.c_str(), colors, RECENT_COLOR_LIMIT);
    REQUIRE(count >= 0 && count <= RECENT_COLOR_LIMIT, "at most ten recent colours", Shown(text));
    for (int i = 0; i < count; ++i)
        for (int j = 0; j < i; ++j)
            REQUIRE(colors[i] != colors[j] && colors[i] <= 0xFFFFFF, "distinct colours", Shown(text));
    char stored[SETTINGS_TEXT_SIZE];
    EncodeRecentColors(colors, count, stored, sizeof stored);
    REQUIRE(DecodeRecentColors(stored, again, RECENT_COLOR_LIMIT) == count &&
                std::memcmp(colors, again, sizeof colors) == 0,
            "the recent colours read back as written", Shown(text) + " stored as " + stored);
    return 0;
}
