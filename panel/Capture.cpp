// Screen colour capture: while the option is on, the pixel under the pointer becomes the current
// colour twenty times a second, and Ctrl+Q ends it from any program.
#include "panel/Capture.h"

#include <commctrl.h>
#include "panel/Channels.h"
#include "panel/Loupe.h"
#include "panel/RecentColors.h"
#include "preview/MdiClient.h"
#include "shell/Fatal.h"
#include "shell/GdiHandles.h"
#include "shell/Menus.h"
#include "shell/resource.h"

CaptureState Capture;

namespace {

constexpr UINT CAPTURE_HOTKEY_MODIFIERS = MOD_CONTROL;
constexpr UINT CAPTURE_HOTKEY_KEY = 'Q';

typedef DPI_AWARENESS_CONTEXT(WINAPI* SetThreadDpiAwarenessContextFunction)(DPI_AWARENESS_CONTEXT);
typedef BOOL(WINAPI* GetPhysicalCursorPosFunction)(POINT*);

// Looked up by name so that the program still starts on systems that lack these functions.
template <typename Function> Function User32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    FARPROC address = user32 ? GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// Makes the thread per-monitor DPI aware for its lifetime, so that pointer positions and screen
// pixels are both physical ones; the thread's previous awareness comes back on scope exit. Where
// the system has no per-thread awareness, nothing changes.
class PhysicalPixelScope {
  public:
    PhysicalPixelScope()
        : setContext_(User32Function<SetThreadDpiAwarenessContextFunction>("SetThreadDpiAwarenessContext"))
    {
        if (!setContext_) return;
        previous_ = setContext_(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
        // Windows 10 before 1703 knows per-monitor awareness only in its first form.
        if (!previous_) previous_ = setContext_(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    }
    ~PhysicalPixelScope()
    {
        if (previous_) setContext_(previous_);
    }
    PhysicalPixelScope(const PhysicalPixelScope&) = delete;
    PhysicalPixelScope& operator=(const PhysicalPixelScope&) = delete;

  private:
    SetThreadDpiAwarenessContextFunction setContext_;
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

bool ReadPointerPosition(POINT* position)
{
    auto physical = User32Function<GetPhysicalCursorPosFunction>("GetPhysicalCursorPos");
    if (physical && physical(position)) return true;
    return GetCursorPos(position) != FALSE;
}

void StartCapture(HWND form, HWND status)
{
    SendMessageA(status, SB_SIMPLE, TRUE, 0);
    ResourceText text = LoadResourceText(IDS_CAPTURE_RUNNING);
    SendMessageA(status, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.text));
    // Another program may hold Ctrl+Q; capture then runs without the hot key and is ended
    // through the menu or the accelerator.
    RegisterHotKey(form, ID_CAPTURE_HOTKEY, CAPTURE_HOTKEY_MODIFIERS, CAPTURE_HOTKEY_KEY);
    Capture.timer = SetTimer(form, CAPTURE_TIMER_ID, CAPTURE_PERIOD_MS, CaptureTimerProc);
}

// Harmless when capture is not running: there is no timer to kill and no hot key to release.
void EndTimerAndHotKey(HWND form)
{
    if (Capture.timer) KillTimer(form, Capture.timer);
    Capture.timer = 0;
    UnregisterHotKey(form, ID_CAPTURE_HOTKEY);
}

void StopCapture(HWND form, HWND status)
{
    // The colour the capture ended on is one the user went looking for.
    if (Capture.timer) RememberRecentColor(form, ChannelColor());
    EndTimerAndHotKey(form);
    SendMessageA(status, SB_SIMPLE, FALSE, 0);
    CloseLoupe();
}

} // namespace

bool UpdateCaptureMode(HWND form)
{
    HWND status = GetDlgItem(form, IDC_STATUS);
    if (IsOptionChecked(form, IDM_CAPTURE)) {
        StartCapture(form, status);
        return true;
    }
    StopCapture(form, status);
    return false;
}

bool ReadPixelUnderPointer(COLORREF* color)
{
    PhysicalPixelScope physicalPixels;
    POINT position;
    if (!ReadPointerPosition(&position)) return false;
    OwnedDC screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (!screen.get()) return false;
    COLORREF pixel = GetPixel(screen.get(), position.x, position.y);
    if (pixel == CLR_INVALID) return false;
    *color = pixel;
    return true;
}

// One screen read serves the magnifier and the colour: the block around the pointer, whose middle
// pixel is the one under the pointer.
bool ReadBlockUnderPointer(bool upperCase, COLORREF* color)
{
    PhysicalPixelScope physicalPixels;
    POINT position;
    if (!ReadPointerPosition(&position)) return false;
    OwnedDC screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (!screen.get()) return false;
    return LoupeTakeBlock(screen.get(), position, upperCase, color);
}

void CALLBACK CaptureTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    // A pixel that cannot be read leaves the current colour as it is rather than turning it white.
    // The colour is loaded after the thread's DPI awareness is back, since loading it repaints
    // windows.
    COLORREF color;
    const HWND form = MainFormWindow();
    if (IsOptionChecked(form, IDM_LOUPE)) {
        if (ReadBlockUnderPointer(IsOptionChecked(form, IDM_CAPTION), &color)) WriteChannelEdits(color);
        return;
    }
    CloseLoupe(); // the option may have been turned off while capture runs
    if (ReadPixelUnderPointer(&color)) WriteChannelEdits(color);
}

void HaltCapture()
{
    EndTimerAndHotKey(MainFormWindow());
}

void OnHotKey(HWND form, WPARAM id)
{
    // The hot key exists only while capture runs, so the command turns it off.
    if (id == ID_CAPTURE_HOTKEY) SendMessageA(form, WM_COMMAND, MAKEWPARAM(IDM_CAPTURE, 0), 0);
}
