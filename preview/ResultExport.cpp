// The contrast results of the previews as text, as a table and as a CSV file.
#include "preview/ResultExport.h"

#include <commdlg.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "colour/ContrastResult.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"
#include "print/PrintGeometry.h"
#include "shell/Fatal.h"
#include "shell/Layout.h"
#include "shell/Menus.h"
#include "shell/WideText.h"
#include "shell/resource.h"

namespace {

constexpr char TABLE_SEPARATOR = '\t';
constexpr char CSV_SEPARATOR = ',';
constexpr char UTF8_BOM[] = "\xEF\xBB\xBF";
constexpr wchar_t CSV_EXTENSION[] = L"csv";
constexpr wchar_t TEMP_PREFIX[] = L"hue";
constexpr WORD JAPANESE_LANGUAGE = MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN);

PreviewResultFacts FactsOf(HWND form, HWND preview, const PreviewState& state)
{
    PreviewResultFacts facts = {};
    GetWindowTextA(preview, facts.title, sizeof facts.title);
    facts.fontColor = state.fontColor;
    facts.innerColor = state.innerColor;
    facts.outerColor = state.outerColor;
    std::memcpy(facts.face, state.logFont.lfFaceName, LF_FACESIZE); // may fill all 32 bytes
    facts.points = FontPoints(state.logFont.lfHeight, ScreenDpi(form));
    facts.bold = state.logFont.lfWeight >= FW_BOLD;
    facts.vision = state.vision;
    return facts;
}

// The previews in the order of the window list, whose entries the MDI client numbers.
std::vector<PreviewResultFacts> AllFacts(HWND form)
{
    std::vector<PreviewResultFacts> all;
    for (UINT id = IDM_WINDOWCHILD_FIRST;; ++id) {
        const HWND preview = GetDlgItem(MdiContext.MdiClient, static_cast<int>(id));
        const PreviewState* state = PreviewStateOf(preview);
        if (!state) break;
        all.push_back(FactsOf(form, preview, *state));
    }
    return all;
}

void PutClipboardData(UINT format, const void* data, size_t size)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return;
    if (void* target = GlobalLock(block)) {
        std::memcpy(target, data, size);
        GlobalUnlock(block);
        if (SetClipboardData(format, block)) return; // the clipboard owns it now
    }
    GlobalFree(block);
}

// Both text forms, and the locale that tells a program reading CF_TEXT its code page.
void PutTextOnClipboard(HWND form, const std::string& text)
{
    if (!OpenClipboard(form)) {
        ShowMessage(LoadResourceText(IDS_CLIPBOARD_BUSY).text, nullptr, MB_TOPMOST | MB_ICONERROR);
        return;
    }
    EmptyClipboard();
    const WideText wide(text.c_str(), static_cast<int>(text.size()));
    PutClipboardData(CF_UNICODETEXT, wide.get(), (wide.length() + 1) * sizeof(wchar_t));
    PutClipboardData(CF_TEXT, text.c_str(), text.size() + 1);
    const LCID locale = MAKELCID(JAPANESE_LANGUAGE, SORT_DEFAULT);
    PutClipboardData(CF_LOCALE, &locale, sizeof locale);
    CloseClipboard();
}

// Written beside the target and moved over it: a failure leaves the old file, or none, whole.
bool ReplaceFile(const std::wstring& path, const std::string& bytes)
{
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
    wchar_t temporary[MAX_PATH] = L"";
    if (!GetTempFileNameW(folder.c_str(), TEMP_PREFIX, 0, temporary)) return false;
    const HANDLE file =
        CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool done = file != INVALID_HANDLE_VALUE &&
                WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                written == bytes.size() && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    done = done && MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!done) DeleteFileW(temporary);
    return done;
}

} // namespace

void CopyContrastResult(HWND form, HWND preview)
{
    const PreviewState* state = PreviewStateOf(preview);
    if (!state) return;
    PutTextOnClipboard(
        form, ContrastResultText(FactsOf(form, preview, *state), IsOptionChecked(form, IDM_CAPTION)));
}

void CopyResultTable(HWND form)
{
    const std::vector<PreviewResultFacts> all = AllFacts(form);
    if (all.empty()) return;
    PutTextOnClipboard(form, ContrastResultTable(all, IsOptionChecked(form, IDM_CAPTION), TABLE_SEPARATOR));
}

bool SaveResultCsvTo(HWND form, const wchar_t* path)
{
    const std::vector<PreviewResultFacts> all = AllFacts(form);
    if (all.empty() || !path) return false;
    const std::string table = ContrastResultTable(all, IsOptionChecked(form, IDM_CAPTION), CSV_SEPARATOR);
    const WideText wide(table.c_str(), static_cast<int>(table.size()));
    if (ReplaceFile(path, UTF8_BOM + std::string(NarrowText(wide.get(), wide.length(), CP_UTF8).get())))
        return true;
    char message[sizeof ResourceText{}.text + 2 * MAX_PATH];
    std::snprintf(message, sizeof message, LoadResourceText(IDS_CSV_FAILED).text, NarrowText(path).get());
    ShowMessage(message, nullptr, MB_TOPMOST | MB_ICONERROR);
    return false;
}

void SaveResultCsv(HWND form)
{
    if (!GetActivePreview()) return;
    // The filter's texts and patterns stand in one string with "|" for each terminator.
    std::wstring filter = WideText(LoadResourceText(IDS_CSV_FILTER).text).get();
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    wchar_t path[MAX_PATH] = L"";
    lstrcpynW(path, WideText(LoadResourceText(IDS_CSV_DEFAULT_NAME).text).get(), MAX_PATH);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = form;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = CSV_EXTENSION;
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (GetSaveFileNameW(&dialog)) SaveResultCsvTo(form, path);
}
