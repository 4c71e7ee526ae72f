// The preview window: its private messages, layout, painting, font, activation and resources.
#include "PreviewSteps.h"
#include "PrintSteps.h"

#include <commdlg.h>
#include <dlgs.h>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "colour/ColorModel.h"
#include "colour/Vision.h"
#include "panel/Channels.h"
#include "shell/GdiHandles.h"
#include "shell/Menus.h"

using namespace preview_steps;

namespace {

const char BOLD[] = "太字";
const char ITALIC[] = "斜体";
const char UNDERLINE[] = "下線";
const char STRIKEOUT[] = "取り消し線";
const char JAPANESE_SAMPLE[] = "ｼﾞｬﾝｸﾒﾀﾙ 表示\r\n日本語の見本テキスト";

// Everything a preview window holds or shows, to see what a message changed.
struct Snapshot {
    HWND edit;
    COLORREF outerColor, innerColor, fontColor;
    LOGFONTA logFont;
    HGDIOBJ innerBrush, font;
    std::string title, text;
};

Snapshot Take(HWND preview)
{
    const PreviewState& state = StateOf(preview);
    return {state.edit,       state.outerColor,    state.innerColor,
            state.fontColor,  state.logFont,       state.innerBrush.get(),
            state.font.get(), WindowText(preview), WindowText(state.edit)};
}

// The names of the fields that differ, in record order.
std::string Changed(const Snapshot& before, const Snapshot& after)
{
    std::ostringstream names;
    auto note = [&](bool differs, const char* name) {
        if (differs) names << (names.tellp() > 0 ? " " : "") << name;
    };
    note(before.edit != after.edit, "edit");
    note(before.outerColor != after.outerColor, "outerColor");
    note(before.innerColor != after.innerColor, "innerColor");
    note(before.fontColor != after.fontColor, "fontColor");
    note(std::memcmp(&before.logFont, &after.logFont, sizeof(LOGFONTA)) != 0, "logFont");
    note(before.innerBrush != after.innerBrush, "innerBrush");
    note(before.font != after.font, "font");
    note(before.title != after.title, "title");
    note(before.text != after.text, "text");
    return names.str();
}

// What the window answers when its EDIT asks for colours.
struct EditColours {
    HBRUSH brush;
    COLORREF background, text;
    int mode;
};

EditColours AskEditColours(HWND preview, HWND control)
{
    HDC dc = GetDC(control);
    SetBkMode(dc, TRANSPARENT);
    EditColours answer = {};
    answer.brush = reinterpret_cast<HBRUSH>(SendMessageA(
        preview, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    answer.background = GetBkColor(dc);
    answer.text = GetTextColor(dc);
    answer.mode = GetBkMode(dc);
    ReleaseDC(control, dc);
    return answer;
}

RECT ClientRectOf(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

// The EDIT's rectangle in its preview window's client coordinates.
RECT EditPlace(HWND edit)
{
    RECT rect = {};
    GetWindowRect(edit, &rect);
    MapWindowPoints(nullptr, GetParent(edit), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Describe(const RECT& rect)
{
    std::ostringstream text;
    text << "(" << rect.left << ", " << rect.top << ") " << rect.right - rect.left << " x "
         << rect.bottom - rect.top;
    return text.str();
}

std::string Hex(COLORREF color)
{
    std::ostringstream text;
    text << "0x" << std::hex << color;
    return text.str();
}

LOGFONTA Font(const char* face, LONG height, LONG weight = FW_NORMAL)
{
    LOGFONTA font = {};
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = SHIFTJIS_CHARSET;
    return font;
}

// A real double-click of the left button at a point of a window's client area: its four events go
// in at once, each with its place, within the double-click time however busy the machine is.
void DoubleClickAt(HWND window, int x, int y)
{
    POINT at = {x, y};
    ClientToScreen(window, &at);
    const auto normal = [](LONG value, int size) { return (value * 65536 + size - 1) / size; };
    INPUT press[4] = {};
    for (int i = 0; i < 4; ++i) {
        press[i].type = INPUT_MOUSE;
        press[i].mi.dx = normal(at.x, GetSystemMetrics(SM_CXSCREEN));
        press[i].mi.dy = normal(at.y, GetSystemMetrics(SM_CYSCREEN));
        press[i].mi.dwFlags =
            MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
    }
    SendInput(4, press, sizeof(INPUT));
    PumpUntil([] { return HIWORD(GetQueueStatus(QS_MOUSEBUTTON)) == 0; });
}

// Font dialog steps, taken from the helper thread while the dialog runs.
std::string ComboText(HWND dialog, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int ComboIndexOf(HWND dialog, int id, const char* text)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(text)));
}

// Selects an item as the user would, so that the dialog hears of it; answers the item's text.
std::string SelectComboItem(HWND dialog, int id, int index)
{
    const HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return ComboText(dialog, id);
}

void PressDialogButton(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The first listed face of the IPA Japanese fonts, else the first face that is not the one shown.
int JapaneseFaceIndex(HWND dialog)
{
    const int count = static_cast<int>(SendDlgItemMessageA(dialog, cmb1, CB_GETCOUNT, 0, 0));
    int fallback = -1;
    for (int i = 0; i < count; ++i) {
        char face[256] = "";
        SendDlgItemMessageA(dialog, cmb1, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
        if (std::string(face).find("IPA") != std::string::npos) return i;
        if (fallback < 0 && ComboText(dialog, cmb1) != face) fallback = i;
    }
    return fallback;
}

class PreviewTest : public MainFormTest {
  protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        preview = GetActivePreview();
        ASSERT_NE(preview, nullptr) << "the form starts without a preview window";
    }

    PreviewState& State() const { return StateOf(preview); }
    HWND Edit() const { return State().edit; }

    HWND OpenPreview()
    {
        Command(IDM_NEWWINDOW);
        PumpMessages(30);
        return GetActivePreview();
    }
    static void SendInner(HWND window, COLORREF color, const char* title)
    {
        PreviewTemplate.innerColor = color;
        SendMessageA(window, PM_SETINNERCOLOR, reinterpret_cast<WPARAM>(&PreviewTemplate),
                     reinterpret_cast<LPARAM>(title));
    }
    static void SendInner(HWND window, COLORREF color)
    {
        SendInner(window, color, FormatColorCode(color, true).text);
    }
    static void SendOuter(HWND window, COLORREF color) { SendMessageA(window, PM_SETOUTERCOLOR, color, 0); }
    static void SendText(HWND window, const char* text)
    {
        SendMessageA(window, PM_SETTEXT, reinterpret_cast<WPARAM>(text), 0);
    }
    static void SendFont(HWND window, const LOGFONTA& font, COLORREF color)
    {
        PreviewTemplate.logFont = font;
        PreviewTemplate.fontColor = color;
        SendMessageA(window, PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
    }
    COLORREF BandPixel(HWND window, int x, int y) const { return ClientPixel(window, x, y); }
    COLORREF EditPixel(HWND window) const
    {
        const HWND edit = StateOf(window).edit;
        const RECT area = ClientRectOf(edit);
        InvalidateRect(window, nullptr, TRUE);
        return ClientPixel(edit, area.right - 2, area.bottom - 2); // away from the caret
    }
    std::string PointsShownFor(LONG height)
    {
        SendFont(preview, Font("", height), 0);
        return StatusText(form, 2);
    }

    HWND preview = nullptr;
};

using PreviewMessages = PreviewTest;
using PreviewLayout = PreviewTest;
using PreviewBand = PreviewTest;
using PreviewFontInfo = PreviewTest;
using PreviewFontDialog = PreviewTest;
using PreviewActivation = PreviewTest;
using PreviewResources = PreviewTest;
using PreviewShowcase = PreviewTest;
using PreviewVision = PreviewTest;

bool VisionMarked(HMENU menu, int mode)
{
    return (GetMenuState(menu, IDM_VISION_NORMAL + mode, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The current colour as text colour, and text and inner colours swapped.
class PreviewTextColour : public PreviewTest {
  protected:
    static constexpr COLORREF GREY = RGB(0x77, 0x77, 0x77), WHITE = RGB(0xFF, 0xFF, 0xFF);
    void GreyTextOnWhite() // as a user sets it: grey made current and taken as text, then white current
    {
        WriteChannelEdits(GREY);
        Command(IDM_TEXTFROMCURRENT);
        WriteChannelEdits(WHITE);
    }
};

} // namespace

TEST_F(PreviewMessages, NewWindowStartsWithTheCurrentColourBlackTextAndNoFont)
{
    const PreviewState& state = StateOf(OpenPreview()); // the first one has had the saved font
    EXPECT_EQ(StatusText(form, 2), "0 pt");
    EXPECT_NE(state.edit, nullptr);
    EXPECT_EQ(state.outerColor, state.innerColor);
    EXPECT_EQ(state.fontColor, 0u);
    EXPECT_EQ(state.logFont.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(state.logFont.lfHeight, 0);
    EXPECT_FALSE(state.font);
    EXPECT_TRUE(state.innerBrush);
    EXPECT_EQ(GetWindowLongA(state.edit, GWL_STYLE) & 0xFFFF0FFF, 0x500010C4 & 0xFFFF0FFF);
}

TEST_F(PreviewMessages, SetInnerColorChangesTheTitleAndTheEditBackgroundButNotTheBand)
{
    SendOuter(preview, RGB(0, 0, 255));
    SendInner(preview, RGB(0, 0, 255));
    const Snapshot before = Take(preview);
    SendInner(preview, RGB(255, 0, 0), "#FF0000");
    const Snapshot after = Take(preview);

    EXPECT_EQ(Changed(before, after), "innerColor innerBrush title");
    EXPECT_EQ(after.title, "#FF0000");
    const EditColours colours = AskEditColours(preview, Edit());
    EXPECT_EQ(colours.brush, State().innerBrush.brush());
    EXPECT_EQ(Hex(colours.background), Hex(RGB(255, 0, 0)));
    EXPECT_EQ(colours.mode, OPAQUE);
    EXPECT_EQ(Hex(EditPixel(preview)), Hex(RGB(255, 0, 0)));
    EXPECT_EQ(Hex(BandPixel(preview, 1, 1)), Hex(RGB(0, 0, 255))) << "the band kept its colour";
}

TEST_F(PreviewMessages, SetOuterColorChangesOnlyTheBand)
{
    SendInner(preview, RGB(0, 128, 0));
    const Snapshot before = Take(preview);
    SendOuter(preview, RGB(255, 255, 0));
    const Snapshot after = Take(preview);

    EXPECT_EQ(Changed(before, after), "outerColor");
    const RECT client = ClientRectOf(preview);
    EXPECT_EQ(Hex(BandPixel(preview, 0, 0)), Hex(RGB(255, 255, 0)));
    EXPECT_EQ(Hex(BandPixel(preview, client.right - 1, client.bottom - 1)), Hex(RGB(255, 255, 0)))
        << "the band reaches the right and bottom edges";
    EXPECT_EQ(Hex(EditPixel(preview)), Hex(RGB(0, 128, 0))) << "the EDIT kept the inner colour";
}

TEST_F(PreviewMessages, SetTextReplacesOnlyTheSampleText)
{
    SendText(preview, "first");
    const Snapshot before = Take(preview);
    SendText(preview, JAPANESE_SAMPLE);
    const Snapshot after = Take(preview);
    EXPECT_EQ(Changed(before, after), "text");
    EXPECT_EQ(after.text, JAPANESE_SAMPLE);
}

TEST_F(PreviewMessages, SetFontCopiesTheFontAndColourForcesProofQualityAndShowsTheInfo)
{
    const Snapshot before = Take(preview);
    LOGFONTA font = Font("IPAGothic", -16, FW_BOLD);
    font.lfQuality = 0;
    font.lfItalic = TRUE;
    SendFont(preview, font, RGB(0x12, 0xAB, 0xEF));
    const Snapshot after = Take(preview);

    EXPECT_EQ(Changed(before, after), "fontColor logFont font");
    EXPECT_EQ(State().logFont.lfQuality, PROOF_QUALITY);
    font.lfQuality = PROOF_QUALITY;
    EXPECT_EQ(std::memcmp(&State().logFont, &font, sizeof font), 0) << "every other member is copied as sent";
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Edit(), WM_GETFONT, 0, 0)), State().font.font());
    EXPECT_EQ(StatusText(form, 1), "IPAGothic");
    EXPECT_EQ(StatusText(form, 3),
              FormatColorCode(RGB(0x12, 0xAB, 0xEF), IsOptionChecked(form, IDM_CAPTION)).text);
    EXPECT_EQ(StatusText(form, 4), BOLD);
    EXPECT_EQ(StatusText(form, 5), ITALIC);
    const EditColours colours = AskEditColours(preview, Edit());
    EXPECT_EQ(Hex(colours.text), Hex(RGB(0x12, 0xAB, 0xEF)));
}

TEST_F(PreviewMessages, OtherControlsColoursAreLeftToTheDefault)
{
    const EditColours colours = AskEditColours(preview, Control(IDC_HEXEDIT));
    EXPECT_NE(colours.brush, State().innerBrush.brush());
}

TEST_F(PreviewLayout, EditFillsTheMiddleTwoThirdsOfTheClientArea)
{
    SendMessageA(preview, WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 50));
    EXPECT_EQ(Describe(EditPlace(Edit())), "(16, 8) 66 x 33");
    SendMessageA(preview, WM_SIZE, SIZE_RESTORED, MAKELPARAM(5, 5));
    EXPECT_EQ(Describe(EditPlace(Edit())), "(0, 0) 3 x 3");
}

TEST_F(PreviewLayout, ResizingTheWindowMovesTheEdit)
{
    RECT frame = {0, 0, 300, 150};
    AdjustWindowRectEx(&frame, GetWindowLongA(preview, GWL_STYLE), FALSE,
                       GetWindowLongA(preview, GWL_EXSTYLE));
    SetWindowPos(preview, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages(30);
    ASSERT_EQ(Describe(ClientRectOf(preview)), "(0, 0) 300 x 150");
    EXPECT_EQ(Describe(EditPlace(Edit())), "(50, 25) 200 x 100");
}

TEST_F(PreviewBand, DoubleClickOnTheBandFillsItWithTheInnerColour)
{
    SendInner(preview, RGB(0, 0, 128));
    SendOuter(preview, RGB(255, 128, 0));
    DoubleClickAt(preview, 3, 3);
    EXPECT_EQ(Hex(State().outerColor), Hex(RGB(0, 0, 128)));
    EXPECT_EQ(Hex(BandPixel(preview, 3, 3)), Hex(RGB(0, 0, 128)));
}

TEST_F(PreviewBand, DoubleClickInsideTheEditLeavesTheBandAsItIs)
{
    SendInner(preview, RGB(0, 0, 128));
    SendOuter(preview, RGB(255, 128, 0));
    const RECT edit = EditPlace(Edit());
    DoubleClickAt(preview, (edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2);
    EXPECT_EQ(Hex(State().outerColor), Hex(RGB(255, 128, 0)));
    EXPECT_EQ(Hex(BandPixel(preview, 3, 3)), Hex(RGB(255, 128, 0)));
}

TEST_F(PreviewBand, FillOuterCommandFromTheFormFillsTheActiveWindowsBand)
{
    SendInner(preview, RGB(64, 0, 64));
    SendOuter(preview, RGB(0, 255, 255));
    Command(IDM_FILLOUTER);
    EXPECT_EQ(Hex(State().outerColor), Hex(RGB(64, 0, 64)));
}

TEST_F(PreviewBand, PaintsAnyDeviceContextEdgeToEdge)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const RECT whole = {0, 0, 8, 8};
    FillRect(memory, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const RECT area = {1, 1, 6, 6}; // right and bottom lie outside, as in a client rectangle
    PaintPreviewBand(memory, area, RGB(0, 0, 255));
    EXPECT_EQ(Hex(GetPixel(memory, 1, 1)), Hex(RGB(0, 0, 255)));
    EXPECT_EQ(Hex(GetPixel(memory, 5, 5)), Hex(RGB(0, 0, 255))) << "the last column and row are filled";
    EXPECT_EQ(Hex(GetPixel(memory, 6, 6)), Hex(RGB(255, 255, 255))) << "nothing beyond them";
    EXPECT_EQ(Hex(GetPixel(memory, 0, 0)), Hex(RGB(255, 255, 255)));
    EXPECT_EQ(GetCurrentObject(memory, OBJ_BRUSH), GetStockObject(WHITE_BRUSH))
        << "the DC gets its brush back";
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(PreviewFontInfo, PointSizesFollowTheHeightAtTheFormsResolution)
{
    HDC dc = GetDC(form);
    const int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(form, dc);
    ASSERT_EQ(pixelsPerInch, 96) << "these sizes are worked out for 96 pixels per inch";
    EXPECT_EQ(PointsShownFor(-16), "12 pt");
    EXPECT_EQ(PointsShownFor(0), "0 pt");
    EXPECT_EQ(PointsShownFor(16), "-12 pt");
    EXPECT_EQ(PointsShownFor(-15), "11 pt") << "11.25 rounds to the nearest";
}

TEST_F(PreviewFontInfo, OnlyWeightSevenHundredIsBold)
{
    SendFont(preview, Font("x", -12, 600), 0);
    EXPECT_EQ(StatusText(form, 4), "");
    SendFont(preview, Font("x", -12, 800), 0);
    EXPECT_EQ(StatusText(form, 4), "");
    SendFont(preview, Font("x", -12, 700), 0);
    EXPECT_EQ(StatusText(form, 4), BOLD);
}

TEST_F(PreviewFontInfo, EachEffectShowsItsMarkerAndNoneLeavesTheirPartsEmpty)
{
    LOGFONTA font = Font("IPAPGothic", -20);
    font.lfItalic = font.lfUnderline = font.lfStrikeOut = TRUE;
    SendFont(preview, font, RGB(255, 0, 0));
    EXPECT_EQ(StatusText(form, 5), ITALIC);
    EXPECT_EQ(StatusText(form, 6), UNDERLINE);
    EXPECT_EQ(StatusText(form, 7), STRIKEOUT);
    EXPECT_EQ(StatusText(form, 2), "15 pt");

    SendFont(preview, Font("IPAPGothic", -20), RGB(255, 0, 0));
    for (int part = 4; part <= 7; ++part)
        EXPECT_EQ(StatusText(form, part), "") << "part " << part;
}

TEST_F(PreviewFontInfo, FaceNameFillingAllItsBytesIsShownWithoutRunningOver)
{
    LOGFONTA font = Font("", -12);
    std::memset(font.lfFaceName, 'F', LF_FACESIZE);
    SendFont(preview, font, 0);
    EXPECT_EQ(StatusText(form, 1), std::string(LF_FACESIZE, 'F'));
}

TEST_F(PreviewFontInfo, PartZeroIsLeftAlone)
{
    SendDlgItemMessageA(form, IDC_STATUS, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("kept"));
    SendFont(preview, Font("x", -12), 0);
    EXPECT_EQ(StatusText(form, 0), "kept");
}

TEST_F(PreviewFontDialog, OpensOnTheWindowsFontAndAppliesTheChosenFaceSizeAndUnderline)
{
    SendFont(preview, Font("DejaVu Sans", -16), RGB(0, 0, 128));
    std::string shownFace, chosenFace;
    WithDialog([&] { Command(IDM_FONT); },
               [&](HWND dialog) {
                   ASSERT_NE(dialog, nullptr) << "the font dialog did not open";
                   shownFace = ComboText(dialog, cmb1);
                   chosenFace = SelectComboItem(dialog, cmb1, JapaneseFaceIndex(dialog));
                   SelectComboItem(dialog, cmb3, ComboIndexOf(dialog, cmb3, "20"));
                   CheckDlgButton(dialog, chx2, BST_CHECKED);
                   PressDialogButton(dialog, chx2);
                   PressDialogButton(dialog, IDOK);
               });
    PumpMessages(50);
    EXPECT_EQ(shownFace, "DejaVu Sans") << "the dialog should open on the window's own font";
    ASSERT_FALSE(chosenFace.empty());
    EXPECT_EQ(std::string(State().logFont.lfFaceName), chosenFace);
    EXPECT_EQ(State().logFont.lfHeight, -MulDiv(20, 96, 72));
    EXPECT_TRUE(State().logFont.lfUnderline);
    EXPECT_EQ(State().logFont.lfQuality, PROOF_QUALITY) << "the dialog hands back default quality";
    EXPECT_EQ(Hex(State().fontColor), Hex(RGB(0, 0, 128))) << "the colour the dialog opened with";
    EXPECT_EQ(StatusText(form, 1), chosenFace);
    EXPECT_EQ(StatusText(form, 2), "20 pt");
    EXPECT_EQ(StatusText(form, 6), UNDERLINE);
}

TEST_F(PreviewFontDialog, CancelledDialogChangesNothing)
{
    SendFont(preview, Font("IPAGothic", -16), RGB(0, 0, 128));
    const Snapshot before = Take(preview);
    bool chosen = true;
    WithDialog([&] { chosen = ChoosePreviewFont(preview); },
               [&](HWND dialog) {
                   ASSERT_NE(dialog, nullptr) << "the font dialog did not open";
                   SelectComboItem(dialog, cmb3, ComboIndexOf(dialog, cmb3, "36"));
                   PressDialogButton(dialog, IDCANCEL);
               });
    PumpMessages(30);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(Changed(before, Take(preview)), "");
}

TEST_F(PreviewActivation, SwitchingLeavesTheChannelsAndTheStatusBarWithTheNewlyActiveWindow)
{
    const HWND first = preview;
    SendInner(first, RGB(10, 20, 30));
    SendFont(first, Font("IPAGothic", -16), 0);
    const HWND second = OpenPreview();
    SendInner(second, RGB(200, 100, 50));
    SendFont(second, Font("IPAPGothic", -24, FW_BOLD), 0);

    SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    PumpMessages(30);
    EXPECT_EQ(WindowText(Control(IDC_REDIT)), "10");
    EXPECT_EQ(StatusText(form, 1), "IPAGothic");

    SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second), 0);
    PumpMessages(30);
    EXPECT_EQ(WindowText(Control(IDC_REDIT)), "200");
    EXPECT_EQ(WindowText(Control(IDC_GEDIT)), "100");
    EXPECT_EQ(WindowText(Control(IDC_BEDIT)), "50");
    EXPECT_EQ(StatusText(form, 1), "IPAPGothic");
    EXPECT_EQ(StatusText(form, 2), "18 pt");
    EXPECT_EQ(StatusText(form, 4), BOLD);
    EXPECT_EQ(Hex(StateOf(second).innerColor), Hex(RGB(200, 100, 50)))
        << "the panel sent the same colour back";
}

TEST_F(PreviewActivation, ClosingTheLastWindowWhileCaptureRunsStopsCaptureBeforeTheBarChanges)
{
    SendFont(preview, Font("IPAPGothic", -16, FW_BOLD), 0);
    Command(IDM_CAPTURE);
    ASSERT_TRUE(IsOptionChecked(form, IDM_CAPTURE));
    Command(IDM_CLOSE);
    PumpMessages(80);
    EXPECT_EQ(GetMenu(form), MdiContext.MenuNoPreview);
    EXPECT_EQ(GetMenuState(GetSubMenu(MdiContext.MenuPreview, 1), IDM_CAPTURE, MF_BYCOMMAND) & MF_CHECKED, 0u)
        << "the capture item should have lost its check mark";
    EXPECT_FALSE(StatusIsSimple(form)) << "capture's simple mode should be over";
    EXPECT_EQ(StatusText(form, 1), "IPAPGothic") << "the closed window's font stays in the status bar";
    EXPECT_EQ(StatusText(form, 4), BOLD);
}

TEST_F(PreviewActivation, ActivationWritesTheFontOfANewWindowIntoTheStatusBar)
{
    SendFont(preview, Font("IPAPGothic", -16, FW_BOLD), RGB(255, 0, 0));
    OpenPreview();
    EXPECT_EQ(StatusText(form, 1), "");
    EXPECT_EQ(StatusText(form, 2), "0 pt");
    EXPECT_EQ(StatusText(form, 3), "#000000");
    EXPECT_EQ(StatusText(form, 4), "");
}

TEST_F(PreviewResources, EveryBrushAndFontAWindowMadeIsGoneOnceItCloses)
{
    const long before = GdiObject::LiveCount();
    const HWND window = OpenPreview();
    std::vector<HGDIOBJ> made = {StateOf(window).innerBrush.get()};
    for (int i = 0; i < 60; ++i) {
        SendInner(window, RGB(i * 4, 255 - i * 4, i));
        made.push_back(StateOf(window).innerBrush.get());
        SendFont(window, Font(i % 2 ? "IPAGothic" : "IPAPGothic", -(10 + i % 20)), RGB(i, i, i));
        made.push_back(StateOf(window).font.get());
        if (i % 20 == 0) ClientPixel(window, 2, 2);
    }
    for (size_t i = 0; i + 2 < made.size(); ++i)
        EXPECT_EQ(GetObjectType(made[i]), 0u) << "object " << i << " outlived its successor";

    SendMessageA(mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    PumpMessages(30);
    ASSERT_FALSE(IsWindow(window));
    for (size_t i = 0; i < made.size(); ++i)
        EXPECT_EQ(GetObjectType(made[i]), 0u) << "object " << i;
    EXPECT_EQ(GdiObject::LiveCount(), before);
}

TEST_F(PreviewResources, MessagesBeforeCreationAndAfterDestructionGoToTheDefault)
{
    EXPECT_EQ(PreviewStateOf(form), nullptr);
    EXPECT_EQ(PreviewStateOf(mdiClient), nullptr);
    EXPECT_EQ(PreviewStateOf(Edit()), nullptr);
    const HWND window = OpenPreview();
    SendMessageA(mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    EXPECT_EQ(PreviewStateOf(window), nullptr);
    EXPECT_EQ(PreviewWndProc(window, PM_SETOUTERCOLOR, 0, 0), 0);
}

// Three windows side by side in their own colours; with HUEBENCH_HOLD_MS set the test waits so
// that the screen can be photographed.
TEST_F(PreviewShowcase, ThreeTiledWindowsKeepTheirOwnColours)
{
    SetWindowPos(form, nullptr, 0, 0, 1000, 560, SWP_NOZORDER);   // all of it on the screen
    if (IsOptionChecked(form, IDM_SYNCHRO)) Command(IDM_SYNCHRO); // else activation also sets each band
    struct Look {
        COLORREF outer, inner, text;
        const char* face;
    };
    const Look looks[] = {{RGB(0, 51, 102), RGB(255, 255, 204), RGB(0, 0, 0), "IPAGothic"},
                          {RGB(204, 0, 0), RGB(255, 255, 255), RGB(204, 0, 0), "IPAPGothic"},
                          {RGB(0, 102, 51), RGB(0, 0, 0), RGB(255, 255, 0), "IPAGothic"}};
    std::vector<HWND> windows = {preview, OpenPreview(), OpenPreview()};
    for (size_t i = 0; i < windows.size(); ++i) {
        SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(windows[i]), 0);
        PumpMessages(20);
        SendInner(windows[i], looks[i].inner);
        SendOuter(windows[i], looks[i].outer);
        SendFont(windows[i], Font(looks[i].face, -21, i == 1 ? FW_BOLD : FW_NORMAL), looks[i].text);
        SendText(windows[i], JAPANESE_SAMPLE);
    }
    Command(IDM_TILEVERT);
    PumpMessages(100);
    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(Hex(BandPixel(windows[i], 2, 2)), Hex(looks[i].outer)) << "window " << i;
        EXPECT_EQ(Hex(EditPixel(windows[i])), Hex(looks[i].inner)) << "window " << i;
    }
    if (const char* hold = std::getenv("HUEBENCH_HOLD_MS")) PumpMessages(static_cast<DWORD>(std::atoi(hold)));
}

TEST_F(PreviewTextColour, CurrentColourBecomesTheTextOnScreenInTheStatusBarOnThePageAndAfterARestart)
{
    SendFont(preview, Font("IPAGothic", -96, FW_BOLD), 0);
    SendText(preview, "■");
    GreyTextOnWhite();
    EXPECT_EQ(Hex(State().fontColor), Hex(GREY));
    EXPECT_EQ(StatusText(form, 3), "#777777");
    EXPECT_EQ(State().logFont.lfHeight, -96) << "the font stays as it was";
    const LRESULT glyph = SendMessageA(Edit(), EM_POSFROMCHAR, 0, 0); // the square's top-left corner
    EXPECT_EQ(Hex(ClientPixel(Edit(), LOWORD(glyph) + 48, HIWORD(glyph) + 48)), Hex(GREY));

    bool printed = false;
    for (const print_steps::DrawnText& text : print_steps::DrawPageIntoMetafile(mdiClient).texts)
        printed = printed || (text.text == "■" && text.color == GREY);
    EXPECT_TRUE(printed) << "the page does not draw the sample in #777777";

    RecreateForm();
    preview = GetActivePreview();
    EXPECT_EQ(Hex(State().fontColor), Hex(GREY)) << "FONTCLR did not carry the colour";
}

TEST_F(PreviewTextColour, FontDialogKeepsAColourOutsideItsListUntilTheUserPicksOneFromIt)
{
    SendFont(preview, Font("IPAGothic", -16), GREY);
    std::string shownColour;
    COLORREF listed = CLR_INVALID;
    for (int run = 0; run < 2; ++run) { // first only the size changes, then a listed colour is picked
        WithDialog([&] { Command(IDM_FONT); },
                   [&](HWND dialog) {
                       ASSERT_NE(dialog, nullptr) << "the font dialog did not open";
                       if (run == 0) shownColour = ComboText(dialog, cmb4);
                       if (run == 0) SelectComboItem(dialog, cmb3, ComboIndexOf(dialog, cmb3, "20"));
                       if (run == 1) SelectComboItem(dialog, cmb4, 1);
                       listed =
                           static_cast<COLORREF>(SendDlgItemMessageA(dialog, cmb4, CB_GETITEMDATA, 1, 0));
                       PressDialogButton(dialog, IDOK);
                   });
        PumpMessages(50);
        if (run == 1) break;
        EXPECT_EQ(shownColour, "#777777") << "the dialog should open on the text colour";
        EXPECT_EQ(State().logFont.lfHeight, -MulDiv(20, 96, 72)) << "the size change was lost";
        EXPECT_EQ(Hex(State().fontColor), Hex(GREY)) << "changing only the size changed the colour";
    }
    EXPECT_EQ(Hex(State().fontColor), Hex(listed)) << "a colour picked in the list replaces it";
}

TEST_F(PreviewTextColour, SwapLoadsTheOldTextColourThroughTheChannelsFromTheCommandOrTheContextMenu)
{
    GreyTextOnWhite();
    Command(IDM_SWAPTEXTINNER);
    EXPECT_EQ(Hex(State().fontColor), Hex(WHITE));
    EXPECT_EQ(Hex(State().innerColor), Hex(GREY));
    EXPECT_EQ(WindowText(Control(IDC_GEDIT)), "119");
    EXPECT_EQ(WindowText(Control(IDC_HEXEDIT)), "#777777");
    EXPECT_EQ(WindowText(preview), "#777777");

    // From the menu, by the items' access keys: the channels already show the old text colour.
    RightClickWithMenuSteps(preview, {2, 2}, {[&] { MenuKey(preview, 'T'); }});
    EXPECT_EQ(Hex(State().fontColor), Hex(GREY));
    SendInner(preview, WHITE);
    RightClickWithMenuSteps(preview, {2, 2}, {[&] { MenuKey(preview, 'X'); }});
    EXPECT_EQ(Hex(State().innerColor), Hex(GREY));
    EXPECT_EQ(Hex(State().fontColor), Hex(WHITE));

    Command(IDM_CLOSEALL); // without a preview window both commands do nothing
    Command(IDM_TEXTFROMCURRENT);
    Command(IDM_SWAPTEXTINNER);
    EXPECT_EQ(WindowText(Control(IDC_GEDIT)), "119");
}

// One pair in four tiled windows, each painted as its viewer sees it while the colours stay true
// everywhere else. With HUEBENCH_HOLD_MS set the test waits so that the screen can be photographed.
TEST_F(PreviewVision, FourTiledWindowsShowOnePairEachAsItsViewerSeesIt)
{
    SetWindowPos(form, nullptr, 0, 0, 1000, 560, SWP_NOZORDER);
    if (IsOptionChecked(form, IDM_SYNCHRO)) Command(IDM_SYNCHRO);
    const COLORREF outer = RGB(204, 0, 0), inner = RGB(0, 153, 51), text = RGB(255, 255, 255);
    const VisionMode modes[] = {VISION_NORMAL, VISION_PROTANOPIA, VISION_DEUTERANOPIA, VISION_TRITANOPIA};
    const std::vector<HWND> windows = {preview, OpenPreview(), OpenPreview(), OpenPreview()};
    WriteChannelEdits(inner);
    for (size_t i = 0; i < windows.size(); ++i) {
        SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(windows[i]), 0);
        SendInner(windows[i], inner);
        SendOuter(windows[i], outer);
        SendFont(windows[i], Font("IPAGothic", -21, FW_BOLD), text);
        SendText(windows[i], JAPANESE_SAMPLE);
        Command(IDM_VISION_NORMAL + modes[i]);
        EXPECT_TRUE(VisionMarked(MdiContext.MenuPreview, modes[i]) &&
                    VisionMarked(MdiContext.ChildPopup, modes[i]));
    }
    Command(IDM_TILEVERT);
    PumpMessages(100);
    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(Hex(BandPixel(windows[i], 2, 2)), Hex(SimulateVision(outer, modes[i]))) << "window " << i;
        EXPECT_EQ(Hex(EditPixel(windows[i])), Hex(SimulateVision(inner, modes[i]))) << "window " << i;
        EXPECT_EQ(Hex(AskEditColours(windows[i], StateOf(windows[i]).edit).text),
                  Hex(SimulateVision(text, modes[i])));
        EXPECT_EQ(WindowText(windows[i]), VisionTitle("#009933", modes[i]).text);
    }
    if (const char* hold = std::getenv("HUEBENCH_HOLD_MS")) PumpMessages(static_cast<DWORD>(std::atoi(hold)));
    // Activation moves the mark; the record, the brush that printing borrows and the panel stay true.
    SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(windows[1]), 0);
    EXPECT_TRUE(VisionMarked(MdiContext.MenuPreview, VISION_PROTANOPIA));
    LOGBRUSH printed = {};
    GetObjectA(StateOf(windows[1]).innerBrush.get(), sizeof printed, &printed);
    EXPECT_EQ(Hex(printed.lbColor), Hex(inner));
    EXPECT_EQ(Hex(StateOf(windows[1]).outerColor), Hex(outer));
    EXPECT_EQ(WindowText(Control(IDC_HEXEDIT)) + StatusText(form, 3), "#009933#FFFFFF");
    Command(IDM_VISION_MONOCHROMACY);
    WriteChannelEdits(RGB(255, 0, 0));
    EXPECT_EQ(WindowText(windows[1]), "#FF0000 [1色覚]") << "a new colour keeps the tag";
    EXPECT_EQ(Hex(EditPixel(windows[1])), Hex(RGB(127, 127, 127)));
}
