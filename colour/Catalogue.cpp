// The catalogue of named web colours and Windows system colours.
#include "Catalogue.h"

#include "ColorModel.h"

#include <cstdio>

// Rows 0-139, alphabetical without regard to case; the sixteen basic colour keywords carry 1.
const NamedColor NamedColors[NAMED_COLOR_COUNT] = {
    {"AliceBlue", ComposeColor(240, 248, 255), 0},
    {"AntiqueWhite", ComposeColor(250, 235, 215), 0},
    {"Aqua", ComposeColor(0, 255, 255), 1},
    {"Aquamarine", ComposeColor(127, 255, 212), 0},
    {"Azure", ComposeColor(240, 255, 255), 0},
    {"Beige", ComposeColor(245, 245, 220), 0},
    {"Bisque", ComposeColor(255, 228, 196), 0},
    {"Black", ComposeColor(0, 0, 0), 1},
    {"BlanchedAlmond", ComposeColor(255, 235, 205), 0},
    {"Blue", ComposeColor(0, 0, 255), 1},
    {"BlueViolet", ComposeColor(138, 43, 226), 0},
    {"Brown", ComposeColor(165, 42, 42), 0},
    {"Burlywood", ComposeColor(222, 184, 135), 0},
    {"CadetBlue", ComposeColor(95, 158, 160), 0},
    {"Chartreuse", ComposeColor(127, 255, 0), 0},
    {"Chocolate", ComposeColor(210, 105, 30), 0},
    {"Coral", ComposeColor(255, 127, 80), 0},
    {"CornflowerBlue", ComposeColor(100, 149, 237), 0},
    {"CornSilk", ComposeColor(255, 248, 220), 0},
    {"Crimson", ComposeColor(220, 20, 60), 0},
    {"Cyan", ComposeColor(0, 255, 255), 0},
    {"DarkBlue", ComposeColor(0, 0, 139), 0},
    {"DarkCyan", ComposeColor(0, 139, 139), 0},
    {"DarkGoldenrod", ComposeColor(184, 134, 11), 0},
    {"DarkGray", ComposeColor(169, 169, 169), 0},
    {"DarkGreen", ComposeColor(0, 100, 0), 0},
    {"DarkKhaki", ComposeColor(189, 183, 107), 0},
    {"DarkMagenta", ComposeColor(139, 0, 139), 0},
    {"DarkOliveGreen", ComposeColor(85, 107, 47), 0},
    {"DarkOrange", ComposeColor(255, 140, 0), 0},
    {"DarkOrchid", ComposeColor(153, 50, 204), 0},
    {"DarkRed", ComposeColor(139, 0, 0), 0},
    {"DarkSalmon", ComposeColor(233, 150, 122), 0},
    {"DarkSeaGreen", ComposeColor(143, 188, 143), 0},
    {"DarkSlateBlue", ComposeColor(72, 61, 139), 0},
    {"DarkSlateGray", ComposeColor(47, 79, 79), 0},
    {"DarkTurquoise", ComposeColor(0, 206, 209), 0},
    {"DarkViolet", ComposeColor(148, 0, 211), 0},
    {"DeepPink", ComposeColor(255, 20, 147), 0},
    {"DeepSkyBlue", ComposeColor(0, 191, 255), 0},
    {"DimGray", ComposeColor(105, 105, 105), 0},
    {"DodgerBlue", ComposeColor(30, 144, 255), 0},
    {"FireBrick", ComposeColor(178, 34, 34), 0},
    {"FloralWhite", ComposeColor(255, 250, 240), 0},
    {"ForestGreen", ComposeColor(34, 139, 34), 0},
    {"Fuchsia", ComposeColor(255, 0, 255), 1},
    {"Gainsboro", ComposeColor(220, 220, 220), 0},
    {"GhostWhite", ComposeColor(248, 248, 255), 0},
    {"Gold", ComposeColor(255, 215, 0), 0},
    {"Goldenrod", ComposeColor(218, 165, 32), 0},
    {"Gray", ComposeColor(128, 128, 128), 1},
    {"Green", ComposeColor(0, 128, 0), 1},
    {"GreenYellow", ComposeColor(173, 255, 47), 0},
    {"Honeydew", ComposeColor(240, 255, 240), 0},
    {"HotPink", ComposeColor(255, 105, 180), 0},
    {"IndianRed", ComposeColor(205, 92, 92), 0},
    {"Indigo", ComposeColor(75, 0, 130), 0},
    {"Ivory", ComposeColor(255, 255, 240), 0},
    {"Khaki", ComposeColor(240, 230, 140), 0},
    {"Lavender", ComposeColor(230, 230, 250), 0},
    {"LavenderBlush", ComposeColor(255, 240, 245), 0},
    {"LawnGreen", ComposeColor(124, 252, 0), 0},
    {"LemonChiffon", ComposeColor(255, 250, 205), 0},
    {"LightBlue", ComposeColor(173, 216, 230), 0},
    {"LightCoral", ComposeColor(240, 128, 128), 0},
    {"LightCyan", ComposeColor(224, 255, 255), 0},
    {"LightGoldenrodYellow", ComposeColor(250, 250, 210), 0},
    {"LightGreen", ComposeColor(144, 238, 144), 0},
    {"LightGrey", ComposeColor(211, 211, 211), 0},
    {"LightPink", ComposeColor(255, 182, 193), 0},
    {"LightSalmon", ComposeColor(255, 160, 122), 0},
    {"LightSeaGreen", ComposeColor(32, 178, 170), 0},
    {"LightSkyBlue", ComposeColor(135, 206, 250), 0},
    {"LightSlateGray", ComposeColor(119, 136, 153), 0},
    {"LightSteelBlue", ComposeColor(176, 196, 222), 0},
    {"LightYellow", ComposeColor(255, 255, 224), 0},
    {"Lime", ComposeColor(0, 255, 0), 1},
    {"LimeGreen", ComposeColor(50, 205, 50), 0},
    {"Linen", ComposeColor(250, 240, 230), 0},
    {"Magenta", ComposeColor(255, 0, 255), 0},
    {"Maroon", ComposeColor(128, 0, 0), 1},
    {"MediumAquamarine", ComposeColor(102, 205, 170), 0},
    {"MediumBlue", ComposeColor(0, 0, 205), 0},
    {"MediumOrchid", ComposeColor(186, 85, 211), 0},
    {"MediumPurple", ComposeColor(147, 112, 219), 0},
    {"MediumSeaGreen", ComposeColor(60, 179, 113), 0},
    {"MediumSlateBlue", ComposeColor(123, 104, 238), 0},
    {"MediumSpringGreen", ComposeColor(0, 250, 154), 0},
    {"MediumTurquoise", ComposeColor(72, 209, 204), 0},
    {"MediumVioletRed", ComposeColor(199, 21, 133), 0},
    {"MidnightBlue", ComposeColor(25, 25, 112), 0},
    {"MintCream", ComposeColor(245, 255, 250), 0},
    {"MistyRose", ComposeColor(255, 228, 225), 0},
    {"Moccasin", ComposeColor(255, 228, 181), 0},
    {"NavajoWhite", ComposeColor(255, 222, 173), 0},
    {"Navy", ComposeColor(0, 0, 128), 1},
    {"OldLace", ComposeColor(253, 245, 230), 0},
    {"Olive", ComposeColor(128, 128, 0), 1},
    {"OliveDrab", ComposeColor(107, 142, 35), 0},
    {"Orange", ComposeColor(255, 165, 0), 0},
    {"OrangeRed", ComposeColor(255, 69, 0), 0},
    {"Orchid", ComposeColor(218, 112, 214), 0},
    {"PaleGoldenrod", ComposeColor(238, 232, 170), 0},
    {"PaleGreen", ComposeColor(152, 251, 152), 0},
    {"PaleTurquoise", ComposeColor(175, 238, 238), 0},
    {"PaleVioletRed", ComposeColor(219, 112, 147), 0},
    {"PapayaWhip", ComposeColor(255, 239, 213), 0},
    {"PeachPuff", ComposeColor(255, 218, 185), 0},
    {"Peru", ComposeColor(205, 133, 63), 0},
    {"Pink", ComposeColor(255, 192, 203), 0},
    {"Plum", ComposeColor(221, 160, 221), 0},
    {"PowderBlue", ComposeColor(176, 224, 230), 0},
    {"Purple", ComposeColor(128, 0, 128), 1},
    {"Red", ComposeColor(255, 0, 0), 1},
    {"RosyBrown", ComposeColor(188, 143, 143), 0},
    {"RoyalBlue", ComposeColor(65, 105, 225), 0},
    {"SaddleBrown", ComposeColor(139, 69, 19), 0},
    {"Salmon", ComposeColor(250, 128, 114), 0},
    {"SandyBrown", ComposeColor(244, 164, 96), 0},
    {"SeaGreen", ComposeColor(46, 139, 87), 0},
    {"SeaShell", ComposeColor(255, 245, 238), 0},
    {"Sienna", ComposeColor(160, 82, 45), 0},
    {"Silver", ComposeColor(192, 192, 192), 1},
    {"SkyBlue", ComposeColor(135, 206, 235), 0},
    {"SlateBlue", ComposeColor(106, 90, 205), 0},
    {"SlateGray", ComposeColor(112, 128, 144), 0},
    {"Snow", ComposeColor(255, 250, 250), 0},
    {"SpringGreen", ComposeColor(0, 255, 127), 0},
    {"SteelBlue", ComposeColor(70, 130, 180), 0},
    {"Tan", ComposeColor(210, 180, 140), 0},
    {"Teal", ComposeColor(0, 128, 128), 1},
    {"Thistle", ComposeColor(216, 191, 216), 0},
    {"Tomato", ComposeColor(255, 99, 71), 0},
    {"Turquoise", ComposeColor(64, 224, 208), 0},
    {"Violet", ComposeColor(238, 130, 238), 0},
    {"Wheat", ComposeColor(245, 222, 179), 0},
    {"White", ComposeColor(255, 255, 255), 1},
    {"WhiteSmoke", ComposeColor(245, 245, 245), 0},
    {"Yellow", ComposeColor(255, 255, 0), 1},
    {"YellowGreen", ComposeColor(154, 205, 50), 0},
};

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
