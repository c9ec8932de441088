#include "TaskDialogTextItem.h"

#include "Markup/MarkupHelpers.h"
#include "Markup/MarkupTextBlock.h"

namespace
{

// The texts of the text blocks in a markup tree, in reading order, one per
// line.
CString PlainTextOf(CLVKMarkupObject* pObject)
{
    if (!pObject)
        return CString();
    if (auto* const pTextBlock = MarkupCast<CLVKMarkupTextBlock>(pObject))
        return pTextBlock->GetText();
    CString strText;
    const int nCount = pObject->GetLogicalChildrenCount();
    for (int i = 0; i < nCount; ++i)
    {
        const CString strChild = PlainTextOf(pObject->GetLogicalChild(i));
        if (strChild.IsEmpty())
            continue;
        if (!strText.IsEmpty())
            strText += L"\n";
        strText += strChild;
    }
    return strText;
}

}  // namespace

TaskDialogTextItem::~TaskDialogTextItem()
{
    MarkupReleaseElement(pElement);
}

void TaskDialogTextItem::SetText(const CString& strNewText, CLVKMarkupContext* pContext)
{
    strText = strNewText;
    MarkupReleaseElement(pElement);
    bMarkup = pContext != nullptr;
    if (pContext && !strText.IsEmpty())
        pElement = MarkupParseText(pContext, strText);
}

void TaskDialogTextItem::Reset()
{
    SetText(CString(), nullptr);
    rc = RECT{};
}

CString TaskDialogTextItem::GetDisplayText() const
{
    if (!bMarkup)
        return strText;
    return PlainTextOf(pElement);
}
