// Type records of the event arguments.

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupMouseEventArgs.h"

#include "Markup/MarkupVisual.h"

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupRoutedEventArgs, L"", CLVKMarkupObject::GetMarkupType(), nullptr, nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupMouseEventArgs, L"", CLVKMarkupRoutedEventArgs::GetMarkupType(), nullptr, nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupMouseButtonEventArgs, L"", CLVKMarkupMouseEventArgs::GetMarkupType(), nullptr,
                          nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupMouseWheelEventArgs, L"", CLVKMarkupRoutedEventArgs::GetMarkupType(), nullptr,
                          nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupQueryCursorEventArgs, L"", CLVKMarkupRoutedEventArgs::GetMarkupType(), nullptr,
                          nullptr)

CLVKMarkupRoutedEventArgs::CLVKMarkupRoutedEventArgs(CLVKMarkupRoutedEvent* pEvent, CLVKMarkupObject* pSource)
    : m_pEvent(pEvent), m_pSource(pSource)
{
    if (m_pSource)
    {
        m_pSource->AddRef();
    }
}

CLVKMarkupRoutedEventArgs::~CLVKMarkupRoutedEventArgs()
{
    if (m_pSource)
    {
        m_pSource->Release();
    }
}

POINT CLVKMarkupMouseEventArgs::GetPosition(CLVKMarkupObject* pElement) const
{
    POINT pt = {m_x, m_y};
    FindMarkupAncestor(pElement,
                       [&pt](CLVKMarkupObject* p)
                       {
                           if (auto* const pVisual = MarkupCast<CLVKMarkupVisual>(p))
                           {
                               pt.x -= pVisual->GetOffset().x;
                               pt.y -= pVisual->GetOffset().y;
                           }
                           return false;
                       });
    return pt;
}

BEGIN_DISPATCH_MAP(CLVKMarkupRoutedEventArgs, CLVKMarkupObject)
    DISP_PROPERTY_EX_ID(CLVKMarkupRoutedEventArgs, "Handled", 100, OleGetHandled, OleSetHandled, VT_BOOL)
    DISP_PROPERTY_EX_ID(CLVKMarkupRoutedEventArgs, "Event", 101, OleGetEvent, SetNotSupported, VT_DISPATCH)
    DISP_PROPERTY_EX_ID(CLVKMarkupRoutedEventArgs, "Source", 102, OleGetSource, SetNotSupported, VT_DISPATCH)
END_DISPATCH_MAP()

BOOL CLVKMarkupRoutedEventArgs::OleGetHandled()
{
    return m_bHandled;
}

void CLVKMarkupRoutedEventArgs::OleSetHandled(BOOL bHandled)
{
    if (bHandled)
    {
        m_bHandled = TRUE;
    }
}

IDispatch* CLVKMarkupRoutedEventArgs::OleGetEvent()
{
    return GetDispatch(m_pEvent, TRUE);
}

IDispatch* CLVKMarkupRoutedEventArgs::OleGetSource()
{
    return GetDispatch(m_pSource, TRUE);
}
