// The program's texts are code page 932; these carry them to and from the W functions, which take
// them whole whatever code page the system has.
#pragma once

#include <windows.h>
#include <memory>
#include <new>

constexpr UINT PROGRAM_CODE_PAGE = 932;

// A text converted from one code page to UTF-16 or back; empty when it cannot be (no memory).
template <typename To> class ConvertedText {
  public:
    const To* get() const { return text_ ? text_.get() : empty_; }
    int length() const { return length_; } // without the terminator

  protected:
    bool Allocate(int length)
    {
        text_.reset(new (std::nothrow) To[static_cast<size_t>(length) + 1]());
        length_ = text_ ? length : 0;
        return text_ != nullptr;
    }
    std::unique_ptr<To[]> text_;
    int length_ = 0;
    static constexpr To empty_[1] = {};
};

// Code page 932 (or another) to UTF-16.
class WideText : public ConvertedText<wchar_t> {
  public:
    explicit WideText(const char* text, int length = -1, UINT codePage = PROGRAM_CODE_PAGE)
    {
        if (!text) return;
        if (length < 0) length = lstrlenA(text);
        const int needed = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
        if (needed > 0 && Allocate(needed))
            MultiByteToWideChar(codePage, 0, text, length, text_.get(), needed);
    }
};

// UTF-16 to code page 932 (or another); characters the code page lacks become its default one.
class NarrowText : public ConvertedText<char> {
  public:
    explicit NarrowText(const wchar_t* text, int length = -1, UINT codePage = PROGRAM_CODE_PAGE)
    {
        if (!text) return;
        if (length < 0) length = lstrlenW(text);
        const int needed = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
        if (needed > 0 && Allocate(needed))
            WideCharToMultiByte(codePage, 0, text, length, text_.get(), needed, nullptr, nullptr);
    }
};

// GDI converts the text of DrawTextA, TextOutA and GetTextExtentPoint32A by the font's character
// set, which for most fonts means the system's code page, not the program's: every text that may
// hold Japanese is measured and drawn through these instead.
inline int DrawText932(HDC dc, const char* text, RECT* box, UINT format)
{
    const WideText wide(text);
    return DrawTextW(dc, wide.get(), wide.length(), box, format);
}
inline SIZE TextExtent932(HDC dc, const char* text)
{
    const WideText wide(text);
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.get(), wide.length(), &size);
    return size;
}
