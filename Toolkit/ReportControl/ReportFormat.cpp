#include "ReportDefines.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

BOOL AFX_CDECL LVKReportIsSafeFormat(LPCWSTR lpszFormat, WCHAR chKind)
{
    if (!lpszFormat)
        return FALSE;
    int nConversions = 0;
    for (LPCWSTR p = lpszFormat; *p; p++)
    {
        if (*p != L'%')
            continue;
        p++;
        if (*p == L'%')
            continue;
        // flags, width, precision
        while (*p && wcschr(L"-+ #0", *p))
            p++;
        while (*p >= L'0' && *p <= L'9')
            p++;
        if (*p == L'.')
        {
            p++;
            while (*p >= L'0' && *p <= L'9')
                p++;
        }
        if (!*p || *p == L'*')
            return FALSE;
        // Length modifiers would change the argument size.
        if (wcschr(L"hlLqjztIw", *p))
            return FALSE;
        const BOOL bTextKind = *p == L's' || *p == L'S';
        const BOOL bFloatKind = wcschr(L"feEgG", *p) != nullptr;
        if ((chKind == L's' && !bTextKind) || (chKind == L'f' && !bFloatKind))
            return FALSE;
        nConversions++;
    }
    return nConversions == 1;
}

CString AFX_CDECL LVKReportFormatText(const CString& strFormat, LPCWSTR lpszValue)
{
    if (!LVKReportIsSafeFormat(strFormat, L's'))
        return CString(lpszValue);
    CString str;
    str.Format(strFormat, lpszValue);
    return str;
}

CString AFX_CDECL LVKReportFormatDouble(const CString& strFormat, double dValue)
{
    CString strUsed = strFormat;
    if (strUsed.IsEmpty() || strUsed == L"%s")
        strUsed = L"%f";
    else if (strUsed == L"%d")
        strUsed = L"%.0f";
    if (!LVKReportIsSafeFormat(strUsed, L'f'))
        strUsed = L"%f";
    CString str;
    str.Format(strUsed, dValue);
    return str;
}

double AFX_CDECL ReportTextToDouble(const CString& strText)
{
    CString str = strText;
    const lconv* pConv = localeconv();
    if (!pConv || !pConv->decimal_point || strcmp(pConv->decimal_point, ".") == 0)
        str.Replace(L",", L".");
    const int nLength = WideCharToMultiByte(CP_ACP, 0, str, -1, nullptr, 0, nullptr, nullptr);
    if (nLength <= 0)
        return 0.0;
    CStringA strA;
    char* pBuffer = strA.GetBuffer(nLength);
    WideCharToMultiByte(CP_ACP, 0, str, -1, pBuffer, nLength, nullptr, nullptr);
    const double d = strtod(pBuffer, nullptr);
    strA.ReleaseBuffer();
    return d;
}
