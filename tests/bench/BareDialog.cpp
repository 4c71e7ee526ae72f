// The baseline of the start-up benchmark: a dialog made from a template, shown, and a message loop
// with nothing else, built with the same toolchain and options as Huebench.exe.
#include <windows.h>

namespace {

const char DIALOG_TEMPLATE[] = "BAREDIALOG";

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) DestroyWindow(dialog);
        return TRUE;
    case WM_CLOSE: DestroyWindow(dialog); return TRUE;
    case WM_DESTROY: PostQuitMessage(0); return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    HWND dialog = CreateDialogParamA(instance, DIALOG_TEMPLATE, nullptr, BareDialogProc, 0);
    if (!dialog) return 1;
    ShowWindow(dialog, showCommand);
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
