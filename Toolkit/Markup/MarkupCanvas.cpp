#include "Markup/MarkupCanvas.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupUIElementCollection.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>

CLVKMarkupDependencyProperty* CLVKMarkupCanvas::m_pLeftProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupCanvas::m_pTopProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupCanvas::m_pRightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupCanvas::m_pBottomProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupCanvas, CLVKMarkupPanel)
    DISP_MARKUP_ATTACHED_SET("SetLeft", 600, CLVKMarkupCanvas::SetLeft)
    DISP_MARKUP_ATTACHED_SET("SetTop", 601, CLVKMarkupCanvas::SetTop)
    DISP_MARKUP_ATTACHED_SET("SetRight", 602, CLVKMarkupCanvas::SetRight)
    DISP_MARKUP_ATTACHED_SET("SetBottom", 603, CLVKMarkupCanvas::SetBottom)
    DISP_MARKUP_ATTACHED_GET("GetLeft", 604, CLVKMarkupCanvas::GetLeft)
    DISP_MARKUP_ATTACHED_GET("GetTop", 605, CLVKMarkupCanvas::GetTop)
    DISP_MARKUP_ATTACHED_GET("GetRight", 606, CLVKMarkupCanvas::GetRight)
    DISP_MARKUP_ATTACHED_GET("GetBottom", 607, CLVKMarkupCanvas::GetBottom)
END_DISPATCH_MAP()

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupCanvas, L"Canvas", CLVKMarkupPanel::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupCanvas(); }, &CLVKMarkupCanvas::RegisterProperties)

namespace
{

// The position when given (a value is stored), else nothing.
const CLVKMarkupInt* Position(const CLVKMarkupObject* pElement, CLVKMarkupDependencyProperty* pProperty)
{
    return pElement ? MarkupCast<CLVKMarkupInt>(pElement->GetValue(pProperty)) : nullptr;
}

int PositionOrZero(const CLVKMarkupObject* pElement, CLVKMarkupDependencyProperty* pProperty)
{
    const CLVKMarkupInt* const pValue = Position(pElement, pProperty);
    return pValue ? pValue->GetValue() : 0;
}

void SetPosition(CLVKMarkupObject* pElement, CLVKMarkupDependencyProperty* pProperty, int n)
{
    if (pElement)
    {
        pElement->SetValue(pProperty, new CLVKMarkupInt(n));
    }
}

// One coordinate of a child: the near edge when given, else from the far
// edge, else 0; kept inside the layout's finite range.
int PlaceAlong(const CLVKMarkupInt* pNear, const CLVKMarkupInt* pFar, int nRoom, int nSize)
{
    long long n = 0;
    if (pNear)
    {
        n = pNear->GetValue();
    }
    else if (pFar)
    {
        n = static_cast<long long>(nRoom) - nSize - pFar->GetValue();
    }
    return static_cast<int>(std::max<long long>(-kMarkupLargeLength, std::min<long long>(n, kMarkupLargeLength)));
}

}  // namespace

void AFX_CDECL CLVKMarkupCanvas::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    CLVKMarkupType* const pInt = CLVKMarkupInt::GetMarkupType();
    // Positions take effect at the canvas's next arrange; they carry no
    // layout flags of their own.
    m_pLeftProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"Left", pInt, pType, new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyScaleX));
    m_pTopProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"Top", pInt, pType, new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyScaleY));
    m_pRightProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"Right", pInt, pType, new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyScaleX));
    m_pBottomProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"Bottom", pInt, pType, new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyScaleY));
}

int AFX_CDECL CLVKMarkupCanvas::GetLeft(const CLVKMarkupObject* pElement)
{
    return PositionOrZero(pElement, m_pLeftProperty);
}

int AFX_CDECL CLVKMarkupCanvas::GetTop(const CLVKMarkupObject* pElement)
{
    return PositionOrZero(pElement, m_pTopProperty);
}

int AFX_CDECL CLVKMarkupCanvas::GetRight(const CLVKMarkupObject* pElement)
{
    return PositionOrZero(pElement, m_pRightProperty);
}

int AFX_CDECL CLVKMarkupCanvas::GetBottom(const CLVKMarkupObject* pElement)
{
    return PositionOrZero(pElement, m_pBottomProperty);
}

void AFX_CDECL CLVKMarkupCanvas::SetLeft(CLVKMarkupObject* pElement, int n)
{
    SetPosition(pElement, m_pLeftProperty, n);
}

void AFX_CDECL CLVKMarkupCanvas::SetTop(CLVKMarkupObject* pElement, int n)
{
    SetPosition(pElement, m_pTopProperty, n);
}

void AFX_CDECL CLVKMarkupCanvas::SetRight(CLVKMarkupObject* pElement, int n)
{
    SetPosition(pElement, m_pRightProperty, n);
}

void AFX_CDECL CLVKMarkupCanvas::SetBottom(CLVKMarkupObject* pElement, int n)
{
    SetPosition(pElement, m_pBottomProperty, n);
}

SIZE CLVKMarkupCanvas::MeasureOverride(CLVKMarkupDrawingContext* pDC, int /*nWidth*/, int /*nHeight*/)
{
    SIZE szLargest = {0, 0};
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        pChild->Measure(pDC, kMarkupInfiniteLength, kMarkupInfiniteLength);
        szLargest.cx = std::max(szLargest.cx, pChild->GetDesiredSize().cx);
        szLargest.cy = std::max(szLargest.cy, pChild->GetDesiredSize().cy);
    }
    return szLargest;
}

SIZE CLVKMarkupCanvas::ArrangeOverride(int nWidth, int nHeight)
{
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        const SIZE sz = pChild->GetDesiredSize();
        const int x = PlaceAlong(Position(pChild, m_pLeftProperty), Position(pChild, m_pRightProperty), nWidth, sz.cx);
        const int y = PlaceAlong(Position(pChild, m_pTopProperty), Position(pChild, m_pBottomProperty), nHeight, sz.cy);
        pChild->Arrange(x, y, x + sz.cx, y + sz.cy);
    }
    return SIZE{nWidth, nHeight};
}
