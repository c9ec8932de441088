// Type records of the event arguments.
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
    for (CLVKMarkupObject* p = pElement; p; p = p->GetLogicalParent())
    {
        if (auto* const pVisual = MarkupCast<CLVKMarkupVisual>(p))
        {
            pt.x -= pVisual->GetOffset().x;
            pt.y -= pVisual->GetOffset().y;
        }
    }
    return pt;
}
