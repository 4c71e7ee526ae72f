// The settings file beside the program.
#include "settings/Settings.h"

#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "colour/ColorModel.h"
#include "colour/Loupe.h"
#include "panel/Capture.h"
#include "panel/Channels.h"
#include "panel/Propagation.h"
#include "panel/RecentColors.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"
#include "settings/SettingsCodec.h"
#include "shell/Fatal.h"
#include "shell/Menus.h"
#include "shell/resource.h"

wchar_t SettingsPath[SETTINGS_PATH_SIZE];

namespace {

constexpr char SECTION_MAINWINDOW[] = "MAINWINDOW";
constexpr char SECTION_MENU[] = "MENU";
constexpr char SECTION_MDIWINDOW[] = "MDIWINDOW";
constexpr char SECTION_PREVIEW[] = "PREVIEW";

constexpr char KEY_VISION[] = "VISION";
constexpr char KEY_LOUPEZOOM[] = "LOUPEZOOM";
constexpr char KEY_SAMPLE[] = "SAMPLE";
constexpr char PLACEMENT_MAXIMIZED[] = "MAX";
constexpr char PLACEMENT_MINIMIZED[] = "MIN";

constexpr long long COLOR_LIMIT = 0xFFFFFF;
constexpr int FONT_OPTION_LIMIT =
    FONTOPTION_BOLD | FONTOPTION_ITALIC | FONTOPTION_UNDERLINE | FONTOPTION_STRIKEOUT;
// Window coordinates and font heights beyond this are no value the program ever wrote.
constexpr long long COORDINATE_LIMIT = 32767;
constexpr int FACE_NAME_SIZE = LF_FACESIZE;
constexpr int NUMBER_TEXT_SIZE = 32;

// The options kept in the file, in the order they are written.
struct StoredOption {
    const char* key;
    UINT id;
    int byDefault;
};
constexpr StoredOption STORED_OPTIONS[] = {
    {"AUTOCOPY", IDM_AUTOCOPY, 0},
    {"CAPTION", IDM_CAPTION, MF_CHECKED},
    {"TOPLEVEL", IDM_TOPLEVEL, 0},
    {"SYNCHRO", IDM_SYNCHRO, MF_CHECKED},
};

// Options added since the first release, written after the others; a file without them
// loads their defaults.
constexpr StoredOption ADDED_OPTIONS[] = {
    {"LOUPE", IDM_LOUPE, MF_CHECKED},
};

bool SettingsWriteFailed = false;
bool UnsavedReported = false;

const wchar_t* EnsureSettingsPath()
{
    if (SettingsPath[0] == L'\0') ComputeSettingsPath();
    return SettingsPath;
}

// The whole file, read on its bytes; empty when there is none or it cannot be read.
std::string ReadSettingsFile()
{
    std::string contents;
    const HANDLE file = CreateFileW(EnsureSettingsPath(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return contents;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < MAXLONG) {
        contents.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, &contents[0], static_cast<DWORD>(contents.size()), &read, nullptr)) read = 0;
        contents.resize(read);
    }
    CloseHandle(file);
    return contents;
}

bool WriteSettingsFile(const std::string& contents)
{
    // Opened, not made anew: a hidden file and its permissions stay as the user left them.
    const HANDLE file = CreateFileW(EnsureSettingsPath(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole =
        WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
        written == contents.size() && SetEndOfFile(file);
    return CloseHandle(file) && whole;
}

// The file as LoadSettings found it, read once for all its keys.
std::string LoadedFile;

// The file of the save under way: its keys are set here, and the file is written once at its end.
std::string* SavingFile = nullptr;

// One save: the file is read as it stands when the save begins (another copy of the program may have
// written it meanwhile) and written once, whole, when the save ends. A save inside another is part
// of it.
class SettingsSave {
  public:
    SettingsSave() : outermost_(SavingFile == nullptr)
    {
        if (!outermost_) return;
        file_ = ReadSettingsFile();
        SavingFile = &file_;
    }
    ~SettingsSave()
    {
        if (!outermost_) return;
        SavingFile = nullptr;
        if (!WriteSettingsFile(file_)) SettingsWriteFailed = true;
    }
    SettingsSave(const SettingsSave&) = delete;
    SettingsSave& operator=(const SettingsSave&) = delete;

  private:
    bool outermost_;
    std::string file_;
};

void WriteText(const char* section, const char* key, const char* value)
{
    if (SavingFile) {
        *SavingFile = SetIniValue(*SavingFile, section, key, value);
        return;
    }
    const SettingsSave save;
    WriteText(section, key, value);
}

void WriteNumber(const char* section, const char* key, long value)
{
    char text[NUMBER_TEXT_SIZE];
    std::snprintf(text, sizeof text, "%ld", value);
    WriteText(section, key, text);
}

// The platform cuts a long value to the buffer; a cut may leave half a double-byte character.
void DropCutLeadByte(char* text)
{
    bool lead = false;
    char* last = nullptr;
    for (char* cursor = text; *cursor != '\0'; ++cursor) {
        if (lead) {
            lead = false;
            continue;
        }
        last = cursor;
        lead = IsShiftJisLeadByte(static_cast<unsigned char>(*cursor));
    }
    if (lead && last) *last = '\0';
}

void ReadText(const char* section, const char* key, const char* byDefault, char* out, DWORD outSize)
{
    // A value cut to the buffer may leave its last byte unwritten: it must not be stale.
    ZeroMemory(out, outSize);
    std::string value;
    lstrcpynA(out, FindIniValue(LoadedFile, section, key, &value) ? value.c_str() : byDefault,
              static_cast<int>(outSize));
    out[outSize - 1] = '\0';
    DropCutLeadByte(out);
}

// A stored number as signed decimal; a missing or empty value gives the default, text that does not
// begin with a number 0. Read as text, so that no hexadecimal or octal form and no overflow sneaks in.
long long ReadNumber(const char* section, const char* key, long long byDefault)
{
    char text[NUMBER_TEXT_SIZE] = {};
    ReadText(section, key, "", text, sizeof text);
    if (text[0] == '\0') return byDefault;
    return std::strtoll(text, nullptr, 10);
}

// A number inside [low, high], or the default when it lies outside.
long long ReadNumberWithin(const char* section, const char* key, long long byDefault, long long low,
                           long long high)
{
    const long long value = ReadNumber(section, key, byDefault);
    return value < low || value > high ? byDefault : value;
}

COLORREF ReadColor(const char* key)
{
    return static_cast<COLORREF>(ReadNumberWithin(SECTION_PREVIEW, key, 0, 0, COLOR_LIMIT));
}

bool IsOnSomeMonitor(const RECT& rect)
{
    return MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}

bool IsCoordinate(long long value)
{
    return value >= -COORDINATE_LIMIT && value <= COORDINATE_LIMIT;
}

// A window placement of x, y, width and height that can be given to MoveWindow.
struct WindowPlacement {
    bool usable;
    int x, y, width, height;
};

WindowPlacement MakePlacement(long long x, long long y, long long width, long long height)
{
    if (!IsCoordinate(x) || !IsCoordinate(y) || width <= 0 || height <= 0 || !IsCoordinate(width) ||
        !IsCoordinate(height))
        return {false, 0, 0, 0, 0};
    return {true, static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
            static_cast<int>(height)};
}

// A window already at the stored place stays as it is: a move, even to where the window is, costs
// a round of position messages.
void PlaceWindow(HWND window, const WindowPlacement& placement)
{
    RECT now = {};
    GetWindowRect(window, &now);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
    if (now.left == placement.x && now.top == placement.y && now.right - now.left == placement.width &&
        now.bottom - now.top == placement.height)
        return;
    MoveWindow(window, placement.x, placement.y, placement.width, placement.height, FALSE);
}

// "MAX", "MIN" or left, top, right and bottom of the main form in screen coordinates.
void LoadMainWindowPosition(HWND form, char* buffer)
{
    ReadText(SECTION_MAINWINDOW, "POSITION", "", buffer, SETTINGS_TEXT_SIZE);
    // Posted, so that they take effect once start-up has shown the form.
    if (lstrcmpA(buffer, PLACEMENT_MAXIMIZED) == 0) {
        PostMessageA(form, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        return;
    }
    if (lstrcmpA(buffer, PLACEMENT_MINIMIZED) == 0) {
        PostMessageA(form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return;
    }
    const Placement stored = ParsePlacement(buffer);
    if (!IsPlacementUsable(stored)) return;
    const long long left = stored.values[0];
    const long long top = stored.values[1];
    const WindowPlacement placement =
        MakePlacement(left, top, stored.values[2] - left, stored.values[3] - top);
    if (!placement.usable) return;
    // A monitor that has gone since the last run would leave the form where nobody can reach it.
    const RECT rect = {placement.x, placement.y, placement.x + placement.width,
                       placement.y + placement.height};
    if (!IsOnSomeMonitor(rect)) return;
    PlaceWindow(form, placement);
}

void LoadPage(HWND form)
{
    const HWND tab = GetDlgItem(form, IDC_TAB);
    const long long pages = SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0);
    const long long page = ReadNumberWithin(SECTION_MAINWINDOW, "PAGE", 0, 0, pages - 1);
    SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
}

template <size_t count> void LoadCheckMarks(HWND form, const StoredOption (&stored)[count])
{
    const HMENU options = OptionsPopup(form);
    for (const StoredOption& option : stored) {
        const bool checked = ReadNumber(SECTION_MENU, option.key, option.byDefault) != 0;
        CheckMenuItem(options, option.id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void LoadOptions(HWND form)
{
    LoadCheckMarks(form, STORED_OPTIONS);
    // Any number but 0 ticks the box, as it checks an option: a hand-written 8 means "on" too.
    const bool safeSlide = ReadNumber(SECTION_MENU, "SAFESLIDE", BST_UNCHECKED) != 0;
    SendDlgItemMessageA(form, IDC_SAFESLIDE, BM_SETCHECK, safeSlide ? BST_CHECKED : BST_UNCHECKED, 0);
}

void LoadAddedOptions(HWND form)
{
    LoadCheckMarks(form, ADDED_OPTIONS);
    ChooseLoupeZoom(form, LoupeZoomFrom(ReadNumber(SECTION_MENU, KEY_LOUPEZOOM, LOUPE_ZOOM_DEFAULT)));
    ChooseSampleSide(form, SampleSideFrom(ReadNumber(SECTION_MENU, KEY_SAMPLE, SAMPLE_SIDE_DEFAULT)));
}

// "MAX", "MIN" or x, y, width and height of the active preview window within the MDI client.
void LoadPreviewPlacement(HWND preview, char* buffer)
{
    ReadText(SECTION_MDIWINDOW, "RECT", "", buffer, SETTINGS_TEXT_SIZE);
    if (!preview) return;
    if (lstrcmpA(buffer, PLACEMENT_MAXIMIZED) == 0) {
        SendMessageA(GetParent(preview), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(preview), 0);
        return;
    }
    if (lstrcmpA(buffer, PLACEMENT_MINIMIZED) == 0) {
        PostMessageA(preview, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return;
    }
    const Placement stored = ParsePlacement(buffer);
    if (!IsPlacementUsable(stored)) return;
    const WindowPlacement placement =
        MakePlacement(stored.values[0], stored.values[1], stored.values[2], stored.values[3]);
    if (placement.usable) PlaceWindow(preview, placement);
}

void LoadSampleText(HWND preview, char* buffer)
{
    const ResourceText sample = LoadResourceText(IDS_DEFAULT_SAMPLE);
    ReadText(SECTION_PREVIEW, "STRING", sample.text, buffer, SETTINGS_TEXT_SIZE);
    DecodeStoredText(buffer);
    if (preview) SendMessageA(preview, PM_SETTEXT, reinterpret_cast<WPARAM>(buffer), 0);
}

void LoadPreviewLook(HWND form)
{
    PreviewTemplate.innerColor = ReadColor("EDITCLR");
    lstrcpynA(HexText, FormatColorCode(PreviewTemplate.innerColor, IsOptionChecked(form, IDM_CAPTION)).text,
              HEX_TEXT_SIZE);
    PreviewTemplate.outerColor = ReadColor("BACKCLR");
    PreviewTemplate.fontColor = ReadColor("FONTCLR");

    // The file describes the whole font: what it leaves out is the fresh font's.
    LOGFONTA& font = PreviewTemplate.logFont;
    font = LOGFONTA{};
    ReadText(SECTION_PREVIEW, "FONTFACE", "", font.lfFaceName, FACE_NAME_SIZE);
    font.lfHeight = static_cast<LONG>(
        ReadNumberWithin(SECTION_PREVIEW, "FONTHEIGHT", 0, -COORDINATE_LIMIT, COORDINATE_LIMIT));
    FontOptionFields fields = {font.lfWeight, font.lfItalic, font.lfUnderline, font.lfStrikeOut};
    ApplyFontOptionBits(
        static_cast<int>(ReadNumberWithin(SECTION_PREVIEW, "FONTOPTION", 0, 0, FONT_OPTION_LIMIT)), &fields);
    font.lfWeight = fields.weight;
    font.lfItalic = fields.italic;
    font.lfUnderline = fields.underline;
    font.lfStrikeOut = fields.strikeOut;
    font.lfCharSet = static_cast<BYTE>(ReadNumber(SECTION_PREVIEW, "FONTCHARSET", SHIFTJIS_CHARSET) & 0xFF);
}

void SendPreviewLook(HWND preview)
{
    if (!preview) return;
    SendMessageA(preview, PM_SETOUTERCOLOR, PreviewTemplate.outerColor, 0);
    SendMessageA(preview, PM_SETINNERCOLOR, reinterpret_cast<WPARAM>(&PreviewTemplate),
                 reinterpret_cast<LPARAM>(HexText));
    SendMessageA(preview, PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
}

// Beyond the design: the view mode, 0 normal vision, 1-4 a simulated one; a file from before the
// key, or any other number, opens in normal vision.
void LoadPreviewVision(HWND preview)
{
    const VisionMode mode = VisionModeFrom(ReadNumber(SECTION_PREVIEW, KEY_VISION, VISION_NORMAL));
    if (preview) SendMessageA(preview, WM_COMMAND, IDM_VISION_NORMAL + mode, 0);
}

// "MAX", "MIN" or the given numbers of a normal window.
void FormatPlacement(HWND window, long a, long b, long c, long d, char* out, int outSize)
{
    if (IsZoomed(window))
        lstrcpynA(out, PLACEMENT_MAXIMIZED, outSize);
    else if (IsIconic(window))
        lstrcpynA(out, PLACEMENT_MINIMIZED, outSize);
    else
        std::snprintf(out, static_cast<size_t>(outSize), "%ld,%ld,%ld,%ld", a, b, c, d);
}

void SaveMainWindow(HWND form, char* buffer)
{
    RECT rect = {};
    GetWindowRect(form, &rect);
    FormatPlacement(form, rect.left, rect.top, rect.right, rect.bottom, buffer, SETTINGS_TEXT_SIZE);
    WriteText(SECTION_MAINWINDOW, "POSITION", buffer);
    WriteNumber(SECTION_MAINWINDOW, "PAGE",
                static_cast<long>(SendDlgItemMessageA(form, IDC_TAB, TCM_GETCURSEL, 0, 0)));
}

// Only the check mark counts (IsOptionChecked): a highlight bit must not read back as checked.
template <size_t count> void SaveCheckMarks(HWND form, const StoredOption (&stored)[count])
{
    for (const StoredOption& option : stored)
        WriteNumber(SECTION_MENU, option.key, IsOptionChecked(form, option.id) ? MF_CHECKED : 0);
}

void SaveOptions(HWND form)
{
    SaveCheckMarks(form, STORED_OPTIONS);
    WriteNumber(SECTION_MENU, "SAFESLIDE",
                static_cast<long>(SendDlgItemMessageA(form, IDC_SAFESLIDE, BM_GETCHECK, 0, 0)));
}

void SaveAddedOptions(HWND form)
{
    SaveCheckMarks(form, ADDED_OPTIONS);
    WriteNumber(SECTION_MENU, KEY_LOUPEZOOM, ChosenLoupeZoom(form));
    WriteNumber(SECTION_MENU, KEY_SAMPLE, ChosenSampleSide(form));
}

// The platform's reader drops surrounding quotes and white space; quoting keeps such a text whole.
bool NeedsQuotes(const char* text)
{
    const auto isTrimmed = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    const int length = lstrlenA(text);
    return length > 0 && (isTrimmed(text[0]) || isTrimmed(text[length - 1]));
}

void SaveSampleText(HWND edit, char* buffer)
{
    GetWindowTextA(edit, buffer, SETTINGS_TEXT_SIZE);
    char stored[SETTINGS_TEXT_SIZE + 2] = {};
    EncodeStoredText(buffer, stored + 1, SETTINGS_TEXT_SIZE);
    if (!NeedsQuotes(stored + 1)) {
        WriteText(SECTION_PREVIEW, "STRING", stored + 1);
        return;
    }
    // A quoted value must leave room for its closing quote in the reader's buffer.
    EncodeStoredText(buffer, stored + 1, SETTINGS_TEXT_SIZE - 1);
    const int length = lstrlenA(stored + 1);
    stored[0] = '"';
    stored[length + 1] = '"';
    stored[length + 2] = '\0';
    WriteText(SECTION_PREVIEW, "STRING", stored);
}

// Added since the first release: the recent colours, newest first.
constexpr char SECTION_HISTORY[] = "HISTORY";
constexpr char KEY_HISTORY_COLORS[] = "COLORS";

void LoadRecentColors(HWND form, char* buffer)
{
    ReadText(SECTION_HISTORY, KEY_HISTORY_COLORS, "", buffer, SETTINGS_TEXT_SIZE);
    COLORREF colors[RECENT_COLOR_LIMIT] = {};
    SetRecentColors(form, colors, DecodeRecentColors(buffer, colors, RECENT_COLOR_LIMIT));
}

void SaveRecentColors(char* buffer)
{
    COLORREF colors[RECENT_COLOR_LIMIT] = {};
    EncodeRecentColors(colors, RecentColorList(colors, RECENT_COLOR_LIMIT), buffer, SETTINGS_TEXT_SIZE);
    WriteText(SECTION_HISTORY, KEY_HISTORY_COLORS, buffer);
}

} // namespace

namespace {

// Whether the settings can be kept in this file: it can be written, or, where there is none yet,
// made (the trial file goes again at once).
bool CanKeepSettingsIn(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    const HANDLE file =
        CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    exists ? OPEN_EXISTING : CREATE_NEW,
                    exists ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// %APPDATA%\Huebench\Huebench.ini, its folder made; empty when there is no such folder.
std::wstring UserSettingsPath()
{
    wchar_t base[SETTINGS_PATH_SIZE] = L"";
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", base, SETTINGS_PATH_SIZE);
    if (length == 0 || length >= SETTINGS_PATH_SIZE) return L"";
    const std::wstring folder = std::wstring(base) + L"\\" + USER_SETTINGS_FOLDER;
    CreateDirectoryW(folder.c_str(), nullptr); // there already, or made now
    return folder + L"\\" + USER_SETTINGS_FILE;
}

void SetSettingsPath(const std::wstring& path)
{
    lstrcpynW(SettingsPath, path.c_str(), SETTINGS_PATH_SIZE);
}

} // namespace

// Beside the program when the file is there or can be made there; else in the user's application
// data (a program under Program Files or run from inside a zip cannot write beside itself), taking
// along what a read-only file beside the program held. When neither can be written, the file beside
// the program is still read, and the loss is told when the program ends.
void ComputeSettingsPath()
{
    const std::wstring beside = WideSettingsPath(WideProgramPath());
    SetSettingsPath(beside);
    if (CanKeepSettingsIn(beside.c_str())) return;
    const std::wstring user = UserSettingsPath();
    if (user.empty()) return;
    const DWORD besideAttributes = GetFileAttributesW(beside.c_str());
    if (besideAttributes != INVALID_FILE_ATTRIBUTES && !(besideAttributes & FILE_ATTRIBUTE_DIRECTORY))
        CopyFileW(beside.c_str(), user.c_str(), TRUE); // an earlier copy there stays
    if (CanKeepSettingsIn(user.c_str())) SetSettingsPath(user);
}

void ReportUnsavedSettings()
{
    if (!SettingsWriteFailed || UnsavedReported) return;
    UnsavedReported = true;
    ShowMessage(LoadResourceText(IDS_SETTINGS_UNSAVED).text, nullptr, MB_TOPMOST | MB_ICONWARNING);
}

bool LoadSettings(HWND form, char* buffer)
{
    ComputeSettingsPath();
    LoadedFile = ReadSettingsFile();
    LoadMainWindowPosition(form, buffer);
    LoadPage(form);
    LoadOptions(form);
    LoadAddedOptions(form);
    LoadRecentColors(form, buffer);

    const HWND preview = GetActivePreview();
    LoadPreviewPlacement(preview, buffer);
    LoadSampleText(preview, buffer);
    LoadPreviewLook(form);
    SendPreviewLook(preview);
    LoadPreviewVision(preview);
    ApplyTopmost(form);
    std::string().swap(LoadedFile);

    // Through the channel fields: every channel that changes propagates, as any other colour entry.
    WriteChannelEdits(PreviewTemplate.innerColor);
    return true;
}

bool SaveSettings(char* buffer, HWND form)
{
    const SettingsSave save;
    SaveMainWindow(form, buffer);
    SaveOptions(form);
    SaveAddedOptions(form);
    SaveRecentColors(buffer);
    const HWND preview = GetActivePreview();
    if (!preview) return false;
    SavePreviewSettings(preview, buffer);
    return true;
}

void SavePreviewSettings(HWND window, char* buffer)
{
    const PreviewState* state = window ? PreviewStateOf(window) : nullptr;
    if (!state) return;
    const SettingsSave save;

    RECT rect = {};
    GetWindowRect(window, &rect);
    POINT origin = {0, 0};
    ClientToScreen(GetParent(window), &origin);
    FormatPlacement(window, rect.left - origin.x, rect.top - origin.y, rect.right - rect.left,
                    rect.bottom - rect.top, buffer, SETTINGS_TEXT_SIZE);
    WriteText(SECTION_MDIWINDOW, "RECT", buffer);

    SaveSampleText(state->edit, buffer);
    WriteNumber(SECTION_PREVIEW, "EDITCLR", static_cast<long>(state->innerColor));
    WriteNumber(SECTION_PREVIEW, "BACKCLR", static_cast<long>(state->outerColor));
    WriteNumber(SECTION_PREVIEW, "FONTCLR", static_cast<long>(state->fontColor));
    char face[FACE_NAME_SIZE] = {};
    lstrcpynA(face, state->logFont.lfFaceName, FACE_NAME_SIZE);
    WriteText(SECTION_PREVIEW, "FONTFACE", face);
    WriteNumber(SECTION_PREVIEW, "FONTHEIGHT", state->logFont.lfHeight);
    WriteNumber(SECTION_PREVIEW, "FONTOPTION",
                FontOptionBits(state->logFont.lfWeight, state->logFont.lfItalic, state->logFont.lfUnderline,
                               state->logFont.lfStrikeOut));
    WriteNumber(SECTION_PREVIEW, "FONTCHARSET", state->logFont.lfCharSet);
    WriteNumber(SECTION_PREVIEW, KEY_VISION, state->vision);
}
