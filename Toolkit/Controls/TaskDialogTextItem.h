// One text element of the emulated task dialog (main instruction, content,
// footer, ...): its text, the markup element parsed from it when the dialog
// shows markup, and the area the layout gave it.
#pragma once

#include "Framework.h"

class CLVKMarkupContext;
class CLVKMarkupUIElement;

struct TaskDialogTextItem
{
    TaskDialogTextItem() = default;
    ~TaskDialogTextItem();
    TaskDialogTextItem(const TaskDialogTextItem&) = delete;
    TaskDialogTextItem& operator=(const TaskDialogTextItem&) = delete;

    // Assigns the text and releases the old element; with a markup context a
    // non-empty text is parsed into a new element (none when it does not
    // parse, and the text then shows nothing).
    void SetText(const CString& strNewText, CLVKMarkupContext* pContext);
    // Empties the text, the element and the area.
    void Reset();

    BOOL IsEmpty() const { return strText.IsEmpty(); }
    // The text as the dialog shows it: without markup the text itself; with
    // markup the texts of the parsed element's text blocks, one per line,
    // and nothing when the markup did not parse.
    CString GetDisplayText() const;

    CString strText;
    // Owned; null when markup is off, the text is empty or does not parse.
    CLVKMarkupUIElement* pElement = nullptr;
    // The text was given to a markup context (parsed or not).
    BOOL bMarkup = FALSE;
    RECT rc{};
};
