#include "Markup/MarkupBuilderException.h"

#include <cstdarg>
#include <cwchar>

CLVKMarkupBuilderException::CLVKMarkupBuilderException(LPCWSTR lpszMessage)
{
    lstrcpynW(m_szMessage, lpszMessage ? lpszMessage : L"", 256);
}

BOOL CLVKMarkupBuilderException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
    {
        *pnHelpContext = 0;
    }
    if (lpszError && nMaxError)
    {
        lstrcpynW(lpszError, m_szMessage, static_cast<int>(nMaxError));
    }
    return TRUE;
}

void AFX_CDECL MarkupThrowError(LPCWSTR lpszFormat, ...)
{
    wchar_t szText[512] = {};
    va_list args;
    va_start(args, lpszFormat);
    _vsnwprintf(szText, 511, lpszFormat, args);
    va_end(args);
    szText[511] = 0;
    throw new CLVKMarkupBuilderException(szText);
}

CString AFX_CDECL MarkupComErrorText(HRESULT hr)
{
    LPWSTR lpszBuffer = nullptr;
    const DWORD nLength =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(hr), 0x0400, reinterpret_cast<LPWSTR>(&lpszBuffer), 0, nullptr);
    CString strText;
    if (nLength && lpszBuffer)
    {
        strText = lpszBuffer;
        LocalFree(lpszBuffer);
        strText.TrimRight(L"\r\n");
        return strText;
    }
    const DWORD nCode = static_cast<DWORD>(hr);
    if (nCode >= 0x80040201 && nCode <= 0x8004FFFF)
    {
        strText.Format(L"IDispatch error #%d", static_cast<int>(nCode - 0x80040200));
    }
    else
    {
        strText.Format(L"Unknown error 0x%0lX", nCode);
    }
    return strText;
}

void AFX_CDECL MarkupThrowComError(HRESULT hr)
{
    const CString strText = MarkupComErrorText(hr);
    MarkupThrowError(L"%ls", static_cast<LPCWSTR>(strText));
}
