// The resources of the built program: menus, accelerators and texts exactly as the user sees them.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

#include "shell/resource.h"

namespace {

// One menu item as the test expects it: an id (0 for a separator) and its caption.
struct Item {
    UINT id;
    const char* text;
};
const Item SEPARATOR = {0, nullptr};

class BuiltProgram : public ::testing::Test {
  protected:
    void SetUp() override
    {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, sizeof(path));
        std::string exe = path;
        exe = exe.substr(0, exe.find_last_of('\\')); // build\tests
        exe = exe.substr(0, exe.find_last_of('\\')) + "\\Huebench.exe";
        module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << "cannot load " << exe;
    }
    void TearDown() override
    {
        if (module) FreeLibrary(module);
    }

    std::string ItemText(HMENU menu, int position)
    {
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        GetMenuItemInfoA(menu, position, TRUE, &info);
        return text;
    }

    // `added` items beyond the design may follow the designed ones.
    void ExpectPopup(HMENU popup, const std::vector<Item>& items, const std::string& where, int added = 0)
    {
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size()) + added) << where;
        for (size_t i = 0; i < items.size(); ++i) {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
            GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info);
            if (!items[i].text) {
                EXPECT_TRUE(info.fType & MFT_SEPARATOR) << where << " item " << i << " should be a separator";
                continue;
            }
            EXPECT_EQ(info.wID, items[i].id) << where << " item " << i;
            EXPECT_EQ(ItemText(popup, static_cast<int>(i)), items[i].text) << where << " item " << i;
            EXPECT_EQ(info.fState & (MFS_CHECKED | MFS_DISABLED), 0u) << where << " item " << i;
        }
    }

    std::string String(UINT id)
    {
        char text[256] = "";
        LoadStringA(module, id, text, sizeof(text));
        return text;
    }

    HMODULE module = nullptr;
};

const std::vector<Item> FileNoPreview = {{IDM_NEWWINDOW, "新しいウィンドウ(&N)\tCtrl+N"},
                                         SEPARATOR,
                                         {IDM_VERSION, "バージョン情報(&A)"},
                                         {IDM_EXIT, "終了(&X)"}};
const std::vector<Item> OptionsNoPreview = {{IDM_AUTOCOPY, "クリップボードに自動コピー(&C)"},
                                            {IDM_CAPTION, "大文字で出力(&O)"},
                                            {IDM_TOPLEVEL, "常に前面に表示(&T)"},
                                            {IDM_SYNCHRO, "常に内側と外側の色を同期(&S)"},
                                            SEPARATOR,
                                            {IDM_LOUPE, "拡大鏡を表示(&M)"},
                                            {0, "拡大率(&Z)"},
                                            {0, "取得範囲(&R)"}};
const std::vector<Item> FilePreview = {{IDM_NEWWINDOW, "新しいウィンドウ(&N)\tCtrl+N"},
                                       {IDM_CLOSE, "閉じる(&C)\tCtrl+F4"},
                                       SEPARATOR,
                                       {IDM_PRINT, "印刷(&P)\tCtrl+P"},
                                       SEPARATOR,
                                       {IDM_VERSION, "バージョン情報(&A)"},
                                       {IDM_EXIT, "終了(&X)"}};
const std::vector<Item> OptionsPreview = {{IDM_AUTOCOPY, "クリップボードに自動コピー(&C)"},
                                          {IDM_CAPTION, "大文字で出力(&O)"},
                                          {IDM_TOPLEVEL, "常に前面に表示(&T)"},
                                          {IDM_SYNCHRO, "常に内側と外側の色を同期(&S)"},
                                          SEPARATOR,
                                          {IDM_CAPTURE, "画面から色をキャプチャ(&Q)\tCtrl+Q"},
                                          SEPARATOR,
                                          {IDM_LOUPE, "拡大鏡を表示(&M)"},
                                          {0, "拡大率(&Z)"},
                                          {0, "取得範囲(&R)"}};
const std::vector<Item> WindowPreview = {{IDM_FILLOUTER, "内側と外側の色を同期(&S)"},
                                         {IDM_FONT, "フォントの変更(&F)"},
                                         SEPARATOR,
                                         {IDM_CLOSEALL, "すべて閉じる(&A)"},
                                         {IDM_CASCADE, "重ねて表示(&C)"},
                                         {IDM_TILEVERT, "左右に並べて表示(&V)"},
                                         {IDM_TILEHORZ, "上下に並べて表示(&H)"},
                                         SEPARATOR,
                                         {IDM_TEXTFROMCURRENT, "現在の色を文字色にする(&T)"},
                                         {IDM_SWAPTEXTINNER, "文字色と内側の色を入れ替える(&X)"}};
const std::vector<Item> ClientContext = {{IDM_NEWWINDOW, "新しいウィンドウ(&N)\tCtrl+N"},
                                         SEPARATOR,
                                         {IDM_CLOSEALL, "すべて閉じる(&A)"},
                                         {IDM_CASCADE, "重ねて表示(&C)"},
                                         {IDM_TILEVERT, "左右に並べて表示(&V)"},
                                         {IDM_TILEHORZ, "上下に並べて表示(&H)"}};
const std::vector<Item> ChildContext = {{IDM_FILLOUTER, "内側と外側の色を同期(&S)"},
                                        {IDM_FONT, "フォントの変更(&F)"},
                                        SEPARATOR,
                                        {IDM_TEXTFROMCURRENT, "現在の色を文字色にする(&T)"},
                                        {IDM_SWAPTEXTINNER, "文字色と内側の色を入れ替える(&X)"}};
// Beyond the design: a separator and the vision submenu, then a separator and the result copy,
// end the window and preview popups; an edit popup ends both bars.
constexpr int VISION_ITEMS = 2;
constexpr int COPY_ITEMS = 2;
const std::vector<Item> EditPopup = {{IDM_COPYRESULT, "コントラストの結果をコピー(&R)\tCtrl+Shift+C"},
                                     {IDM_COPYTABLE, "すべての結果を表でコピー(&A)"},
                                     {IDM_SAVECSV, "結果を CSV で保存(&S)..."},
                                     SEPARATOR,
                                     {IDM_PASTECOLOR, "色を貼り付け(&V)\tCtrl+Shift+V"}};

} // namespace

TEST_F(BuiltProgram, MenuBarWithoutPreviewsHasFileAndOptions)
{
    HMENU bar = LoadMenuA(module, MAKEINTRESOURCEA(IDR_MENU_NOPREVIEW));
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(ItemText(bar, 0), "ファイル(&F)");
    EXPECT_EQ(ItemText(bar, 1), "オプション(&O)");
    EXPECT_EQ(ItemText(bar, 2), "編集(&E)");
    ExpectPopup(GetSubMenu(bar, 2), EditPopup, "9000 edit", 1);
    ExpectPopup(GetSubMenu(bar, 0), FileNoPreview, "9000 file");
    ExpectPopup(GetSubMenu(bar, 1), OptionsNoPreview, "9000 options");
    DestroyMenu(bar);
}

TEST_F(BuiltProgram, MenuBarWithPreviewsHasFileOptionsAndWindow)
{
    HMENU bar = LoadMenuA(module, MAKEINTRESOURCEA(IDR_MENU_PREVIEW));
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(ItemText(bar, 0), "ファイル(&F)");
    EXPECT_EQ(ItemText(bar, 1), "オプション(&O)");
    EXPECT_EQ(ItemText(bar, 2), "ウィンドウ(&W)");
    EXPECT_EQ(ItemText(bar, 3), "編集(&E)");
    ExpectPopup(GetSubMenu(bar, 3), EditPopup, "9001 edit", 1);
    EXPECT_EQ(ItemText(GetSubMenu(bar, 3), 5), "最近の色(&H)");
    ExpectPopup(GetSubMenu(bar, 0), FilePreview, "9001 file");
    ExpectPopup(GetSubMenu(bar, 1), OptionsPreview, "9001 options");
    ExpectPopup(GetSubMenu(bar, 2), WindowPreview, "9001 window", VISION_ITEMS + COPY_ITEMS);
    DestroyMenu(bar);
}

TEST_F(BuiltProgram, ContextMenusHoldTheClientAndChildPopups)
{
    HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(IDR_MENU_CONTEXT));
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(ItemText(menu, 0), "dummy_client");
    EXPECT_EQ(ItemText(menu, 1), "dummy_child");
    ExpectPopup(GetSubMenu(menu, 0), ClientContext, "9002 client");
    ExpectPopup(GetSubMenu(menu, 1), ChildContext, "9002 child", VISION_ITEMS + COPY_ITEMS);
    DestroyMenu(menu);
}

TEST_F(BuiltProgram, VisionSubmenuEndsTheWindowAndPreviewPopupsBehindASeparator)
{
    const std::vector<Item> modes = {{IDM_VISION_NORMAL, "通常の色覚(&N)"},
                                     {IDM_VISION_PROTANOPIA, "1型色覚 (P型)(&P)"},
                                     {IDM_VISION_DEUTERANOPIA, "2型色覚 (D型)(&D)"},
                                     {IDM_VISION_TRITANOPIA, "3型色覚 (T型)(&T)"},
                                     {IDM_VISION_MONOCHROMACY, "1色覚 (全色盲)(&M)"}};
    for (int menu : {IDR_MENU_PREVIEW, IDR_MENU_CONTEXT}) {
        const HMENU loaded = LoadMenuA(module, MAKEINTRESOURCEA(menu));
        const HMENU popup = GetSubMenu(loaded, menu == IDR_MENU_PREVIEW ? 2 : 1);
        const int last = GetMenuItemCount(popup) - 1 - COPY_ITEMS;
        EXPECT_TRUE(GetMenuState(popup, last - 1, MF_BYPOSITION) & MF_SEPARATOR) << menu;
        EXPECT_EQ(ItemText(popup, last), "色覚シミュレーション(&V)") << menu;
        ExpectPopup(GetSubMenu(popup, last), modes, "vision submenu");
        EXPECT_TRUE(GetMenuState(popup, last + 1, MF_BYPOSITION) & MF_SEPARATOR) << menu;
        EXPECT_EQ(GetMenuItemID(popup, last + 2), static_cast<UINT>(IDM_COPYRESULT)) << menu;
        DestroyMenu(loaded);
    }
}

TEST_F(BuiltProgram, AcceleratorsAreCtrlNPAndQThenCtrlShiftCAndV)
{
    HACCEL table = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[8] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 8), 5);
    const struct {
        WORD key;
        WORD command;
    } expected[] = {{'N', IDM_NEWWINDOW},
                    {'P', IDM_PRINT},
                    {'Q', IDM_CAPTURE},
                    {'C', IDM_COPYRESULT},
                    {'V', IDM_PASTECOLOR}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(entries[i].key, expected[i].key) << "entry " << i;
        EXPECT_EQ(entries[i].cmd, expected[i].command) << "entry " << i;
        EXPECT_EQ(entries[i].fVirt & ~0x80, FVIRTKEY | FCONTROL | FNOINVERT | (i < 3 ? 0 : FSHIFT))
            << "entry " << i;
    }
}

TEST_F(BuiltProgram, HelpTextsStandAtCommandPlusTenThousand)
{
    const struct {
        UINT command;
        const char* text;
    } helps[] = {
        {IDM_VERSION, "バージョン情報を表示します"},
        {IDM_CAPTION, "16進数表現の文字列を大文字にします"},
        {IDM_EXIT, "アプリケーションを終了します"},
        {IDM_AUTOCOPY, "16進数表現の文字列をクリップボードにコピーします"},
        {IDM_TOPLEVEL, "ウィンドウを手前に表示します"},
        {IDM_CAPTURE, "画面上からマウスで色を取得します"},
        {IDM_SYNCHRO, "2色プレビューを行わないようにします"},
        {IDM_NEWWINDOW, "新しいプレビューウィンドウ表示します"},
        {IDM_CLOSE, "アクティブなプレビューウィンドウを閉じます"},
        {IDM_PRINT, "印刷のダイアログを表示します"},
        {IDM_FONT, "プレビューウィンドウのフォントを変更します"},
        {IDM_FILLOUTER, "現在の色で外側を塗りつぶして表示します"},
        {IDM_TEXTFROMCURRENT, "現在の色をプレビューウィンドウの文字色にします"},
        {IDM_SWAPTEXTINNER, "プレビューウィンドウの文字色と内側の色を入れ替えます"},
        {IDM_CASCADE, ""},
        {IDM_TILEHORZ, ""},
        {IDM_TILEVERT, ""},
        {IDM_CLOSEALL, ""},
        {IDM_VISION_MONOCHROMACY, "プレビューウィンドウを1色覚 (全色盲) の見え方で表示します"},
        {IDM_LOUPE, "キャプチャ中にマウスポインタの周りを拡大して表示します"},
        {IDM_PASTECOLOR, "クリップボードの CSS の色を現在の色にします"},
        {IDM_RECENT_FIRST + 9, "この色を現在の色にします"},
    };
    for (const auto& help : helps)
        EXPECT_EQ(String(help.command + IDS_HELP_OFFSET), help.text) << "command " << help.command;
}

TEST_F(BuiltProgram, MessagesKeepTheirExactWording)
{
    EXPECT_EQ(String(IDS_HEXCODE_LENGTH), "文字の数が 7 文字ではないため適用できません。");
    EXPECT_EQ(String(IDS_HEXCODE_NOHASH), "最初の文字が # ではないため適用できません。");
    EXPECT_EQ(String(IDS_HEXCODE_DBCS), "全角文字が含まれているため適用できません。");
    EXPECT_EQ(String(IDS_HEXCODE_DIGIT), "0-9 a-f A-F 以外の文字があるため適用できません。");
    EXPECT_EQ(String(IDS_VERSION_FAILED), "バージョン情報が取得できませんでした。");
    EXPECT_EQ(String(IDS_FATAL_MEMORY), "メモリの確保に失敗しました。アプリケーションを終了します。");
    EXPECT_EQ(String(IDS_CAPTURE_RUNNING),
              "色のキャプチャ中...  (終了するには [Ctrl+Q] キーを押してください)");
    EXPECT_EQ(String(IDS_DEFAULT_SAMPLE), "ｼﾞｬﾝｸﾒﾀﾙ");
}

TEST_F(BuiltProgram, NarrowLiteralsAndResourcesAreShiftJis)
{
    EXPECT_EQ(GetACP(), 932u) << "the manifest names code page 932, whatever locale Wine runs under";
    // 表 has 0x5C as its second byte: a wrong charset flag or locale shows here first.
    const unsigned char expected[] = {0x95, 0x5C, 0x8E, 0xA6};
    const std::string literal = "表示";
    ASSERT_EQ(literal.size(), sizeof(expected));
    for (size_t i = 0; i < sizeof(expected); ++i)
        EXPECT_EQ(static_cast<unsigned char>(literal[i]), expected[i]) << "byte " << i;
    EXPECT_EQ(String(IDS_TAB_NUMBERS), "数値による指定");
}

// The manifest: drawn at the system's scale, code page 932 on any system, no elevation, Windows 7
// to 11, and the common controls of the design (version 5, so no dependency on version 6).
TEST_F(BuiltProgram, ManifestNamesScaleAwarenessAndTheJapaneseCodePage)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr) << "no manifest (type 24, id 1)";
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(bytes, SizeofResource(module, found));
    const char* entries[] = {
        ">true</dpiAware>",
        ">PerMonitorV2</dpiAwareness>",
        ">ja-JP</activeCodePage>",
        "http://schemas.microsoft.com/SMI/2019/WindowsSettings",
        "level=\"asInvoker\"",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // 10 and 11
    };
    for (const char* entry : entries)
        EXPECT_NE(manifest.find(entry), std::string::npos) << "the manifest lacks " << entry;
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << "the design keeps common controls 5";
}
