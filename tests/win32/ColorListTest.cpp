// The colour list page on the real main form: filling, sorting, selecting, the swatch column and
// the switching between the two tab pages.
#include "MainFormFixture.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "colour/Catalogue.h"
#include "colour/ColorModel.h"
#include "panel/Channels.h"
#include "panel/ColorList.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"
#include "shell/resource.h"

namespace {

constexpr int NAME_COLUMN = 0;
constexpr int SAMPLE_COLUMN = 1;
constexpr int RED_COLUMN = 2;
constexpr int GREEN_COLUMN = 3;
constexpr int BLUE_COLUMN = 4;
constexpr int BASIC_COLUMN = 5;
constexpr int SYSTEM_COLUMN = 6;
constexpr int AQUA_ROW = 2;
constexpr int WINDOW_ROW = 162;

const int PAGE0_CONTROLS[] = {IDC_RSLIDER, IDC_REDIT,  IDC_GSLIDER,     IDC_GEDIT,    IDC_BSLIDER,
                              IDC_BEDIT,   IDC_RLABEL, IDC_BLABEL,      IDC_GLABEL,   IDC_RSPIN,
                              IDC_GSPIN,   IDC_BSPIN,  IDC_CHOOSECOLOR, IDC_DECGROUP, IDC_HEXGROUP,
                              IDC_HEXEDIT, IDC_APPLY,  IDC_SAFESLIDE};

std::string CatalogueCell(int row, int column)
{
    char text[ROW_CELL_TEXT_SIZE];
    RowCellText(row, column, text);
    return text;
}

// Places the pointer and waits until it stays there.
bool SettlePointer(POINT target)
{
    auto isThere = [&] {
        POINT now = {};
        GetCursorPos(&now);
        return now.x == target.x && now.y == target.y;
    };
    return PumpUntil([&] {
        SetCursorPos(target.x, target.y);
        PumpMessages(50);
        if (!isThere()) return false;
        PumpMessages(100);
        return isThere();
    });
}

std::string Hex(COLORREF color)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%06lX", static_cast<unsigned long>(color));
    return text;
}

// Restores a system colour that a test changed, also when the test fails half-way.
class SystemColorChange {
  public:
    SystemColorChange(int index, COLORREF color) : index_(index), original_(GetSysColor(index))
    {
        SetSysColors(1, &index_, &color);
    }
    ~SystemColorChange() { SetSysColors(1, &index_, &original_); }
    SystemColorChange(const SystemColorChange&) = delete;
    SystemColorChange& operator=(const SystemColorChange&) = delete;

  private:
    int index_;
    COLORREF original_;
};

} // namespace

class ColorListPage : public MainFormTest {
  protected:
    HWND List() const { return Control(IDC_COLORLIST); }
    int ItemCount() const { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

    std::string Cell(int item, int column) const
    {
        char text[64] = "";
        LVITEMA query = {};
        query.iSubItem = column;
        query.pszText = text;
        query.cchTextMax = sizeof(text);
        SendMessageA(List(), LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&query));
        return text;
    }

    int RowOf(int item) const
    {
        LVITEMA query = {};
        query.mask = LVIF_PARAM;
        query.iItem = item;
        SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        return static_cast<int>(query.lParam);
    }

    std::vector<std::string> ColumnTexts(int column) const
    {
        std::vector<std::string> texts;
        for (int item = 0; item < ItemCount(); ++item)
            texts.push_back(Cell(item, column));
        return texts;
    }

    std::vector<int> ColumnNumbers(int column) const
    {
        std::vector<int> numbers;
        for (const std::string& text : ColumnTexts(column))
            numbers.push_back(std::atoi(text.c_str()));
        return numbers;
    }

    std::vector<int> Rows() const
    {
        std::vector<int> rows;
        for (int item = 0; item < ItemCount(); ++item)
            rows.push_back(RowOf(item));
        return rows;
    }

    int ItemNamed(const char* name) const
    {
        LVFINDINFOA find = {};
        find.flags = LVFI_STRING;
        find.psz = name;
        return static_cast<int>(SendMessageA(List(), LVM_FINDITEMA, -1, reinterpret_cast<LPARAM>(&find)));
    }

    int SelectedItem() const
    {
        return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    }

    // The notification the list sends its parent when a header is clicked.
    void ClickHeader(int column)
    {
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = List();
        click.hdr.idFrom = IDC_COLORLIST;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(form, WM_NOTIFY, IDC_COLORLIST, reinterpret_cast<LPARAM>(&click));
    }

    // Selecting through the list makes it notify the form as a click would.
    void SelectItem(int item)
    {
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(List(), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
        PumpMessages(20);
    }

    void DoubleClickList()
    {
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = List();
        click.hdr.idFrom = IDC_COLORLIST;
        click.hdr.code = NM_DBLCLK;
        click.iItem = SelectedItem();
        SendMessageA(form, WM_NOTIFY, IDC_COLORLIST, reinterpret_cast<LPARAM>(&click));
        PumpMessages(20);
    }

    void ShowPage(int page)
    {
        SendMessageA(Control(IDC_TAB), TCM_SETCURSEL, page, 0);
        NMHDR change = {Control(IDC_TAB), IDC_TAB, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(form, WM_NOTIFY, IDC_TAB, reinterpret_cast<LPARAM>(&change));
        PumpMessages(30);
    }

    void CloseAllPreviews()
    {
        Command(IDM_CLOSEALL);
        PumpMessages(50);
    }

    std::string ChannelTexts() const
    {
        return WindowText(Control(IDC_REDIT)) + "," + WindowText(Control(IDC_GEDIT)) + "," +
               WindowText(Control(IDC_BEDIT));
    }

    static std::string ChannelTextsOf(COLORREF color)
    {
        return std::to_string(RedOf(color)) + "," + std::to_string(GreenOf(color)) + "," +
               std::to_string(BlueOf(color));
    }

    static std::string SampleText(HWND preview)
    {
        PreviewState* state = PreviewStateOf(preview);
        return state ? WindowText(state->edit) : std::string("(no preview)");
    }
};

// Filling ------------------------------------------------------------------------------------------

using ColorListFill = ColorListPage;

TEST_F(ColorListFill, HoldsEveryCatalogueRowInCatalogueOrderWithItsCellTexts)
{
    ASSERT_EQ(ItemCount(), CATALOGUE_ROW_COUNT);
    for (int item = 0; item < CATALOGUE_ROW_COUNT; ++item) {
        ASSERT_EQ(RowOf(item), item) << "item " << item << " carries the wrong row number";
        for (int column = 0; column < CATALOGUE_COLUMN_COUNT; ++column)
            ASSERT_EQ(Cell(item, column), CatalogueCell(item, column))
                << "row " << item << ", column " << column;
    }
    EXPECT_EQ(Cell(AQUA_ROW, NAME_COLUMN), "Aqua");
    EXPECT_EQ(Cell(AQUA_ROW, BASIC_COLUMN), "*");
    EXPECT_EQ(Cell(20, NAME_COLUMN) + "|" + Cell(20, BASIC_COLUMN) + "|" + Cell(20, SYSTEM_COLUMN), "Cyan||");
    EXPECT_EQ(Cell(WINDOW_ROW, NAME_COLUMN), "Window");
    EXPECT_EQ(Cell(WINDOW_ROW, SYSTEM_COLUMN), "*");
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(Cell(WINDOW_ROW, RED_COLUMN) + "," + Cell(WINDOW_ROW, GREEN_COLUMN) + "," +
                  Cell(WINDOW_ROW, BLUE_COLUMN),
              ChannelTextsOf(window))
        << "the system row should show the live system colour";
    EXPECT_EQ(SelectedItem(), -1) << "a fresh fill selects nothing";
}

TEST_F(ColorListFill, HasSevenFixedColumnsWithGridLinesAndFullRowSelection)
{
    const int widths[CATALOGUE_COLUMN_COUNT] = {115, 40, 30, 30, 30, 25, 25};
    const char* headers[CATALOGUE_COLUMN_COUNT] = {"色名前", "見本", "赤", "緑", "青", "Sf", "Sy"};
    for (int column = 0; column < CATALOGUE_COLUMN_COUNT; ++column) {
        char text[32] = "";
        LVCOLUMNA query = {};
        query.mask = LVCF_WIDTH | LVCF_TEXT;
        query.pszText = text;
        query.cchTextMax = sizeof(text);
        ASSERT_TRUE(SendMessageA(List(), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&query)))
            << "column " << column << " is missing";
        EXPECT_EQ(query.cx, widths[column]) << "width of column " << column;
        EXPECT_STREQ(text, headers[column]) << "header of column " << column;
    }
    LVCOLUMNA extra = {};
    extra.mask = LVCF_WIDTH;
    EXPECT_FALSE(
        SendMessageA(List(), LVM_GETCOLUMNA, CATALOGUE_COLUMN_COUNT, reinterpret_cast<LPARAM>(&extra)))
        << "there should be no eighth column";
    DWORD styles = static_cast<DWORD>(SendMessageA(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(styles & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(GetPropA(List(), "lvProc"), &ColorList) << "the list should carry its record as \"lvProc\"";
}

TEST_F(ColorListFill, SystemColourChangeRefillsInCatalogueOrderWithTheNewValues)
{
    ClickHeader(RED_COLUMN);
    SelectItem(5);
    ASSERT_NE(Rows()[0], 0) << "the sort should have moved the rows";
    const int infoRow = 152; // "InfoBackground", COLOR_INFOBK
    ASSERT_EQ(CatalogueCell(infoRow, NAME_COLUMN), "InfoBackground");
    const COLORREF changed = GetSysColor(COLOR_INFOBK) == RGB(12, 34, 56) ? RGB(65, 43, 21) : RGB(12, 34, 56);
    {
        SystemColorChange change(COLOR_INFOBK, changed); // broadcasts WM_SYSCOLORCHANGE to the form
        PumpMessages(100);
        ASSERT_EQ(ItemCount(), CATALOGUE_ROW_COUNT);
        for (int item = 0; item < CATALOGUE_ROW_COUNT; ++item)
            ASSERT_EQ(RowOf(item), item) << "the refill should restore the catalogue order";
        EXPECT_EQ(SelectedItem(), -1) << "the refill should clear the selection";
        EXPECT_EQ(Cell(infoRow, RED_COLUMN) + "," + Cell(infoRow, GREEN_COLUMN) + "," +
                      Cell(infoRow, BLUE_COLUMN),
                  ChannelTextsOf(changed));
        EXPECT_EQ(Hex(RowColor(infoRow)), Hex(changed));
        EXPECT_FALSE(IsWindowVisible(List())) << "the refill should leave the list of the hidden page hidden";
    }
    PumpMessages(100);
}

// Sorting ------------------------------------------------------------------------------------------

using ColorListSort = ColorListPage;

TEST_F(ColorListSort, NamesSortAlphabeticallyWithSystemColoursInterleaved)
{
    ClickHeader(NAME_COLUMN);
    std::vector<std::string> names = ColumnTexts(NAME_COLUMN);
    ASSERT_EQ(names.size(), static_cast<size_t>(CATALOGUE_ROW_COUNT));
    const std::vector<std::string> first(names.begin(), names.begin() + 6);
    EXPECT_EQ(first, (std::vector<std::string>{"ActiveBorder", "ActiveCaption", "AliceBlue", "AntiqueWhite",
                                               "AppWorkspace", "Aqua"}));
    ClickHeader(NAME_COLUMN);
    names = ColumnTexts(NAME_COLUMN);
    EXPECT_EQ(names[CATALOGUE_ROW_COUNT - 2] + "," + names[CATALOGUE_ROW_COUNT - 1],
              "ActiveCaption,ActiveBorder");
    EXPECT_EQ(names[0], "YellowGreen");
}

TEST_F(ColorListSort, NumberColumnsSortAsNumbersBothWays)
{
    for (int column : {RED_COLUMN, GREEN_COLUMN, BLUE_COLUMN}) {
        ClickHeader(column);
        std::vector<int> numbers = ColumnNumbers(column);
        for (size_t i = 1; i < numbers.size(); ++i)
            ASSERT_LE(numbers[i - 1], numbers[i])
                << "column " << column << " ascending: " << numbers[i - 1] << " before " << numbers[i];
        EXPECT_EQ(numbers.front(), 0);
        ClickHeader(column);
        numbers = ColumnNumbers(column);
        for (size_t i = 1; i < numbers.size(); ++i)
            ASSERT_GE(numbers[i - 1], numbers[i])
                << "column " << column << " descending: " << numbers[i - 1] << " before " << numbers[i];
        EXPECT_EQ(numbers.front(), 255);
    }
}

TEST_F(ColorListSort, EachColumnKeepsItsOwnDirection)
{
    ClickHeader(RED_COLUMN); // red ascending
    ClickHeader(GREEN_COLUMN);
    std::vector<int> green = ColumnNumbers(GREEN_COLUMN);
    EXPECT_EQ(green.front(), 0) << "the first click on green should sort ascending";
    ClickHeader(RED_COLUMN); // red's own direction was ascending, so now descending
    std::vector<int> red = ColumnNumbers(RED_COLUMN);
    EXPECT_EQ(red.front(), 255) << "red should now sort descending";
    EXPECT_EQ(red.back(), 0);
    ClickHeader(GREEN_COLUMN); // green's own direction was ascending
    green = ColumnNumbers(GREEN_COLUMN);
    EXPECT_EQ(green.front(), 255) << "green should now sort descending";
    EXPECT_EQ(ColorList.direction[RED_COLUMN], -1);
    EXPECT_EQ(ColorList.direction[GREEN_COLUMN], -1);
    EXPECT_EQ(ColorList.direction[BLUE_COLUMN], 0) << "an unclicked column keeps its direction";
}

TEST_F(ColorListSort, SampleHeaderNeitherSortsNorChangesAnyDirection)
{
    ClickHeader(BLUE_COLUMN);
    const std::vector<int> before = Rows();
    int directions[CATALOGUE_COLUMN_COUNT];
    std::copy(std::begin(ColorList.direction), std::end(ColorList.direction), directions);
    ClickHeader(SAMPLE_COLUMN);
    ClickHeader(SAMPLE_COLUMN);
    EXPECT_EQ(Rows(), before) << "clicking the sample header changed the order";
    for (int column = 0; column < CATALOGUE_COLUMN_COUNT; ++column)
        EXPECT_EQ(ColorList.direction[column], directions[column]) << "direction of column " << column;
}

TEST_F(ColorListSort, MarkColumnsPutEmptyCellsBeforeStars)
{
    ClickHeader(BASIC_COLUMN);
    std::vector<std::string> basic = ColumnTexts(BASIC_COLUMN);
    for (int item = 0; item < CATALOGUE_ROW_COUNT; ++item)
        ASSERT_EQ(basic[item], item < 149 ? "" : "*") << "Sf ascending, item " << item;
    ClickHeader(BASIC_COLUMN);
    basic = ColumnTexts(BASIC_COLUMN);
    for (int item = 0; item < CATALOGUE_ROW_COUNT; ++item)
        ASSERT_EQ(basic[item], item < 16 ? "*" : "") << "Sf descending, item " << item;

    ClickHeader(SYSTEM_COLUMN);
    std::vector<int> rows = Rows();
    for (int item = 0; item < CATALOGUE_ROW_COUNT; ++item)
        ASSERT_EQ(rows[item] >= NAMED_COLOR_COUNT, item >= NAMED_COLOR_COUNT)
            << "Sy ascending, item " << item;
    ClickHeader(SYSTEM_COLUMN);
    rows = Rows();
    for (int item = 0; item < CATALOGUE_ROW_COUNT; ++item)
        ASSERT_EQ(rows[item] >= NAMED_COLOR_COUNT, item < SYSTEM_COLOR_COUNT)
            << "Sy descending, item " << item;
}

TEST_F(ColorListSort, ClickingTheHeaderWithTheMouseSorts)
{
    ShowPage(1);
    SetForegroundWindow(form);
    HWND header = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    RECT cell = {};
    SendMessageA(header, HDM_GETITEMRECT, RED_COLUMN, reinterpret_cast<LPARAM>(&cell));
    POINT middle = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(header, &middle);
    // The X display behind Wine may move the pointer back to where it last saw it; a click with a
    // stray move between press and release would not count, so the pointer is settled first.
    ASSERT_TRUE(SettlePointer(middle)) << "the pointer would not stay on the header";
    INPUT click[3] = {};
    for (INPUT& input : click) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(middle.x, 65536, GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = MulDiv(middle.y, 65536, GetSystemMetrics(SM_CYSCREEN));
    }
    click[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    click[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, click, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return ColumnNumbers(RED_COLUMN).front() == 0 && RowOf(0) != 0; }, 2000))
        << "a click on the header \"赤\" should sort by red ascending";
    EXPECT_EQ(ColorList.direction[RED_COLUMN], 1);
}

// Selecting ----------------------------------------------------------------------------------------

using ColorListSelection = ColorListPage;

TEST_F(ColorListSelection, AquaWithNoPreviewOpensOneWithTheColourAndName)
{
    CloseAllPreviews();
    ASSERT_EQ(GetActivePreview(), nullptr) << "the previews should all be closed";
    SelectItem(ItemNamed("Aqua"));
    HWND preview = GetActivePreview();
    ASSERT_NE(preview, nullptr) << "selecting a row should open a preview window";
    EXPECT_EQ(ChannelTexts(), "0,255,255");
    EXPECT_EQ(Hex(ChannelColor()), Hex(RGB(0, 255, 255)));
    EXPECT_EQ(SampleText(preview), "Aqua");
    EXPECT_EQ(Hex(PreviewStateOf(preview)->innerColor), Hex(RGB(0, 255, 255)));
}

TEST_F(ColorListSelection, SystemRowSetsItsNameAndDescriptionOnTwoLines)
{
    SelectItem(ItemNamed("Window"));
    EXPECT_EQ(ChannelTexts(), ChannelTextsOf(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(SampleText(GetActivePreview()), "Window\r\nウィンドウの背景色");
}

TEST_F(ColorListSelection, ArrowKeysApplyEveryRowPassedOver)
{
    SelectItem(0);
    SetFocus(List());
    SendMessageA(List(), WM_KEYDOWN, VK_DOWN, 0);
    PumpMessages(20);
    EXPECT_EQ(SelectedItem(), 1);
    EXPECT_EQ(SampleText(GetActivePreview()), "AntiqueWhite");
    EXPECT_EQ(ChannelTexts(), "250,235,215");
}

TEST_F(ColorListSelection, DoubleClickAppliesTheSelectedRowAgain)
{
    SelectItem(ItemNamed("Aqua"));
    HWND preview = GetActivePreview();
    ASSERT_NE(preview, nullptr);
    SetWindowTextA(Control(IDC_REDIT), "12");
    SendMessageA(preview, PM_SETTEXT, reinterpret_cast<WPARAM>("changed elsewhere"), 0);
    PumpMessages(20);
    ASSERT_EQ(ChannelTexts(), "12,255,255");
    DoubleClickList();
    EXPECT_EQ(ChannelTexts(), "0,255,255");
    EXPECT_EQ(SampleText(preview), "Aqua");
}

TEST_F(ColorListSelection, NotificationWithNothingSelectedChangesNothing)
{
    CloseAllPreviews();
    const std::string before = ChannelTexts();
    DoubleClickList();
    EXPECT_EQ(GetActivePreview(), nullptr) << "no row selected, so no preview should open";
    EXPECT_EQ(ChannelTexts(), before);
}

// The swatch column ---------------------------------------------------------------------------------

using ColorListSwatch = ColorListPage;

TEST_F(ColorListSwatch, SampleCellsArePaintedInTheRowColour)
{
    ShowPage(1);
    SendMessageA(form, WM_SYSCOLORCHANGE, 0, 0); // a refill while shown must leave it drawing
    ClickHeader(RED_COLUMN); // brings black, blues and greens to the top: colours far from the window's
    SetForegroundWindow(form);
    InvalidateRect(List(), nullptr, TRUE);
    UpdateWindow(List());
    PumpMessages(100);
    for (int item = 0; item < 6; ++item) {
        RECT cell = {};
        cell.top = SAMPLE_COLUMN;
        cell.left = LVIR_BOUNDS;
        ASSERT_TRUE(SendMessageA(List(), LVM_GETSUBITEMRECT, item, reinterpret_cast<LPARAM>(&cell)));
        POINT middle = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ClientToScreen(List(), &middle);
        EXPECT_EQ(Hex(ScreenPixel(middle.x, middle.y)), Hex(RowColor(RowOf(item))))
            << "swatch of " << Cell(item, NAME_COLUMN);

        RECT number = {};
        number.top = RED_COLUMN;
        number.left = LVIR_BOUNDS;
        SendMessageA(List(), LVM_GETSUBITEMRECT, item, reinterpret_cast<LPARAM>(&number));
        POINT blank = {number.left + 3, (number.top + number.bottom) / 2}; // left of the right-aligned text
        ClientToScreen(List(), &blank);
        EXPECT_EQ(Hex(ScreenPixel(blank.x, blank.y)), Hex(GetSysColor(COLOR_WINDOW)))
            << "red cell background of " << Cell(item, NAME_COLUMN);
    }
}

// Tab pages ----------------------------------------------------------------------------------------

using TabPages = ColorListPage;

TEST_F(TabPages, StartsOnTheNumbersPageWithTheListHidden)
{
    EXPECT_EQ(SendMessageA(Control(IDC_TAB), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(List()));
    for (int id : PAGE0_CONTROLS)
        EXPECT_TRUE(IsWindowVisible(Control(id))) << "control " << id;
}

TEST_F(TabPages, NamesPageShowsOnlyTheListAndNumbersPageBringsTheControlsBack)
{
    ShowPage(1);
    EXPECT_TRUE(IsWindowVisible(List()));
    for (int id : PAGE0_CONTROLS)
        EXPECT_FALSE(IsWindowVisible(Control(id))) << "control " << id << " on page 1";
    EXPECT_TRUE(IsWindowVisible(Control(IDC_TAB)));
    EXPECT_TRUE(IsWindowVisible(Control(IDC_STATUS)));

    ShowPage(0);
    EXPECT_FALSE(IsWindowVisible(List()));
    for (int id : PAGE0_CONTROLS)
        EXPECT_TRUE(IsWindowVisible(Control(id))) << "control " << id << " on page 0";
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_APPLY))) << "showing the apply button should not enable it";
}

TEST_F(TabPages, NoSelectedPageChangesNoVisibility)
{
    ShowPage(1);
    SendMessageA(Control(IDC_TAB), TCM_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ASSERT_EQ(SendMessageA(Control(IDC_TAB), TCM_GETCURSEL, 0, 0), -1);
    ShowTabPage(form);
    EXPECT_TRUE(IsWindowVisible(List()));
    for (int id : PAGE0_CONTROLS)
        EXPECT_FALSE(IsWindowVisible(Control(id))) << "control " << id;
}

TEST_F(TabPages, SavedNamesPageIsShownAtStart)
{
    DestroyForm(); // saves its own settings, so the file is written afterwards
    WriteSettings("[MAINWINDOW]\r\nPAGE=1\r\n");
    CreateForm();
    EXPECT_EQ(SendMessageA(Control(IDC_TAB), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(List()));
    EXPECT_FALSE(IsWindowVisible(Control(IDC_RSLIDER)));
}
