// Small owners of GDI objects and device contexts, so that no path leaks a handle.
#pragma once

#include <windows.h>
#include <utility>

#include "WideText.h" // DrawText932, TextExtent932: the text drawing of the whole program

// Owns one GDI object (brush, font, pen) and deletes it; moves, never copies. Keeps a tally of the
// objects the program has made and not yet deleted, since GetGuiResources answers 0 under Wine.
class GdiObject {
  public:
    explicit GdiObject(HGDIOBJ handle = nullptr) : handle_(handle) { Count(handle_, +1); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other) reset(std::exchange(other.handle_, nullptr), false);
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(); }

    // Deletes the object held and takes the new one (made by the caller just now).
    void reset(HGDIOBJ handle = nullptr) { reset(handle, true); }
    HGDIOBJ get() const { return handle_; }
    HBRUSH brush() const { return static_cast<HBRUSH>(handle_); }
    HFONT font() const { return static_cast<HFONT>(handle_); }
    explicit operator bool() const { return handle_ != nullptr; }

    static long LiveCount() { return liveCount_; }

  private:
    void reset(HGDIOBJ handle, bool fresh)
    {
        if (handle_) {
            DeleteObject(handle_);
            Count(handle_, -1);
        }
        handle_ = handle;
        if (fresh) Count(handle_, +1);
    }
    static void Count(HGDIOBJ handle, long delta)
    {
        if (handle) liveCount_ += delta;
    }

    HGDIOBJ handle_;
    static inline long liveCount_ = 0;
};

inline GdiObject MakeSolidBrush(COLORREF color)
{
    return GdiObject(CreateSolidBrush(color));
}
inline GdiObject MakeFont(const LOGFONTA& logFont)
{
    return GdiObject(CreateFontIndirectA(&logFont));
}

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GetDC / ReleaseDC of a window.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A DC the program created (CreateDCA, the print dialog's printer DC): DeleteDC on scope exit.
class OwnedDC {
  public:
    explicit OwnedDC(HDC dc = nullptr) : dc_(dc) {}
    OwnedDC(OwnedDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    OwnedDC& operator=(OwnedDC&& other) noexcept
    {
        std::swap(dc_, other.dc_);
        return *this;
    }
    ~OwnedDC()
    {
        if (dc_) DeleteDC(dc_);
    }
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
  public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};
