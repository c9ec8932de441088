// Wide text converted to a zero-terminated 8-bit buffer in the current
// language's code page (for number parsing, class names and rich text).
#pragma once

#include "Framework.h"

class CLVKNarrowString
{
public:
    explicit CLVKNarrowString(LPCWSTR lpszText);
    // The same in an explicit code page.
    CLVKNarrowString(LPCWSTR lpszText, UINT nCodePage);
    ~CLVKNarrowString() { delete[] m_pszText; }

    operator LPCSTR() const { return m_pszText ? m_pszText : ""; }
    LPCSTR GetString() const { return *this; }

    CLVKNarrowString(const CLVKNarrowString&) = delete;
    CLVKNarrowString& operator=(const CLVKNarrowString&) = delete;

private:
    void Convert(LPCWSTR lpszText, UINT nCodePage);

    char* m_pszText = nullptr;
};
