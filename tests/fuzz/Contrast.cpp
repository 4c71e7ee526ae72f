// Fuzzes the contrast measures: every pair of colours has a ratio from 1 to 21 in either order,
// the shown ratio is cut to hundredths and reaches a threshold exactly when the ratio does, and
// the report lines fit their buffers; a suggested nearest colour meets its ratio while the colour one
// step back along its lightness misses it, and the tooltip's lines fit theirs; the colour-vision
// simulation reads any number as one of its modes, keeps greys and gives greys for monochromacy.
#include "FuzzSupport.h"

#include "colour/ColorModel.h"
#include "colour/Contrast.h"
#include "colour/Vision.h"
#include "print/PrintGeometry.h"

#include <cmath>

namespace {

template <typename Describe> void CheckShownRatio(double ratio, Describe detail)
{
    const std::string shown = FormatRatio(ratio).text;
    const double value = std::strtod(shown.c_str(), nullptr);
    REQUIRE(shown.size() >= 4 && shown[shown.size() - 3] == '.', "two decimals",
            detail() + " shown " + shown);
    if (ratio >= 0 && ratio <= 99999) {
        REQUIRE(value <= ratio + 1e-6 && value > ratio - 0.01 - 1e-9, "the ratio is cut to hundredths",
                detail() + " shown " + shown);
    }
    for (double threshold : {CONTRAST_LARGE_AA, CONTRAST_NORMAL_AA, CONTRAST_NORMAL_AAA}) {
        REQUIRE((value >= threshold) == (ratio >= threshold),
                "the shown ratio reaches a threshold as the ratio does", detail() + " shown " + shown);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const COLORREF first = Take<COLORREF>(data, size);
    const COLORREF second = Take<COLORREF>(data, size);
    const COLORREF third = Take<COLORREF>(data, size);
    const int lfHeight = Take<int>(data, size);
    const long lfWeight = Take<long>(data, size);
    const int pixelsPerInch = Take<int>(data, size);
    const double anyRatio = Take<double>(data, size);
    const std::uint8_t level = Take<std::uint8_t>(data, size);
    const auto detail = [&] { return std::to_string(first) + " " + std::to_string(second); };

    const double ratio = ContrastRatio(first, second);
    REQUIRE(ratio >= 1 && ratio <= 21 + 1e-12, "a ratio runs from 1 to 21",
            detail() + " " + std::to_string(ratio));
    REQUIRE(ratio == ContrastRatio(second, first), "the order of the colours does not matter", detail());
    REQUIRE(ratio == ContrastRatio(first & 0xFFFFFF, second | 0xFF000000), "the top byte is ignored",
            detail());
    CheckShownRatio(ratio, detail);
    CheckShownRatio(anyRatio, [&] { return std::to_string(anyRatio); });

    const bool large = IsLargeText(lfHeight, lfWeight, pixelsPerInch);
    // Only a character height (negative) on a device with a resolution has a size; half a pixel
    // more is what the font dialog's rounding may have taken off a whole point size.
    const bool sized = lfHeight < 0 && pixelsPerInch > 0;
    const double points = sized ? (-static_cast<double>(lfHeight) + 0.5) * 72 / pixelsPerInch : 0;
    REQUIRE(large == (sized && (points > 18 || (points > 14 && lfWeight >= 700))),
            "large text is a character height of 18 points, or 14 in bold",
            std::to_string(lfHeight) + " " + std::to_string(lfWeight) + " " + std::to_string(pixelsPerInch));

    const ContrastReportLines lines = ContrastReport(first, second, third, large, lfWeight & 1);
    REQUIRE(std::strlen(lines.textLine) + 1 < sizeof lines.textLine, "the text line fits with room",
            lines.textLine);
    REQUIRE(std::strlen(lines.nonTextLine) + 1 < sizeof lines.nonTextLine, "the non-text line fits with room",
            lines.nonTextLine);

    const double leastRatio = level % 2 ? CONTRAST_NORMAL_AA : CONTRAST_NORMAL_AAA;
    const LightnessSuggestion nearest = NearestPassingColor(first, second, leastRatio);
    if (nearest.found) {
        REQUIRE(ContrastRatio(nearest.color, second) >= leastRatio, "the suggestion meets the ratio",
                detail());
        REQUIRE(nearest.stepBack == nearest.color || ContrastRatio(nearest.stepBack, second) < leastRatio,
                "one step less change misses it", detail());
    } else {
        REQUIRE(ContrastRatio(ColorAtLightness(first, 0), second) < leastRatio &&
                    ContrastRatio(ColorAtLightness(first, 100), second) < leastRatio,
                "nothing found only when neither end of the lightness reaches the ratio", detail());
    }
    // The whole path, every 1/32 of a lightness unit either way: nothing nearer meets the ratio.
    const double start = LabOf(first).l, reach = nearest.found ? std::fabs(nearest.lightness - start) : 100;
    for (double offset = 1.0 / 32; offset < reach; offset += 1.0 / 32)
        for (double lightness : {start - offset, start + offset})
            REQUIRE(lightness < 0 || lightness > 100 ||
                        ContrastRatio(ColorAtLightness(first, lightness), second) < leastRatio,
                    "no colour nearer on the lightness path meets the ratio",
                    detail() + " " + std::to_string(lightness));
    const ContrastTipLines tip = ContrastTip(first, second, third, large, lfWeight & 1);
    for (int line = 0; line < tip.count; ++line)
        REQUIRE(std::strlen(tip.lines[line]) + 1 < sizeof tip.lines[line], "a tip line fits",
                tip.lines[line]);
    const long long stored = Take<long long>(data, size);
    const VisionMode mode = VisionModeFrom(stored);
    REQUIRE(mode == ((stored >= 0 && stored < VISION_MODE_COUNT) ? stored : 0), "0 to 4, else 0", detail());
    const COLORREF seen = SimulateVision(first, mode),
                   grey = ComposeColor(third & 0xFF, third & 0xFF, third & 0xFF);
    REQUIRE(seen == SimulateVision(first & 0xFFFFFF, mode) && seen <= 0xFFFFFF, "the top byte", detail());
    REQUIRE(mode != VISION_NORMAL || seen == (first & 0xFFFFFF), "normal vision changes nothing", detail());
    REQUIRE(SimulateVision(grey, mode) == grey, "a grey stays itself", detail());
    const COLORREF mono = SimulateVision(second, VISION_MONOCHROMACY);
    REQUIRE(mono == ComposeColor(RedOf(mono), RedOf(mono), RedOf(mono)), "monochromacy gives greys",
            detail());
    const VisionContrastLine line = VisionContrastReport(first, second, third, mode);
    REQUIRE(std::strlen(line.text) + 1 < sizeof line.text, "the simulated line fits with room", line.text);
    return 0;
}
