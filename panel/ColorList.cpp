// The colour list page: the catalogue in a sortable report list with a swatch column, and the
// switching between the two pages of the tab control.
#include "panel/ColorList.h"

#include <cstdlib>
#include "panel/Channels.h"
#include "panel/RecentColors.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"
#include "shell/Fatal.h"
#include "shell/Layout.h"
#include "shell/resource.h"

ColorListState ColorList;

namespace {

const char LIST_PROPERTY[] = "lvProc";
constexpr int SWATCH_COLUMN = 1;

struct ColumnSpec {
    UINT header;
    int width;
};
constexpr ColumnSpec COLUMNS[CATALOGUE_COLUMN_COUNT] = {
    {IDS_COLUMN_NAME, 115}, {IDS_COLUMN_SAMPLE, 40}, {IDS_COLUMN_RED, 30},    {IDS_COLUMN_GREEN, 30},
    {IDS_COLUMN_BLUE, 30},  {IDS_COLUMN_BASIC, 25},  {IDS_COLUMN_SYSTEM, 25},
};

// The controls of the page "by numbers", in the order they are shown or hidden.
constexpr int PAGE0_CONTROLS[] = {
    IDC_RSLIDER,     IDC_REDIT,    IDC_GSLIDER,  IDC_GEDIT,   IDC_BSLIDER, IDC_BEDIT,
    IDC_RLABEL,      IDC_BLABEL,   IDC_GLABEL,   IDC_RSPIN,   IDC_GSPIN,   IDC_BSPIN,
    IDC_CHOOSECOLOR, IDC_DECGROUP, IDC_HEXGROUP, IDC_HEXEDIT, IDC_APPLY,   IDC_SAFESLIDE,
};
constexpr int NUMBERS_PAGE = 0;
constexpr int NAMES_PAGE = 1;
constexpr UINT LVM_LAST_REQUEST = LVM_FIRST + 0xFF;
constexpr UINT LIST_FILL_DELAY_MS = 200;

ColorListState* ListStateOf(HWND list)
{
    return list ? static_cast<ColorListState*>(GetPropA(list, LIST_PROPERTY)) : nullptr;
}

bool IsCatalogueRow(LPARAM row)
{
    return row >= 0 && row < CATALOGUE_ROW_COUNT;
}

bool IsNumberColumn(int column)
{
    return column >= 2 && column <= 4;
}

void InsertColumns(HWND list)
{
    const int dpi = ScreenDpi(list);
    for (int column = 0; column < CATALOGUE_COLUMN_COUNT; ++column) {
        ResourceText header = LoadResourceText(COLUMNS[column].header);
        LVCOLUMNA columnInfo = {};
        columnInfo.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        columnInfo.fmt = LVCFMT_RIGHT; // the list keeps its first column left-aligned regardless
        columnInfo.cx = ScaleForDpi(COLUMNS[column].width, dpi);
        columnInfo.pszText = header.text;
        columnInfo.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&columnInfo));
    }
}

bool ScalingColumns = false; // the program itself sets the widths

} // namespace

// The fixed widths again, for the resolution of the monitor the form has moved to.
void ScaleColorListColumns(HWND form)
{
    const HWND list = GetDlgItem(form, IDC_COLORLIST);
    const int dpi = ScreenDpi(list);
    ScalingColumns = true;
    for (int column = 0; column < CATALOGUE_COLUMN_COUNT; ++column)
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, ScaleForDpi(COLUMNS[column].width, dpi));
    ScalingColumns = false;
}

LRESULT OnColumnChanging()
{
    return ScalingColumns ? FALSE : TRUE;
}

namespace {

LRESULT DefaultNotify(HWND form, NMHDR* header, WPARAM wParam)
{
    return DefWindowProcA(form, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(header));
}

LRESULT OnColumnClick(ColorListState& state, const NMLISTVIEW& click)
{
    int column = click.iSubItem;
    if (column == SWATCH_COLUMN || column < 0 || column >= CATALOGUE_COLUMN_COUNT) return 0;
    state.direction[column] = state.direction[column] == 1 ? -1 : 1;
    SendMessageA(state.list, LVM_SORTITEMS, column, reinterpret_cast<LPARAM>(CompareColorRows));
    return 0;
}

// Every change that leaves a row selected applies that row, whatever the change was.
LRESULT OnSelectionNotify(const ColorListState& state)
{
    int item = static_cast<int>(SendMessageA(state.list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    if (item < 0) return 0;
    LVITEMA query = {};
    query.mask = LVIF_PARAM;
    query.iItem = item;
    if (!SendMessageA(state.list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return 0;
    if (IsCatalogueRow(query.lParam)) ApplyCatalogueRow(static_cast<int>(query.lParam));
    return 0;
}

LRESULT OnCustomDraw(HWND form, NMLVCUSTOMDRAW* draw, WPARAM wParam)
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        LPARAM row = draw->nmcd.lItemlParam;
        if (draw->iSubItem == SWATCH_COLUMN && IsCatalogueRow(row))
            draw->clrTextBk = RowColor(static_cast<int>(row));
        else
            draw->clrTextBk = GetSysColor(COLOR_WINDOW);
        return CDRF_NOTIFYSUBITEMDRAW;
    }
    }
    return DefaultNotify(form, &draw->nmcd.hdr, wParam);
}

void ShowControls(HWND form, int showCommand)
{
    for (int id : PAGE0_CONTROLS)
        ShowWindow(GetDlgItem(form, id), showCommand);
}

// Rows of a fill asked for but not yet made; they belong to ColorList's list.
bool fillPending = false;
// The columns of ColorList's list, not yet made: they come with the first rows, or earlier when
// the list is asked anything, shown or painted.
bool columnsPending = false;

void InsertCatalogueRows(HWND list)
{
    // Redraw is held for the whole fill, shown or hidden: otherwise the list repaints after each of
    // its 1,148 cells when shown, and recomputes its scroll bars after each of them even when hidden.
    const bool hidden = (GetWindowLongPtrA(list, GWL_STYLE) & WS_VISIBLE) == 0;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    char text[ROW_CELL_TEXT_SIZE];
    for (int row = 0; row < CATALOGUE_ROW_COUNT; ++row) {
        RowCellText(row, 0, text);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = text;
        item.lParam = row;
        int position =
            static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (position < 0) continue;
        for (int column = 1; column < CATALOGUE_COLUMN_COUNT; ++column) {
            RowCellText(row, column, text);
            LVITEMA cell = {};
            cell.mask = LVIF_TEXT;
            cell.iItem = position;
            cell.iSubItem = column;
            cell.pszText = text;
            SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    // Turning redraw back on marks a window visible where the list leaves it to the default
    // handling, and the page of numbers must not get the list laid over it.
    if (hidden) {
        const LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
        if (style & WS_VISIBLE)
            SetWindowLongPtrA(list, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
    } else {
        InvalidateRect(list, nullptr, TRUE);
    }
}

UINT_PTR fillTimer = 0;

void FillIfPending()
{
    if (fillTimer) KillTimer(nullptr, fillTimer);
    fillTimer = 0;
    if (columnsPending && ColorList.list) {
        // The columns' own messages pass through the subclass: neither they nor the rows may start
        // from there, before the columns are all in.
        const bool rows = fillPending;
        columnsPending = fillPending = false;
        InsertColumns(ColorList.list);
        fillPending = rows;
    }
    if (!fillPending || !ColorList.list) return;
    fillPending = false; // first: the fill's own messages pass through the subclass
    InsertCatalogueRows(ColorList.list);
}

void CALLBACK FillWhenIdle(HWND, UINT, UINT_PTR, DWORD)
{
    FillIfPending();
}

// A timer is handed out only when the queue holds nothing else, painting included: the first tick
// marks the moment the program has caught up (at start-up: the form shown and painted), and the
// rows follow a little after it.
void CALLBACK FillAfterCatchingUp(HWND, UINT, UINT_PTR, DWORD)
{
    KillTimer(nullptr, fillTimer);
    fillTimer = SetTimer(nullptr, 0, LIST_FILL_DELAY_MS, FillWhenIdle);
    if (!fillTimer) FillIfPending();
}

// A message for which the list must hold its rows: any list request, being shown or painted.
bool NeedsRows(UINT message, WPARAM wParam)
{
    return (message >= LVM_FIRST && message <= LVM_LAST_REQUEST) || message == WM_PAINT ||
           (message == WM_SHOWWINDOW && wParam);
}

} // namespace

void InitColorList(HWND form)
{
    HWND list = GetDlgItem(form, IDC_COLORLIST);
    if (!list || ListStateOf(list)) return; // no list, or already set up
    // A new list starts with no column sorted.
    ColorList = ColorListState{};
    fillPending = false;
    ColorList.list = list;
    // The property goes on first so that the subclass finds the record from its first message.
    SetPropA(list, LIST_PROPERTY, &ColorList);
    ColorList.savedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ColorListProc)));

    DWORD styles = static_cast<DWORD>(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    // The list's page is seldom the first shown: its columns wait with its rows (FillIfPending).
    columnsPending = true;
}

void FillColorList()
{
    if (!ColorList.list) return;
    RefreshSystemColors();
    // The rows go in at once into a list that can be seen. Otherwise they go in a moment after the
    // program has caught up with its queue (at start-up: after the form has been shown), or earlier
    // when the list is shown, painted or asked anything (see ColorListProc), so that the start-up
    // does not wait for them and the first switch to the list's page does not either. The system
    // rows keep the values read here either way.
    fillPending = true;
    if (IsWindowVisible(ColorList.list)) {
        FillIfPending();
        return;
    }
    if (!fillTimer) fillTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, FillAfterCatchingUp);
    if (!fillTimer) FillIfPending();
}

LRESULT CALLBACK ColorListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ColorListState* state = ListStateOf(window);
    WNDPROC savedProc = state ? state->savedProc : ColorList.savedProc;
    if (!savedProc) return DefWindowProcA(window, message, wParam, lParam);
    if (state == &ColorList) {
        if (message == LVM_DELETEALLITEMS)
            fillPending = false; // the rows it would make are to go anyway
        else if (NeedsRows(message, wParam))
            FillIfPending();
    }
    if (message == WM_DESTROY) {
        if (state == &ColorList) fillPending = columnsPending = false;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProc));
        RemovePropA(window, LIST_PROPERTY);
        if (state) state->list = nullptr;
        // The list control still needs its own WM_DESTROY to release what it holds.
    }
    return CallWindowProcA(savedProc, window, message, wParam, lParam);
}

LRESULT OnColorListNotify(HWND form, NMHDR* header, WPARAM wParam)
{
    ColorListState* state = ListStateOf(header->hwndFrom);
    if (!state) return DefaultNotify(form, header, wParam);
    switch (header->code) {
    case LVN_COLUMNCLICK: return OnColumnClick(*state, *reinterpret_cast<NMLISTVIEW*>(header));
    case LVN_ITEMCHANGED:
    case NM_DBLCLK: return OnSelectionNotify(*state);
    case NM_CUSTOMDRAW: return OnCustomDraw(form, reinterpret_cast<NMLVCUSTOMDRAW*>(header), wParam);
    }
    return DefaultNotify(form, header, wParam);
}

void ApplyCatalogueRow(int row)
{
    if (!GetActivePreview()) NewPreviewWindow(MdiContext);
    // Loading the channels propagates the colour to the (possibly new) active preview.
    WriteChannelEdits(RowColor(row));
    RememberRecentColor(MainFormWindow(), RowColor(row));
    char text[ROW_SAMPLE_TEXT_SIZE];
    RowSampleText(row, text);
    if (HWND preview = GetActivePreview())
        SendMessageA(preview, PM_SETTEXT, reinterpret_cast<WPARAM>(text), 0);
}

// The list's sort callback. The cell texts come from the catalogue by row number rather than from
// the list itself: while LVM_SORTITEMS runs the list's contents are in flux, and messages sent to
// it from the callback (finding an item, reading its text) give unpredictable results.
int CALLBACK CompareColorRows(LPARAM row1, LPARAM row2, LPARAM column)
{
    if (!IsCatalogueRow(row1) || !IsCatalogueRow(row2) || column < 0 || column >= CATALOGUE_COLUMN_COUNT)
        return 0;
    int sortColumn = static_cast<int>(column);
    char text1[ROW_CELL_TEXT_SIZE];
    char text2[ROW_CELL_TEXT_SIZE];
    RowCellText(static_cast<int>(row1), sortColumn, text1);
    RowCellText(static_cast<int>(row2), sortColumn, text2);

    int order;
    if (IsNumberColumn(sortColumn)) {
        long number1 = std::strtol(text1, nullptr, 10);
        long number2 = std::strtol(text2, nullptr, 10);
        if (number1 == number2) return 0;
        order = number1 > number2 ? 1 : -1;
    } else {
        order = lstrcmpA(text1, text2);
    }
    return ColorList.direction[sortColumn] == 1 ? order : -order;
}

void ShowTabPage(HWND form)
{
    int page = static_cast<int>(SendDlgItemMessageA(form, IDC_TAB, TCM_GETCURSEL, 0, 0));
    HWND list = GetDlgItem(form, IDC_COLORLIST);
    if (page == NUMBERS_PAGE) {
        ShowControls(form, SW_SHOW);
        ShowWindow(list, SW_HIDE);
    } else if (page == NAMES_PAGE) {
        ShowControls(form, SW_HIDE);
        if (list == ColorList.list) FillIfPending(); // shown complete, not filled in view
        ShowWindow(list, SW_SHOW);
    }
    InvalidateRect(form, nullptr, FALSE);
}
