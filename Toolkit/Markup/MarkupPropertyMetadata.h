// What a dependency property carries besides its name and types: a default
// value, an optional text converter, an optional change callback and flags.
#pragma once

#include "Markup/MarkupObject.h"

enum MarkupPropertyFlags
{
    MarkupPropertyInherits = 0x01,  // for routed events: the event bubbles
    MarkupPropertyAffectsArrange = 0x02,
    MarkupPropertyAffectsMeasure = 0x04,
    MarkupPropertyAffectsRender = 0x20,
    MarkupPropertyScaleX = 0x40,
    MarkupPropertyScaleY = 0x80,
};

struct MarkupPropertyChange
{
    CLVKMarkupDependencyProperty* pProperty;
    CLVKMarkupObject* pOldValue;
    CLVKMarkupObject* pNewValue;
};

class CLVKMarkupPropertyMetadata
{
public:
    typedef CLVKMarkupObject*(AFX_CDECL* PFNCONVERTER)(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue,
                                                       CLVKMarkupDependencyProperty* pProperty);
    typedef void(AFX_CDECL* PFNCHANGED)(CLVKMarkupObject* pObject, const MarkupPropertyChange& change);

    // The metadata takes over the reference on the default value.
    explicit CLVKMarkupPropertyMetadata(CLVKMarkupObject* pDefault, int nFlags = 0)
        : m_pDefaultValue(pDefault), m_nFlags(nFlags)
    {
    }
    CLVKMarkupPropertyMetadata(CLVKMarkupObject* pDefault, PFNCONVERTER pfnConverter, int nFlags = 0)
        : m_pDefaultValue(pDefault), m_pfnConverter(pfnConverter), m_nFlags(nFlags)
    {
    }
    CLVKMarkupPropertyMetadata(CLVKMarkupObject* pDefault, PFNCONVERTER pfnConverter, PFNCHANGED pfnChanged,
                               int nFlags = 0)
        : m_pDefaultValue(pDefault), m_pfnConverter(pfnConverter), m_pfnChanged(pfnChanged), m_nFlags(nFlags)
    {
    }
    CLVKMarkupPropertyMetadata(CLVKMarkupObject* pDefault, PFNCHANGED pfnChanged, int nFlags = 0)
        : m_pDefaultValue(pDefault), m_pfnChanged(pfnChanged), m_nFlags(nFlags)
    {
    }

    CLVKMarkupObject* m_pDefaultValue = nullptr;
    PFNCONVERTER m_pfnConverter = nullptr;
    PFNCHANGED m_pfnChanged = nullptr;
    int m_nFlags = 0;
};
