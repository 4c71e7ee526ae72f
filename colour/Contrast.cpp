// Contrast of colour pairs.
#include "Contrast.h"

#include "ColorModel.h"
#include "print/PrintGeometry.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace {

// Every text of the contrast report, as the user reads it in the preview's tooltip.
struct ContrastTexts {
    const char* textLine;    // font colour, inner colour, ratio, AA verdict, AAA verdict, text size
    const char* nonTextLine; // inner colour, outer colour, ratio, verdict
    const char* noBandLine;  // inner colour, outer colour
    const char* nearestLine; // level, least ratio, text colour, inner colour
    const char* suggestion;  // colour, ratio
    const char* unreachable;
    const char* meets;
    const char* fails;
    const char* normalText;
    const char* largeText;
};
constexpr ContrastTexts CONTRAST_TEXTS = {
    "文字色 %s / 内側 %s  コントラスト比 %s:1  AA %s・AAA %s (%s)",
    "内側 %s / 外側 %s  コントラスト比 %s:1  非テキスト 3:1 %s",
    "内側 %s / 外側 %s  同じ色のため外側の帯は見えません",
    "%s %s:1 に届く最も近い色  文字色 %s / 内側 %s",
    "%s (%s:1)",
    "明度だけでは届きません",
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

// sRGB primaries to CIE XYZ under D65. The white point is the sum of each row, so that every grey
// has a and b of zero.
constexpr double RGB_TO_XYZ[3][3] = {
    {0.4124564, 0.3575761, 0.1804375},
    {0.2126729, 0.7151522, 0.0721750},
    {0.0193339, 0.1191920, 0.9503041},
};
constexpr double LUMINANCE_WEIGHTS[3] = {0.2126, 0.7152, 0.0722};
constexpr double LAB_EPSILON = 6.0 / 29.0;
constexpr double LIGHTNESS_MAX = 100;
// A linear channel this far outside 0-1 still counts as shown; it is rounding, not colour.
constexpr double GAMUT_SLACK = 1e-9;
// Halvings of a lightness or chroma interval: far below one 8-bit step.
constexpr int SEARCH_HALVINGS = 48;

double WhiteOf(int row)
{
    return RGB_TO_XYZ[row][0] + RGB_TO_XYZ[row][1] + RGB_TO_XYZ[row][2];
}

double LabCurve(double t)
{
    return t > LAB_EPSILON * LAB_EPSILON * LAB_EPSILON ? std::cbrt(t)
                                                       : t / (3 * LAB_EPSILON * LAB_EPSILON) + 4.0 / 29.0;
}

double LabCurveInverse(double u)
{
    return u > LAB_EPSILON ? u * u * u : 3 * LAB_EPSILON * LAB_EPSILON * (u - 4.0 / 29.0);
}

struct LinearRgb {
    double channel[3];
};

struct Matrix {
    double m[3][3];
};

// The exact inverse of RGB_TO_XYZ; the published inverse, rounded to seven digits, tints the greys.
Matrix XyzToRgb()
{
    const auto& f = RGB_TO_XYZ;
    Matrix inverse = {};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            const int r1 = (column + 1) % 3, r2 = (column + 2) % 3, c1 = (row + 1) % 3, c2 = (row + 2) % 3;
            inverse.m[row][column] = f[r1][c1] * f[r2][c2] - f[r1][c2] * f[r2][c1];
        }
    const double determinant =
        f[0][0] * inverse.m[0][0] + f[0][1] * inverse.m[1][0] + f[0][2] * inverse.m[2][0];
    for (auto& row : inverse.m)
        for (double& value : row)
            value /= determinant;
    return inverse;
}

LinearRgb LinearOfLab(double l, double a, double b)
{
    static const Matrix toRgb = XyzToRgb();
    const auto& XYZ_TO_RGB = toRgb.m;
    const double fy = (l + 16) / 116;
    const double xyz[3] = {WhiteOf(0) * LabCurveInverse(fy + a / 500), WhiteOf(1) * LabCurveInverse(fy),
                           WhiteOf(2) * LabCurveInverse(fy - b / 200)};
    LinearRgb rgb = {};
    for (int row = 0; row < 3; ++row)
        rgb.channel[row] =
            XYZ_TO_RGB[row][0] * xyz[0] + XYZ_TO_RGB[row][1] * xyz[1] + XYZ_TO_RGB[row][2] * xyz[2];
    return rgb;
}

bool IsShown(const LinearRgb& rgb)
{
    for (double value : rgb.channel)
        if (!(value >= -GAMUT_SLACK && value <= 1 + GAMUT_SLACK)) return false;
    return true;
}

int EncodedChannel(double linear)
{
    if (linear <= 0) return 0;
    if (linear >= 1) return 255;
    const double value = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(value * 255));
}

bool Meets(COLORREF color, COLORREF fixed, double leastRatio)
{
    return ContrastRatio(color, fixed) >= leastRatio;
}

const char* Verdict(bool meets)
{
    return meets ? CONTRAST_TEXTS.meets : CONTRAST_TEXTS.fails;
}

} // namespace

double RelativeLuminance(COLORREF color)
{
    return LUMINANCE_WEIGHTS[0] * LinearChannel(RedOf(color)) +
           LUMINANCE_WEIGHTS[1] * LinearChannel(GreenOf(color)) +
           LUMINANCE_WEIGHTS[2] * LinearChannel(BlueOf(color));
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
    // A whole point size chosen in the font dialog gets MulDiv(points, dpi, 72) pixels, rounded half
    // up; a font of that height or more is at least that size, even where the rounding took a
    // fraction of a point off (14 points at 120 dpi are 23 px).
    const long long pixels = -static_cast<long long>(lfHeight);
    return pixels >= RoundedMulDiv(LARGE_TEXT_POINTS, pixelsPerInch, 72) ||
           (pixels >= RoundedMulDiv(LARGE_BOLD_TEXT_POINTS, pixelsPerInch, 72) &&
            lfWeight >= LARGE_TEXT_BOLD_WEIGHT);
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
    if ((innerColor & 0xFFFFFF) == (outerColor & 0xFFFFFF))
        std::snprintf(lines.nonTextLine, sizeof lines.nonTextLine, CONTRAST_TEXTS.noBandLine, inner.text,
                      outer.text);
    else
        std::snprintf(lines.nonTextLine, sizeof lines.nonTextLine, CONTRAST_TEXTS.nonTextLine, inner.text,
                      outer.text, FormatRatio(edgeRatio).text, Verdict(MeetsNonTextContrast(edgeRatio)));
    return lines;
}

LabColor LabOf(COLORREF color)
{
    const double linear[3] = {LinearChannel(RedOf(color)), LinearChannel(GreenOf(color)),
                              LinearChannel(BlueOf(color))};
    double f[3];
    for (int row = 0; row < 3; ++row) {
        const double xyz =
            RGB_TO_XYZ[row][0] * linear[0] + RGB_TO_XYZ[row][1] * linear[1] + RGB_TO_XYZ[row][2] * linear[2];
        f[row] = LabCurve(xyz / WhiteOf(row));
    }
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

COLORREF ColorAtLightness(COLORREF color, double lightness)
{
    const LabColor lab = LabOf(color);
    if (!(lightness > 0)) lightness = 0; // NaN too
    if (lightness > LIGHTNESS_MAX) lightness = LIGHTNESS_MAX;
    if (RedOf(color) == GreenOf(color) && GreenOf(color) == BlueOf(color)) {
        // A grey stays a grey: one channel, so that rounding cannot split the three.
        const int level = EncodedChannel(LabCurveInverse((lightness + 16) / 116));
        return ComposeColor(level, level, level);
    }
    LinearRgb rgb = LinearOfLab(lightness, lab.a, lab.b);
    if (!IsShown(rgb)) {
        // The grey of that lightness is always shown: keep the largest share of the chroma that is.
        double shown = 0, notShown = 1;
        for (int step = 0; step < SEARCH_HALVINGS; ++step) {
            const double share = (shown + notShown) / 2;
            (IsShown(LinearOfLab(lightness, lab.a * share, lab.b * share)) ? shown : notShown) = share;
        }
        rgb = LinearOfLab(lightness, lab.a * shown, lab.b * shown);
    }
    return ComposeColor(EncodedChannel(rgb.channel[0]), EncodedChannel(rgb.channel[1]),
                        EncodedChannel(rgb.channel[2]));
}

namespace {

// Steps of the walk along a lightness path where its colours may meet the ratio. Where chroma is cut,
// 8-bit rounding makes pass and fail alternate, and a colour that passes may last only a few
// thousandths of an L* unit (#010053 on the way from #060697 darker); the walk tries each step there.
constexpr double PATH_STEP = 1.0 / 256;
// How far the luminance of a colour on the path can lie from the luminance its lightness stands for:
// each channel moves by up to half an 8-bit step, which weighs most where the sRGB curve is steepest
// (slope 2.4 / 1.055 * linear^(7/12)); a channel's linear value is at most the luminance over its
// weight, with 0.01 to spare for the rounding itself. The published luminance weights differ from the
// matrix row by up to 2e-4.
double PathLuminanceSlack(double luminance)
{
    double slack = 2e-4;
    for (double weight : LUMINANCE_WEIGHTS)
        slack +=
            weight * 0.5 / 255 * 2.4 / 1.055 * std::pow(std::fmin(1, (luminance + 0.01) / weight), 7.0 / 12);
    return slack;
}

// The lightnesses on a path whose colours may meet `leastRatio` against a colour of luminance
// `fixed`, 8-bit rounding allowed for: those at or below `darker` and those at or above `lighter`.
// The luminance a lightness stands for grows with it, and so does that luminance give or take its slack.
struct MeetingReach {
    double darker, lighter;
};

double LuminanceOfLightness(double lightness)
{
    return WhiteOf(1) * LabCurveInverse((lightness + 16) / 116);
}

MeetingReach MayMeetReach(double fixed, double leastRatio)
{
    const double darkest = (fixed + 0.05) / leastRatio - 0.05, lightest = leastRatio * (fixed + 0.05) - 0.05;
    double darkBelow = 0, darkAbove = LIGHTNESS_MAX, lightBelow = 0, lightAbove = LIGHTNESS_MAX;
    for (int step = 0; step < SEARCH_HALVINGS; ++step) {
        double middle = (darkBelow + darkAbove) / 2, luminance = LuminanceOfLightness(middle);
        (luminance - PathLuminanceSlack(luminance) <= darkest ? darkBelow : darkAbove) = middle;
        middle = (lightBelow + lightAbove) / 2;
        luminance = LuminanceOfLightness(middle);
        (luminance + PathLuminanceSlack(luminance) >= lightest ? lightAbove : lightBelow) = middle;
    }
    return {darkAbove, lightBelow};
}

// The lightness nearest to `start` on the way to `end` whose colour meets the ratio, or -1 when none
// does. Only the lightnesses whose luminance lies near a threshold can go either way; the walk tries
// the colours there at every step and passes over the rest, which surely miss.
double NearestMeetingLightness(COLORREF moving, COLORREF fixed, double leastRatio, double start, double end,
                               double* missing)
{
    const MeetingReach reach = MayMeetReach(RelativeLuminance(fixed), leastRatio);
    const double direction = end < start ? -1 : 1;
    double previous = start;
    for (int step = 1;; ++step) {
        double lightness = start + direction * step * PATH_STEP;
        if ((lightness - end) * direction > 0) lightness = end;
        if ((lightness <= reach.darker || lightness >= reach.lighter) &&
            Meets(ColorAtLightness(moving, lightness), fixed, leastRatio)) {
            // Between the last step that missed and this one, the nearest point that meets.
            double meeting = lightness;
            for (int halving = 0; halving < SEARCH_HALVINGS; ++halving) {
                const double middle = (previous + meeting) / 2;
                (Meets(ColorAtLightness(moving, middle), fixed, leastRatio) ? meeting : previous) = middle;
            }
            *missing = previous;
            return meeting;
        }
        if (lightness == end) return -1;
        previous = lightness;
    }
}

} // namespace

LightnessSuggestion NearestPassingColor(COLORREF moving, COLORREF fixed, double leastRatio)
{
    moving &= 0xFFFFFF;
    const double start = LabOf(moving).l;
    if (Meets(moving, fixed, leastRatio)) return {true, moving, moving, ContrastRatio(moving, fixed), start};

    LightnessSuggestion best = {false, moving, moving, ContrastRatio(moving, fixed), start};
    double bestChange = 0;
    for (double end : {0.0, LIGHTNESS_MAX}) { // darker first: it wins a tie
        double missing = start;
        const double meeting = NearestMeetingLightness(moving, fixed, leastRatio, start, end, &missing);
        if (meeting < 0) continue;
        const double change = std::fabs(meeting - start);
        if (best.found && change >= bestChange) continue;
        const COLORREF color = ColorAtLightness(moving, meeting);
        best = {true, color, ColorAtLightness(moving, missing), ContrastRatio(color, fixed), meeting};
        bestChange = change;
    }
    return best;
}

void AddTipLine(ContrastTipLines& tip, const char* line)
{
    if (tip.count < 0 || tip.count >= CONTRAST_TIP_LINES) return;
    std::snprintf(tip.lines[tip.count++], sizeof tip.lines[0], "%s", line);
}

namespace {

struct SuggestionText {
    char text[48];
};

SuggestionText Suggested(const LightnessSuggestion& suggestion, bool upperCase)
{
    SuggestionText shown = {};
    if (suggestion.found)
        std::snprintf(shown.text, sizeof shown.text, CONTRAST_TEXTS.suggestion,
                      FormatColorCode(suggestion.color, upperCase).text, FormatRatio(suggestion.ratio).text);
    else
        std::snprintf(shown.text, sizeof shown.text, "%s", CONTRAST_TEXTS.unreachable);
    return shown;
}

} // namespace

ContrastTipLines ContrastTip(COLORREF fontColor, COLORREF innerColor, COLORREF outerColor, bool largeText,
                             bool upperCase)
{
    ContrastTipLines tip = {};
    const ContrastReportLines report =
        ContrastReport(fontColor, innerColor, outerColor, largeText, upperCase);
    AddTipLine(tip, report.textLine);
    AddTipLine(tip, report.nonTextLine);

    struct Level {
        const char* name;
        double leastRatio;
    };
    const Level levels[] = {{"AA", largeText ? CONTRAST_LARGE_AA : CONTRAST_NORMAL_AA},
                            {"AAA", largeText ? CONTRAST_LARGE_AAA : CONTRAST_NORMAL_AAA}};
    const double ratio = ContrastRatio(fontColor, innerColor);
    for (const Level& level : levels) {
        if (ratio >= level.leastRatio) continue;
        char least[16];
        std::snprintf(least, sizeof least, "%g", level.leastRatio);
        char line[sizeof tip.lines[0]];
        std::snprintf(
            line, sizeof line, CONTRAST_TEXTS.nearestLine, level.name, least,
            Suggested(NearestPassingColor(fontColor, innerColor, level.leastRatio), upperCase).text,
            Suggested(NearestPassingColor(innerColor, fontColor, level.leastRatio), upperCase).text);
        AddTipLine(tip, line);
    }
    return tip;
}

void JoinTipLines(const ContrastTipLines& tip, char* text, int size)
{
    if (!text || size <= 0) return;
    text[0] = '\0';
    int used = 0;
    for (int index = 0; index < tip.count && index < CONTRAST_TIP_LINES; ++index) {
        const int written = std::snprintf(text + used, static_cast<size_t>(size - used), "%s%s",
                                          index ? "\r\n" : "", tip.lines[index]);
        if (written < 0 || written >= size - used) return; // cut, and terminated by snprintf
        used += written;
    }
}
