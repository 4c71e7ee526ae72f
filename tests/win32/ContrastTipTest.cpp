// The contrast tooltip of a preview window: its two lines after every change, and a real hover.
#include "PreviewSteps.h"

#include <cstdio>
#include <string>

#include "shell/Menus.h"

using namespace preview_steps;

namespace {

constexpr COLORREF BLACK = RGB(0, 0, 0);
constexpr COLORREF WHITE = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF ORANGE = RGB(0xFF, 0x80, 0x00);
constexpr COLORREF GREY = RGB(0x77, 0x77, 0x77);

const std::string BLACK_ON_WHITE =
    "文字色 #000000 / 内側 #FFFFFF  コントラスト比 21.00:1  AA 適合・AAA 適合 (通常の文字)";
const std::string WHITE_IN_ORANGE =
    "内側 #FFFFFF / 外側 #FF8000  コントラスト比 2.51:1  非テキスト 3:1 不適合";
const char LARGE[] = "(大きな文字)";
const char NORMAL[] = "(通常の文字)";

std::string Lines(const std::string& first, const std::string& second)
{
    return first + "\r\n" + second;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find("\r\n"));
}

class ContrastTipTest : public MainFormTest {
  protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        preview = GetActivePreview();
        ASSERT_NE(preview, nullptr) << "the form starts without a preview window";
        ASSERT_EQ(Tooltip(), nullptr) << "the tooltip was made before the pointer came";
        SendMessageA(Edit(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Edit()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ASSERT_NE(Tooltip(), nullptr) << "the pointer over the text made no tooltip";
    }

    HWND Tooltip() const { return StateOf(preview).tooltip; }
    HWND Edit() const { return StateOf(preview).edit; }

    // The text the window hands its tooltip for the tool over `area`, asked as the tooltip asks.
    std::string TipText(HWND area) const
    {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = Tooltip();
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(area);
        info.hdr.code = TTN_GETDISPINFOA;
        info.lpszText = info.szText;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        SendMessageA(preview, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        return IS_INTRESOURCE(info.lpszText) ? "" : info.lpszText;
    }

    void SetInner(COLORREF color)
    {
        PreviewTemplate.innerColor = color;
        SendMessageA(preview, PM_SETINNERCOLOR, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
    }
    void SetOuter(COLORREF color) { SendMessageA(preview, PM_SETOUTERCOLOR, color, 0); }
    void SetFont(COLORREF color, LONG height = 0, LONG weight = FW_NORMAL)
    {
        PreviewTemplate.fontColor = color;
        PreviewTemplate.logFont = LOGFONTA{};
        PreviewTemplate.logFont.lfHeight = height;
        PreviewTemplate.logFont.lfWeight = weight;
        PreviewTemplate.logFont.lfCharSet = SHIFTJIS_CHARSET;
        SendMessageA(preview, PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
    }
    // The height of a font of so many points at the form's resolution, as the font dialog gives it.
    LONG HeightOfPoints(int points) const
    {
        HDC dc = GetDC(form);
        const int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(form, dc);
        return -MulDiv(points, pixelsPerInch, 72);
    }
    void UseUpperCase(bool upper)
    {
        if (IsOptionChecked(form, IDM_CAPTION) != upper) Command(IDM_CAPTION);
        ASSERT_EQ(IsOptionChecked(form, IDM_CAPTION), upper);
    }
    void ShowBlackOnWhiteInOrange()
    {
        UseUpperCase(true);
        SetFont(BLACK);
        SetInner(WHITE);
        SetOuter(ORANGE);
    }

    HWND preview = nullptr;
};

TEST_F(ContrastTipTest, NamesBothPairsWithTheirRatiosAndVerdictsOverTheBandAndTheSampleText)
{
    ShowBlackOnWhiteInOrange();
    EXPECT_EQ(TipText(preview), Lines(BLACK_ON_WHITE, WHITE_IN_ORANGE));
    EXPECT_EQ(TipText(Edit()), Lines(BLACK_ON_WHITE, WHITE_IN_ORANGE));
}

TEST_F(ContrastTipTest, ASimulatedModeAddsTheRatiosAsThatViewerSeesThem)
{
    ShowBlackOnWhiteInOrange();
    Command(IDM_VISION_PROTANOPIA);
    // Orange darkens for a protanope, so the band passes against white only in their eyes.
    EXPECT_EQ(TipText(preview), Lines(BLACK_ON_WHITE, WHITE_IN_ORANGE) +
                                    "\r\n1型色覚 (P型)では  文字色/内側 21.00:1  内側/外側 3.14:1");
}

TEST_F(ContrastTipTest, FollowsEveryNewInnerOuterAndFontColourWithTheNearestColoursThatPass)
{
    ShowBlackOnWhiteInOrange();
    SetInner(BLACK);
    EXPECT_EQ(
        TipText(preview),
        Lines(
            Lines("文字色 #000000 / 内側 #000000  コントラスト比 1.00:1  AA 不適合・AAA 不適合 (通常の文字)",
                  "内側 #000000 / 外側 #FF8000  コントラスト比 8.33:1  非テキスト 3:1 適合"),
            Lines("AA 4.5:1 に届く最も近い色  文字色 #757575 (4.55:1) / 内側 #757575 (4.55:1)",
                  "AAA 7:1 に届く最も近い色  文字色 #959595 (7.01:1) / 内側 #959595 (7.01:1)")));
    SetOuter(WHITE);
    SetFont(GREY);
    EXPECT_EQ(
        TipText(preview),
        Lines(Lines("文字色 #777777 / 内側 #000000  コントラスト比 4.68:1  AA 適合・AAA 不適合 (通常の文字)",
                    "内側 #000000 / 外側 #FFFFFF  コントラスト比 21.00:1  非テキスト 3:1 適合"),
              "AAA 7:1 に届く最も近い色  文字色 #959595 (7.01:1) / 内側 明度だけでは届きません"));
    // Equal inner and outer colours make no band, and no failure to report for it.
    SetOuter(BLACK);
    EXPECT_EQ(TipText(preview).find("内側 #000000 / 外側 #000000  同じ色のため外側の帯は見えません"),
              FirstLine(TipText(preview)).size() + 2);
}

TEST_F(ContrastTipTest, A24PointFontTurnsGreyOnWhiteIntoLargeTextThatPassesAA)
{
    UseUpperCase(true);
    SetInner(WHITE);
    SetFont(GREY);
    EXPECT_EQ(FirstLine(TipText(preview)),
              "文字色 #777777 / 内側 #FFFFFF  コントラスト比 4.47:1  AA 不適合・AAA 不適合 (通常の文字)");
    SetFont(GREY, HeightOfPoints(24));
    EXPECT_EQ(FirstLine(TipText(preview)),
              "文字色 #777777 / 内側 #FFFFFF  コントラスト比 4.47:1  AA 適合・AAA 不適合 (大きな文字)");
}

TEST_F(ContrastTipTest, TextIsLargeFrom18PointsOr14PointsBoldAsTheStatusBarCountsThem)
{
    struct Case {
        int points;
        LONG weight;
        bool large;
    };
    const Case cases[] = {
        {17, FW_NORMAL, false}, {18, FW_NORMAL, true},    {13, FW_BOLD, false},
        {14, FW_BOLD, true},    {14, FW_SEMIBOLD, false}, {14, FW_HEAVY, true},
    };
    for (const Case& each : cases) {
        SetFont(GREY, HeightOfPoints(each.points), each.weight);
        char shown[32];
        std::snprintf(shown, sizeof shown, "%d pt", each.points);
        EXPECT_EQ(StatusText(form, 2), shown);
        EXPECT_TRUE(EndsWith(FirstLine(TipText(preview)), each.large ? LARGE : NORMAL))
            << each.points << " pt of weight " << each.weight << " should be "
            << (each.large ? LARGE : NORMAL) << "; the tip says: " << FirstLine(TipText(preview));
    }
    SetFont(GREY, 0, FW_HEAVY); // the default size, whatever the weight
    EXPECT_TRUE(EndsWith(FirstLine(TipText(preview)), NORMAL)) << FirstLine(TipText(preview));
}

TEST_F(ContrastTipTest, CodesFollowTheCaseOption)
{
    ShowBlackOnWhiteInOrange();
    UseUpperCase(false);
    EXPECT_EQ(TipText(preview),
              Lines("文字色 #000000 / 内側 #ffffff  コントラスト比 21.00:1  AA 適合・AAA 適合 (通常の文字)",
                    "内側 #ffffff / 外側 #ff8000  コントラスト比 2.51:1  非テキスト 3:1 不適合"));
}

TEST_F(ContrastTipTest, WaitsAsLongAsTheSystemsHoverTime)
{
    UINT hoverTime = 0;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &hoverTime, 0));
    EXPECT_EQ(SendMessageA(Tooltip(), TTM_GETDELAYTIME, TTDT_INITIAL, 0), static_cast<LRESULT>(hoverTime));
}

TEST_F(ContrastTipTest, ClosingTheWindowDestroysItsTooltip)
{
    const HWND tooltip = Tooltip();
    SendMessageA(mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(preview), 0);
    PumpMessages(30);
    EXPECT_FALSE(IsWindow(tooltip)) << "the tooltip outlived its preview window";
}

class ContrastTipHover : public ContrastTipTest {
  protected:
    void TearDown() override
    {
        SetCursorPos(0, 0);
        ContrastTipTest::TearDown();
    }

    // Rests the pointer on a point of a window's client area until the tooltip shows.
    bool HoverUntilTheTipShows(HWND window, POINT at)
    {
        ClientToScreen(window, &at);
        // A pointer already resting there would make no move at all; and Wine may still be catching
        // up with an earlier move and put the pointer back, so move until it stays.
        SetCursorPos(at.x + 1, at.y);
        return PumpUntil(
            [&] {
                POINT pointer = {};
                GetCursorPos(&pointer);
                if (pointer.x != at.x || pointer.y != at.y) SetCursorPos(at.x, at.y);
                return IsWindowVisible(Tooltip()) != FALSE;
            },
            3000);
    }

    HWND CurrentTool() const
    {
        TTTOOLINFOA current = {};
        current.cbSize = TTTOOLINFOA_V2_SIZE;
        if (!SendMessageA(Tooltip(), TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&current)))
            return nullptr;
        return reinterpret_cast<HWND>(current.uId);
    }

    // The tooltip's text for its current tool, in code page 932 (the ANSI message cuts it at 80 bytes).
    std::string ShownText() const
    {
        wchar_t wide[1024] = L"";
        TTTOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = preview;
        tool.uId = reinterpret_cast<UINT_PTR>(CurrentTool());
        tool.lpszText = wide;
        SendMessageW(Tooltip(), TTM_GETTEXTW, sizeof wide / sizeof *wide, reinterpret_cast<LPARAM>(&tool));
        char text[2048] = "";
        WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        return text;
    }

    // Whether the shown tooltip lies over any of the sample text's field.
    bool TipCoversTheText() const
    {
        RECT tip = {}, text = {}, overlap = {};
        GetWindowRect(Tooltip(), &tip);
        GetWindowRect(Edit(), &text);
        return IntersectRect(&overlap, &tip, &text) != FALSE;
    }

    // The tooltip's client height in lines of its own font.
    double ShownLines() const
    {
        RECT client = {};
        GetClientRect(Tooltip(), &client);
        HDC dc = GetDC(Tooltip());
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(Tooltip(), WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(Tooltip(), dc);
        return static_cast<double>(client.bottom) / metrics.tmHeight;
    }
};

TEST_F(ContrastTipHover, RestingOnTheBandShowsBothLinesAndAChangeWhileShownIsAskedAfresh)
{
    ShowBlackOnWhiteInOrange();
    RECT client = {};
    GetClientRect(preview, &client);
    ASSERT_TRUE(HoverUntilTheTipShows(preview, {client.right / 12, client.bottom / 12}))
        << "no tooltip showed over the band";
    EXPECT_EQ(CurrentTool(), preview);
    EXPECT_EQ(ShownText(), Lines(BLACK_ON_WHITE, WHITE_IN_ORANGE));
    EXPECT_GE(ShownLines(), 2.0) << "the two lines were shown on one";
    EXPECT_FALSE(TipCoversTheText());

    // The tooltip reads the text into its own buffer: what it last read is the window's record.
    SetInner(BLACK);
    EXPECT_EQ(FirstLine(StateOf(preview).tipText),
              "文字色 #000000 / 内側 #000000  コントラスト比 1.00:1  AA 不適合・AAA 不適合 (通常の文字)")
        << "the tip on show was not asked again after the inner colour changed";
}

TEST_F(ContrastTipHover, ShowsOverTheFormThatTheTopLevelOptionKeepsOnTop)
{
    if (!IsOptionChecked(form, IDM_TOPLEVEL)) Command(IDM_TOPLEVEL);
    ASSERT_NE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "the form did not go on top";
    RECT client = {};
    GetClientRect(preview, &client);
    ASSERT_TRUE(HoverUntilTheTipShows(preview, {client.right / 12, client.bottom / 12}));
    RECT tip = {};
    GetWindowRect(Tooltip(), &tip);
    const POINT middle = {(tip.left + tip.right) / 2, (tip.top + tip.bottom) / 2};
    EXPECT_EQ(WindowFromPoint(middle), Tooltip()) << "the tooltip showed behind the form";
}

TEST_F(ContrastTipHover, NoneShowsWhileCaptureRunsAndItComesBackAfter)
{
    RECT client = {};
    GetClientRect(preview, &client);
    const POINT band = {client.right / 12, client.bottom / 12};
    ASSERT_TRUE(HoverUntilTheTipShows(preview, band));
    Command(IDM_CAPTURE);
    EXPECT_FALSE(IsWindowVisible(Tooltip()) || HoverUntilTheTipShows(preview, {band.x + 4, band.y + 4}))
        << "a tooltip stayed or showed over the magnifier while capture ran";
    Command(IDM_CAPTURE);
    EXPECT_TRUE(HoverUntilTheTipShows(preview, band));
}

TEST_F(ContrastTipHover, RestingOnTheSampleTextShowsTheSameLines)
{
    ShowBlackOnWhiteInOrange();
    RECT client = {};
    GetClientRect(Edit(), &client);
    ASSERT_TRUE(HoverUntilTheTipShows(Edit(), {client.right / 2, client.bottom / 2}))
        << "no tooltip showed over the sample text";
    EXPECT_EQ(CurrentTool(), Edit());
    EXPECT_EQ(ShownText(), Lines(BLACK_ON_WHITE, WHITE_IN_ORANGE));
    EXPECT_FALSE(TipCoversTheText()) << "the tooltip lies over the text it reports on";

    SendMessageA(Edit(), WM_CHAR, 'a', 1); // the user types into the sample
    PumpMessages(100);
    EXPECT_FALSE(IsWindowVisible(Tooltip())) << "the tooltip stayed while the user typed";
}

} // namespace
