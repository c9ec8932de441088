#include "Framework.h"

#include <algorithm>
#include <wchar.h>

namespace
{
std::wstring Widen(LPCSTR psz, int nLength, UINT nCodePage)
{
    if (!psz || nLength == 0)
        return std::wstring();
    const int n = MultiByteToWideChar(nCodePage, 0, psz, nLength, NULL, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(nCodePage, 0, psz, nLength, &out[0], n);
    if (nLength < 0 && !out.empty() && out.back() == L'\0')
        out.pop_back();
    return out;
}

std::string Narrow(LPCWSTR psz, int nLength, UINT nCodePage)
{
    if (!psz || nLength == 0)
        return std::string();
    const int n = WideCharToMultiByte(nCodePage, 0, psz, nLength, NULL, 0, NULL, NULL);
    if (n <= 0)
        return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(nCodePage, 0, psz, nLength, &out[0], n, NULL, NULL);
    if (nLength < 0 && !out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

LPCWSTR Safe(LPCWSTR psz)
{
    return psz ? psz : L"";
}

// A string resource: a counted, unterminated run inside the module's image.
bool LoadFromModule(HINSTANCE hInstance, UINT nID, std::wstring& out)
{
    if (!hInstance)
        return false;
    LPCWSTR p = nullptr;
    const int n = LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&p), 0);
    if (n <= 0 || !p)
        return false;
    out.assign(p, static_cast<size_t>(n));
    return true;
}

bool LoadResourceString(UINT nID, std::wstring& out)
{
    const HINSTANCE hResource = AfxGetResourceHandle();
    if (LoadFromModule(hResource, nID, out))
        return true;
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    return hInstance != hResource && LoadFromModule(hInstance, nID, out);
}

bool IsIn(wchar_t ch, LPCTSTR lpszSet)
{
    return lpszSet && ch && wcschr(lpszSet, ch) != nullptr;
}
}  // namespace

CString::CString(LPCWSTR lpsz)
{
    *this = lpsz;
}

CString::CString(LPCSTR lpsz)
{
    *this = lpsz;
}

CString::CString(LPCWSTR lpch, int nLength)
{
    if (lpch && nLength > 0)
        m_str.assign(lpch, static_cast<size_t>(nLength));
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString::CString(const CStringA& str) : m_str(Widen(str.GetString(), str.GetLength(), CP_ACP))
{
}

CString& CString::operator=(LPCWSTR lpsz)
{
    if (!lpsz)
    {
        m_str.clear();
    }
    else if (IS_INTRESOURCE(lpsz))
    {
        m_str.clear();
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpsz)));
    }
    else
    {
        m_str = lpsz;
    }
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    if (!lpsz)
    {
        m_str.clear();
    }
    else if (IS_INTRESOURCE(lpsz))
    {
        m_str.clear();
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpsz)));
    }
    else
    {
        m_str = Widen(lpsz, -1, CP_ACP);
    }
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_str.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
        AfxThrowInvalidArgException();
    return m_str.c_str()[nIndex];  // the terminator at GetLength() reads as 0
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_str[static_cast<size_t>(nIndex)] = ch;
}

LPTSTR CString::GetBuffer()
{
    return &m_str[0];
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength), L'\0');
    return &m_str[0];
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)), L'\0');
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    Truncate(nNewLength);
}

void CString::ReleaseBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)), L'\0');
}

void CString::Preallocate(int nLength)
{
    if (nLength > 0)
        m_str.reserve(static_cast<size_t>(nLength));
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength >= 0 && nNewLength < GetLength())
        m_str.resize(static_cast<size_t>(nNewLength));
}

CString& CString::operator+=(LPCWSTR lpsz)
{
    m_str += Safe(lpsz);
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    m_str += Widen(lpsz, -1, CP_ACP);
    return *this;
}

void CString::Append(LPCTSTR lpsz)
{
    m_str += Safe(lpsz);
}

void CString::Append(LPCTSTR lpsz, int nLength)
{
    if (lpsz && nLength > 0)
        m_str.append(lpsz, static_cast<size_t>(nLength));
}

int CString::Compare(LPCTSTR lpsz) const
{
    return wcscmp(m_str.c_str(), Safe(lpsz));
}

int CString::CompareNoCase(LPCTSTR lpsz) const
{
    return _wcsicmp(m_str.c_str(), Safe(lpsz));
}

int CString::Collate(LPCTSTR lpsz) const
{
    return wcscoll(m_str.c_str(), Safe(lpsz));
}

int CString::CollateNoCase(LPCTSTR lpsz) const
{
    return _wcsicoll(m_str.c_str(), Safe(lpsz));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = std::max(nFirst, 0);
    nCount = std::max(nCount, 0);
    if (nFirst >= GetLength() || nCount == 0)
        return CString();
    return CString(m_str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::min(std::max(nCount, 0), GetLength());
    return Mid(GetLength() - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    return Left(static_cast<int>(wcsspn(m_str.c_str(), Safe(lpszCharSet))));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    return Left(static_cast<int>(wcscspn(m_str.c_str(), Safe(lpszCharSet))));
}

CString CString::Tokenize(LPCTSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
    {
        iStart = -1;
        return CString();
    }
    if (!pszTokens || !*pszTokens)
    {
        // No separators: the rest is one token, and the next call ends.
        const CString rest = Mid(iStart);
        iStart = GetLength();
        return rest;
    }
    const LPCWSTR p = m_str.c_str();
    int first = iStart;
    while (first < GetLength() && IsIn(p[first], pszTokens))
        ++first;
    if (first >= GetLength())
    {
        iStart = -1;
        return CString();
    }
    int last = first;
    while (last < GetLength() && !IsIn(p[last], pszTokens))
        ++last;
    iStart = last + 1;
    return Mid(first, last - first);
}

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const size_t pos = m_str.find(ch, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    if (!lpszSub || nStart < 0 || nStart > GetLength())
        return -1;
    const size_t pos = m_str.find(lpszSub, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    if (!lpszCharSet || !*lpszCharSet)
        return -1;
    const size_t pos = m_str.find_first_of(lpszCharSet);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(wchar_t chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCTSTR lpszTargets)
{
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && iswspace(m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    const wchar_t set[] = {chTarget, L'\0'};
    return TrimLeft(set);
}

CString& CString::TrimLeft(LPCTSTR lpszTargets)
{
    size_t n = 0;
    while (n < m_str.size() && IsIn(m_str[n], lpszTargets))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_str.empty() && iswspace(m_str.back()))
        m_str.pop_back();
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    const wchar_t set[] = {chTarget, L'\0'};
    return TrimRight(set);
}

CString& CString::TrimRight(LPCTSTR lpszTargets)
{
    while (!m_str.empty() && IsIn(m_str.back(), lpszTargets))
        m_str.pop_back();
    return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int count = 0;
    for (wchar_t& ch : m_str)
    {
        if (ch == chOld)
        {
            ch = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    if (!lpszOld || !*lpszOld)
        return 0;
    const std::wstring oldText(lpszOld);
    const std::wstring newText(Safe(lpszNew));
    std::wstring out;
    int count = 0;
    size_t from = 0;
    for (size_t pos; (pos = m_str.find(oldText, from)) != std::wstring::npos; from = pos + oldText.size())
    {
        out.append(m_str, from, pos - from);
        out += newText;
        ++count;
    }
    if (count)
    {
        out.append(m_str, from, std::wstring::npos);
        m_str.swap(out);
    }
    return count;
}

int CString::Remove(wchar_t chRemove)
{
    const size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), chRemove), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int nIndex, wchar_t ch)
{
    nIndex = std::min(std::max(nIndex, 0), GetLength());
    m_str.insert(static_cast<size_t>(nIndex), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCTSTR psz)
{
    nIndex = std::min(std::max(nIndex, 0), GetLength());
    m_str.insert(static_cast<size_t>(nIndex), Safe(psz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    nIndex = std::max(nIndex, 0);
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(nCount));
    return GetLength();
}

CString CString::LoadFormat(UINT nFormatID)
{
    CString format;
    format.LoadString(nFormatID);
    return format;
}

void AFX_CDECL CString::FormatRaw(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::AppendFormatRaw(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    AppendFormatV(lpszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCTSTR lpszFormat, va_list args)
{
    m_str.clear();
    AppendFormatV(lpszFormat, args);
}

// The C runtime's own _vsnwprintf keeps the Windows meaning of %s and %c
// (wide text) that callers of Format rely on.
void CString::AppendFormatV(LPCTSTR lpszFormat, va_list args)
{
    if (!lpszFormat)
        return;
    va_list measure;
    va_copy(measure, args);
    const int n = _vscwprintf(lpszFormat, measure);
    va_end(measure);
    if (n <= 0)
        return;
    const size_t old = m_str.size();
    m_str.resize(old + static_cast<size_t>(n) + 1);
    _vsnwprintf(&m_str[old], static_cast<size_t>(n) + 1, lpszFormat, args);
    m_str.resize(old + static_cast<size_t>(n));
}

void AFX_CDECL CString::FormatMessageRaw(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatMessageV(lpszFormat, &args);
    va_end(args);
}

void CString::FormatMessageV(LPCTSTR lpszFormat, va_list* pArgList)
{
    m_str.clear();
    if (!lpszFormat || !*lpszFormat)
        return;
    LPWSTR buffer = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, lpszFormat, 0, 0,
                                     reinterpret_cast<LPWSTR>(&buffer), 0, pArgList);
    if (buffer)
    {
        m_str.assign(buffer, n);
        LocalFree(buffer);
    }
}

BOOL CString::LoadString(UINT nID)
{
    std::wstring text;
    if (!LoadResourceString(nID, text))
        return FALSE;
    m_str.swap(text);
    return TRUE;
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    std::wstring text;
    if (!LoadFromModule(hInstance, nID, text))
        return FALSE;
    m_str.swap(text);
    return TRUE;
}

BSTR CString::AllocSysString() const
{
    const BSTR bstr = SysAllocStringLen(m_str.c_str(), static_cast<UINT>(m_str.size()));
    if (!bstr)
        AfxThrowMemoryException();
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    if (!pbstr)
        AfxThrowInvalidArgException();
    if (!SysReAllocStringLen(pbstr, m_str.c_str(), static_cast<UINT>(m_str.size())))
        AfxThrowMemoryException();
    return *pbstr;
}

BOOL CString::GetEnvironmentVariable(LPCTSTR pszVar)
{
    m_str.clear();
    if (!pszVar)
        return FALSE;
    const DWORD n = ::GetEnvironmentVariableW(pszVar, NULL, 0);
    if (n == 0)
        return FALSE;
    m_str.resize(n);
    const DWORD got = ::GetEnvironmentVariableW(pszVar, &m_str[0], n);
    m_str.resize(got < n ? got : 0);
    return TRUE;
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, LPCTSTR b)
{
    CString r(a);
    r.Append(b);
    return r;
}

CString operator+(LPCTSTR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, wchar_t b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(wchar_t a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

bool operator==(const CString& a, const CString& b)
{
    return a.Str() == b.Str();
}
bool operator==(const CString& a, LPCTSTR b)
{
    return a.Compare(b) == 0;
}
bool operator==(LPCTSTR a, const CString& b)
{
    return b.Compare(a) == 0;
}
bool operator!=(const CString& a, const CString& b)
{
    return !(a == b);
}
bool operator!=(const CString& a, LPCTSTR b)
{
    return !(a == b);
}
bool operator!=(LPCTSTR a, const CString& b)
{
    return !(a == b);
}
bool operator<(const CString& a, const CString& b)
{
    return a.Compare(b) < 0;
}
bool operator<(const CString& a, LPCTSTR b)
{
    return a.Compare(b) < 0;
}
bool operator>(const CString& a, const CString& b)
{
    return a.Compare(b) > 0;
}
bool operator>(const CString& a, LPCTSTR b)
{
    return a.Compare(b) > 0;
}
bool operator<=(const CString& a, const CString& b)
{
    return a.Compare(b) <= 0;
}
bool operator>=(const CString& a, const CString& b)
{
    return a.Compare(b) >= 0;
}

CStringA::CStringA(LPCSTR lpch, int nLength)
{
    if (lpch && nLength > 0)
        m_str.assign(lpch, static_cast<size_t>(nLength));
}

CStringA::CStringA(LPCWSTR lpsz) : m_str(Narrow(lpsz, -1, CP_ACP))
{
}

char CStringA::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
        AfxThrowInvalidArgException();
    return m_str.c_str()[nIndex];
}

LPSTR CStringA::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength), '\0');
    return &m_str[0];
}

void CStringA::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(strnlen(m_str.c_str(), m_str.size()));
    if (nNewLength < GetLength())
        m_str.resize(static_cast<size_t>(nNewLength));
}

void AFX_CDECL CStringA::FormatRaw(LPCSTR lpszFormat, ...)
{
    m_str.clear();
    if (!lpszFormat)
        return;
    va_list args;
    va_start(args, lpszFormat);
    va_list measure;
    va_copy(measure, args);
    const int n = _vscprintf(lpszFormat, measure);
    va_end(measure);
    if (n > 0)
    {
        m_str.resize(static_cast<size_t>(n) + 1);
        _vsnprintf(&m_str[0], static_cast<size_t>(n) + 1, lpszFormat, args);
        m_str.resize(static_cast<size_t>(n));
    }
    va_end(args);
}

int CStringA::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const size_t pos = m_str.find(ch, static_cast<size_t>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CStringA::Compare(LPCSTR lpsz) const
{
    return strcmp(m_str.c_str(), lpsz ? lpsz : "");
}

CW2A::CW2A(LPCWSTR psz, UINT nCodePage) : m_str(Narrow(psz, -1, nCodePage))
{
}

CA2W::CA2W(LPCSTR psz, UINT nCodePage) : m_str(Widen(psz, -1, nCodePage))
{
}
