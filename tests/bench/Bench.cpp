// What Huebench costs: its start-up against a bare dialog program and against a skeleton of its own
// windows (Skeleton.exe: the same classes, form template, MDI client and one preview), as a whole
// and by step, its
// processor use when idle, the work behind a colour change, filling and sorting the colour list, a
// screen capture tick (from CaptureBench.exe), and the GDI objects it holds through many colour
// changes and preview windows. Not a test: it prints a table, with each goal beside its ratio.
//
//   Bench.exe [launches]   start-ups of each program to time (default 15)
//   Bench.exe --startup-steps folder   (used by the former) one start-up, timed by step
//
// Huebench.exe is looked for in the folder above this program; BareDialog.exe, Skeleton.exe and
// CaptureBench.exe beside it. Progress goes to standard error, the table to standard output.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "colour/Contrast.h"
#include "panel/Channels.h"
#include "panel/ColorList.h"
#include "panel/Propagation.h"
#include "preview/MdiClient.h"
#include "shell/Fatal.h"
#include "shell/GdiHandles.h"
#include "shell/Huebench.h"
#include "shell/Menus.h"
#include "shell/resource.h"

namespace {

constexpr int DEFAULT_LAUNCHES = 15;
constexpr DWORD LAUNCH_TIMEOUT_MS = 20000;
constexpr DWORD EXIT_TIMEOUT_MS = 10000;
constexpr int PROPAGATION_COUNT = 10000;
constexpr int PROPAGATIONS_PER_PUMP = 100;
constexpr int PREVIEW_ROUNDS = 100;
constexpr int PREVIEWS_PER_ROUND = 10;
constexpr int LIST_REPEATS = 15;
constexpr int SHOWN_FILL_REPEATS = 5; // a fill into the shown list takes a second or more under Wine
constexpr int TIMED_BATCHES = 20;
constexpr int CAPTURE_SECONDS = 5;
constexpr int IDLE_SECONDS = 10;
constexpr int NAME_COLUMN = 0;
constexpr int RED_COLUMN = 2;
constexpr int NUMBERS_PAGE = 0;
constexpr int NAMES_PAGE = 1;

const char MAIN_FORM_CLASS[] = "MAINFORM";
const char DIALOG_CLASS[] = "#32770";
const char PROGRAM_NAME[] = "Huebench.exe";
const char BARE_NAME[] = "BareDialog.exe";
const char SKELETON_NAME[] = "Skeleton.exe";
const char CAPTURE_BENCH_NAME[] = "CaptureBench.exe";
const char SETTINGS_NAME[] = "Huebench.ini";

double startUpMedian = 0; // of Huebench.exe, for the rest beside the steps

// --- Figures and the table ----------------------------------------------------------------------

struct Clock {
    double ticksPerSecond;
};

Clock MakeClock()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return Clock{static_cast<double>(frequency.QuadPart)};
}

double Now(const Clock& clock)
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / clock.ticksPerSecond;
}

struct Samples {
    std::vector<double> seconds;

    double Median() const
    {
        if (seconds.empty()) return 0;
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        const size_t middle = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    double Min() const { return seconds.empty() ? 0 : *std::min_element(seconds.begin(), seconds.end()); }
    double Max() const { return seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end()); }
};

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Duration(double seconds)
{
    if (seconds >= 1) return Format("%.2f s", seconds);
    if (seconds >= 1e-3) return Format("%.2f ms", seconds * 1e3);
    return Format("%.1f us", seconds * 1e6);
}

std::string Spread(const Samples& samples, const char* what)
{
    return "min " + Duration(samples.Min()) + ", max " + Duration(samples.Max()) + "; median of " +
           std::to_string(samples.seconds.size()) + " " + what;
}

struct Row {
    std::string label;  // a heading when value and detail are empty
    std::string value;  // the figure
    std::string detail; // what it is the median of, what it includes
};

struct Table {
    std::vector<Row> rows;
    void Heading(const std::string& title) { rows.push_back(Row{title, "", ""}); }
    void Add(const std::string& label, const std::string& value, const std::string& detail)
    {
        rows.push_back(Row{label, value, detail});
    }
};

void PrintTable(const Table& table)
{
    constexpr int LABEL_WIDTH = 62;
    constexpr int VALUE_WIDTH = 14;
    for (const Row& row : table.rows) {
        if (row.value.empty() && row.detail.empty()) {
            std::printf("\n%s\n", row.label.c_str());
            continue;
        }
        std::printf("  %-*s %*s  %s\n", LABEL_WIDTH, row.label.c_str(), VALUE_WIDTH, row.value.c_str(),
                    row.detail.c_str());
    }
    std::fflush(stdout);
}

// Wine names itself through an export of its ntdll; Windows has no such export.
std::string PlatformName()
{
    using VersionFunction = const char*(CDECL*)();
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const FARPROC found = ntdll ? GetProcAddress(ntdll, "wine_get_version") : nullptr;
    if (!found) return "Windows";
    // Through a generic function pointer: the export's real type is not FARPROC's.
    const auto wineVersion = reinterpret_cast<VersionFunction>(reinterpret_cast<void (*)()>(found));
    return std::string("Wine ") + wineVersion();
}

void Progress(const char* text)
{
    std::fprintf(stderr, "bench: %s\n", text);
    std::fflush(stderr);
}

// --- Files ----------------------------------------------------------------------------------------

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string OwnFolder()
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    return FolderOf(self);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fresh empty folder under the temporary directory: the settings file lives beside the program
// path, so every copy of the program here reads and writes its own.
std::string MakeTempFolder(const char* purpose)
{
    char base[MAX_PATH] = "";
    GetTempPathA(sizeof base, base);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string folder = std::string(base) + "huebench-bench-" + purpose + "-" +
                                   std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    }
    return base;
}

void RemoveTempFolder(const std::string& folder, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

// --- Start-up of a separate process ----------------------------------------------------------------

struct WindowSearch {
    DWORD process;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, search->className) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND ShownWindowOf(DWORD process, const char* className)
{
    WindowSearch search = {process, className, nullptr};
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Launched {
    PROCESS_INFORMATION process;
    HWND window;
    bool done;
    double seconds; // from CreateProcess to idle with the main window shown
};

// Idle is taken as the platform reports it (WaitForInputIdle: the program waits for input with
// nothing left in its queue), after its main window is on screen and its thread has answered a
// message sent to that window, so a program that goes idle before its window exists is not
// counted as started.
Launched Launch(const Clock& clock, const std::string& program, const char* className)
{
    Launched launched = {};
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    const std::string folder = FolderOf(program);
    const double start = Now(clock);
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &launched.process))
        return launched;

    const DWORD waitStart = GetTickCount();
    while (GetTickCount() - waitStart < LAUNCH_TIMEOUT_MS) {
        WaitForInputIdle(launched.process.hProcess, LAUNCH_TIMEOUT_MS);
        launched.window = ShownWindowOf(launched.process.dwProcessId, className);
        if (launched.window) break;
        if (WaitForSingleObject(launched.process.hProcess, 1) == WAIT_OBJECT_0) break; // it ended on its own
    }
    DWORD_PTR answer = 0;
    launched.done = launched.window && SendMessageTimeoutA(launched.window, WM_NULL, 0, 0, SMTO_NORMAL,
                                                           LAUNCH_TIMEOUT_MS, &answer) != 0;
    launched.seconds = Now(clock) - start;
    return launched;
}

void CloseLaunched(Launched& launched)
{
    if (!launched.process.hProcess) return;
    if (launched.window) PostMessageA(launched.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(launched.process.hProcess, EXIT_TIMEOUT_MS) != WAIT_OBJECT_0)
        TerminateProcess(launched.process.hProcess, 1);
    CloseHandle(launched.process.hThread);
    CloseHandle(launched.process.hProcess);
    launched.process = PROCESS_INFORMATION{};
}

struct StartUp {
    bool done;
    double seconds;
};

StartUp TimeStartUp(const Clock& clock, const std::string& program, const char* className)
{
    Launched launched = Launch(clock, program, className);
    CloseLaunched(launched);
    return StartUp{launched.done, launched.seconds};
}

bool IsWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string ReadWholeFile(const std::string& path)
{
    std::string text;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[1024];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

// Wine reports no processor times for another process, but its Unix side does: a Wine process's
// command line in /proc (drive Z:) starts with its Windows path, and its stat line holds the user
// and system time in clock ticks of 1/100 s. Answers -1 when the process is not found.
double UnixCpuSecondsOf(const std::string& program)
{
    constexpr double CLOCK_TICKS_PER_SECOND = 100;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return -1;
    double seconds = -1;
    do {
        const std::string name = entry.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string folder = "Z:\\proc\\" + name;
        const std::string commandLine = ReadWholeFile(folder + "\\cmdline");
        if (lstrcmpiA(commandLine.c_str(), program.c_str()) != 0) continue; // up to its first NUL
        const std::string stat = ReadWholeFile(folder + "\\stat");
        const size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        // After the name: state, then fields 4 to 13, then utime (14) and stime (15).
        unsigned long long user = 0, system = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
                        &user, &system) == 2)
            seconds = static_cast<double>(user + system) / CLOCK_TICKS_PER_SECOND;
        break;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return seconds;
}

double CpuSecondsOf(HANDLE process, const std::string& program)
{
    if (IsWine()) return UnixCpuSecondsOf(program);
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>(ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// A goal is a ratio to a baseline measured in the same run; the row says whether it holds.
void AddRatio(Table& table, const std::string& label, double ratio, double goal, const std::string& more)
{
    table.Add(label, Format("%.2f", ratio),
              Format("goal <= %.2f: ", goal) + (ratio <= goal ? "met" : "NOT MET") + "; " + more);
}

// The programs are copied into one temporary folder and started in turn, so that all meet the same
// file cache and the same Wine server; one start of each is a warm-up and not counted.
bool MeasureStartUp(const Clock& clock, Table& table, const std::string& huebench, const std::string& bare,
                    const std::string& skeleton, int launches)
{
    const std::string folder = MakeTempFolder("start");
    const std::string programCopy = folder + "\\" + PROGRAM_NAME;
    const std::string bareCopy = folder + "\\" + BARE_NAME;
    const std::string skeletonCopy = folder + "\\" + SKELETON_NAME;
    bool fine = CopyFileA(huebench.c_str(), programCopy.c_str(), FALSE) &&
                CopyFileA(bare.c_str(), bareCopy.c_str(), FALSE) &&
                CopyFileA(skeleton.c_str(), skeletonCopy.c_str(), FALSE);
    Samples program, baseline, floor;
    for (int launch = -1; fine && launch < launches; ++launch) {
        const StartUp programStart = TimeStartUp(clock, programCopy, MAIN_FORM_CLASS);
        const StartUp bareStart = TimeStartUp(clock, bareCopy, DIALOG_CLASS);
        const StartUp skeletonStart = TimeStartUp(clock, skeletonCopy, MAIN_FORM_CLASS);
        fine = programStart.done && bareStart.done && skeletonStart.done;
        if (launch < 0) continue;
        program.seconds.push_back(programStart.seconds);
        baseline.seconds.push_back(bareStart.seconds);
        floor.seconds.push_back(skeletonStart.seconds);
    }
    RemoveTempFolder(folder, {PROGRAM_NAME, BARE_NAME, SKELETON_NAME, SETTINGS_NAME});
    table.Heading("Start-up: CreateProcess to first idle with the main window shown (WaitForInputIdle)");
    if (!fine) {
        table.Add("start-up", "FAILED", "a program did not show its window within the time limit");
        return false;
    }
    table.Add("Huebench.exe (main form, settings file beside it)", Duration(program.Median()),
              Spread(program, "launches"));
    table.Add("BareDialog.exe (dialog template + message loop)", Duration(baseline.Median()),
              Spread(baseline, "launches"));
    table.Add("Skeleton.exe (same form, MDI client, one empty preview, loop)", Duration(floor.Median()),
              Spread(floor, "launches"));
    const double ratio = program.Median() / baseline.Median();
    AddRatio(table, "ratio Huebench / bare dialog", ratio, 1.5,
             std::string(ratio <= 1.2 ? "the further goal 1.2 met too" : "further goal 1.2") +
                 "; of the medians; difference " + Duration(program.Median() - baseline.Median()));
    AddRatio(table, "ratio Huebench / skeleton", program.Median() / floor.Median(), 1.15,
             "of the medians; the program's own start-up work: " +
                 Duration(program.Median() - floor.Median()));
    startUpMedian = program.Median();
    return true;
}

// --- The real main form in this process ------------------------------------------------------------

struct BenchForm {
    HWND form;
    HACCEL accelerators;
    std::string folder;
};

void Pump(const BenchForm& bench)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        if (IsWindow(bench.form) &&
            FilterMainFormMessage(bench.form, MdiContext.MdiClient, bench.accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpFor(const BenchForm& bench, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        Pump(bench);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

void Command(const BenchForm& bench, UINT id)
{
    SendMessageA(bench.form, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// As the program starts itself, with its program path in a folder of its own.
bool OpenBenchForm(BenchForm& bench)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    bench.folder = MakeTempFolder("form");
    OverrideProgramPath((bench.folder + "\\" + PROGRAM_NAME).c_str());
    if (!RegisterWindowClasses(instance)) return false;
    bench.form = CreateMainForm(instance);
    if (!bench.form) return false;
    bench.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    InitMainForm(bench.form);
    ShowWindow(bench.form, SW_SHOWNORMAL);
    PumpFor(bench, 300);
    return true;
}

void CloseBenchForm(BenchForm& bench)
{
    if (IsWindow(bench.form)) DestroyWindow(bench.form);
    PumpFor(bench, 100);
    RemoveTempFolder(bench.folder, {SETTINGS_NAME});
}

// Times `operation` in batches of `perBatch` calls and answers the time of one call in each batch.
// The form's queue is emptied between batches, untimed, so repaints do not pile up.
Samples TimeBatches(const Clock& clock, const BenchForm& bench, int batches, int perBatch,
                    const std::function<void(int)>& operation)
{
    Samples samples;
    int index = 0;
    for (int batch = 0; batch < batches; ++batch) {
        Pump(bench);
        const double start = Now(clock);
        for (int call = 0; call < perBatch; ++call)
            operation(index++);
        samples.seconds.push_back((Now(clock) - start) / perBatch);
    }
    Pump(bench);
    return samples;
}

// --- Colour changes -----------------------------------------------------------------------------

std::string OptionStates(const BenchForm& bench)
{
    return std::string("auto-copy ") + (IsOptionChecked(bench.form, IDM_AUTOCOPY) ? "on" : "off") +
           ", synchronise " + (IsOptionChecked(bench.form, IDM_SYNCHRO) ? "on" : "off");
}

void MeasurePropagation(const Clock& clock, const BenchForm& bench, Table& table)
{
    table.Heading("Colour changes (synchronous work; the repaints they ask for are left out)");
    WriteChannelEdits(RGB(12, 34, 56));
    const Samples plain =
        TimeBatches(clock, bench, TIMED_BATCHES, 50, [&](int) { PropagateCurrentColor(bench.form); });
    table.Add("one propagation (PropagateCurrentColor)", Duration(plain.Median()),
              Spread(plain, "batches of 50") + "; " + OptionStates(bench));

    Command(bench, IDM_AUTOCOPY);
    const Samples copying =
        TimeBatches(clock, bench, TIMED_BATCHES, 10, [&](int) { PropagateCurrentColor(bench.form); });
    Command(bench, IDM_AUTOCOPY);
    table.Add("one propagation with auto-copy on (clipboard)", Duration(copying.Median()),
              Spread(copying, "batches of 10"));

    const COLORREF colors[] = {RGB(200, 150, 100), RGB(10, 20, 30)};
    const Samples three = TimeBatches(clock, bench, TIMED_BATCHES, 20, [&](int index) {
        WriteChannelEdits(colors[index % 2]); // all three channels change: three propagations
    });
    table.Add("WriteChannelEdits, three channels changing", Duration(three.Median()),
              Spread(three, "batches of 20") + "; = 3 propagations");

    // A failing pair's tooltip: the report and the nearest passing text and inner colours of AA and
    // AAA, on pairs whose lightness paths pass and fail by turns and on plain ones.
    const COLORREF pairs[][2] = {{RGB(0x08, 0x54, 0x10), RGB(0x6F, 0x50, 0xFC)},
                                 {RGB(0x06, 0x06, 0x97), RGB(0xE7, 0x3A, 0x3D)},
                                 {RGB(0x77, 0x77, 0x77), RGB(0xFF, 0xFF, 0xFF)},
                                 {RGB(0xFF, 0xA5, 0x00), RGB(0x77, 0x77, 0x77)}};
    const Samples tip = TimeBatches(clock, bench, TIMED_BATCHES, 4, [&](int index) {
        ContrastTip(pairs[index % 4][0], pairs[index % 4][1], pairs[index % 4][1], false, true);
    });
    table.Add("contrast tooltip text of a failing pair", Duration(tip.Median()), Spread(tip, "batches of 4"));
}

// --- The colour list ------------------------------------------------------------------------------

HWND ColorListWindow(const BenchForm& bench)
{
    return GetDlgItem(bench.form, IDC_COLORLIST);
}

void ShowPage(const BenchForm& bench, int page)
{
    SendDlgItemMessageA(bench.form, IDC_TAB, TCM_SETCURSEL, page, 0);
    ShowTabPage(bench.form);
    PumpFor(bench, 100);
}

// A click on a column header as the list control reports it to the form.
void ClickColumn(const BenchForm& bench, int column)
{
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = ColorListWindow(bench);
    click.hdr.idFrom = IDC_COLORLIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(bench.form, WM_NOTIFY, IDC_COLORLIST, reinterpret_cast<LPARAM>(&click));
}

struct Refills {
    Samples emptying;
    Samples filling;
};

// The list emptied and filled again, as a system colour change does it.
Refills TimeRefills(const Clock& clock, const BenchForm& bench, int repeats, bool redrawHeld)
{
    Refills refills;
    const HWND list = ColorListWindow(bench);
    for (int repeat = 0; repeat < repeats; ++repeat) {
        Pump(bench);
        const double start = Now(clock);
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        const double emptied = Now(clock);
        if (redrawHeld) SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        FillColorList();
        SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); // a hidden list makes its rows at its first request
        if (redrawHeld) SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        refills.emptying.seconds.push_back(emptied - start);
        refills.filling.seconds.push_back(Now(clock) - emptied);
        if (redrawHeld) InvalidateRect(list, nullptr, TRUE);
    }
    Pump(bench);
    return refills;
}

// Every click reverses the order the list is in: the sort has the whole list to move each time.
Samples TimeSorts(const Clock& clock, const BenchForm& bench, int column)
{
    Samples samples;
    for (int repeat = 0; repeat < LIST_REPEATS; ++repeat) {
        Pump(bench);
        const double start = Now(clock);
        ClickColumn(bench, column);
        samples.seconds.push_back(Now(clock) - start);
    }
    Pump(bench);
    return samples;
}

void MeasureColorList(const Clock& clock, const BenchForm& bench, Table& table)
{
    table.Heading("Colour list, 165 rows (the repaint that follows is left out)");
    const Refills hidden = TimeRefills(clock, bench, LIST_REPEATS, false);
    table.Add("FillColorList after LVM_DELETEALLITEMS, list page hidden, and a request",
              Duration(hidden.filling.Median()),
              Spread(hidden.filling, "fills") + "; emptying " + Duration(hidden.emptying.Median()));

    ShowPage(bench, NAMES_PAGE);
    const Refills shown = TimeRefills(clock, bench, SHOWN_FILL_REPEATS, false);
    table.Add("FillColorList after LVM_DELETEALLITEMS, list page shown", Duration(shown.filling.Median()),
              Spread(shown.filling, "fills") + "; emptying " + Duration(shown.emptying.Median()));
    const Refills held = TimeRefills(clock, bench, SHOWN_FILL_REPEATS, true);
    table.Add("  the same inside WM_SETREDRAW FALSE/TRUE (comparison only)", Duration(held.filling.Median()),
              Spread(held.filling, "fills") + "; redraw held twice over");

    const Samples byName = TimeSorts(clock, bench, NAME_COLUMN);
    table.Add("sort by name (LVN_COLUMNCLICK, column 0, text)", Duration(byName.Median()),
              Spread(byName, "clicks, each reversing the order"));
    const Samples byRed = TimeSorts(clock, bench, RED_COLUMN);
    table.Add("sort by red (LVN_COLUMNCLICK, column 2, numbers)", Duration(byRed.Median()),
              Spread(byRed, "clicks, each reversing the order"));
    ShowPage(bench, NUMBERS_PAGE);
}

// --- GDI objects ---------------------------------------------------------------------------------

BOOL CALLBACK CountChildWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

// A top-level window of the thread (the form, the tooltips) and every window below it.
BOOL CALLBACK CountWindowTree(HWND window, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    EnumChildWindows(window, CountChildWindow, count);
    return TRUE;
}

struct Holdings {
    long tally;        // GdiObject::LiveCount: the brushes and fonts the program made and still holds
    DWORD gdiObjects;  // as the system counts them (0 where it does not report them)
    DWORD userObjects; // likewise
    long windows;      // every window of this thread, children included
};

Holdings TakeHoldings()
{
    Holdings holdings = {GdiObject::LiveCount(), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                         GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), 0};
    EnumThreadWindows(GetCurrentThreadId(), CountWindowTree, reinterpret_cast<LPARAM>(&holdings.windows));
    return holdings;
}

std::string HoldingsDetail(const Holdings& holdings)
{
    return "GetGuiResources GDI " + std::to_string(holdings.gdiObjects) + ", USER " +
           std::to_string(holdings.userObjects) + "; windows " + std::to_string(holdings.windows);
}

void AddHoldings(Table& table, const char* when, const Holdings& holdings, const Holdings& start)
{
    const long change = holdings.tally - start.tally;
    table.Add(when, std::to_string(holdings.tally) + (change ? " (" + std::to_string(change) + ")" : ""),
              HoldingsDetail(holdings));
}

void MeasureHoldings(const Clock& clock, const BenchForm& bench, Table& table)
{
    Progress("ten thousand propagations");
    const Holdings start = TakeHoldings();
    WriteChannelEdits(RGB(255, 64, 128));
    Pump(bench);
    // Red alone steps on every call (0, 1, ..., 255, 0, ...): one propagation per call.
    const Samples changes =
        TimeBatches(clock, bench, PROPAGATION_COUNT / PROPAGATIONS_PER_PUMP, PROPAGATIONS_PER_PUMP,
                    [](int index) { WriteChannelEdits(RGB(index % 256, 64, 128)); });
    PumpFor(bench, 100);
    const Holdings afterPropagations = TakeHoldings();

    Progress("a thousand preview windows");
    Samples windows;
    for (int round = 0; round < PREVIEW_ROUNDS; ++round) {
        const double roundStart = Now(clock);
        for (int opened = 0; opened < PREVIEWS_PER_ROUND; ++opened)
            Command(bench, IDM_NEWWINDOW);
        Pump(bench);
        for (int closed = 0; closed < PREVIEWS_PER_ROUND; ++closed)
            Command(bench, IDM_CLOSE);
        Pump(bench);
        windows.seconds.push_back((Now(clock) - roundStart) / PREVIEWS_PER_ROUND);
    }
    PumpFor(bench, 100);
    const Holdings afterWindows = TakeHoldings();

    table.Heading("Objects held: GdiObject::LiveCount (change since start-up); the system's own counts");
    AddHoldings(table, "after start-up", start, start);
    AddHoldings(table, "after 10,000 propagations (one channel each)", afterPropagations, start);
    AddHoldings(table, "after 1,000 preview windows opened and closed", afterWindows, start);
    if (!afterWindows.gdiObjects && !afterWindows.userObjects)
        table.Add("GetGuiResources", "not reported",
                  "answered 0 for GDI and USER objects (Wine does so): read the tally and the window count");
    table.Add("one channel change in the 10,000 (SyncChannel + propagation)", Duration(changes.Median()),
              Spread(changes, "batches of 100"));
    table.Add("open and close one preview window, painting included", Duration(windows.Median()),
              Spread(windows, "rounds of 10 opened, then 10 closed"));
}

// --- Screen capture, from the capture benchmark -----------------------------------------------------

std::vector<std::string> RunAndReadLines(const std::string& program, const std::string& arguments)
{
    std::vector<std::string> lines;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return lines;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\" " + arguments;
    const bool started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return lines;
    }
    std::string text;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got)
        text.append(buffer, got);
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(begin, end - begin);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty()) lines.push_back(line);
        begin = end + 1;
    }
    return lines;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// CaptureBench prints "what: figure unit, more" lines; each becomes a row of the table.
Row CaptureRow(const std::string& line)
{
    const size_t colon = line.find(':');
    if (colon == std::string::npos) return Row{line, "-", ""};
    const std::string label = Trimmed(line.substr(0, colon));
    const std::string figures = Trimmed(line.substr(colon + 1));
    // The first number and its unit are the value; whatever follows is detail.
    size_t split = figures.find(' ');
    if (split != std::string::npos) split = figures.find(' ', figures.find_first_not_of(' ', split));
    if (split == std::string::npos) return Row{label, figures, ""};
    std::string value = figures.substr(0, split);
    if (!value.empty() && value.back() == ',') value.pop_back();
    return Row{label, value, Trimmed(figures.substr(split))};
}

bool MeasureCapture(Table& table, const std::string& captureBench)
{
    table.Heading("Screen capture (CaptureBench.exe " + std::to_string(CAPTURE_SECONDS) +
                  ", in a process of its own with its own main form)");
    const std::vector<std::string> lines = RunAndReadLines(captureBench, std::to_string(CAPTURE_SECONDS));
    if (lines.empty()) {
        table.Add("capture", "FAILED", captureBench + " gave no figures");
        return false;
    }
    for (const std::string& line : lines)
        table.rows.push_back(CaptureRow(line));
    return true;
}

// --- Start-up by step, in a process of its own ---------------------------------------------------

const char STEPS_SWITCH[] = "--startup-steps";

// The child's side: starts the program's main form as the program does, in the settings folder it
// is given, and prints the time of each step as "name=seconds".
int RunStartUpSteps(const std::string& folder)
{
    const Clock clock = MakeClock();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    OverrideProgramPath((folder + "\\" + PROGRAM_NAME).c_str());
    double last = Now(clock);
    auto lap = [&](const char* name) {
        const double now = Now(clock);
        std::printf("%s=%.9f\n", name, now - last);
        last = now;
    };
    if (!RegisterWindowClasses(instance)) return 1;
    lap("window classes registered");
    const HWND form = CreateMainForm(instance);
    if (!form) return 1;
    lap("main form and its controls created from the template");
    BenchForm bench = {form, LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS)), folder};
    for (const MainFormStep& step : MAIN_FORM_STEPS) {
        step.run(form);
        lap(step.name);
    }
    ShowWindow(form, SW_SHOWNORMAL);
    Pump(bench); // every message the showing caused, the first paint among them
    lap("form shown, first paint, queue empty");
    DestroyWindow(form);
    Pump(bench);
    std::fflush(stdout);
    return 0;
}

// The steps a child prints as "name=seconds", medians over the launches, in the order printed.
struct StepTimes {
    std::vector<std::string> names;
    std::vector<Samples> samples;
};

StepTimes CollectSteps(const std::string& program, const std::string& arguments, int launches)
{
    StepTimes steps;
    for (int launch = -1; launch < launches; ++launch) {
        const std::vector<std::string> lines = RunAndReadLines(program, arguments);
        if (launch < 0) continue; // the first one writes the settings file the others read
        for (const std::string& line : lines) {
            const size_t equals = line.find('=');
            if (equals == std::string::npos) continue;
            const std::string name = line.substr(0, equals);
            const auto found = std::find(steps.names.begin(), steps.names.end(), name);
            const size_t index = found - steps.names.begin();
            if (found == steps.names.end()) {
                steps.names.push_back(name);
                steps.samples.emplace_back();
            }
            steps.samples[index].seconds.push_back(std::atof(line.c_str() + equals + 1));
        }
    }
    return steps;
}

void MeasureStartUpSteps(Table& table, int launches, const std::string& skeleton)
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string folder = MakeTempFolder("steps");
    const StepTimes program = CollectSteps(self, std::string(STEPS_SWITCH) + " \"" + folder + "\"", launches);
    RemoveTempFolder(folder, {SETTINGS_NAME});
    const StepTimes floor = CollectSteps(skeleton, STEPS_SWITCH, launches);
    table.Heading("Start-up by step (Bench.exe " + std::string(STEPS_SWITCH) +
                  ", the program's own steps in a fresh process; medians; the skeleton's steps beside)");
    if (program.names.empty()) {
        table.Add("start-up steps", "FAILED", "the child process printed no figures");
        return;
    }
    const auto skeletonStep = [&](const std::string& name) {
        const auto found = std::find(floor.names.begin(), floor.names.end(), name);
        return found == floor.names.end()
                   ? std::string()
                   : "; skeleton " + Duration(floor.samples[found - floor.names.begin()].Median());
    };
    double sum = 0;
    for (size_t index = 0; index < program.names.size(); ++index) {
        sum += program.samples[index].Median();
        table.Add(program.names[index], Duration(program.samples[index].Median()),
                  Spread(program.samples[index], "launches") + skeletonStep(program.names[index]));
    }
    double floorSum = 0;
    for (const Samples& step : floor.samples)
        floorSum += step.Median();
    table.Add("sum of the steps", Duration(sum),
              (startUpMedian > 0 ? "the rest of the start-up above (process creation, loading, idle): " +
                                       Duration(startUpMedian - sum)
                                 : std::string()) +
                  (floor.names.empty() ? std::string() : "; skeleton " + Duration(floorSum)));
}

// --- Idle processor use, capture off -----------------------------------------------------------------

void MeasureIdle(const Clock& clock, Table& table, const std::string& huebench, const std::string& bare)
{
    const std::string folder = MakeTempFolder("idle");
    const std::string programCopy = folder + "\\" + PROGRAM_NAME;
    const std::string bareCopy = folder + "\\" + BARE_NAME;
    table.Heading("Idle, capture off: both programs started side by side, processor time over " +
                  std::to_string(IDLE_SECONDS) + " s");
    Launched program = {};
    Launched baseline = {};
    if (CopyFileA(huebench.c_str(), programCopy.c_str(), FALSE) &&
        CopyFileA(bare.c_str(), bareCopy.c_str(), FALSE)) {
        program = Launch(clock, programCopy, MAIN_FORM_CLASS);
        baseline = Launch(clock, bareCopy, DIALOG_CLASS);
    }
    if (program.done && baseline.done) {
        Sleep(1000); // let both settle after showing
        const double programStart = CpuSecondsOf(program.process.hProcess, programCopy);
        const double bareStart = CpuSecondsOf(baseline.process.hProcess, bareCopy);
        const double wallStart = Now(clock);
        Sleep(IDLE_SECONDS * 1000);
        const double wall = Now(clock) - wallStart;
        const double programCpu = CpuSecondsOf(program.process.hProcess, programCopy) - programStart;
        const double bareCpu = CpuSecondsOf(baseline.process.hProcess, bareCopy) - bareStart;
        const std::string how = IsWine() ? "; read from /proc, in steps of 10 ms" : "";
        if (programStart < 0 || bareStart < 0) {
            table.Add("idle", "FAILED", "the processor time of a program could not be read");
        } else {
            table.Add("Huebench.exe", Format("%.2f %%", 100 * programCpu / wall),
                      "of one core; " + Duration(programCpu) + " of processor time; goal 0" + how);
            table.Add("BareDialog.exe", Format("%.2f %%", 100 * bareCpu / wall),
                      "of one core; " + Duration(bareCpu) + " of processor time; goal 0" + how);
        }
    } else {
        table.Add("idle", "FAILED", "a program did not show its window within the time limit");
    }
    CloseLaunched(program);
    CloseLaunched(baseline);
    RemoveTempFolder(folder, {PROGRAM_NAME, BARE_NAME, SETTINGS_NAME});
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && lstrcmpA(argv[1], STEPS_SWITCH) == 0) return RunStartUpSteps(argv[2]);
    const int launches = argc > 1 ? std::max(1, std::atoi(argv[1])) : DEFAULT_LAUNCHES;
    const std::string here = OwnFolder();
    const std::string huebench = FolderOf(here) + "\\" + PROGRAM_NAME;
    const std::string bare = here + "\\" + BARE_NAME;
    const std::string skeleton = here + "\\" + SKELETON_NAME;
    const std::string captureBench = here + "\\" + CAPTURE_BENCH_NAME;
    for (const std::string& needed : {huebench, bare, skeleton, captureBench}) {
        if (FileExists(needed)) continue;
        std::fprintf(stderr, "bench: %s is missing\n", needed.c_str());
        return 1;
    }

    const Clock clock = MakeClock();
    Table table;
    table.Heading("Huebench benchmark on " + PlatformName());
    bool fine = true;

    Progress("start-up of Huebench.exe, BareDialog.exe and Skeleton.exe");
    fine = MeasureStartUp(clock, table, huebench, bare, skeleton, launches) && fine;
    Progress("start-up by step");
    MeasureStartUpSteps(table, launches, skeleton);
    Progress("idle side by side");
    MeasureIdle(clock, table, huebench, bare);

    BenchForm bench = {};
    if (!OpenBenchForm(bench)) {
        std::fprintf(stderr, "bench: the main form could not be created\n");
        return 1;
    }
    MeasureHoldings(clock, bench, table);
    Progress("colour changes");
    MeasurePropagation(clock, bench, table);
    Progress("colour list");
    MeasureColorList(clock, bench, table);
    CloseBenchForm(bench);

    Progress("screen capture (CaptureBench.exe)");
    fine = MeasureCapture(table, captureBench) && fine;

    PrintTable(table);
    return fine ? 0 : 1;
}
