// Steps of the printing tests: reading a drawn page back, and printing for real through CUPS from
// inside Wine (Unix shell scripts, the default printer, the rendered PDF).
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "MainFormFixture.h"
#include "colour/ColorModel.h"
#include "print/PrintCtrl.h"

namespace print_steps {

inline constexpr COLORREF WHITE = 0x00FFFFFF;
inline constexpr COLORREF BLACK = 0x00000000;
inline constexpr COLORREF DARK_GREY = 0x00A9A9A9; // every channel 169, just below the contrast level

// ---------------------------------------------------------------------------------------------
// What a page drawing holds, read back from an enhanced metafile.

struct DrawnRect {
    RECT box; // as Rectangle was called: right and bottom exclusive
    COLORREF brush;
};

struct DrawnText {
    std::string text; // code page 932
    COLORREF color;
    POINT at;
    LONG fontHeight; // 0 for a stock font
};

struct PageDrawing {
    std::vector<DrawnRect> rects;
    std::vector<DrawnText> texts;
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (const DrawnText& text : texts)
            lines.push_back(text.text);
        return lines;
    }
};

struct MetafileReader {
    PageDrawing page;
    std::vector<std::pair<DWORD, COLORREF>> brushes; // object index -> colour
    std::vector<std::pair<DWORD, LONG>> fonts;       // object index -> lfHeight
    COLORREF brush = WHITE;
    LONG fontHeight = 0;
    COLORREF textColor = BLACK;

    template <typename T>
    static T Find(const std::vector<std::pair<DWORD, T>>& table, DWORD index, T fallback)
    {
        for (auto it = table.rbegin(); it != table.rend(); ++it)
            if (it->first == index) return it->second;
        return fallback;
    }

    void Read(const ENHMETARECORD* record)
    {
        const auto* bytes = reinterpret_cast<const BYTE*>(record);
        switch (record->iType) {
        case EMR_CREATEBRUSHINDIRECT: {
            const auto* create = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(record);
            brushes.emplace_back(create->ihBrush, create->lb.lbColor);
            break;
        }
        case EMR_EXTCREATEFONTINDIRECTW: {
            const auto* create = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
            fonts.emplace_back(create->ihFont, create->elfw.elfLogFont.lfHeight);
            break;
        }
        case EMR_SELECTOBJECT: {
            const DWORD index = reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject;
            if (index & 0x80000000) {
                const DWORD stock = index & 0x7FFFFFFF;
                if (stock == WHITE_BRUSH) brush = WHITE;
                if (stock == SYSTEM_FONT || stock == DEVICE_DEFAULT_FONT || stock == DEFAULT_GUI_FONT)
                    fontHeight = 0;
                break;
            }
            brush = Find(brushes, index, brush);
            fontHeight = Find(fonts, index, fontHeight);
            break;
        }
        case EMR_DELETEOBJECT: {
            const DWORD index = reinterpret_cast<const EMRDELETEOBJECT*>(record)->ihObject;
            brushes.erase(std::remove_if(brushes.begin(), brushes.end(),
                                         [index](const auto& entry) { return entry.first == index; }),
                          brushes.end());
            fonts.erase(std::remove_if(fonts.begin(), fonts.end(),
                                       [index](const auto& entry) { return entry.first == index; }),
                        fonts.end());
            break;
        }
        case EMR_SETTEXTCOLOR: textColor = reinterpret_cast<const EMRSETTEXTCOLOR*>(record)->crColor; break;
        case EMR_RECTANGLE: {
            const RECTL box = reinterpret_cast<const EMRRECTANGLE*>(record)->rclBox;
            page.rects.push_back({{box.left, box.top, box.right, box.bottom}, brush});
            break;
        }
        case EMR_EXTTEXTOUTW: {
            const auto* out = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
            const auto* wide = reinterpret_cast<const WCHAR*>(bytes + out->emrtext.offString);
            char text[1024] = "";
            WideCharToMultiByte(932, 0, wide, static_cast<int>(out->emrtext.nChars), text, sizeof text - 1,
                                nullptr, nullptr);
            page.texts.push_back(
                {text, textColor, {out->emrtext.ptlReference.x, out->emrtext.ptlReference.y}, fontHeight});
            break;
        }
        case EMR_EXTTEXTOUTA: {
            const auto* out = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
            const std::string text(reinterpret_cast<const char*>(bytes + out->emrtext.offString),
                                   out->emrtext.nChars);
            page.texts.push_back(
                {text, textColor, {out->emrtext.ptlReference.x, out->emrtext.ptlReference.y}, fontHeight});
            break;
        }
        }
    }

    static int CALLBACK OnRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM reader)
    {
        reinterpret_cast<MetafileReader*>(reader)->Read(record);
        return 1;
    }
};

// Draws the page of the MDI client into a metafile and reads back what was drawn.
inline PageDrawing DrawPageIntoMetafile(HWND mdiClient, int* scale = nullptr)
{
    HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    DrawPreviewPage(metafile, mdiClient);
    if (scale) *scale = PrintContext.scale;
    HENHMETAFILE drawing = CloseEnhMetaFile(metafile);
    MetafileReader reader;
    EnumEnhMetaFile(nullptr, drawing, MetafileReader::OnRecord, &reader, nullptr);
    DeleteEnhMetaFile(drawing);
    return reader.page;
}

// ---------------------------------------------------------------------------------------------
// A page drawn into a bitmap, for reading pixels.

class PageBitmap {
  public:
    PageBitmap(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<DWORD*>(bits);
        previous_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~PageBitmap()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    PageBitmap(const PageBitmap&) = delete;
    PageBitmap& operator=(const PageBitmap&) = delete;

    HDC dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
        GdiFlush();
        const DWORD bgr = bits_[static_cast<size_t>(y) * width_ + x];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }

  private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    DWORD* bits_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Printing for real: Wine runs Unix programs, but cannot wait for them.

inline constexpr char PRINT_SESSION_VARIABLE[] = "HUEBENCH_PRINT_SESSION";
inline constexpr int RENDER_DPI = 100;

using UnixNameFunction = char*(CDECL*)(const WCHAR*);
using DosNameFunction = WCHAR*(CDECL*)(const char*);

// The Unix file name of a Windows path, through Wine's own mapping; empty when not under Wine.
inline std::string UnixPath(const std::string& windowsPath)
{
    const auto toUnix = reinterpret_cast<UnixNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return "";
    WCHAR wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* name = toUnix(wide);
    if (!name) return "";
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

inline std::string DosPath(const std::string& unixPath)
{
    const auto toDos = reinterpret_cast<DosNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) return "";
    WCHAR* name = toDos(unixPath.c_str());
    if (!name) return "";
    char narrow[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, name, -1, narrow, MAX_PATH, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, name);
    return narrow;
}

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

inline bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Starts a Unix program. Wine hands back no usable handles for it (the second start of a run came
// back with garbage in them), so only handles that really name the process and thread are closed:
// closing a stray value would close some other handle of this process.
inline bool StartUnixProcess(std::string command)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    if (process.hThread && GetThreadId(process.hThread) == process.dwThreadId && process.dwThreadId)
        CloseHandle(process.hThread);
    if (process.hProcess && GetProcessId(process.hProcess) == process.dwProcessId && process.dwProcessId)
        CloseHandle(process.hProcess);
    return true;
}

struct UnixResult {
    int exitCode; // -1 when the script did not finish in time
    std::string output;
};

// Shell scripts run on the Unix side, in a work folder under /tmp. Wine cannot wait for a Unix
// process, so each script writes its exit code into a file that is polled.
class UnixShell {
  public:
    UnixShell()
    {
        char name[64];
        snprintf(name, sizeof name, "/tmp/huebench-print-%lu-%lu", GetCurrentProcessId(), GetTickCount());
        unixFolder_ = name;
        const std::string root = DosPath("/tmp");
        if (root.empty()) return;
        folder_ = DosPath(unixFolder_);
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    ~UnixShell()
    {
        if (!Available()) return;
        std::string command = "/bin/rm -rf " + unixFolder_;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }
    UnixShell(const UnixShell&) = delete;
    UnixShell& operator=(const UnixShell&) = delete;
    bool Available() const { return !folder_.empty() && FileExists(folder_); }
    const std::string& UnixFolder() const { return unixFolder_; }
    std::string WindowsName(const std::string& file) const { return folder_ + "\\" + file; }

    UnixResult Run(const std::string& body, DWORD timeoutMilliseconds = 30000)
    {
        const int step = ++steps_;
        const std::string tag = std::to_string(step);
        WriteText("body-" + tag + ".sh", body);
        WriteText("run-" + tag + ".sh",
                  "#!/bin/sh\n"
                  "export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin\n"
                  "cd '" +
                      unixFolder_ +
                      "'\n"
                      "sh ./body-" +
                      tag + ".sh > out-" + tag +
                      " 2>&1 < /dev/null\n"
                      "echo $? > rc-" +
                      tag + ".tmp && mv rc-" + tag + ".tmp rc-" + tag + "\n");
        if (!StartUnixProcess("/bin/sh " + unixFolder_ + "/run-" + tag + ".sh"))
            return {-1, "the Unix shell could not be started"};
        const std::string rcFile = WindowsName("rc-" + tag);
        const DWORD start = GetTickCount();
        while (!FileExists(rcFile) && GetTickCount() - start < timeoutMilliseconds)
            PumpMessages(50);
        UnixResult result = {-1, ReadWholeFile(WindowsName("out-" + tag))};
        if (FileExists(rcFile)) result.exitCode = std::atoi(ReadWholeFile(rcFile).c_str());
        return result;
    }

  private:
    void WriteText(const std::string& file, const std::string& text)
    {
        std::ofstream out(WindowsName(file), std::ios::binary | std::ios::trunc);
        out << text;
    }

    std::string unixFolder_;
    std::string folder_;
    int steps_ = 0;
};

// clang-format off
// Checks that the test run's own CUPS scheduler ($dir, started by CTest's cups fixture or by
// tools/cups-env.sh) runs with the PDF queue as its default printer. Exit code 3: it does not.
inline const char CHECK_CUPS_SCRIPT[] = R"SH(
export CUPS_SERVER="$dir/cups.sock"
LC_ALL=C lpstat -r 2>/dev/null | grep -q 'scheduler is running' ||
    { echo "no CUPS scheduler of this run at $CUPS_SERVER: run through ctest or tools/cups-env.sh setup"; exit 3; }
LC_ALL=C lpstat -d | grep -q ': PDF$' || { LC_ALL=C lpstat -d; exit 4; }
)SH";

// The folder where that scheduler's cups-pdf queue puts its files; whether it has jobs not done.
inline const char PDF_FOLDERS_SCRIPT[] = R"SH(
pdf_folders() { echo "$dir/pdf"; }
jobs_pending() { [ -n "$(CUPS_SERVER="$dir/cups.sock" LC_ALL=C lpstat -o 2>/dev/null)" ]; }
)SH";

inline const char NEW_PDFS_SCRIPT[] = R"SH(
for d in $(pdf_folders); do find "$d" -maxdepth 1 -name "$name*.pdf" -newer marker 2>/dev/null; done
jobs_pending && echo "a job is not done"
)SH";

// The PDF is whole when its job is done: cups-pdf writes it before the job ends.
inline const char RENDER_SCRIPT[] = R"SH(
for i in $(seq 1 $rounds); do
    pdf=$(for d in $(pdf_folders); do find "$d" -maxdepth 1 -name "$name*.pdf" -newer marker 2>/dev/null; done | head -n 1)
    [ -n "$pdf" ] && ! jobs_pending && cp "$pdf" page.pdf && pdftoppm -r $dpi -singlefile page.pdf page 2>/dev/null && break
    sleep 0.25
done
[ -f page.ppm ] || { echo "no PDF named $name* in: $(pdf_folders)"; CUPS_SERVER="$dir/cups.sock" LC_ALL=C lpstat -W all -o; exit 5; }
echo "$pdf"
pdftoppm -r $dpi -singlefile -png page.pdf page || exit 6
keep="${HUEBENCH_WINE_DIR:-/tmp}/print-page.png"
cp page.png "$keep" && echo "$keep"
)SH";

// Runs the Win32 test $exe with the filter $filter in a fresh Wine session of a sibling prefix: the
// same drive, a copy of the registry, so that the session loads the CUPS printers at its start.
inline const char FRESH_SESSION_SCRIPT[] = R"SH(
find_one() { for c in "$@"; do command -v "$c" 2>/dev/null && return 0; done; return 1; }
wine=$(find_one wine64 wine /usr/lib/wine/wine64) || { echo "no wine"; exit 2; }
server=$(find_one wineserver /usr/lib/wine/wineserver) || { echo "no wineserver"; exit 2; }
source_prefix="$WINEPREFIX"
prefix="$source_prefix-print"
rm -rf "$prefix" && mkdir -p "$prefix/dosdevices" || exit 2
cp "$source_prefix"/*.reg "$prefix/" || exit 2
cp "$source_prefix/.update-timestamp" "$prefix/" 2>/dev/null
ln -s "$source_prefix/drive_c" "$prefix/drive_c"
ln -s ../drive_c "$prefix/dosdevices/c:" && ln -s / "$prefix/dosdevices/z:"
WINEPREFIX="$prefix" HUEBENCH_PRINT_SESSION=1 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' \
    LC_ALL=ja_JP.UTF-8 "$wine" "$exe" --gtest_filter="$filter"
status=$?
WINEPREFIX="$prefix" "$server" -k 2>/dev/null
WINEPREFIX="$prefix" "$server" -w 2>/dev/null
rm -rf "$prefix"
exit $status
)SH";

// clang-format on

struct PrinterGeometry {
    RECT printable;
    int offsetX, offsetY; // printable area's corner on the paper, in device units
    int dpiX, dpiY;
    int paperWidth, paperHeight;
};

// Geometry of the default printer, or false when there is none.
inline bool DefaultPrinter(PrinterGeometry* geometry, std::string* name)
{
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&dialog)) return false;
    if (dialog.hDevNames && name) {
        const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog.hDevNames));
        *name = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
        GlobalUnlock(dialog.hDevNames);
    }
    if (dialog.hDC && geometry) {
        GetClipBox(dialog.hDC, &geometry->printable);
        geometry->offsetX = GetDeviceCaps(dialog.hDC, PHYSICALOFFSETX);
        geometry->offsetY = GetDeviceCaps(dialog.hDC, PHYSICALOFFSETY);
        geometry->dpiX = GetDeviceCaps(dialog.hDC, LOGPIXELSX);
        geometry->dpiY = GetDeviceCaps(dialog.hDC, LOGPIXELSY);
        geometry->paperWidth = GetDeviceCaps(dialog.hDC, PHYSICALWIDTH);
        geometry->paperHeight = GetDeviceCaps(dialog.hDC, PHYSICALHEIGHT);
    }
    if (dialog.hDC) DeleteDC(dialog.hDC);
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    return true;
}

// A page rendered from the PDF, as the RGB pixels of a binary PPM.
struct PageImage {
    int width = 0, height = 0;
    std::string pixels;
    bool Load(const std::string& path)
    {
        const std::string data = ReadWholeFile(path);
        std::istringstream header(data);
        std::string magic;
        int maximum = 0;
        header >> magic >> width >> height >> maximum;
        if (magic != "P6" || maximum != 255 || width <= 0 || height <= 0) return false;
        const size_t start = static_cast<size_t>(header.tellg()) + 1;
        pixels = data.substr(start);
        return pixels.size() >= static_cast<size_t>(width) * height * 3;
    }
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
        const size_t at = (static_cast<size_t>(y) * width + x) * 3;
        return RGB(static_cast<BYTE>(pixels[at]), static_cast<BYTE>(pixels[at + 1]),
                   static_cast<BYTE>(pixels[at + 2]));
    }
};

inline bool Near(COLORREF first, COLORREF second)
{
    const auto close = [](int a, int b) { return a - b <= 12 && b - a <= 12; };
    return first != CLR_INVALID && close(RedOf(first), RedOf(second)) &&
           close(GreenOf(first), GreenOf(second)) && close(BlueOf(first), BlueOf(second));
}

// Presses a button of the print dialog once it shows its printer, as a person would: the dialog
// reads the printers while it is already on the screen (slowly on a busy machine: a long limit).
inline void PressPrintDialogButton(HWND dialog, int button)
{
    ASSERT_NE(dialog, nullptr) << "the print dialog did not appear";
    const HWND printers = GetDlgItem(dialog, cmb4);
    const DWORD start = GetTickCount();
    while (SendMessageA(printers, CB_GETCURSEL, 0, 0) == CB_ERR && GetTickCount() - start < 120000)
        Sleep(50);
    EXPECT_NE(SendMessageA(printers, CB_GETCURSEL, 0, 0), CB_ERR) << "the print dialog shows no printer";
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

} // namespace print_steps
