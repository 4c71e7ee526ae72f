// The main form: its controls, status bar, layout, version box and fatal-error report.
#include "MainFormFixture.h"

#include <commctrl.h>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "colour/Catalogue.h"
#include "PanelTestSteps.h"
#include "shell/DpiChange.h"
#include "shell/Huebench.h"
#include "shell/Fatal.h"
#include "shell/Layout.h"
#include "shell/resource.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"

namespace {

struct ExpectedControl {
    int id;
    const char* className;
    const char* text; // null: not checked
    bool visibleOnFirstPage;
    RECT dialogUnits; // x, y, width, height
};

// The template's controls in tab order.
const ExpectedControl Controls[] = {
    {IDC_TAB, "SysTabControl32", nullptr, true, {3, 7, 192, 150}},
    {IDC_COLORLIST, "SysListView32", nullptr, false, {6, 30, 183, 120}},
    {IDC_DECGROUP, "Button", "10進数指定", true, {6, 27, 183, 84}},
    {IDC_RSLIDER, "msctls_trackbar32", nullptr, true, {20, 43, 128, 13}},
    {IDC_REDIT, "Edit", nullptr, true, {149, 43, 19, 13}},
    {IDC_GSLIDER, "msctls_trackbar32", nullptr, true, {20, 60, 128, 13}},
    {IDC_GEDIT, "Edit", nullptr, true, {149, 60, 19, 13}},
    {IDC_BSLIDER, "msctls_trackbar32", nullptr, true, {20, 77, 128, 13}},
    {IDC_RLABEL, "Static", "R：", true, {11, 43, 9, 11}},
    {IDC_BLABEL, "Static", "B：", true, {11, 77, 9, 11}},
    {IDC_GLABEL, "Static", "G：", true, {11, 60, 9, 11}},
    {IDC_BEDIT, "Edit", nullptr, true, {149, 77, 19, 13}},
    {IDC_RSPIN, "msctls_updown32", nullptr, true, {169, 43, 9, 14}},
    {IDC_GSPIN, "msctls_updown32", nullptr, true, {169, 60, 9, 14}},
    {IDC_BSPIN, "msctls_updown32", nullptr, true, {169, 77, 9, 14}},
    {IDC_CHOOSECOLOR, "Button", "色見本指定(&C)", true, {106, 127, 74, 13}},
    {IDC_STATUS, "msctls_statusbar32", nullptr, true, {0, 163, 314, 13}},
    {IDC_HEXGROUP, "Button", "16進数指定", true, {6, 117, 75, 33}},
    {IDC_HEXEDIT, "Edit", nullptr, true, {11, 130, 32, 13}},
    {IDC_APPLY, "Button", "適用(&A)", true, {43, 130, 32, 14}},
    {IDC_MDIPLACE, "Static", nullptr, false, {200, 10, 111, 147}},
    {IDC_SAFESLIDE, "Button", "セーフカラー単位でスライドする(&S)", true, {11, 97, 121, 10}},
};

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

SIZE ClientSize(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

SIZE WindowSize(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The form cannot be dragged smaller than it was made: its minimum track size is its size now.
void ExpectMinimumIsCreationSize(HWND form)
{
    const SIZE created = WindowSize(form);
    MINMAXINFO limits = {};
    SendMessageA(form, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, created.cx);
    EXPECT_EQ(limits.ptMinTrackSize.y, created.cy);
}

DWORD RunFatalChild(const std::string& arguments, std::string* firstText, std::string* secondText,
                    std::string* secondCaption, int* boxesAtOnce = nullptr);

} // namespace

using MainForm = MainFormTest;

TEST_F(MainForm, HasTheTemplatesControlsWithTheirClassesTextsAndPlaces)
{
    EXPECT_EQ(WindowText(form), "Huebench");
    EXPECT_EQ(ClassOf(form), "MAINFORM");
    for (const auto& want : Controls) {
        HWND control = Control(want.id);
        ASSERT_NE(control, nullptr) << "control " << want.id;
        EXPECT_EQ(ClassOf(control), want.className) << "control " << want.id;
        if (want.text) {
            EXPECT_EQ(WindowText(control), want.text) << "control " << want.id;
        }
        EXPECT_EQ(IsWindowVisible(control) != FALSE, want.visibleOnFirstPage) << "control " << want.id;
        if (want.id == IDC_STATUS || want.id == IDC_TAB || want.id == IDC_COLORLIST) continue; // resized
        // The dialog manager converts position and size separately.
        RECT place = {want.dialogUnits.left, want.dialogUnits.top, 0, 0};
        RECT size = {0, 0, want.dialogUnits.right, want.dialogUnits.bottom};
        MapDialogRect(form, &place);
        MapDialogRect(form, &size);
        RECT actual = {};
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&actual), 2);
        if (want.id == IDC_RSPIN || want.id == IDC_GSPIN || want.id == IDC_BSPIN) continue; // moved to buddy
        EXPECT_EQ(actual.left, place.left) << "control " << want.id;
        EXPECT_EQ(actual.top, place.top) << "control " << want.id;
        EXPECT_EQ(actual.right - actual.left, size.right) << "control " << want.id;
    }
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_APPLY))) << "the apply button starts disabled";
    EXPECT_EQ(WindowText(Control(IDC_HEXEDIT)), "#000000");
}

TEST_F(MainForm, ControlsFollowTemplateOrder)
{
    HWND child = GetWindow(form, GW_CHILD);
    int index = 0;
    for (; child && index < static_cast<int>(std::size(Controls)); child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == mdiClient) continue;
        EXPECT_EQ(GetDlgCtrlID(child), Controls[index].id) << "position " << index;
        ++index;
    }
    EXPECT_EQ(index, static_cast<int>(std::size(Controls)));
}

TEST_F(MainForm, StatusBarHasEightPartsWithFixedEdges)
{
    int edges[8] = {};
    ASSERT_EQ(SendMessageA(Control(IDC_STATUS), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 8);
    const int expected[8] = {80, 200, 240, 300, 350, 400, 450, -1};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(edges[i], expected[i]) << "part " << i;
    char text[64] = "";
    SendMessageA(Control(IDC_STATUS), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::string(text), "\tフォント情報");
}

TEST_F(MainForm, StatusBarSimpleModeHidesPartsAndKeepsTheirTexts)
{
    HWND status = Control(IDC_STATUS);
    SendMessageA(status, SB_SIMPLE, TRUE, 0);
    EXPECT_TRUE(SendMessageA(status, SB_ISSIMPLE, 0, 0));
    SendMessageA(status, SB_SIMPLE, FALSE, 0);
    char text[64] = "";
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::string(text), "\tフォント情報");
}

TEST_F(MainForm, WideningGrowsOnlyTheMdiClientAndHeightGrowsAllThree)
{
    const SIZE tab0 = WindowSize(Control(IDC_TAB));
    const SIZE list0 = WindowSize(Control(IDC_COLORLIST));
    const SIZE outer = WindowSize(form);

    SIZE previousClient = {};
    SIZE previousMdi = {}, previousTab = {}, previousList = {};
    for (int step : {60, 200, 5}) {
        SetWindowPos(form, nullptr, 0, 0, outer.cx + step, outer.cy + step / 2, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages(10);
        const SIZE client = ClientSize(form);
        const LayoutSizes sizes = ComputeLayout(LayoutBase, client.cx, client.cy);
        // The widths come from the scale alone (within a pixel of the template's), whatever the size.
        EXPECT_EQ(WindowSize(Control(IDC_TAB)).cx, sizes.tabWidth);
        EXPECT_EQ(WindowSize(Control(IDC_COLORLIST)).cx, sizes.listWidth);
        EXPECT_LE(std::abs(sizes.tabWidth - tab0.cx), 1);
        EXPECT_LE(std::abs(sizes.listWidth - list0.cx), 1);
        EXPECT_EQ(WindowSize(mdiClient).cx, sizes.mdiWidth);
        EXPECT_EQ(WindowSize(mdiClient).cy, sizes.mdiHeight);
        EXPECT_EQ(WindowSize(Control(IDC_TAB)).cy, sizes.tabHeight);
        if (previousClient.cx) {
            // Between two layouts, width goes to the MDI client and height to all three alike.
            const int grown = client.cy - previousClient.cy;
            EXPECT_EQ(WindowSize(mdiClient).cx - previousMdi.cx, client.cx - previousClient.cx);
            EXPECT_EQ(WindowSize(mdiClient).cy - previousMdi.cy, grown);
            EXPECT_EQ(WindowSize(Control(IDC_TAB)).cy - previousTab.cy, grown);
            EXPECT_EQ(WindowSize(Control(IDC_COLORLIST)).cy - previousList.cy, grown);
        }
        previousClient = client;
        previousMdi = WindowSize(mdiClient);
        previousTab = WindowSize(Control(IDC_TAB));
        previousList = WindowSize(Control(IDC_COLORLIST));
    }
}

TEST_F(MainForm, CannotBeMadeSmallerThanItsCreationSize)
{
    ExpectMinimumIsCreationSize(form);
}

TEST_F(MainForm, SlidersAndButtonsNeverMoveOnResize)
{
    RECT before = {}, after = {};
    GetWindowRect(Control(IDC_RSLIDER), &before);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&before), 2);
    ShowWindow(form, SW_MAXIMIZE);
    PumpMessages(20);
    GetWindowRect(Control(IDC_RSLIDER), &after);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&after), 2);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(before.right, after.right);
    ShowWindow(form, SW_RESTORE);
}

TEST_F(MainForm, DoubleClickOnTheFormDoesNothing)
{
    EXPECT_EQ(SendMessageA(form, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5)), 0);
    EXPECT_TRUE(IsWindow(form));
}

TEST_F(MainForm, HeaderItemChangesAreRefusedSoColumnsKeepTheirWidths)
{
    NMHEADERA header = {};
    header.hdr.hwndFrom = Control(IDC_COLORLIST);
    header.hdr.idFrom = 0;
    for (const UINT code : {HDN_ITEMCHANGINGA, HDN_ITEMCHANGINGW}) {
        header.hdr.code = code;
        EXPECT_EQ(SendMessageA(form, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), TRUE) << code;
    }
}

// Where the process code page is not 932 a Unicode box says so in both languages.
TEST_F(MainForm, CodePageNoticeSpeaksJapaneseAndEnglish)
{
    WithDialog(ShowCodePageNotice, [](HWND box) {
        EXPECT_NE(MessageBoxText(box).find("日本語のシステム ロケールが必要です。"), std::string::npos);
        EXPECT_NE(MessageBoxText(box).find("need Windows 11 or later, or a Japanese"), std::string::npos);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
}

TEST_F(MainForm, ExitClosesTheFormAndSavesTheSettings)
{
    Command(IDM_EXIT);
    PumpUntil([&] { return !IsWindow(form); });
    EXPECT_FALSE(IsWindow(form));
    EXPECT_NE(GetFileAttributesA(SettingsFile().c_str()), INVALID_FILE_ATTRIBUTES)
        << "no settings file written";
}

TEST_F(MainForm, EndOfSessionSavesAndConsentsButEndsOnlyWhenTheSessionEnds)
{
    EXPECT_EQ(SendMessageA(form, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_NE(GetFileAttributesA(SettingsFile().c_str()), INVALID_FILE_ATTRIBUTES);
    MSG quit;
    for (WPARAM ending : {FALSE, TRUE}) {
        SendMessageA(form, WM_ENDSESSION, ending, 0);
        EXPECT_EQ(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, ending != FALSE)
            << "a cancelled end of session keeps the program; only a real one ends the loop";
    }
}

using VersionBox = MainFormTest;

TEST_F(VersionBox, ShowsNameVersionAndCopyright)
{
    std::string text, caption;
    WithDialog([&] { Command(IDM_VERSION); },
               [&](HWND box) {
                   ASSERT_NE(box, nullptr) << "no version box appeared";
                   text = MessageBoxText(box);
                   caption = WindowText(box);
                   PostMessageA(box, WM_COMMAND, IDOK, 0);
               });
    EXPECT_EQ(text, "Huebench ver.2.11.2007.0318\nCopyright (C) 2026 The Huebench developers");
    EXPECT_EQ(caption, "バージョン情報");
}

TEST_F(VersionBox, UnreadableVersionShowsTheErrorBox)
{
    const std::string plain = folder + "\\plain.txt";
    HANDLE file = CreateFileA(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "not a program", 13, &written, nullptr);
    CloseHandle(file);
    OverrideProgramPath(plain.c_str());
    std::string text;
    WithDialog([&] { Command(IDM_VERSION); },
               [&](HWND box) {
                   ASSERT_NE(box, nullptr);
                   text = MessageBoxText(box);
                   PostMessageA(box, WM_COMMAND, IDOK, 0);
               });
    EXPECT_EQ(text, "バージョン情報が取得できませんでした。");
    OverrideProgramPath((folder + "\\Huebench.exe").c_str());
    DeleteFileA(plain.c_str());
}

namespace {

BOOL CALLBACK CountProcessBoxes(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<std::pair<DWORD, int>*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = "";
    GetClassNameA(window, className, sizeof(className));
    if (process == search->first && lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window))
        ++search->second;
    return TRUE;
}

// Runs this test program as a child with the given arguments and goes through its fatal report:
// the texts of the two boxes, and how many boxes stood at once half a second after the first.
DWORD RunFatalChild(const std::string& arguments, std::string* firstText, std::string* secondText,
                    std::string* secondCaption, int* boxesAtOnce)
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string command = std::string("\"") + self + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 0xFFFFFFFF;
    HWND first = FindDialogOfProcess(process.dwProcessId, 10000);
    *firstText = MessageBoxText(first);
    if (boxesAtOnce) {
        Sleep(500);
        std::pair<DWORD, int> search(process.dwProcessId, 0);
        EnumWindows(CountProcessBoxes, reinterpret_cast<LPARAM>(&search));
        *boxesAtOnce = search.second;
    }
    if (first) PostMessageA(first, WM_COMMAND, IDOK, 0);
    Sleep(200);
    HWND second = FindDialogOfProcess(process.dwProcessId, 10000);
    if (second != first) {
        *secondText = MessageBoxText(second);
        *secondCaption = WindowText(second);
        if (second) PostMessageA(second, WM_COMMAND, IDOK, 0);
    }
    // A child still reporting after that is stopped, so that a failure leaves no boxes behind.
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 2);
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

} // namespace

TEST(FatalError, ShowsTwoBoxesNamingModuleAndLineThenExitsWithOne)
{
    std::string first, second, caption;
    const DWORD exitCode = RunFatalChild("--fatal-child Huebench 249", &first, &second, &caption);
    EXPECT_EQ(first, "メモリの確保に失敗しました。アプリケーションを終了します。");
    EXPECT_EQ(second, "Huebench");
    EXPECT_EQ(caption, "249");
    EXPECT_EQ(exitCode, 1u);
}

TEST(FatalError, DuringCaptureTheTicksStopAndOnePairOfBoxesIsShown)
{
    std::string first, second, caption;
    int boxes = 0;
    const DWORD exitCode = RunFatalChild("--failing-capture-child", &first, &second, &caption, &boxes);
    EXPECT_EQ(boxes, 1) << "ten capture ticks later, only the first box stands";
    EXPECT_EQ(first, "メモリの確保に失敗しました。アプリケーションを終了します。");
    EXPECT_EQ(second, "Huebench");
    EXPECT_EQ(caption, "34");
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(MainForm, PageControlsStayVisibleAfterResizing)
{
    const SIZE outer = WindowSize(form);
    SetWindowPos(form, nullptr, 0, 0, outer.cx + 300, outer.cy + 200, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages(200);
    // A point on the face of the colour-dialog button, clear of its caption.
    RECT button = {};
    GetWindowRect(Control(IDC_CHOOSECOLOR), &button);
    const COLORREF face = ScreenPixel(button.left + 4, (button.top + button.bottom) / 2);
    EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE)) << "the tab control painted over the button";
}

// --- Display scale ----------------------------------------------------------------------------
// CTest runs this suite at 96, 120, 144 and 192 dots per inch, each in a Wine prefix of its own
// whose resolution it names in HUEBENCH_DPI.

namespace {

int TextWidthInFontOf(HWND control, const char* text)
{
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
}

} // namespace

using DisplayScale = MainFormTest;

TEST_F(DisplayScale, PartsAndColumnsGrowWithTheResolutionAndTheMinimumSizeStays)
{
    const int dpi = ScreenDpi(form);
    if (const char* named = std::getenv("HUEBENCH_DPI")) {
        EXPECT_EQ(dpi, std::atoi(named)) << "the prefix's resolution";
    }
    EXPECT_TRUE(IsProcessDPIAware());
    int edges[STATUS_PART_COUNT] = {};
    SendMessageA(Control(IDC_STATUS), SB_GETPARTS, STATUS_PART_COUNT, reinterpret_cast<LPARAM>(edges));
    const int designedEdges[STATUS_PART_COUNT] = {80, 200, 240, 300, 350, 400, 450, -1};
    for (int part = 0; part < STATUS_PART_COUNT; ++part)
        EXPECT_EQ(edges[part], part < 7 ? MulDiv(designedEdges[part], dpi, 96) : -1) << "part " << part;
    const int designedWidths[CATALOGUE_COLUMN_COUNT] = {115, 40, 30, 30, 30, 25, 25};
    for (int column = 0; column < CATALOGUE_COLUMN_COUNT; ++column)
        EXPECT_EQ(SendDlgItemMessageA(form, IDC_COLORLIST, LVM_GETCOLUMNWIDTH, column, 0),
                  MulDiv(designedWidths[column], dpi, 96))
            << "column " << column;
    ExpectMinimumIsCreationSize(form);
}

// What fits at 96 dots per inch fits at every resolution: status parts 0 to 6 (part 7 is too narrow
// even at 96) for a 12-point font with all four marks, and every column header. A part loses its
// borders and sunken edge, a header 3 edges a side.
TEST_F(DisplayScale, StatusTextsAndColumnHeadersFitTheirPlaces)
{
    const int dpi = ScreenDpi(form);
    LOGFONTA& font = PreviewTemplate.logFont = LOGFONTA{};
    font.lfHeight = -MulDiv(12, dpi, 72);
    font.lfWeight = FW_BOLD;
    font.lfItalic = font.lfUnderline = font.lfStrikeOut = 1;
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyA(font.lfFaceName, "ＭＳ Ｐゴシック");
    SendMessageA(GetActivePreview(), PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
    HWND status = Control(IDC_STATUS);
    int borders[3] = {};
    SendMessageA(status, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    for (int part = 0; part < 7; ++part) {
        char text[256] = "";
        RECT place = {};
        SendMessageA(status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        SendMessageA(status, SB_GETRECT, part, reinterpret_cast<LPARAM>(&place));
        const char* shown = text[0] == '\t' ? text + 1 : text; // a leading tab centres the text
        EXPECT_LE(TextWidthInFontOf(status, shown),
                  place.right - place.left - 2 * (borders[0] + GetSystemMetrics(SM_CXBORDER)))
            << "part " << part << " at " << dpi;
        if (part == 2) {
            EXPECT_STREQ(text, "12 pt");
        }
    }
    HWND header = reinterpret_cast<HWND>(SendDlgItemMessageA(form, IDC_COLORLIST, LVM_GETHEADER, 0, 0));
    for (int column = 0; column < CATALOGUE_COLUMN_COUNT; ++column) {
        char text[64] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        RECT place = {};
        SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
        SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&place));
        EXPECT_LE(TextWidthInFontOf(header, text), place.right - place.left - 6 * GetSystemMetrics(SM_CXEDGE))
            << "header of column " << column << " at " << dpi;
    }
}

// WM_DPICHANGED, as Windows sends it when the form moves to a monitor at 150 % (Wine never does):
// the suggested rectangle; the preview's and a control's places, a status part, a column, the
// controls' font and the 12-point sample (16 pixels, then 24) all scaled; and the way back exact.
TEST_F(MainForm, MonitorScaleChangeScalesEverythingAndComesBackExactly)
{
    PreviewTemplate.logFont = LOGFONTA{};
    PreviewTemplate.logFont.lfHeight = -16;
    SendMessageA(GetActivePreview(), PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
    const auto look = [&] {
        std::vector<long> values;
        for (const auto& [window, parent] :
             {std::pair{GetActivePreview(), mdiClient}, {Control(IDC_HEXEDIT), form}}) {
            RECT rect = {};
            GetWindowRect(window, &rect);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
            values.insert(values.end(), {rect.left, rect.top, rect.right, rect.bottom});
        }
        int edges[STATUS_PART_COUNT] = {};
        SendMessageA(Control(IDC_STATUS), SB_GETPARTS, STATUS_PART_COUNT, reinterpret_cast<LPARAM>(edges));
        values.push_back(edges[1]);
        values.push_back(
            static_cast<long>(SendDlgItemMessageA(form, IDC_COLORLIST, LVM_GETCOLUMNWIDTH, 0, 0)));
        for (const HWND window : {Control(IDC_HEXEDIT), ActivePreviewState()->edit}) {
            LOGFONTA font = {};
            GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
            values.push_back(font.lfHeight);
        }
        return values;
    };
    const std::vector<long> at96 = look();
    RECT formAt96 = {}, formNow = {};
    GetWindowRect(form, &formAt96);
    RECT suggested =
        ScaleRect({0, 0, formAt96.right - formAt96.left, formAt96.bottom - formAt96.top}, 144, 96);
    OffsetRect(&suggested, formAt96.left, formAt96.top);
    SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(form, &formNow);
    EXPECT_TRUE(EqualRect(&formNow, &suggested));
    std::vector<long> at144;
    for (const long value : at96)
        at144.push_back(MulDiv(value, 144, 96));
    EXPECT_EQ(look(), at144);
    EXPECT_EQ(at144.back(), -24);

    SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&formAt96));
    GetWindowRect(form, &formNow);
    EXPECT_TRUE(EqualRect(&formNow, &formAt96));
    EXPECT_EQ(look(), at96);
}
