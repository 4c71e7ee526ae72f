// Every colour change reaches the hexadecimal field, the clipboard and the active preview window;
// hexadecimal entry and the colour dialog load their colour through the channel fields.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "MainFormFixture.h"
#include "PanelTestSteps.h"
#include "panel/Channels.h"
#include "panel/Propagation.h"
#include "colour/CssColor.h"
#include "panel/RecentColors.h"
#include "preview/ResultExport.h"
#include "shell/Fatal.h"
#include "shell/Menus.h"
#include "shell/resource.h"

namespace {

// Controls of the system colour dialog.
constexpr int COLOR_DIALOG_RED = 706;
constexpr int COLOR_DIALOG_GREEN = 707;
constexpr int COLOR_DIALOG_BLUE = 708;
constexpr int COLOR_DIALOG_ADD_CUSTOM = 712;
constexpr int COLOR_DIALOG_CUSTOM_AREA = 721;

// What a message box showed, read while it was open. (Wine ignores MB_TOPMOST on message boxes,
// so the box's z-order tells nothing here.)
struct SeenBox {
    std::string text;
    bool found = false;
    bool owned = false;
    bool icon = false;
};

BOOL CALLBACK FindIcon(HWND window, LPARAM lParam)
{
    if ((GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageA(window, STM_GETICON, 0, 0) != 0 && IsWindowVisible(window))
        *reinterpret_cast<bool*>(lParam) = true;
    return TRUE;
}

SeenBox LookAtBox(HWND box)
{
    SeenBox seen;
    seen.found = box != nullptr;
    if (!box) return seen;
    seen.text = MessageBoxText(box);
    seen.owned = GetWindow(box, GW_OWNER) != nullptr;
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&seen.icon));
    return seen;
}

void PressDialogButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

} // namespace

class PanelTest : public MainFormTest {
  protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        preview = GetActivePreview();
        ASSERT_NE(preview, nullptr) << "the first preview window was not created";
    }

    HWND HexField() const { return Control(IDC_HEXEDIT); }
    bool ApplyEnabled() const { return IsWindowEnabled(Control(IDC_APPLY)) != FALSE; }
    void PressApply() { ClickButton(Control(IDC_APPLY)); }
    void TypeCode(const std::string& code) { RetypeField(HexField(), code); }
    void SetOption(UINT id, bool on)
    {
        if (IsOptionChecked(form, id) != on) Command(id);
        ASSERT_EQ(IsOptionChecked(form, id), on);
    }
    COLORREF InnerColor() const { return PreviewStateOf(preview)->innerColor; }
    COLORREF OuterColor() const { return PreviewStateOf(preview)->outerColor; }

    // Applies a code and reads the message box it brings up, which is then dismissed.
    SeenBox ApplyAndDismissBox()
    {
        return DismissBoxAfter([&] { PressApply(); });
    }
    SeenBox DismissBoxAfter(const std::function<void()>& step)
    {
        SeenBox seen;
        WithDialog(step, [&](HWND box) {
            seen = LookAtBox(box);
            if (box) PressDialogButton(box, IDOK);
        });
        return seen;
    }

    HWND preview = nullptr;
};

class Propagation : public PanelTest {};
class HexEntry : public PanelTest {};
class ColorDialog : public PanelTest {};

TEST_F(Propagation, ApplyingAThreeChannelCodePropagatesOncePerChannel)
{
    PreviewSpy spy(preview);
    TypeCode("#FF8040");
    ASSERT_TRUE(ApplyEnabled());
    PressApply();
    ASSERT_EQ(spy.InnerColorMessages(), 3);
    EXPECT_EQ(spy.titles[0], "#FF0000");
    EXPECT_EQ(spy.titles[1], "#FF8000");
    EXPECT_EQ(spy.titles[2], "#FF8040");
    EXPECT_EQ(WindowText(preview), "#FF8040") << "preview title";
    EXPECT_EQ(HexString(InnerColor()), HexString(RGB(255, 128, 64))) << "preview inner colour";
    EXPECT_EQ(WindowText(HexField()), "#FF8040");
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_STREQ(HexText, "#FF8040");
}

TEST_F(Propagation, CodeDifferingOnlyInGreenPropagatesOnce)
{
    WriteChannelEdits(RGB(0x12, 0x34, 0x56));
    PreviewSpy spy(preview);
    TypeCode("#129956");
    PressApply();
    EXPECT_EQ(spy.InnerColorMessages(), 1);
    EXPECT_EQ(HexString(InnerColor()), HexString(RGB(0x12, 0x99, 0x56)));
}

TEST_F(Propagation, OuterColourFollowsOnlyWhileSynchronising)
{
    ASSERT_TRUE(IsOptionChecked(form, IDM_SYNCHRO)) << "synchronising is on by default";
    PreviewSpy spy(preview);
    WriteChannelEdits(RGB(10, 0, 0));
    EXPECT_EQ(spy.OuterColorMessages(), 1);
    EXPECT_EQ(HexString(OuterColor()), HexString(RGB(10, 0, 0)));

    SetOption(IDM_SYNCHRO, false);
    spy.Reset();
    WriteChannelEdits(RGB(10, 200, 0));
    EXPECT_EQ(spy.InnerColorMessages(), 1);
    EXPECT_EQ(spy.OuterColorMessages(), 0);
    EXPECT_EQ(HexString(OuterColor()), HexString(RGB(10, 0, 0))) << "outer colour kept";
    EXPECT_EQ(HexString(InnerColor()), HexString(RGB(10, 200, 0)));
}

TEST_F(Propagation, AutoCopyPutsEveryNewCodeOnTheClipboard)
{
    SetOption(IDM_AUTOCOPY, true);
    ClipboardWatch clipboard;
    TypeCode("#FF8040");
    PressApply();
    ASSERT_EQ(clipboard.texts.size(), 3u);
    EXPECT_EQ(clipboard.texts[0], "#FF0000");
    EXPECT_EQ(clipboard.texts[1], "#FF8000");
    EXPECT_EQ(clipboard.texts[2], "#FF8040") << "the last code is the applied colour";

    clipboard.texts.clear();
    SendMessageA(Control(IDC_GSLIDER), TBM_SETPOS, TRUE, 0x20);
    SendMessageA(form, WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(Control(IDC_GSLIDER)));
    ASSERT_EQ(clipboard.texts.size(), 1u) << "one slider step";
    EXPECT_EQ(clipboard.texts[0], "#FF2040");
}

TEST_F(Propagation, WithoutAutoCopyTheClipboardIsLeftAlone)
{
    ASSERT_FALSE(IsOptionChecked(form, IDM_AUTOCOPY)) << "auto-copy is off by default";
    ClipboardWatch clipboard;
    WriteChannelEdits(RGB(1, 2, 3));
    EXPECT_TRUE(clipboard.texts.empty());
}

TEST_F(Propagation, LowerCaseOptionShowsLowerCaseCodes)
{
    SetOption(IDM_CAPTION, false);
    TypeCode("#FF80AB");
    PressApply();
    EXPECT_EQ(WindowText(HexField()), "#ff80ab");
    EXPECT_EQ(WindowText(preview), "#ff80ab");
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(Propagation, WithNoPreviewWindowTheFieldStillFollows)
{
    SendMessageA(mdiClient, WM_COMMAND, IDM_CLOSEALL, 0);
    PumpMessages(50);
    ASSERT_EQ(GetActivePreview(), nullptr);
    WriteChannelEdits(RGB(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(WindowText(HexField()), "#ABCDEF");
}

TEST_F(HexEntry, CodeRetypedInTheOtherCaseLeavesApplyDisabled)
{
    WriteChannelEdits(RGB(0x00, 0x80, 0xFF));
    ASSERT_EQ(WindowText(HexField()), "#0080FF");
    EXPECT_FALSE(ApplyEnabled());
    SelectAll(HexField());
    const std::string code = "#0080ff";
    for (size_t typed = 1; typed <= code.size(); ++typed) {
        TypeInto(HexField(), code.substr(typed - 1, 1));
        EXPECT_EQ(ApplyEnabled(), typed < code.size()) << "after typing " << code.substr(0, typed);
    }
}

TEST_F(HexEntry, ApplyingLowerCaseCodeShowsItInTheOptionsCase)
{
    TypeCode("#ff8000");
    PressApply();
    EXPECT_EQ(RedChannel.value, 255);
    EXPECT_EQ(GreenChannel.value, 128);
    EXPECT_EQ(BlueChannel.value, 0);
    EXPECT_EQ(WindowText(HexField()), "#FF8000");
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(HexEntry, EveryBadCodeShowsItsMessageAndChangesNothing)
{
    WriteChannelEdits(RGB(1, 2, 3));
    const struct {
        const char* code;
        UINT message;
    } cases[] = {
        {"#12345", IDS_HEXCODE_LENGTH},
        {"0080ff0", IDS_HEXCODE_NOHASH},
        {"#\x82\x50\x82\x51\x82\x52", IDS_HEXCODE_DBCS}, // "#" and three full-width digits
        {"#12 456", IDS_HEXCODE_DIGIT},
        {"#\xB1\xB2\xB3\xB4\xB5\xB6", IDS_HEXCODE_DIGIT}, // half-width katakana
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(std::string("code ") + bad.code);
        PasteOverField(HexField(), bad.code);
        ASSERT_TRUE(ApplyEnabled());
        PreviewSpy spy(preview);
        const SeenBox box = ApplyAndDismissBox();
        ASSERT_TRUE(box.found) << "no message box appeared";
        EXPECT_EQ(box.text, LoadResourceText(bad.message).text);
        EXPECT_FALSE(box.owned) << "the box has no owner";
        EXPECT_TRUE(box.icon) << "the box shows the error icon";
        EXPECT_EQ(WindowText(HexField()), bad.code) << "field kept";
        EXPECT_TRUE(ApplyEnabled()) << "apply button kept";
        EXPECT_EQ(HexString(ChannelColor()), HexString(RGB(1, 2, 3))) << "colour kept";
        EXPECT_EQ(spy.InnerColorMessages(), 0);
    }
}

TEST_F(HexEntry, OnlyTheApplyButtonAppliesTheField)
{
    PreviewSpy spy(preview);
    TypeCode("#102030");
    SetFocus(HexField());
    PostMessageA(HexField(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(HexField(), WM_KEYUP, VK_RETURN, 0xC0000001);
    PumpMessages(50);
    EXPECT_EQ(spy.InnerColorMessages(), 0);
    EXPECT_EQ(HexString(ChannelColor()), HexString(RGB(0, 0, 0)));
    EXPECT_TRUE(ApplyEnabled());
}

TEST_F(ColorDialog, OpensOnTheCurrentColourAndLoadsTheChosenOne)
{
    WriteChannelEdits(RGB(0x99, 0x66, 0x33));
    PreviewSpy spy(preview);
    int shown[3] = {-1, -1, -1};
    WithDialog([&] { ClickButton(Control(IDC_CHOOSECOLOR)); },
               [&](HWND dialog) {
                   ASSERT_NE(dialog, nullptr);
                   shown[0] = static_cast<int>(GetDlgItemInt(dialog, COLOR_DIALOG_RED, nullptr, FALSE));
                   shown[1] = static_cast<int>(GetDlgItemInt(dialog, COLOR_DIALOG_GREEN, nullptr, FALSE));
                   shown[2] = static_cast<int>(GetDlgItemInt(dialog, COLOR_DIALOG_BLUE, nullptr, FALSE));
                   SetDlgItemTextA(dialog, COLOR_DIALOG_RED, "10");
                   SetDlgItemTextA(dialog, COLOR_DIALOG_GREEN, "20");
                   SetDlgItemTextA(dialog, COLOR_DIALOG_BLUE, "30");
                   PressDialogButton(dialog, IDOK);
               });
    EXPECT_EQ(shown[0], 0x99);
    EXPECT_EQ(shown[1], 0x66);
    EXPECT_EQ(shown[2], 0x33);
    EXPECT_EQ(HexString(ChannelColor()), HexString(RGB(10, 20, 30)));
    EXPECT_EQ(spy.InnerColorMessages(), 3);
    EXPECT_EQ(WindowText(HexField()), "#0A141E");
}

TEST_F(ColorDialog, CancelChangesNothing)
{
    WriteChannelEdits(RGB(5, 6, 7));
    PreviewSpy spy(preview);
    WithDialog([&] { EXPECT_FALSE(ChooseColorFromDialog(form)); },
               [&](HWND dialog) {
                   ASSERT_NE(dialog, nullptr);
                   SetDlgItemTextA(dialog, COLOR_DIALOG_RED, "200");
                   PressDialogButton(dialog, IDCANCEL);
               });
    EXPECT_EQ(HexString(ChannelColor()), HexString(RGB(5, 6, 7)));
    EXPECT_EQ(spy.InnerColorMessages(), 0);
}

TEST_F(ColorDialog, ConfirmingTheCurrentColourMakesNoPropagation)
{
    WriteChannelEdits(RGB(40, 50, 60));
    PreviewSpy spy(preview);
    WithDialog([&] { EXPECT_TRUE(ChooseColorFromDialog(form)); },
               [&](HWND dialog) {
                   ASSERT_NE(dialog, nullptr);
                   PressDialogButton(dialog, IDOK);
               });
    EXPECT_EQ(HexString(ChannelColor()), HexString(RGB(40, 50, 60)));
    EXPECT_EQ(spy.InnerColorMessages(), 0);
}

TEST_F(ColorDialog, CustomColoursAreOfferedAgainByTheNextDialog)
{
    // Defined in one dialog, which is then cancelled.
    WithDialog([&] { ChooseColorFromDialog(form); },
               [&](HWND dialog) {
                   ASSERT_NE(dialog, nullptr);
                   SetDlgItemTextA(dialog, COLOR_DIALOG_RED, "200");
                   SetDlgItemTextA(dialog, COLOR_DIALOG_GREEN, "100");
                   SetDlgItemTextA(dialog, COLOR_DIALOG_BLUE, "50");
                   SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(COLOR_DIALOG_ADD_CUSTOM, BN_CLICKED),
                                reinterpret_cast<LPARAM>(GetDlgItem(dialog, COLOR_DIALOG_ADD_CUSTOM)));
                   PressDialogButton(dialog, IDCANCEL);
               });
    EXPECT_EQ(HexString(CustomColors[0]), HexString(RGB(200, 100, 50)));

    // Picked from the custom colours of the next one.
    WithDialog([&] { EXPECT_TRUE(ChooseColorFromDialog(form)); },
               [&](HWND dialog) {
                   ASSERT_NE(dialog, nullptr);
                   const HWND area = GetDlgItem(dialog, COLOR_DIALOG_CUSTOM_AREA);
                   RECT cells = {};
                   GetClientRect(area, &cells);
                   POINT first = {cells.right / 16, cells.bottom / 4};
                   MapWindowPoints(area, dialog, &first, 1);
                   SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.x, first.y));
                   SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(first.x, first.y));
                   PressDialogButton(dialog, IDOK);
               });
    EXPECT_EQ(HexString(ChannelColor()), HexString(RGB(200, 100, 50)));
}

// Beyond the design: the edit popup.
class EditPopup : public PanelTest {
  protected:
    // The clipboard's data in one format, as bytes; empty when the format is missing.
    std::string ClipboardBytes(UINT format)
    {
        std::string bytes;
        if (!OpenClipboard(form)) return bytes;
        if (const HANDLE data = GetClipboardData(format)) {
            bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return bytes;
    }
    std::string ClipboardText() { return ClipboardBytes(CF_TEXT).c_str(); }
    void PutOnClipboard(const std::wstring& text)
    {
        ASSERT_TRUE(OpenClipboard(form));
        EmptyClipboard();
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        lstrcpyW(static_cast<wchar_t*>(GlobalLock(block)), text.c_str());
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    }
    void SetFont(HWND window, COLORREF color, const char* face)
    {
        PreviewTemplate.logFont = PreviewStateOf(window)->logFont;
        lstrcpyA(PreviewTemplate.logFont.lfFaceName, face);
        PreviewTemplate.fontColor = color;
        SendMessageA(window, PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
    }
    std::vector<std::string> RecentItems()
    {
        std::vector<std::string> items;
        const HMENU popup = FindPopupHolding(GetMenu(form), IDM_CLEARRECENT);
        for (int i = 0; i < GetMenuItemCount(popup) - 2; ++i) {
            char text[32] = "";
            GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
            MENUITEMINFOA item = {};
            item.cbSize = sizeof item;
            item.fMask = MIIM_BITMAP;
            GetMenuItemInfoA(popup, i, TRUE, &item);
            items.push_back(std::string(text) + (item.hbmpItem ? "" : " (no swatch)"));
        }
        return items;
    }
};

std::vector<std::string> SplitOn(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    for (size_t start = 0, end = 0; end != std::string::npos; start = end + separator.size()) {
        end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    }
    return parts;
}

TEST_F(EditPopup, GreyOnWhiteCopiesItsRatioAndVerdictsInBothTextFormats)
{
    WriteChannelEdits(RGB(255, 255, 255));
    SetFont(preview, RGB(0x77, 0x77, 0x77), "Arial");
    Command(IDM_COPYRESULT);
    const std::vector<std::string> lines = SplitOn(ClipboardText(), "\r\n");
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[4], "コントラスト比: 4.47:1");
    EXPECT_EQ(lines[5], "1.4.3 コントラスト (最低限) (AA) 通常の文字: 不合格");
    EXPECT_EQ(lines[6], "1.4.3 コントラスト (最低限) (AA) 大きな文字: 合格");
    const std::string unicode = ClipboardBytes(CF_UNICODETEXT);
    EXPECT_EQ(unicode.substr(0, 4), std::string("\x87\x65\x57\x5B", 4)) << "文字 in UTF-16";
    const std::string locale = ClipboardBytes(CF_LOCALE);
    ASSERT_EQ(locale.size(), sizeof(LCID));
    EXPECT_EQ(PRIMARYLANGID(LANGIDFROMLCID(*reinterpret_cast<const LCID*>(locale.data()))), LANG_JAPANESE);

    const std::string copied = ClipboardText();
    PutOnClipboard(L"");
    SendMessageA(preview, WM_COMMAND, IDM_COPYRESULT, 0); // the preview's context popup
    EXPECT_EQ(ClipboardText(), copied);

    Command(IDM_CLOSEALL);
    PutOnClipboard(L"kept");
    Command(IDM_COPYRESULT);
    EXPECT_EQ(ClipboardText(), "kept") << "with no preview nothing is copied";
}

TEST_F(EditPopup, TheTableOfThreePreviewsSplitsIntoItsColumnsAndTheCsvFileIsReplacedWhole)
{
    Command(IDM_NEWWINDOW);
    Command(IDM_NEWWINDOW);
    SetFont(GetActivePreview(), RGB(0, 0, 0), "A,\"B\"");
    Command(IDM_COPYTABLE);
    const std::vector<std::string> rows = SplitOn(ClipboardText(), "\r\n");
    ASSERT_EQ(rows.size(), 5u) << "a header, three rows and the end of the last";
    for (int i = 0; i <= 3; ++i) {
        const std::vector<std::string> fields = SplitOn(rows[i], "\t");
        ASSERT_EQ(fields.size(), 14u) << rows[i];
        EXPECT_EQ(fields[0],
                  i ? WindowText(GetDlgItem(mdiClient, IDM_WINDOWCHILD_FIRST + i - 1)) : "タイトル");
    }

    const std::string csv = folder + "\\result.csv";
    const std::wstring path(csv.begin(), csv.end());
    std::ofstream(csv, std::ios::binary) << "old";
    ASSERT_TRUE(SaveResultCsvTo(form, path.c_str()));
    std::stringstream bytes;
    bytes << std::ifstream(csv, std::ios::binary).rdbuf();
    const std::string file = bytes.str();
    EXPECT_EQ(file.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(SplitOn(file, "\r\n").size(), 5u);
    EXPECT_EQ(SplitOn(file, "\n").size(), 5u) << "no line ends but CR LF";
    EXPECT_NE(file.find(",\"A,\"\"B\"\"\",0,"), std::string::npos) << file;

    // A folder where the file should go cannot be replaced: the written copy goes too.
    const std::string blocked = folder + "\\blocked.csv";
    CreateDirectoryA(blocked.c_str(), nullptr);
    const std::wstring blockedPath(blocked.begin(), blocked.end());
    const SeenBox box = DismissBoxAfter([&] { EXPECT_FALSE(SaveResultCsvTo(form, blockedPath.c_str())); });
    EXPECT_NE(box.text.find(blocked), std::string::npos) << box.text;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file was left: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(EditPopup, PastedCssColoursBecomeCurrentAndRefusedOnesChangeNothing)
{
    const struct {
        const wchar_t* text;
        const char* code; // null: refused
    } cases[] = {{L"rgb(51 102 153)", "#336699"},
                 {L"hsl(210 50% 40%)", "#336699"},
                 {L"#369", "#336699"},
                 {L"Navy", "#000080"},
                 {L"rgba(0,0,0,0.5)", nullptr},
                 {L"garbage", nullptr},
                 {L" \r\n", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code ? c.code : "refused"));
        WriteChannelEdits(RGB(1, 2, 3));
        PutOnClipboard(c.text);
        const SeenBox box =
            c.code ? (Command(IDM_PASTECOLOR), SeenBox{}) : DismissBoxAfter([&] { Command(IDM_PASTECOLOR); });
        const COLORREF expected = c.code ? ParseCssColor(std::string(c.code)).color : RGB(1, 2, 3);
        EXPECT_EQ(WindowText(HexField()), c.code ? c.code : "#010203");
        EXPECT_EQ(HexString(RGB(RedChannel.value, GreenChannel.value, BlueChannel.value)),
                  HexString(expected));
        EXPECT_EQ(WindowText(RedChannel.edit), std::to_string(GetRValue(expected)));
        EXPECT_EQ(box.found, !c.code);
        if (!c.code) {
            const std::string read(c.text, c.text + wcslen(c.text));
            EXPECT_NE(box.text.find(read[0] == ' ' ? "文字列がない" : read), std::string::npos) << box.text;
        }
    }
}

TEST_F(EditPopup, RecentColoursFollowDeliberateActsSurviveARestartAndClear)
{
    TypeCode("#112233");
    PressApply();
    PutOnClipboard(L"#445566");
    Command(IDM_PASTECOLOR);
    WriteChannelEdits(RGB(9, 9, 9)); // typed channel values do not enter
    Command(IDM_RECENT_FIRST + 1);   // #112233 again, to the top
    EXPECT_EQ(HexString(ChannelColor()), HexString(RGB(0x11, 0x22, 0x33)));
    const std::vector<std::string> expected = {"#112233", "#445566"};
    EXPECT_EQ(RecentItems(), expected);

    RecreateForm();
    EXPECT_EQ(RecentItems(), expected);
    char stored[64] = "";
    GetPrivateProfileStringA("HISTORY", "COLORS", "", stored, sizeof stored, SettingsFile().c_str());
    EXPECT_STREQ(stored, "#112233,#445566");

    Command(IDM_CLEARRECENT);
    RecreateForm();
    EXPECT_EQ(RecentItems(), std::vector<std::string>{"(なし) (no swatch)"});
}
