// Fuzzes the colour-vision simulation: any number reads as one of the five modes, every result is
// a colour with a zero top byte, greys stay themselves, monochromacy gives greys, and the title and
// tooltip texts fit their buffers whatever the title.
#include "FuzzSupport.h"

#include "colour/ColorModel.h"
#include "colour/Vision.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const COLORREF color = Take<COLORREF>(data, size);
    const COLORREF other = Take<COLORREF>(data, size);
    const long long stored = Take<long long>(data, size);
    const int level = Take<std::uint8_t>(data, size);
    const std::string title = TextOf(data, size);
    const auto detail = [&] { return std::to_string(color) + " mode " + std::to_string(stored); };

    const VisionMode mode = VisionModeFrom(stored);
    REQUIRE(mode >= VISION_NORMAL && mode < VISION_MODE_COUNT, "a mode is one of the five", detail());
    REQUIRE((mode == stored) == (stored >= 0 && stored < VISION_MODE_COUNT), "0 to 4 read as themselves",
            detail());

    const COLORREF seen = SimulateVision(color, mode);
    REQUIRE((seen & 0xFF000000) == 0, "the top byte is zero", detail());
    REQUIRE(seen == SimulateVision(color & 0xFFFFFF, mode), "the top byte is ignored", detail());
    if (mode == VISION_NORMAL) REQUIRE(seen == (color & 0xFFFFFF), "normal vision changes nothing", detail());
    const COLORREF mono = SimulateVision(color, VISION_MONOCHROMACY);
    REQUIRE(RedOf(mono) == GreenOf(mono) && GreenOf(mono) == BlueOf(mono), "monochromacy gives a grey",
            detail());
    const COLORREF grey = ComposeColor(level, level, level);
    REQUIRE(SimulateVision(grey, mode) == grey, "a grey stays itself", std::to_string(level));

    const VisionTitleText shown = VisionTitle(title.c_str(), mode);
    REQUIRE(std::strlen(shown.text) < sizeof shown.text, "the title fits", title);
    const std::size_t kept = title.size() < 200 ? title.size() : 200;
    REQUIRE(std::string(shown.text).compare(0, kept, title, 0, kept) == 0, "the title leads", title);
    const VisionContrastLine line = VisionContrastReport(color, other, ~color, mode);
    REQUIRE(std::strlen(line.text) + 1 < sizeof line.text, "the tooltip line fits with room", line.text);
    REQUIRE((line.text[0] == '\0') == (mode == VISION_NORMAL), "a line exactly for a simulated mode",
            detail());
    return 0;
}
