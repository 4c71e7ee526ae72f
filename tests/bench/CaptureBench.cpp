// What screen capture costs: one tick with a still pointer against the pixel read it cannot avoid,
// a tick with a moving pointer, and the share of one processor core that capture takes while it
// runs against a loop doing only the pixel reads. Not a test: it prints figures and ratios.
//
//   CaptureBench.exe [seconds]   (default 10 seconds for each CPU-share run)
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

// A goal is a ratio to a floor measured in the same run; the line says whether it holds.
void PrintRatio(const char* label, double ratio, double goal)
{
    printf("%s: %.2f x, goal <= %.1f: %s\n", label, ratio, goal, ratio <= goal ? "met" : "NOT MET");
}

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The pixel read that no tick can avoid, and a tick over a still pointer, timed in alternating
// batches so that both meet the same load; each figure is the median of the batches' means.
void MeasureStillTicks(const Bench& bench, int batches, int perBatch)
{
    SetCursorPos(bench.redSpot.x, bench.redSpot.y);
    Tick(bench); // the first tick loads red; the others find nothing changed
    PumpFor(bench, 100);
    std::vector<double> reads, ticks;
    COLORREF color = 0;
    for (int batch = 0; batch < batches; ++batch) {
        double start = Now(bench);
        for (int i = 0; i < perBatch; ++i)
            ReadPixelUnderPointer(&color);
        reads.push_back((Now(bench) - start) / perBatch);
        start = Now(bench);
        for (int i = 0; i < perBatch; ++i)
            Tick(bench);
        ticks.push_back((Now(bench) - start) / perBatch);
        Pump(bench);
    }
    const double read = Median(reads);
    const double tick = Median(ticks);
    printf("pixel read alone (DPI scope, pointer, display DC, GetPixel): %8.1f us\n", read * 1e6);
    printf("tick, still pointer (no propagation):                        %8.1f us  [channels %s]\n",
           tick * 1e6, Channels().c_str());
    PrintRatio("ratio still tick / pixel read", tick / read, 1.5);
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

// Runs the work once and adds the time it took to the sum.
template <typename Work> void AddTime(const Bench& bench, double& sum, Work work)
{
    const double start = Now(bench);
    work();
    sum += Now(bench) - start;
}

void MeasureLoupeTicks(const Bench& bench, int rounds)
{
    SetCursorPos(bench.redSpot.x, bench.redSpot.y);
    SetLoupe(bench, true);
    double pixelRead = 0, blockRead = 0, withLoupe = 0, withoutLoupe = 0;
    COLORREF color;
    // Alternating, so that a busy machine weighs on both reads alike.
    for (int i = 0; i < rounds; ++i) {
        AddTime(bench, pixelRead, [&] { ReadPixelUnderPointer(&color); });
        AddTime(bench, blockRead, [&] { ReadSampleUnderPointer(bench.form, &color); });
        AddTime(bench, withLoupe, [&] { Tick(bench); });
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
    printf("without the magnifier %.2f x, the magnifier's read alone %.2f x the bare pixel read\n",
           withoutLoupe / pixelRead, blockRead / pixelRead);
    PrintRatio("ratio still tick with the magnifier / bare pixel read", withLoupe / pixelRead, LOUPE_GOAL);
}

// The tick at the magnifier's largest zoom with the widest sample (one block read, a 5 x 5 mean)
// against the bare pixel read, alternately (goal: at most twice).
void MeasureZoomedSampleTicks(const Bench& bench, int rounds)
{
    SetCursorPos(bench.redSpot.x, bench.redSpot.y);
    for (UINT id : {IDM_LOUPEZOOM_20, IDM_SAMPLE_5})
        SendMessageA(bench.form, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    SetLoupe(bench, true);
    double pixelRead = 0, tick = 0;
    COLORREF color;
    for (int i = 0; i < rounds; ++i) {
        AddTime(bench, pixelRead, [&] { ReadPixelUnderPointer(&color); });
        AddTime(bench, tick, [&] { Tick(bench); });
    }
    printf("tick, still pointer, magnifier at 20x, 5x5 sample:          %8.1f us  [channels %s]\n",
           tick / rounds * 1e6, Channels().c_str());
    PrintRatio("ratio still tick at 20x with the 5x5 sample / bare pixel read", tick / pixelRead, LOUPE_GOAL);
    for (UINT id : {IDM_LOUPEZOOM_10, IDM_SAMPLE_1})
        SendMessageA(bench.form, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// Runs the queue for the given time, sleeping until the next message rather than polling, so that
// the figure is the work the messages cause. `everyTick`, when given, runs every 50 ms.
double CpuShareWhilePumping(const Bench& bench, DWORD seconds, void (*everyTick)(const Bench&))
{
    const double cpuStart = ProcessCpuSeconds();
    const double wallStart = Now(bench);
    const DWORD start = GetTickCount();
    DWORD lastTick = start;
    for (;;) {
        const DWORD now = GetTickCount();
        if (now - start >= seconds * 1000) break;
        if (everyTick && now - lastTick >= CAPTURE_PERIOD_MS) {
            everyTick(bench);
            lastTick = now;
        }
        Pump(bench);
        DWORD wait = seconds * 1000 - (now - start);
        if (everyTick) wait = std::min<DWORD>(wait, CAPTURE_PERIOD_MS);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
    return (ProcessCpuSeconds() - cpuStart) / (Now(bench) - wallStart);
}

void ReadPixelOnly(const Bench&)
{
    COLORREF color = 0;
    ReadPixelUnderPointer(&color);
}

bool onBlue = false;
void MovePointer(const Bench& bench)
{
    onBlue = !onBlue;
    const POINT& spot = onBlue ? bench.blueSpot : bench.redSpot;
    SetCursorPos(spot.x, spot.y);
}

double CaptureCpuShare(const Bench& bench, DWORD seconds, bool moving)
{
    SetCursorPos(bench.redSpot.x, bench.redSpot.y);
    SendMessageA(bench.form, WM_COMMAND, MAKEWPARAM(IDM_CAPTURE, 0), 0);
    if (!IsOptionChecked(bench.form, IDM_CAPTURE)) {
        printf("capture did not start (no preview window?)\n");
        return 0;
    }
    PumpFor(bench, 200);
    const double share = CpuShareWhilePumping(bench, seconds, moving ? MovePointer : nullptr);
    SendMessageA(bench.form, WM_COMMAND, MAKEWPARAM(IDM_CAPTURE, 0), 0);
    return share;
}

// Capture with a still pointer against a loop that only reads the pixel at the capture's rate,
// twice each, alternately; then capture off and capture with a moving pointer.
void MeasureCpuShares(const Bench& bench, DWORD seconds)
{
    SetCursorPos(bench.redSpot.x, bench.redSpot.y);
    double reading = 0;
    double capturing = 0;
    for (int round = 0; round < 2; ++round) {
        reading += CpuShareWhilePumping(bench, seconds, ReadPixelOnly) / 2;
        capturing += CaptureCpuShare(bench, seconds, false) / 2;
    }
    const double idle = CpuShareWhilePumping(bench, seconds, nullptr);
    const double moving = CaptureCpuShare(bench, seconds, true);
    printf("capture off, idle %u s: %.2f %% of one core\n", static_cast<unsigned>(seconds), 100 * idle);
    printf("pixel reads alone at 20 Hz, 2 x %u s: %.2f %% of one core\n", static_cast<unsigned>(seconds),
           100 * reading);
    printf("capture running, still pointer, 2 x %u s: %.2f %% of one core\n", static_cast<unsigned>(seconds),
           100 * capturing);
    printf("capture running, moving pointer, %u s: %.2f %% of one core\n", static_cast<unsigned>(seconds),
           100 * moving);
    PrintRatio("ratio capture CPU, still pointer / pixel reads alone", reading > 0 ? capturing / reading : 0,
               1.5);
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
    MeasureStillTicks(bench, 20, 50);
    MeasureLoupeTicks(bench, 1000);
    MeasureZoomedSampleTicks(bench, 1000);
    MeasureUnchangedLoad(bench, 1000);
    MeasureMovingTicks(bench, 300);
    MeasureCpuShares(bench, seconds);

    DestroyWindow(bench.form);
    PumpFor(bench, 100);
    DeleteFileA(settings.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
