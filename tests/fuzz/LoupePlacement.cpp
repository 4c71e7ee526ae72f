// Fuzzes the magnifier's placement: whatever the pointer, window and monitor, the window never
// covers the pixels read around the pointer, and it is whole on any monitor with room beside it.
#include "FuzzSupport.h"

#include "colour/Loupe.h"

namespace {

int Within(int value, long long low, long long high)
{
    const long long offset = static_cast<long long>(value) % (high - low + 1);
    return static_cast<int>(low + (offset < 0 ? offset + high - low + 1 : offset));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LoupeRect screen = {};
    screen.left = Within(Take<int>(data, size), -40000, 40000);
    screen.top = Within(Take<int>(data, size), -40000, 40000);
    screen.right = screen.left + Within(Take<int>(data, size), 1, 20000);
    screen.bottom = screen.top + Within(Take<int>(data, size), 1, 20000);
    const int x = Within(Take<int>(data, size), screen.left, screen.right - 1);
    const int y = Within(Take<int>(data, size), screen.top, screen.bottom - 1);
    const LoupeMetrics m = WidenLoupeForCaption(MakeLoupeMetrics(Within(Take<int>(data, size), 1, 960)),
                                                Within(Take<int>(data, size), 0, 4000));
    const LoupeRect at = PlaceLoupe(x, y, m.width, m.height, m.distance, screen);
    const auto detail = [&] {
        return std::to_string(x) + "," + std::to_string(y) + " placed " + std::to_string(at.left) + "," +
               std::to_string(at.top) + " size " + std::to_string(m.width) + "x" + std::to_string(m.height);
    };
    REQUIRE(at.right - at.left == m.width && at.bottom - at.top == m.height, "the size stays", detail());
    REQUIRE(at.left > x + LOUPE_REACH || at.right <= x - LOUPE_REACH || at.top > y + LOUPE_REACH ||
                at.bottom <= y - LOUPE_REACH,
            "the window never covers the pixels read", detail());
    const bool roomAcross =
        x + m.distance + m.width <= screen.right || x - m.distance - m.width >= screen.left;
    const bool roomDown =
        y + m.distance + m.height <= screen.bottom || y - m.distance - m.height >= screen.top;
    const bool fits = m.width <= screen.right - screen.left && m.height <= screen.bottom - screen.top;
    const bool whole = at.left >= screen.left && at.top >= screen.top && at.right <= screen.right &&
                       at.bottom <= screen.bottom;
    REQUIRE(!fits || !(roomAcross || roomDown) || whole, "whole on a monitor with room for it", detail());
    return 0;
}
