#include "colour/ColorModel.h"
#include "colour/Catalogue.h"
#include "colour/CssColor.h"

#include <gtest/gtest.h>

#include <string>

namespace {

HexCodeResult Parse(const std::string& text)
{
    COLORREF ignored = 0;
    return ParseColorCode(text.c_str(), &ignored);
}

// What the number field shows after the text is validated: the replacement, or the text itself.
std::string ReplacementOf(const char* text)
{
    const ChannelVerdict verdict = ValidateChannelText(text);
    return verdict.replace ? verdict.replacement : "(value " + std::to_string(verdict.value) + ")";
}

int ValueOf(const char* text)
{
    const ChannelVerdict verdict = ValidateChannelText(text);
    return verdict.replace ? -1000 : verdict.value;
}

int Clamp(int position)
{
    return position < 0 ? 0 : position > CHANNEL_MAX ? CHANNEL_MAX : position;
}

// A slider line step with safe sliding on: the slider's own step of 1, the extra safe step, the
// slider's clamping, then the snap.
int SafeSliderLineStep(int position, bool towardsHigher)
{
    const int reported = Clamp(position + (towardsHigher ? 1 : -1));
    return SnapToSafe(Clamp(SafeLineStep(reported, towardsHigher)));
}

int SpinStep(int current, int proposedDelta)
{
    return Clamp(current + SafeSpinDelta(current, proposedDelta));
}

} // namespace

TEST(ColorValue, ChannelsSitInTheLowThreeBytesAndTheTopByteIsIgnored)
{
    EXPECT_EQ(0x00123456u, ComposeColor(0x56, 0x34, 0x12));
    EXPECT_EQ(0x56, RedOf(0x01123456));
    EXPECT_EQ(0x34, GreenOf(0x01123456));
    EXPECT_EQ(0x12, BlueOf(0x01123456));
}

TEST(ColorCode, FormatsInTheRequestedCase)
{
    EXPECT_STREQ("#0080FF", FormatColorCode(0x00FF8000, true).text);
    EXPECT_STREQ("#0080ff", FormatColorCode(0x00FF8000, false).text);
    EXPECT_STREQ("#000000", FormatColorCode(0, true).text);
    EXPECT_STREQ("#563412", FormatColorCode(0x01123456, true).text);
}

TEST(ColorCode, ParsingIsCaseInsensitive)
{
    for (const char* text : {"#0080ff", "#0080FF", "#0080fF"}) {
        COLORREF color = 0;
        EXPECT_EQ(HEXCODE_OK, ParseColorCode(text, &color)) << text;
        EXPECT_EQ(0x00FF8000u, color) << text;
    }
}

TEST(ColorCode, FormattingAndParsingAreInverseForEveryColour)
{
    for (bool upperCase : {true, false}) {
        int failures = 0;
        for (COLORREF color = 0; color < 0x01000000 && failures < 5; ++color) {
            COLORREF parsed = 0xFFFFFFFF;
            const ColorCode code = FormatColorCode(color, upperCase);
            if (ParseColorCode(code.text, &parsed) != HEXCODE_OK || parsed != color) {
                ADD_FAILURE() << "colour " << std::hex << color << " formatted as " << code.text
                              << " parsed back as " << parsed;
                ++failures;
            }
        }
    }
}

TEST(ColorCode, TextsOfAnotherLengthAreRejectedFirst)
{
    EXPECT_EQ(HEXCODE_LENGTH, Parse(""));
    EXPECT_EQ(HEXCODE_LENGTH, Parse("#0080f"));
    EXPECT_EQ(HEXCODE_LENGTH, Parse("#0080ff0"));
    EXPECT_EQ(HEXCODE_LENGTH, Parse("G0080ff0")); // the length is judged before the hash
    EXPECT_EQ(HEXCODE_LENGTH, Parse("#ＡＢ"));    // two full-width characters are four bytes
    EXPECT_EQ(HEXCODE_LENGTH, ParseColorCode(nullptr, nullptr));
}

TEST(ColorCode, SevenBytesWithoutTheHashAreRejected)
{
    EXPECT_EQ(HEXCODE_NOHASH, Parse("0080ff0"));
    EXPECT_EQ(HEXCODE_NOHASH, Parse(" #0080f"));
}

TEST(ColorCode, ByteClassesAtTheEdgesOfTheLeadByteRanges)
{
    struct Case {
        unsigned char byte;
        HexCodeResult expected;
    };
    const Case cases[] = {
        {'/', HEXCODE_DIGIT},  {':', HEXCODE_DIGIT},  {'@', HEXCODE_DIGIT}, {'G', HEXCODE_DIGIT},
        {'`', HEXCODE_DIGIT},  {'g', HEXCODE_DIGIT},  {' ', HEXCODE_DIGIT}, {'#', HEXCODE_DIGIT},
        {0x80, HEXCODE_DIGIT}, {0x81, HEXCODE_DBCS},  {0x9F, HEXCODE_DBCS}, {0xA0, HEXCODE_DIGIT},
        {0xA1, HEXCODE_DIGIT}, {0xDF, HEXCODE_DIGIT}, {0xE0, HEXCODE_DBCS}, {0xFC, HEXCODE_DBCS},
        {0xFD, HEXCODE_DIGIT}, {0xFF, HEXCODE_DIGIT}, {'0', HEXCODE_OK},    {'9', HEXCODE_OK},
        {'A', HEXCODE_OK},     {'F', HEXCODE_OK},     {'a', HEXCODE_OK},    {'f', HEXCODE_OK}};
    for (const Case& c : cases) {
        for (int position = 1; position <= 6; ++position) {
            std::string text = "#000000";
            text[position] = static_cast<char>(c.byte);
            EXPECT_EQ(c.expected, Parse(text)) << "byte 0x" << std::hex << int(c.byte) << " at " << position;
        }
    }
}

TEST(ColorCode, TheFirstFailingByteDecides)
{
    EXPECT_EQ(HEXCODE_DIGIT, Parse("#G０000"));
    EXPECT_EQ(HEXCODE_DBCS, Parse("#０G000"));
    EXPECT_EQ(HEXCODE_DBCS, Parse("#０１２"));
    EXPECT_EQ(HEXCODE_DIGIT, Parse("##00000"));
    EXPECT_EQ(HEXCODE_DIGIT, Parse("#12 456"));
    EXPECT_EQ(HEXCODE_DIGIT, Parse("#ｱ00000")); // single-byte katakana is no lead byte
}

TEST(ColorCode, AFailedParseLeavesTheColourAlone)
{
    for (const char* text : {"", "0080ff0", "#0080fG", "#００８"}) {
        COLORREF color = 0x00ABCDEF;
        EXPECT_NE(HEXCODE_OK, ParseColorCode(text, &color)) << text;
        EXPECT_EQ(0x00ABCDEFu, color) << text;
    }
}

TEST(ChannelText, IsPlainDecimal)
{
    EXPECT_STREQ("0", FormatChannelText(0).text);
    EXPECT_STREQ("7", FormatChannelText(7).text);
    EXPECT_STREQ("255", FormatChannelText(255).text);
}

TEST(ChannelText, ShortTextsInRangeAreTaken)
{
    EXPECT_EQ(255, ValueOf("255"));
    EXPECT_EQ(0, ValueOf("0"));
    EXPECT_EQ(7, ValueOf("007"));
    EXPECT_EQ(12, ValueOf("12a"));
    EXPECT_EQ(0, ValueOf("abc"));
    EXPECT_EQ(12, ValueOf(" 12"));
    EXPECT_EQ(12, ValueOf("+12"));
}

TEST(ChannelText, EmptyTooLargeAndTooLongTextsAreReplaced)
{
    EXPECT_EQ("0", ReplacementOf(""));
    EXPECT_EQ("0", ReplacementOf(nullptr));
    EXPECT_EQ("255", ReplacementOf("256"));
    EXPECT_EQ("255", ReplacementOf("999"));
    EXPECT_EQ("255", ReplacementOf("0000"));
    EXPECT_EQ("255", ReplacementOf("0012"));
    EXPECT_EQ("255", ReplacementOf("99999999999999999999"));
}

TEST(ChannelText, APastedNegativeNumberIsReplacedByZero)
{
    EXPECT_EQ("0", ReplacementOf("-1"));
    EXPECT_EQ("0", ReplacementOf("-0"));
    EXPECT_EQ("0", ReplacementOf("-255"));
    EXPECT_EQ("0", ReplacementOf("-1000"));
    EXPECT_EQ("0", ReplacementOf(" -5"));
    EXPECT_EQ(1, ValueOf("1-2")); // a minus after the number is trailing text
}

TEST(ChannelText, AReplacementIsTakenWhenItComesBack)
{
    for (const char* text : {"", "-1", "999", "0000"}) {
        const ChannelVerdict verdict = ValidateChannelText(text);
        ASSERT_TRUE(verdict.replace) << text;
        const ChannelVerdict again = ValidateChannelText(verdict.replacement);
        EXPECT_FALSE(again.replace) << text << " -> " << verdict.replacement;
    }
}

TEST(ChannelText, NoMoreThanSevenBytesAreRead)
{
    const char unterminated[CHANNEL_TEXT_LOOKED_AT] = {'0', '0', '0', '0', '0', '0', '1'};
    EXPECT_EQ("255", ReplacementOf(unterminated));
}

TEST(SafeColour, SnapsToTheNearestLevelAtEveryBoundary)
{
    const int boundaries[][2] = {{0, 0},     {25, 0},    {26, 51},   {76, 51},   {77, 102},  {127, 102},
                                 {128, 153}, {178, 153}, {179, 204}, {229, 204}, {230, 255}, {255, 255}};
    for (const auto& b : boundaries)
        EXPECT_EQ(b[1], SnapToSafe(b[0])) << "position " << b[0];
    for (int p = 0; p <= 255; ++p)
        EXPECT_EQ(static_cast<int>(p / 51.0 + 0.5) * 51, SnapToSafe(p)) << "position " << p;
}

TEST(SafeColour, SnappingPullsPositionsOutsideTheRangeIn)
{
    EXPECT_EQ(0, SnapToSafe(-30));
    EXPECT_EQ(255, SnapToSafe(300));
}

TEST(SafeColour, SliderLineStepsMoveOneLevelAndStopAtTheEnds)
{
    EXPECT_EQ(0, SafeSliderLineStep(0, false));
    EXPECT_EQ(0, SafeSliderLineStep(51, false));
    EXPECT_EQ(255, SafeSliderLineStep(204, true));
    EXPECT_EQ(255, SafeSliderLineStep(255, true));
    EXPECT_EQ(153, SafeSliderLineStep(102, true));
    EXPECT_EQ(51, SafeSliderLineStep(102, false));
    EXPECT_EQ(102, SafeSliderLineStep(60, true));
    EXPECT_EQ(0, SafeSliderLineStep(60, false));
}

TEST(SafeColour, SpinStepsLandOnTheNextLevelWhateverTheProposedSize)
{
    EXPECT_EQ(-51, SafeSpinDelta(0, -1));
    EXPECT_EQ(26, SafeSpinDelta(25, 1));
    EXPECT_EQ(-26, SafeSpinDelta(230, -1));
    EXPECT_EQ(51, SafeSpinDelta(255, 1));
    EXPECT_EQ(0, SpinStep(0, -1));
    EXPECT_EQ(255, SpinStep(255, 1));
    EXPECT_EQ(102, SpinStep(100, 5));
    EXPECT_EQ(51, SpinStep(100, -5));
    EXPECT_EQ(153, SpinStep(102, 1));
    EXPECT_EQ(51, SpinStep(102, 0));
    for (int c = 0; c <= 255; ++c) {
        const int up = c + SafeSpinDelta(c, 1);
        const int down = c + SafeSpinDelta(c, -1);
        EXPECT_TRUE(up > c && up - c <= 51 && up % 51 == 0) << c << " stepped up to " << up;
        EXPECT_TRUE(down < c && c - down <= 51 && down % 51 == 0) << c << " stepped down to " << down;
    }
}

TEST(Contrast, AnyChannelFromOneHundredSeventyTakesBlackText)
{
    const COLORREF black = 0x000000, white = 0xFFFFFF;
    EXPECT_EQ(white, ContrastTextColor(ComposeColor(169, 169, 169)));
    EXPECT_EQ(black, ContrastTextColor(ComposeColor(170, 0, 0)));
    EXPECT_EQ(black, ContrastTextColor(ComposeColor(0, 170, 0)));
    EXPECT_EQ(black, ContrastTextColor(ComposeColor(0, 0, 170)));
    EXPECT_EQ(white, ContrastTextColor(ComposeColor(169, 0, 0)));
    EXPECT_EQ(white, ContrastTextColor(ComposeColor(0, 169, 0)));
    EXPECT_EQ(white, ContrastTextColor(ComposeColor(0, 0, 169)));
    EXPECT_EQ(white, ContrastTextColor(0xFF000000)); // the top byte is no channel
    EXPECT_EQ(black, ContrastTextColor(0x00FFFFFF));
}

TEST(CssColor, EveryFormOfCssColor4ReadsOrIsRefused)
{
    constexpr COLORREF BLUE_GREY = ComposeColor(51, 102, 153); // #336699
    const struct {
        const char* text;
        CssColorStatus status;
        COLORREF color;
    } cases[] = {
        {"rgb(51 102 153)", CSSCOLOR_OK, BLUE_GREY},
        {"  RGBA(20%,40%,60%,100%)\r\n", CSSCOLOR_OK, BLUE_GREY},
        {"rgb(51 40% 153 / 1)", CSSCOLOR_OK, BLUE_GREY},                // the space syntax mixes
        {"rgb(51, 40%, 153)", CSSCOLOR_UNKNOWN, 0},                     // the comma syntax does not
        {"rgb(-10 300 127.5)", CSSCOLOR_OK, ComposeColor(0, 255, 128)}, // clamped, rounded
        {"rgb(none 1e2 .5e1 / 2)", CSSCOLOR_OK, ComposeColor(0, 100, 5)},
        {"rgb(none, 0, 0)", CSSCOLOR_UNKNOWN, 0},
        {"rgb(0 0 0 / none)", CSSCOLOR_TRANSLUCENT, 0},
        {"rgba(0,0,0,0.5)", CSSCOLOR_TRANSLUCENT, 0},
        {"rgb (0 0 0)", CSSCOLOR_UNKNOWN, 0},
        {"rgb(0 0 0px)", CSSCOLOR_UNKNOWN, 0},
        {"hsl(210 50% 40%)", CSSCOLOR_OK, BLUE_GREY},
        {"HSLA(-150deg, 50%, 40%, 1)", CSSCOLOR_OK, BLUE_GREY},
        {"hsl(0.5833333333turn 50 40)", CSSCOLOR_OK, BLUE_GREY},
        {"hsl(3.6651914rad 50% 40%)", CSSCOLOR_OK, BLUE_GREY},
        {"hsl(233.33333grad 50% 40% / 100%)", CSSCOLOR_OK, BLUE_GREY},
        {"hsl(210, 50, 40)", CSSCOLOR_UNKNOWN, 0}, // the comma syntax wants percentages
        {"hsl(210% 50% 40%)", CSSCOLOR_UNKNOWN, 0},
        {"hsl(none 150% 50%)", CSSCOLOR_OK, ComposeColor(255, 0, 0)},
        {"hwb(210 20% 40%)", CSSCOLOR_OK, BLUE_GREY},
        {"hwb(0 70% 70%)", CSSCOLOR_OK, ComposeColor(128, 128, 128)},
        {"hwb(0, 0%, 0%)", CSSCOLOR_UNKNOWN, 0},
        {"#369F", CSSCOLOR_OK, BLUE_GREY},
        {"#336699ff", CSSCOLOR_OK, BLUE_GREY},
        {"#33669980", CSSCOLOR_TRANSLUCENT, 0},
        {" Navy ", CSSCOLOR_OK, ComposeColor(0, 0, 128)},
        {"transparent", CSSCOLOR_TRANSLUCENT, 0},
    };
    for (const auto& c : cases) {
        const CssColorResult result = ParseCssColor(c.text);
        EXPECT_EQ(result.status, c.status) << c.text;
        if (c.status == CSSCOLOR_OK) {
            EXPECT_EQ(result.color, c.color) << c.text;
        }
    }
}

TEST(CssColor, TheNamedColoursAreTheCataloguesWithTheGreySpellingsAndRebeccaPurple)
{
    for (const NamedColor& row : NamedColors)
        EXPECT_EQ(ParseCssColor(row.name).color, row.color) << row.name;
    for (const char* grey : {"darkgrey", "darkslategrey", "dimgrey", "grey", "lightslategrey", "slategrey"}) {
        std::string gray = grey;
        gray.replace(gray.find("grey"), 4, "gray");
        EXPECT_EQ(ParseCssColor(grey).color, ParseCssColor(gray).color) << grey;
    }
    EXPECT_EQ(ParseCssColor("LightGray").color, ParseCssColor("lightgrey").color);
    EXPECT_EQ(ParseCssColor("RebeccaPurple").color, ComposeColor(0x66, 0x33, 0x99));
}
