#include "TaskDialogTextItem.h"

#include "Markup/MarkupHelpers.h"

TaskDialogTextItem::~TaskDialogTextItem()
{
    MarkupReleaseElement(pElement);
}

void TaskDialogTextItem::SetText(const CString& strNewText, CLVKMarkupContext* pContext)
{
    strText = strNewText;
    MarkupReleaseElement(pElement);
    if (pContext && !strText.IsEmpty())
        pElement = MarkupParseText(pContext, strText);
}

void TaskDialogTextItem::Reset()
{
    SetText(CString(), nullptr);
    rc = RECT{};
}
