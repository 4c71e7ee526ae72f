// A small console helper for the end-to-end scripts: it looks at the windows of the program under
// test from outside, as a person would see them (positions, texts, control states, clipboard, pixels).
//   probe wait CLASS [ms]          wait for a visible top-level window; print its rectangle
//   probe gone CLASS [ms]          wait until no such window exists
//   probe rect CLASS               window rectangle: left top right bottom
//   probe control CLASS ID         screen rectangle of a control, then its text on the next line
//   probe text CLASS ID            text of a control
//   probe children CLASS CHILD [INNER]
//                                  one line per child window of class CHILD: rectangle and text;
//                                  with INNER, the windows of class INNER inside each such child
//   probe clipboard                the clipboard's text
//   probe pixel X Y                the screen pixel as RRGGBB
//   probe close CLASS              post WM_CLOSE to the window (clean-up after a failed scenario)
//   probe windows                  one line per visible top-level window: class, rectangle, title
//   probe foreground               the class of the window in front (the one that has the keyboard)
//   probe topmost CLASS            1 when the window stays on top of others, else 0
//   probe status CLASS ID PART     text of one part of a status bar (255: the simple-mode text)
//   probe item CLASS ID INDEX      a list view item: its screen rectangle, then its column texts
//   probe state CLASS ID           "enabled" or "disabled", then "visible" or "hidden"
//   probe position CLASS ID        the position of a slider (trackbar)
//   probe focus CLASS              the control id and class of the window's keyboard focus
//   probe selection CLASS ID       the selection of an edit control: start end
//   probe serve                    answer verbs read line by line from standard input (see Serve)
//   probe holdclipboard            keep the clipboard open until a line of input, as a busy program would
//   probe tip                      the text of the tooltip on show
//   probe swatch RRGGBB X Y SIZE   show a square of one colour on top until the process is ended
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../common/SwatchWindow.h"

namespace {

HWND FindTopLevel(const char* className)
{
    HWND window = FindWindowA(className, nullptr);
    return (window && IsWindowVisible(window)) ? window : nullptr;
}

void PrintRect(const RECT& rect)
{
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
}

// A window's text through WM_GETTEXT, which also reaches another process's edit controls; line
// breaks are shown as the two characters \n, so that every window stays on one output line.
std::string OneLineText(HWND window)
{
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &length);
    std::string line;
    for (const char* at = text; *at; ++at) {
        if (*at == '\r') continue;
        if (*at == '\n')
            line += "\\n";
        else
            line += *at;
    }
    return line;
}

struct ChildList {
    const char* className;
    const char* innerClassName; // null: print the children themselves
};

BOOL CALLBACK PrintChild(HWND window, LPARAM lParam)
{
    const auto* list = reinterpret_cast<const ChildList*>(lParam);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, list->className) != 0 || !IsWindowVisible(window)) return TRUE;
    if (list->innerClassName) {
        ChildList inner = {list->innerClassName, nullptr};
        EnumChildWindows(window, PrintChild, reinterpret_cast<LPARAM>(&inner));
        return TRUE;
    }
    RECT rect = {};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld %s\n", rect.left, rect.top, rect.right, rect.bottom,
                OneLineText(window).c_str());
    return TRUE;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM)
{
    if (!IsWindowVisible(window)) return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    RECT rect = {};
    GetWindowRect(window, &rect);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof(title));
    std::printf("%s %ld %ld %ld %ld %s\n", className, rect.left, rect.top, rect.right, rect.bottom, title);
    return TRUE;
}

// A block of memory inside the process that owns a window: common controls answer their
// messages with pointers, which must point into the control's own process.
class RemoteBlock {
  public:
    RemoteBlock(HWND window, SIZE_T size) : size_(size)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBlock()
    {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    bool valid() const { return address_ != nullptr; }
    char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    bool write(SIZE_T offset, const void* data, SIZE_T size) const
    {
        return WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    bool read(SIZE_T offset, void* data, SIZE_T size) const
    {
        return ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

  private:
    SIZE_T size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

int PrintStatusPart(HWND statusBar, int part)
{
    constexpr SIZE_T TEXT_SIZE = 1024;
    if (part == SB_SIMPLEID) {
        // The simple-mode text: empty while the bar shows its parts. Wine hands it out for any
        // part below the number of parts while the bar is in simple mode.
        if (!SendWithTimeout(statusBar, SB_ISSIMPLE, 0, 0)) {
            std::printf("\n");
            return 0;
        }
        part = 0;
    }
    RemoteBlock block(statusBar, TEXT_SIZE);
    if (!block.valid()) return 1;
    const char empty = 0;
    block.write(0, &empty, 1);
    SendWithTimeout(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(block.at(0)));
    char text[TEXT_SIZE] = "";
    block.read(0, text, TEXT_SIZE - 1);
    std::printf("%s\n", text);
    return 0;
}

int PrintListItem(HWND list, int index)
{
    constexpr SIZE_T TEXT_SIZE = 256;
    RemoteBlock block(list, sizeof(LVITEMA) + TEXT_SIZE);
    if (!block.valid()) return 1;
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    block.write(0, &rect, sizeof(rect));
    if (!SendWithTimeout(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(block.at(0)))) return 1;
    block.read(0, &rect, sizeof(rect));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    for (int column = 0; column < 7; ++column) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = block.at(sizeof(LVITEMA));
        item.cchTextMax = TEXT_SIZE;
        block.write(0, &item, sizeof(item));
        SendWithTimeout(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(block.at(0)));
        char text[TEXT_SIZE] = "";
        block.read(sizeof(LVITEMA), text, TEXT_SIZE - 1);
        std::printf(column ? "\t%s" : "%s", text);
    }
    std::printf("\n");
    return 0;
}

int Usage()
{
    std::fprintf(
        stderr,
        "usage: probe wait|gone|rect|control|text|children|clipboard|pixel|close|windows|foreground|topmost|"
        "status|item|state|position|serve|holdclipboard|tip|swatch ...\n");
    return 2;
}

int RunVerb(int argc, char** argv)
{
    if (argc < 2) return Usage();
    const std::string verb = argv[1];
    if ((verb == "wait" || verb == "gone") && argc >= 3) {
        const DWORD timeout = argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 10000;
        const DWORD start = GetTickCount();
        for (;;) {
            HWND window = FindTopLevel(argv[2]);
            if (verb == "wait" && window) {
                RECT rect = {};
                GetWindowRect(window, &rect);
                PrintRect(rect);
                return 0;
            }
            if (verb == "gone" && !FindWindowA(argv[2], nullptr)) return 0;
            if (GetTickCount() - start > timeout) return 1;
            Sleep(50);
        }
    }
    if (verb == "rect" && argc >= 3) {
        HWND window = FindTopLevel(argv[2]);
        if (!window) return 1;
        RECT rect = {};
        GetWindowRect(window, &rect);
        PrintRect(rect);
        return 0;
    }
    if ((verb == "control" || verb == "text") && argc >= 4) {
        HWND window = FindTopLevel(argv[2]);
        HWND control = window ? GetDlgItem(window, std::atoi(argv[3])) : nullptr;
        if (!control) return 1;
        if (verb == "control") {
            RECT rect = {};
            GetWindowRect(control, &rect);
            PrintRect(rect);
        }
        // GetWindowTextA does not reach another process's edit controls; WM_GETTEXT does.
        char text[1024] = "";
        DWORD_PTR length = 0;
        SendMessageTimeoutA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 2000, &length);
        std::printf("%s\n", text);
        return 0;
    }
    if (verb == "children" && argc >= 4) {
        HWND window = FindTopLevel(argv[2]);
        if (!window) return 1;
        ChildList list = {argv[3], argc >= 5 ? argv[4] : nullptr};
        EnumChildWindows(window, PrintChild, reinterpret_cast<LPARAM>(&list));
        return 0;
    }
    if (verb == "clipboard") {
        if (!OpenClipboard(nullptr)) return 1;
        HANDLE data = GetClipboardData(CF_TEXT);
        const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
        std::printf("%s\n", text ? text : "");
        if (text) GlobalUnlock(data);
        CloseClipboard();
        return 0;
    }
    if (verb == "pixel" && argc >= 4) {
        HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        const COLORREF color = GetPixel(screen, std::atoi(argv[2]), std::atoi(argv[3]));
        DeleteDC(screen);
        std::printf("%02X%02X%02X\n", GetRValue(color), GetGValue(color), GetBValue(color));
        return 0;
    }
    if (verb == "close" && argc >= 3) {
        HWND window = FindWindowA(argv[2], nullptr);
        if (!window) return 1;
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (verb == "foreground") {
        char className[64] = "";
        if (HWND window = GetForegroundWindow()) GetClassNameA(window, className, sizeof(className));
        std::printf("%s\n", className);
        return 0;
    }
    if (verb == "topmost" && argc >= 3) {
        HWND window = FindTopLevel(argv[2]);
        if (!window) return 1;
        std::printf("%d\n", (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
        return 0;
    }
    if (verb == "windows") {
        EnumWindows(PrintTopLevel, 0);
        return 0;
    }
    if ((verb == "status" || verb == "item") && argc >= 5) {
        HWND window = FindTopLevel(argv[2]);
        HWND control = window ? GetDlgItem(window, std::atoi(argv[3])) : nullptr;
        if (!control) return 1;
        return verb == "status" ? PrintStatusPart(control, std::atoi(argv[4]))
                                : PrintListItem(control, std::atoi(argv[4]));
    }
    if ((verb == "state" || verb == "position") && argc >= 4) {
        HWND window = FindTopLevel(argv[2]);
        HWND control = window ? GetDlgItem(window, std::atoi(argv[3])) : nullptr;
        if (!control) return 1;
        if (verb == "position")
            std::printf("%ld\n", static_cast<long>(SendWithTimeout(control, TBM_GETPOS, 0, 0)));
        else
            std::printf("%s %s\n", IsWindowEnabled(control) ? "enabled" : "disabled",
                        IsWindowVisible(control) ? "visible" : "hidden");
        return 0;
    }
    if (verb == "focus" && argc >= 3) {
        HWND window = FindTopLevel(argv[2]);
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof(thread);
        if (!window || !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) return 1;
        char className[64] = "";
        if (thread.hwndFocus) GetClassNameA(thread.hwndFocus, className, sizeof(className));
        std::printf("%d %s\n", thread.hwndFocus ? GetDlgCtrlID(thread.hwndFocus) : 0, className);
        return 0;
    }
    if (verb == "selection" && argc >= 4) {
        HWND window = FindTopLevel(argv[2]);
        HWND control = window ? GetDlgItem(window, std::atoi(argv[3])) : nullptr;
        if (!control) return 1;
        const LRESULT selection = SendWithTimeout(control, EM_GETSEL, 0, 0);
        std::printf("%d %d\n", LOWORD(selection), HIWORD(selection));
        return 0;
    }
    if (verb == "holdclipboard") {
        if (!OpenClipboard(nullptr)) return 1;
        std::printf("held\n");
        std::fflush(stdout);
        char line[16];
        std::fgets(line, sizeof line, stdin);
        CloseClipboard();
        return 0;
    }
    if (verb == "tip") {
        char text[1024] = "";
        for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) != nullptr;)
            if (IsWindowVisible(tip))
                SendWithTimeout(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return std::printf("%s\n", text), 0;
    }
    if (verb == "swatch" && argc >= 6) {
        const unsigned long rgb = std::strtoul(argv[2], nullptr, 16);
        CreateSwatchWindow(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF), std::atoi(argv[3]),
                           std::atoi(argv[4]), std::atoi(argv[5]));
        for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;)
            DispatchMessageA(&message);
        return 0;
    }
    return Usage();
}

// Answers verbs read one per line from standard input, each answer followed by the line
// "--probe-end-- CODE", so that a script pays for starting a Windows process only once.
int Serve()
{
    char line[1024];
    while (std::fgets(line, sizeof(line), stdin)) {
        std::vector<char*> words = {const_cast<char*>("probe")};
        for (char* word = std::strtok(line, " \t\r\n"); word; word = std::strtok(nullptr, " \t\r\n"))
            words.push_back(word);
        const int code = words.size() > 1 ? RunVerb(static_cast<int>(words.size()), words.data()) : 0;
        std::printf("--probe-end-- %d\n", code);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "serve") return Serve();
    return RunVerb(argc, argv);
}
