// The one error of a markup build: a text of at most 255 characters.
#pragma once

#include "Framework.h"

class CLVKMarkupBuilderException : public CSimpleException
{
public:
    explicit CLVKMarkupBuilderException(LPCWSTR lpszMessage);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    LPCWSTR GetMessage() const { return m_szMessage; }

private:
    wchar_t m_szMessage[256];
};

// Formats the text once, with the names as arguments (a name holding "%s"
// stays text), into a bounded buffer, and throws it.
[[noreturn]] void AFX_CDECL MarkupThrowError(LPCWSTR lpszFormat, ...);
// The COM error text of the HRESULT as a markup error.
[[noreturn]] void AFX_CDECL MarkupThrowComError(HRESULT hr);
// The system's text for an HRESULT, as the standard COM error object gives it.
CString AFX_CDECL MarkupComErrorText(HRESULT hr);
