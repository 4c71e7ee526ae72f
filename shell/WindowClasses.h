// The program's two window classes, for the program and for the start-up benchmark's skeleton of it.
#pragma once

#include <windows.h>

#include "resource.h"

constexpr char MAIN_FORM_CLASS[] = "MAINFORM";
constexpr char CHILD_CLASS[] = "MDI_CHILD";
constexpr char CLASS_MENU_NAME[] = "IDM_MNU"; // names no resource: the form's menu comes from its template

// Registers MAINFORM with `formProc` and MDI_CHILD with `previewProc`; the child class's name is
// first copied into `childClassName` (16 characters), the buffer that creates the previews.
inline bool RegisterFormClasses(HINSTANCE instance, WNDPROC formProc, WNDPROC previewProc,
                                char* childClassName)
{
    WNDCLASSEXA record = {};
    record.cbSize = sizeof(record);
    record.style = CS_DBLCLKS;
    record.lpfnWndProc = formProc;
    record.cbWndExtra = DLGWINDOWEXTRA;
    record.hInstance = instance;
    record.hIcon = record.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_HUEBENCH));
    record.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    record.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    record.lpszMenuName = CLASS_MENU_NAME;
    record.lpszClassName = MAIN_FORM_CLASS;
    if (!RegisterClassExA(&record)) return false;

    lstrcpyA(childClassName, CHILD_CLASS);
    record.lpfnWndProc = previewProc;
    record.cbWndExtra = 4;
    record.hbrBackground = nullptr; // the preview paints its whole area itself
    record.hIcon = record.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    record.lpszClassName = childClassName;
    return RegisterClassExA(&record) != 0;
}
