#include "GdiObject.h"

#include "CachedGdiObjectReference.h"
#include "NullSafe.h"

#include <cmath>

CLVKGdiObject::~CLVKGdiObject()
{
    ReleaseObject();
}

int CLVKGdiObject::ReleaseObject()
{
    int nResult = 1;
    if (m_pReference)
    {
        nResult = m_pReference->Release();
        m_pReference = nullptr;
    }
    if (m_pOwnObject->GetSafeHandle())
        nResult = m_pOwnObject->DeleteObject();
    return nResult;
}

void CLVKGdiObject::SetReference(CLVKCachedGdiObjectReferenceBase* pReference)
{
    ReleaseObject();
    m_pReference = pReference;
}

CGdiObject* CLVKGdiObject::GetGdiObject() const
{
    return m_pReference ? m_pReference->GetObject() : m_pOwnObject;
}

HGDIOBJ CLVKGdiObject::GetHandleOrNull() const
{
    if (AfxIsNullObject(this))
        return nullptr;
    return GetGdiObject()->GetSafeHandle();
}

int AFX_CDECL LVKRoundToInt(double dValue)
{
    return static_cast<int>(dValue >= 0 ? std::floor(dValue + 0.5) : std::ceil(dValue - 0.5));
}
