// Property exchange over an INI file: a section is an INI section named by
// its full path ("Bars\Bar0"), a value a key holding the value's text form.
// Without an assigned file it works on a temporary file that the root
// exchange deletes at its end.
#pragma once

#include "Foundation/PropExchange.h"

class CLVKPropExchangeIniFile : public CLVKPropExchange
{
    DECLARE_DYNAMIC(CLVKPropExchangeIniFile)

public:
    // The parent section and the name may each be a string id (below 0x10000).
    CLVKPropExchangeIniFile(BOOL bLoading, LPCTSTR pszParentSection, LPCTSTR pszSection);
    ~CLVKPropExchangeIniFile() override;

    void AssignFile(LPCTSTR pszPath);
    const CString& GetFile() const { return m_strFile; }
    const CString& GetSectionName() const { return m_strSection; }

    BOOL ExchangeValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault) override;
    CLVKPropExchange* OpenSection(LPCTSTR pszSection) override;
    void ClearSection() override;
    BOOL CanSkipValues() override { return TRUE; }
    BOOL PrefersBinaryObjects() override { return FALSE; }
    BOOL PrepareExchange() override;

    // The longest value read back whole.
    static const DWORD kMaxValueChars = 1024 * 1024;

private:
    BOOL ReadText(LPCTSTR pszKey, CString& strText) const;

    CString m_strSection;
    CString m_strFile;
    BOOL m_bDeleteFile = TRUE;
};
