#include "Foundation/PropExchangeIniFile.h"

#include <memory>
#include <vector>

IMPLEMENT_DYNAMIC(CLVKPropExchangeIniFile, CLVKPropExchange)

namespace
{

CString TextOrStringId(LPCTSTR psz)
{
    if (!psz)
        return CString();
    if (IS_INTRESOURCE(psz))
    {
        CString str;
        str.LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(psz)));
        return str;
    }
    return CString(psz);
}

// GetPrivateProfileString drops blanks around a value and one pair of
// enclosing quotes; such a value is quoted so that it reads back unchanged.
CString ProtectForIni(const CString& strText)
{
    const int nLength = strText.GetLength();
    if (nLength == 0)
        return strText;
    const wchar_t first = strText.GetAt(0);
    const wchar_t last = strText.GetAt(nLength - 1);
    const bool bBlankAtEdge = iswspace(first) || iswspace(last);
    const bool bQuoted = nLength >= 2 && (first == L'"' || first == L'\'') && first == last;
    if (!bBlankAtEdge && !bQuoted)
        return strText;
    return L"\"" + strText + L"\"";
}

}  // namespace

CLVKPropExchangeIniFile::CLVKPropExchangeIniFile(BOOL bLoading, LPCTSTR pszParentSection, LPCTSTR pszSection)
{
    m_bLoading = bLoading;
    m_bEmptied = TRUE;
    if (!pszParentSection)
        m_strSection = TextOrStringId(pszSection);
    else
        m_strSection = TextOrStringId(pszParentSection) + L"\\" + TextOrStringId(pszSection);
}

CLVKPropExchangeIniFile::~CLVKPropExchangeIniFile()
{
    if (!m_bChildExchange && !m_strFile.IsEmpty() && m_bDeleteFile)
        ::DeleteFileW(m_strFile);
}

void CLVKPropExchangeIniFile::AssignFile(LPCTSTR pszPath)
{
    m_strFile = pszPath ? pszPath : L"";
    m_bDeleteFile = FALSE;
    m_bEmptied = FALSE;
}

BOOL CLVKPropExchangeIniFile::PrepareExchange()
{
    if (!m_bPrepared && m_strFile.IsEmpty())
    {
        wchar_t szFolder[MAX_PATH] = {};
        wchar_t szFile[MAX_PATH] = {};
        const DWORD nFolder = ::GetTempPathW(MAX_PATH, szFolder);
        if (nFolder == 0 || nFolder >= MAX_PATH || ::GetTempFileNameW(szFolder, L"lvk", 0, szFile) == 0)
            return FALSE;
        m_strFile = szFile;
        m_bDeleteFile = TRUE;
    }
    m_bPrepared = TRUE;
    return !m_strFile.IsEmpty();
}

CLVKPropExchange* CLVKPropExchangeIniFile::OpenSection(LPCTSTR pszSection)
{
    PrepareExchange();
    CLVKPropExchangeIniFile* pSection = new CLVKPropExchangeIniFile(m_bLoading, m_strSection, pszSection);
    pSection->InheritFrom(this);
    pSection->m_strFile = m_strFile;
    pSection->m_bDeleteFile = m_bDeleteFile;
    return pSection;
}

void CLVKPropExchangeIniFile::ClearSection()
{
    if (m_bEmptied || m_strSection.IsEmpty())
        return;
    m_bEmptied = TRUE;
    if (m_strFile.IsEmpty())
        return;
    DWORD nSize = 8000;
    std::vector<wchar_t> names;
    DWORD nRead = 0;
    for (;;)
    {
        names.assign(nSize, L'\0');
        nRead = ::GetPrivateProfileSectionNamesW(names.data(), nSize, m_strFile);
        if (nRead != nSize - 2 || nSize >= kMaxValueChars * 16)
            break;
        nSize *= 2;
    }
    if (nRead == 0)
        return;
    const int nPrefix = m_strSection.GetLength();
    std::vector<CString> doomed;
    for (const wchar_t* p = names.data(); p < names.data() + nRead && *p; p += wcslen(p) + 1)
    {
        if (wcsncmp(p, m_strSection, nPrefix) == 0 && (p[nPrefix] == L'\0' || p[nPrefix] == L'\\'))
            doomed.emplace_back(p);
    }
    for (const CString& strName : doomed)
        ::WritePrivateProfileStringW(strName, nullptr, nullptr, m_strFile);
}

BOOL CLVKPropExchangeIniFile::ReadText(LPCTSTR pszKey, CString& strText) const
{
    wchar_t szShort[256] = {};
    const DWORD nShort = ::GetPrivateProfileStringW(m_strSection, pszKey, nullptr, szShort, 256, m_strFile);
    if (nShort == 0)
        return FALSE;
    if (nShort != 255)
    {
        strText = szShort;
        return TRUE;
    }
    // A full buffer may mean a longer value: read it again with more room,
    // growing until it fits, so that long values (byte blocks) come back whole.
    for (DWORD nSize = 16000;; nSize *= 2)
    {
        std::unique_ptr<wchar_t[]> buffer(new wchar_t[nSize]());
        const DWORD nRead = ::GetPrivateProfileStringW(m_strSection, pszKey, nullptr, buffer.get(), nSize, m_strFile);
        if (nRead < nSize - 1 || nSize >= kMaxValueChars)
        {
            strText = CString(buffer.get(), static_cast<int>(std::min<DWORD>(nRead, nSize - 1)));
            return TRUE;
        }
    }
}

BOOL CLVKPropExchangeIniFile::ExchangeValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault)
{
    if (m_bLoading)
    {
        pDefault = LoadDefault(pDefault);
        CString strText;
        if (!PrepareExchange() || !ReadText(pszKey, strText))
            return CopyDefaultValue(nType, pValue, pDefault);
        return ConvertValueText(nType, strText, pValue, pDefault);
    }
    pDefault = SaveDefault(pDefault);
    if (!PrepareExchange())
        return FALSE;
    if (pDefault && IsDefaultValue(nType, pValue, pDefault))
    {
        if (!m_bEmptied)
            ::WritePrivateProfileStringW(m_strSection, pszKey, nullptr, m_strFile);
        return TRUE;
    }
    CString strText;
    if (!ConvertValueText(nType, strText, pValue, pDefault))
        return FALSE;
    return ::WritePrivateProfileStringW(m_strSection, pszKey, ProtectForIni(strText), m_strFile);
}
