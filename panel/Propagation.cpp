// Propagation of the current colour, hexadecimal entry, the colour dialog and the clipboard.
#include "panel/Propagation.h"

#include <commdlg.h>

#include "panel/Channels.h"
#include "panel/RecentColors.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"
#include "shell/Fatal.h"
#include "shell/HeapBlock.h"
#include "shell/Menus.h"
#include "shell/resource.h"

char HexText[HEX_TEXT_SIZE];
COLORREF CustomColors[16];

namespace {

constexpr int CLIPBOARD_FAILURE_LINE = 34;

// The hexadecimal field, kept from start-up on.
HWND HexField;

// The message of each failed parse, by HexCodeResult.
struct HexCodeMessage {
    HexCodeResult result;
    UINT textId;
};
constexpr HexCodeMessage HEX_CODE_MESSAGES[] = {
    {HEXCODE_LENGTH, IDS_HEXCODE_LENGTH},
    {HEXCODE_NOHASH, IDS_HEXCODE_NOHASH},
    {HEXCODE_DBCS, IDS_HEXCODE_DBCS},
    {HEXCODE_DIGIT, IDS_HEXCODE_DIGIT},
};

UINT HexCodeMessageId(HexCodeResult result)
{
    for (const HexCodeMessage& message : HEX_CODE_MESSAGES)
        if (message.result == result) return message.textId;
    return IDS_HEXCODE_DIGIT;
}

} // namespace

void InitHexField(HWND form)
{
    HexField = GetDlgItem(form, IDC_HEXEDIT);
    SendMessageA(HexField, EM_LIMITTEXT, COLOR_CODE_LENGTH, 0);
}

void PropagateCurrentColor(HWND form)
{
    const COLORREF color = ChannelColor();
    lstrcpynA(HexText, FormatColorCode(color, IsOptionChecked(form, IDM_CAPTION)).text, HEX_TEXT_SIZE);
    if (IsOptionChecked(form, IDM_AUTOCOPY) && OpenClipboard(form)) CopyTextToClipboard(HexText);
    // The field reports the change at once, which settles the apply button before we go on.
    SetWindowTextA(HexField, HexText);
    PreviewTemplate.innerColor = color;
    if (const HWND preview = GetActivePreview()) {
        SendMessageA(preview, PM_SETINNERCOLOR, reinterpret_cast<WPARAM>(&PreviewTemplate),
                     reinterpret_cast<LPARAM>(HexText));
    }
    if (IsOptionChecked(form, IDM_SYNCHRO)) {
        if (const HWND preview = GetActivePreview())
            SendMessageA(preview, PM_SETOUTERCOLOR, PreviewTemplate.innerColor, 0);
    }
}

void CopyTextToClipboard(const char* text)
{
    EmptyClipboard();
    const HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_ZEROINIT | GMEM_MOVEABLE, HEX_TEXT_SIZE);
    if (!block) {
        CloseClipboard();
        FatalError("Huebench", CLIPBOARD_FAILURE_LINE);
    }
    if (char* target = static_cast<char*>(GlobalLock(block))) {
        lstrcpynA(target, text ? text : "", HEX_TEXT_SIZE);
        GlobalUnlock(block);
        // The clipboard owns the block once it is taken; a refused block is still ours.
        if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    } else {
        GlobalFree(block);
    }
    CloseClipboard();
}

void OnHexFieldChange(HWND form)
{
    const HWND field = GetDlgItem(form, IDC_HEXEDIT);
    const int length = GetWindowTextLengthA(field);
    HeapBlock text(static_cast<SIZE_T>(length) + 2);
    if (!text.get()) {
        ShowMessage(LoadResourceText(IDS_DEFAULT_ALERT).text, nullptr, MB_TOPMOST);
        return;
    }
    GetWindowTextA(field, text.text(), length + 2);
    const ColorCode current = FormatColorCode(ChannelColor(), IsOptionChecked(form, IDM_CAPTION));
    // A code typed in the other case still names the current colour.
    EnableWindow(GetDlgItem(form, IDC_APPLY), lstrcmpiA(current.text, text.text()) != 0);
}

HexCodeResult ApplyHexField()
{
    // The field holds at most 7 characters; anything cut to this buffer is still too long to parse.
    char text[HEX_TEXT_SIZE] = {};
    GetWindowTextA(HexField, text, sizeof text);
    COLORREF color = 0;
    const HexCodeResult result = ParseColorCode(text, &color);
    if (result == HEXCODE_OK) WriteChannelEdits(color);
    return result;
}

void OnApply(HWND form)
{
    const HexCodeResult result = ApplyHexField();
    if (result == HEXCODE_OK) {
        RememberRecentColor(form, ChannelColor());
        EnableWindow(GetDlgItem(form, IDC_APPLY), FALSE);
        return;
    }
    ShowMessage(LoadResourceText(HexCodeMessageId(result)).text, nullptr, MB_TOPMOST | MB_ICONERROR);
}

bool ChooseColorFromDialog(HWND form)
{
    CHOOSECOLORA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = form;
    // The dialog opens on the colour the user is looking at.
    dialog.rgbResult = ChannelColor();
    dialog.lpCustColors = CustomColors;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&dialog)) return false;
    WriteChannelEdits(dialog.rgbResult);
    RememberRecentColor(form, dialog.rgbResult);
    return true;
}
