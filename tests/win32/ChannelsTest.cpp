// The channel controls: slider, number field and spin button of each channel stay in step.
#include <string>

#include "MainFormFixture.h"
#include "PanelTestSteps.h"
#include "panel/Channels.h"
#include "shell/Fatal.h"
#include "shell/resource.h"

namespace {

struct ChannelIds {
    ChannelControls* record;
    int slider;
    int edit;
    int spin;
};
const ChannelIds RED = {&RedChannel, IDC_RSLIDER, IDC_REDIT, IDC_RSPIN};
const ChannelIds GREEN = {&GreenChannel, IDC_GSLIDER, IDC_GEDIT, IDC_GSPIN};
const ChannelIds BLUE = {&BlueChannel, IDC_BSLIDER, IDC_BEDIT, IDC_BSPIN};

} // namespace

class ChannelTest : public MainFormTest {
  protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        ASSERT_NE(GetActivePreview(), nullptr) << "the first preview window was not created";
    }

    HWND Field(const ChannelIds& channel) const { return Control(channel.edit); }
    HWND Slider(const ChannelIds& channel) const { return Control(channel.slider); }
    HWND Spin(const ChannelIds& channel) const { return Control(channel.spin); }
    int SliderPosition(const ChannelIds& channel) const
    {
        return static_cast<int>(SendMessageA(Slider(channel), TBM_GETPOS, 0, 0));
    }
    int SpinPosition(const ChannelIds& channel) const
    {
        return static_cast<int>(SendMessageA(Spin(channel), UDM_GETPOS32, 0, 0));
    }

    // The channel's value, slider, field and spin button all show the value.
    void ExpectInStep(const ChannelIds& channel, int value)
    {
        EXPECT_EQ(channel.record->value, value) << "channel value";
        EXPECT_EQ(SliderPosition(channel), value) << "slider position";
        EXPECT_EQ(WindowText(Field(channel)), std::to_string(value)) << "number field";
        EXPECT_EQ(SpinPosition(channel), value) << "spin button position";
    }

    void SetChannel(const ChannelIds& channel, int value)
    {
        RetypeField(Field(channel), std::to_string(value));
        ASSERT_EQ(channel.record->value, value);
    }

    void TurnSafeSlideOn()
    {
        ClickButton(Control(IDC_SAFESLIDE));
        ASSERT_TRUE(IsSafeSlideOn(form)) << "the safe-slide box did not tick";
    }

    // The thumb dragged to a position: the trackbar moves and reports the tracking.
    void DragThumb(const ChannelIds& channel, int position)
    {
        SendMessageA(Slider(channel), TBM_SETPOS, TRUE, position);
        SendMessageA(form, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                     reinterpret_cast<LPARAM>(Slider(channel)));
    }

    // An arrow key on the focused slider: the trackbar steps by its line size and reports it.
    void PressArrow(const ChannelIds& channel, UINT key)
    {
        SetFocus(Slider(channel));
        SendMessageA(Slider(channel), WM_KEYDOWN, key, 1);
        SendMessageA(Slider(channel), WM_KEYUP, key, 0xC0000001);
    }

    // A click on the spin button's upper (up) or lower (down) arrow.
    void ClickSpin(const ChannelIds& channel, bool up)
    {
        RECT client = {};
        GetClientRect(Spin(channel), &client);
        const LPARAM point = MAKELPARAM(client.right / 2, up ? client.bottom / 4 : client.bottom * 3 / 4);
        SendMessageA(Spin(channel), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(Spin(channel), WM_LBUTTONUP, 0, point);
    }
};

class ChannelFields : public ChannelTest {};
class SafeSlide : public ChannelTest {};
class SpinButtons : public ChannelTest {};

TEST_F(ChannelFields, TabPagesAreNumbersThenNames)
{
    const HWND tab = Control(IDC_TAB);
    ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    const UINT expected[] = {IDS_TAB_NUMBERS, IDS_TAB_NAMES};
    for (int index = 0; index < 2; ++index) {
        char caption[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = sizeof caption;
        SendMessageA(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(caption, LoadResourceText(expected[index]).text) << "tab " << index;
    }
}

TEST_F(ChannelFields, TypedValueMovesSliderAndSpinWithOnePropagationPerKeystroke)
{
    PreviewSpy spy(GetActivePreview());
    RetypeField(Field(GREEN), "12");
    spy.Reset();
    TypeInto(Field(GREEN), "8");
    ExpectInStep(GREEN, 128);
    ASSERT_EQ(spy.InnerColorMessages(), 1) << "propagations for the last keystroke";
    EXPECT_EQ(spy.titles.back(), "#008000");
}

TEST_F(ChannelFields, ThreeHundredBecomes255WithOnePropagation)
{
    PreviewSpy spy(GetActivePreview());
    RetypeField(Field(RED), "30");
    spy.Reset();
    TypeInto(Field(RED), "0");
    ExpectInStep(RED, 255);
    EXPECT_EQ(spy.InnerColorMessages(), 1) << "propagations for the keystroke that made 300";
}

TEST_F(ChannelFields, EmptiedFieldBecomesZero)
{
    SetChannel(RED, 77);
    PreviewSpy spy(GetActivePreview());
    SelectAll(Field(RED));
    TypeInto(Field(RED), "\b");
    ExpectInStep(RED, 0);
    EXPECT_EQ(spy.InnerColorMessages(), 1);
}

TEST_F(ChannelFields, FourCharactersAreTooLongEvenForASmallNumber)
{
    RetypeField(Field(BLUE), "0012");
    ExpectInStep(BLUE, 255);
}

TEST_F(ChannelFields, RetypingTheCurrentValueDoesNotPropagate)
{
    SetChannel(GREEN, 7);
    PreviewSpy spy(GetActivePreview());
    SendMessageA(Field(GREEN), EM_SETSEL, 0, 0);
    TypeInto(Field(GREEN), "0");
    EXPECT_EQ(WindowText(Field(GREEN)), "07");
    EXPECT_EQ(GreenChannel.value, 7);
    EXPECT_EQ(spy.InnerColorMessages(), 0);
}

TEST_F(ChannelFields, PastedNegativeNumberIsReplacedByZero)
{
    SetChannel(RED, 50);
    PasteOverField(Field(RED), "-1");
    ExpectInStep(RED, 0);
}

TEST_F(ChannelFields, WriteChannelEditsPropagatesOncePerChangedChannel)
{
    WriteChannelEdits(RGB(10, 20, 30));
    PreviewSpy spy(GetActivePreview());
    WriteChannelEdits(RGB(10, 20, 30));
    EXPECT_EQ(spy.InnerColorMessages(), 0) << "the colour already shown";
    WriteChannelEdits(RGB(10, 20, 31));
    EXPECT_EQ(spy.InnerColorMessages(), 1) << "a colour that differs only in blue";
    spy.Reset();
    WriteChannelEdits(RGB(1, 2, 3));
    ASSERT_EQ(spy.InnerColorMessages(), 3) << "a colour that differs in every channel";
    EXPECT_EQ(spy.titles[0], "#01141F") << "red goes first";
    EXPECT_EQ(spy.titles[2], "#010203") << "the last propagation shows the whole colour";
    ExpectInStep(RED, 1);
    ExpectInStep(GREEN, 2);
    ExpectInStep(BLUE, 3);
}

TEST_F(ChannelFields, WriteChannelEditsRewritesOnlyFieldsWhoseTextDiffers)
{
    WriteChannelEdits(RGB(7, 20, 30));
    SetWindowTextA(Field(RED), "007"); // the same value in another text
    ASSERT_EQ(RedChannel.value, 7);
    SendMessageA(Field(GREEN), EM_SETSEL, 0, 1); // a selection that rewriting the field would clear
    PreviewSpy spy(GetActivePreview());
    WriteChannelEdits(RGB(7, 20, 30));
    EXPECT_EQ(WindowText(Field(RED)), "7") << "texts are compared, not values";
    DWORD start = 0, end = 0;
    SendMessageA(Field(GREEN), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 1u) << "a field that already shows its text is left alone";
    EXPECT_EQ(spy.InnerColorMessages(), 0);
    ExpectInStep(RED, 7);
}

TEST_F(ChannelFields, SliderMoveWritesTheFieldWithOnePropagation)
{
    PreviewSpy spy(GetActivePreview());
    DragThumb(BLUE, 200);
    ExpectInStep(BLUE, 200);
    EXPECT_EQ(spy.InnerColorMessages(), 1);
    DragThumb(BLUE, 200);
    EXPECT_EQ(spy.InnerColorMessages(), 1) << "the same position again";
}

TEST_F(SafeSlide, DraggingSnapsTheThumbToSafeLevels)
{
    TurnSafeSlideOn();
    const struct {
        int dragged;
        int snapped;
    } cases[] = {{10, 0}, {30, 51}, {100, 102}, {140, 153}, {200, 204}, {240, 255}, {25, 0}, {26, 51}};
    for (const auto& drag : cases) {
        DragThumb(RED, drag.dragged);
        SCOPED_TRACE("dragged to " + std::to_string(drag.dragged));
        ExpectInStep(RED, drag.snapped);
    }
}

TEST_F(SafeSlide, ArrowKeysStepToTheNeighbouringLevels)
{
    TurnSafeSlideOn();
    DragThumb(GREEN, 102);
    PressArrow(GREEN, VK_RIGHT);
    ExpectInStep(GREEN, 153);
    DragThumb(GREEN, 102);
    PressArrow(GREEN, VK_LEFT);
    ExpectInStep(GREEN, 51);
}

TEST_F(SafeSlide, ArrowKeysStopAtBothEndsWithoutPropagating)
{
    TurnSafeSlideOn();
    DragThumb(BLUE, 255);
    PreviewSpy spy(GetActivePreview());
    PressArrow(BLUE, VK_RIGHT);
    ExpectInStep(BLUE, 255);
    DragThumb(BLUE, 0);
    spy.Reset();
    PressArrow(BLUE, VK_LEFT);
    ExpectInStep(BLUE, 0);
    EXPECT_EQ(spy.InnerColorMessages(), 0);
}

TEST_F(SafeSlide, LineStepReportedAfterTheControlsOwnStep)
{
    TurnSafeSlideOn();
    DragThumb(RED, 60);
    ExpectInStep(RED, 51);
    // From a position between levels the step is 52 before snapping, as the control moved by 1.
    SendMessageA(Slider(RED), TBM_SETPOS, TRUE, 61);
    SendMessageA(form, WM_HSCROLL, TB_LINEDOWN, reinterpret_cast<LPARAM>(Slider(RED)));
    ExpectInStep(RED, 102);
    SendMessageA(Slider(RED), TBM_SETPOS, TRUE, 101);
    SendMessageA(form, WM_HSCROLL, TB_LINEUP, reinterpret_cast<LPARAM>(Slider(RED)));
    ExpectInStep(RED, 51);
}

TEST_F(SafeSlide, WithoutSafeSlideArrowKeysStepByOne)
{
    DragThumb(RED, 100);
    PressArrow(RED, VK_RIGHT);
    ExpectInStep(RED, 101);
    PressArrow(RED, VK_LEFT);
    PressArrow(RED, VK_LEFT);
    ExpectInStep(RED, 99);
}

TEST_F(SafeSlide, TypedValueIsNotSnapped)
{
    TurnSafeSlideOn();
    SetChannel(RED, 100);
    ExpectInStep(RED, 100);
}

TEST_F(SafeSlide, TurningItOnMovesNothing)
{
    SetChannel(RED, 100);
    SetChannel(GREEN, 60);
    PreviewSpy spy(GetActivePreview());
    TurnSafeSlideOn();
    ExpectInStep(RED, 100);
    ExpectInStep(GREEN, 60);
    EXPECT_EQ(spy.InnerColorMessages(), 0);
}

TEST_F(SpinButtons, SafeStepGoesToTheNextLevel)
{
    TurnSafeSlideOn();
    SetChannel(RED, 100);
    ClickSpin(RED, true);
    ExpectInStep(RED, 102);
    SetChannel(RED, 100);
    ClickSpin(RED, false);
    ExpectInStep(RED, 51);
    ClickSpin(RED, false);
    ExpectInStep(RED, 0);
}

TEST_F(SpinButtons, SafeStepStopsAtBothEnds)
{
    TurnSafeSlideOn();
    SetChannel(GREEN, 255);
    PreviewSpy spy(GetActivePreview());
    ClickSpin(GREEN, true);
    ExpectInStep(GREEN, 255);
    SetChannel(GREEN, 0);
    spy.Reset();
    ClickSpin(GREEN, false);
    ExpectInStep(GREEN, 0);
    EXPECT_EQ(spy.InnerColorMessages(), 0);
}

TEST_F(SpinButtons, WithoutSafeSlideTheSpinStepsByOne)
{
    SetChannel(BLUE, 100);
    PreviewSpy spy(GetActivePreview());
    ClickSpin(BLUE, true);
    ExpectInStep(BLUE, 101);
    ClickSpin(BLUE, false);
    ClickSpin(BLUE, false);
    ExpectInStep(BLUE, 99);
    EXPECT_EQ(spy.InnerColorMessages(), 3) << "one propagation per step";
}

TEST_F(SpinButtons, NotificationStepIsReplacedOnlyWithSafeSlide)
{
    NMUPDOWN change = {};
    change.hdr.hwndFrom = Spin(RED);
    change.hdr.idFrom = IDC_RSPIN;
    change.hdr.code = UDN_DELTAPOS;
    change.iPos = 100;
    change.iDelta = 1;
    EXPECT_EQ(SendMessageA(form, WM_NOTIFY, IDC_RSPIN, reinterpret_cast<LPARAM>(&change)), 0)
        << "the step is allowed";
    EXPECT_EQ(change.iDelta, 1) << "safe slide off";

    TurnSafeSlideOn();
    const struct {
        int position, delta, expected;
    } cases[] = {{100, 1, 2}, {100, -1, -49}, {0, -1, -51}, {25, 1, 26}, {230, -1, -26}, {255, 5, 51}};
    for (const auto& step : cases) {
        change.iPos = step.position;
        change.iDelta = step.delta;
        SendMessageA(form, WM_NOTIFY, IDC_RSPIN, reinterpret_cast<LPARAM>(&change));
        EXPECT_EQ(change.iDelta, step.expected) << "from " << step.position << " by " << step.delta;
    }
}
