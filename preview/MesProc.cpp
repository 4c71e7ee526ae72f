// The preview window: a sample text in its font and colour on the inner colour, inside a band of
// the outer colour.
#include "MesProc.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "colour/ColorModel.h"
#include "panel/Capture.h"
#include "panel/Channels.h"
#include "panel/Propagation.h"
#include "preview/MdiClient.h"
#include "preview/PreviewLayout.h"
#include "preview/ResultExport.h"
#include "print/PrintGeometry.h"
#include "shell/Fatal.h"
#include "shell/Layout.h"
#include "shell/Menus.h"
#include "shell/resource.h"

PreviewState PreviewTemplate; // zero, as every object of static storage

namespace {

constexpr char MODULE_NAME[] = "MesProc";
constexpr int ALLOCATION_FAILED_LINE = 234;
constexpr DWORD EDIT_STYLE =
    WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;
constexpr DWORD FONT_DIALOG_FLAGS = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_NOVERTFONTS;
constexpr char POINTS_FORMAT[] = "%d pt";
constexpr int STATUS_PART_TEXT_SIZE = 128; // a face name, a size, a colour code, a marker
constexpr DWORD TOOLTIP_STYLE = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;

// The status bar parts that show a preview window's font.
enum FontInfoPart {
    PART_FACE = 1,
    PART_POINTS,
    PART_COLOR,
    PART_BOLD,
    PART_ITALIC,
    PART_UNDERLINE,
    PART_STRIKEOUT,
};

// The main form is the parent of the MDI client, which is the parent of every preview window.
HWND FormOf(HWND preview)
{
    return GetParent(GetParent(preview));
}

PreviewState* AttachedState(HWND window)
{
    return reinterpret_cast<PreviewState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

ColorCode CodeFor(HWND form, COLORREF color)
{
    return FormatColorCode(color, IsOptionChecked(form, IDM_CAPTION));
}

// One tool covers a whole window; the tooltip asks the preview window for the text.
void AddTipTool(HWND tooltip, HWND preview, HWND area)
{
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE; // the common controls of version 5 refuse larger records
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = preview;
    tool.uId = reinterpret_cast<UINT_PTR>(area);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The band and the EDIT are two windows, and a tool that names a window sees only that window's
// mouse moves, so each gets a tool of its own; both answer with the same text.
HWND CreateContrastTip(HWND preview, HWND edit, HINSTANCE instance)
{
    // Without an owner: a popup given a child window as its parent would be owned by the main form,
    // and Wine then leaves the form below the topmost windows when the top-level option raises it
    // (the owned tooltip takes the topmost place and the form is put after it). The tooltip raises
    // itself to the top whenever it shows, and the window destroys it.
    const HWND tooltip =
        CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TOOLTIP_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!tooltip) return nullptr;
    // Without a width limit a tooltip keeps to one line and drops the line break.
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
    // The pointer must rest as long as it does before any other hover report of the system.
    UINT hoverTime = 0;
    if (SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &hoverTime, 0))
        SendMessageA(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(hoverTime, 0));
    AddTipTool(tooltip, preview, preview);
    if (edit) AddTipTool(tooltip, preview, edit);
    return tooltip;
}

void WriteContrastTip(HWND window, PreviewState& state)
{
    const HWND form = FormOf(window);
    const LOGFONTA& font = state.logFont;
    const bool largeText = IsLargeText(font.lfHeight, font.lfWeight, ScreenDpi(form));
    ContrastTipLines tip = ContrastTip(state.fontColor, state.innerColor, state.outerColor, largeText,
                                       IsOptionChecked(form, IDM_CAPTION));
    if (state.vision != VISION_NORMAL)
        AddTipLine(
            tip,
            VisionContrastReport(state.fontColor, state.innerColor, state.outerColor, state.vision).text);
    JoinTipLines(tip, state.tipText, sizeof state.tipText);
}

// The tooltip would show under the pointer, over the very text whose contrast it tells.
void PlaceContrastTip(const PreviewState& state)
{
    RECT tip = {}, text = {};
    GetWindowRect(state.tooltip, &tip);
    GetWindowRect(state.edit, &text);
    POINT pointer = {};
    GetCursorPos(&pointer);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
    // The arrow's hot spot is its tip: the image hangs below and to the right of the point.
    const ScreenBox pointerBox = {pointer.x, pointer.y, pointer.x + GetSystemMetrics(SM_CXCURSOR),
                                  pointer.y + GetSystemMetrics(SM_CYCURSOR)};
    const RECT& work = monitor.rcWork;
    const ScreenSpot spot = ContrastTipSpot(tip.right - tip.left, tip.bottom - tip.top,
                                            {text.left, text.top, text.right, text.bottom}, pointerBox,
                                            {work.left, work.top, work.right, work.bottom});
    SetWindowPos(state.tooltip, nullptr, spot.x, spot.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A tip on show while the colours or the font change asks for its text again.
void RefreshContrastTip(const PreviewState& state)
{
    if (!state.tooltip) return;
    TTTOOLINFOA current{};
    current.cbSize = TTTOOLINFOA_V2_SIZE;
    if (!SendMessageA(state.tooltip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&current))) return;
    current.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(state.tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&current));
}

// In the form's dialog keyboard handling a multiline EDIT closes its parent on Escape, which would
// take the preview with its text, colours and font: the sample text keeps Escape to itself. An input
// method that is composing gets its keys first (they arrive as VK_PROCESSKEY) and keeps its Escape.
WNDPROC EditProcedure = nullptr;

LRESULT CALLBACK SampleTextProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_ESCAPE) return 0;
    return CallWindowProcW(EditProcedure, edit, message, wParam, lParam);
}

// The sample text is a Unicode window, so that Windows keeps and draws Japanese whole whatever the
// system's code page; the program's ANSI messages to it are converted through its code page, 932.
// It must stay Unicode: subclass it only with SetWindowSubclass or SetWindowLongPtrW.
HWND CreateSampleEdit(HWND preview, HINSTANCE instance)
{
    const HWND edit =
        CreateWindowExW(0, L"EDIT", nullptr, EDIT_STYLE, 0, 0, 0, 0, preview, nullptr, instance, nullptr);
    if (!edit) return nullptr;
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SampleTextProc)));
    if (!EditProcedure) EditProcedure = previous;
    return edit;
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* creation)
{
    auto* state = new (std::nothrow) PreviewState(); // value-initialised: zero-filled
    if (!state) FatalError(MODULE_NAME, ALLOCATION_FAILED_LINE);

    state->edit = CreateSampleEdit(window, creation->hInstance);
    const COLORREF current = ChannelColor();
    state->outerColor = current;
    state->innerColor = current;
    state->innerBrush = MakeSolidBrush(current);
    state->logFont.lfCharSet = SHIFTJIS_CHARSET;
    state->dpi = state->chosenDpi = ScreenDpi(FormOf(window));
    SetWindowTextA(window, CodeFor(FormOf(window), current).text);
    // The contrast tooltip comes when the pointer first does (OnSetCursor).

    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return 0;
}

// The tooltip is made when the pointer first comes over the window or its text, which asks the
// window for a cursor before the tooltip would see the move: a window the pointer never visits
// needs none, and a new window (the first at start-up among them) opens without making one.
void OnSetCursor(HWND window, PreviewState& state)
{
    if (state.tooltip) return;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    state.tooltip = CreateContrastTip(window, state.edit, instance);
    if (state.tooltip && Capture.timer) SendMessageA(state.tooltip, TTM_ACTIVATE, FALSE, 0);
}

void OnSize(const PreviewState& state, int width, int height)
{
    const EditPlacement place = PreviewEditPlacement(width, height);
    MoveWindow(state.edit, place.x, place.y, place.width, place.height, TRUE);
}

void OnPaint(HWND window, const PreviewState& state)
{
    PaintDC paint(window);
    RECT client{};
    GetClientRect(window, &client);
    PaintPreviewBand(paint.get(), client, SimulateVision(state.outerColor, state.vision));
}

LRESULT OnCtlColorEdit(const PreviewState& state, HDC dc)
{
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, SimulateVision(state.fontColor, state.vision));
    SetBkColor(dc, SimulateVision(state.innerColor, state.vision));
    const GdiObject& brush = state.vision == VISION_NORMAL ? state.innerBrush : state.seenInnerBrush;
    return reinterpret_cast<LRESULT>(brush.brush());
}

// The true brush stays for printing; the EDIT gets one of the colour the viewer sees.
void RemakeSeenInnerBrush(PreviewState& state)
{
    if (state.vision == VISION_NORMAL)
        state.seenInnerBrush.reset();
    else
        state.seenInnerBrush = MakeSolidBrush(SimulateVision(state.innerColor, state.vision));
}

// A title already shown is not set again: setting it would still redraw the window's caption and
// the main form's, which carries it.
void SetPreviewTitle(HWND window, const PreviewState& state, const char* title)
{
    const VisionTitleText wanted = VisionTitle(title, state.vision);
    char shown[sizeof wanted.text + 1] = "";
    GetWindowTextA(window, shown, sizeof shown);
    if (lstrcmpA(shown, wanted.text) != 0) SetWindowTextA(window, wanted.text);
}

void OnSetInnerColor(HWND window, PreviewState& state, const PreviewState* source, const char* title)
{
    if (source) {
        state.innerColor = source->innerColor;
        state.innerBrush = MakeSolidBrush(state.innerColor);
        RemakeSeenInnerBrush(state);
    }
    if (title) SetPreviewTitle(window, state, title);
    InvalidateRect(state.edit, nullptr, TRUE);
    RefreshContrastTip(state);
}

void RemakeFont(PreviewState& state);

void OnSetFont(HWND window, PreviewState& state, const PreviewState* source)
{
    if (!source) return;
    state.fontColor = source->fontColor;
    state.logFont = source->logFont;
    state.logFont.lfQuality = PROOF_QUALITY;
    state.chosenHeight = state.logFont.lfHeight;
    state.chosenDpi = state.dpi;
    RemakeFont(state);
    ShowFontInfo(state, FormOf(window));
    RefreshContrastTip(state);
}

void RemakeFont(PreviewState& state)
{
    GdiObject font = MakeFont(state.logFont);
    SendMessageA(state.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font.font()), TRUE);
    // The old font goes only now that the EDIT no longer uses it.
    state.font = std::move(font);
}

// On a monitor of another scale: the place Windows (or the form) suggests, and the font made again
// so that the text keeps its size in points.
void OnDpiChanged(HWND window, PreviewState& state, int dpi, const RECT* suggested)
{
    if (dpi <= 0) return;
    state.dpi = dpi;
    if (suggested && !IsZoomed(window) && !IsIconic(window))
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (state.chosenDpi > 0) state.logFont.lfHeight = MulDiv(state.chosenHeight, dpi, state.chosenDpi);
    if (state.font) RemakeFont(state);
    if (window == GetActivePreview()) ShowFontInfo(state, FormOf(window));
    InvalidateRect(window, nullptr, FALSE);
}

void OnSetOuterColor(HWND window, PreviewState& state, COLORREF color)
{
    state.outerColor = color;
    InvalidateRect(window, nullptr, FALSE);
    RefreshContrastTip(state);
}

// The change the font dialog makes when only its colour is chosen: the window's own font, a new colour.
void SetPreviewTextColor(HWND window, const PreviewState& state, COLORREF color)
{
    PreviewTemplate.logFont = state.logFont;
    PreviewTemplate.fontColor = color;
    SendMessageA(window, PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
}

void SwapTextAndInner(HWND window, PreviewState& state)
{
    // The new inner colour goes through the channel controls, which address the active window.
    if (GetActivePreview() != window)
        SendMessageA(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    const COLORREF text = state.fontColor;
    SetPreviewTextColor(window, state, state.innerColor);
    WriteChannelEdits(text);
    // Channels that already showed the colour change nothing and so propagate nothing.
    if (state.innerColor != text) PropagateCurrentColor(FormOf(window));
}

// Typing makes the text the user reads; the tooltip over it goes until the pointer moves again.
void OnEditCommand(const PreviewState& state, UINT notification)
{
    if (notification == EN_CHANGE && state.tooltip) SendMessageA(state.tooltip, TTM_POP, 0, 0);
}

// Only the looks change: the colours, and with them everything else that shows them, stay true.
void OnVisionMode(HWND window, PreviewState& state, VisionMode mode)
{
    state.vision = mode;
    RemakeSeenInnerBrush(state);
    SetPreviewTitle(window, state, CodeFor(FormOf(window), state.innerColor).text);
    InvalidateRect(window, nullptr, FALSE);
    InvalidateRect(state.edit, nullptr, TRUE);
    if (window == GetActivePreview()) MarkVisionMode(mode);
    RefreshContrastTip(state);
}

// Answers true when the command is one of the preview window's own.
bool OnCommand(HWND window, PreviewState& state, UINT id)
{
    switch (id) {
    case IDM_FONT: ChoosePreviewFont(window); return true;
    case IDM_FILLOUTER: SendMessageA(window, PM_SETOUTERCOLOR, state.innerColor, 0); return true;
    case IDM_TEXTFROMCURRENT: SetPreviewTextColor(window, state, ChannelColor()); return true;
    case IDM_SWAPTEXTINNER: SwapTextAndInner(window, state); return true;
    case IDM_COPYRESULT: CopyContrastResult(FormOf(window), window); return true;
    case IDM_VISION_NORMAL:
    case IDM_VISION_PROTANOPIA:
    case IDM_VISION_DEUTERANOPIA:
    case IDM_VISION_TRITANOPIA:
    case IDM_VISION_MONOCHROMACY:
        OnVisionMode(window, state, VisionModeFrom(id - IDM_VISION_NORMAL));
        return true;
    }
    return false;
}

// The tooltip asks for its text every time it shows, so the verdict follows every change.
bool OnNotify(HWND window, PreviewState& state, NMHDR* header, LRESULT& result)
{
    if (!state.tooltip || header->hwndFrom != state.tooltip) return false;
    if (header->code == TTN_SHOW) {
        PlaceContrastTip(state);
        result = TRUE; // the tooltip keeps the place given
        return true;
    }
    if (header->code != TTN_GETDISPINFOA) return false;
    WriteContrastTip(window, state);
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->hinst = nullptr;
    info->lpszText = state.tipText;
    result = 0;
    return true;
}

// The MDI client tells the window that loses activation first, then the one that gains it.
void OnMdiActivate(HWND window, const PreviewState& state, HWND losing, HWND gaining)
{
    const HWND form = FormOf(window);
    if (gaining == window && !losing) {
        SwapFrameMenu(true);
    } else if (!gaining && losing == window) {
        // The bar without preview windows has no capture item, so capture must end first.
        if (IsOptionChecked(form, IDM_CAPTURE)) {
            CheckMenuItem(OptionsPopup(form), IDM_CAPTURE, MF_BYCOMMAND | MF_UNCHECKED);
            UpdateCaptureMode(form);
        }
        SwapFrameMenu(false);
    }
    WriteChannelEdits(state.innerColor);
    ShowFontInfo(state, form);
    if (gaining == window) MarkVisionMode(state.vision);
}

void OnDestroy(HWND window, PreviewState* state)
{
    // The tooltip has no owner to take it along.
    if (state->tooltip) DestroyWindow(state->tooltip);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    delete state; // deletes the brush and the font with it
}

// A part already showing the text is left as it is, unredrawn.
void SetStatusPart(HWND status, int part, const char* text)
{
    char shown[STATUS_PART_TEXT_SIZE] = "";
    if (LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0)) < sizeof shown) {
        SendMessageA(status, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(shown));
        if (lstrcmpA(shown, text) == 0) return;
    }
    SendMessageA(status, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

void SetMarkerPart(HWND status, int part, bool on, UINT textId)
{
    SetStatusPart(status, part, on ? LoadResourceText(textId).text : "");
}

// The vision submenu within a menu, wherever it sits: the window list and a maximised window's
// system menu move positions on the bar.
HMENU FindVisionPopup(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const HMENU popup = GetSubMenu(menu, i);
        if (!popup) continue;
        if (GetMenuItemID(popup, 0) == IDM_VISION_NORMAL) return popup;
        if (const HMENU inner = FindVisionPopup(popup)) return inner;
    }
    return nullptr;
}

} // namespace

LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) return OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    PreviewState* state = AttachedState(window); // none before WM_CREATE and after WM_DESTROY
    if (!state) return DefMDIChildProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_SIZE: OnSize(*state, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_PAINT: OnPaint(window, *state); return 0;
    case WM_SETCURSOR: OnSetCursor(window, *state); break;
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == state->edit)
            return OnCtlColorEdit(*state, reinterpret_cast<HDC>(wParam));
        break;
    case WM_LBUTTONDBLCLK: PostMessageA(window, WM_COMMAND, IDM_FILLOUTER, 0); return 0;
    case WM_COMMAND:
        if (lParam && reinterpret_cast<HWND>(lParam) == state->edit) {
            OnEditCommand(*state, HIWORD(wParam));
            break;
        }
        if (OnCommand(window, *state, LOWORD(wParam))) return 0;
        break;
    case WM_RBUTTONDOWN: ShowContextMenu(lParam, window); return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (lParam && OnNotify(window, *state, reinterpret_cast<NMHDR*>(lParam), result)) return result;
        break;
    }
    case WM_MENUSELECT: ShowMenuHelp(FormOf(window), LOWORD(wParam)); return 0;
    case WM_EXITMENULOOP: EndMenuHelp(FormOf(window)); return 0;
    case WM_MDIACTIVATE:
        OnMdiActivate(window, *state, reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case PM_SETINNERCOLOR:
        OnSetInnerColor(window, *state, reinterpret_cast<const PreviewState*>(wParam),
                        reinterpret_cast<const char*>(lParam));
        return 0;
    case PM_SETFONT: OnSetFont(window, *state, reinterpret_cast<const PreviewState*>(wParam)); return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, *state, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case PM_SETTEXT: SetWindowTextA(state->edit, reinterpret_cast<const char*>(wParam)); return 0;
    case PM_SETOUTERCOLOR: OnSetOuterColor(window, *state, static_cast<COLORREF>(wParam)); return 0;
    case WM_DESTROY:
        OnDestroy(window, state);
        // The default takes the window off the client's window menu.
        DefMDIChildProcA(window, message, wParam, lParam);
        return 0;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

PreviewState* PreviewStateOf(HWND window)
{
    char className[sizeof MdiContext.ChildClassName + 1]{};
    if (!window || !MdiContext.ChildClassName[0]) return nullptr;
    if (!GetClassNameA(window, className, sizeof className)) return nullptr;
    if (lstrcmpiA(className, MdiContext.ChildClassName) != 0) return nullptr;
    return AttachedState(window);
}

void PaintPreviewBand(HDC dc, const RECT& area, COLORREF outerColor)
{
    GdiObject brush = MakeSolidBrush(outerColor);
    SelectedObject pen(dc, GetStockObject(NULL_PEN));
    SelectedObject selectedBrush(dc, brush.get());
    // Without a pen a rectangle leaves its right and bottom edges unfilled.
    Rectangle(dc, area.left, area.top, area.right + 1, area.bottom + 1);
}

namespace {

// The font dialog lists sixteen colours and hands back whatever its list has selected. A text
// colour outside them joins the list, under its code and selected, so that the dialog shows it and
// keeps it unless the user picks another.
UINT_PTR CALLBACK FontDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG || !lParam) return 0;
    const auto* choice = reinterpret_cast<const CHOOSEFONTA*>(lParam);
    const HWND colors = GetDlgItem(dialog, cmb4);
    if (!colors) return TRUE;
    const LRESULT count = SendMessageA(colors, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item)
        if (static_cast<COLORREF>(SendMessageA(colors, CB_GETITEMDATA, item, 0)) == choice->rgbColors)
            return TRUE;
    const ColorCode code = CodeFor(FormOf(choice->hwndOwner), choice->rgbColors);
    const LRESULT added = SendMessageA(colors, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(code.text));
    if (added < 0) return TRUE;
    SendMessageA(colors, CB_SETITEMDATA, added, choice->rgbColors);
    SendMessageA(colors, CB_SETCURSEL, added, 0);
    return TRUE;
}

} // namespace

bool ChoosePreviewFont(HWND window)
{
    const PreviewState* state = PreviewStateOf(window);
    if (!state) return false;
    PreviewTemplate.logFont = state->logFont;
    PreviewTemplate.fontColor = state->fontColor;

    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = window;
    choice.lpLogFont = &PreviewTemplate.logFont;
    choice.Flags = FONT_DIALOG_FLAGS | CF_ENABLEHOOK;
    choice.rgbColors = state->fontColor;
    choice.lpfnHook = FontDialogHook;
    if (!ChooseFontA(&choice)) return false;

    // The dialog has written the chosen font into the template already. A list with nothing
    // selected answers CB_ERR, which is no colour: the text keeps the one it had.
    PreviewTemplate.fontColor = (choice.rgbColors & 0xFF000000) ? state->fontColor : choice.rgbColors;
    SendMessageA(window, PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
    return true;
}

void MarkVisionMode(VisionMode mode)
{
    for (const HMENU menu : {MdiContext.MenuPreview, MdiContext.ChildPopup}) {
        if (const HMENU popup = FindVisionPopup(menu))
            CheckMenuRadioItem(popup, 0, VISION_MODE_COUNT - 1, mode, MF_BYPOSITION);
    }
}

void ShowFontInfo(const PreviewState& state, HWND form)
{
    const HWND status = GetDlgItem(form, IDC_STATUS);
    const LOGFONTA& font = state.logFont;

    // A face name read from elsewhere may fill all 32 bytes without a terminator.
    char face[LF_FACESIZE + 1]{};
    std::memcpy(face, font.lfFaceName, LF_FACESIZE);
    SetStatusPart(status, PART_FACE, face);

    char points[32];
    std::snprintf(points, sizeof points, POINTS_FORMAT, FontPoints(font.lfHeight, ScreenDpi(form)));
    SetStatusPart(status, PART_POINTS, points);

    SetStatusPart(status, PART_COLOR, CodeFor(form, state.fontColor).text);
    SetMarkerPart(status, PART_BOLD, font.lfWeight == FW_BOLD, IDS_FONT_BOLD);
    SetMarkerPart(status, PART_ITALIC, font.lfItalic != 0, IDS_FONT_ITALIC);
    SetMarkerPart(status, PART_UNDERLINE, font.lfUnderline != 0, IDS_FONT_UNDERLINE);
    SetMarkerPart(status, PART_STRIKEOUT, font.lfStrikeOut != 0, IDS_FONT_STRIKEOUT);
}

void QuietContrastTips(bool quiet)
{
    for (HWND child = GetWindow(MdiContext.MdiClient, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const PreviewState* state = PreviewStateOf(child);
        if (state && state->tooltip) SendMessageA(state->tooltip, TTM_ACTIVATE, !quiet, 0);
    }
}
