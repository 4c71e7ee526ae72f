// What screen capture costs: one tick with a still pointer and with a moving one, and the share of
// one processor core that capture takes while it runs. Not a test: it prints figures.
//
//   CaptureBench.exe [seconds]   (default 10 seconds for each CPU-share run)
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "panel/Capture.h"
#include "panel/Channels.h"
#include "preview/MdiClient.h"
#include "shell/Fatal.h"
#include "shell/Huebench.h"
#include "shell/Menus.h"
#include "shell/resource.h"
#include "tests/common/SwatchWindow.h"

namespace {

constexpr int SWATCH_SIZE = 120;

struct Bench {
    HWND form;
    HACCEL accelerators;
    POINT redSpot;
    POINT blueSpot;
    LARGE_INTEGER frequency;
};

POINT ShowSwatch(COLORREF color, int x, int y)
{
    CreateSwatchWindow(color, x, y, SWATCH_SIZE);
    return POINT{x + SWATCH_SIZE / 2, y + SWATCH_SIZE / 2};
}

void Pump(const Bench& bench)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (FilterMainFormMessage(bench.form, MdiContext.MdiClient, bench.accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpFor(const Bench& bench, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        Pump(bench);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

double Now(const Bench& bench)
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(bench.frequency.QuadPart);
}

double ProcessCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        ULARGE_INTEGER value;
        value.LowPart = time.dwLowDateTime;
        value.HighPart = time.dwHighDateTime;
        return static_cast<double>(value.QuadPart) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

void Tick(const Bench& bench)
{
    CaptureTimerProc(bench.form, WM_TIMER, CAPTURE_TIMER_ID, 0);
}

std::string Channels()
{
    return std::to_string(RedChannel.value) + "," + std::to_string(GreenChannel.value) + "," +
           std::to_string(BlueChannel.value);
}

void MeasurePixelRead(const Bench& bench, int rounds)
{
    SetCursorPos(bench.redSpot.x, bench.redSpot.y);
    COLORREF color = 0;
    const double start = Now(bench);
    for (int i = 0; i < rounds; ++i)
        ReadPixelUnderPointer(&color);
    const double perRead = (Now(bench) - start) / rounds;
    printf("pixel read alone (DPI scope, pointer, display DC, GetPixel): %8.1f us\n", perRead * 1e6);
}

void MeasureUnchangedLoad(const Bench& bench, int rounds)
{
    const COLORREF current = ChannelColor();
    const double start = Now(bench);
    for (int i = 0; i < rounds; ++i)
        WriteChannelEdits(current);
    const double perLoad = (Now(bench) - start) / rounds;
    Pump(bench);
    printf("loading an unchanged colour (three field writes, no change): %8.1f us\n", perLoad * 1e6);
}

void MeasureStillTicks(const Bench& bench, int rounds)
{
    SetCursorPos(bench.redSpot.x, bench.redSpot.y);
    Tick(bench); // the first tick loads red; the others find nothing changed
    PumpFor(bench, 100);
    const double start = Now(bench);
    for (int i = 0; i < rounds; ++i)
        Tick(bench);
    const double perTick = (Now(bench) - start) / rounds;
    Pump(bench);
    printf("tick, still pointer (no propagation):                        %8.1f us  [channels %s]\n",
           perTick * 1e6, Channels().c_str());
}

void MeasureMovingTicks(const Bench& bench, int rounds)
{
    double ticking = 0;
    double painting = 0;
    for (int i = 0; i < rounds; ++i) {
        const POINT& spot = i % 2 ? bench.blueSpot : bench.redSpot;
        SetCursorPos(spot.x, spot.y);
        const double start = Now(bench);
        Tick(bench); // red <-> blue: two channels change, two propagations
        const double ticked = Now(bench);
        Pump(bench); // the repaints the propagation asked for
        ticking += ticked - start;
        painting += Now(bench) - ticked;
    }
    printf(
        "tick, moving pointer red<->blue (2 propagations):            %8.1f us, then %.1f us of repainting\n",
        ticking / rounds * 1e6, painting / rounds * 1e6);
}

// The magnifier's read and tick against the bare pixel read they replace (goal: at most twice).
constexpr double LOUPE_GOAL = 2.0;

void SetLoupe(const Bench& bench, bool on)
{
    if (IsOptionChecked(bench.form, IDM_LOUPE) != on)
        SendMessageA(bench.form, WM_COMMAND, MAKEWPARAM(IDM_LOUPE, 0), 0);
    Tick(bench); // makes or takes away the magnifier
    PumpFor(bench, 200);
}

void MeasureLoupeTicks(const Bench& bench, int rounds)
{
    SetCursorPos(bench.redSpot.x, bench.redSpot.y);
    SetLoupe(bench, true);
    double pixelRead = 0, blockRead = 0, withLoupe = 0, withoutLoupe = 0;
    COLORREF color;
    // Alternating, so that a busy machine weighs on both reads alike.
    for (int i = 0; i < rounds; ++i) {
        double start = Now(bench);
        ReadPixelUnderPointer(&color);
        pixelRead += Now(bench) - start;
        start = Now(bench);
        ReadBlockUnderPointer(true, &color);
        blockRead += Now(bench) - start;
        start = Now(bench);
        Tick(bench);
        withLoupe += Now(bench) - start;
    }
    SetLoupe(bench, false);
    const double start = Now(bench);
    for (int i = 0; i < rounds; ++i)
        Tick(bench);
    withoutLoupe = Now(bench) - start;
    printf("magnifier read (DPI scope, pointer, display DC, 11x11 block): %8.1f us\n",
           blockRead / rounds * 1e6);
    printf("tick, still pointer, with the magnifier / without:          %8.1f us, %.1f us without\n",
           withLoupe / rounds * 1e6, withoutLoupe / rounds * 1e6);
    printf("ratio still tick with the magnifier / bare pixel read: %.2f x (goal <= %.1f x); without it %.2f "
           "x, the magnifier's read alone %.2f x\n",
           withLoupe / pixelRead, LOUPE_GOAL, withoutLoupe / pixelRead, blockRead / pixelRead);
}

void MeasureCpuShare(const Bench& bench, DWORD seconds, bool moving)
{
    SetCursorPos(bench.redSpot.x, bench.redSpot.y);
    SendMessageA(bench.form, WM_COMMAND, MAKEWPARAM(IDM_CAPTURE, 0), 0);
    if (!IsOptionChecked(bench.form, IDM_CAPTURE)) {
        printf("capture did not start (no preview window?)\n");
        return;
    }
    PumpFor(bench, 200);
    const double cpuStart = ProcessCpuSeconds();
    const double wallStart = Now(bench);
    const DWORD start = GetTickCount();
    DWORD lastMove = start;
    bool onBlue = false;
    while (GetTickCount() - start < seconds * 1000) {
        if (moving && GetTickCount() - lastMove >= 50) { // a new colour for every tick
            onBlue = !onBlue;
            const POINT& spot = onBlue ? bench.blueSpot : bench.redSpot;
            SetCursorPos(spot.x, spot.y);
            lastMove = GetTickCount();
        }
        Pump(bench);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    const double cpu = ProcessCpuSeconds() - cpuStart;
    const double wall = Now(bench) - wallStart;
    SendMessageA(bench.form, WM_COMMAND, MAKEWPARAM(IDM_CAPTURE, 0), 0);
    printf("capture running %.1f s, %s pointer: %.3f s of CPU = %.2f %% of one core\n", wall,
           moving ? "moving" : "still", cpu, 100.0 * cpu / wall);
}

void MeasureIdleShare(const Bench& bench, DWORD seconds)
{
    const double cpuStart = ProcessCpuSeconds();
    const double wallStart = Now(bench);
    PumpFor(bench, seconds * 1000);
    const double cpu = ProcessCpuSeconds() - cpuStart;
    const double wall = Now(bench) - wallStart;
    printf("capture off, idle %.1f s: %.3f s of CPU = %.2f %% of one core\n", wall, cpu, 100.0 * cpu / wall);
}

std::string MakeBenchFolder()
{
    char base[MAX_PATH] = "";
    GetTempPathA(sizeof(base), base);
    std::string folder = std::string(base) + "huebench-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

} // namespace

int main(int argc, char** argv)
{
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 10;
    HINSTANCE instance = GetModuleHandleA(nullptr);

    // The settings file lives beside the program path: keep it in a folder of its own.
    const std::string folder = MakeBenchFolder();
    const std::string program = folder + "\\Huebench.exe";
    const std::string settings = folder + "\\Huebench.ini";
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof(self));
    CopyFileA(self, program.c_str(), FALSE);
    OverrideProgramPath(program.c_str());

    if (!RegisterWindowClasses(instance)) return 1;
    Bench bench = {};
    QueryPerformanceFrequency(&bench.frequency);
    bench.form = CreateMainForm(instance);
    if (!bench.form) return 1;
    bench.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    InitMainForm(bench.form);
    ShowWindow(bench.form, SW_SHOWNORMAL);
    bench.redSpot = ShowSwatch(RGB(255, 0, 0), 1000, 760);
    bench.blueSpot = ShowSwatch(RGB(0, 0, 255), 1000, 890);
    PumpFor(bench, 300);

    SetLoupe(bench, false); // the plain tick first; the magnifier has lines of its own
    MeasurePixelRead(bench, 1000);
    MeasureStillTicks(bench, 1000);
    MeasureLoupeTicks(bench, 1000);
    MeasureUnchangedLoad(bench, 1000);
    MeasureMovingTicks(bench, 300);
    MeasureIdleShare(bench, seconds);
    MeasureCpuShare(bench, seconds, false);
    MeasureCpuShare(bench, seconds, true);

    DestroyWindow(bench.form);
    PumpFor(bench, 100);
    DeleteFileA(settings.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
