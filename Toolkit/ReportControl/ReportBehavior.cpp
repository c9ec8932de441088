#include "ReportBehavior.h"

namespace
{
BOOL Flag(const char* pszFlags, int nIndex)
{
    return pszFlags[nIndex] == '1';
}

// The row switches of one modifier state, one bit each.
enum : unsigned
{
    kFocusRow = 0x01,
    kFocusRowTemporarily = 0x02,
    kSelectRow = 0x04,
    kSpareRow = 0x08,
    kSelectWithModifiers = 0x10,
    kKeepSelectedSelection = 0x20,
    kKeepSelectedFocus = 0x40,
    // The pairs the presets use most.
    kFocusSelect = kFocusRow | kSelectRow,
    kKeepSelected = kKeepSelectedSelection | kKeepSelectedFocus
};

// The switches of one button at one moment, one bit each.
enum : unsigned
{
    kFocusColumn = 0x01,
    kEnsureVisible = 0x02,
    kClick = 0x04,
    kContextMenu = 0x08,
    kEditOnClick = 0x10,
    kBeginDrag = 0x20,
    kEndDrag = 0x40,
    kSpareButton = 0x80
};

// One button at one moment: the row switches with no modifier, with Ctrl and
// with Shift, and the button's own switches.
struct ButtonPreset
{
    unsigned none;
    unsigned control;
    unsigned shift;
    unsigned button;
};

// One preset of the first row behaviour, [event][button]: press/release,
// left/right.
struct Preset
{
    ButtonPreset buttons[2][2];
};

const Preset kDefault = {{
    {{kFocusSelect | kKeepSelected, kFocusSelect | kSelectWithModifiers | kKeepSelected,
      kFocusSelect | kSelectWithModifiers, kFocusColumn | kBeginDrag},
     {kFocusSelect | kKeepSelected, kFocusSelect | kSelectWithModifiers | kKeepSelected, kFocusSelect | kKeepSelected,
      kFocusColumn | kEnsureVisible}},
    {{kFocusSelect, kSelectWithModifiers | kKeepSelected, kSelectWithModifiers, kEnsureVisible | kClick | kEndDrag},
     {0, 0, 0, kContextMenu}},
}};

const Preset kLeftPress = {{
    {{kFocusSelect | kKeepSelected, kKeepSelected, 0, kFocusColumn | kBeginDrag}, {0, 0, 0, kBeginDrag}},
    {{0, kKeepSelected, 0, kClick | kEndDrag}, {kFocusRowTemporarily, 0, 0, kContextMenu | kEndDrag}},
}};

const Preset kActOnPress = {{
    {{kFocusSelect, 0, 0, kFocusColumn | kClick}, {kFocusSelect, 0, 0, kFocusColumn | kContextMenu}},
    {{0, 0, 0, kEndDrag}, {0, 0, 0, kEndDrag}},
}};

const Preset kCtrlKeepsFocus = {{
    {{kFocusSelect | kKeepSelected, kSelectWithModifiers | kKeepSelected, kFocusSelect | kSelectWithModifiers,
      kFocusColumn | kBeginDrag},
     {kFocusSelect | kKeepSelectedSelection, kFocusSelect | kKeepSelectedSelection,
      kFocusSelect | kKeepSelectedSelection, kEnsureVisible}},
    {{kFocusSelect, kFocusSelect | kSelectWithModifiers | kKeepSelected, 0, kEnsureVisible | kClick | kEndDrag},
     {kFocusSelect | kKeepSelectedSelection, 0, 0, kEnsureVisible | kContextMenu | kEndDrag}},
}};

const Preset kLeftOnly = {{
    {{kFocusSelect | kKeepSelected, 0, 0, kFocusColumn | kBeginDrag}, {0, 0, 0, 0}},
    {{kFocusSelect, 0, 0, kEnsureVisible | kClick | kEndDrag}, {0, 0, 0, kClick | kContextMenu}},
}};

const Preset kRightSelectsAlways = {{
    {{kFocusSelect | kKeepSelected, kKeepSelected, kFocusSelect | kSelectWithModifiers, kFocusColumn | kBeginDrag},
     {kFocusSelect | kKeepSelectedSelection, kFocusSelect | kKeepSelectedSelection,
      kFocusSelect | kKeepSelectedSelection, kEnsureVisible}},
    {{kFocusSelect, kFocusSelect | kSelectWithModifiers, 0, kEnsureVisible | kClick | kEndDrag},
     {kFocusSelect | kKeepSelectedSelection, kFocusSelect | kKeepSelectedSelection,
      kFocusSelect | kKeepSelectedSelection, kEnsureVisible | kContextMenu}},
}};

const Preset* FindPreset(int nScheme)
{
    switch (static_cast<unsigned>(nScheme))
    {
    case LVK_REPORT_BEHAVIOR_DEFAULT:
        return &kDefault;
    case LVK_REPORT_BEHAVIOR_1100:
    case LVK_REPORT_BEHAVIOR_1200:
    case LVK_REPORT_BEHAVIOR_1400:
        return &kLeftPress;
    case LVK_REPORT_BEHAVIOR_PRESS_1100:
    case LVK_REPORT_BEHAVIOR_PRESS_1200:
    case LVK_REPORT_BEHAVIOR_PRESS_1400:
        return &kActOnPress;
    case LVK_REPORT_BEHAVIOR_1340:
    case LVK_REPORT_BEHAVIOR_1341:
    case LVK_REPORT_BEHAVIOR_1342:
        return &kCtrlKeepsFocus;
    case LVK_REPORT_BEHAVIOR_1501:
        return &kLeftOnly;
    case LVK_REPORT_BEHAVIOR_1502:
        return &kRightSelectsAlways;
    default:
        return nullptr;
    }
}

void ApplyRowSwitches(CLVKReportBehaviorRowModifier& modifier, unsigned nSwitches)
{
    modifier.bFocusRow = (nSwitches & kFocusRow) != 0;
    modifier.bFocusRowTemporarily = (nSwitches & kFocusRowTemporarily) != 0;
    modifier.bSelectRow = (nSwitches & kSelectRow) != 0;
    modifier.bSpare = (nSwitches & kSpareRow) != 0;
    modifier.bSelectWithModifiers = (nSwitches & kSelectWithModifiers) != 0;
    modifier.bKeepSelectedSelection = (nSwitches & kKeepSelectedSelection) != 0;
    modifier.bKeepSelectedFocus = (nSwitches & kKeepSelectedFocus) != 0;
}

void ApplyButtonSwitches(CLVKReportBehaviorRowMouseButton& button, unsigned nSwitches)
{
    button.bFocusColumn = (nSwitches & kFocusColumn) != 0;
    button.bEnsureVisible = (nSwitches & kEnsureVisible) != 0;
    button.bClick = (nSwitches & kClick) != 0;
    button.bContextMenu = (nSwitches & kContextMenu) != 0;
    button.bEditOnClick = (nSwitches & kEditOnClick) != 0;
    button.bBeginDrag = (nSwitches & kBeginDrag) != 0;
    button.bEndDrag = (nSwitches & kEndDrag) != 0;
    button.bSpare = (nSwitches & kSpareButton) != 0;
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
            const ButtonPreset& preset = pPreset->buttons[nEvent][nButton];
            ApplyRowSwitches(pButton->None, preset.none);
            ApplyRowSwitches(pButton->Control, preset.control);
            ApplyRowSwitches(pButton->Shift, preset.shift);
            ApplyButtonSwitches(*pButton, preset.button);
        }
    }
    if (pPreset == &kDefault)
    {
        Notifications.Populate.bFocusChanging = TRUE;
        Notifications.Populate.bSelectionChanging = TRUE;
        Notifications.Populate.bSelectionChanged = TRUE;
    }
    if (pPreset == &kLeftPress)
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
                static const unsigned kButtons[2][2] = {
                    {kFocusColumn | kBeginDrag | kSpareButton, kFocusColumn | kBeginDrag | kSpareButton},
                    {kClick | kEndDrag, kContextMenu | kEndDrag}};
                ApplyButtonSwitches(*pButton, kButtons[nEvent][nButton]);
            }
        }
    }
}
