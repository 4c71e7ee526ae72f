#include "colour/Contrast.h"

#include "colour/ColorModel.h"
#include "colour/ContrastResult.h"
#include "colour/Vision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr COLORREF BLACK = ComposeColor(0, 0, 0);
constexpr COLORREF WHITE = ComposeColor(255, 255, 255);
constexpr COLORREF GREY_77 = ComposeColor(0x77, 0x77, 0x77);
constexpr COLORREF ORANGE = ComposeColor(0xFF, 0x80, 0x00);
// 4.4999998...:1 on white: less than a millionth under 4.5.
constexpr COLORREF JUST_UNDER_AA_ON_WHITE = ComposeColor(154, 108, 90);

std::string Shown(double ratio)
{
    return FormatRatio(ratio).text;
}

} // namespace

TEST(ContrastRatio, BlackOnWhiteIsTwentyOneAndEqualColoursAreOne)
{
    EXPECT_DOUBLE_EQ(21.0, ContrastRatio(BLACK, WHITE));
    EXPECT_DOUBLE_EQ(1.0, ContrastRatio(WHITE, WHITE));
    EXPECT_DOUBLE_EQ(1.0, ContrastRatio(GREY_77, GREY_77));
    EXPECT_DOUBLE_EQ(0.0, RelativeLuminance(BLACK));
    EXPECT_DOUBLE_EQ(1.0, RelativeLuminance(WHITE));
    EXPECT_DOUBLE_EQ(1.0, RelativeLuminance(WHITE | 0xFF000000)) << "the top byte is ignored";
}

TEST(ContrastRatio, LuminanceWeighsGreenMostAndBlueLeast)
{
    EXPECT_NEAR(0.2126, RelativeLuminance(ComposeColor(255, 0, 0)), 1e-12);
    EXPECT_NEAR(0.7152, RelativeLuminance(ComposeColor(0, 255, 0)), 1e-12);
    EXPECT_NEAR(0.0722, RelativeLuminance(ComposeColor(0, 0, 255)), 1e-12);
    // Channel 10 is on the linear part of the curve, 11 on the power part.
    EXPECT_NEAR(10 / 255.0 / 12.92, RelativeLuminance(ComposeColor(10, 10, 10)), 1e-15);
    EXPECT_NEAR(0.0033465, RelativeLuminance(ComposeColor(11, 11, 11)), 1e-7);
}

TEST(ContrastRatio, GreySevenSevenOnWhiteIsJustUnderFourAndAHalf)
{
    const double ratio = ContrastRatio(GREY_77, WHITE);
    EXPECT_NEAR(4.478, ratio, 0.001);
    EXPECT_EQ("4.47", Shown(ratio)) << "cut, not rounded to 4.48";
    EXPECT_FALSE(MeetsContrastAA(ratio, false));
    EXPECT_TRUE(MeetsContrastAA(ratio, true));
    EXPECT_FALSE(MeetsContrastAAA(ratio, true));
}

TEST(ContrastRatio, APairAHairUnderTheThresholdNeitherPassesNorShowsAsPassing)
{
    const double ratio = ContrastRatio(JUST_UNDER_AA_ON_WHITE, WHITE);
    EXPECT_LT(ratio, 4.5);
    EXPECT_GT(ratio, 4.4999);
    EXPECT_FALSE(MeetsContrastAA(ratio, false));
    EXPECT_FALSE(MeetsContrastAAA(ratio, true));
    EXPECT_EQ("4.49", Shown(ratio));
}

TEST(ContrastRatio, TheOrderOfTheTwoColoursDoesNotMatter)
{
    const COLORREF colours[] = {BLACK,
                                WHITE,
                                GREY_77,
                                ORANGE,
                                JUST_UNDER_AA_ON_WHITE,
                                ComposeColor(0, 0, 0x80),
                                ComposeColor(10, 200, 30)};
    for (COLORREF a : colours) {
        for (COLORREF b : colours) {
            EXPECT_EQ(ContrastRatio(a, b), ContrastRatio(b, a))
                << FormatColorCode(a, true).text << " and " << FormatColorCode(b, true).text;
            EXPECT_GE(ContrastRatio(a, b), 1.0);
            EXPECT_LE(ContrastRatio(a, b), 21.0);
        }
    }
}

TEST(ContrastVerdict, ThresholdsCompareTheUnroundedRatio)
{
    const double below = std::nextafter(4.5, 0.0);
    EXPECT_FALSE(MeetsContrastAA(4.49, false)) << "4.49 is not 4.5";
    EXPECT_FALSE(MeetsContrastAA(below, false));
    EXPECT_TRUE(MeetsContrastAA(4.5, false));
    EXPECT_FALSE(MeetsContrastAAA(std::nextafter(7.0, 0.0), false));
    EXPECT_TRUE(MeetsContrastAAA(7.0, false));
    EXPECT_FALSE(MeetsContrastAA(std::nextafter(3.0, 0.0), true));
    EXPECT_TRUE(MeetsContrastAA(3.0, true));
    EXPECT_FALSE(MeetsContrastAAA(below, true));
    EXPECT_TRUE(MeetsContrastAAA(4.5, true));
    EXPECT_FALSE(MeetsNonTextContrast(std::nextafter(3.0, 0.0)));
    EXPECT_TRUE(MeetsNonTextContrast(3.0));
}

TEST(LargeText, EighteenPointsOrFourteenInBold)
{
    EXPECT_TRUE(IsLargeText(-24, 400, 96)) << "24 pixels at 96 dpi are 18 points";
    EXPECT_FALSE(IsLargeText(-23, 400, 96)) << "17.25 points";
    EXPECT_TRUE(IsLargeText(-19, 700, 96)) << "14 points in bold, as the font dialog gives them";
    EXPECT_TRUE(IsLargeText(-19, 900, 96)) << "heavier than bold";
    EXPECT_FALSE(IsLargeText(-19, 600, 96)) << "semibold is not bold";
    EXPECT_FALSE(IsLargeText(-18, 700, 96)) << "13.5 points in bold";
    EXPECT_TRUE(IsLargeText(-23, 700, 120)) << "14 points chosen at 120 dpi";
    EXPECT_TRUE(IsLargeText(-30, 400, 120)) << "18 points at 120 dpi";
    EXPECT_FALSE(IsLargeText(-24, 400, 120)) << "the same pixels are smaller at 120 dpi";
    EXPECT_FALSE(IsLargeText(-35, 400, 144)) << "17.5 points";
}

TEST(LargeText, DefaultCellAndUnknownSizesAreNormalText)
{
    EXPECT_FALSE(IsLargeText(0, 700, 96)) << "height 0 is the default size";
    EXPECT_FALSE(IsLargeText(40, 700, 96)) << "a cell height without the font's leading";
    EXPECT_FALSE(IsLargeText(-40, 700, 0)) << "no resolution";
    EXPECT_FALSE(IsLargeText(40, 700, -96)) << "a cell height over a nonsensical resolution";
}

TEST(RatioText, TwoDecimalsCutNotRounded)
{
    EXPECT_EQ("4.47", Shown(4.478));
    EXPECT_EQ("20.99", Shown(20.999));
    EXPECT_EQ("21.00", Shown(21.0));
    EXPECT_EQ("1.00", Shown(1.0));
    EXPECT_EQ("4.50", Shown(4.5));
    EXPECT_EQ("2.51", Shown(2.5189));
}

TEST(RatioText, FloatingErrorNeitherLosesAHundredthNorCrossesAThreshold)
{
    EXPECT_EQ("21.00", Shown(std::nextafter(21.0, 0.0)));
    EXPECT_EQ("4.47", Shown(std::nextafter(4.47, 0.0))) << "4.47 itself is stored a hair low";
    EXPECT_EQ("4.49", Shown(std::nextafter(4.5, 0.0)));
    EXPECT_EQ("2.99", Shown(std::nextafter(3.0, 0.0)));
    EXPECT_EQ("6.99", Shown(std::nextafter(7.0, 0.0)));
    EXPECT_EQ("0.00", Shown(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ("99999.99", Shown(1e300));
}

TEST(ContrastReport, BlackOnWhiteInsideOrange)
{
    const ContrastReportLines lines = ContrastReport(BLACK, WHITE, ORANGE, false, true);
    EXPECT_STREQ("文字色 #000000 / 内側 #FFFFFF  コントラスト比 21.00:1  AA 適合・AAA 適合 (通常の文字)",
                 lines.textLine);
    EXPECT_STREQ("内側 #FFFFFF / 外側 #FF8000  コントラスト比 2.51:1  非テキスト 3:1 不適合",
                 lines.nonTextLine);
}

TEST(ContrastReport, FailuresLargeTextAndLowerCaseCodes)
{
    const ContrastReportLines normal = ContrastReport(GREY_77, WHITE, BLACK, false, false);
    EXPECT_STREQ("文字色 #777777 / 内側 #ffffff  コントラスト比 4.47:1  AA 不適合・AAA 不適合 (通常の文字)",
                 normal.textLine);
    EXPECT_STREQ("内側 #ffffff / 外側 #000000  コントラスト比 21.00:1  非テキスト 3:1 適合",
                 normal.nonTextLine);
    const ContrastReportLines large = ContrastReport(GREY_77, WHITE, WHITE, true, false);
    EXPECT_STREQ("文字色 #777777 / 内側 #ffffff  コントラスト比 4.47:1  AA 適合・AAA 不適合 (大きな文字)",
                 large.textLine);
    EXPECT_STREQ("内側 #ffffff / 外側 #ffffff  同じ色のため外側の帯は見えません", large.nonTextLine)
        << "equal inner and outer colours make no band to fail";
}

TEST(ContrastReport, TheLongestLinesFitTheirBuffers)
{
    const ContrastReportLines lines = ContrastReport(GREY_77, GREY_77, GREY_77, true, true);
    EXPECT_LT(std::strlen(lines.textLine) + 1, sizeof lines.textLine) << lines.textLine;
    EXPECT_LT(std::strlen(lines.nonTextLine) + 1, sizeof lines.nonTextLine) << lines.nonTextLine;
}

// The nearest passing colours move only the CIELAB lightness of one colour of the pair.
TEST(NearestPassingColor, GreySevenSevenOnWhiteGoesOneStepDarkerForAAAndToFiftyNineForAAA)
{
    const LightnessSuggestion aa = NearestPassingColor(GREY_77, WHITE, CONTRAST_NORMAL_AA);
    EXPECT_TRUE(aa.found);
    EXPECT_STREQ("#767676", FormatColorCode(aa.color, true).text);
    EXPECT_EQ("4.54", Shown(aa.ratio));
    EXPECT_EQ(GREY_77, aa.stepBack) << "one step less change is the grey itself, which fails";
    const LightnessSuggestion aaa = NearestPassingColor(GREY_77, WHITE, CONTRAST_NORMAL_AAA);
    EXPECT_STREQ("#595959", FormatColorCode(aaa.color, true).text);
    EXPECT_EQ("7.00", Shown(aaa.ratio));
    EXPECT_LT(ContrastRatio(ComposeColor(0x5A, 0x5A, 0x5A), WHITE), CONTRAST_NORMAL_AAA);
}

TEST(NearestPassingColor, ASaturatedColourKeepsItsHueAndMovesNoFurtherThanNeeded)
{
    for (COLORREF color : {ComposeColor(0xFF, 0, 0), ComposeColor(0x33, 0x99, 0xFF)}) {
        const LightnessSuggestion nearest = NearestPassingColor(color, WHITE, CONTRAST_NORMAL_AA);
        EXPECT_GE(ContrastRatio(nearest.color, WHITE), CONTRAST_NORMAL_AA) << color;
        const LabColor before = LabOf(color), after = LabOf(nearest.color);
        EXPECT_NEAR(std::atan2(before.b, before.a), std::atan2(after.b, after.a), 0.03) << "the hue moved";
        EXPECT_GT(std::hypot(after.a, after.b), 20) << "the colour was turned grey";
        // Half a unit of lightness back towards the colour misses the ratio again.
        EXPECT_LT(ContrastRatio(ColorAtLightness(color, after.l + 0.5), WHITE), CONTRAST_NORMAL_AA);
    }
}

TEST(NearestPassingColor, WhereRoundingMakesPassAndFailAlternateTheFirstColourThatPassesIsTaken)
{
    EXPECT_STREQ("#022F00", FormatColorCode(NearestPassingColor(0x105408, 0xFC506F, 3).color, true).text);
    EXPECT_STREQ("#010053", FormatColorCode(NearestPassingColor(0x970606, 0x3D3AE7, 4.5).color, true).text);
}

TEST(NearestPassingColor, NoLightnessReachesSevenToOneOnMiddleGreyAndAPassingColourStays)
{
    EXPECT_FALSE(NearestPassingColor(ORANGE, GREY_77, CONTRAST_NORMAL_AAA).found)
        << "neither black (4.68:1) nor white (4.47:1) reaches 7:1 on #777777";
    EXPECT_EQ(BLACK, NearestPassingColor(BLACK, WHITE, CONTRAST_NORMAL_AAA).color);
}

TEST(ContrastTip, AFailingPairGetsTheNearestColoursOfEachLevelItMisses)
{
    const ContrastTipLines tip = ContrastTip(GREY_77, WHITE, BLACK, false, true);
    ASSERT_EQ(4, tip.count);
    EXPECT_STREQ("AA 4.5:1 に届く最も近い色  文字色 #767676 (4.54:1) / 内側 #060606 (4.52:1)", tip.lines[2]);
    EXPECT_STREQ("AAA 7:1 に届く最も近い色  文字色 #595959 (7.00:1) / 内側 明度だけでは届きません",
                 tip.lines[3]);
    // Large text passes AA and hears only of AAA; a passing pair hears of nothing.
    EXPECT_EQ(3, ContrastTip(GREY_77, WHITE, BLACK, true, false).count);
    EXPECT_EQ(2, ContrastTip(BLACK, WHITE, BLACK, false, true).count);
}

// Colour-vision simulation: the published matrices at severity 1.0 and their reference colours.
TEST(Vision, PureRedAsEachViewerSeesIt)
{
    const COLORREF red = ComposeColor(255, 0, 0);
    EXPECT_EQ(ComposeColor(163, 144, 0), SimulateVision(red, VISION_DEUTERANOPIA));
    EXPECT_EQ(ComposeColor(109, 95, 0), SimulateVision(red, VISION_PROTANOPIA));
    EXPECT_EQ(ComposeColor(255, 0, 15), SimulateVision(red, VISION_TRITANOPIA)) << "1.2555 and -0.0784 clamp";
    EXPECT_EQ(ComposeColor(127, 127, 127), SimulateVision(red, VISION_MONOCHROMACY)) << "luminance 0.2126";
    EXPECT_EQ(red, SimulateVision(red | 0xFF000000, VISION_NORMAL));
    EXPECT_DOUBLE_EQ(-0.048116, (*DichromacyMatrix(VISION_PROTANOPIA))[2][1]);
    EXPECT_DOUBLE_EQ(0.047413, (*DichromacyMatrix(VISION_DEUTERANOPIA))[1][2]);
    EXPECT_DOUBLE_EQ(0.691367, (*DichromacyMatrix(VISION_TRITANOPIA))[2][1]);
}

TEST(Vision, EveryGreyMapsToItselfInEveryMode)
{
    for (int mode = 0; mode < VISION_MODE_COUNT; ++mode)
        for (int level = 0; level <= 255; ++level)
            ASSERT_EQ(ComposeColor(level, level, level),
                      SimulateVision(ComposeColor(level, level, level), static_cast<VisionMode>(mode)))
                << "mode " << mode;
}

TEST(Vision, OddStoredNumbersTitleTagAndTooltipLine)
{
    for (long long other : {-1LL, 5LL, 1LL << 40})
        EXPECT_EQ(VISION_NORMAL, VisionModeFrom(other)) << other;
    EXPECT_STREQ("#FF0000 [2型]", VisionTitle("#FF0000", VISION_DEUTERANOPIA).text);
    EXPECT_STREQ("", VisionContrastReport(BLACK, WHITE, ORANGE, VISION_NORMAL).text);
    // Red text on green: 1.28:1 to most eyes, 1.69:1 once a deuteranope sees both as olive.
    EXPECT_STREQ(
        "2型色覚 (D型)では  文字色/内側 1.69:1  内側/外側 5.44:1",
        VisionContrastReport(ComposeColor(255, 0, 0), ComposeColor(0, 128, 0), WHITE, VISION_DEUTERANOPIA)
            .text);
}

namespace {

PreviewResultFacts Facts(const char* face, COLORREF font, VisionMode vision)
{
    PreviewResultFacts facts = {"#FFFFFF", font, WHITE, WHITE, "", 12, false, vision};
    std::snprintf(facts.face, sizeof facts.face, "%s", face);
    return facts;
}

} // namespace

TEST(ContrastResult, TheTextNamesDefaultFontNonTextVerdictAndSimulationOneItemALine)
{
    const std::string text = ContrastResultText(Facts("", GREY_77, VISION_DEUTERANOPIA), true);
    const char* lines[] = {"文字色: #777777 (R 119, G 119, B 119)\r\n",
                           "フォント: (既定のフォント) 12 pt\r\n",
                           "1.4.6 コントラスト (高度) (AAA) 大きな文字: 不合格\r\n",
                           "1.4.11 非テキストのコントラスト (外側と内側 1.00:1): 不合格\r\n",
                           "色覚シミュレーション: 2型色覚 (D型)\r\nシミュレーション時のコントラスト比: "};
    for (const char* line : lines)
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;
}

TEST(ContrastResult, CsvFieldsAreQuotedWhereTheyHoldASeparatorOrAQuote)
{
    const std::string csv = ContrastResultTable({Facts("A,\"B\"", BLACK, VISION_MONOCHROMACY)}, true, ',');
    EXPECT_NE(csv.find("\r\n#FFFFFF,#000000,#FFFFFF,#FFFFFF,\"A,\"\"B\"\"\",12,いいえ,21.00:1,合格,"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",1色覚 (全色盲) 21.00:1\r\n"), std::string::npos) << csv;
    EXPECT_EQ(QuotedField("a\tb", '\t'), "\"a\tb\"");
    EXPECT_EQ(QuotedField("a\tb", ','), "a\tb");
}
