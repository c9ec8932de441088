// A text value: its own zero-terminated copy and its length.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupString : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // nLength -1: up to the terminator; a null text gives the empty text.
    explicit CLVKMarkupString(LPCWSTR lpszText = nullptr, int nLength = -1);
    static CLVKMarkupString* AFX_CDECL CreateValue(LPCWSTR lpszText, int nLength = -1);

    LPCWSTR GetText() const { return m_strText.c_str(); }
    int GetLength() const { return static_cast<int>(m_strText.size()); }
    const std::wstring& GetString() const { return m_strText; }

    BOOL IsEqual(const CLVKMarkupObject* pOther) const override;
    UINT GetHashKey() const override;

private:
    std::wstring m_strText;
};
