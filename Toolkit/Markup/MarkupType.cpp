#include "Markup/MarkupType.h"

#include "Markup/MarkupStyle.h"
#include "Markup/MarkupTypeRegistry.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupContext.h"

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupType, L"", CLVKMarkupObject::GetMarkupType(), nullptr, nullptr)

CLVKMarkupType::CLVKMarkupType(LPCWSTR lpszClassName, LPCWSTR lpszTag, CLVKMarkupType* pBaseType, PFNCREATE pfnCreate,
                               PFNREGISTER pfnRegister)
    : m_lpszClassName(lpszClassName), m_lpszTag(lpszTag ? lpszTag : L""), m_pBaseType(pBaseType),
      m_pfnCreate(pfnCreate), m_pfnRegister(pfnRegister)
{
    CLVKMarkupTypeRegistry::GetInstance().Add(this);
}

CLVKMarkupType::~CLVKMarkupType()
{
    CLVKMarkupTypeRegistry::GetInstance().Remove(this);
}

BOOL CLVKMarkupType::IsDerivedFrom(const CLVKMarkupType* pType) const
{
    for (const CLVKMarkupType* p = this; p; p = p->m_pBaseType)
    {
        if (p == pType)
        {
            return TRUE;
        }
    }
    return FALSE;
}

CLVKMarkupObject* CLVKMarkupType::CreateObject(CLVKMarkupContext* pContext) const
{
    if (!m_pfnCreate)
    {
        return nullptr;
    }
    CLVKMarkupObject* const pObject = m_pfnCreate();
    if (pObject)
    {
        pObject->SetMarkupContext(pContext);
    }
    return pObject;
}

void AFX_CDECL CLVKMarkupType::EnsureRegistered(CLVKMarkupType* pType)
{
    if (!pType || pType->m_bRegistered)
    {
        return;
    }
    EnsureRegistered(pType->m_pBaseType);
    pType->m_bRegistered = TRUE;
    if (pType->m_pfnRegister)
    {
        pType->m_pfnRegister();
    }
}

void AFX_CDECL CLVKMarkupType::RegisterAll()
{
    const std::vector<CLVKMarkupType*> types = CLVKMarkupTypeRegistry::GetInstance().GetTypes();
    for (CLVKMarkupType* const pType : types)
    {
        EnsureRegistered(pType);
    }
}

void CLVKMarkupType::SetStyle(CLVKMarkupStyle* pStyle)
{
    if (m_pStyle)
    {
        m_pStyle->Release();
    }
    m_pStyle = pStyle;
    if (m_pStyle)
    {
        m_pStyle->Seal();
    }
}

CLVKMarkupObject* CLVKMarkupType::ConvertFrom(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    CLVKMarkupType* const pType = CLVKMarkupTypeRegistry::GetInstance().FindType(pString->GetText());
    if (pType)
    {
        pType->AddRef();
    }
    return pType;
}
