// The red, green and blue channel controls: slider, number field and spin button of each.
#include "panel/Channels.h"

#include "panel/Propagation.h"
#include "shell/Fatal.h"
#include "shell/resource.h"

ChannelControls RedChannel;
ChannelControls GreenChannel;
ChannelControls BlueChannel;

namespace {

constexpr int SLIDER_TICK_FREQUENCY = 25;

ChannelControls* const Channels[] = {&RedChannel, &GreenChannel, &BlueChannel};

// The text each number field showed when it last reported a change (every change of a field's
// text is reported at once and read by SyncFromEdit), in the order of Channels.
ChannelText ShownTexts[3];

ChannelText* ShownTextOf(const ChannelControls& record)
{
    for (int index = 0; index < 3; ++index)
        if (Channels[index] == &record) return &ShownTexts[index];
    return nullptr;
}

void NoteShownText(const ChannelControls& record, const char* text)
{
    if (ChannelText* shown = ShownTextOf(record)) lstrcpynA(shown->text, text, sizeof shown->text);
}

ChannelControls* ChannelOfEdit(HWND edit)
{
    for (ChannelControls* channel : Channels)
        if (edit && channel->edit == edit) return channel;
    return nullptr;
}

ChannelControls* ChannelOfSlider(HWND slider)
{
    for (ChannelControls* channel : Channels)
        if (slider && channel->slider == slider) return channel;
    return nullptr;
}

void InsertTabAtFront(HWND tab, UINT captionId)
{
    ResourceText caption = LoadResourceText(captionId);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption.text;
    SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int SliderPosition(HWND slider)
{
    return static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
}

void MoveSlider(HWND slider, int position)
{
    // The trackbar clamps to its range, and TBM_SETPOS sends no WM_HSCROLL back.
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
}

// The number field has changed: take its value or replace its text.
bool SyncFromEdit(ChannelControls& record)
{
    char text[CHANNEL_TEXT_LOOKED_AT + 1] = {};
    GetWindowTextA(record.edit, text, sizeof text);
    NoteShownText(record, text);
    const ChannelVerdict verdict = ValidateChannelText(text);
    if (verdict.replace) {
        // The field reports the replacement at once; that nested call takes the value. The
        // replacement ends selected, so that the user's next digit replaces it instead of being
        // put in front of it ("0" after clearing, then "8" would read "80" + "0").
        SetWindowTextA(record.edit, verdict.replacement);
        SendMessageA(record.edit, EM_SETSEL, 0, -1);
        return false;
    }
    if (verdict.value == record.value) return false;
    record.value = static_cast<BYTE>(verdict.value);
    MoveSlider(record.slider, record.value);
    return true;
}

// The slider has moved: snap it in safe mode and write its value into the field.
bool SyncFromSlider(ChannelControls& record)
{
    int position = SliderPosition(record.slider);
    if (IsSafeSlideOn(GetParent(record.slider))) {
        position = SnapToSafe(position);
        MoveSlider(record.slider, position);
    }
    if (position == record.value) return false;
    // Stored before the field is written, so the field's nested notification finds it equal.
    record.value = static_cast<BYTE>(position);
    SetWindowTextA(record.edit, FormatChannelText(position).text);
    return true;
}

// Writes a channel text into a number field unless the field already shows exactly that text: an
// unchanged field then costs nothing instead of a rewrite, its change notifications and its
// repaint, which is what keeps a capture tick over a still pointer cheap. Texts are compared, not
// values, so a field showing "007" is still rewritten to "7". A field's text longer than the
// examined bytes is noted truncated to more characters than any channel text has, so it never
// compares equal.
void WriteFieldText(const ChannelControls& record, const char* text)
{
    const ChannelText* shown = ShownTextOf(record);
    if (shown && lstrcmpA(shown->text, text) == 0) return;
    SetWindowTextA(record.edit, text);
}

} // namespace

void InitSelectionPanel(HWND form)
{
    InitCommonControls();
    // Each caption goes in at index 0: the second pushes the first to index 1.
    const HWND tab = GetDlgItem(form, IDC_TAB);
    InsertTabAtFront(tab, IDS_TAB_NAMES);
    InsertTabAtFront(tab, IDS_TAB_NUMBERS);
    InitChannelControls(form, IDC_RSLIDER, IDC_REDIT, IDC_RSPIN, RedChannel);
    InitChannelControls(form, IDC_GSLIDER, IDC_GEDIT, IDC_GSPIN, GreenChannel);
    InitChannelControls(form, IDC_BSLIDER, IDC_BEDIT, IDC_BSPIN, BlueChannel);
}

void InitChannelControls(HWND form, int sliderId, int editId, int spinId, ChannelControls& record)
{
    record.value = 0;
    record.slider = GetDlgItem(form, sliderId);
    record.edit = GetDlgItem(form, editId);
    record.spin = GetDlgItem(form, spinId);
    char text[CHANNEL_TEXT_LOOKED_AT + 1] = {};
    GetWindowTextA(record.edit, text, sizeof text);
    NoteShownText(record, text);
    SendMessageA(record.slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, CHANNEL_MAX));
    SendMessageA(record.slider, TBM_SETTICFREQ, SLIDER_TICK_FREQUENCY, 0);
    SendMessageA(record.spin, UDM_SETRANGE32, 0, CHANNEL_MAX);
    SendMessageA(record.spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(record.edit), 0);
}

bool SyncChannel(ChannelControls& record, HWND source)
{
    if (source && source == record.edit) return SyncFromEdit(record);
    if (source && source == record.slider) return SyncFromSlider(record);
    return false;
}

void WriteChannelEdits(COLORREF color)
{
    // Each write is reported at once, so every changed channel propagates before the next.
    WriteFieldText(RedChannel, FormatChannelText(RedOf(color)).text);
    WriteFieldText(GreenChannel, FormatChannelText(GreenOf(color)).text);
    WriteFieldText(BlueChannel, FormatChannelText(BlueOf(color)).text);
}

COLORREF ChannelColor()
{
    return ComposeColor(RedChannel.value, GreenChannel.value, BlueChannel.value);
}

bool IsSafeSlideOn(HWND form)
{
    return SendDlgItemMessageA(form, IDC_SAFESLIDE, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OnChannelEditUpdate(HWND form, int editId)
{
    ChannelControls* channel = ChannelOfEdit(GetDlgItem(form, editId));
    if (channel && SyncChannel(*channel, channel->edit)) PropagateCurrentColor(form);
}

bool OnSliderScroll(HWND form, WPARAM wParam, HWND slider)
{
    ChannelControls* channel = ChannelOfSlider(slider);
    if (!channel) return false;
    // The slider has already made its own line step of 1; the safe step adds 51 in that direction.
    const int code = LOWORD(wParam);
    if (IsSafeSlideOn(form) && (code == TB_LINEDOWN || code == TB_LINEUP))
        MoveSlider(slider, SafeLineStep(SliderPosition(slider), code == TB_LINEDOWN));
    if (SyncChannel(*channel, slider)) PropagateCurrentColor(form);
    return true;
}

void OnSpinDeltaPos(HWND form, NMUPDOWN* change)
{
    if (change && IsSafeSlideOn(form)) change->iDelta = SafeSpinDelta(change->iPos, change->iDelta);
}
