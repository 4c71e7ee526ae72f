#include "settings/SettingsCodec.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Stored(const std::string& text)
{
    char out[SETTINGS_TEXT_SIZE];
    EncodeStoredText(text.c_str(), out, sizeof out);
    return out;
}

std::string Decoded(const std::string& stored)
{
    std::vector<char> buffer(stored.begin(), stored.end());
    buffer.push_back('\0');
    DecodeStoredText(buffer.data());
    return buffer.data();
}

// The decoding as first designed: find the first pair of backslashes, replace it, search again.
std::string DecodedByRestarting(std::string text)
{
    for (std::size_t pair = text.find("\\\\"); pair != std::string::npos; pair = text.find("\\\\"))
        text.replace(pair, 2, "\r\n");
    return text;
}

std::vector<int> Values(const Placement& placement)
{
    return std::vector<int>(placement.values, placement.values + 4);
}

constexpr char SENTINEL = '~';

// Runs a bounded writer into a larger buffer filled with a sentinel; fails if a byte past outSize
// changed or the text is not terminated within outSize.
template <typename Writer> std::string WrittenWithin(std::size_t outSize, Writer write)
{
    std::vector<char> buffer(outSize + 32, SENTINEL);
    write(buffer.data(), outSize);
    for (std::size_t i = outSize; i < buffer.size(); ++i)
        EXPECT_EQ(SENTINEL, buffer[i]) << "byte " << i << " written past a buffer of " << outSize;
    if (outSize == 0) return "(nothing)";
    const void* end = std::memchr(buffer.data(), '\0', outSize);
    EXPECT_NE(nullptr, end) << "no terminator within " << outSize << " bytes";
    return end ? buffer.data() : "(unterminated)";
}

std::string SettingsPath(const char* program, std::size_t outSize = 260)
{
    return WrittenWithin(
        outSize, [&](char* out, std::size_t size) { SettingsPathFromProgramPath(program, out, size); });
}

std::string BaseName(const char* program, std::size_t outSize = 260)
{
    return WrittenWithin(outSize, [&](char* out, std::size_t size) { ProgramBaseName(program, out, size); });
}

} // namespace

TEST(StoredText, ALineBreakIsStoredAsTwoBackslashesAndReadBack)
{
    EXPECT_EQ("abc\\\\def", Stored("abc\r\ndef"));
    EXPECT_EQ("abc\r\ndef", Decoded(Stored("abc\r\ndef")));
}

TEST(StoredText, ThreeLineBreaksInARowSurvive)
{
    EXPECT_EQ("\\\\\\\\\\\\", Stored("\r\n\r\n\r\n"));
    EXPECT_EQ("\r\n\r\n\r\n", Decoded(Stored("\r\n\r\n\r\n")));
}

TEST(StoredText, ALoneLineFeedComesBackAsOneBackslash)
{
    EXPECT_EQ("a\\b", Stored("a\nb"));
    EXPECT_EQ("a\\b", Decoded(Stored("a\nb")));
    EXPECT_EQ("a\\b", Decoded(Stored("a\rb")));
}

TEST(StoredText, TwoBackslashesTypedByTheUserComeBackAsALineBreak)
{
    EXPECT_EQ("C:\r\nTools", Decoded(Stored("C:\\\\Tools")));
}

TEST(StoredText, ABackslashBeforeALineBreakComesBackAfterIt)
{
    EXPECT_EQ("a\\\\\\", Stored("a\\\r\n"));
    EXPECT_EQ("a\r\n\\", Decoded(Stored("a\\\r\n")));
}

TEST(StoredText, TheSecondByteOfADoubleByteCharacterIsNoBackslash)
{
    ASSERT_EQ(std::string("\x95\x5C"), "表"); // code page 932
    EXPECT_EQ("表\\\\", Stored("表\r\n"));
    EXPECT_EQ("表\r\n", Decoded(Stored("表\r\n")));
    EXPECT_EQ("表\\", Decoded("表\\"));
    EXPECT_EQ("表示\r\nｼﾞｬﾝｸﾒﾀﾙ", Decoded(Stored("表示\r\nｼﾞｬﾝｸﾒﾀﾙ")));
    EXPECT_EQ("\x95", Decoded("\x95")); // a lead byte at the very end stands alone
}

TEST(StoredText, OnePassDecodesLikeSearchingAgainFromTheStart)
{
    std::mt19937 random(20240611);
    const char alphabet[] = {'a', '\\', '\\', '\r', '\n', 'z'};
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 24, ' ');
        for (char& byte : text)
            byte = alphabet[random() % sizeof alphabet];
        ASSERT_EQ(DecodedByRestarting(text), Decoded(text)) << "stored text of " << text.size() << " bytes";
    }
}

TEST(StoredText, EncodingStopsAtTheBufferAndAtOneThousandTwentyThreeBytes)
{
    const auto encode = [](const std::string& text) {
        return [text](char* out, std::size_t size) { EncodeStoredText(text.c_str(), out, size); };
    };
    EXPECT_EQ("(nothing)", WrittenWithin(0, encode("abc")));
    EXPECT_EQ("", WrittenWithin(1, encode("abc")));
    EXPECT_EQ("abcd", WrittenWithin(5, encode("abcdefgh")));
    EXPECT_EQ("a", WrittenWithin(3, encode("a表"))) << "half a character is not stored";
    EXPECT_EQ(std::string(1023, 'x'), WrittenWithin(2000, encode(std::string(1500, 'x'))));
}

TEST(Placement, FourNumbersAreRead)
{
    const Placement placement = ParsePlacement("100,50,740,530");
    EXPECT_EQ((std::vector<int>{100, 50, 740, 530}), Values(placement));
    EXPECT_TRUE(IsPlacementUsable(placement));
}

TEST(Placement, AShortValueIsNotUsable)
{
    EXPECT_EQ((std::vector<int>{100, 50, 740, 0}), Values(ParsePlacement("100,50,740")));
    EXPECT_FALSE(IsPlacementUsable(ParsePlacement("100,50,740")));
    EXPECT_FALSE(IsPlacementUsable(ParsePlacement("")));
    EXPECT_FALSE(IsPlacementUsable(ParsePlacement(nullptr)));
    EXPECT_FALSE(IsPlacementUsable(ParsePlacement("MAXIMISED")));
}

TEST(Placement, RunsOfCommasAreOneSeparatorAndExtraNumbersAreIgnored)
{
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Values(ParsePlacement(",,1,,2,3,4")));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Values(ParsePlacement("1,2,3,4,5,6")));
}

TEST(Placement, EachTokenIsReadLikeAtoi)
{
    EXPECT_EQ((std::vector<int>{0, 2, 3, -4}), Values(ParsePlacement("x1,2y, 3 ,-4z")));
    EXPECT_EQ((std::vector<int>{10, 20, 30, 40}), Values(ParsePlacement(" 10,+20,\t30,  40")));
}

TEST(Placement, HugeNumbersSaturate)
{
    EXPECT_EQ((std::vector<int>{INT_MAX, INT_MIN, INT_MAX, INT_MIN}),
              Values(ParsePlacement("99999999999999999999,-99999999999,2147483647,-2147483648")));
    EXPECT_EQ((std::vector<int>{INT_MAX, INT_MIN, 0, 0}), Values(ParsePlacement("2147483648,-2147483649")));
}

TEST(FontOption, FifteenSetsBoldItalicUnderlineAndStrikeout)
{
    FontOptionFields fields = {};
    ApplyFontOptionBits(15, &fields);
    EXPECT_EQ(700, fields.weight);
    EXPECT_EQ(1, fields.italic);
    EXPECT_EQ(1, fields.underline);
    EXPECT_EQ(1, fields.strikeOut);
    EXPECT_EQ(15, FontOptionBits(700, 1, 1, 1));
}

TEST(FontOption, ClearBitsLeaveTheFieldsAsTheyWere)
{
    FontOptionFields fields = {400, 1, 0, 1};
    ApplyFontOptionBits(0, &fields);
    EXPECT_EQ(400, fields.weight);
    EXPECT_EQ(1, fields.italic);
    EXPECT_EQ(0, fields.underline);
    EXPECT_EQ(1, fields.strikeOut);
    ApplyFontOptionBits(FONTOPTION_UNDERLINE, &fields);
    EXPECT_EQ(400, fields.weight);
    EXPECT_EQ(1, fields.underline);
}

TEST(FontOption, OnlyTheExactBoldWeightIsStored)
{
    EXPECT_EQ(0, FontOptionBits(600, 0, 0, 0));
    EXPECT_EQ(0, FontOptionBits(800, 0, 0, 0));
    EXPECT_EQ(FONTOPTION_BOLD, FontOptionBits(700, 0, 0, 0));
    EXPECT_EQ(FONTOPTION_ITALIC | FONTOPTION_STRIKEOUT, FontOptionBits(400, 255, 0, 2));
    FontOptionFields fields = {};
    ApplyFontOptionBits(FontOptionBits(800, 0, 0, 0), &fields);
    EXPECT_EQ(0, fields.weight) << "weight 800 comes back as the default weight";
}

// The settings file is read and changed on its bytes, as the platform's profile functions do.
TEST(IniText, ReadsAndWritesKeysInPlaceOnTheBytes)
{
    const std::string file = "[A]\r\nx = 1 \r\n\r\n[b]\r\nKey=\" \x95\\ \"\r\n[B]\r\nlate=2";
    std::string value;
    EXPECT_TRUE(FindIniValue(file, "a", "X", &value));
    EXPECT_EQ(value, "1") << "white space around the value goes";
    EXPECT_TRUE(FindIniValue(file, "B", "key", &value));
    EXPECT_EQ(value, " \x95\\ ") << "one pair of quotes goes; a 0x5C second byte stays";
    EXPECT_FALSE(FindIniValue(file, "B", "late", &value)) << "only the first section of a name counts";
    EXPECT_EQ(SetIniValue(file, "A", "x", "9"), "[A]\r\nx=9\r\n\r\n[b]\r\nKey=\" \x95\\ \"\r\n[B]\r\nlate=2");
    EXPECT_EQ(SetIniValue(file, "a", "y", "3"),
              "[A]\r\nx = 1 \r\ny=3\r\n\r\n[b]\r\nKey=\" \x95\\ \"\r\n[B]\r\nlate=2");
    EXPECT_EQ(SetIniValue("[B]\r\nlate=2", "B", "z", "4"), "[B]\r\nlate=2\r\nz=4");
    EXPECT_EQ(SetIniValue("x", "NEW", "k", "v"), "x\r\n[NEW]\r\nk=v\r\n");
}

TEST(ProgramPath, TheSettingsFileLiesBesideTheProgram)
{
    EXPECT_EQ("C:\\Tools\\prog.ini", SettingsPath("C:\\Tools\\prog.exe"));
    EXPECT_EQ("C:\\Tools\\prog.ini", SettingsPath("C:\\Tools\\prog"));
    EXPECT_EQ("C:\\my.tools\\prog.ini", SettingsPath("C:\\my.tools\\prog"));
    EXPECT_EQ("C:\\Tools\\prog.v2.ini", SettingsPath("C:\\Tools\\prog.v2.exe"));
    EXPECT_EQ("C:/Tools/prog.ini", SettingsPath("C:/Tools/prog.exe"));
    EXPECT_EQ("C:\\a.b/c\\prog.ini", SettingsPath("C:\\a.b/c\\prog"));
    EXPECT_EQ("prog.ini", SettingsPath("prog.exe"));
    EXPECT_EQ("C:prog.ini", SettingsPath("C:prog.exe"));
}

TEST(ProgramPath, TheBaseNameHasNeitherDirectoryNorExtension)
{
    EXPECT_EQ("Huebench", BaseName("C:\\Tools\\Huebench.exe"));
    EXPECT_EQ("prog", BaseName("C:\\my.tools\\prog"));
    EXPECT_EQ("prog.v2", BaseName("C:/Tools/prog.v2.exe"));
    EXPECT_EQ("prog", BaseName("C:prog.exe"));
    EXPECT_EQ("prog", BaseName("prog"));
    EXPECT_EQ("", BaseName(""));
}

TEST(ProgramPath, ASecondByteOf0x5CIsNoDirectorySeparator)
{
    EXPECT_EQ("C:\\表示\\prog.ini", SettingsPath("C:\\表示\\prog.exe"));
    EXPECT_EQ("C:\\Tools\\表.ini", SettingsPath("C:\\Tools\\表.exe"));
    EXPECT_EQ("C:\\表示\\表.ini", SettingsPath("C:\\表示\\表"));
    EXPECT_EQ("表", BaseName("C:\\Tools\\表.exe"));
    EXPECT_EQ("表示", BaseName("C:\\表示\\表示"));
}

TEST(ProgramPath, AnOverLongPathIsCutWithinTheBuffer)
{
    const char* program = "C:\\Some\\Very\\Long\\Directory\\Name\\prog.exe";
    EXPECT_EQ("C:\\Some\\Very\\Lo.ini", SettingsPath(program, 20)) << "a cut path still names an .ini file";
    EXPECT_EQ("", SettingsPath(program, 4));
    EXPECT_EQ("(nothing)", SettingsPath(program, 0));
    EXPECT_EQ("averyve", BaseName("C:\\x\\averyverylongname.exe", 8));
    EXPECT_EQ("表", BaseName("C:\\表示.exe", 4)) << "half a character is not kept";
    EXPECT_EQ("", BaseName("C:\\表示.exe", 2));
    EXPECT_EQ("C:\\Tools\\.ini", SettingsPath("C:\\Tools\\表示.exe", 14));
}

TEST(RecentColorCodec, ADamagedValueKeepsTheEntriesThatReadAndWritingReadsBack)
{
    COLORREF colors[RECENT_COLOR_LIMIT] = {};
    ASSERT_EQ(DecodeRecentColors(" #336699,#zz0000,,#000080 ,#336699,#12345,navy,#FFFFFF", colors, 3), 3);
    EXPECT_EQ(colors[0], 0x996633u);
    EXPECT_EQ(colors[1], 0x800000u);
    EXPECT_EQ(colors[2], 0xFFFFFFu);
    EXPECT_EQ(DecodeRecentColors("", colors, RECENT_COLOR_LIMIT), 0);

    char stored[20];
    EncodeRecentColors(colors, 3, stored, sizeof stored); // room for two codes only
    EXPECT_STREQ(stored, "#336699,#000080");
}
