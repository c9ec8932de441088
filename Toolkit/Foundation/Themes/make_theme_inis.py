#!/usr/bin/env python3
"""Writes the toolkit's five resource-theme INI texts (ASCII, CRLF) and the
theme pictures they name (PNG), and ThemeResources.rc that carries them.

The two W10 looks are the main window's Light and Dark; the plain Light and
Dark looks differ from them only in the frame's caption sizes, and Blue is
the Light look with blue chrome. Values that the command bars, the frame and
the report control rely on are fixed in FIXED (Light, Dark); every other
value comes from the looks' palettes below.

Run from this folder: python3 make_theme_inis.py"""
import struct
import zlib

FIXED = {
    'CommandBars': {
        'Back': ('239 239 242', '45 45 48'),
        'WorkspaceLight': ('238 238 242', '45 45 48'),
        'WorkspaceDark': ('238 238 242', '45 45 48'),
        'Glyph': ('113 113 113', '153 153 153'),
        'GlyphHighlight': ('113 113 113', '153 153 153'),
        'GlyphPushed': ('220 220 220', '255 255 255'),
        'GlyphDisabled': ('162 164 165', '101 101 101'),
        'EditText': ('0 0 0', '241 241 241'),
        'EditTextHighlight': ('0 0 0', '255 255 255'),
        'EditTextDisabled': ('162 164 165', '101 101 101'),
        'CheckMark': ('113 113 113', '153 153 153'),
        'CheckMarkHighlight': ('30 30 30', '241 241 241'),
        'CheckMarkPushed': ('30 30 30', '241 241 241'),
        'CheckMarkDisabled': ('195 195 198', '83 83 85'),
        'CheckMarkBack': ('238 238 242', '45 45 48'),
        'CheckMarkBackHighlight': ('201 222 245', '62 62 64'),
        'CheckMarkBackPushed': ('201 222 245', '62 62 64'),
        'CheckMarkBackDisabled': ('238 238 242', '45 45 48'),
        'ComboBoxBack': ('255 255 255', '51 51 55'),
        'ComboBoxBackHighlight': ('255 255 255', '63 63 70'),
        'ComboBoxBackDropped': ('255 255 255', '63 63 70'),
        'ComboBoxBackDisabled': ('238 238 242', '45 45 48'),
        'ComboBoxBorder': ('204 206 219', '97 97 100'),
        'ComboBoxBorderHighlight': ('164 206 249', '97 97 100'),
        'ComboBoxBorderDropped': ('98 162 228', '97 97 100'),
        'ComboBoxBorderDisabled': ('204 206 219', '67 67 70'),
        'DropDownBack': ('255 255 255', '51 51 55'),
        'DropDownBackHighlight': ('201 222 245', '31 31 32'),
        'DropDownBackDropped': ('164 206 249', '108 108 108'),
        'DropDownBackDisabled': ('238 238 242', '45 45 48'),
        'DropDownBorder': ('255 255 255', '51 51 55'),
        'DropDownBorderHighlight': ('164 206 249', '70 70 70'),
        'DropDownBorderDropped': ('98 162 228', '112 112 112'),
        'DropDownBorderDisabled': ('255 255 255', '51 51 55'),
        'DropDownMarker': ('113 113 113', '153 153 153'),
        'DropDownMarkerHighlight': ('30 30 30', '76 140 212'),
        'DropDownMarkerDropped': ('255 255 255', '255 255 255'),
        'DropDownMarkerDisabled': ('204 206 219', '67 67 70'),
    },
    'CommandBars.Menu': {
        'ButtonText': ('0 0 0', '241 241 241'),
        'ButtonTextHighlight': ('0 0 0', '241 241 241'),
        'ButtonTextPushed': ('0 0 0', '255 255 255'),
        'ButtonTextChecked': ('0 0 0', '241 241 241'),
        'ButtonTextCheckedHighlight': ('0 0 0', '241 241 241'),
        'ButtonTextDisabled': ('162 164 165', '101 101 101'),
        'ButtonBack': ('238 238 242', '27 27 28'),
        'ButtonBackHighlight': ('201 222 245', '63 63 70'),
        'ButtonBackPushed': ('237 244 252', '51 51 52'),
        'ButtonBackChecked': ('238 238 242', '45 45 48'),
        'ButtonBackCheckedHighlight': ('201 222 245', '62 62 64'),
        'ButtonBackDisabled': ('246 246 246', '27 27 28'),
        'ButtonBorder': ('246 246 246', '27 27 28'),
        'ButtonBorderHighlight': ('201 222 245', '63 63 70'),
        'ButtonBorderPushed': ('168 210 253', '0 122 204'),
        'ButtonBorderChecked': ('100 165 230', '0 122 204'),
        'ButtonBorderCheckedHighlight': ('96 162 231', '0 122 204'),
        'ButtonBorderDisabled': ('246 246 246', '27 27 28'),
        'Back': ('246 246 246', '27 27 28'),
        'Border': ('204 206 219', '51 51 55'),
        'Gripper': ('246 246 246', '27 27 28'),
        'SeparatorDark': ('224 227 230', '51 51 55'),
        'SeparatorLight': ('246 246 246', '27 27 28'),
    },
    'CommandBars.Toolbar': {
        'ButtonText': ('0 0 0', '241 241 241'),
        'ButtonTextHighlight': ('0 0 0', '241 241 241'),
        'ButtonTextPushed': ('255 255 255', '255 255 255'),
        'ButtonTextChecked': ('0 0 0', '241 241 241'),
        'ButtonTextCheckedHighlight': ('0 0 0', '241 241 241'),
        'ButtonTextDisabled': ('152 152 152', '101 101 101'),
        'ButtonBack': ('238 238 242', '45 45 48'),
        'ButtonBackHighlight': ('201 222 245', '63 63 65'),
        'ButtonBackPushed': ('201 224 247', '108 108 108'),
        'ButtonBackChecked': ('238 238 242', '51 51 52'),
        'ButtonBackCheckedHighlight': ('201 222 245', '63 63 65'),
        'ButtonBackDisabled': ('246 246 246', '27 27 28'),
        'ButtonBorder': ('246 246 246', '45 45 48'),
        'ButtonBorderHighlight': ('201 222 245', '51 51 52'),
        'ButtonBorderPushed': ('51 153 255', '112 112 112'),
        'ButtonBorderChecked': ('51 153 255', '112 112 112'),
        'ButtonBorderCheckedHighlight': ('51 153 255', '99 99 99'),
        'ButtonBorderDisabled': ('246 246 246', '27 27 28'),
        'Back': ('238 238 242', '45 45 48'),
        'Border': ('238 238 242', '45 45 48'),
        'BorderEdit': ('166 172 181', '97 97 100'),
        'Gripper': ('153 153 153', '70 70 74'),
        'GripperFloating': ('239 239 242', '45 45 48'),
        'GripperFloatingText': ('82 82 82', '153 153 153'),
        'DisabledIcon': ('195 195 198', '83 83 85'),
        'SeparatorDark': ('204 206 219', '34 34 34'),
        'SeparatorLight': ('245 245 245', '70 70 74'),
    },
    'CommandBars.CheckBox': {
        'Mark': ('113 113 113', '153 153 153'),
        'MarkHighlight': ('30 30 30', '255 255 255'),
        'MarkPushed': ('255 255 255', '255 255 255'),
        'MarkDisabled': ('204 206 219', '67 67 70'),
        'Back': ('255 255 255', '51 51 55'),
        'BackHighlight': ('201 222 245', '31 31 32'),
        'BackPushed': ('164 206 249', '73 73 73'),
        'BackDisabled': ('238 238 242', '45 45 48'),
        'Border': ('204 206 219', '153 153 153'),
        'BorderHighlight': ('51 153 255', '121 121 121'),
        'BorderPushed': ('0 122 204', '157 157 157'),
        'BorderDisabled': ('204 206 219', '67 67 70'),
    },
    'CommandBars.Ribbon': {
        'ButtonText': ('68 68 68', '241 241 241'),
        'ButtonTextHighlight': ('68 68 68', '241 241 241'),
        'ButtonTextPushed': ('68 68 68', '255 255 255'),
        'ButtonTextChecked': ('68 68 68', '241 241 241'),
        'ButtonTextCheckedHighlight': ('68 68 68', '241 241 241'),
        'ButtonTextDisabled': ('152 152 152', '101 101 101'),
        'ButtonBack': ('238 238 242', '27 27 28'),
        'ButtonBackHighlight': ('201 222 245', '51 51 52'),
        'ButtonBackPushed': ('0 122 204', '0 122 204'),
        'ButtonBackChecked': ('238 238 242', '45 45 48'),
        'ButtonBackCheckedHighlight': ('201 222 245', '45 45 48'),
        'ButtonBackDisabled': ('246 246 246', '27 27 28'),
        'ButtonBorder': ('246 246 246', '27 27 28'),
        'ButtonBorderHighlight': ('201 222 245', '51 51 52'),
        'ButtonBorderPushed': ('0 122 204', '0 122 204'),
        'ButtonBorderChecked': ('51 153 255', '51 153 255'),
        'ButtonBorderCheckedHighlight': ('51 153 255', '51 153 255'),
        'ButtonBorderDisabled': ('246 246 246', '27 27 28'),
        'TabTextInactive': ('30 30 30', '241 241 241'),
        'TabBackInactive': ('238 238 242', '45 45 48'),
    },
    'CommandBars.Frame': {
        'FontFace': ('Segoe UI', 'Segoe UI'),
        'FontSize': ('12', '12'),
        'FlatFrame': ('0', '0'),
        'IconMargin': ('12 0 12 0', '12 0 12 0'),
        'CaptionButtonSize': ('46 29', '46 29'),
        'CaptionButtonMargin': ('1 0 0 0', '1 0 0 0'),
        'CaptionHeight': ('30', '30'),
        'CaptionCenterAligned': ('0', '0'),
        'CaptionBorder': ('239 239 242', '45 45 48'),
        'ActiveBorderColor': ('179 179 182', '97 97 100'),
        'ActiveCaptionColor': ('239 239 242', '45 45 48'),
        'ActiveFontColor': ('0 0 0', '255 255 255'),
        'ActiveShadowColor': ('0 0 0', '0 0 0'),
        'InactiveBorderColor': ('202 202 203', '97 97 100'),
        'InactiveCaptionColor': ('239 239 242', '45 45 48'),
        'InactiveFontColor': ('148 148 150', '111 111 112'),
        'InactiveShadowColor': ('225 225 225', '225 225 225'),
        'MDIChildWindowCaptionButtonSize': ('21 21', '21 21'),
        'CaptionButtonActiveBorder': ('239 239 242', '45 45 48'),
        'CaptionButtonActiveFillColor': ('30 30 30', '255 255 255'),
        'CaptionButtonActiveBackgroundColor': ('-1', '45 45 48'),
        'CaptionButtonInactiveBorder': ('239 239 242', '45 45 48'),
        'CaptionButtonInactiveFillColor': ('30 30 30', '128 128 128'),
        'CaptionButtonInactiveBackgroundColor': ('-1', '45 45 48'),
        'CaptionButtonHotBorder': ('253 253 253', '63 63 65'),
        'CaptionButtonHotFillColor': ('0 0 0', '255 255 255'),
        'CaptionButtonHotBackgroundColor': ('253 253 253', '63 63 65'),
        'CaptionButtonPressedBorder': ('202 202 203', '81 81 81'),
        'CaptionButtonPressedFillColor': ('253 253 253', '255 255 255'),
        'CaptionButtonPressedBackgroundColor': ('202 202 203', '81 81 81'),
        'CloseButtonActiveBorder': ('239 239 242', '45 45 48'),
        'CloseButtonActiveFillColor': ('30 30 30', '255 255 255'),
        'CloseButtonActiveBackgroundColor': ('-1', '45 45 48'),
        'CloseButtonInactiveBorder': ('239 239 242', '45 45 48'),
        'CloseButtonInactiveFillColor': ('30 30 30', '128 128 128'),
        'CloseButtonInactiveBackgroundColor': ('-1', '45 45 48'),
        'CloseButtonHotBorder': ('232 17 35', '232 17 35'),
        'CloseButtonHotFillColor': ('255 255 255', '255 255 255'),
        'CloseButtonHotBackgroundColor': ('232 17 35', '232 17 35'),
        'CloseButtonPressedBorder': ('241 112 122', '139 10 20'),
        'CloseButtonPressedFillColor': ('255 255 255', '255 255 255'),
        'CloseButtonPressedBackgroundColor': ('241 112 122', '139 10 20'),
    },
    'CommandBars.Ribbon.Backstage': {
        'FrameCaptionActiveText': ('94 94 94', '153 153 153'),
        'FrameCaptionInactiveText': ('148 148 150', '111 111 112'),
        'FrameCaptionButtonInactiveFill': ('148 148 150', '111 111 112'),
        'FrameCaptionButtonHotBack': ('253 253 253', '63 63 65'),
        'FrameCaptionButtonHotFill': ('0 122 204', '255 255 255'),
        'FrameCaptionButtonPressedBack': ('0 122 204', '0 122 204'),
        'FrameCaptionButtonPressedFill': ('253 253 253', '253 253 253'),
    },
    'ReportControl': {
        'HyperLink': ('19 100 196', '51 153 255'),
        'HyperLinkHover': ('51 153 255', '255 255 255'),
        'BtnFace': ('246 246 246', '45 45 48'),
        'BtnFacePressed': ('0 122 204', '108 108 108'),
        'BtnText': ('0 0 0', '153 153 153'),
        'ControlDark': ('204 206 219', '63 63 70'),
        'ControlLightLight': ('204 206 219', '37 37 38'),
        'Highlight': ('51 153 255', '98 98 98'),
        'HighlightText': ('255 255 255', '255 255 255'),
        'BoldText': ('0 0 0', '153 153 153'),
        'BoldTextHighlight': ('255 255 255', '255 255 255'),
        'GroupText': ('98 98 98', '153 153 153'),
        'GroupTextHilite': ('255 255 255', '255 255 255'),
        'GroupBack': ('246 246 246', '45 45 48'),
        'GroupBackHilite': ('51 153 255', '98 98 98'),
        'SelectedRow': ('204 206 219', '63 63 70'),
        'SelectedRowText': ('0 0 0', '241 241 241'),
        'ItemShade': ('230 231 232', '51 51 51'),
        'HotDivider': ('255 0 0', '255 0 0'),
        'FreezeColsDivider': ('134 137 153', '153 153 153'),
        'WindowText': ('0 0 0', '241 241 241'),
        'ControlBack': ('255 255 255', '37 37 38'),
        'Connector': ('204 206 219', '62 62 66'),
        'IndentControl': ('246 246 246', '37 37 38'),
        'CaptionText': ('30 30 30', '241 241 241'),
        'CaptionTextPressed': ('255 255 255', '255 255 255'),
        'HeaderControl': ('239 239 242', '45 45 48'),
        'GroupShadeBorder': ('204 206 219', '45 45 48'),
        'GroupShadeBack': ('246 246 246', '37 37 38'),
        'GroupShadeText': ('30 30 30', '153 153 153'),
        'GroupRowText': ('204 206 219', '45 45 48'),
        'GroupBoxBack': ('239 239 242', '45 45 48'),
        'NoGroupByText': ('204 206 219', '45 45 48'),
        'GradientColumnSeparator': ('30 30 30', '241 241 241'),
        'Glyph': ('30 30 30', '241 241 241'),
        'GlyphHighlight': ('255 255 255', '255 255 255'),
        'GlyphExpand': ('246 246 246', '153 153 153'),
        'GlyphBorder': ('204 206 219', '153 153 153'),
        'GlyphContract': ('30 30 30', '153 153 153'),
        'DisableBitmapLightest': ('250 250 250', '100 100 100'),
        'DisableBitmapDarkest': ('128 128 128', '30 30 30'),
    },
}

# Extra fixed values of the ribbon's tab row.
FIXED["CommandBars.Ribbon"].update({
    "RibbonFace": ("243 243 243", "45 45 48"),
    "RibbonBorder": ("204 206 219", "63 63 70"),
    "RibbonInactiveFace": ("239 239 242", "45 45 48"),
    "RibbonInactiveFaceState": ("239 239 242", "45 45 48"),
})

SECTIONS = [
    "Global", "Theme", "Calendar", "Calendar.TimeLine", "Calendar.CaptionBar", "Calendar.DatePicker",
    "Calendar.EventLabel", "CommandBars", "CommandBars.CheckBox", "CommandBars.Frame", "CommandBars.Gallery",
    "CommandBars.Menu", "CommandBars.MessageBar", "CommandBars.Slider", "CommandBars.StatusBar",
    "CommandBars.Toolbar", "CommandBars.Ribbon", "CommandBars.Ribbon.Backstage", "CommandBars.Ribbon.TabContext",
    "CommandBars.Ribbon.Xaml", "Common.ScrollBar", "Controls.Button", "Controls.ColorPicker", "Controls.ComboBox",
    "Controls.Edit", "Controls.ExcelTabCtrl", "Controls.ListBox", "Controls.ProgressBar", "Controls.SpinButton",
    "Controls.Tree", "PropertyGrid", "ReportControl", "ReportControl.TrackControl", "TabManager", "DockingPane",
    "DockingPane.Tabs", "DockingPane.Panel", "DockingPane.Active", "DockingPane.Active.CaptionButton.Hot",
    "DockingPane.Active.CaptionButton.Normal", "DockingPane.Active.CaptionButton.Pressed", "DockingPane.Inactive",
    "DockingPane.Inactive.CaptionButton.Hot", "DockingPane.Inactive.CaptionButton.Normal",
    "DockingPane.Inactive.CaptionButton.Pressed", "Images", "ShortcutBar", "TaskPanel", "Window", "Splitter",
    "TabClient",
]

# The looks' palettes: role -> "R G B".
PALETTES = {
    "light": {
        "back": "238 238 242", "face": "246 246 246", "window": "255 255 255", "text": "30 30 30",
        "textDisabled": "162 164 165", "border": "204 206 219", "hot": "201 222 245", "hotBorder": "164 206 249",
        "pushed": "0 122 204", "pushedText": "255 255 255", "selected": "51 153 255", "selectedText": "255 255 255",
        "accent": "0 122 204", "grip": "153 153 153", "shadow": "179 179 182", "header": "239 239 242",
        "link": "19 100 196",
    },
    "dark": {
        "back": "45 45 48", "face": "37 37 38", "window": "30 30 30", "text": "241 241 241",
        "textDisabled": "101 101 101", "border": "63 63 70", "hot": "62 62 64", "hotBorder": "0 122 204",
        "pushed": "0 122 204", "pushedText": "255 255 255", "selected": "51 153 255", "selectedText": "255 255 255",
        "accent": "0 122 204", "grip": "70 70 74", "shadow": "0 0 0", "header": "45 45 48", "link": "51 153 255",
    },
    "blue": {
        "back": "214 219 233", "face": "234 240 255", "window": "255 255 255", "text": "30 30 30",
        "textDisabled": "128 128 128", "border": "142 155 188", "hot": "253 244 191", "hotBorder": "229 195 101",
        "pushed": "255 242 157", "pushedText": "0 0 0", "selected": "51 153 255", "selectedText": "255 255 255",
        "accent": "41 57 85", "grip": "96 114 140", "shadow": "142 155 188", "header": "77 96 130",
        "link": "19 100 196",
    },
}

# Keys of the sections no other table fixes: key -> palette role.
COMMON = {"Back": "back", "Text": "text", "TextDisabled": "textDisabled", "Border": "border",
          "BackHighlight": "hot", "BorderHighlight": "hotBorder", "BackPushed": "pushed", "TextPushed": "pushedText"}
ROLES = {
    "Calendar": dict(COMMON, Header="header", HeaderText="text", Grid="border", Selection="selected",
                     SelectionText="selectedText", Today="accent", Workday="window", NonWorkday="face"),
    "Calendar.TimeLine": dict(COMMON, Scale="border", Now="accent"),
    "Calendar.CaptionBar": dict(COMMON, Button="face", ButtonHighlight="hot"),
    "Calendar.DatePicker": dict(COMMON, Header="header", Today="accent", Selection="selected"),
    "Calendar.EventLabel": dict(COMMON, Default="face", Important="accent"),
    "CommandBars.Gallery": dict(COMMON, ItemBack="window", ItemBorder="border", ScrollButton="face"),
    "CommandBars.MessageBar": dict(COMMON, Button="face", ButtonBorder="border"),
    "CommandBars.Slider": dict(COMMON, Thumb="grip", ThumbHighlight="accent", Track="border"),
    "CommandBars.StatusBar": dict(COMMON, Face="accent", FaceText="selectedText", Gripper="grip"),
    "CommandBars.Ribbon.TabContext": dict(COMMON, Header="accent", HeaderText="selectedText"),
    "CommandBars.Ribbon.Xaml": dict(COMMON, FrameBorder="border", FrameCaption="back", GroupBack="face",
                                    TabSelected="window", TabHighlight="hot", SystemButton="accent"),
    "Common.ScrollBar": dict(COMMON, Thumb="grip", ThumbHighlight="shadow", Track="face", Arrow="grip"),
    "Controls.Button": dict(COMMON, Default="accent", Focus="accent"),
    "Controls.ColorPicker": dict(COMMON, Cell="window", CellBorder="border"),
    "Controls.ComboBox": dict(COMMON, Face="window", Button="face", Arrow="grip"),
    "Controls.Edit": dict(COMMON, Face="window", Selection="selected", SelectionText="selectedText"),
    "Controls.ExcelTabCtrl": dict(COMMON, Tab="face", TabSelected="window"),
    "Controls.ListBox": dict(COMMON, Face="window", Selection="selected", SelectionText="selectedText"),
    "Controls.ProgressBar": dict(COMMON, Bar="accent", Track="face"),
    "Controls.SpinButton": dict(COMMON, Arrow="grip", ArrowHighlight="text"),
    "Controls.Tree": dict(COMMON, Face="window", Selection="selected", SelectionText="selectedText",
                          Glyph="grip", Line="border"),
    "PropertyGrid": dict(COMMON, Face="window", Category="back", CategoryText="text", Grid="border",
                         Help="face", HelpText="text"),
    "ReportControl.TrackControl": dict(COMMON, Track="face", Marker="accent"),
    "TabManager": dict(COMMON, Tab="face", TabSelected="window", TabHighlight="hot", TabText="text"),
    "DockingPane": dict(COMMON, Splitter="back", Client="window"),
    "DockingPane.Tabs": dict(COMMON, Tab="back", TabSelected="window", TabHighlight="hot"),
    "DockingPane.Panel": dict(COMMON, Caption="back", CaptionText="text"),
    "DockingPane.Active": dict(COMMON, Caption="accent", CaptionText="selectedText"),
    "DockingPane.Active.CaptionButton.Hot": {"Back": "hot", "Border": "hotBorder", "Glyph": "text"},
    "DockingPane.Active.CaptionButton.Normal": {"Back": "accent", "Border": "accent", "Glyph": "selectedText"},
    "DockingPane.Active.CaptionButton.Pressed": {"Back": "pushed", "Border": "pushed", "Glyph": "pushedText"},
    "DockingPane.Inactive": dict(COMMON, Caption="back", CaptionText="text"),
    "DockingPane.Inactive.CaptionButton.Hot": {"Back": "hot", "Border": "hotBorder", "Glyph": "text"},
    "DockingPane.Inactive.CaptionButton.Normal": {"Back": "back", "Border": "back", "Glyph": "grip"},
    "DockingPane.Inactive.CaptionButton.Pressed": {"Back": "pushed", "Border": "pushed", "Glyph": "pushedText"},
    "ShortcutBar": dict(COMMON, Frame="border", Item="face", ItemSelected="selected"),
    "TaskPanel": dict(COMMON, Group="face", GroupCaption="back", Link="link"),
    "Window": dict(COMMON, Face="window", Frame="border", Workspace="back"),
    "Splitter": {"Back": "back", "Border": "border", "Gripper": "grip"},
    "TabClient": dict(COMMON, Tab="face", TabSelected="window", TabHighlight="hot"),
}

# The five INIs: resource name, file, look, palette, pictures' folder, and
# the frame's caption height and button size.
LOOKS = [
    ("VISUALSTUDIO2015BLUE_INI", "VisualStudio2015Blue.ini", "light", "blue", "VS2015Blue", "26", "34 26"),
    ("VISUALSTUDIO2015DARK_INI", "VisualStudio2015Dark.ini", "dark", "dark", "VS2015Dark", "26", "34 26"),
    ("VISUALSTUDIO2015DARKW10_INI", "VisualStudio2015DarkW10.ini", "dark", "dark", "VS2015Dark", "30", "46 29"),
    ("VISUALSTUDIO2015LIGHT_INI", "VisualStudio2015Light.ini", "light", "light", "VS2015Light", "26", "34 26"),
    ("VISUALSTUDIO2015LIGHTW10_INI", "VisualStudio2015LightW10.ini", "light", "light", "VS2015Light", "30", "46 29"),
]


def blue_chrome(section, key, value):
    """Blue keeps Light's values but trades its grey chrome for blue."""
    grey = {"238 238 242": "214 219 233", "239 239 242": "214 219 233", "246 246 246": "234 240 255",
            "243 243 243": "214 219 233", "204 206 219": "142 155 188"}
    return grey.get(value, value)


def entries(section, look, palette_name, folder, caption_height, caption_buttons):
    palette = PALETTES[palette_name]
    side = 0 if look == "light" else 1
    if section == "Global":
        return [("PreMultiplyImages", "0")]
    if section == "Theme":
        return [("Name", "VISUALSTUDIO2015"), ("Compatibility", "VisualStudio2015")]
    if section == "Images":
        return ([("MaskColor", "255 0 255"), ("ToolTipFrame", folder + "\\ToolTipFrame.png"),
                 ("PushButton", folder + "\\PushButton.png"),
                 ("ToolbarButtonCheckBox", folder + "\\ToolbarButtonCheckBox.bmp"),
                 ("ToolbarButtonRadioButton", folder + "\\ToolbarButtonRadioButton.bmp")] +
                [(key, "Controls\\" + picture) for key, picture in SCROLL_IMAGES])
    out = []
    if section in FIXED:
        for key, values in FIXED[section].items():
            value = values[side]
            if palette_name == "blue":
                value = blue_chrome(section, key, value)
            out.append((key, value))
    if section == "CommandBars.Frame":
        out = [(k, caption_height if k == "CaptionHeight" else caption_buttons if k == "CaptionButtonSize" else v)
               for k, v in out]
        out.append(("BorderImage", folder + "\\FrameBorder.png"))
    if section == "CommandBars.Toolbar":
        out.append(("GripperImage", folder + "\\Gripper.png"))
    for key, role in ROLES.get(section, {}).items():
        out.append((key, palette[role]))
    return out


def hash_key(section, key):
    h = 0
    for c in section + key:
        h = (h * 33 + ord(c.upper())) & 0xFFFFFFFF
    return h


def write_ini(name, look, palette_name, folder, caption_height, caption_buttons):
    lines = ["; Resource theme %s of the Lorvane window toolkit." % name,
             "; Generated by make_theme_inis.py; values are R G B, -1 is no colour.", ""]
    seen = {}
    for section in SECTIONS:
        lines.append("[%s]" % section)
        for key, value in entries(section, look, palette_name, folder, caption_height, caption_buttons):
            h = hash_key(section, key)
            if h in seen:
                raise SystemExit("hash collision: %s/%s and %s" % (section, key, seen[h]))
            seen[h] = "%s/%s" % (section, key)
            lines.append("%s = %s" % (key, value))
        lines.append("")
    text = "\r\n".join(lines) + "\r\n"
    text.encode("ascii")
    return text, len(seen)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, pixel):
    """pixel(x, y) -> (r, g, b, a)."""
    raw = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def rgb(text):
    return tuple(int(v) for v in text.split())


def framed(width, height, border, fill, corner=True):
    """A one-pixel border around a fill; corners left transparent when asked."""
    def pixel(x, y):
        edge_x = x in (0, width - 1)
        edge_y = y in (0, height - 1)
        if corner and edge_x and edge_y:
            return (0, 0, 0, 0)
        if edge_x or edge_y:
            return border + (255,)
        return fill + (255,)
    return pixel


MAGENTA = (255, 0, 255)


def bmp24(width, height, pixel):
    """pixel(x, y) -> (r, g, b): a 24-bit bitmap, bottom-up, whose magenta is
    the transparent key (no alpha byte to disturb the keying)."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(width)))
        rows.append(row + b"\x00" * (stride - width * 3))
    bits = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(bits), 0, 0, 14 + len(info))
    return header + info + bits


def stacked(cell_w, cell_h, cells):
    """Cells drawn by cells[n](x, y) stacked from the top into one picture."""
    return bmp24(cell_w, cell_h * len(cells), lambda x, y: cells[y // cell_h](x, y % cell_h))


# A check mark and the outlines of the small arrows, as rows of text: 'X' drawn.
CHECK = ["          ", "         X", "        XX", "X      XXX", "XX    XXX ", "XXX  XXX  ", " XXXXXX   ",
         "  XXXX    ", "   XX     "]
ARROW_UP = ["         ", "         ", "    X    ", "   XXX   ", "  XXXXX  ", " XXXXXXX ", "         ",
            "         ", "         "]


def mark_cells(p, radio):
    """13 x 13 check-box or radio marks: idle, hot, pushed and disabled, then
    the same checked (and, for check boxes, indeterminate)."""
    looks = [(p["border"], p["window"], p["text"]), (p["hotBorder"], p["hot"], p["text"]),
             (p["accent"], p["hot"], p["text"]), (p["textDisabled"], p["back"], p["textDisabled"])]

    def cell(border, fill, mark, state):
        def pixel(x, y):
            if radio:
                d = ((x - 6) ** 2 + (y - 6) ** 2) ** 0.5
                if d > 6.5:
                    return MAGENTA
                if d > 5.5:
                    return border
                return mark if state and d < 2.6 else fill
            if x in (0, 12) or y in (0, 12):
                return border
            if state == 1 and 0 <= x - 1 < 10 and 2 <= y < 11 and CHECK[y - 2][x - 1] == "X":
                return mark
            if state == 2 and 3 <= x <= 9 and 3 <= y <= 9:
                return mark
            return fill
        return pixel

    states = [0, 1] if radio else [0, 1, 2]
    return [cell(*looks[n], state) for state in states for n in range(4)]


def arrow_glyph(rows, colour, turn):
    """A 9 x 9 arrow from the text rows, turned 0 up, 1 down, 2 left, 3 right."""
    def pixel(x, y):
        u, v = [(x, y), (x, 8 - y), (y, x), (y, 8 - x)][turn]
        return colour if rows[v][u] == "X" else MAGENTA
    return pixel


def scroll_pictures():
    """The scroll-bar pictures of the resource theme, in a light and a dark
    form, shared by every theme."""
    out = {}
    for form, p in [("Light", PALETTES["light"]), ("Dark", PALETTES["dark"])]:
        p = {k: rgb(v) for k, v in p.items()}
        track, edge, pressed = p["face"], p["back"], p["border"]
        # Background: row 0 the track, row 1 a pressed page area; a one-pixel
        # line along each long side.
        out["ScrollVertical%s.bmp" % form] = stacked(5, 4, [
            lambda x, y, f=f: edge if x in (0, 4) else f for f in (track, pressed)])
        out["ScrollHorizontal%s.bmp" % form] = stacked(4, 5, [
            lambda x, y, f=f: edge if y in (0, 4) else f for f in (track, pressed)])
        # Arrow buttons: nothing, a quiet frame while another part is active,
        # hot, pressed.
        arrow = [lambda x, y: MAGENTA, framed_rgb(7, 7, p["border"], None),
                 framed_rgb(7, 7, p["hotBorder"], p["hot"]), framed_rgb(7, 7, p["accent"], p["accent"])]
        out["ScrollArrowsVertical%s.bmp" % form] = stacked(7, 7, arrow)
        out["ScrollArrowsHorizontal%s.bmp" % form] = stacked(7, 7, arrow)
        # Thumb: normal, hot, pressed.
        thumb = [framed_rgb(11, 11, b, f) for b, f in
                 [(p["grip"], p["shadow"]), (p["hotBorder"], p["hot"]), (p["accent"], p["accent"])]]
        out["ScrollThumbVertical%s.bmp" % form] = stacked(11, 11, thumb)
        out["ScrollThumbHorizontal%s.bmp" % form] = stacked(11, 11, thumb)
        # Size box: the track colour with the status-bar gripper over it.
        out["ScrollSizeBox%s.bmp" % form] = bmp24(4, 4, lambda x, y: track)
        # Arrow glyphs, 9 x 9: for up, down, left and right the rows normal,
        # active, (spare) and disabled.
        glyph_colours = [p["grip"], p["text"], p["text"], p["textDisabled"]]
        out["ScrollArrowGlyphs%s.bmp" % ("Dark" if form == "Dark" else "")] = stacked(9, 9, [
            arrow_glyph(ARROW_UP, colour, turn) for turn in range(4) for colour in glyph_colours])
    light = {k: rgb(v) for k, v in PALETTES["light"].items()}
    grip_vertical = [lambda x, y: light["text"] if y in (1, 3, 5) and 1 <= x <= 6 else MAGENTA]
    out["ScrollThumbGripperVertical.bmp"] = stacked(8, 8, grip_vertical * 3)
    out["ScrollThumbGripperHorizontal.bmp"] = stacked(8, 8, [lambda x, y: light["text"] if x in (1, 3, 5) and
                                                             1 <= y <= 6 else MAGENTA] * 3)
    out["StatusBarGripper.bmp"] = bmp24(8, 8, lambda x, y: light["grip"] if (x + y) >= 8 and x % 3 == 1 and
                                          y % 3 == 1 else MAGENTA)
    return out


def framed_rgb(width, height, border, fill):
    """A one-pixel border around a fill; a fill of None is transparent."""
    def pixel(x, y):
        if x in (0, width - 1) or y in (0, height - 1):
            return border
        return fill if fill is not None else MAGENTA
    return pixel


# The scroll bar's image names and their pictures in the shared folder.
SCROLL_IMAGES = [
    ("ControlGalleryScrollVerticalLight", "ScrollVerticalLight.bmp"),
    ("ControlGalleryScrollVerticalDark", "ScrollVerticalDark.bmp"),
    ("ControlGalleryScrollHorizontalLight", "ScrollHorizontalLight.bmp"),
    ("ControlGalleryScrollHorizontalDark", "ScrollHorizontalDark.bmp"),
    ("ControlGalleryScrollArrowsVerticalLight", "ScrollArrowsVerticalLight.bmp"),
    ("ControlGalleryScrollArrowsVerticalDark", "ScrollArrowsVerticalDark.bmp"),
    ("ControlGalleryScrollArrowsHorizontalLight", "ScrollArrowsHorizontalLight.bmp"),
    ("ControlGalleryScrollArrowsHorizontalDark", "ScrollArrowsHorizontalDark.bmp"),
    ("ControlGalleryScrollArrowGlyphs", "ScrollArrowGlyphs.bmp"),
    ("ControlGalleryScrollArrowGlyphsDark", "ScrollArrowGlyphsDark.bmp"),
    ("ControlGalleryScrollThumbVertical", "ScrollThumbVerticalLight.bmp"),
    ("ControlGalleryScrollThumbVerticalDark", "ScrollThumbVerticalDark.bmp"),
    ("ControlGalleryScrollThumbHorizontal", "ScrollThumbHorizontalLight.bmp"),
    ("ControlGalleryScrollThumbHorizontalDark", "ScrollThumbHorizontalDark.bmp"),
    ("ControlGalleryScrollThumbGripperVertical", "ScrollThumbGripperVertical.bmp"),
    ("ControlGalleryScrollThumbGripperHorizontal", "ScrollThumbGripperHorizontal.bmp"),
    ("ControlGalleryScrollSizeBoxLight", "ScrollSizeBoxLight.bmp"),
    ("ControlGalleryScrollSizeBoxDark", "ScrollSizeBoxDark.bmp"),
    ("StatusBarGripper", "StatusBarGripper.bmp"),
]


def pictures(palette_name):
    p = {k: rgb(v) for k, v in PALETTES[palette_name].items()}
    out = {}
    out["ToolTipFrame.png"] = png(12, 12, framed(12, 12, p["border"], p["window"]))
    # Push button: normal, hot, pressed, disabled and default stacked from
    # the top, 16 x 16 each.
    states = [(p["border"], p["face"]), (p["hotBorder"], p["hot"]), (p["pushed"], p["pushed"]),
              (p["border"], p["back"]), (p["accent"], p["face"])]
    out["PushButton.png"] = png(16, 80, lambda x, y: framed(16, 16, *states[y // 16])(x, y % 16))
    out["FrameBorder.png"] = png(8, 8, framed(8, 8, p["shadow"], p["back"], corner=False))
    out["Gripper.png"] = png(4, 4, lambda x, y: p["grip"] + (255,) if (x % 2 == 0 and y % 2 == 0) else (0, 0, 0, 0))
    # Check-box and radio marks of the tool-bar look, 13 x 13, magenta-keyed.
    out["ToolbarButtonCheckBox.bmp"] = stacked(13, 13, mark_cells(p, False))
    out["ToolbarButtonRadioButton.bmp"] = stacked(13, 13, mark_cells(p, True))
    return out


def resource_type(picture):
    return "BITMAP" if picture.endswith(".bmp") else "PNG"


def main():
    rc = ["// The resource themes of the toolkit: five INI texts and the pictures they",
          "// name, written by make_theme_inis.py. Found through the include path of",
          "// the toolkit's folder.", ""]
    for name, filename, look, palette_name, folder, height, buttons in LOOKS:
        text, count = write_ini(name, look, palette_name, folder, height, buttons)
        with open(filename, "wb") as f:
            f.write(text.encode("ascii"))
        rc.append('%s TEXTFILE "Foundation/Themes/%s"' % (name, filename))
    rc.append("")
    for folder, palette_name in [("VS2015Blue", "blue"), ("VS2015Dark", "dark"), ("VS2015Light", "light")]:
        for picture, data in sorted(pictures(palette_name).items()):
            filename = "%s_%s" % (folder, picture)
            with open(filename, "wb") as f:
                f.write(data)
            resource = ("%s_%s" % (folder, picture)).replace(".", "_").upper()
            rc.append('%s %s "Foundation/Themes/%s"' % (resource, resource_type(picture), filename))
    for picture, data in sorted(scroll_pictures().items()):
        filename = "Controls_%s" % picture
        with open(filename, "wb") as f:
            f.write(data)
        rc.append('%s %s "Foundation/Themes/%s"' % (filename.replace(".", "_").upper(), resource_type(picture),
                                                   filename))
    with open("ThemeResources.rc", "wb") as f:
        f.write(("\n".join(rc) + "\n").encode("ascii"))


main()
