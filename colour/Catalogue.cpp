// The catalogue of named web colours and Windows system colours.
#include "Catalogue.h"

#include "ColorModel.h"

#include <cstdio>

// The named rows 0-139 are in NamedColors.cpp.

// Rows 140-164, alphabetical by name; index is the system colour number (COLOR_...) that GetSysColor
// takes. Every value reads black until the first refresh.
SystemColor SystemColors[SYSTEM_COLOR_COUNT] = {
    {10 /* COLOR_ACTIVEBORDER */, "ActiveBorder", "アクティブウィンドウの境界の色", 0},
    {2 /* COLOR_ACTIVECAPTION */, "ActiveCaption", "アクティブウィンドウのタイトルバーの色", 0},
    {12 /* COLOR_APPWORKSPACE */, "AppWorkspace",
     "マルチドキュメントインターフェイス（MDI）アプリケーションの背景色", 0},
    {1 /* COLOR_BACKGROUND */, "Background", "デスクトップの色", 0},
    {18 /* COLOR_BTNTEXT */, "ButtonText", "プッシュボタンのテキストの色", 0},
    {9 /* COLOR_CAPTIONTEXT */, "CaptionText",
     "タイトルバー、サイズボックス、スクロールバーの矢印ボックス内のテキスト", 0},
    {17 /* COLOR_GRAYTEXT */, "GrayText", "淡色状態（無効状態）のテキストの色", 0},
    {13 /* COLOR_HIGHLIGHT */, "Highlight", "コントロール内で選択されている項目の色", 0},
    {14 /* COLOR_HIGHLIGHTTEXT */, "HighlightText", "コントロール内で選択されている項目のテキストの色", 0},
    {11 /* COLOR_INACTIVEBORDER */, "InactiveBorder", "非アクティブウィンドウの境界の色", 0},
    {3 /* COLOR_INACTIVECAPTION */, "InactiveCaption", "非アクティブウィンドウのタイトルバーの色", 0},
    {19 /* COLOR_INACTIVECAPTIONTEXT */, "InactiveCaptionText",
     "非アクティブウィンドウのタイトルバーのテキストの色", 0},
    {24 /* COLOR_INFOBK */, "InfoBackground", "ツールチップコントロールの背景色", 0},
    {23 /* COLOR_INFOTEXT */, "InfoText", "ツールチップコントロールのテキストの色", 0},
    {4 /* COLOR_MENU */, "Menu", "メニューの背景色", 0},
    {7 /* COLOR_MENUTEXT */, "MenuText", "メニュー内のテキストの色", 0},
    {0 /* COLOR_SCROLLBAR */, "Scrollbar", "スクロールバーの軸の色", 0},
    {21 /* COLOR_3DDKSHADOW */, "ThreeDDarkShadow", "3D オブジェクトの暗い影の色", 0},
    {15 /* COLOR_3DFACE */, "ThreeDFace", "3D オブジェクトの表面色と、ダイアログボックスの背景色", 0},
    {20 /* COLOR_3DHIGHLIGHT */, "ThreeDHighlight", "3D オブジェクトの最も明るい色（光源に面した辺）", 0},
    {22 /* COLOR_3DLIGHT */, "ThreeDLightShadow", "3D オブジェクトの明るい色（光源に面した辺）", 0},
    {16 /* COLOR_3DSHADOW */, "ThreeDShadow", "3D オブジェクトの影の色（光源に面していない辺）", 0},
    {5 /* COLOR_WINDOW */, "Window", "ウィンドウの背景色", 0},
    {6 /* COLOR_WINDOWFRAME */, "WindowFrame", "ウィンドウの枠の色", 0},
    {8 /* COLOR_WINDOWTEXT */, "WindowText", "ウィンドウ内のテキストの色", 0},
};

namespace {

bool IsNamedRow(int row)
{
    return row >= 0 && row < NAMED_COLOR_COUNT;
}
bool IsSystemRow(int row)
{
    return row >= NAMED_COLOR_COUNT && row < CATALOGUE_ROW_COUNT;
}

} // namespace

void RefreshSystemColors(SystemColorSource source)
{
    if (!source) return;
    for (SystemColor& row : SystemColors)
        row.value = source(row.index);
}

#ifdef _WIN32
void RefreshSystemColors()
{
    RefreshSystemColors([](int index) -> COLORREF { return GetSysColor(index); });
}
#endif

COLORREF RowColor(int row)
{
    if (IsNamedRow(row)) return NamedColors[row].color;
    if (IsSystemRow(row)) return SystemColors[row - NAMED_COLOR_COUNT].value;
    return 0;
}

void RowSampleText(int row, char* buffer)
{
    if (!buffer) return;
    buffer[0] = '\0';
    if (IsNamedRow(row)) {
        std::snprintf(buffer, ROW_SAMPLE_TEXT_SIZE, "%s", NamedColors[row].name);
    } else if (IsSystemRow(row)) {
        const SystemColor& system = SystemColors[row - NAMED_COLOR_COUNT];
        std::snprintf(buffer, ROW_SAMPLE_TEXT_SIZE, "%s\r\n%s", system.name, system.description);
    }
}

void RowCellText(int row, int column, char* buffer)
{
    if (!buffer) return;
    buffer[0] = '\0';
    if (!IsNamedRow(row) && !IsSystemRow(row)) return;

    const bool named = IsNamedRow(row);
    const char* name = named ? NamedColors[row].name : SystemColors[row - NAMED_COLOR_COUNT].name;
    const COLORREF color = RowColor(row);
    switch (column) {
    case 0: std::snprintf(buffer, ROW_CELL_TEXT_SIZE, "%s", name); break;
    case 2: std::snprintf(buffer, ROW_CELL_TEXT_SIZE, "%d", RedOf(color)); break;
    case 3: std::snprintf(buffer, ROW_CELL_TEXT_SIZE, "%d", GreenOf(color)); break;
    case 4: std::snprintf(buffer, ROW_CELL_TEXT_SIZE, "%d", BlueOf(color)); break;
    case 5:
        if (named && NamedColors[row].basic) std::snprintf(buffer, ROW_CELL_TEXT_SIZE, "*");
        break;
    case 6:
        if (!named) std::snprintf(buffer, ROW_CELL_TEXT_SIZE, "*");
        break;
    default: break; // column 1 is the swatch: its background is the colour, its text empty
    }
}
