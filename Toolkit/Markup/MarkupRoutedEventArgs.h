// What a routed event carries: the event, its source (held with a
// reference, so that a handler that releases the tree cannot leave the
// arguments pointing at freed memory) and the handled flag.
#pragma once

#include "Markup/MarkupRoutedEvent.h"

class CLVKMarkupRoutedEventArgs : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupRoutedEventArgs(CLVKMarkupRoutedEvent* pEvent, CLVKMarkupObject* pSource);

    CLVKMarkupRoutedEvent* GetRoutedEvent() const { return m_pEvent; }
    CLVKMarkupObject* GetSource() const { return m_pSource; }
    BOOL IsHandled() const { return m_bHandled; }
    void SetHandled(BOOL bHandled = TRUE) { m_bHandled = bHandled; }

protected:
    ~CLVKMarkupRoutedEventArgs() override;

private:
    CLVKMarkupRoutedEvent* m_pEvent;
    CLVKMarkupObject* m_pSource;
    BOOL m_bHandled = FALSE;

public:
    // Script members: "Handled" (a put of false changes nothing), "Event",
    // "Source".
    BOOL OleGetHandled();
    void OleSetHandled(BOOL bHandled);
    IDispatch* OleGetEvent();
    IDispatch* OleGetSource();

protected:
    DECLARE_DISPATCH_MAP()
};
