#include "Markup/MarkupString.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupString, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupString(); }, nullptr)

CLVKMarkupString::CLVKMarkupString(LPCWSTR lpszText, int nLength)
{
    if (lpszText)
    {
        if (nLength < 0)
        {
            m_strText.assign(lpszText);
        }
        else
        {
            m_strText.assign(lpszText, nLength);
        }
    }
}

CLVKMarkupString* AFX_CDECL CLVKMarkupString::CreateValue(LPCWSTR lpszText, int nLength)
{
    if (!lpszText || nLength == 0)
    {
        return new CLVKMarkupString();
    }
    return new CLVKMarkupString(lpszText, nLength);
}

BOOL CLVKMarkupString::IsEqual(const CLVKMarkupObject* pOther) const
{
    if (!pOther || pOther->GetType() != GetMarkupType())
    {
        return FALSE;
    }
    return static_cast<const CLVKMarkupString*>(pOther)->m_strText == m_strText;
}

UINT CLVKMarkupString::GetHashKey() const
{
    UINT nHash = 0;
    for (const wchar_t ch : m_strText)
    {
        nHash = nHash * 33 + ch;
    }
    return nHash;
}
