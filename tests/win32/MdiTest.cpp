// The MDI client: window commands, the two menu bars, the context menus and their help texts.
#include "PreviewSteps.h"

#include <algorithm>
#include <string>

#include "colour/ColorModel.h"
#include "panel/Channels.h"
#include "shell/GdiHandles.h"
#include "shell/Menus.h"

using namespace preview_steps;

namespace {

const char NEW_WINDOW_HELP[] = "新しいプレビューウィンドウ表示します";
const char FILL_OUTER_HELP[] = "現在の色で外側を塗りつぶして表示します";

RECT PlaceInClient(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Overlap(LONG firstLow, LONG firstHigh, LONG secondLow, LONG secondHigh)
{
    return firstLow < secondHigh && secondLow < firstHigh;
}

std::string MenuText(HMENU menu, UINT position)
{
    char text[256] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

class MdiTest : public MainFormTest {
  protected:
    HWND OpenPreview()
    {
        Command(IDM_NEWWINDOW);
        PumpMessages(30);
        return GetActivePreview();
    }
    size_t PreviewCount() const { return Previews(mdiClient).size(); }
    void SetInnerColor(HWND preview, COLORREF color)
    {
        PreviewTemplate.innerColor = color;
        const ColorCode code = FormatColorCode(color, true);
        SendMessageA(preview, PM_SETINNERCOLOR, reinterpret_cast<WPARAM>(&PreviewTemplate),
                     reinterpret_cast<LPARAM>(code.text));
    }
    int SavedInnerColor() const
    {
        return GetPrivateProfileIntA("PREVIEW", "EDITCLR", -1, SettingsFile().c_str());
    }
    bool OptionChecked(UINT id) const { return IsOptionChecked(form, id); }
    // Room for windows side by side or one above the other without meeting their minimum size.
    void EnlargeForm() { SetWindowPos(form, nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER); }
};

using MdiWindows = MdiTest;
using MdiMenuBar = MdiTest;
using MdiContextMenus = MdiTest;
using MdiResources = MdiTest;

} // namespace

TEST_F(MdiWindows, FirstPreviewExistsAtStartUnderTheBarWithPreviews)
{
    ASSERT_EQ(PreviewCount(), 1u);
    const HWND preview = GetActivePreview();
    EXPECT_EQ(Previews(mdiClient)[0], preview) << "the first preview window is the active one";
    EXPECT_EQ(GetMenu(form), MdiContext.MenuPreview) << "expected menu 9001 on the bar";
    EXPECT_FALSE(IsMenu(templateMenu)) << "the template's copy of menu 9000 is freed at the first swap";
    EXPECT_TRUE(IsWindowVisible(mdiClient));
    const PreviewState& state = StateOf(preview);
    EXPECT_EQ(WindowText(preview), FormatColorCode(state.innerColor, OptionChecked(IDM_CAPTION)).text);
}

TEST_F(MdiWindows, NewWindowAddsAnActivePreviewTitledWithTheCurrentColour)
{
    const HWND first = GetActivePreview();
    const HWND second = OpenPreview();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(PreviewCount(), 2u);
    const PreviewState& state = StateOf(second);
    EXPECT_EQ(state.outerColor, state.innerColor);
    EXPECT_EQ(WindowText(second), FormatColorCode(state.innerColor, OptionChecked(IDM_CAPTION)).text);
    EXPECT_EQ(GetWindowLongA(second, GWL_STYLE) & WS_OVERLAPPEDWINDOW,
              static_cast<LONG>(WS_OVERLAPPEDWINDOW));
}

TEST_F(MdiWindows, NewWindowTitleFollowsTheCaseOption)
{
    WriteChannelEdits(RGB(0xAB, 0xCD, 0xEF));
    PumpMessages(30);
    if (OptionChecked(IDM_CAPTION)) Command(IDM_CAPTION);
    EXPECT_EQ(WindowText(OpenPreview()), "#abcdef");
    Command(IDM_CAPTION);
    EXPECT_EQ(WindowText(OpenPreview()), "#ABCDEF");
}

TEST_F(MdiWindows, CascadeSetsEachWindowBelowAndRightOfTheNext)
{
    OpenPreview();
    OpenPreview();
    Command(IDM_TILEVERT); // start from a layout that is no cascade
    Command(IDM_CASCADE);
    PumpMessages(30);
    std::vector<RECT> places;
    for (HWND preview : Previews(mdiClient))
        places.push_back(PlaceInClient(preview));
    ASSERT_EQ(places.size(), 3u);
    std::sort(places.begin(), places.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
    for (size_t i = 1; i < places.size(); ++i) {
        EXPECT_GT(places[i].left, places[i - 1].left) << "window " << i;
        EXPECT_GT(places[i].top, places[i - 1].top) << "window " << i;
        EXPECT_EQ(places[i].right - places[i].left, places[0].right - places[0].left) << "window " << i;
    }
}

TEST_F(MdiWindows, TileHorizontallyStacksTheWindowsOneAboveTheOther)
{
    EnlargeForm();
    OpenPreview();
    Command(IDM_TILEHORZ);
    PumpMessages(30);
    const std::vector<HWND> previews = Previews(mdiClient);
    ASSERT_EQ(previews.size(), 2u);
    const RECT a = PlaceInClient(previews[0]), b = PlaceInClient(previews[1]);
    EXPECT_EQ(a.left, b.left);
    EXPECT_FALSE(Overlap(a.top, a.bottom, b.top, b.bottom))
        << "rows " << a.top << ".." << a.bottom << " and " << b.top << ".." << b.bottom << " overlap";
}

TEST_F(MdiWindows, TileVerticallyPlacesTheWindowsSideBySide)
{
    EnlargeForm();
    OpenPreview();
    Command(IDM_TILEVERT);
    PumpMessages(30);
    const std::vector<HWND> previews = Previews(mdiClient);
    ASSERT_EQ(previews.size(), 2u);
    const RECT a = PlaceInClient(previews[0]), b = PlaceInClient(previews[1]);
    EXPECT_EQ(a.top, b.top);
    EXPECT_FALSE(Overlap(a.left, a.right, b.left, b.right))
        << "columns " << a.left << ".." << a.right << " and " << b.left << ".." << b.right << " overlap";
}

TEST_F(MdiWindows, CloseClosesOnlyTheActiveWindowAndSavesItFirst)
{
    const HWND first = GetActivePreview();
    const HWND second = OpenPreview();
    SetInnerColor(second, RGB(0x12, 0x34, 0x56));
    Command(IDM_CLOSE);
    PumpMessages(30);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(IsWindow(first));
    EXPECT_EQ(GetActivePreview(), first);
    EXPECT_EQ(SavedInnerColor(), static_cast<int>(RGB(0x12, 0x34, 0x56)));
}

TEST_F(MdiWindows, CtrlF4ClosesTheActiveWindowThroughTheMdiFilter)
{
    const HWND first = GetActivePreview();
    const HWND second = OpenPreview();
    PressWithCtrl(StateOf(second).edit, VK_F4);
    EXPECT_FALSE(IsWindow(second)) << "Ctrl+F4 left the active preview window open";
    EXPECT_TRUE(IsWindow(first));
}

TEST_F(MdiWindows, CloseBoxSavesTheSettingsFirstLikeTheCloseCommand)
{
    const HWND preview = GetActivePreview();
    SetInnerColor(preview, RGB(0xAB, 0xCD, 0xEF));
    SendMessageA(preview, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages(30);
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(SavedInnerColor(), static_cast<int>(RGB(0xAB, 0xCD, 0xEF)));
}

TEST_F(MdiWindows, CloseAllClosesEveryPreviewAndTheFileKeepsTheOneClosedLast)
{
    const COLORREF colors[] = {RGB(0x11, 0, 0), RGB(0, 0x22, 0), RGB(0, 0, 0x33)};
    SetInnerColor(GetActivePreview(), colors[0]);
    SetInnerColor(OpenPreview(), colors[1]);
    SetInnerColor(OpenPreview(), colors[2]);
    // The client closes from the top of its Z order, so the oldest window goes last.
    const std::vector<HWND> previews = Previews(mdiClient);
    ASSERT_EQ(previews.size(), 3u);
    const COLORREF closedLast = StateOf(previews.back()).innerColor;

    Command(IDM_CLOSEALL);
    PumpMessages(30);
    EXPECT_EQ(PreviewCount(), 0u);
    EXPECT_EQ(GetActivePreview(), nullptr);
    EXPECT_EQ(SavedInnerColor(), static_cast<int>(closedLast));
}

// Wine's MDI client forgets its children at its own WM_DESTROY; previews destroyed after it would
// have their IDs stamped through the forgotten list onto other windows, even other programs'.
namespace {
std::vector<HWND> DestroyedWindows;
// Noted when the window's procedure returns: a window that destroys others in its WM_DESTROY is
// noted after them.
LRESULT CALLBACK NoteDestroyed(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_DESTROY) DestroyedWindows.push_back(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

TEST_F(MdiWindows, ClosingTheFormSavesTheActivePreviewAndTheClientDestroysThePreviewsFirst)
{
    SetInnerColor(GetActivePreview(), RGB(0x11, 0, 0));
    const HWND active = OpenPreview();
    SetInnerColor(active, RGB(0, 0x22, 0));
    const std::vector<HWND> previews = Previews(mdiClient);
    DestroyedWindows.clear();
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, NoteDestroyed, nullptr, GetCurrentThreadId());
    DestroyForm();
    UnhookWindowsHookEx(hook);
    const auto at = [](HWND window) {
        return std::find(DestroyedWindows.begin(), DestroyedWindows.end(), window) - DestroyedWindows.begin();
    };
    ASSERT_EQ(previews.size(), 2u);
    const HWND other = previews[0] == active ? previews[1] : previews[0];
    EXPECT_LT(at(other), at(active)) << "the active preview goes last, so no other is activated";
    EXPECT_LT(at(active), at(mdiClient));
    EXPECT_EQ(SavedInnerColor(), static_cast<int>(RGB(0, 0x22, 0)));
}

TEST_F(MdiWindows, CloseWithNoPreviewWindowChangesNothing)
{
    Command(IDM_CLOSEALL);
    PumpMessages(30);
    DeleteFileA(SettingsFile().c_str());
    const HWND foreground = GetForegroundWindow();
    Command(IDM_CLOSE);
    SendMessageA(mdiClient, WM_MDIDESTROY, 0, 0);
    PumpMessages(30);
    EXPECT_TRUE(IsWindow(form));
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_EQ(GetMenu(form), MdiContext.MenuNoPreview);
    EXPECT_EQ(SavedInnerColor(), -1) << "nothing was there to save";
}

TEST_F(MdiWindows, ChoosingATitleFromTheWindowMenuActivatesThatWindow)
{
    const HWND first = GetActivePreview();
    SetInnerColor(first, RGB(0x10, 0x20, 0x30));
    OpenPreview();
    const HMENU windowMenu = BarPopup(GetMenu(form), BAR_WINDOW);
    UINT chosen = 0;
    for (int i = 0; i < GetMenuItemCount(windowMenu); ++i)
        if (MenuText(windowMenu, i).find("#102030") != std::string::npos)
            chosen = GetMenuItemID(windowMenu, i);
    ASSERT_GE(chosen, static_cast<UINT>(IDM_WINDOWCHILD_FIRST)) << "the window menu does not list #102030";
    Command(chosen);
    PumpMessages(30);
    EXPECT_EQ(GetActivePreview(), first);
}

TEST_F(MdiMenuBar, LastCloseShowsTheBarWithoutPreviewsAndOptionsTravelBothWays)
{
    Command(IDM_AUTOCOPY); // off by default
    Command(IDM_SYNCHRO);  // on by default
    Command(IDM_LOUPE);    // on by default
    ASSERT_TRUE(OptionChecked(IDM_AUTOCOPY));
    ASSERT_FALSE(OptionChecked(IDM_SYNCHRO));
    const bool caption = OptionChecked(IDM_CAPTION);

    Command(IDM_CLOSEALL);
    PumpMessages(30);
    EXPECT_EQ(GetMenu(form), MdiContext.MenuNoPreview) << "expected menu 9000 after the last close";
    EXPECT_TRUE(OptionChecked(IDM_AUTOCOPY));
    EXPECT_FALSE(OptionChecked(IDM_SYNCHRO));
    EXPECT_FALSE(OptionChecked(IDM_LOUPE));
    EXPECT_EQ(OptionChecked(IDM_CAPTION), caption);

    Command(IDM_SYNCHRO);
    OpenPreview();
    EXPECT_EQ(GetMenu(form), MdiContext.MenuPreview) << "expected menu 9001 with a preview window again";
    EXPECT_TRUE(OptionChecked(IDM_AUTOCOPY));
    EXPECT_TRUE(OptionChecked(IDM_SYNCHRO));
    EXPECT_FALSE(OptionChecked(IDM_LOUPE));
    EXPECT_EQ(OptionChecked(IDM_CAPTION), caption);
}

TEST_F(MdiMenuBar, SwitchingBetweenPreviewWindowsKeepsTheBar)
{
    const HWND first = GetActivePreview();
    OpenPreview();
    SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    PumpMessages(30);
    EXPECT_EQ(GetActivePreview(), first);
    EXPECT_EQ(GetMenu(form), MdiContext.MenuPreview);
}

TEST_F(MdiMenuBar, MaximisedPreviewPutsItsSystemMenuFirstAndOptionsStillTravel)
{
    OpenPreview();
    SendMessageA(mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(GetActivePreview()), 0);
    PumpMessages(30);
    ASSERT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(form), 0)), SYSTEM_MENU_ITEM_COUNT)
        << "the maximised window's system menu should stand first on the bar";

    Command(IDM_AUTOCOPY);
    EXPECT_TRUE(OptionChecked(IDM_AUTOCOPY));
    EXPECT_EQ(GetMenuState(GetSubMenu(MdiContext.MenuPreview, 2), IDM_AUTOCOPY, MF_BYCOMMAND) & MF_CHECKED,
              static_cast<UINT>(MF_CHECKED))
        << "the toggle should land on the Options popup behind the system menu";

    Command(IDM_CLOSEALL);
    PumpMessages(30);
    EXPECT_EQ(GetMenu(form), MdiContext.MenuNoPreview);
    EXPECT_TRUE(OptionChecked(IDM_AUTOCOPY));

    OpenPreview();
    SendMessageA(mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(GetActivePreview()), 0);
    PumpMessages(30);
    EXPECT_TRUE(OptionChecked(IDM_AUTOCOPY));
    Command(IDM_AUTOCOPY);
    EXPECT_FALSE(OptionChecked(IDM_AUTOCOPY));
}

TEST_F(MdiContextMenus, ClientMenuShowsHelpWhileHoveringAndMakesANewWindow)
{
    const size_t before = PreviewCount();
    std::string onNewWindow, onCloseAll;
    bool simpleWhileOpen = false;
    RightClickWithMenuSteps(mdiClient, {4, 4},
                            {[&] { MenuKey(mdiClient, VK_DOWN); },
                             [&] {
                                 onNewWindow = StatusText(form, 0);
                                 simpleWhileOpen = StatusIsSimple(form);
                                 MenuKey(mdiClient, VK_DOWN);
                             },
                             [&] {
                                 onCloseAll = StatusText(form, 0);
                                 MenuKey(mdiClient, VK_UP);
                             },
                             [&] { MenuKey(mdiClient, VK_RETURN); }});
    EXPECT_TRUE(simpleWhileOpen);
    EXPECT_EQ(onNewWindow, NEW_WINDOW_HELP);
    EXPECT_EQ(onCloseAll, "") << "close all has no help text";
    EXPECT_EQ(PreviewCount(), before + 1) << "choosing the first item should make a new window";
    EXPECT_FALSE(StatusIsSimple(form)) << "closing the menu should bring the parts back";
}

TEST_F(MdiContextMenus, PreviewMenuGreysFillOuterExactlyWhenBothColoursAreEqual)
{
    const HWND preview = GetActivePreview();
    const PreviewState& state = StateOf(preview);
    ASSERT_EQ(state.outerColor, state.innerColor);
    UINT whileEqual = 0;
    RightClickWithMenuSteps(preview, {2, 2}, {[&] {
                                whileEqual = GetMenuState(MdiContext.ChildPopup, IDM_FILLOUTER, MF_BYCOMMAND);
                            }});
    EXPECT_TRUE(whileEqual & MF_GRAYED) << "menu state " << whileEqual;

    SendMessageA(preview, PM_SETOUTERCOLOR, state.innerColor ^ 0xFFFFFF, 0);
    UINT whileDifferent = MF_GRAYED;
    RightClickWithMenuSteps(
        preview, {2, 2},
        {[&] { whileDifferent = GetMenuState(MdiContext.ChildPopup, IDM_FILLOUTER, MF_BYCOMMAND); }});
    EXPECT_FALSE(whileDifferent & MF_GRAYED) << "menu state " << whileDifferent;
    EXPECT_EQ(GetMenuDefaultItem(MdiContext.ChildPopup, FALSE, 0), static_cast<UINT>(IDM_FILLOUTER));
}

TEST_F(MdiContextMenus, ChoosingFillOuterFromThePreviewMenuFillsTheBandAndShowsItsHelp)
{
    const HWND preview = GetActivePreview();
    const PreviewState& state = StateOf(preview);
    SendMessageA(preview, PM_SETOUTERCOLOR, state.innerColor ^ 0xFFFFFF, 0);
    std::string help;
    RightClickWithMenuSteps(preview, {2, 2},
                            {[&] { MenuKey(preview, VK_DOWN); },
                             [&] {
                                 help = StatusText(form, 0);
                                 MenuKey(preview, VK_RETURN);
                             }});
    EXPECT_EQ(help, FILL_OUTER_HELP);
    EXPECT_EQ(state.outerColor, state.innerColor);
    EXPECT_FALSE(StatusIsSimple(form));
}

TEST_F(MdiContextMenus, HelpLeavesTheCaptureMessageAloneWhileCaptureRuns)
{
    Command(IDM_CAPTURE);
    ASSERT_TRUE(OptionChecked(IDM_CAPTURE));
    const std::string captureText = StatusText(form, 0);
    SendMessageA(mdiClient, WM_MENUSELECT, MAKEWPARAM(IDM_NEWWINDOW, MF_HILITE), 0);
    SendMessageA(GetActivePreview(), WM_MENUSELECT, MAKEWPARAM(IDM_FONT, MF_HILITE), 0);
    EXPECT_EQ(StatusText(form, 0), captureText);
    SendMessageA(mdiClient, WM_EXITMENULOOP, TRUE, 0);
    EXPECT_TRUE(StatusIsSimple(form)) << "capture keeps the simple mode";
    Command(IDM_CAPTURE);
}

TEST_F(MdiResources, AThousandOpenCloseCyclesLeaveTheGdiTallyWhereItStarted)
{
    PumpMessages(30);
    const long before = GdiObject::LiveCount();
    for (int cycle = 0; cycle < 1000; ++cycle) {
        Command(IDM_NEWWINDOW);
        Command(IDM_CLOSE);
        if (cycle % 50 == 0) PumpMessages(1);
    }
    PumpMessages(30);
    EXPECT_EQ(GdiObject::LiveCount(), before);
    EXPECT_EQ(PreviewCount(), 1u);
}
