#include "Markup/MarkupScrollViewer.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupMouseEventArgs.h"
#include "Markup/MarkupPropertyMetadata.h"
#include "Markup/MarkupScrollBar.h"
#include "Markup/MarkupScrollBarGripper.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>

CLVKMarkupDependencyProperty* CLVKMarkupScrollViewer::m_pVerticalScrollBarVisibilityProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupScrollViewer::m_pHorizontalScrollBarVisibilityProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupScrollViewer, CLVKMarkupContentControl)
    DISP_PROPERTY_EX_ID(CLVKMarkupScrollViewer, "VerticalOffset", 700, OleGetVerticalOffset, OleSetVerticalOffset,
                        VT_I4)
    DISP_PROPERTY_EX_ID(CLVKMarkupScrollViewer, "HorizontalOffset", 701, OleGetHorizontalOffset, OleSetHorizontalOffset,
                        VT_I4)
END_DISPATCH_MAP()

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupScrollViewer, L"ScrollViewer", CLVKMarkupContentControl::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupScrollViewer(); }, &CLVKMarkupScrollViewer::RegisterProperties)

namespace
{

const int kLineStep = 16;
const int kWheelStep = 48;

// Made through the context, which counts the objects it made; one reference
// for the caller, no parent yet.
template <class T>
T* CreatePart(CLVKMarkupObject* pOwner)
{
    CLVKMarkupContext* const pContext = pOwner->GetMarkupContext();
    CLVKMarkupObject* const pObject =
        pContext ? pContext->CreateMarkupObject(T::GetMarkupType()) : static_cast<CLVKMarkupObject*>(new T());
    return MarkupCast<T>(pObject);
}

}  // namespace

void AFX_CDECL CLVKMarkupScrollViewer::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pVerticalScrollBarVisibilityProperty = CLVKMarkupDependencyProperty::Register(
        L"VerticalScrollBarVisibility", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupEnum(visibilityVisible), &ConvertVisibility,
                                       MarkupPropertyAffectsMeasure));
    m_pHorizontalScrollBarVisibilityProperty = CLVKMarkupDependencyProperty::Register(
        L"HorizontalScrollBarVisibility", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupEnum(visibilityDisabled), &ConvertVisibility,
                                       MarkupPropertyAffectsMeasure));
}

CLVKMarkupObject* AFX_CDECL CLVKMarkupScrollViewer::ConvertVisibility(CLVKMarkupBuilder* /*pBuilder*/,
                                                                      CLVKMarkupObject* pValue,
                                                                      CLVKMarkupDependencyProperty* /*pProperty*/)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    static const LPCWSTR kWords[] = {L"Disabled", L"Auto", L"Visible"};
    for (int i = 0; i < 3; ++i)
    {
        if (_wcsicmp(pString->GetText(), kWords[i]) == 0)
        {
            return new CLVKMarkupEnum(i);
        }
    }
    return nullptr;
}

CLVKMarkupScrollViewer::CLVKMarkupScrollViewer()
{
    SetValue(m_pClipToBoundsProperty, new CLVKMarkupBool(TRUE));
}

CLVKMarkupScrollViewer::~CLVKMarkupScrollViewer() = default;

int CLVKMarkupScrollViewer::GetVisibility(CLVKMarkupDependencyProperty* pProperty) const
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(GetValue(pProperty));
    return pValue ? pValue->GetValue() : 0;
}

int CLVKMarkupScrollViewer::GetVisualChildrenCount() const
{
    if (!GetContent())
    {
        return 0;
    }
    return 1 + (m_vertical.Get() ? 1 : 0) + (m_horizontal.Get() ? 1 : 0) + (m_gripper.Get() ? 1 : 0);
}

CLVKMarkupVisual* CLVKMarkupScrollViewer::GetVisualChild(int nIndex) const
{
    CLVKMarkupVisual* const children[] = {GetContent(), m_vertical.Get(), m_horizontal.Get(), m_gripper.Get()};
    for (CLVKMarkupVisual* const pChild : children)
    {
        if (pChild && nIndex-- == 0)
        {
            return pChild;
        }
    }
    return nullptr;
}

CLVKMarkupScrollBar* CLVKMarkupScrollViewer::EnsureBar(CLVKMarkupChildSlot<CLVKMarkupScrollBar>& bar, BOOL bVertical)
{
    if (!bar.Get())
    {
        CLVKMarkupScrollBar* const pBar = CreatePart<CLVKMarkupScrollBar>(this);
        pBar->SetVertical(bVertical);
        bar.Set(pBar);
    }
    return bar.Get();
}

SIZE CLVKMarkupScrollViewer::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    CLVKMarkupUIElement* const pContent = GetContent();
    if (!pContent)
    {
        return SIZE{0, 0};
    }
    int v = GetVisibility(m_pVerticalScrollBarVisibilityProperty);
    int z = GetVisibility(m_pHorizontalScrollBarVisibilityProperty);
    int cw = z != visibilityDisabled ? kMarkupInfiniteLength : nWidth;
    int ch = nHeight;
    int bw = 0, bh = 0;
    if (v != visibilityDisabled)
    {
        if (v == visibilityAuto)
        {
            pContent->Measure(pDC, cw, kMarkupInfiniteLength);
            v = pContent->GetDesiredSize().cy > nHeight ? visibilityVisible : visibilityDisabled;
        }
        ch = kMarkupInfiniteLength;
    }
    if (v == visibilityVisible)
    {
        CLVKMarkupScrollBar* const pBar = EnsureBar(m_vertical, TRUE);
        pBar->Measure(pDC, nWidth, nHeight);
        bw = pBar->GetDesiredSize().cx;
        if (cw != kMarkupInfiniteLength)
        {
            cw = std::max(cw - bw, 0);
        }
    }
    else
    {
        m_vertical.Reset();
        m_nVerticalOffset = 0;
    }
    if (z == visibilityAuto)
    {
        pContent->Measure(pDC, cw, ch);
        z = pContent->GetDesiredSize().cx > nWidth - bw ? visibilityVisible : visibilityDisabled;
    }
    if (z == visibilityVisible)
    {
        CLVKMarkupScrollBar* const pBar = EnsureBar(m_horizontal, FALSE);
        pBar->Measure(pDC, nWidth, nHeight);
        bh = pBar->GetDesiredSize().cy;
        if (ch != kMarkupInfiniteLength)
        {
            ch = std::max(ch - bh, 0);
        }
    }
    else
    {
        m_horizontal.Reset();
        m_nHorizontalOffset = 0;
    }
    if (m_vertical.Get() && m_horizontal.Get())
    {
        if (!m_gripper.Get())
        {
            m_gripper.Set(CreatePart<CLVKMarkupScrollBarGripper>(this));
        }
    }
    else
    {
        m_gripper.Reset();
    }
    pContent->Measure(pDC, cw, ch);
    const SIZE content = pContent->GetDesiredSize();
    return SIZE{std::min(nWidth, bw + static_cast<int>(content.cx)),
                std::min(nHeight, bh + static_cast<int>(content.cy))};
}

SIZE CLVKMarkupScrollViewer::ArrangeOverride(int nWidth, int nHeight)
{
    CLVKMarkupUIElement* const pContent = GetContent();
    if (!pContent)
    {
        return SIZE{nWidth, nHeight};
    }
    CLVKMarkupScrollBar* const pVertical = m_vertical.Get();
    CLVKMarkupScrollBar* const pHorizontal = m_horizontal.Get();
    CLVKMarkupScrollBarGripper* const pGripper = m_gripper.Get();
    const int bw = pVertical ? pVertical->GetDesiredSize().cx : 0;
    const int bh = pHorizontal ? pHorizontal->GetDesiredSize().cy : 0;
    const int vw = nWidth - bw, vh = nHeight - bh;
    const SIZE content = pContent->GetDesiredSize();
    if (pVertical)
    {
        if (m_nVerticalOffset > 0 && content.cy < m_nVerticalOffset + vh)
        {
            m_nVerticalOffset = std::max(static_cast<int>(content.cy) - vh, 0);
        }
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        si.nMin = 0;
        si.nMax = content.cy - 1;
        si.nPage = static_cast<UINT>(std::max(vh, 0));
        si.nPos = m_nVerticalOffset;
        pVertical->SetScrollInfo(si);
        pVertical->Arrange(nWidth - bw, 0, nWidth, vh);
    }
    if (pHorizontal)
    {
        if (m_nHorizontalOffset > 0 && content.cx < m_nHorizontalOffset + vw)
        {
            m_nHorizontalOffset = std::max(static_cast<int>(content.cx) - vw, 0);
        }
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        si.nMin = 0;
        si.nMax = content.cx - 1;
        si.nPage = static_cast<UINT>(std::max(vw, 0));
        si.nPos = m_nHorizontalOffset;
        pHorizontal->SetScrollInfo(si);
        pHorizontal->Arrange(0, nHeight - bh, vw, nHeight);
    }
    if (pGripper)
    {
        pGripper->Arrange(nWidth - bw, nHeight - bh, nWidth, nHeight);
    }
    const int x = -m_nHorizontalOffset, y = -m_nVerticalOffset;
    pContent->Arrange(x, y, x + std::max(static_cast<int>(content.cx), vw),
                      y + std::max(static_cast<int>(content.cy), vh));
    return SIZE{nWidth, nHeight};
}

int CLVKMarkupScrollViewer::GetScrollableOffset(BOOL bVertical) const
{
    const CLVKMarkupScrollBar* const pBar = GetScrollBar(bVertical);
    if (!pBar)
    {
        return 0;
    }
    const SCROLLINFO& si = pBar->GetScrollInfo();
    const int nPageLess = si.nPage < 2 ? 0 : static_cast<int>(std::min<UINT>(si.nPage, 0x7FFFFFFF)) - 1;
    return std::max(si.nMax - nPageLess, 0);
}

void CLVKMarkupScrollViewer::Scroll(BOOL bVertical, int nCode, int nPos)
{
    const CLVKMarkupScrollBar* const pBar = GetScrollBar(bVertical);
    if (!pBar)
    {
        return;
    }
    const SCROLLINFO& si = pBar->GetScrollInfo();
    const int nPage = static_cast<int>(std::min<UINT>(si.nPage, 0x7FFFFFFF));
    const int c = si.nPos;
    const int e = GetScrollableOffset(bVertical);
    int nOffset = c;
    switch (nCode)
    {
    case SB_LINEUP:
        nOffset = std::max(c - kLineStep, 0);
        break;
    case SB_LINEDOWN:
        nOffset = std::min(c + kLineStep, e);
        break;
    case SB_PAGEUP:
        nOffset = std::max(c - nPage, 0);
        break;
    case SB_PAGEDOWN:
        nOffset = std::min(c + nPage, e);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nOffset = nPos;
        break;
    case SB_TOP:
        nOffset = 0;
        break;
    case SB_BOTTOM:
        nOffset = e;
        break;
    default:
        break;
    }
    SetOffset(bVertical, nOffset);
}

void CLVKMarkupScrollViewer::SetOffset(BOOL bVertical, int nOffset)
{
    if (!m_bArrangePending)
    {
        nOffset = std::min(nOffset, GetScrollableOffset(bVertical));
    }
    nOffset = std::max(nOffset, 0);
    int& nStored = bVertical ? m_nVerticalOffset : m_nHorizontalOffset;
    if (nOffset != nStored)
    {
        nStored = nOffset;
        InvalidateArrange();
    }
}

void CLVKMarkupScrollViewer::OnMouseWheel(CLVKMarkupMouseWheelEventArgs* pArgs)
{
    if (!pArgs)
    {
        return;
    }
    SetOffset(TRUE, m_nVerticalOffset + (pArgs->GetDelta() < 0 ? kWheelStep : -kWheelStep));
    pArgs->SetHandled();
}
