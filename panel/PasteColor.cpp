// Pasting a colour from the clipboard's text.
#include "panel/PasteColor.h"

#include <cstdio>
#include <string>

#include "colour/CssColor.h"
#include "panel/Channels.h"
#include "panel/RecentColors.h"
#include "shell/Fatal.h"
#include "shell/WideText.h"
#include "shell/resource.h"

namespace {

// A message names at most this much of what was read.
constexpr size_t SHOWN_CHARACTERS = 40;
constexpr wchar_t ELLIPSIS[] = L"\x2026";

struct ClipboardText {
    bool opened;
    std::wstring text;
};

ClipboardText ReadClipboardText(HWND form)
{
    ClipboardText read = {};
    if (!OpenClipboard(form)) return read;
    read.opened = true;
    // The system offers every text as CF_UNICODETEXT, converting CF_TEXT where needed.
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            read.text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return read;
}

// A colour is ASCII text; other characters can only make it unreadable, except the spaces of a
// web page or a Japanese text around it.
std::string ParserText(const std::wstring& text)
{
    std::string ascii;
    for (wchar_t c : text)
        ascii += c == 0x00A0 || c == 0x3000 ? ' ' : c < 0x80 ? static_cast<char>(c) : '\x7F';
    return ascii;
}

// What was read, on one line and cut short, in the program's code page.
std::string ShownText(std::wstring text)
{
    for (wchar_t& c : text)
        if (c < L' ') c = L' ';
    if (text.size() > SHOWN_CHARACTERS) {
        size_t cut = SHOWN_CHARACTERS;
        if (IS_HIGH_SURROGATE(text[cut - 1])) --cut; // never half a character
        text = text.substr(0, cut) + ELLIPSIS;
    }
    return NarrowText(text.c_str(), static_cast<int>(text.size())).get();
}

void ShowRefusal(UINT textId, const std::wstring& read)
{
    char message[sizeof ResourceText{}.text + 4 * SHOWN_CHARACTERS];
    std::snprintf(message, sizeof message, LoadResourceText(textId).text, ShownText(read).c_str());
    ShowMessage(message, nullptr, MB_TOPMOST | MB_ICONERROR);
}

} // namespace

void PasteColor(HWND form)
{
    const ClipboardText read = ReadClipboardText(form);
    if (!read.opened) {
        ShowMessage(LoadResourceText(IDS_CLIPBOARD_BUSY).text, nullptr, MB_TOPMOST | MB_ICONERROR);
        return;
    }
    const std::string text = ParserText(read.text);
    if (text.find_first_not_of(" \t\r\n\f") == std::string::npos) {
        ShowMessage(LoadResourceText(IDS_PASTE_EMPTY).text, nullptr, MB_TOPMOST | MB_ICONERROR);
        return;
    }
    const CssColorResult result = ParseCssColor(text);
    if (result.status != CSSCOLOR_OK) {
        ShowRefusal(result.status == CSSCOLOR_TRANSLUCENT ? IDS_PASTE_TRANSLUCENT : IDS_PASTE_UNKNOWN,
                    read.text);
        return;
    }
    WriteChannelEdits(result.color);
    RememberRecentColor(form, result.color);
}
