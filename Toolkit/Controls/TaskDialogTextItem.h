// One text element of the emulated task dialog (main instruction, content,
// footer, ...): its text and the area the layout gave it.
#pragma once

#include "Framework.h"

struct TaskDialogTextItem
{
    CString strText;
    // The markup element parsed from the text; markup content needs the
    // markup engine, which this build does not have: always null.
    void* pElement = nullptr;
    RECT rc{};

    BOOL IsEmpty() const { return strText.IsEmpty(); }
};
