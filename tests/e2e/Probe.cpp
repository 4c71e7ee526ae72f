// A small console helper for the end-to-end scripts: it looks at the windows of the program under
// test from outside, as a person would see them (positions, texts, menu checks, clipboard, pixels).
//   probe wait CLASS [ms]          wait for a visible top-level window; print its rectangle
//   probe gone CLASS [ms]          wait until no such window exists
//   probe rect CLASS               window rectangle: left top right bottom
//   probe control CLASS ID         screen rectangle of a control, then its text on the next line
//   probe text CLASS ID            text of a control
//   probe children CLASS CHILD     one line per child window of class CHILD: rectangle and title
//   probe clipboard                the clipboard's text
//   probe pixel X Y                the screen pixel as RRGGBB
//   probe close CLASS              post WM_CLOSE to the window (clean-up after a failed scenario)
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND FindTopLevel(const char* className)
{
    HWND window = FindWindowA(className, nullptr);
    return (window && IsWindowVisible(window)) ? window : nullptr;
}

void PrintRect(const RECT& rect) { std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom); }

struct ChildList {
    HWND parent;
    const char* className;
};

BOOL CALLBACK PrintChild(HWND window, LPARAM lParam)
{
    const auto* list = reinterpret_cast<const ChildList*>(lParam);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, list->className) != 0 || !IsWindowVisible(window)) return TRUE;
    RECT rect = {};
    GetWindowRect(window, &rect);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof(title));
    std::printf("%ld %ld %ld %ld %s\n", rect.left, rect.top, rect.right, rect.bottom, title);
    return TRUE;
}

int Usage()
{
    std::fprintf(stderr, "usage: probe wait|gone|rect|control|text|children|clipboard|pixel|close ...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
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
        SendMessageTimeoutA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            2000, &length);
        std::printf("%s\n", text);
        return 0;
    }
    if (verb == "children" && argc >= 4) {
        HWND window = FindTopLevel(argv[2]);
        if (!window) return 1;
        ChildList list = {window, argv[3]};
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
    return Usage();
}
