// Screen colour capture on the real main form: the colour under the pointer, Ctrl+Q as accelerator
// and as global hot key, and the end of capture when the last preview window closes.
#include "MainFormFixture.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "colour/ColorModel.h"
#include "panel/Capture.h"
#include "panel/Channels.h"
#include "panel/Loupe.h"
#include "preview/MdiClient.h"
#include "shell/Menus.h"
#include "shell/resource.h"
#include "tests/common/SwatchWindow.h"
#include "tests/win32/PreviewSteps.h"

namespace {

const char CAPTURE_TEXT[] = "色のキャプチャ中...  (終了するには [Ctrl+Q] キーを押してください)";
const char OTHER_PROGRAM_CLASS[] = "HuebenchTestOtherProgram";
// Set for the child process that runs on a display scaled to 200 %.
const char SCALED_CHILD_VARIABLE[] = "HUEBENCH_SCALED_DISPLAY_CHILD";
constexpr DWORD SCALED_DPI = 192;

std::string Hex(COLORREF color)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%06lX", static_cast<unsigned long>(color));
    return text;
}

bool IsPointerAt(POINT target)
{
    POINT now = {};
    GetCursorPos(&now);
    return now.x == target.x && now.y == target.y;
}

// A plain top-level window of one colour, on top of everything else.
class Swatch {
  public:
    Swatch(COLORREF color, int x, int y, COLORREF odd = CLR_INVALID)
        : window_(CreateSwatchWindow(color, x, y, SIZE, odd))
    {
        PumpMessages(30);
    }
    ~Swatch() { DestroyWindow(window_); }
    Swatch(const Swatch&) = delete;
    Swatch& operator=(const Swatch&) = delete;

    void PointAt() const
    {
        RECT area;
        GetWindowRect(window_, &area);
        const POINT middle = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        // The X display behind Wine may move the pointer back to where it last saw it: place the
        // pointer until it stays.
        PumpUntil([&] {
            SetCursorPos(middle.x, middle.y);
            PumpMessages(50);
            if (!IsPointerAt(middle)) return false;
            PumpMessages(100);
            return IsPointerAt(middle);
        });
    }

  private:
    static constexpr int SIZE = 120;
    HWND window_ = nullptr;
};

LRESULT CALLBACK OtherProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == 'Q') {
        auto* sawQ = reinterpret_cast<std::atomic<bool>*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (sawQ) *sawQ = true;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window with its own thread and message queue in front of the main form: to this program's
// thread it is as foreign as another program's window, since its keys never reach our queue.
class OtherProgram {
  public:
    OtherProgram()
    {
        std::atomic<bool> ready{false};
        thread_ = std::thread([this, &ready] {
            WNDCLASSA type = {};
            type.lpfnWndProc = OtherProgramProc;
            type.hInstance = GetModuleHandleA(nullptr);
            type.lpszClassName = OTHER_PROGRAM_CLASS;
            type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            RegisterClassA(&type);
            window_ =
                CreateWindowExA(0, OTHER_PROGRAM_CLASS, "other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                                600, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&sawQ));
            SetForegroundWindow(window_);
            SetFocus(window_);
            ready = true;
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        });
        while (!ready)
            Sleep(5);
        PumpMessages(50);
    }
    ~OtherProgram()
    {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    HWND window() const { return window_; }
    std::atomic<bool> sawQ{false};

  private:
    std::thread thread_;
    HWND window_ = nullptr;
};

// Keys to whichever window has the focus: down, up when negated, again down as the repeat; 0 none.
void SendKeys(const std::vector<int>& keys)
{
    for (int key : keys)
        if (key) keybd_event(static_cast<BYTE>(key < 0 ? -key : key), 0, key < 0 ? KEYEVENTF_KEYUP : 0, 0);
}

void TypeCtrlQ()
{
    SendKeys({VK_CONTROL, 'Q', -'Q', -VK_CONTROL});
}

bool KeysHandled()
{
    return HIWORD(GetQueueStatus(QS_KEY | QS_HOTKEY)) == 0;
}

bool HotKeyIsFree(UINT modifiers = MOD_CONTROL, UINT key = 'Q')
{
    constexpr int PROBE_ID = 0x7ABC;
    if (!RegisterHotKey(nullptr, PROBE_ID, modifiers, key)) return false;
    UnregisterHotKey(nullptr, PROBE_ID);
    return true;
}

// How many pixels of a window's client area have the colour.
int PixelsOf(HWND window, COLORREF color)
{
    RECT r = {};
    HDC dc = (GetClientRect(window, &r), GetDC(window));
    int count = 0;
    for (int i = 0; i < r.right * r.bottom; ++i)
        count += GetPixel(dc, i % r.right, i / r.right) == color;
    return ReleaseDC(window, dc), count;
}

std::string ClipboardText()
{
    std::string text = "(clipboard unavailable)";
    for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt)
        Sleep(10);
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    } else {
        text = "(no text)";
    }
    CloseClipboard();
    return text;
}

// Sets the system DPI that processes started from now on see, and puts the old setting back.
class ScaledDisplaySetting {
  public:
    explicit ScaledDisplaySetting(DWORD dpi)
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
        DWORD size = sizeof(old_);
        hadValue_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                                     &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }
    ~ScaledDisplaySetting()
    {
        if (hadValue_)
            RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                           sizeof(old_));
        else
            RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }
    ScaledDisplaySetting(const ScaledDisplaySetting&) = delete;
    ScaledDisplaySetting& operator=(const ScaledDisplaySetting&) = delete;

  private:
    HKEY key_ = nullptr;
    bool hadValue_ = false;
    DWORD old_ = 0;
};

// Runs this test program again with the given filter and the child marker; answers its exit code.
DWORD RunChildProcess(const char* filter)
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string command = std::string("\"") + self + "\" --gtest_filter=" + filter;
    SetEnvironmentVariableA(SCALED_CHILD_VARIABLE, "1");
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    BOOL started =
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(SCALED_CHILD_VARIABLE, nullptr);
    if (!started) return static_cast<DWORD>(-1);
    DWORD code = static_cast<DWORD>(-2);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// In the child: a DPI-unaware thread on a display scaled to 200 % sees logical pointer
// coordinates, half the physical ones; the pixel read must still be the one under the pointer.
void ReadUnderThePointerOnAScaledDisplay()
{
    ASSERT_EQ(GetDpiForSystem(), SCALED_DPI) << "the scaled display setting did not reach the child";
    DPI_AWARENESS_CONTEXT original = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    Swatch red(RGB(255, 0, 0), 900, 700); // placed and pointed at in physical pixels
    red.PointAt();
    POINT physical = {};
    GetCursorPos(&physical);
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    POINT logical = {};
    GetCursorPos(&logical);
    printf("pointer: physical %ld,%ld; as a DPI-unaware thread sees it %ld,%ld\n", physical.x, physical.y,
           logical.x, logical.y);
    COLORREF pixel = 0;
    const bool read = ReadPixelUnderPointer(&pixel);
    SetThreadDpiAwarenessContext(original);
    ASSERT_TRUE(read);
    EXPECT_EQ(Hex(pixel), Hex(RGB(255, 0, 0))) << "the pixel read is not the one under the pointer";
}

} // namespace

TEST(CaptureOnScaledDisplay, ReadsThePhysicalPixelUnderThePointer)
{
    if (GetEnvironmentVariableA(SCALED_CHILD_VARIABLE, nullptr, 0)) {
        ReadUnderThePointerOnAScaledDisplay();
        return;
    }
    ScaledDisplaySetting scaled(SCALED_DPI);
    EXPECT_EQ(RunChildProcess("CaptureOnScaledDisplay.*"), 0u)
        << "the run on a display scaled to 200 % failed (its output is above)";
}

class ScreenCapture : public MainFormTest {
  protected:
    void TearDown() override
    {
        if (form && IsOptionChecked(form, IDM_CAPTURE)) Command(IDM_CAPTURE);
        MainFormTest::TearDown();
    }

    bool IsCapturing() const { return IsOptionChecked(form, IDM_CAPTURE); }
    bool StatusIsSimple() const { return SendMessageA(Control(IDC_STATUS), SB_ISSIMPLE, 0, 0) != 0; }

    std::string StatusSimpleText() const
    {
        char text[256] = "";
        SendMessageA(Control(IDC_STATUS), SB_GETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
        if (!text[0]) SendMessageA(Control(IDC_STATUS), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }

    static std::string Channels()
    {
        return std::to_string(RedChannel.value) + "," + std::to_string(GreenChannel.value) + "," +
               std::to_string(BlueChannel.value);
    }

    // Pumps until the channels show the colour; a few 50 ms ticks are enough.
    bool ChannelsBecome(const std::string& expected)
    {
        return PumpUntil([&] { return Channels() == expected; }, 1000);
    }

    std::string CodeOf(COLORREF color) const
    {
        return FormatColorCode(color, IsOptionChecked(form, IDM_CAPTION)).text;
    }

    void CloseLastPreview()
    {
        Command(IDM_CLOSEALL);
        PumpMessages(50);
        ASSERT_EQ(GetActivePreview(), nullptr) << "the preview windows should all be closed";
    }

    void ExpectCaptureStopped()
    {
        EXPECT_FALSE(IsCapturing());
        EXPECT_EQ(Capture.timer, 0u);
        EXPECT_FALSE(KillTimer(form, CAPTURE_TIMER_ID)) << "the capture timer is still running";
        EXPECT_TRUE(HotKeyIsFree()) << "Ctrl+Q is still registered as a hot key";
        EXPECT_TRUE(HotKeyIsFree(MOD_CONTROL, 'T') && HotKeyIsFree(0, VK_LEFT) &&
                    HotKeyIsFree(MOD_SHIFT, VK_DOWN))
            << "Ctrl+T or the arrows are still registered";
        EXPECT_FALSE(StatusIsSimple()) << "the status bar should show its parts again";
        EXPECT_EQ(FindWindowA(LOUPE_CLASS_NAME, nullptr), nullptr) << "the magnifier should be gone";
    }

    Swatch red{RGB(255, 0, 0), 1000, 760};
    Swatch blue{RGB(0, 0, 255), 1000, 890};
};

// Following the pointer ----------------------------------------------------------------------------

using CaptureFollowsPointer = ScreenCapture;

TEST_F(CaptureFollowsPointer, StartShowsTheCaptureTextAndHoldsTheHotKey)
{
    ASSERT_FALSE(IsCapturing()) << "capture should be off at start";
    ASSERT_NE(GetActivePreview(), nullptr) << "the first preview window should exist";
    Command(IDM_CAPTURE);
    EXPECT_TRUE(IsCapturing());
    EXPECT_NE(Capture.timer, 0u);
    EXPECT_TRUE(StatusIsSimple());
    EXPECT_EQ(StatusSimpleText(), CAPTURE_TEXT);
    EXPECT_FALSE(HotKeyIsFree()) << "capture should hold Ctrl+Q as a hot key";
}

TEST_F(CaptureFollowsPointer, ChannelsAndHexFieldFollowThePointer)
{
    red.PointAt();
    Command(IDM_CAPTURE);
    EXPECT_TRUE(ChannelsBecome("255,0,0")) << "over red the channels show " << Channels();
    EXPECT_EQ(WindowText(Control(IDC_HEXEDIT)), CodeOf(RGB(255, 0, 0)));
    EXPECT_EQ(WindowText(Control(IDC_REDIT)), "255");

    blue.PointAt();
    EXPECT_TRUE(ChannelsBecome("0,0,255")) << "over blue the channels show " << Channels();
    EXPECT_EQ(WindowText(Control(IDC_HEXEDIT)), CodeOf(RGB(0, 0, 255)));
}

TEST_F(CaptureFollowsPointer, ClipboardFollowsWithAutoCopy)
{
    if (!IsOptionChecked(form, IDM_AUTOCOPY)) Command(IDM_AUTOCOPY);
    ASSERT_TRUE(IsOptionChecked(form, IDM_AUTOCOPY));
    red.PointAt();
    Command(IDM_CAPTURE);
    EXPECT_TRUE(PumpUntil([&] { return ClipboardText() == CodeOf(RGB(255, 0, 0)); }, 1000))
        << "over red the clipboard holds " << ClipboardText();
    blue.PointAt();
    EXPECT_TRUE(PumpUntil([&] { return ClipboardText() == CodeOf(RGB(0, 0, 255)); }, 1000))
        << "over blue the clipboard holds " << ClipboardText();
}

TEST_F(CaptureFollowsPointer, PixelReadLeavesTheThreadsDpiAwarenessAsItWas)
{
    red.PointAt();
    DPI_AWARENESS_CONTEXT previous = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    ASSERT_NE(previous, nullptr) << "this system has no per-thread DPI awareness";
    COLORREF pixel = 0;
    const bool read = ReadPixelUnderPointer(&pixel);
    const bool stillUnaware =
        AreDpiAwarenessContextsEqual(GetThreadDpiAwarenessContext(), DPI_AWARENESS_CONTEXT_UNAWARE);
    SetThreadDpiAwarenessContext(previous);
    ASSERT_TRUE(read);
    EXPECT_EQ(Hex(pixel), Hex(RGB(255, 0, 0)));
    EXPECT_TRUE(stillUnaware) << "the read should give the thread its DPI awareness back";
}

TEST_F(CaptureFollowsPointer, StillPointerCausesNoPropagation)
{
    red.PointAt();
    Command(IDM_CAPTURE);
    ASSERT_TRUE(ChannelsBecome("255,0,0"));
    // A change written elsewhere into the hex field stays: no tick rewrites an unchanged colour.
    SetWindowTextA(Control(IDC_HEXEDIT), "#123456");
    // Nor are the number fields rewritten: a selection made in one stays.
    SendMessageA(Control(IDC_REDIT), EM_SETSEL, 0, 2);
    PumpMessages(200);
    EXPECT_EQ(WindowText(Control(IDC_HEXEDIT)), "#123456");
    DWORD start = 0, end = 0;
    SendMessageA(Control(IDC_REDIT), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 2u) << "a tick rewrote the red field";
}

// Ctrl+Q -------------------------------------------------------------------------------------------

using CaptureKeys = ScreenCapture;

TEST_F(CaptureKeys, CtrlQOnTheFormTurnsCaptureOnThroughTheAcceleratorOnceHoweverLongItIsHeld)
{
    SetForegroundWindow(form);
    SetFocus(form);
    SendKeys({VK_CONTROL, 'Q', 'Q'}); // the repeat reaches the accelerator
    ASSERT_TRUE(PumpUntil([&] { return IsCapturing() && KeysHandled(); }, 2000)) << "none, or two toggles";
    EXPECT_TRUE(StatusIsSimple());
    SendKeys({'Q'}); // and the next the hot key
    EXPECT_TRUE(PumpUntil(KeysHandled) && (PumpMessages(100), IsCapturing()))
        << "a held Ctrl+Q ended capture";
    SendKeys({-'Q', -VK_CONTROL});
    ASSERT_TRUE(PumpUntil([] { return !Capture.startKeyDown; }));
    TypeCtrlQ();
    EXPECT_TRUE(PumpUntil([&] { return !IsCapturing(); }, 2000)) << "a new press should end capture";
}

TEST_F(CaptureKeys, CtrlQInAnotherProgramTurnsCaptureOffThroughTheHotKey)
{
    Command(IDM_CAPTURE);
    ASSERT_TRUE(IsCapturing());
    OtherProgram other;
    ASSERT_EQ(GetForegroundWindow(), other.window()) << "the other window should be in front";
    TypeCtrlQ();
    EXPECT_TRUE(PumpUntil([&] { return !IsCapturing(); }, 2000))
        << "the hot key should end capture (the other window " << (other.sawQ ? "got" : "did not get")
        << " the key itself)";
    EXPECT_FALSE(other.sawQ) << "a registered hot key should not reach the window in front";
    ExpectCaptureStopped();
}

TEST_F(CaptureKeys, CtrlQInAnotherProgramWhileCaptureIsOffDoesNothingHere)
{
    OtherProgram other;
    TypeCtrlQ();
    PumpMessages(200);
    EXPECT_FALSE(IsCapturing());
    EXPECT_TRUE(PumpUntil([&] { return other.sawQ.load(); }, 1000))
        << "the key should reach the window in front";
}

TEST_F(CaptureKeys, ArrowsMoveThePointerAPixelOrTenAndCtrlTTakesTheTextColourAsCaptureGoesOn)
{
    red.PointAt();
    Command(IDM_CAPTURE);
    POINT start = {};
    GetCursorPos(&start);
    // Key, modifier, and how far the pointer has moved from the start.
    const int keys[][4] = {
        {VK_RIGHT, 0, 1, 0}, {VK_DOWN, VK_SHIFT, 1, 10}, {VK_LEFT, 0, 0, 10}, {VK_UP, VK_SHIFT, 0, 0}};
    for (const auto& key : keys) {
        SendKeys({key[1], key[0], -key[0], -key[1]});
        const POINT at = {start.x + key[2], start.y + key[3]};
        EXPECT_TRUE(PumpUntil([&] { return KeysHandled() && IsPointerAt(at); }, 2000)) << "key " << key[0];
    }
    SendKeys({VK_CONTROL, 'T', -'T', -VK_CONTROL});
    const PreviewState& state = preview_steps::StateOf(GetActivePreview());
    EXPECT_TRUE(PumpUntil(KeysHandled));
    EXPECT_EQ(Hex(state.fontColor), Hex(RGB(255, 0, 0))) << "Ctrl+T should take red as the text colour";
    blue.PointAt();
    EXPECT_TRUE(ChannelsBecome("0,0,255")) << "capture should go on";
    EXPECT_GT(PixelsOf(state.edit, RGB(255, 0, 0)), 20) << "the sample text should be red on blue";
    Command(IDM_CAPTURE);
    EXPECT_EQ(preview_steps::StatusText(form, 3), CodeOf(RGB(255, 0, 0))) << "the status bar's text colour";
}

TEST_F(CaptureKeys, HotKeyMessageTurnsCaptureOffAndOtherHotKeysAreIgnored)
{
    Command(IDM_CAPTURE);
    ASSERT_TRUE(IsCapturing());
    SendMessageA(form, WM_HOTKEY, ID_CAPTURE_HOTKEY + 7, MAKELPARAM(MOD_CONTROL, 'W'));
    EXPECT_TRUE(IsCapturing()) << "another hot key id should be ignored";
    SendMessageA(form, WM_HOTKEY, ID_CAPTURE_HOTKEY, MAKELPARAM(MOD_CONTROL, 'Q'));
    ExpectCaptureStopped();
}

// Stopping -----------------------------------------------------------------------------------------

using CaptureStop = ScreenCapture;

TEST_F(CaptureStop, CommandAgainStopsEverything)
{
    red.PointAt();
    Command(IDM_CAPTURE);
    ASSERT_TRUE(ChannelsBecome("255,0,0"));
    Command(IDM_CAPTURE);
    ExpectCaptureStopped();
    blue.PointAt();
    PumpMessages(200);
    EXPECT_EQ(Channels(), "255,0,0") << "the channels should no longer follow the pointer";
}

TEST_F(CaptureStop, ClosingTheLastPreviewStopsCapture)
{
    red.PointAt();
    Command(IDM_CAPTURE);
    ASSERT_TRUE(ChannelsBecome("255,0,0"));
    CloseLastPreview();
    ExpectCaptureStopped();
    blue.PointAt();
    PumpMessages(200);
    EXPECT_EQ(Channels(), "255,0,0") << "the channels should no longer follow the pointer";
}

TEST_F(CaptureStop, WithNoPreviewWindowTheCommandStartsNothing)
{
    CloseLastPreview();
    Command(IDM_CAPTURE);
    ExpectCaptureStopped();
    SetForegroundWindow(form);
    TypeCtrlQ();
    PumpMessages(200);
    ExpectCaptureStopped();
}

// The magnifier ------------------------------------------------------------------------------------

// The pointer on one blue pixel in the red swatch; figures for 96 DPI.
class CaptureLoupe : public ScreenCapture {
  protected:
    void SetUp() override
    {
        ScreenCapture::SetUp();
        bluePixel = CreateSwatchWindow(RGB(0, 0, 255), 1060, 820, 1); // the red swatch's middle
        red.PointAt();
    }
    void TearDown() override
    {
        DestroyWindow(bluePixel);
        ScreenCapture::TearDown();
    }
    static bool LoupeShown() { return IsWindowVisible(FindWindowA(LOUPE_CLASS_NAME, nullptr)); }
    void StartCaptureWithLoupe()
    {
        Command(IDM_CAPTURE);
        ASSERT_TRUE(PumpUntil(LoupeShown, 2000)) << "the magnifier should appear";
        PumpMessages(100); // its first paint
    }
    RECT Area() const
    {
        RECT area = {};
        GetWindowRect(LoupeWindow(), &area);
        return area;
    }
    // The screen pixel at (dx, dy) in cell (column, row) of the grid, centred across the window.
    COLORREF Cell(int column, int row, int dx = 5, int dy = 5) const
    {
        const RECT area = Area();
        return ScreenPixel((area.left + area.right - 110) / 2 + column * 10 + dx,
                           area.top + 4 + row * 10 + dy);
    }
    std::string Caption() const // every other pixel of the line under the grid
    {
        std::string pixels;
        for (int y = Area().top + 114; y < Area().bottom - 4; y += 2)
            for (int x = Area().left + 4; x < Area().right - 4; x += 2)
                pixels += ScreenPixel(x, y) == GetSysColor(COLOR_INFOTEXT) ? '#' : '.';
        return pixels;
    }
    HWND bluePixel = nullptr;
};

TEST_F(CaptureLoupe, ShowsThePixelsMagnifiedBesideThePointerAndClearOfThem)
{
    ASSERT_TRUE(IsOptionChecked(form, IDM_LOUPE)) << "the magnifier should be on by default";
    StartCaptureWithLoupe();
    EXPECT_TRUE(ChannelsBecome("0,0,255")) << "the centre pixel is the colour: " << Channels();
    const LONG_PTR styles = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
    EXPECT_EQ(GetWindowLongPtrA(LoupeWindow(), GWL_EXSTYLE) & styles, styles);
    EXPECT_EQ(Area().right, 1060 - 16)
        << "beside the pointer (on the left near the screen's edge), clear of it";
    EXPECT_EQ(Area().top, 820 + 16);

    EXPECT_EQ(Hex(Cell(5, 5)), Hex(RGB(0, 0, 255))) << "the blue pixel, enlarged";
    EXPECT_EQ(Hex(Cell(5, 5, 0, 5)), Hex(RGB(255, 255, 255))) << "its outline, white against blue";
    EXPECT_EQ(Hex(Cell(4, 5, 9, 5)), Hex(RGB(255, 0, 0))) << "the neighbour, red up to its edge";
    EXPECT_EQ(Hex(Cell(10, 10, 9, 9)), Hex(RGB(255, 0, 0)));
    const std::string upper = Caption();
    EXPECT_GT(std::count(upper.begin(), upper.end(), '#'), 10) << "no caption";
    Command(IDM_CAPTION);
    PumpMessages(200);
    EXPECT_NE(Caption(), upper) << "the code should follow the case option";
}

TEST_F(CaptureLoupe, GoesWhenCaptureEndsByAnyPathAndNeverComesWithTheOptionOff)
{
    const std::function<void()> stops[] = {
        [&] { Command(IDM_CAPTURE); },
        [&] { SendMessageA(form, WM_HOTKEY, ID_CAPTURE_HOTKEY, 0); },
        [&] { SetForegroundWindow(form), TypeCtrlQ(), PumpUntil([&] { return !IsCapturing(); }); },
        [&] { CloseLastPreview(); },
    };
    for (const auto& stop : stops) {
        SCOPED_TRACE(&stop - stops); // the command, the hot key, Ctrl+Q, the last preview closed
        StartCaptureWithLoupe();
        stop();
        ExpectCaptureStopped();
    }
    Command(IDM_NEWWINDOW);
    Command(IDM_LOUPE);
    Command(IDM_CAPTURE);
    EXPECT_TRUE(ChannelsBecome("0,0,255"));
    EXPECT_FALSE(PumpUntil([] { return FindWindowA(LOUPE_CLASS_NAME, nullptr) != nullptr; }, 300));
    Command(IDM_LOUPE); // on while capture runs, then off again
    EXPECT_TRUE(PumpUntil(LoupeShown, 2000));
    Command(IDM_LOUPE);
    EXPECT_TRUE(PumpUntil([] { return !FindWindowA(LOUPE_CLASS_NAME, nullptr); }, 2000));
}

TEST_F(CaptureLoupe, APointerJumpingOntoTheWindowReadsWhatLiesBelowItNotTheWindow)
{
    const auto tick = [] { CaptureTimerProc(nullptr, WM_TIMER, CAPTURE_TIMER_ID, 0); }; // no others between
    tick();
    PumpMessages(200);
    WriteChannelEdits(RGB(1, 2, 3));
    const RECT area = Area();
    const POINT onTheWindow = {area.right - 3, (area.top + area.bottom) / 2}; // its margin, over blue
    ASSERT_TRUE(PumpUntil([&] {
        return SetCursorPos(onTheWindow.x, onTheWindow.y), PumpMessages(50), IsPointerAt(onTheWindow);
    }));
    tick();
    EXPECT_EQ(Channels(), "1,2,3") << "the tick read the magnifier itself";
    EXPECT_NE(Area().left, area.left) << "the magnifier should move off the pointer";
    PumpMessages(200);
    tick();
    EXPECT_EQ(Channels(), "0,0,255") << "the next tick reads the blue swatch it uncovered";
}

// The magnifier's middle row shows a red and blue checkerboard, red in the middle, pixels `zoom` wide.
bool LoupeShowsTheCheckerboard(int zoom, int span)
{
    RECT area = {};
    GetWindowRect(LoupeWindow(), &area);
    const int left = (area.left + area.right - span * zoom) / 2,
              y = area.top + 4 + span / 2 * zoom + zoom / 2;
    for (int column = 0; column < span; ++column)
        for (int x : {left + column * zoom + 1, left + column * zoom + zoom - 2})
            if (ScreenPixel(x, y) != ((column + span / 2) % 2 ? RGB(0, 0, 255) : RGB(255, 0, 0)))
                return false;
    return true;
}

using CaptureChecker = ScreenCapture;

TEST_F(CaptureChecker, SamplesAreRoundedMeansAndEachZoomShowsThePatternAtItsScaleStepByPageUpAndDown)
{
    const Swatch checker(RGB(255, 0, 0), 640, 640, RGB(0, 0, 255)); // the pointer on red in its middle
    checker.PointAt();
    Command(IDM_CAPTURE);
    const std::pair<UINT, const char*> samples[] = {
        {IDM_SAMPLE_3, "142,0,113"}, {IDM_SAMPLE_5, "133,0,122"}, {IDM_SAMPLE_1, "255,0,0"}};
    for (bool loupe : {false, true}) {
        if (IsOptionChecked(form, IDM_LOUPE) != loupe) Command(IDM_LOUPE);
        for (const auto& sample : samples)
            EXPECT_TRUE((Command(sample.first), ChannelsBecome(sample.second)))
                << sample.first << ": " << Channels();
    }
    const int zooms[][3] = {
        {0, 10, 11}, {VK_PRIOR, 20, 5}, {VK_NEXT, 10, 11}, {VK_NEXT, 5, 21}}; // key, zoom, span
    for (const auto& zoom : zooms) {
        SendKeys({zoom[0], -zoom[0]});
        EXPECT_TRUE(
            PumpUntil([&] { return KeysHandled() && LoupeShowsTheCheckerboard(zoom[1], zoom[2]); }, 3000))
            << "zoom " << zoom[1];
    }
}
