// Contrast of colour pairs as the Web Content Accessibility Guidelines measure it: pure functions.
#pragma once

#include "ColorTypes.h"

// Least contrast ratios: text of normal size, large text, and graphics or edges (non-text).
constexpr double CONTRAST_NORMAL_AA = 4.5;
constexpr double CONTRAST_NORMAL_AAA = 7.0;
constexpr double CONTRAST_LARGE_AA = 3.0;
constexpr double CONTRAST_LARGE_AAA = 4.5;
constexpr double CONTRAST_NON_TEXT = 3.0;

// Large text: 18 points and more, or 14 points and more in bold.
constexpr int LARGE_TEXT_POINTS = 18;
constexpr int LARGE_BOLD_TEXT_POINTS = 14;
constexpr long LARGE_TEXT_BOLD_WEIGHT = 700;

// Relative luminance of an sRGB colour, 0 for black to 1 for white; the top byte is ignored.
double RelativeLuminance(COLORREF color);

// (lighter + 0.05) / (darker + 0.05): from 1 for two equally light colours to 21 for black and
// white; the order of the two colours does not matter.
double ContrastRatio(COLORREF first, COLORREF second);

// Verdicts on the unrounded ratio: 4.49 does not meet 4.5, whatever it is shown as.
bool MeetsContrastAA(double ratio, bool largeText);
bool MeetsContrastAAA(double ratio, bool largeText);
bool MeetsNonTextContrast(double ratio);

// Whether a font counts as large text, from its real size: its character height reaches 18 points,
// or 14 in bold, where the pixel height that a whole point size chosen in the font dialog is given
// counts as that size (18 px bold at 96 dpi are 13.5 points and not large; 14 points at 120 dpi are
// 23 px and large).
// A height of 0 is the default size and not large. A positive height is a cell height, which
// includes the internal leading the character height leaves out; without the font's metrics the
// character size is unknown, so such a font is taken as normal text, which can only ask for more
// contrast, never for less. A caller with a device context can pass the character height instead
// (the negative of tmHeight - tmInternalLeading).
bool IsLargeText(int lfHeight, long lfWeight, int pixelsPerInch);

// A ratio with two decimals, cut rather than rounded ("4.47" for 4.478), so that a ratio under a
// threshold is never shown as reaching it; the ":1" is the caller's.
struct RatioText {
    char text[16];
};
RatioText FormatRatio(double ratio);

// The two lines that report the contrast of a preview: the font colour on the inner colour
// against the text thresholds, and the inner colour against the outer one as non-text contrast;
// when the two are the same colour there is no band to see, and the second line says so.
struct ContrastReportLines {
    char textLine[160];
    char nonTextLine[160];
};
ContrastReportLines ContrastReport(COLORREF fontColor, COLORREF innerColor, COLORREF outerColor,
                                   bool largeText, bool upperCase);

// A colour in CIELAB (D65 white, the sRGB primaries): L from 0 (black) to 100 (white).
struct LabColor {
    double l, a, b;
};
LabColor LabOf(COLORREF color);
// The colour of the same hue and chroma as `color` at another lightness, in 8 bits. Where the
// screen cannot show that chroma at that lightness, the chroma is cut just enough; the hue stays.
COLORREF ColorAtLightness(COLORREF color, double lightness);

// The colour nearest to `moving` that meets `leastRatio` against `fixed`, found by moving only its
// CIELAB lightness, in whichever direction needs the smaller change. `found` is false when neither
// darker nor lighter reaches the ratio. The colour one 8-bit step back towards `moving` along the
// same path is `stepBack`, which misses the ratio (it is `moving` itself when that already meets
// it, and then `color` is `moving` too). Where 8-bit rounding makes the colours along the path meet
// and miss the ratio by turns, the first one that meets it is taken. `lightness` is where on the
// path `color` lies (the lightness of `moving` when nothing was found or it already meets it).
struct LightnessSuggestion {
    bool found;
    COLORREF color;
    COLORREF stepBack;
    double ratio;
    double lightness;
};
LightnessSuggestion NearestPassingColor(COLORREF moving, COLORREF fixed, double leastRatio);

// The lines of a preview's contrast tooltip, top to bottom: the two report lines and, for each level
// the text misses (AA, then AAA), the nearest text colour and the nearest inner colour that meet it.
// A later addition appends its own lines with AddTipLine before the lines are joined.
constexpr int CONTRAST_TIP_LINES = 8;
struct ContrastTipLines {
    char lines[CONTRAST_TIP_LINES][160];
    int count;
};
void AddTipLine(ContrastTipLines& tip, const char* line); // a line beyond the last room is dropped
ContrastTipLines ContrastTip(COLORREF fontColor, COLORREF innerColor, COLORREF outerColor, bool largeText,
                             bool upperCase);
// The lines joined with CR LF, cut to fit the buffer, always terminated.
void JoinTipLines(const ContrastTipLines& tip, char* text, int size);
