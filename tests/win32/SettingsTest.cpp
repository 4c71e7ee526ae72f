// The settings file beside the program: what survives a restart, and what a damaged file does.
#include <fstream>
#include <sstream>
#include <string>

#include "MainFormFixture.h"
#include "PanelTestSteps.h"
#include "panel/Channels.h"
#include "shell/Fatal.h"
#include "shell/Menus.h"
#include "shell/resource.h"
#include "colour/Vision.h"
#include "settings/Settings.h"
#include "shell/Huebench.h"
#include "panel/Capture.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

std::string RectText(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom);
}

} // namespace

class SettingsTest : public MainFormTest {
  protected:
    // Closes the program, puts the given file in place and starts it again.
    void RestartWith(const std::string& contents)
    {
        DestroyForm();
        WriteSettings(contents);
        CreateForm();
    }
    // Closes the program, which saves its settings, and starts it again.
    void Restart() { RecreateForm(); }

    HWND Preview() const { return GetActivePreview(); }
    PreviewState& State() const
    {
        PreviewState* state = ActivePreviewState();
        EXPECT_NE(state, nullptr) << "no active preview window";
        return state ? *state : PreviewTemplate;
    }
    std::string SampleText() const { return WindowText(State().edit); }
    void SetSampleText(const std::string& text) { SetWindowTextA(State().edit, text.c_str()); }
    std::string StoredValue(const char* section, const char* key) const
    {
        char value[2048] = {};
        GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value, SettingsFile().c_str());
        return value;
    }
    // The preview's window rectangle relative to the MDI client's client area, with its size.
    RECT PreviewPlacement() const
    {
        RECT rect = WindowRect(Preview());
        POINT origin = {0, 0};
        ClientToScreen(mdiClient, &origin);
        return {rect.left - origin.x, rect.top - origin.y, rect.right - rect.left, rect.bottom - rect.top};
    }
    // The state a start without any file gives.
    void ExpectDefaults()
    {
        EXPECT_EQ(SampleText(), LoadResourceText(IDS_DEFAULT_SAMPLE).text);
        EXPECT_TRUE(IsOptionChecked(form, IDM_CAPTION));
        EXPECT_TRUE(IsOptionChecked(form, IDM_SYNCHRO));
        EXPECT_FALSE(IsOptionChecked(form, IDM_AUTOCOPY));
        EXPECT_FALSE(IsOptionChecked(form, IDM_TOPLEVEL));
        EXPECT_TRUE(IsOptionChecked(form, IDM_LOUPE));
        EXPECT_FALSE(IsSafeSlideOn(form));
        EXPECT_EQ(SendMessageA(Control(IDC_TAB), TCM_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(HexString(State().innerColor), HexString(0));
        EXPECT_EQ(HexString(State().outerColor), HexString(0));
        EXPECT_EQ(HexString(State().fontColor), HexString(0));
        EXPECT_EQ(State().logFont.lfHeight, 0);
        EXPECT_EQ(State().logFont.lfWeight, 0);
        EXPECT_EQ(State().logFont.lfCharSet, SHIFTJIS_CHARSET);
    }
};

class SampleTextStorage : public SettingsTest {
  protected:
    // The text after a restart, and the stored form along the way.
    std::string RoundTrip(const std::string& text, std::string* stored = nullptr)
    {
        SetSampleText(text);
        Restart();
        if (stored) *stored = StoredValue("PREVIEW", "STRING");
        return SampleText();
    }
};
class FontStorage : public SettingsTest {};
class PlacementStorage : public SettingsTest {};
class OptionStorage : public SettingsTest {};
class DamagedSettings : public SettingsTest {};

// Japanese typed into the sample text, a Unicode window fed by the program's own W message loop,
// reads back in code page 932, is stored so (表 ends in 0x5C, before a stored line break) and
// comes back after a restart.
TEST_F(SampleTextStorage, TypedJapaneseIsKeptInCodePage932)
{
    // The contrast tooltip, made when the pointer first comes, subclasses the text: it stays Unicode.
    SendMessageA(Preview(), WM_SETCURSOR, reinterpret_cast<WPARAM>(State().edit), 0);
    ASSERT_TRUE(State().tooltip && IsWindowUnicode(State().edit));
    SetSampleText("");
    for (const wchar_t typed : std::wstring(L"色の見本\r表示"))
        PostMessageW(State().edit, WM_CHAR, typed, 1);
    PostQuitMessage(0);
    RunMessageLoop(form, accelerators);
    EXPECT_EQ(SampleText(), "色の見本\r\n表示");
    Restart();
    EXPECT_EQ(SampleText(), "色の見本\r\n表示");
    EXPECT_NE(ReadFile(SettingsFile()).find("\r\nSTRING=色の見本\\\\表示\r\n"), std::string::npos);
}

TEST_F(SampleTextStorage, LineBreakIsStoredAsTwoBackslashes)
{
    std::string stored;
    EXPECT_EQ(RoundTrip("abc\r\ndef", &stored), "abc\r\ndef");
    EXPECT_EQ(stored, "abc\\\\def");
}

TEST_F(SampleTextStorage, ThreeLineBreaksInARowSurviveARestart)
{
    std::string stored;
    EXPECT_EQ(RoundTrip("a\r\n\r\n\r\nb", &stored), "a\r\n\r\n\r\nb");
    EXPECT_EQ(stored, "a\\\\\\\\\\\\b");
}

TEST_F(SampleTextStorage, LoneLineFeedComesBackAsOneBackslash)
{
    std::string stored;
    EXPECT_EQ(RoundTrip("a\nb", &stored), "a\\b");
    EXPECT_EQ(stored, "a\\b");
}

TEST_F(SampleTextStorage, TypedDoubleBackslashComesBackAsALineBreak)
{
    EXPECT_EQ(RoundTrip("a\\\\b"), "a\r\nb");
}

TEST_F(SampleTextStorage, BackslashBeforeALineBreakComesBackAfterIt)
{
    EXPECT_EQ(RoundTrip("a\\\r\nb"), "a\r\n\\b");
}

TEST_F(SampleTextStorage, DoubleByteCharacterWithBackslashTrailByteKeepsTheLineBreak)
{
    // 表 is 0x95 0x5C in code page 932: its second byte must not pair with the stored line break.
    EXPECT_EQ(RoundTrip("\x95\x5C\r\nx"), "\x95\x5C\r\nx");
    EXPECT_EQ(RoundTrip("\x95\x5C\x95\x5C"), "\x95\x5C\x95\x5C");
}

TEST_F(SampleTextStorage, SurroundingQuotesAndSpacesSurviveARestart)
{
    EXPECT_EQ(RoundTrip("\"quoted\""), "\"quoted\"");
    EXPECT_EQ(RoundTrip("  indented and trailing  "), "  indented and trailing  ");
    EXPECT_EQ(RoundTrip("'single'"), "'single'");
}

TEST_F(SampleTextStorage, LongTextIsKeptUpTo1023Characters)
{
    const std::string text(1500, 'w');
    EXPECT_EQ(RoundTrip(text), std::string(1023, 'w'));
    EXPECT_EQ(RoundTrip(" " + text), " " + std::string(1021, 'w')) << "a quoted text";
}

TEST_F(FontStorage, AllFourOptionBitsComeBack)
{
    RestartWith("[PREVIEW]\r\nFONTFACE=Arial\r\nFONTHEIGHT=-16\r\nFONTOPTION=15\r\nFONTCHARSET=0\r\n");
    const LOGFONTA& font = State().logFont;
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfStrikeOut, 1);
    EXPECT_EQ(font.lfCharSet, 0);
}

TEST_F(FontStorage, BoldOnlyAtWeight700AndTheFontSurvivesARestart)
{
    for (const long weight : {600L, 700L, 800L}) {
        SCOPED_TRACE("weight " + std::to_string(weight));
        PreviewTemplate.logFont = LOGFONTA{};
        lstrcpyA(PreviewTemplate.logFont.lfFaceName, "Courier New");
        PreviewTemplate.logFont.lfHeight = -21;
        PreviewTemplate.logFont.lfWeight = weight;
        PreviewTemplate.logFont.lfItalic = 1;
        PreviewTemplate.logFont.lfCharSet = ANSI_CHARSET;
        PreviewTemplate.fontColor = RGB(1, 2, 3);
        SendMessageA(Preview(), PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
        Restart();
        EXPECT_EQ(StoredValue("PREVIEW", "FONTOPTION"), weight == 700 ? "3" : "2");
        const LOGFONTA& font = State().logFont;
        EXPECT_EQ(font.lfWeight, weight == 700 ? 700 : 0);
        EXPECT_EQ(font.lfItalic, 1);
        EXPECT_STREQ(font.lfFaceName, "Courier New");
        EXPECT_EQ(font.lfHeight, -21);
        EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
        EXPECT_EQ(HexString(State().fontColor), HexString(RGB(1, 2, 3)));
    }
}

TEST_F(PlacementStorage, FourNumbersPlaceTheMainWindow)
{
    RestartWith("[MAINWINDOW]\r\nPOSITION=100,50,740,530\r\n");
    EXPECT_EQ(RectText(WindowRect(form)), "100,50,740,530");
}

TEST_F(PlacementStorage, TooFewNumbersLeaveTheMainWindowAlone)
{
    RestartWith("");
    const std::string unplaced = RectText(WindowRect(form));
    RestartWith("[MAINWINDOW]\r\nPOSITION=100,50,740\r\n");
    EXPECT_EQ(RectText(WindowRect(form)), unplaced);
    RestartWith("[MAINWINDOW]\r\nPOSITION=,,,,100,,,50\r\n");
    EXPECT_EQ(RectText(WindowRect(form)), unplaced) << "runs of commas are one separator";
}

TEST_F(PlacementStorage, PositionOffEveryMonitorIsNotAppliedButTheRestIs)
{
    RestartWith("");
    const std::string unplaced = RectText(WindowRect(form));
    RestartWith("[MAINWINDOW]\r\nPOSITION=5000,4000,5640,4480\r\nPAGE=1\r\n[PREVIEW]\r\nEDITCLR=255\r\n");
    EXPECT_EQ(RectText(WindowRect(form)), unplaced);
    EXPECT_EQ(SendMessageA(Control(IDC_TAB), TCM_GETCURSEL, 0, 0), 1) << "page";
    EXPECT_EQ(HexString(State().innerColor), HexString(RGB(255, 0, 0))) << "inner colour";
}

TEST_F(PlacementStorage, MainWindowPlacementSurvivesARestart)
{
    MoveWindow(form, 120, 80, 700, 520, TRUE);
    Restart();
    EXPECT_EQ(StoredValue("MAINWINDOW", "POSITION"), "120,80,820,600");
    EXPECT_EQ(RectText(WindowRect(form)), "120,80,820,600");
}

TEST_F(PlacementStorage, MaximisedMainWindowComesBackMaximised)
{
    ShowWindow(form, SW_MAXIMIZE);
    Restart();
    EXPECT_EQ(StoredValue("MAINWINDOW", "POSITION"), "MAX");
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(form) != FALSE; }));
}

TEST_F(PlacementStorage, FourNumbersPlaceThePreviewWindowInTheClientArea)
{
    RestartWith("[MDIWINDOW]\r\nRECT=10,20,300,200\r\n");
    EXPECT_EQ(RectText(PreviewPlacement()), "10,20,300,200");
}

TEST_F(PlacementStorage, PreviewPlacementSurvivesARestart)
{
    MoveWindow(Preview(), 15, 25, 210, 140, TRUE);
    Restart();
    EXPECT_EQ(StoredValue("MDIWINDOW", "RECT"), "15,25,210,140");
    EXPECT_EQ(RectText(PreviewPlacement()), "15,25,210,140");
}

TEST_F(PlacementStorage, TooFewNumbersLeaveThePreviewWindowAlone)
{
    RestartWith("");
    const std::string unplaced = RectText(PreviewPlacement());
    RestartWith("[MDIWINDOW]\r\nRECT=10,20,300\r\n");
    EXPECT_EQ(RectText(PreviewPlacement()), unplaced);
}

TEST_F(OptionStorage, NoFileGivesTheDefaults)
{
    RestartWith("");
    ExpectDefaults();
}

TEST_F(OptionStorage, CaptionAbsentGivesUpperCaseCodes)
{
    RestartWith("[MENU]\r\nAUTOCOPY=0\r\n[PREVIEW]\r\nEDITCLR=16744448\r\n");
    EXPECT_TRUE(IsOptionChecked(form, IDM_CAPTION));
    EXPECT_EQ(WindowText(Preview()), "#0080FF");
    EXPECT_EQ(WindowText(Control(IDC_HEXEDIT)), "#0080FF");
}

TEST_F(OptionStorage, CaptionOffGivesLowerCaseCodes)
{
    RestartWith("[MENU]\r\nCAPTION=0\r\n[PREVIEW]\r\nEDITCLR=16744448\r\n");
    EXPECT_FALSE(IsOptionChecked(form, IDM_CAPTION));
    EXPECT_EQ(WindowText(Preview()), "#0080ff");
    EXPECT_EQ(WindowText(Control(IDC_HEXEDIT)), "#0080ff");
}

TEST_F(OptionStorage, SynchroMakesTheOuterColourFollowAfterStartUp)
{
    RestartWith("[MENU]\r\nSYNCHRO=8\r\n[PREVIEW]\r\nEDITCLR=16744448\r\nBACKCLR=255\r\n");
    EXPECT_EQ(HexString(State().outerColor), HexString(0x00FF8000));
    EXPECT_EQ(HexString(State().innerColor), HexString(0x00FF8000));
    EXPECT_EQ(HexString(ChannelColor()), HexString(0x00FF8000)) << "the channels follow the stored colour";

    RestartWith("[MENU]\r\nSYNCHRO=0\r\n[PREVIEW]\r\nEDITCLR=16744448\r\nBACKCLR=255\r\n");
    EXPECT_EQ(HexString(State().outerColor), HexString(255));
}

TEST_F(OptionStorage, OptionsAndSafeSlideSurviveARestart)
{
    Command(IDM_AUTOCOPY);
    Command(IDM_CAPTION);
    Command(IDM_SYNCHRO);
    ClickButton(Control(IDC_SAFESLIDE));
    Restart();
    EXPECT_EQ(StoredValue("MENU", "AUTOCOPY"), "8");
    EXPECT_EQ(StoredValue("MENU", "CAPTION"), "0");
    EXPECT_EQ(StoredValue("MENU", "SAFESLIDE"), "1");
    EXPECT_TRUE(IsOptionChecked(form, IDM_AUTOCOPY));
    EXPECT_FALSE(IsOptionChecked(form, IDM_CAPTION));
    EXPECT_FALSE(IsOptionChecked(form, IDM_SYNCHRO));
    EXPECT_FALSE(IsOptionChecked(form, IDM_TOPLEVEL));
    EXPECT_TRUE(IsSafeSlideOn(form));
}

// The magnifier, its zoom and sample: a file from before them, or with figures none of the choices.
TEST_F(OptionStorage, LoupeZoomAndSampleReadAsTodayWithoutTheirKeysAndSurviveBarSwapsAndARestart)
{
    RestartWith("[MENU]\r\nCAPTION=8\r\nSYNCHRO=8\r\nLOUPEZOOM=15\r\nSAMPLE=x\r\n");
    EXPECT_TRUE(IsOptionChecked(form, IDM_LOUPE) && ChosenLoupeZoom(form) == 10 &&
                ChosenSampleSide(form) == 1);
    Restart();
    EXPECT_EQ(StoredValue("MENU", "LOUPE") + StoredValue("MENU", "LOUPEZOOM") + StoredValue("MENU", "SAMPLE"),
              "8101");
    for (UINT id : {IDM_LOUPE, IDM_LOUPEZOOM_20, IDM_SAMPLE_5, IDM_CLOSEALL, IDM_NEWWINDOW}) // both bars
        Command(id);
    Restart();
    EXPECT_EQ(StoredValue("MENU", "LOUPE") + StoredValue("MENU", "LOUPEZOOM") + StoredValue("MENU", "SAMPLE"),
              "0205");
    EXPECT_FALSE(IsOptionChecked(form, IDM_LOUPE) || IsOptionChecked(form, IDM_SAMPLE_1));
    EXPECT_TRUE(ChosenLoupeZoom(form) == 20 && ChosenSampleSide(form) == 5);
}

TEST_F(OptionStorage, TopLevelMakesTheFormTopmost)
{
    RestartWith("[MENU]\r\nTOPLEVEL=8\r\n");
    EXPECT_TRUE(IsOptionChecked(form, IDM_TOPLEVEL));
    EXPECT_NE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(OptionStorage, ColoursAndPageSurviveARestart)
{
    SendMessageA(Control(IDC_TAB), TCM_SETCURSEL, 1, 0);
    Command(IDM_SYNCHRO);
    WriteChannelEdits(RGB(0x12, 0x34, 0x56));
    SendMessageA(Preview(), PM_SETOUTERCOLOR, RGB(0xFE, 0xDC, 0xBA), 0);
    Restart();
    EXPECT_EQ(StoredValue("PREVIEW", "EDITCLR"), std::to_string(RGB(0x12, 0x34, 0x56)));
    EXPECT_EQ(SendMessageA(Control(IDC_TAB), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(HexString(State().innerColor), HexString(RGB(0x12, 0x34, 0x56)));
    EXPECT_EQ(HexString(State().outerColor), HexString(RGB(0xFE, 0xDC, 0xBA)));
    EXPECT_EQ(WindowText(Control(IDC_HEXEDIT)), "#123456");
}

TEST_F(OptionStorage, VisionModeIsWrittenWithThePreviewKeysAndOddValuesOpenInNormalVision)
{
    Command(IDM_VISION_TRITANOPIA);
    Restart();
    const std::string file = ReadFile(SettingsFile());
    EXPECT_LT(file.find("FONTCHARSET="), file.find("VISION=3")) << file;
    EXPECT_EQ(WindowText(Preview()), "#000000 [3型]");
    RestartWith("[PREVIEW]\r\nEDITCLR=255\r\nVISION=5\r\n"); // and a file without the key reads 0 too
    EXPECT_EQ(State().vision, VISION_NORMAL);
    EXPECT_EQ(WindowText(Preview()), "#FF0000");
}

TEST_F(OptionStorage, NewFileGetsItsSectionsInWritingOrder)
{
    DestroyForm();
    DeleteFileA(SettingsFile().c_str());
    CreateForm();
    DestroyForm();
    const std::string file = ReadFile(SettingsFile());
    const auto mainWindow = file.find("[MAINWINDOW]");
    const auto menu = file.find("[MENU]");
    const auto mdiWindow = file.find("[MDIWINDOW]");
    const auto preview = file.find("[PREVIEW]");
    ASSERT_NE(preview, std::string::npos) << file;
    EXPECT_LT(mainWindow, menu);
    EXPECT_LT(menu, mdiWindow);
    EXPECT_LT(mdiWindow, preview);
    CreateForm();
}

TEST_F(OptionStorage, ClosingAPreviewFirstPutsItsSectionsFirst)
{
    DeleteFileA(SettingsFile().c_str());
    SendMessageA(mdiClient, WM_COMMAND, IDM_CLOSE, 0);
    PumpMessages(30);
    DestroyForm();
    const std::string file = ReadFile(SettingsFile());
    const auto mdiWindow = file.find("[MDIWINDOW]");
    const auto mainWindow = file.find("[MAINWINDOW]");
    ASSERT_NE(mdiWindow, std::string::npos) << file;
    ASSERT_NE(mainWindow, std::string::npos) << file;
    EXPECT_LT(mdiWindow, file.find("[PREVIEW]"));
    EXPECT_LT(file.find("[PREVIEW]"), mainWindow);
    CreateForm();
}

TEST_F(DamagedSettings, EmptyFileGivesTheDefaults)
{
    RestartWith("");
    ExpectDefaults();
}

TEST_F(DamagedSettings, BinaryGarbageGivesTheDefaults)
{
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245 + 12345;
        const char byte = static_cast<char>((seed >> 16) & 0xFF);
        garbage += byte == '[' ? '\0' : byte; // no section header can form
    }
    RestartWith(garbage);
    ExpectDefaults();
}

TEST_F(DamagedSettings, MegabyteLinesAreCut)
{
    const std::string huge(1 << 20, 'x');
    std::string kana;
    for (int i = 0; i < (1 << 19); ++i)
        kana += "\x82\xA0"; // あ: the cut at 1023 bytes falls inside a character
    RestartWith("[MAINWINDOW]\r\nPOSITION=" + huge + "\r\n[PREVIEW]\r\nGARBAGE=" + huge +
                "\r\nFONTFACE=" + huge + "\r\nFONTHEIGHT=" + std::string(1 << 20, '9') +
                "\r\n[MDIWINDOW]\r\nRECT=" + kana + "\r\n");
    EXPECT_STREQ(State().logFont.lfFaceName, std::string(31, 'x').c_str());
    EXPECT_EQ(State().logFont.lfHeight, 0) << "a height no font can have";
    RestartWith("[PREVIEW]\r\nSTRING=" + kana + "\r\n");
    std::string expected;
    for (int i = 0; i < 511; ++i)
        expected += "\x82\xA0";
    EXPECT_EQ(SampleText(), expected) << "no half character at the end";
}

TEST_F(DamagedSettings, OutOfRangeNumbersAreNotUsed)
{
    RestartWith("");
    const std::string unplaced = RectText(WindowRect(form));
    const std::string unplacedPreview = RectText(PreviewPlacement());
    RestartWith("[MAINWINDOW]\r\nPOSITION=-2147483648,-2147483648,2147483647,2147483647\r\nPAGE=7\r\n"
                "[MENU]\r\nAUTOCOPY=-1\r\nCAPTION=99999999999999999999\r\nSAFESLIDE=8\r\n"
                "[MDIWINDOW]\r\nRECT=-99999,5,300,200\r\n"
                "[PREVIEW]\r\nEDITCLR=99999999999\r\nBACKCLR=-5\r\nFONTCLR=16777216\r\n"
                "FONTHEIGHT=-2147483649\r\nFONTOPTION=-1\r\nFONTCHARSET=99999\r\n");
    EXPECT_EQ(RectText(WindowRect(form)), unplaced);
    EXPECT_EQ(RectText(PreviewPlacement()), unplacedPreview);
    EXPECT_EQ(SendMessageA(Control(IDC_TAB), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsOptionChecked(form, IDM_AUTOCOPY)) << "any number but 0 checks an option";
    EXPECT_TRUE(IsOptionChecked(form, IDM_CAPTION));
    EXPECT_TRUE(IsSafeSlideOn(form)) << "any number but 0 ticks the safe-slide box";
    EXPECT_EQ(HexString(State().innerColor), HexString(0));
    EXPECT_EQ(HexString(State().outerColor), HexString(0));
    EXPECT_EQ(HexString(State().fontColor), HexString(0));
    EXPECT_EQ(State().logFont.lfHeight, 0);
    EXPECT_EQ(State().logFont.lfWeight, 0);
    EXPECT_EQ(State().logFont.lfItalic, 0);
    EXPECT_EQ(State().logFont.lfCharSet, 99999 & 0xFF) << "the low byte of the character set";
}

TEST_F(DamagedSettings, NumbersAreDecimalOnly)
{
    RestartWith("[PREVIEW]\r\nEDITCLR=0x10\r\nBACKCLR= 12abc\r\nFONTCLR=abc\r\nFONTHEIGHT=010\r\n");
    EXPECT_EQ(HexString(State().innerColor), HexString(0)) << "no hexadecimal form";
    EXPECT_EQ(HexString(State().outerColor), HexString(12)) << "digits up to the first other character";
    EXPECT_EQ(HexString(State().fontColor), HexString(0)) << "no digits at all";
    EXPECT_EQ(State().logFont.lfHeight, 10) << "no octal form";
}

TEST_F(DamagedSettings, UnwritableSettingsFileStartsWithDefaultsWithoutACrash)
{
    // A settings file in a folder that does not exist can be neither read nor written.
    const std::string missing = folder + "\\missing\\Huebench.exe";
    DestroyForm();
    OverrideProgramPath(missing.c_str());
    CreateForm();
    ExpectDefaults();
    DestroyForm();
    EXPECT_EQ(GetFileAttributesA((folder + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
    // Nor can %APPDATA%, which is not there either: the loss is told when the program ends.
    WithDialog(ReportUnsavedSettings, [&](HWND box) {
        EXPECT_EQ(MessageBoxText(box), LoadResourceText(IDS_SETTINGS_UNSAVED).text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    OverrideProgramPath((folder + "\\Huebench.exe").c_str());

    // A folder in the settings file's place can be neither read nor written either.
    DeleteFileA(SettingsFile().c_str());
    ASSERT_TRUE(CreateDirectoryA(SettingsFile().c_str(), nullptr));
    CreateForm();
    ExpectDefaults();
    Command(IDM_AUTOCOPY);
    DestroyForm();
    EXPECT_NE(GetFileAttributesA(SettingsFile().c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    RemoveDirectoryA(SettingsFile().c_str());
    CreateForm();
}
