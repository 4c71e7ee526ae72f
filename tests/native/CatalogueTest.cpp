#include "colour/Catalogue.h"
#include "colour/ColorModel.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<int> RequestedIndexes;

COLORREF RecordingSource(int index)
{
    RequestedIndexes.push_back(index);
    return ComposeColor(index, 100 + index, 200 + index);
}
COLORREF ChangedSource(int index)
{
    return ComposeColor(index, 0, 0);
}
COLORREF UniformSource(int)
{
    return ComposeColor(1, 2, 3);
}

std::string SampleText(int row)
{
    char buffer[ROW_SAMPLE_TEXT_SIZE];
    RowSampleText(row, buffer);
    return buffer;
}

std::vector<std::string> Cells(int row)
{
    std::vector<std::string> cells;
    for (int column = 0; column < CATALOGUE_COLUMN_COUNT; ++column) {
        char buffer[ROW_CELL_TEXT_SIZE];
        RowCellText(row, column, buffer);
        cells.push_back(buffer);
    }
    return cells;
}

bool CaseInsensitiveLess(const char* a, const char* b)
{
    for (; *a && std::tolower(static_cast<unsigned char>(*a)) == std::tolower(static_cast<unsigned char>(*b));
         ++a, ++b) {
    }
    return std::tolower(static_cast<unsigned char>(*a)) < std::tolower(static_cast<unsigned char>(*b));
}

// Every test leaves the system rows as they were: black, as before the program's first refresh.
class Catalogue : public ::testing::Test {
  protected:
    void SetUp() override
    {
        for (int i = 0; i < SYSTEM_COLOR_COUNT; ++i)
            saved_[i] = SystemColors[i].value;
        RequestedIndexes.clear();
    }
    void TearDown() override
    {
        for (int i = 0; i < SYSTEM_COLOR_COUNT; ++i)
            SystemColors[i].value = saved_[i];
    }

  private:
    COLORREF saved_[SYSTEM_COLOR_COUNT] = {};
};

} // namespace

TEST_F(Catalogue, NamedRowsEndWithYellowGreenAndSystemRowsFollow)
{
    EXPECT_EQ(165, CATALOGUE_ROW_COUNT);
    EXPECT_EQ("AliceBlue", SampleText(0));
    EXPECT_EQ((std::vector<std::string>{"Navy", "", "0", "0", "128", "*", ""}), Cells(95));
    EXPECT_EQ("YellowGreen", SampleText(139));
    EXPECT_EQ(ComposeColor(154, 205, 50), RowColor(139));
    EXPECT_EQ("ActiveBorder", Cells(140)[0]);
    EXPECT_EQ("WindowText", Cells(164)[0]);
}

TEST_F(Catalogue, BothTablesAreInCaseInsensitiveAlphabeticalOrder)
{
    for (int row = 1; row < NAMED_COLOR_COUNT; ++row)
        EXPECT_TRUE(CaseInsensitiveLess(NamedColors[row - 1].name, NamedColors[row].name))
            << NamedColors[row - 1].name << " comes before " << NamedColors[row].name;
    for (int i = 1; i < SYSTEM_COLOR_COUNT; ++i)
        EXPECT_TRUE(CaseInsensitiveLess(SystemColors[i - 1].name, SystemColors[i].name))
            << SystemColors[i - 1].name << " comes before " << SystemColors[i].name;
}

TEST_F(Catalogue, ExactlyTheSixteenBasicKeywordsAreMarked)
{
    const std::set<std::string> expected = {"Aqua",   "Black",  "Blue",  "Fuchsia", "Gray",   "Green",
                                            "Lime",   "Maroon", "Navy",  "Olive",   "Purple", "Red",
                                            "Silver", "Teal",   "White", "Yellow"};
    std::set<std::string> basic;
    for (const NamedColor& color : NamedColors) {
        EXPECT_TRUE(color.basic == 0 || color.basic == 1) << color.name;
        if (color.basic) basic.insert(color.name);
    }
    EXPECT_EQ(expected, basic);
}

TEST_F(Catalogue, AquaAndCyanShareTheirColourButOnlyAquaIsBasic)
{
    EXPECT_EQ((std::vector<std::string>{"Aqua", "", "0", "255", "255", "*", ""}), Cells(2));
    EXPECT_EQ((std::vector<std::string>{"Cyan", "", "0", "255", "255", "", ""}), Cells(20));
    EXPECT_EQ(RowColor(45), RowColor(79)) << "Fuchsia and Magenta";
}

TEST_F(Catalogue, SystemRowsReadBlackBeforeTheFirstRefresh)
{
    for (int row = NAMED_COLOR_COUNT; row < CATALOGUE_ROW_COUNT; ++row)
        EXPECT_EQ(0u, RowColor(row)) << "row " << row;
    EXPECT_EQ((std::vector<std::string>{"Window", "", "0", "0", "0", "", "*"}), Cells(162));
}

TEST_F(Catalogue, RefreshAsksForEverySystemIndexOnceInTableOrder)
{
    RefreshSystemColors(RecordingSource);
    const std::vector<int> expected = {10, 2, 12, 1, 18, 9,  17, 13, 14, 11, 3, 19, 24,
                                       23, 4, 7,  0, 21, 15, 20, 22, 16, 5,  6, 8};
    EXPECT_EQ(expected, RequestedIndexes);
    EXPECT_EQ(ComposeColor(5, 105, 205), RowColor(162)) << "Window has COLOR_WINDOW (5)";
    EXPECT_EQ((std::vector<std::string>{"Window", "", "5", "105", "205", "", "*"}), Cells(162));
}

TEST_F(Catalogue, ASystemRowKeepsItsValueUntilTheNextRefresh)
{
    RefreshSystemColors(RecordingSource);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ComposeColor(8, 108, 208), RowColor(164));
    EXPECT_EQ(25u, RequestedIndexes.size()) << "looking a row up must not ask the system again";
    RefreshSystemColors(ChangedSource);
    EXPECT_EQ(ComposeColor(8, 0, 0), RowColor(164));
}

TEST_F(Catalogue, SystemRowsOfTheSameColourAllStay)
{
    RefreshSystemColors(UniformSource);
    for (int row = NAMED_COLOR_COUNT; row < CATALOGUE_ROW_COUNT; ++row) {
        EXPECT_EQ(ComposeColor(1, 2, 3), RowColor(row));
        EXPECT_EQ(SystemColors[row - NAMED_COLOR_COUNT].name, Cells(row)[0]);
    }
}

TEST_F(Catalogue, SystemSampleTextIsNameAndDescriptionOnTwoLines)
{
    EXPECT_EQ("Window\r\nウィンドウの背景色", SampleText(162));
    // The description is in code page 932: ウ is 0x83 0x45, and nine characters take 18 bytes.
    EXPECT_EQ(std::string("Window\r\n\x83\x45", 10), SampleText(162).substr(0, 10));
    EXPECT_EQ(8u + 18u, SampleText(162).size());
}

TEST_F(Catalogue, EveryDescriptionIsWholeCodePage932Text)
{
    for (const SystemColor& color : SystemColors) {
        const std::size_t length = std::strlen(color.description);
        EXPECT_GT(length, 0u) << color.name;
        EXPECT_LT(length, sizeof color.description) << color.name;
        for (std::size_t i = 0; i < length; ++i) {
            if (IsShiftJisLeadByte(static_cast<unsigned char>(color.description[i]))) {
                const unsigned char trail = static_cast<unsigned char>(color.description[++i]);
                EXPECT_TRUE(trail >= 0x40 && trail <= 0xFC && trail != 0x7F) << color.name << " at " << i;
            }
        }
    }
    EXPECT_EQ("非アクティブウィンドウのタイトルバーの色", std::string(SystemColors[150 - 140].description));
}

TEST_F(Catalogue, RowsOutsideTheCatalogueGiveNothing)
{
    EXPECT_EQ(0u, RowColor(-1));
    EXPECT_EQ(0u, RowColor(CATALOGUE_ROW_COUNT));
    EXPECT_EQ("", SampleText(CATALOGUE_ROW_COUNT));
    EXPECT_EQ((std::vector<std::string>(7)), Cells(-1));
    char buffer[ROW_CELL_TEXT_SIZE] = "sentinel";
    RowCellText(0, CATALOGUE_COLUMN_COUNT, buffer);
    EXPECT_STREQ("", buffer);
}
