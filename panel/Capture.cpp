// Screen colour capture: while the option is on, the pixel under the pointer becomes the current
// colour twenty times a second, and Ctrl+Q ends it from any program. Beside it, while it runs:
// the arrows move the pointer by a pixel, PageUp and PageDown zoom, and Ctrl+T takes the colour as
// the text colour.
#include "panel/Capture.h"

#include <commctrl.h>
#include "colour/Loupe.h"
#include "panel/Channels.h"
#include "panel/Loupe.h"
#include "panel/RecentColors.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"
#include "shell/Fatal.h"
#include "shell/GdiHandles.h"
#include "shell/Menus.h"
#include "shell/resource.h"

CaptureState Capture;

namespace {

constexpr UINT CAPTURE_HOTKEY_MODIFIERS = MOD_CONTROL;
constexpr UINT CAPTURE_HOTKEY_KEY = 'Q';
constexpr int FAR_STEP = 10; // pixels moved by Shift and an arrow

// The hot keys beside Ctrl+Q, in the order of their ids. The arrows repeat while held; the others
// act once per press.
struct CaptureKey {
    UINT modifiers;
    UINT key;
    int dx, dy; // pointer step of an arrow
};
constexpr CaptureKey CAPTURE_KEYS[] = {
    {MOD_CONTROL | MOD_NOREPEAT, 'T', 0, 0},
    {0, VK_LEFT, -1, 0},
    {0, VK_UP, 0, -1},
    {0, VK_RIGHT, 1, 0},
    {0, VK_DOWN, 0, 1},
    {MOD_SHIFT, VK_LEFT, -FAR_STEP, 0},
    {MOD_SHIFT, VK_UP, 0, -FAR_STEP},
    {MOD_SHIFT, VK_RIGHT, FAR_STEP, 0},
    {MOD_SHIFT, VK_DOWN, 0, FAR_STEP},
    {MOD_NOREPEAT, VK_PRIOR, 0, 0},
    {MOD_NOREPEAT, VK_NEXT, 0, 0},
};
constexpr int CAPTURE_KEY_COUNT = sizeof CAPTURE_KEYS / sizeof CAPTURE_KEYS[0];
constexpr unsigned TEXTCOLOR_KEY = 1u << 0; // bits of CaptureState::heldKeys
constexpr unsigned ARROW_KEYS = 0xFu << 1;  // the four plain arrows

typedef DPI_AWARENESS_CONTEXT(WINAPI* SetThreadDpiAwarenessContextFunction)(DPI_AWARENESS_CONTEXT);
typedef BOOL(WINAPI* GetPhysicalCursorPosFunction)(POINT*);
typedef BOOL(WINAPI* SetPhysicalCursorPosFunction)(int, int);

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

// The block read for the sample when the magnifier is off.
ScreenBlock SampleBlock;

bool KeyIsDown(int key)
{
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

// Whether a Ctrl+Q is the keyboard repeating the press that started capture: the Q is still down,
// and the key came no later after the last one than the keyboard starts repeating. The time keeps a
// key state that missed its release from swallowing a new press.
bool IsRepeatOfStartKey(DWORD time)
{
    int delay = 0; // 0 to 3: 250 ms to 1 s
    SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    constexpr DWORD DELAY_STEP_MS = 250, SLACK_MS = 150;
    const bool repeat = Capture.startKeyDown && KeyIsDown(CAPTURE_HOTKEY_KEY) &&
                        time - Capture.lastKeyTime <= DELAY_STEP_MS * (delay + 1) + SLACK_MS;
    Capture.lastKeyTime = time;
    return repeat;
}

// Windows before 7 refuses MOD_NOREPEAT: the key is then held without it.
bool RegisterKey(HWND form, int id, UINT modifiers, UINT key)
{
    return RegisterHotKey(form, id, modifiers, key) ||
           ((modifiers & MOD_NOREPEAT) && RegisterHotKey(form, id, modifiers & ~MOD_NOREPEAT, key));
}

// The magnifier's line of keys: those that are held, as registered.
void WriteHint(bool endKeyHeld)
{
    Capture.hint[0] = '\0';
    const auto add = [](UINT textId) {
        if (Capture.hint[0]) lstrcatA(Capture.hint, LoadResourceText(IDS_HINT_SEPARATOR).text);
        lstrcatA(Capture.hint, LoadResourceText(textId).text);
    };
    if (Capture.heldKeys & TEXTCOLOR_KEY) add(IDS_HINT_TEXTCOLOR);
    if (endKeyHeld) add(IDS_HINT_END);
    if ((Capture.heldKeys & ARROW_KEYS) == ARROW_KEYS) add(IDS_HINT_ARROWS);
}

void StartCapture(HWND form, HWND status)
{
    SendMessageA(status, SB_SIMPLE, TRUE, 0);
    ResourceText text = LoadResourceText(IDS_CAPTURE_RUNNING);
    SendMessageA(status, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.text));
    // Another program may hold any of the keys; capture then runs without it, and is ended through
    // the menu or the accelerator when Ctrl+Q is taken.
    const bool endKeyHeld =
        RegisterKey(form, ID_CAPTURE_HOTKEY, CAPTURE_HOTKEY_MODIFIERS | MOD_NOREPEAT, CAPTURE_HOTKEY_KEY);
    Capture.heldKeys = 0;
    for (int i = 0; i < CAPTURE_KEY_COUNT; ++i)
        if (RegisterKey(form, ID_TEXTCOLOR_HOTKEY + i, CAPTURE_KEYS[i].modifiers, CAPTURE_KEYS[i].key))
            Capture.heldKeys |= 1u << i;
    WriteHint(endKeyHeld);
    Capture.startKeyDown = KeyIsDown(CAPTURE_HOTKEY_KEY);
    Capture.lastKeyTime = static_cast<DWORD>(GetMessageTime());
    Capture.timer = SetTimer(form, CAPTURE_TIMER_ID, CAPTURE_PERIOD_MS, CaptureTimerProc);
    QuietContrastTips(true);
}

// Harmless when capture is not running: there is no timer to kill and no hot key to release.
void EndTimerAndHotKey(HWND form)
{
    if (Capture.timer) KillTimer(form, Capture.timer);
    Capture.timer = 0;
    UnregisterHotKey(form, ID_CAPTURE_HOTKEY);
    for (int i = 0; i < CAPTURE_KEY_COUNT; ++i)
        if (Capture.heldKeys & (1u << i)) UnregisterHotKey(form, ID_TEXTCOLOR_HOTKEY + i);
    Capture.heldKeys = 0;
}

// Every way capture ends comes here: the command, Ctrl+Q, the last preview closing.
void StopCapture(HWND form, HWND status)
{
    // The colour the capture ended on is one the user went looking for.
    if (Capture.timer) RememberRecentColor(form, ChannelColor());
    EndTimerAndHotKey(form);
    SendMessageA(status, SB_SIMPLE, FALSE, 0);
    CloseLoupe();
    SampleBlock.Release();
    QuietContrastTips(false);
}

// The radio groups of zoom and sample: their items, from `first` on, in the order of the figures.
template <UINT count> int ChosenFigure(HWND form, const int (&figures)[count], UINT first, int byDefault)
{
    const UINT id = OptionChoice(form, first, first + count - 1, 0);
    return id ? figures[id - first] : byDefault;
}

template <UINT count> void ChooseFigure(HWND form, const int (&figures)[count], UINT first, int figure)
{
    for (UINT i = 0; i < count; ++i)
        if (figures[i] == figure) MarkOptionChoice(form, first, first + count - 1, first + i);
}

// One step of the pointer, on whichever monitor it is.
void MovePointer(int dx, int dy)
{
    PhysicalPixelScope physicalPixels;
    POINT position;
    if (!ReadPointerPosition(&position)) return;
    auto physical = User32Function<SetPhysicalCursorPosFunction>("SetPhysicalCursorPos");
    if (!physical || !physical(position.x + dx, position.y + dy))
        SetCursorPos(position.x + dx, position.y + dy);
}

void TakeSample()
{
    CaptureTimerProc(nullptr, WM_TIMER, CAPTURE_TIMER_ID, 0);
}

// Ctrl+T: the colour under the pointer now becomes the active preview's text colour, as the
// command does, and capture goes on.
void ApplySampleAsTextColor(HWND form)
{
    TakeSample();
    SendMessageA(form, WM_COMMAND, MAKEWPARAM(IDM_TEXTFROMCURRENT, 0), 0);
    RememberRecentColor(form, ChannelColor());
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
// square is the sample.
bool ReadSampleUnderPointer(HWND form, COLORREF* color)
{
    const int sample = ChosenSampleSide(form);
    const bool loupe = IsOptionChecked(form, IDM_LOUPE);
    if (!loupe && sample == 1) return ReadPixelUnderPointer(color);
    PhysicalPixelScope physicalPixels;
    POINT position;
    if (!ReadPointerPosition(&position)) return false;
    OwnedDC screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (!screen.get()) return false;
    if (loupe) {
        const LoupeView view = {ChosenLoupeZoom(form), sample, IsOptionChecked(form, IDM_CAPTION),
                                Capture.hint};
        return LoupeTakeBlock(screen.get(), position, view, color);
    }
    if (!SampleBlock.Read(screen.get(), position, sample)) return false;
    *color = SampleBlock.Mean(sample, sample);
    return true;
}

void CALLBACK CaptureTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    // A pixel that cannot be read leaves the current colour as it is rather than turning it white.
    // The colour is loaded after the thread's DPI awareness is back, since loading it repaints
    // windows.
    const HWND form = MainFormWindow();
    if (Capture.startKeyDown && !KeyIsDown(CAPTURE_HOTKEY_KEY)) Capture.startKeyDown = false;
    if (!IsOptionChecked(form, IDM_LOUPE)) CloseLoupe(); // the option may have been turned off
    COLORREF color;
    if (ReadSampleUnderPointer(form, &color)) WriteChannelEdits(color);
}

void HaltCapture()
{
    EndTimerAndHotKey(MainFormWindow());
}

void OnHotKey(HWND form, WPARAM id)
{
    // The hot keys exist only while capture runs, so Ctrl+Q turns it off; but not while the Q that
    // turned it on is still held and repeating.
    if (id == ID_CAPTURE_HOTKEY) {
        if (IsRepeatOfStartKey(static_cast<DWORD>(GetMessageTime()))) return;
        SendMessageA(form, WM_COMMAND, MAKEWPARAM(IDM_CAPTURE, 0), 0);
        return;
    }
    if (id < ID_TEXTCOLOR_HOTKEY || id >= ID_TEXTCOLOR_HOTKEY + CAPTURE_KEY_COUNT || !Capture.timer) return;
    const CaptureKey& key = CAPTURE_KEYS[id - ID_TEXTCOLOR_HOTKEY];
    if (id == ID_TEXTCOLOR_HOTKEY) return ApplySampleAsTextColor(form);
    if (id == ID_ZOOMIN_HOTKEY || id == ID_ZOOMOUT_HOTKEY) {
        ChooseLoupeZoom(form, StepLoupeZoom(ChosenLoupeZoom(form), id == ID_ZOOMIN_HOTKEY ? 1 : -1));
    } else {
        MovePointer(key.dx, key.dy);
    }
    TakeSample();
}

int ChosenLoupeZoom(HWND form)
{
    return ChosenFigure(form, LOUPE_ZOOMS, IDM_LOUPEZOOM_5, LOUPE_ZOOM_DEFAULT);
}

int ChosenSampleSide(HWND form)
{
    return ChosenFigure(form, SAMPLE_SIDES, IDM_SAMPLE_1, SAMPLE_SIDE_DEFAULT);
}

void ChooseLoupeZoom(HWND form, int zoom)
{
    ChooseFigure(form, LOUPE_ZOOMS, IDM_LOUPEZOOM_5, zoom);
}

void ChooseSampleSide(HWND form, int side)
{
    ChooseFigure(form, SAMPLE_SIDES, IDM_SAMPLE_1, side);
}

void OnCaptureChoice(HWND form, UINT id)
{
    if (id >= IDM_LOUPEZOOM_5 && id <= IDM_LOUPEZOOM_20)
        MarkOptionChoice(form, IDM_LOUPEZOOM_5, IDM_LOUPEZOOM_20, id);
    if (id >= IDM_SAMPLE_1 && id <= IDM_SAMPLE_5) MarkOptionChoice(form, IDM_SAMPLE_1, IDM_SAMPLE_5, id);
}

bool IsHeldCaptureKey(const MSG& message)
{
    constexpr LPARAM KEY_WAS_DOWN = 1 << 30;
    return message.message == WM_KEYDOWN && message.wParam == CAPTURE_HOTKEY_KEY &&
           (message.lParam & KEY_WAS_DOWN) && GetKeyState(VK_CONTROL) < 0;
}
