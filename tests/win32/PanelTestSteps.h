// Steps and watchers shared by the tests of the channel controls, propagation and settings.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

#include "MainFormFixture.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"

// Counts the private messages that reach one preview window, by subclassing it for its lifetime.
class PreviewSpy {
  public:
    explicit PreviewSpy(HWND preview) : window_(preview)
    {
        if (!window_) return;
        SetPropA(window_, PROPERTY, this);
        saved_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PreviewSpy::Procedure)));
    }
    PreviewSpy(const PreviewSpy&) = delete;
    PreviewSpy& operator=(const PreviewSpy&) = delete;
    ~PreviewSpy()
    {
        if (!window_ || !IsWindow(window_)) return;
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved_));
        RemovePropA(window_, PROPERTY);
    }
    void Reset()
    {
        titles.clear();
        outerColors.clear();
    }
    int InnerColorMessages() const { return static_cast<int>(titles.size()); }
    int OuterColorMessages() const { return static_cast<int>(outerColors.size()); }

    std::vector<std::string> titles;   // the title of every PM_SETINNERCOLOR
    std::vector<COLORREF> outerColors; // the colour of every PM_SETOUTERCOLOR

  private:
    static constexpr const char* PROPERTY = "HuebenchTestSpy";
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* spy = static_cast<PreviewSpy*>(GetPropA(window, PROPERTY));
        if (message == PM_SETINNERCOLOR) spy->titles.push_back(reinterpret_cast<const char*>(lParam));
        if (message == PM_SETOUTERCOLOR) spy->outerColors.push_back(static_cast<COLORREF>(wParam));
        return CallWindowProcA(spy->saved_, window, message, wParam, lParam);
    }

    HWND window_;
    WNDPROC saved_ = nullptr;
};

// Records every text put on the clipboard, as a clipboard viewer sees it the moment it is closed.
class ClipboardWatch {
  public:
    ClipboardWatch()
    {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA existing = {};
        existing.cbSize = sizeof existing;
        if (!GetClassInfoExA(instance, CLASS_NAME, &existing)) {
            WNDCLASSEXA record = {};
            record.cbSize = sizeof record;
            record.lpfnWndProc = &ClipboardWatch::Procedure;
            record.hInstance = instance;
            record.lpszClassName = CLASS_NAME;
            RegisterClassExA(&record);
        }
        window_ =
            CreateWindowExA(0, CLASS_NAME, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        SetPropA(window_, PROPERTY, this);
        next_ = SetClipboardViewer(window_);
        PumpMessages(30);
        texts.clear();
    }
    ClipboardWatch(const ClipboardWatch&) = delete;
    ClipboardWatch& operator=(const ClipboardWatch&) = delete;
    ~ClipboardWatch()
    {
        ChangeClipboardChain(window_, next_);
        RemovePropA(window_, PROPERTY);
        DestroyWindow(window_);
    }

    std::vector<std::string> texts;

  private:
    static constexpr const char* CLASS_NAME = "HuebenchTestClipboardWatch";
    static constexpr const char* PROPERTY = "HuebenchTestWatch";
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* watch = static_cast<ClipboardWatch*>(GetPropA(window, PROPERTY));
        if (watch && message == WM_DRAWCLIPBOARD) {
            watch->Record();
            if (watch->next_) SendMessageA(watch->next_, message, wParam, lParam);
            return 0;
        }
        if (watch && message == WM_CHANGECBCHAIN) {
            if (reinterpret_cast<HWND>(wParam) == watch->next_)
                watch->next_ = reinterpret_cast<HWND>(lParam);
            else if (watch->next_)
                SendMessageA(watch->next_, message, wParam, lParam);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    void Record()
    {
        if (!OpenClipboard(window_)) return;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char* text = static_cast<const char*>(GlobalLock(data))) {
                texts.emplace_back(text);
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }

    HWND window_ = nullptr;
    HWND next_ = nullptr;
};

// Keystrokes into an edit control, as the keyboard delivers them after translation.
inline void TypeInto(HWND field, const std::string& keys)
{
    for (const char key : keys)
        SendMessageA(field, WM_CHAR, static_cast<unsigned char>(key), 1);
}

inline void SelectAll(HWND field)
{
    SendMessageA(field, EM_SETSEL, 0, -1);
}

// Selects the whole field and types over it.
inline void RetypeField(HWND field, const std::string& keys)
{
    SelectAll(field);
    TypeInto(field, keys);
}

// What a paste over the whole field leaves behind.
inline void PasteOverField(HWND field, const char* text)
{
    SelectAll(field);
    SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

inline void ClickButton(HWND button)
{
    SendMessageA(button, BM_CLICK, 0, 0);
}

inline PreviewState* ActivePreviewState()
{
    const HWND preview = GetActivePreview();
    return preview ? PreviewStateOf(preview) : nullptr;
}

inline std::string HexString(COLORREF color)
{
    char text[16];
    wsprintfA(text, "0x%06lX", static_cast<unsigned long>(color));
    return text;
}
