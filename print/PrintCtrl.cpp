// Printing the preview windows on one page as they lie in the MDI client area.
#include "PrintCtrl.h"

#include <commdlg.h>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "colour/ColorModel.h"
#include "preview/MdiClient.h"
#include "print/PrintGeometry.h"
#include "settings/SettingsCodec.h"
#include "shell/Fatal.h"
#include "shell/GdiHandles.h"
#include "shell/HeapBlock.h"
#include "shell/Menus.h"
#include "shell/resource.h"

PrintContextRecord PrintContext;

namespace {

constexpr DWORD PRINT_DIALOG_FLAGS =
    PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;
static_assert(PRINT_DIALOG_FLAGS == 0x140104, "the print dialog's flags");

constexpr int TEXT_BUFFER_FATAL_LINE = 76;
constexpr int LIST_MEMORY_FATAL_LINE = 76; // the job's memory is gone either way: the same report
constexpr int CAPTION_SIZE = 260;
// The caption lines are set between these sizes: as large as the window's band allows, smaller
// only where a line would not fit the window's width otherwise.
constexpr int CAPTION_MIN_POINTS = 6;
constexpr int CAPTION_MAX_POINTS = 10;
constexpr int POINTS_PER_INCH = 72;
constexpr int CAPTION_FIT_ROUNDS = 4;
constexpr char CAPTION_FACE[] = "ＭＳ ゴシック"; // fixed pitch keeps the channel columns aligned
constexpr char CAPTION_FORMAT[] = "Outside [%s(%3d,%3d,%3d)] : Inside [%s(%3d,%3d,%3d)]\n"
                                  "Font    [%s(%3d,%3d,%3d)] - \"%s\" - %dpt";

// The device modes the print dialog hands out with its DC belong to the caller.
class PrintDialogMemory {
  public:
    explicit PrintDialogMemory(PRINTDLGA& dialog) : dialog_(dialog) {}
    ~PrintDialogMemory()
    {
        if (dialog_.hDevMode) GlobalFree(dialog_.hDevMode);
        if (dialog_.hDevNames) GlobalFree(dialog_.hDevNames);
    }
    PrintDialogMemory(const PrintDialogMemory&) = delete;
    PrintDialogMemory& operator=(const PrintDialogMemory&) = delete;

  private:
    PRINTDLGA& dialog_;
};

PageRect ToPageRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void FillPageRect(HDC dc, const PageRect& rect, HBRUSH brush)
{
    SelectedObject selected(dc, brush);
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawPageText(HDC dc, const char* text, const PageRect& rect, COLORREF color, UINT format)
{
    RECT box{rect.left, rect.top, rect.right, rect.bottom};
    SetTextColor(dc, color);
    DrawText932(dc, text, &box, format);
}

struct CaptionText {
    char text[CAPTION_SIZE];
};

CaptionText FormatCaption(const PreviewState& record, bool upperCase, int points)
{
    // Each code is its own copy, so every bracket shows its own colour.
    const ColorCode outer = FormatColorCode(record.outerColor, upperCase);
    const ColorCode inner = FormatColorCode(record.innerColor, upperCase);
    const ColorCode font = FormatColorCode(record.fontColor, upperCase);
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, record.logFont.lfFaceName, LF_FACESIZE);

    CaptionText caption{};
    std::snprintf(caption.text, sizeof caption.text, CAPTION_FORMAT, outer.text, RedOf(record.outerColor),
                  GreenOf(record.outerColor), BlueOf(record.outerColor), inner.text, RedOf(record.innerColor),
                  GreenOf(record.innerColor), BlueOf(record.innerColor), font.text, RedOf(record.fontColor),
                  GreenOf(record.fontColor), BlueOf(record.fontColor), face, points);
    return caption;
}

// Points of the preview's font as the screen shows them.
int ScreenFontPoints(HWND form, LONG lfHeight)
{
    WindowDC screen(form);
    return FontPoints(lfHeight, GetDeviceCaps(screen.get(), LOGPIXELSY));
}

// Cell height of the font the edit control shows on the screen (the system font until one is set).
LONG ScreenCellHeight(HWND edit)
{
    HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0));
    if (!shown) shown = GetStockObject(SYSTEM_FONT);
    WindowDC screen(edit);
    SelectedObject selected(screen.get(), shown);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.get(), &metrics);
    return metrics.tmHeight;
}

// The stored character height -h prints as the cell height h times the scale. A preview whose font
// has no height yet shows the size of its edit control's font; the page takes that size, since a
// height of 0 would leave the size to the printer driver (the PostScript driver under Wine then
// writes a font of size 0, and the interpreter drops the rest of the page).
LOGFONTA ScaledLogFont(const PreviewState& record, int scale)
{
    LOGFONTA scaled = record.logFont;
    const long long stored =
        record.logFont.lfHeight ? record.logFont.lfHeight : -ScreenCellHeight(record.edit);
    const long long height = -stored * scale;
    scaled.lfHeight = static_cast<LONG>(height > INT_MAX ? INT_MAX : height < -INT_MAX ? -INT_MAX : height);
    return scaled;
}

void DrawSampleText(HDC dc, const PreviewState& record, const PageRect& inner)
{
    const int length = GetWindowTextLengthA(record.edit);
    HeapBlock text(static_cast<SIZE_T>(length) + 2);
    if (!text.get()) FatalError("PrintCtrl", TEXT_BUFFER_FATAL_LINE);
    GetWindowTextA(record.edit, text.text(), length + 2);

    GdiObject font = MakeFont(ScaledLogFont(record, PrintContext.scale));
    SelectedObject selected(dc, font.get());
    DrawPageText(dc, text.text(), inner, record.fontColor, DT_NOPREFIX);
}

GdiObject CaptionFont(int charHeight)
{
    LOGFONTA font{};
    font.lfHeight = -charHeight;
    font.lfCharSet = SHIFTJIS_CHARSET; // the face name in the second line may be Japanese
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(font.lfFaceName, CAPTION_FACE, LF_FACESIZE);
    return MakeFont(font);
}

SIZE CaptionExtent(HDC dc, const char* text)
{
    RECT box{0, 0, 0, 0};
    DrawText932(dc, text, &box, DT_NOPREFIX | DT_CALCRECT);
    return {box.right - box.left, box.bottom - box.top};
}

// The two caption lines from the top-left corner of the window's outer rectangle, drawn after the
// rectangles so that nothing of the window covers them, and clipped to the part of that rectangle
// on the printable area, so that they never reach into a neighbouring window or off the page. The
// size is chosen so that every line fits whole: see CaptionCharHeight.
void DrawCaption(HDC dc, const char* caption, COLORREF color, const PageRect& outer, int innerTop)
{
    // A device without a clip box of its own (a metafile) has no printable edge to keep to.
    RECT clip{};
    const bool printable = GetClipBox(dc, &clip) != ERROR && !IsRectEmpty(&clip);
    const PageRect box = printable ? VisiblePart(outer, ToPageRect(clip)) : outer;
    if (box.right <= box.left || box.bottom <= box.top) return;
    const int width = box.right - box.left;
    const int band = (innerTop > box.top && innerTop < box.bottom ? innerTop : box.bottom) - box.top;

    const int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    const int minimum = MulDiv(CAPTION_MIN_POINTS, pixelsPerInch, POINTS_PER_INCH);
    const int maximum = MulDiv(CAPTION_MAX_POINTS, pixelsPerInch, POINTS_PER_INCH);
    GdiObject font = CaptionFont(maximum);
    SelectedObject selected(dc, font.get());
    SIZE extent = CaptionExtent(dc, caption);
    int height = CaptionCharHeight(maximum, extent.cx, extent.cy, width, band, minimum, maximum);
    // Extents are not quite proportional to the height (glyphs snap to whole units): measure again.
    for (int round = 0; height > 0 && round < CAPTION_FIT_ROUNDS; ++round) {
        GdiObject fitted = CaptionFont(height);
        SelectObject(dc, fitted.get());
        font = std::move(fitted);
        extent = CaptionExtent(dc, caption);
        if (extent.cx <= width) break;
        height = CaptionCharHeight(height, extent.cx, extent.cy, width, band, minimum, height - 1);
    }
    if (height <= 0) return;
    DrawPageText(dc, caption, box, color, DT_NOPREFIX);
}

BOOL CALLBACK CollectPreview(HWND window, LPARAM list)
{
    auto& windows = *reinterpret_cast<std::vector<HWND>*>(list);
    // Only the client's own children: the previews' edit controls are descendants too.
    if (GetParent(window) != PrintContext.mdiClient || !PreviewStateOf(window) || IsIconic(window))
        return TRUE;
    try {
        windows.push_back(window);
    } catch (const std::bad_alloc&) {
        FatalError("PrintCtrl", LIST_MEMORY_FATAL_LINE);
    }
    return TRUE;
}

// The windows to print, bottom of the Z order first, so that each covers the ones below it.
std::vector<HWND> WindowsToPrint(HWND mdiClient)
{
    std::vector<HWND> windows;
    const HWND active = reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, 0));
    if (active && IsZoomed(active) && PreviewStateOf(active)) {
        windows.push_back(active);
        return windows;
    }
    // The enumeration meets the windows from the top of the Z order downwards.
    EnumChildWindows(mdiClient, CollectPreview, reinterpret_cast<LPARAM>(&windows));
    std::reverse(windows.begin(), windows.end());
    return windows;
}

} // namespace

void PrintPreviewWindow(HWND window, const PreviewState& record)
{
    const HDC dc = PrintContext.dc;
    POINT origin{0, 0};
    ClientToScreen(PrintContext.mdiClient, &origin);

    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    const PageRect outer = OuterPageRect(ToPageRect(windowRect), origin.x, origin.y,
                                         PrintContext.captionHeight, PrintContext.scale);
    GdiObject outerBrush = MakeSolidBrush(record.outerColor);
    FillPageRect(dc, outer, outerBrush.brush());

    const HWND form = GetParent(PrintContext.mdiClient);
    const CaptionText caption = FormatCaption(record, IsOptionChecked(form, IDM_CAPTION),
                                              ScreenFontPoints(form, record.logFont.lfHeight));

    // A preview whose edit control could not be made shows only its band.
    RECT editRect{};
    int innerTop = outer.bottom;
    if (record.edit && GetWindowRect(record.edit, &editRect)) {
        const PageRect inner = InnerPageRect(ToPageRect(editRect), origin.x, origin.y, PrintContext.scale);
        GdiObject fallbackBrush;
        HBRUSH innerBrush = record.innerBrush.brush();
        if (!innerBrush) {
            fallbackBrush = MakeSolidBrush(record.innerColor);
            innerBrush = fallbackBrush.brush();
        }
        FillPageRect(dc, inner, innerBrush);
        DrawSampleText(dc, record, inner);
        innerTop = inner.top;
    }
    DrawCaption(dc, caption.text, ContrastTextColor(record.outerColor), outer, innerTop);
}

void DrawPreviewPage(HDC dc, HWND mdiClient)
{
    RECT printable{};
    GetClipBox(dc, &printable);
    RECT client{};
    GetClientRect(mdiClient, &client);
    PrintContext.dc = dc;
    PrintContext.mdiClient = mdiClient;
    PrintContext.savedFont = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    PrintContext.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    PrintContext.scale = PrintScale(printable.right, client.right);

    // Rectangles are filled without an outline, and text is drawn without a background.
    SelectedObject nullPen(dc, GetStockObject(NULL_PEN));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    for (HWND window : WindowsToPrint(mdiClient)) {
        if (const PreviewState* record = PreviewStateOf(window)) PrintPreviewWindow(window, *record);
    }
    SetBkMode(dc, previousMode);
}

bool PrintPreviews(HWND form)
{
    // Zeroed for every job, so each starts from the default printer's defaults.
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = form;
    dialog.Flags = PRINT_DIALOG_FLAGS;
    const BOOL chosen = PrintDlgA(&dialog);
    PrintDialogMemory dialogMemory(dialog);
    OwnedDC printer(dialog.hDC);
    if (!chosen || !printer.get()) return false;

    char documentName[MAX_PATH] = {};
    ProgramBaseName(ProgramPath(), documentName, sizeof documentName);
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName;
    if (StartDocA(printer.get(), &document) <= 0) return false;
    if (StartPage(printer.get()) <= 0) {
        AbortDoc(printer.get());
        return false;
    }

    DrawPreviewPage(printer.get(), MdiContext.MdiClient);
    PrintContext.dc = nullptr; // the printer DC ends with this call

    if (EndPage(printer.get()) <= 0) {
        AbortDoc(printer.get());
        return false;
    }
    const bool printed = EndDoc(printer.get()) > 0;
    InvalidateRect(form, nullptr, FALSE);
    return printed;
}
