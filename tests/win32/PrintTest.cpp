// Printing: the page drawn into metafiles and bitmaps, and a real job through CUPS into a PDF.
#include "PreviewSteps.h"
#include "PrintSteps.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "colour/ColorModel.h"
#include "print/PrintCtrl.h"
#include "print/PrintGeometry.h"
#include "shell/Fatal.h"
#include "shell/GdiHandles.h"
#include "shell/Menus.h"

using namespace preview_steps;
using namespace print_steps;

namespace {

std::string Hex(COLORREF color)
{
    char text[16];
    snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(color));
    return text;
}

std::string Describe(const RECT& rect)
{
    std::ostringstream text;
    text << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ")";
    return text.str();
}

bool SameRect(const RECT& first, const RECT& second)
{
    return first.left == second.left && first.top == second.top && first.right == second.right &&
           first.bottom == second.bottom;
}

// A window's rectangle relative to the origin of the MDI client's client area.
RECT RelativeToClient(HWND window, HWND mdiClient)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    POINT origin = {0, 0};
    ClientToScreen(mdiClient, &origin);
    OffsetRect(&rect, -origin.x, -origin.y);
    return rect;
}

// Rectangles as the page shows them: clamped at 0 and scaled, the outer one below the caption.
RECT ExpectedOuter(HWND preview, HWND mdiClient, int scale)
{
    RECT rect = RelativeToClient(preview, mdiClient);
    rect.top += GetSystemMetrics(SM_CYCAPTION);
    return {ScaleEdge(rect.left, scale), ScaleEdge(rect.top, scale), ScaleEdge(rect.right, scale),
            ScaleEdge(rect.bottom, scale)};
}

RECT ExpectedInner(HWND preview, HWND mdiClient, int scale)
{
    const RECT rect = RelativeToClient(StateOf(preview).edit, mdiClient);
    return {ScaleEdge(rect.left, scale), ScaleEdge(rect.top, scale), ScaleEdge(rect.right, scale),
            ScaleEdge(rect.bottom, scale)};
}

bool Contains(const std::vector<std::string>& lines, const std::string& wanted)
{
    return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

// The caption lines of the page, in the order drawn.
std::vector<DrawnText> CaptionLines(const PageDrawing& page)
{
    std::vector<DrawnText> lines;
    for (const DrawnText& text : page.texts)
        if (text.text.rfind("Outside [", 0) == 0 || text.text.rfind("Font    [", 0) == 0)
            lines.push_back(text);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& line : lines)
        joined += "  [" + line + "]\n";
    return joined;
}

// ---------------------------------------------------------------------------------------------

class PrintTest : public MainFormTest {
  protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        if (IsOptionChecked(form, IDM_SYNCHRO)) Command(IDM_SYNCHRO); // colours are set one by one here
    }

    HWND OpenPreview()
    {
        Command(IDM_NEWWINDOW);
        PumpMessages(30);
        return GetActivePreview();
    }
    // The one preview the form starts with, or a new one if it has none.
    HWND FirstPreview()
    {
        const std::vector<HWND> previews = Previews(mdiClient);
        return previews.empty() ? OpenPreview() : previews.front();
    }
    void Place(HWND preview, int x, int y, int width, int height)
    {
        MoveWindow(preview, x, y, width, height, TRUE);
        PumpMessages(20);
    }
    void Colour(HWND preview, COLORREF outer, COLORREF inner)
    {
        PreviewTemplate.innerColor = inner;
        const ColorCode code = FormatColorCode(inner, true);
        SendMessageA(preview, PM_SETINNERCOLOR, reinterpret_cast<WPARAM>(&PreviewTemplate),
                     reinterpret_cast<LPARAM>(code.text));
        SendMessageA(preview, PM_SETOUTERCOLOR, outer, 0);
    }
    void Font(HWND preview, LONG height, const char* face, COLORREF color)
    {
        PreviewTemplate.logFont = StateOf(preview).logFont;
        PreviewTemplate.logFont.lfHeight = height;
        lstrcpynA(PreviewTemplate.logFont.lfFaceName, face, LF_FACESIZE);
        PreviewTemplate.fontColor = color;
        SendMessageA(preview, PM_SETFONT, reinterpret_cast<WPARAM>(&PreviewTemplate), 0);
    }
    void Text(HWND preview, const char* text)
    {
        SendMessageA(preview, PM_SETTEXT, reinterpret_cast<WPARAM>(text), 0);
    }
    void SetUpperCaseCodes(bool upperCase)
    {
        if (IsOptionChecked(form, IDM_CAPTION) != upperCase) Command(IDM_CAPTION);
    }
    void SetClientWidth(int width)
    {
        RECT onForm = {};
        GetWindowRect(mdiClient, &onForm);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&onForm), 2);
        RECT client = {};
        GetClientRect(mdiClient, &client);
        // A client edge wider than the window itself leaves no client area at all.
        const int frame = width > 0 ? (onForm.right - onForm.left) - client.right : 0;
        MoveWindow(mdiClient, onForm.left, onForm.top, width + frame, onForm.bottom - onForm.top, TRUE);
        PumpMessages(20);
    }
    // Closes every preview but the first, so a test starts from one known window.
    HWND OnlyPreview()
    {
        HWND first = FirstPreview();
        for (HWND other : Previews(mdiClient))
            if (other != first) SendMessageA(mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(other), 0);
        SendMessageA(mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(first), 0);
        PumpMessages(20);
        return first;
    }
};

using PrintPage = PrintTest;

} // namespace

TEST_F(PrintPage, WindowIsPrintedAsItsOuterAndInnerRectanglesScaledToThePrintableWidth)
{
    // A printable width of 4760 over a client 500 wide: the factor is 9 (9.52 cut).
    SetClientWidth(500);
    HWND preview = OnlyPreview();
    Place(preview, 10, 20, 200, 150);
    Colour(preview, 0x00336699, 0x00CCAA88);
    Text(preview, "");

    PageBitmap page(4760, 1700);
    DrawPreviewPage(page.dc(), mdiClient);

    ASSERT_EQ(PrintContext.scale, 9) << "printable width 4760 over client width 500";
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const RECT outer = ExpectedOuter(preview, mdiClient, 9);
    EXPECT_TRUE(SameRect(outer, RECT{90, (20 + caption) * 9, 1890, 1530}))
        << "outer rectangle " << Describe(outer) << " with caption height " << caption;
    const RECT inner = ExpectedInner(preview, mdiClient, 9);

    // The band below the caption lines, left of the inner area, has the outer colour; the
    // rectangles end one unit before their right and bottom edges.
    EXPECT_EQ(page.Pixel(outer.left + 2, outer.bottom - 2), 0x00336699u);
    EXPECT_EQ(page.Pixel(outer.right - 2, (inner.bottom + outer.bottom) / 2), 0x00336699u);
    EXPECT_EQ(page.Pixel(outer.right, outer.bottom - 2), WHITE) << "right edge is exclusive";
    EXPECT_EQ(page.Pixel(outer.left + 2, outer.bottom), WHITE) << "bottom edge is exclusive";
    EXPECT_EQ(page.Pixel(outer.left - 2, outer.bottom - 2), WHITE) << "nothing left of the window";
    EXPECT_EQ(page.Pixel(outer.left + 2, outer.top - 2), WHITE) << "no title bar is printed";
    EXPECT_EQ(page.Pixel((inner.left + inner.right) / 2, (inner.top + inner.bottom) / 2), 0x00CCAA88u);
    EXPECT_EQ(page.Pixel(inner.right - 2, inner.bottom - 2), 0x00CCAA88u);
    EXPECT_EQ(page.Pixel(inner.right - 1, inner.bottom - 1), 0x00336699u)
        << "a null pen leaves the edge unfilled";
}

TEST_F(PrintPage, MetafileRecordsTheRectanglesWithTheirBrushColours)
{
    HWND preview = OnlyPreview();
    Place(preview, 30, 40, 260, 180);
    Colour(preview, 0x00204080, 0x0080FF40);

    int scale = 0;
    const PageDrawing page = DrawPageIntoMetafile(mdiClient, &scale);

    ASSERT_EQ(page.rects.size(), 2u) << "one outer and one inner rectangle";
    const RECT outer = ExpectedOuter(preview, mdiClient, scale);
    const RECT inner = ExpectedInner(preview, mdiClient, scale);
    // The metafile keeps the box inclusive: one less on the right and at the bottom.
    EXPECT_TRUE(SameRect(page.rects[0].box, RECT{outer.left, outer.top, outer.right - 1, outer.bottom - 1}))
        << "outer " << Describe(page.rects[0].box) << ", expected " << Describe(outer) << " exclusive";
    EXPECT_EQ(page.rects[0].brush, 0x00204080u) << Hex(page.rects[0].brush);
    EXPECT_TRUE(SameRect(page.rects[1].box, RECT{inner.left, inner.top, inner.right - 1, inner.bottom - 1}))
        << "inner " << Describe(page.rects[1].box) << ", expected " << Describe(inner) << " exclusive";
    EXPECT_EQ(page.rects[1].brush, 0x0080FF40u) << Hex(page.rects[1].brush);
}

TEST_F(PrintPage, CaptionCodesFollowTheCaptionOptionInBothCases)
{
    HWND preview = OnlyPreview();
    Place(preview, 0, 0, 300, 200);
    Colour(preview, WHITE, 0x00FF8000);
    Font(preview, -16, "Arial", 0x000000FF);

    SetUpperCaseCodes(true);
    std::vector<std::string> lines = DrawPageIntoMetafile(mdiClient).Lines();
    EXPECT_TRUE(Contains(lines, "Outside [#FFFFFF(255,255,255)] : Inside [#0080FF(  0,128,255)]"))
        << Joined(lines);
    EXPECT_TRUE(Contains(lines, "Font    [#FF0000(255,  0,  0)] - \"Arial\" - 12pt")) << Joined(lines);

    SetUpperCaseCodes(false);
    lines = DrawPageIntoMetafile(mdiClient).Lines();
    EXPECT_TRUE(Contains(lines, "Outside [#ffffff(255,255,255)] : Inside [#0080ff(  0,128,255)]"))
        << Joined(lines);
    EXPECT_TRUE(Contains(lines, "Font    [#ff0000(255,  0,  0)] - \"Arial\" - 12pt")) << Joined(lines);
}

TEST_F(PrintPage, CaptionReportsTheFontSizeInPointsOfTheScreen)
{
    HWND preview = OnlyPreview();
    {
        WindowDC screen(form);
        ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), 96) << "the expectations assume a 96 dpi screen";
    }
    const struct {
        LONG height;
        const char* ending;
    } cases[] = {{-16, "- 12pt"}, {0, "- 0pt"}, {16, "- -12pt"}, {-21, "- 16pt"}};
    for (const auto& sample : cases) {
        Font(preview, sample.height, "Courier New", BLACK);
        const std::vector<std::string> lines = DrawPageIntoMetafile(mdiClient).Lines();
        const bool found = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.rfind("Font    [", 0) == 0 && line.size() > std::strlen(sample.ending) &&
                   line.compare(line.size() - std::strlen(sample.ending), std::string::npos, sample.ending) ==
                       0;
        });
        EXPECT_TRUE(found) << "lfHeight " << sample.height << " should end in \"" << sample.ending << "\"\n"
                           << Joined(lines);
    }
}

TEST_F(PrintPage, CaptionIsBlackOnALightOuterColourAndWhiteOnADarkOne)
{
    HWND preview = OnlyPreview();
    Colour(preview, WHITE, 0x00123456);
    std::vector<DrawnText> caption = CaptionLines(DrawPageIntoMetafile(mdiClient));
    ASSERT_EQ(caption.size(), 2u);
    EXPECT_EQ(caption[0].color, BLACK) << "white outer: " << Hex(caption[0].color);
    EXPECT_EQ(caption[1].color, BLACK) << "second caption line: " << Hex(caption[1].color);

    Colour(preview, DARK_GREY, 0x00123456);
    caption = CaptionLines(DrawPageIntoMetafile(mdiClient));
    ASSERT_EQ(caption.size(), 2u);
    EXPECT_EQ(caption[0].color, WHITE) << "outer 0xA9A9A9: " << Hex(caption[0].color);
    EXPECT_EQ(caption[1].color, WHITE) << "second caption line: " << Hex(caption[1].color);
}

TEST_F(PrintPage, CaptionStaysInsideItsWindowAndIsDrawnOverTheInnerAreaWhereTheBandIsTooLow)
{
    // A window too low for two caption lines of a legible size.
    SetClientWidth(640);
    HWND preview = OnlyPreview();
    Place(preview, 100, 0, 300, 60);
    Colour(preview, WHITE, 0x00CCCCCC);
    Text(preview, "");
    PageBitmap page(640, 480); // scale 1
    DrawPreviewPage(page.dc(), mdiClient);

    const RECT outer = ExpectedOuter(preview, mdiClient, 1);
    const RECT inner = ExpectedInner(preview, mdiClient, 1);
    int outside = 0, overInner = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const POINT point{x, y};
            const COLORREF pixel = page.Pixel(x, y); // small text is smoothed: dark, not only black
            if (GetRValue(pixel) >= 0x80 || GetGValue(pixel) >= 0x80 || GetBValue(pixel) >= 0x80) continue;
            if (!PtInRect(&outer, point)) ++outside;
            if (PtInRect(&inner, point)) ++overInner;
        }
    EXPECT_EQ(outside, 0) << "caption ink outside the window " << Describe(outer);
    EXPECT_GT(overInner, 0) << "the caption lines are hidden by the inner area " << Describe(inner);
}

TEST_F(PrintPage, SampleTextIsPrintedInTheScaledFontAndFontColourWithAmpersandsAsTheyStand)
{
    HWND preview = OnlyPreview();
    Place(preview, 0, 0, 400, 300);
    Colour(preview, WHITE, 0x00EEEEEE);
    Font(preview, -16, "Arial", 0x00008000);
    Text(preview, "Salt & Pepper\r\nsecond line");

    int scale = 0;
    const PageDrawing page = DrawPageIntoMetafile(mdiClient, &scale);
    ASSERT_GE(scale, 1);
    const RECT inner = ExpectedInner(preview, mdiClient, scale);

    std::vector<DrawnText> sample;
    for (const DrawnText& text : page.texts)
        if (text.text == "Salt & Pepper" || text.text == "second line") sample.push_back(text);
    ASSERT_EQ(sample.size(), 2u) << "both lines of the sample, the ampersand kept:\n" << Joined(page.Lines());
    for (const DrawnText& text : sample) {
        EXPECT_EQ(text.color, 0x00008000u) << text.text << ": " << Hex(text.color);
        EXPECT_EQ(text.fontHeight, 16 * scale)
            << text.text << ": the character height -16 prints as cell height " << 16 * scale;
        EXPECT_EQ(text.at.x, inner.left) << text.text;
    }
    EXPECT_EQ(sample[0].at.y, inner.top);
    EXPECT_GT(sample[1].at.y, sample[0].at.y) << "the second line lies below the first";

    // The caption lines are drawn in a font of their own, not in the sample's.
    const std::vector<DrawnText> caption = CaptionLines(page);
    ASSERT_EQ(caption.size(), 2u);
    EXPECT_NE(caption[0].fontHeight, 16 * scale) << "caption font height";
    EXPECT_EQ(StateOf(preview).logFont.lfHeight, -16) << "the preview's own font is left as it was";
}

TEST_F(PrintPage, PreviewWithoutAFontHeightPrintsItsSampleAtTheSizeTheScreenShows)
{
    HWND preview = OpenPreview(); // a new preview: no font chosen, the edit shows the system font
    ASSERT_EQ(StateOf(preview).logFont.lfHeight, 0);
    Text(preview, "sample");
    LONG screenHeight = 0;
    {
        WindowDC screen(StateOf(preview).edit);
        HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(SendMessageA(StateOf(preview).edit, WM_GETFONT, 0, 0));
        SelectedObject selected(screen.get(), shown ? shown : GetStockObject(SYSTEM_FONT));
        TEXTMETRICA metrics = {};
        GetTextMetricsA(screen.get(), &metrics);
        screenHeight = metrics.tmHeight;
    }

    int scale = 0;
    const PageDrawing page = DrawPageIntoMetafile(mdiClient, &scale);
    const auto sample = std::find_if(page.texts.begin(), page.texts.end(),
                                     [](const DrawnText& text) { return text.text == "sample"; });
    ASSERT_NE(sample, page.texts.end()) << Joined(page.Lines());
    EXPECT_EQ(sample->fontHeight, screenHeight * scale)
        << "a height of 0 would leave the size to the printer driver; the screen shows cell height "
        << screenHeight;
}

TEST_F(PrintPage, MaximisedActiveWindowIsPrintedAloneFromTheCorner)
{
    HWND first = OnlyPreview();
    Colour(first, 0x00111111, 0x00222222);
    HWND second = OpenPreview();
    Colour(second, 0x00333333, 0x00444444);
    HWND third = OpenPreview();
    Colour(third, 0x00555555, 0x00666666);
    SendMessageA(mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
    PumpMessages(50);
    ASSERT_EQ(GetActivePreview(), second);
    ASSERT_TRUE(IsZoomed(second));

    const PageDrawing page = DrawPageIntoMetafile(mdiClient);
    ASSERT_EQ(page.rects.size(), 2u) << "only the maximised window";
    EXPECT_EQ(page.rects[0].brush, 0x00333333u) << Hex(page.rects[0].brush);
    EXPECT_EQ(page.rects[1].brush, 0x00444444u) << Hex(page.rects[1].brush);
    EXPECT_EQ(page.rects[0].box.left, 0) << "its frame lies left of the client area";
    EXPECT_EQ(page.rects[0].box.top, 0) << "its frame and caption lie above the client area";
    SendMessageA(mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(second), 0);
}

TEST_F(PrintPage, MinimisedWindowsAreLeftOutAndAllMinimisedGivesAnEmptyPage)
{
    HWND first = OnlyPreview();
    Colour(first, 0x00010101, 0x00020202);
    HWND second = OpenPreview();
    Colour(second, 0x00030303, 0x00040404);
    ShowWindow(first, SW_MINIMIZE);
    PumpMessages(30);

    PageDrawing page = DrawPageIntoMetafile(mdiClient);
    ASSERT_EQ(page.rects.size(), 2u) << "the minimised window is not printed";
    EXPECT_EQ(page.rects[0].brush, 0x00030303u) << Hex(page.rects[0].brush);

    ShowWindow(second, SW_MINIMIZE);
    PumpMessages(30);
    page = DrawPageIntoMetafile(mdiClient);
    EXPECT_TRUE(page.rects.empty()) << page.rects.size() << " rectangles on a page of minimised windows";
    EXPECT_TRUE(page.texts.empty()) << Joined(page.Lines());
}

TEST_F(PrintPage, OverlappingWindowsArePrintedFromTheBottomOfTheZOrderUp)
{
    SetClientWidth(500);
    HWND bottom = OnlyPreview();
    Place(bottom, 0, 0, 240, 180);
    Colour(bottom, 0x000000C0, 0x00000060);
    HWND middle = OpenPreview();
    Place(middle, 60, 40, 240, 180);
    Colour(middle, 0x0000C000, 0x00006000);
    HWND top = OpenPreview();
    Place(top, 120, 80, 240, 180);
    Colour(top, 0x00C00000, 0x00600000);
    ASSERT_EQ(Previews(mdiClient), (std::vector<HWND>{top, middle, bottom})) << "Z order, top first";

    const PageDrawing page = DrawPageIntoMetafile(mdiClient);
    ASSERT_EQ(page.rects.size(), 6u);
    const COLORREF order[] = {0x000000C0, 0x00000060, 0x0000C000, 0x00006000, 0x00C00000, 0x00600000};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(page.rects[i].brush, order[i]) << "rectangle " << i << ": " << Hex(page.rects[i].brush);

    // Where they overlap, the page shows the window that is higher on the screen.
    PageBitmap bitmap(1000, 800); // factor 2 over the 500 wide client
    DrawPreviewPage(bitmap.dc(), mdiClient);
    ASSERT_EQ(PrintContext.scale, 2);
    const RECT topOuter = ExpectedOuter(top, mdiClient, 2);
    const RECT middleOuter = ExpectedOuter(middle, mdiClient, 2);
    // In the top window's band, left of its inner area and below its caption, over the middle one.
    const POINT overlap = {topOuter.left + 6, middleOuter.bottom - 6};
    ASSERT_GT(overlap.y, topOuter.top + 40) << "the point must lie below the caption lines";
    ASSERT_LT(overlap.x, ExpectedInner(top, mdiClient, 2).left);
    EXPECT_EQ(bitmap.Pixel(overlap.x, overlap.y), 0x00C00000u) << Hex(bitmap.Pixel(overlap.x, overlap.y));
    const RECT bottomOuter = ExpectedOuter(bottom, mdiClient, 2);
    EXPECT_EQ(bitmap.Pixel(bottomOuter.left + 4, bottomOuter.bottom - 4), 0x000000C0u);
}

TEST_F(PrintPage, WindowDraggedPastTheTopLeftIsCutAtThePageEdgeNotShifted)
{
    HWND preview = OnlyPreview();
    Place(preview, -50, -60, 300, 240);
    Colour(preview, 0x00505050, 0x00A0A0A0);

    int scale = 0;
    const PageDrawing page = DrawPageIntoMetafile(mdiClient, &scale);
    ASSERT_EQ(page.rects.size(), 2u);
    const RECT window = RelativeToClient(preview, mdiClient);
    ASSERT_LT(window.left, 0);
    EXPECT_EQ(page.rects[0].box.left, 0);
    EXPECT_EQ(page.rects[0].box.top, 0)
        << "the top " << window.top << " plus the caption is still above the page";
    EXPECT_EQ(page.rects[0].box.right, window.right * scale - 1) << "the right edge stays where it was";
}

TEST_F(PrintPage, PrinterNarrowerThanTheClientPrintsAtTheScreenSize)
{
    SetClientWidth(500);
    HWND preview = OnlyPreview();
    Place(preview, 10, 20, 200, 150);
    Colour(preview, 0x00445566, 0x00778899);

    PageBitmap page(300, 400); // 300 / 500 would be a factor of 0
    DrawPreviewPage(page.dc(), mdiClient);
    EXPECT_EQ(PrintContext.scale, 1);
    const RECT outer = ExpectedOuter(preview, mdiClient, 1);
    EXPECT_EQ(page.Pixel(outer.left + 1, outer.bottom - 2), 0x00445566u);

    // A client with no width at all: the page is still drawn, at the screen's size.
    SetClientWidth(0);
    RECT client = {};
    GetClientRect(mdiClient, &client);
    ASSERT_EQ(client.right, 0) << "the client could not be made 0 wide";
    PageBitmap empty(300, 400);
    DrawPreviewPage(empty.dc(), mdiClient);
    EXPECT_EQ(PrintContext.scale, 1);
}

TEST_F(PrintPage, DrawingLeavesNoGdiObjectBehindAndTheDcAsItWas)
{
    HWND first = OnlyPreview();
    Font(first, -16, "Arial", BLACK);
    Text(first, "one");
    HWND second = OpenPreview();
    Font(second, -24, "Courier New", WHITE);
    Text(second, "two");

    PageBitmap page(800, 600);
    const HGDIOBJ pen = GetCurrentObject(page.dc(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(page.dc(), OBJ_BRUSH);
    const HGDIOBJ font = GetCurrentObject(page.dc(), OBJ_FONT);
    const long before = GdiObject::LiveCount();
    for (int i = 0; i < 50; ++i)
        DrawPreviewPage(page.dc(), mdiClient);
    EXPECT_EQ(GdiObject::LiveCount(), before) << "brushes or fonts of the page left alive";
    EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_FONT), font);
    EXPECT_EQ(GetBkMode(page.dc()), OPAQUE);
}

// ---------------------------------------------------------------------------------------------
// A real job: CUPS with a PDF printer, the print dialog confirmed, the PDF read back as pixels.
//
// Wine learns the CUPS printers once per Wine session, when the session's first process loads the
// spooler. When the test run's CUPS was not running then, the test is run again in a
// fresh session of a sibling prefix (same drive, copied registry), and its result reported here.

namespace {

// The test run's own CUPS scheduler, started by CTest's cups fixture: its folder on the Unix side.
std::string CupsVariables()
{
    const char* folder = getenv("HUEBENCH_CUPS_DIR");
    return std::string("dir='") + (folder ? folder : "") + "'\n";
}

class PrintJob : public PrintTest {
  protected:
    void SetUp() override
    {
        if (!shell.Available()) GTEST_SKIP() << "printing through CUPS needs Wine's Unix side";
        const UnixResult cups = shell.Run(CupsVariables() + CHECK_CUPS_SCRIPT);
        ASSERT_EQ(cups.exitCode, 0) << "the test run's CUPS with its PDF printer is not there:\n"
                                    << cups.output;

        std::string printer;
        if (!DefaultPrinter(nullptr, &printer) || printer != "PDF") {
            const char* inSession = getenv(PRINT_SESSION_VARIABLE);
            ASSERT_FALSE(inSession && *inSession)
                << "the fresh Wine session does not know the CUPS printer (default printer \"" << printer
                << "\")";
            runElsewhere = true;
            return;
        }
        PrintTest::SetUp();
    }
    void TearDown() override
    {
        if (form) PrintTest::TearDown();
    }
    // Runs this very test in a fresh Wine session that learns the printer at its start; true when
    // it did so (its result is this test's result).
    bool RanInFreshSession()
    {
        if (!runElsewhere) return false;
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, sizeof self);
        const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
        const UnixResult result = shell.Run(
            "exe='" + UnixPath(self) + "'\nfilter='" + filter + "'\n" + FRESH_SESSION_SCRIPT, 400000);
        EXPECT_EQ(result.exitCode, 0) << "the test in a fresh Wine session with the printer failed:\n"
                                      << result.output;
        return true;
    }

    // The document is named after the program file: a name of its own keeps this test's PDFs apart
    // from any other job on the same CUPS. A marker file then dates the test's start.
    void StartWatchingForPdfs()
    {
        documentName =
            "HbPrint" + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(GetTickCount());
        OverrideProgramPath((folder + "\\" + documentName + ".exe").c_str());
        shell.Run("touch marker\nsleep 1\n");
    }

    // Waits for this test's PDF in cups-pdf's folder and renders it: page.png to look at, page.ppm to
    // read. Answers the script's output for failure messages.
    UnixResult RenderNewPdf(int timeoutSeconds)
    {
        return shell.Run(
            CupsVariables() + "name='" + documentName + "'\nrounds=" + std::to_string(timeoutSeconds * 4) +
                "\ndpi=" + std::to_string(RENDER_DPI) + "\n" + PDF_FOLDERS_SCRIPT + RENDER_SCRIPT,
            (timeoutSeconds + 30) * 1000);
    }

    // This test's PDFs, one a line, and a line for jobs not done; empty when there is neither.
    std::string NewPdfs()
    {
        return shell
            .Run(CupsVariables() + "name='" + documentName + "'\n" + PDF_FOLDERS_SCRIPT + NEW_PDFS_SCRIPT)
            .output;
    }

    UnixShell shell;
    bool runElsewhere = false;
    std::string documentName;
};

} // namespace

TEST_F(PrintJob, PrintedPageShowsEachWindowInItsOuterAndInnerColoursWhereItLies)
{
    if (RanInFreshSession()) return;
    SetClientWidth(600);
    HWND left = OnlyPreview();
    Place(left, 10, 10, 240, 180);
    Colour(left, 0x000000FF, 0x0000FFFF); // red band, yellow inside
    Font(left, -16, "Arial", 0x00800000);
    Text(left, "Huebench & CUPS");
    HWND right = OpenPreview();
    Place(right, 300, 60, 240, 200);
    Colour(right, 0x00FF0000, 0x0000C000); // blue band, green inside
    Text(right, "no font chosen yet");     // the font of a new preview: no height stored

    PrinterGeometry printer = {};
    ASSERT_TRUE(DefaultPrinter(&printer, nullptr));
    const int scale = PrintScale(printer.printable.right, 600);
    StartWatchingForPdfs();
    WithDialog([&] { Command(IDM_PRINT); }, [](HWND dialog) { PressPrintDialogButton(dialog, IDOK); });

    const UnixResult rendered = RenderNewPdf(240); // a long limit: ghostscript is slow on a busy machine
    ASSERT_EQ(rendered.exitCode, 0) << "no printed page came out:\n" << rendered.output;
    PageImage page;
    ASSERT_TRUE(page.Load(shell.WindowsName("page.ppm"))) << rendered.output;
    std::printf("printed page: %s", rendered.output.c_str());
    EXPECT_NE(rendered.output.find("/" + documentName), std::string::npos)
        << "the document is named after the program file: " << rendered.output;
    EXPECT_NEAR(page.width, printer.paperWidth * RENDER_DPI / printer.dpiX, 2) << "page width";
    EXPECT_NEAR(page.height, printer.paperHeight * RENDER_DPI / printer.dpiY, 2) << "page height";

    const auto onPaper = [&](int x, int y) {
        return POINT{(x + printer.offsetX) * RENDER_DPI / printer.dpiX,
                     (y + printer.offsetY) * RENDER_DPI / printer.dpiY};
    };
    const struct {
        HWND window;
        COLORREF outer, inner;
        const char* name;
    } windows[] = {{left, 0x000000FF, 0x0000FFFF, "left"}, {right, 0x00FF0000, 0x0000C000, "right"}};
    for (const auto& expected : windows) {
        const RECT outer = ExpectedOuter(expected.window, mdiClient, scale);
        const RECT inner = ExpectedInner(expected.window, mdiClient, scale);
        // The band below the inner area, and the lower right of the inner area (the text is top left).
        const POINT band = onPaper((outer.left + outer.right) / 2, (inner.bottom + outer.bottom) / 2);
        const POINT middle = onPaper(inner.left + (inner.right - inner.left) * 3 / 4,
                                     inner.top + (inner.bottom - inner.top) * 3 / 4);
        EXPECT_TRUE(Near(page.Pixel(band.x, band.y), expected.outer))
            << expected.name << " band at (" << band.x << ", " << band.y
            << "): " << Hex(page.Pixel(band.x, band.y)) << ", expected " << Hex(expected.outer);
        EXPECT_TRUE(Near(page.Pixel(middle.x, middle.y), expected.inner))
            << expected.name << " inner area at (" << middle.x << ", " << middle.y
            << "): " << Hex(page.Pixel(middle.x, middle.y)) << ", expected " << Hex(expected.inner);
        const POINT above = onPaper((outer.left + outer.right) / 2, outer.top - 3 * scale);
        EXPECT_TRUE(Near(page.Pixel(above.x, above.y), WHITE))
            << expected.name << ": no title bar above the band, found " << Hex(page.Pixel(above.x, above.y));
    }
}

TEST_F(PrintJob, CancellingThePrintDialogPrintsNothing)
{
    if (RanInFreshSession()) return;
    OnlyPreview();
    StartWatchingForPdfs();
    bool printed = true;
    WithDialog([&] { printed = PrintPreviews(form); },
               [](HWND dialog) { PressPrintDialogButton(dialog, IDCANCEL); });
    EXPECT_FALSE(printed);
    EXPECT_EQ(NewPdfs(), "") << "a cancelled dialog printed a document";
}

TEST_F(PrintPage, WithoutAnyPrinterPrintingReturnsFalseAndLeavesNothingBehind)
{
    if (DefaultPrinter(nullptr, nullptr)) GTEST_SKIP() << "this Wine session knows a printer";
    OnlyPreview();
    const long before = GdiObject::LiveCount();
    bool printed = true;
    std::string shown;
    // The system's print dialog may warn that no printer is installed; whatever it shows is closed.
    WithDialog([&] { printed = PrintPreviews(form); },
               [&](HWND dialog) {
                   if (!dialog) return;
                   shown = MessageBoxText(dialog);
                   PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
               });
    EXPECT_FALSE(printed);
    EXPECT_EQ(GdiObject::LiveCount(), before);
    std::printf("the system showed: [%s]\n", shown.c_str());
}
