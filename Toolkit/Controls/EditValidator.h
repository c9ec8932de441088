// CLVKEditValidator: the themed edit's text check through the platform's
// regular-expression component (the scripting engine's RegExp object). The
// text is valid when the expression matches it exactly once, from its first
// character to its last.
#pragma once

#include "Framework.h"

#include <objbase.h>

class CLVKEditValidator
{
public:
    explicit CLVKEditValidator(LPCWSTR lpszPattern);
    ~CLVKEditValidator();

    // FALSE also when the component cannot be made or a call on it fails:
    // a check that cannot run never passes text as valid.
    BOOL IsValid(const CString& strText);

    CLVKEditValidator(const CLVKEditValidator&) = delete;
    CLVKEditValidator& operator=(const CLVKEditValidator&) = delete;

private:
    BOOL EnsureCreated();

    CString m_strPattern;
    IDispatch* m_pRegExp = nullptr;   // IRegExp
    IDispatch* m_pMatches = nullptr;  // IMatchCollection of the last check
    BOOL m_bCreateFailed = FALSE;
};
