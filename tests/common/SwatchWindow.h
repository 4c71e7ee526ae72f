// A plain top-level window of one colour, above everything else: a known pixel for screen capture,
// shared by the capture tests and the capture benchmark.
#pragma once

#include <windows.h>

inline LRESULT CALLBACK SwatchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT area;
        GetClientRect(window, &area);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
        DeleteObject(brush);
        const auto odd = reinterpret_cast<UINT_PTR>(GetPropA(window, "odd")); // a checkerboard's other colour
        for (int i = 0, w = area.right; odd && i < w * area.bottom; ++i)
            if ((i % w + i / w) % 2) SetPixelV(reinterpret_cast<HDC>(wParam), i % w, i / w, odd & 0xFFFFFF);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Shows a square of the colour at (x, y), without taking the activation; with a second colour, a
// checkerboard whose top left pixel has the first.
inline HWND CreateSwatchWindow(COLORREF color, int x, int y, int size, COLORREF odd = CLR_INVALID)
{
    const char className[] = "HuebenchSwatch";
    WNDCLASSA type = {};
    type.lpfnWndProc = SwatchWindowProc;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = className;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&type); // fails harmlessly when already registered
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, className, "", WS_POPUP, x, y,
                        size, size, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    if (odd != CLR_INVALID)
        SetPropA(window, "odd", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(odd) | 0x1000000));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    return window;
}
