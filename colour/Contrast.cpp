// Contrast of colour pairs.
#include "Contrast.h"

#include "ColorModel.h"
#include "print/PrintGeometry.h"

#include <cmath>
#include <cstdio>

namespace {

// Every text of the contrast report, as the user reads it in the preview's tooltip.
struct ContrastTexts {
    const char* textLine;    // font colour, inner colour, ratio, AA verdict, AAA verdict, text size
    const char* nonTextLine; // inner colour, outer colour, ratio, verdict
    const char* meets;
    const char* fails;
    const char* normalText;
    const char* largeText;
};
constexpr ContrastTexts CONTRAST_TEXTS = {
    "文字色 %s / 内側 %s  コントラスト比 %s:1  AA %s・AAA %s (%s)",
    "内側 %s / 外側 %s  コントラスト比 %s:1  非テキスト 3:1 %s",
    "適合",
    "不適合",
    "通常の文字",
    "大きな文字",
};

// Every threshold a ratio is judged against; the shown ratio never crosses one the ratio misses.
constexpr double THRESHOLDS[] = {CONTRAST_LARGE_AA, CONTRAST_NORMAL_AA, CONTRAST_NORMAL_AAA};

// A computed ratio can fall a hair short of its true two-decimal value (21 as 20.999999999999996);
// this much, in hundredths, is forgiven before cutting.
constexpr double HUNDREDTHS_ALLOWANCE = 1e-6;
constexpr double LARGEST_SHOWN_RATIO = 99999.99;

double LinearChannel(int channel)
{
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

const char* Verdict(bool meets)
{
    return meets ? CONTRAST_TEXTS.meets : CONTRAST_TEXTS.fails;
}

} // namespace

double RelativeLuminance(COLORREF color)
{
    return 0.2126 * LinearChannel(RedOf(color)) + 0.7152 * LinearChannel(GreenOf(color)) +
           0.0722 * LinearChannel(BlueOf(color));
}

double ContrastRatio(COLORREF first, COLORREF second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    const double lighter = a > b ? a : b;
    const double darker = a > b ? b : a;
    return (lighter + 0.05) / (darker + 0.05);
}

bool MeetsContrastAA(double ratio, bool largeText)
{
    return ratio >= (largeText ? CONTRAST_LARGE_AA : CONTRAST_NORMAL_AA);
}

bool MeetsContrastAAA(double ratio, bool largeText)
{
    return ratio >= (largeText ? CONTRAST_LARGE_AAA : CONTRAST_NORMAL_AAA);
}

bool MeetsNonTextContrast(double ratio)
{
    return ratio >= CONTRAST_NON_TEXT;
}

bool IsLargeText(int lfHeight, long lfWeight, int pixelsPerInch)
{
    // Only a character height on a device with a resolution has a known size; a positive height
    // over a negative resolution would otherwise pass for one.
    if (lfHeight >= 0 || pixelsPerInch <= 0) return false;
    const int points = FontPoints(lfHeight, pixelsPerInch);
    return points >= LARGE_TEXT_POINTS ||
           (points >= LARGE_BOLD_TEXT_POINTS && lfWeight >= LARGE_TEXT_BOLD_WEIGHT);
}

RatioText FormatRatio(double ratio)
{
    if (!(ratio > 0)) ratio = 0; // NaN too
    if (ratio > LARGEST_SHOWN_RATIO) ratio = LARGEST_SHOWN_RATIO;
    int hundredths = static_cast<int>(std::floor(ratio * 100 + HUNDREDTHS_ALLOWANCE));
    for (double threshold : THRESHOLDS) {
        const int thresholdHundredths = static_cast<int>(std::lround(threshold * 100));
        if (ratio < threshold && hundredths >= thresholdHundredths) hundredths = thresholdHundredths - 1;
    }
    RatioText text = {};
    // The ratio is capped above, so the whole part has at most five digits; the remainder says so.
    std::snprintf(text.text, sizeof text.text, "%d.%02d", hundredths / 100 % 100000, hundredths % 100);
    return text;
}

ContrastReportLines ContrastReport(COLORREF fontColor, COLORREF innerColor, COLORREF outerColor,
                                   bool largeText, bool upperCase)
{
    const ColorCode font = FormatColorCode(fontColor, upperCase);
    const ColorCode inner = FormatColorCode(innerColor, upperCase);
    const ColorCode outer = FormatColorCode(outerColor, upperCase);
    const double textRatio = ContrastRatio(fontColor, innerColor);
    const double edgeRatio = ContrastRatio(innerColor, outerColor);

    ContrastReportLines lines = {};
    std::snprintf(lines.textLine, sizeof lines.textLine, CONTRAST_TEXTS.textLine, font.text, inner.text,
                  FormatRatio(textRatio).text, Verdict(MeetsContrastAA(textRatio, largeText)),
                  Verdict(MeetsContrastAAA(textRatio, largeText)),
                  largeText ? CONTRAST_TEXTS.largeText : CONTRAST_TEXTS.normalText);
    std::snprintf(lines.nonTextLine, sizeof lines.nonTextLine, CONTRAST_TEXTS.nonTextLine, inner.text,
                  outer.text, FormatRatio(edgeRatio).text, Verdict(MeetsNonTextContrast(edgeRatio)));
    return lines;
}
