// Colour-vision simulation.
#include "Vision.h"

#include "ColorModel.h"
#include "Contrast.h"

#include <cmath>
#include <cstdio>

namespace {

// Machado, Oliveira and Fernandes (2009), severity 1.0, for linear-light sRGB.
constexpr VisionMatrix PROTANOPIA = {
    {0.152286, 1.052583, -0.204868},
    {0.114503, 0.786281, 0.099216},
    {-0.003882, -0.048116, 1.051998},
};
constexpr VisionMatrix DEUTERANOPIA = {
    {0.367322, 0.860646, -0.227968},
    {0.280085, 0.672501, 0.047413},
    {-0.011820, 0.042940, 0.968881},
};
constexpr VisionMatrix TRITANOPIA = {
    {1.255528, -0.076749, -0.178779},
    {-0.078411, 0.930809, 0.147602},
    {0.004733, 0.691367, 0.303900},
};

// Every text the simulation shows, by mode: the title's tag and the tooltip's name.
struct VisionTexts {
    const char* titleTag;
    const char* name;
};
constexpr VisionTexts VISION_TEXTS[VISION_MODE_COUNT] = {
    {"", ""},
    {"1型", "1型色覚 (P型)"},
    {"2型", "2型色覚 (D型)"},
    {"3型", "3型色覚 (T型)"},
    {"1色覚", "1色覚 (全色盲)"},
};
constexpr char TITLE_FORMAT[] = "%s [%s]";
constexpr char CONTRAST_FORMAT[] = "%sでは  文字色/内側 %s:1  内側/外側 %s:1";

double LinearFromChannel(int channel)
{
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

int ChannelFromLinear(double linear)
{
    if (!(linear > 0)) return 0; // NaN too
    if (linear >= 1) return 255;
    const double value = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(value * 255));
}

} // namespace

VisionMode VisionModeFrom(long long value)
{
    return value > VISION_NORMAL && value < VISION_MODE_COUNT ? static_cast<VisionMode>(value)
                                                              : VISION_NORMAL;
}

const VisionMatrix* DichromacyMatrix(VisionMode mode)
{
    switch (mode) {
    case VISION_PROTANOPIA: return &PROTANOPIA;
    case VISION_DEUTERANOPIA: return &DEUTERANOPIA;
    case VISION_TRITANOPIA: return &TRITANOPIA;
    default: return nullptr;
    }
}

COLORREF SimulateVision(COLORREF color, VisionMode mode)
{
    color &= 0xFFFFFF;
    if (mode == VISION_MONOCHROMACY) {
        const int grey = ChannelFromLinear(RelativeLuminance(color));
        return ComposeColor(grey, grey, grey);
    }
    const VisionMatrix* matrix = DichromacyMatrix(mode);
    if (!matrix) return color;
    const double linear[3] = {LinearFromChannel(RedOf(color)), LinearFromChannel(GreenOf(color)),
                              LinearFromChannel(BlueOf(color))};
    int seen[3] = {};
    for (int row = 0; row < 3; ++row) {
        const double* weights = (*matrix)[row];
        seen[row] =
            ChannelFromLinear(weights[0] * linear[0] + weights[1] * linear[1] + weights[2] * linear[2]);
    }
    return ComposeColor(seen[0], seen[1], seen[2]);
}

const char* VisionModeName(VisionMode mode)
{
    return VISION_TEXTS[VisionModeFrom(mode)].name;
}

VisionTitleText VisionTitle(const char* title, VisionMode mode)
{
    VisionTitleText result = {};
    mode = VisionModeFrom(mode);
    if (!title) title = "";
    if (mode == VISION_NORMAL)
        std::snprintf(result.text, sizeof result.text, "%s", title);
    else
        std::snprintf(result.text, sizeof result.text, TITLE_FORMAT, title, VISION_TEXTS[mode].titleTag);
    return result;
}

VisionContrastLine VisionContrastReport(COLORREF fontColor, COLORREF innerColor, COLORREF outerColor,
                                        VisionMode mode)
{
    VisionContrastLine line = {};
    mode = VisionModeFrom(mode);
    if (mode == VISION_NORMAL) return line;
    const COLORREF innerSeen = SimulateVision(innerColor, mode);
    const double textRatio = ContrastRatio(SimulateVision(fontColor, mode), innerSeen);
    const double edgeRatio = ContrastRatio(innerSeen, SimulateVision(outerColor, mode));
    std::snprintf(line.text, sizeof line.text, CONTRAST_FORMAT, VISION_TEXTS[mode].name,
                  FormatRatio(textRatio).text, FormatRatio(edgeRatio).text);
    return line;
}
