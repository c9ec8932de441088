#include "Markup/MarkupDockPanel.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupUIElementCollection.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>

CLVKMarkupDependencyProperty* CLVKMarkupDockPanel::m_pLastChildFillProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupDockPanel::m_pDockProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupDockPanel, CLVKMarkupPanel)
    DISP_MARKUP_NUMBER("LastChildFill", 600, CLVKMarkupDockPanel::m_pLastChildFillProperty, VT_BOOL, 1)
    DISP_MARKUP_ATTACHED_GET("GetDock", 601, CLVKMarkupDockPanel::GetDock)
    DISP_MARKUP_ATTACHED_SET("SetDock", 602, CLVKMarkupDockPanel::SetDock)
END_DISPATCH_MAP()

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupDockPanel, L"DockPanel", CLVKMarkupPanel::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupDockPanel(); }, &CLVKMarkupDockPanel::RegisterProperties)

namespace
{

CLVKMarkupObject* AFX_CDECL DockConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue, CLVKMarkupDependencyProperty*)
{
    static const MarkupWord words[] = {{L"Left", 0}, {L"Top", 1}, {L"Right", 2}, {L"Bottom", 3}};
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nValue = 0;
    if (!pString || !MarkupFindWord(words, 4, pString->GetText(), nValue))
    {
        return nullptr;
    }
    return new CLVKMarkupEnum(nValue);
}

// A child docked elsewhere changes the room of its siblings: the dock panel
// holding it measures again.
void AFX_CDECL OnDockChanged(CLVKMarkupObject* pObject, const MarkupPropertyChange&)
{
    auto* const pVisual = MarkupCast<CLVKMarkupVisual>(pObject);
    if (auto* const pPanel = pVisual ? MarkupCast<CLVKMarkupDockPanel>(pVisual->GetVisualParent()) : nullptr)
    {
        pPanel->InvalidateMeasure();
    }
}

}  // namespace

void AFX_CDECL CLVKMarkupDockPanel::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pLastChildFillProperty = CLVKMarkupDependencyProperty::Register(
        L"LastChildFill", CLVKMarkupBool::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupBool(TRUE), MarkupPropertyAffectsArrange));
    m_pDockProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"Dock", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupEnum(kDockLeft), DockConverter, OnDockChanged));
}

int AFX_CDECL CLVKMarkupDockPanel::GetDock(const CLVKMarkupObject* pElement)
{
    auto* const pValue = pElement ? MarkupCast<CLVKMarkupEnum>(pElement->GetValue(m_pDockProperty)) : nullptr;
    return pValue ? pValue->GetValue() : kDockLeft;
}

void AFX_CDECL CLVKMarkupDockPanel::SetDock(CLVKMarkupObject* pElement, int nDock)
{
    if (pElement)
    {
        pElement->SetValue(m_pDockProperty, new CLVKMarkupEnum(nDock));
    }
}

BOOL CLVKMarkupDockPanel::GetLastChildFill() const
{
    auto* const pValue = MarkupCast<CLVKMarkupBool>(GetValue(m_pLastChildFillProperty));
    return pValue ? pValue->GetValue() : TRUE;
}

SIZE CLVKMarkupDockPanel::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    // Used width and height, widest top/bottom strip and tallest side strip,
    // each counted from the edges already taken.
    int nUsedWidth = 0, nUsedHeight = 0, nStackedWidth = 0, nSideHeight = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        pChild->Measure(pDC, MarkupLengthSubtract(nWidth, nUsedWidth), MarkupLengthSubtract(nHeight, nUsedHeight));
        const SIZE sz = pChild->GetDesiredSize();
        switch (GetDock(pChild))
        {
        case kDockTop:
        case kDockBottom:
            nStackedWidth = std::max(nStackedWidth, std::min(nUsedWidth + static_cast<int>(sz.cx), kMarkupLargeLength));
            nUsedHeight = std::min(nUsedHeight + static_cast<int>(sz.cy), kMarkupLargeLength);
            break;
        case kDockLeft:
        case kDockRight:
            nSideHeight = std::max(nSideHeight, std::min(nUsedHeight + static_cast<int>(sz.cy), kMarkupLargeLength));
            nUsedWidth = std::min(nUsedWidth + static_cast<int>(sz.cx), kMarkupLargeLength);
            break;
        default:
            // A value no word gives (set from a script) takes no strip.
            break;
        }
    }
    return SIZE{std::max(nUsedWidth, nStackedWidth), std::max(nUsedHeight, nSideHeight)};
}

SIZE CLVKMarkupDockPanel::ArrangeOverride(int nWidth, int nHeight)
{
    const BOOL bFill = GetLastChildFill();
    int nLast = -1;
    for (int i = m_pChildren->GetCount() - 1; i >= 0 && nLast < 0; --i)
    {
        if (m_pChildren->GetElement(i))
        {
            nLast = i;
        }
    }
    int nLeft = 0, nTop = 0, nRightTaken = 0, nBottomTaken = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        const SIZE sz = pChild->GetDesiredSize();
        RECT rc = {nLeft, nTop, std::max(nLeft, nWidth - nRightTaken), std::max(nTop, nHeight - nBottomTaken)};
        if (!(i == nLast && bFill))
        {
            switch (GetDock(pChild))
            {
            case kDockLeft:
                rc.right = nLeft + sz.cx;
                nLeft += sz.cx;
                break;
            case kDockTop:
                rc.bottom = nTop + sz.cy;
                nTop += sz.cy;
                break;
            case kDockRight:
                nRightTaken += sz.cx;
                rc.left = std::max(0, nWidth - nRightTaken);
                rc.right = rc.left + sz.cx;
                break;
            case kDockBottom:
                nBottomTaken += sz.cy;
                rc.top = std::max(0, nHeight - nBottomTaken);
                rc.bottom = rc.top + sz.cy;
                break;
            default:
                break;
            }
        }
        pChild->Arrange(rc);
    }
    return SIZE{nWidth, nHeight};
}
