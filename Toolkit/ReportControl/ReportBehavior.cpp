#include "ReportBehavior.h"

namespace
{
BOOL Flag(const char* pszFlags, int nIndex)
{
    return pszFlags[nIndex] == '1';
}

// One preset of the first row behaviour: the seven modifier flags per event,
// button and modifier, and the eight button flags per event and button.
struct Preset
{
    // [event][button][modifier]: down/up, left/right, none/Ctrl/Shift.
    const char* modifiers[2][2][3];
    // [event][button].
    const char* buttons[2][2];
};

const Preset kDefault = {{{{"1010011", "1010111", "1010100"}, {"1010011", "1010111", "1010011"}},
                          {{"1010000", "0000111", "0000100"}, {"0000000", "0000000", "0000000"}}},
                         {{"10000100", "11000000"}, {"01100010", "00010000"}}};

const Preset k00001100 = {{{{"1010011", "0000011", "0000000"}, {"0000000", "0000000", "0000000"}},
                           {{"0000000", "0000011", "0000000"}, {"0100000", "0000000", "0000000"}}},
                          {{"10000100", "00000100"}, {"00100010", "00010010"}}};

const Preset k10001100 = {{{{"1010000", "0000000", "0000000"}, {"1010000", "0000000", "0000000"}},
                           {{"0000000", "0000000", "0000000"}, {"0000000", "0000000", "0000000"}}},
                          {{"10100000", "10010000"}, {"00000010", "00000010"}}};

const Preset k20001340 = {{{{"1010011", "0000111", "1010100"}, {"1010010", "1010010", "1010010"}},
                           {{"1010000", "1010111", "0000000"}, {"1010010", "0000000", "0000000"}}},
                          {{"10000100", "01000000"}, {"01100010", "01010010"}}};

const Preset k20001501 = {{{{"1010011", "0000000", "0000000"}, {"0000000", "0000000", "0000000"}},
                           {{"1010000", "0000000", "0000000"}, {"0000000", "0000000", "0000000"}}},
                          {{"10000100", "00000000"}, {"01100010", "00110000"}}};

const Preset k20001502 = {{{{"1010011", "0000011", "1010100"}, {"1010010", "1010010", "1010010"}},
                           {{"1010000", "1010100", "0000000"}, {"1010010", "1010010", "1010010"}}},
                          {{"10000100", "01000000"}, {"01100010", "01010000"}}};

const Preset* FindPreset(int nScheme)
{
    switch (static_cast<unsigned>(nScheme))
    {
    case 0x20000000:
        return &kDefault;
    case 0x00001100:
    case 0x00001200:
    case 0x00001400:
        return &k00001100;
    case 0x10001100:
    case 0x10001200:
    case 0x10001400:
        return &k10001100;
    case 0x20001340:
    case 0x20001341:
    case 0x20001342:
        return &k20001340;
    case 0x20001501:
        return &k20001501;
    case 0x20001502:
        return &k20001502;
    default:
        return nullptr;
    }
}

CLVKReportBehaviorRowMouseButton* ButtonOf(CLVKReportBehaviorRow& row, int nEvent, int nButton)
{
    CLVKReportBehaviorRowMouse& mouse = nEvent == 0 ? row.MouseDown : row.MouseUp;
    return nButton == 0 ? &mouse.Left : &mouse.Right;
}
}  // namespace

void CLVKReportBehaviorRowModifier::SetFlags(const char* pszFlags)
{
    bFocusRow = Flag(pszFlags, 0);
    bFocusRowTemporarily = Flag(pszFlags, 1);
    bSelectRow = Flag(pszFlags, 2);
    bSpare = Flag(pszFlags, 3);
    bSelectWithModifiers = Flag(pszFlags, 4);
    bKeepSelectedSelection = Flag(pszFlags, 5);
    bKeepSelectedFocus = Flag(pszFlags, 6);
}

void CLVKReportBehaviorRowMouseButton::Reset()
{
    None.Reset();
    Control.Reset();
    Shift.Reset();
    SetFlags("00000000");
}

void CLVKReportBehaviorRowMouseButton::SetFlags(const char* pszFlags)
{
    bFocusColumn = Flag(pszFlags, 0);
    bEnsureVisible = Flag(pszFlags, 1);
    bClick = Flag(pszFlags, 2);
    bContextMenu = Flag(pszFlags, 3);
    bEditOnClick = Flag(pszFlags, 4);
    bBeginDrag = Flag(pszFlags, 5);
    bEndDrag = Flag(pszFlags, 6);
    bSpare = Flag(pszFlags, 7);
}

CLVKReportBehavior::CLVKReportBehavior(int nScheme)
{
    SetScheme(nScheme);
}

void CLVKReportBehavior::SetScheme(int nScheme)
{
    m_nScheme = nScheme;
    for (int nEvent = 0; nEvent < 2; nEvent++)
        for (int nButton = 0; nButton < 2; nButton++)
            ButtonOf(Row, nEvent, nButton)->Reset();
    const Preset* pPreset = FindPreset(nScheme);
    if (!pPreset)
        return;
    for (int nEvent = 0; nEvent < 2; nEvent++)
    {
        for (int nButton = 0; nButton < 2; nButton++)
        {
            CLVKReportBehaviorRowMouseButton* pButton = ButtonOf(Row, nEvent, nButton);
            pButton->None.SetFlags(pPreset->modifiers[nEvent][nButton][0]);
            pButton->Control.SetFlags(pPreset->modifiers[nEvent][nButton][1]);
            pButton->Shift.SetFlags(pPreset->modifiers[nEvent][nButton][2]);
            pButton->SetFlags(pPreset->buttons[nEvent][nButton]);
        }
    }
    if (pPreset == &kDefault)
    {
        Notifications.Populate.bFocusChanging = TRUE;
        Notifications.Populate.bSelectionChanging = TRUE;
        Notifications.Populate.bSelectionChanged = TRUE;
    }
    if (pPreset == &k00001100)
    {
        // Only the first four switches of the plain modifier and the button
        // switches; the rest of the second behaviour keeps its values.
        for (int nEvent = 0; nEvent < 2; nEvent++)
        {
            for (int nButton = 0; nButton < 2; nButton++)
            {
                CLVKReportBehaviorRowMouseButton* pButton = ButtonOf(SecondRow, nEvent, nButton);
                CLVKReportBehaviorRowModifier& none = pButton->None;
                none.bFocusRow = nEvent == 0;
                none.bFocusRowTemporarily = FALSE;
                none.bSelectRow = nEvent == 0;
                none.bSpare = FALSE;
                static const char* const kButtons[2][2] = {{"10000101", "10000101"}, {"00100010", "00010010"}};
                pButton->SetFlags(kButtons[nEvent][nButton]);
            }
        }
    }
}
