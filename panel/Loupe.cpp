// The magnifier: a small click-through window beside the pointer that shows the pixels around it
// enlarged, the pointer's pixel framed, and that pixel's code and channels underneath.
#include "panel/Loupe.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "colour/ColorModel.h"
#include "colour/Loupe.h"
#include "shell/Fatal.h"
#include "shell/GdiHandles.h"
#include "shell/resource.h"

namespace {

const char MODULE_NAME[] = "Huebench";
constexpr int ALLOCATION_FAILED_LINE = 1101;

constexpr DWORD LOUPE_STYLE = WS_POPUP;
// On top, never activated, no taskbar button, and clicks go through to what lies below.
constexpr DWORD LOUPE_EX_STYLE =
    WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;
constexpr BYTE OPAQUE_ALPHA = 255;

struct LoupeState {
    int dpi;
    int textWidth; // of the widest line under the grid
    LoupeMetrics metrics;
    GdiObject font;
    ScreenBlock block;                 // the target of the screen copy
    std::uint32_t shown[LOUPE_PIXELS]; // the block the window shows, rows of LOUPE_SPAN pixels
    LoupeView view;                    // how it shows it
    char hint[128];
    COLORREF sampled;
    bool visible;
    POINT pointer;   // where the window was placed for
    LoupeRect place; // where it is
};

HWND Loupe; // the one magnifier, while capture shows it

LoupeState* StateOf(HWND window)
{
    return reinterpret_cast<LoupeState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void FillWith(HDC dc, const RECT& rect, COLORREF color)
{
    SetDCBrushColor(dc, color);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A frame of the given width drawn inside the rectangle.
void FrameWith(HDC dc, const RECT& rect, int width, COLORREF color)
{
    const RECT sides[] = {
        {rect.left, rect.top, rect.right, rect.top + width},
        {rect.left, rect.bottom - width, rect.right, rect.bottom},
        {rect.left, rect.top + width, rect.left + width, rect.bottom - width},
        {rect.right - width, rect.top + width, rect.right, rect.bottom - width},
    };
    for (const RECT& side : sides)
        FillWith(dc, side, color);
}

// The text under the grid that names a sample side.
ResourceText SampleName(int side)
{
    return LoadResourceText(IDS_SAMPLE_1 + side / 2);
}

// The widest line under the grid in the font. The caption is at widest the widest hexadecimal digit
// six times after "#", a gap, and the widest decimal digit nine times between two commas.
int WidestText(const GdiObject& font, const char* hint)
{
    OwnedDC dc(CreateCompatibleDC(nullptr));
    SelectedObject selected(dc.get(), font.get());
    const auto widthOf = [&](const char* text) { return static_cast<int>(TextExtent932(dc.get(), text).cx); };
    int widest = widthOf(hint);
    for (int side : SAMPLE_SIDES)
        widest = std::max(widest, widthOf(SampleName(side).text));
    int hexDigit = 0;
    int decimalDigit = 0;
    for (const char* digit = "0123456789ABCDEFabcdef"; *digit; ++digit) {
        const char text[2] = {*digit, '\0'};
        const int width = widthOf(text);
        if (width > hexDigit) hexDigit = width;
        if (*digit <= '9' && width > decimalDigit) decimalDigit = width;
    }
    return std::max(widest,
                    widthOf("#") + 6 * hexDigit + widthOf("  ") + 9 * decimalDigit + 2 * widthOf(","));
}

void SetZoom(LoupeState& state, int zoom)
{
    state.view.zoom = zoom;
    state.metrics = WidenLoupeForCaption(MakeLoupeMetrics(state.dpi, zoom), state.textWidth);
    state.visible = false; // placed and sized afresh
}

// Sizes and caption font for a resolution: at creation, and again on a monitor of another scale.
void ScaleLoupe(LoupeState& state, int dpi, int zoom)
{
    state.dpi = dpi;
    LOGFONTA logFont = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    logFont.lfHeight = -MakeLoupeMetrics(dpi).fontHeight;
    logFont.lfWidth = 0;
    state.font = MakeFont(logFont);
    state.textWidth = WidestText(state.font, state.hint);
    SetZoom(state, zoom);
}

void OnDpiChanged(HWND window, LoupeState& state, int dpi)
{
    ScaleLoupe(state, dpi, state.view.zoom); // the next tick places it again in its new size
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT OnCreate(HWND window, const char* hint)
{
    auto* state = new (std::nothrow) LoupeState();
    if (!state) FatalError(MODULE_NAME, ALLOCATION_FAILED_LINE);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));

    OwnedDC screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    lstrcpynA(state->hint, hint ? hint : "", sizeof state->hint);
    ScaleLoupe(*state, screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0, LOUPE_ZOOM_DEFAULT);

    SetLayeredWindowAttributes(window, 0, OPAQUE_ALPHA, LWA_ALPHA);
    return 0;
}

void OnDestroy(HWND window, LoupeState* state)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    delete state; // the DC goes before the bitmap it holds
    if (Loupe == window) Loupe = nullptr;
}

void OnPaint(HWND window, const LoupeState& state)
{
    PaintDC paint(window);
    const HDC dc = paint.get();
    const LoupeMetrics& m = state.metrics;
    RECT client;
    GetClientRect(window, &client);

    // Background first, around the grid only, so that a repaint does not flicker.
    const RECT grid = {m.gridLeft, m.margin, m.gridLeft + m.grid, m.margin + m.grid};
    ExcludeClipRect(dc, grid.left, grid.top, grid.right, grid.bottom);
    FillWith(dc, client, GetSysColor(COLOR_INFOBK));
    SelectClipRgn(dc, nullptr);
    FrameWith(dc, client, m.outline, GetSysColor(COLOR_WINDOWFRAME));

    // One square per pixel, nearest neighbour: no smoothing can blur what is picked.
    for (int row = 0; row < m.span; ++row) {
        for (int column = 0; column < m.span; ++column) {
            const RECT cell = {grid.left + column * m.cell, grid.top + row * m.cell,
                               grid.left + (column + 1) * m.cell, grid.top + (row + 1) * m.cell};
            FillWith(dc, cell, ColorOfDibPixel(state.shown[row * LOUPE_SPAN + column]));
        }
    }
    // The outline goes around the whole sample, in black or white as contrasts more with it.
    const int first = m.span / 2 - state.view.sample / 2;
    const int last = m.span / 2 + state.view.sample / 2 + 1;
    const RECT sample = {grid.left + first * m.cell, grid.top + first * m.cell, grid.left + last * m.cell,
                         grid.top + last * m.cell};
    FrameWith(dc, sample, m.outline, LoupeOutlineColor(state.sampled));

    const LoupeCaption caption = FormatLoupeCaption(state.sampled, state.view.upperCase);
    RECT line = {m.margin, grid.bottom, client.right - m.margin, grid.bottom + m.captionHeight};
    SelectedObject font(dc, state.font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    constexpr UINT format = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    DrawText932(dc, caption.code, &line, DT_LEFT | format);
    DrawText932(dc, caption.channels, &line, DT_RIGHT | format);
    OffsetRect(&line, 0, m.captionHeight);
    DrawText932(dc, SampleName(state.view.sample).text, &line, DT_LEFT | format);
    OffsetRect(&line, 0, m.captionHeight);
    DrawText932(dc, state.hint, &line, DT_LEFT | format);
}

LRESULT CALLBACK LoupeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate(window,
                        static_cast<const char*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    LoupeState* state = StateOf(window); // none before WM_CREATE and after WM_DESTROY
    if (!state) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_PAINT: OnPaint(window, *state); return 0;
    case WM_ERASEBKGND: return 1; // the paint covers everything
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_DESTROY: OnDestroy(window, state); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, *state, LOWORD(wParam)); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateLoupe(const char* hint)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA type = {};
    type.lpfnWndProc = LoupeWndProc;
    type.hInstance = instance;
    type.lpszClassName = LOUPE_CLASS_NAME;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&type); // fails harmlessly when the class is there from an earlier capture
    return CreateWindowExA(LOUPE_EX_STYLE, LOUPE_CLASS_NAME, "", LOUPE_STYLE, 0, 0, 0, 0, nullptr, nullptr,
                           instance, const_cast<char*>(hint));
}

LoupeRect MonitorOf(POINT pointer)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &info);
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

void FollowPointer(HWND window, LoupeState& state, POINT pointer)
{
    // A still pointer moves nothing: asking for the monitor costs more than the whole read.
    if (state.visible && pointer.x == state.pointer.x && pointer.y == state.pointer.y) return;
    state.pointer = pointer;
    state.visible = true;
    const LoupeMetrics& m = state.metrics;
    const LoupeRect place =
        PlaceLoupe(pointer.x, pointer.y, m.width, m.height, m.distance, MonitorOf(pointer));
    state.place = place;
    SetWindowPos(window, HWND_TOPMOST, place.left, place.top, m.width, m.height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

} // namespace

bool ScreenBlock::Read(HDC screen, POINT centre, int span)
{
    if (!bits_) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = LOUPE_SPAN;
        info.bmiHeader.biHeight = -LOUPE_SPAN; // top-down: row 0 is the top row
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = GdiObject(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        memory_ = OwnedDC(CreateCompatibleDC(nullptr));
        if (!bitmap_ || !memory_.get()) return false;
        SelectObject(memory_.get(), bitmap_.get());
        bits_ = static_cast<std::uint32_t*>(bits);
    }
    if (!BitBlt(memory_.get(), 0, 0, span, span, screen, centre.x - span / 2, centre.y - span / 2, SRCCOPY))
        return false;
    GdiFlush(); // the copy is in the bits before they are read
    return true;
}

void ScreenBlock::Release()
{
    memory_ = OwnedDC();
    bitmap_ = GdiObject();
    bits_ = nullptr;
}

COLORREF ScreenBlock::Mean(int span, int side) const
{
    return MeanOfSquare(bits_, LOUPE_SPAN, span / 2, span / 2, side);
}

bool LoupeTakeBlock(HDC screen, POINT pointer, const LoupeView& view, COLORREF* sampled)
{
    if (!Loupe) Loupe = CreateLoupe(view.hint);
    LoupeState* state = Loupe ? StateOf(Loupe) : nullptr;
    if (!state) return false;
    if (view.zoom != state->view.zoom) SetZoom(*state, view.zoom);
    const int span = state->metrics.span;
    const int reach = span / 2;
    // A pointer that jumped onto the window would read the window itself: it moves away first,
    // and the next tick reads what it uncovered.
    const LoupeRect& at = state->place;
    if (state->visible && pointer.x + reach >= at.left && pointer.x - reach < at.right &&
        pointer.y + reach >= at.top && pointer.y - reach < at.bottom) {
        FollowPointer(Loupe, *state, pointer);
        return false;
    }
    if (!state->block.Read(screen, pointer, span)) return false;

    // A still pointer over a still screen repaints nothing.
    if (!state->visible || view.upperCase != state->view.upperCase || view.sample != state->view.sample ||
        std::memcmp(state->block.Pixels(), state->shown, sizeof state->shown) != 0) {
        std::memcpy(state->shown, state->block.Pixels(), sizeof state->shown);
        state->view.upperCase = view.upperCase;
        state->view.sample = view.sample;
        state->sampled = state->block.Mean(span, view.sample);
        InvalidateRect(Loupe, nullptr, FALSE);
    }
    FollowPointer(Loupe, *state, pointer);
    *sampled = state->sampled;
    return true;
}

void CloseLoupe()
{
    if (Loupe) DestroyWindow(Loupe); // WM_DESTROY forgets it
    Loupe = nullptr;
}

HWND LoupeWindow()
{
    return Loupe;
}
