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

const std::wstring& CString::EmptyText()
{
    static const std::wstring empty;
    return empty;
}

std::wstring& CString::W()
{
    if (!m_data)
        m_data = std::make_shared<std::wstring>();
    else if (m_data.use_count() > 1)
        m_data = std::make_shared<std::wstring>(*m_data);
    return *m_data;
}

std::shared_ptr<std::wstring> CString::ShareableData() const
{
    if (m_bufferOut && m_data)
        return std::make_shared<std::wstring>(*m_data);
    return m_data;
}

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
        W().assign(lpch, static_cast<size_t>(nLength));
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        W().assign(static_cast<size_t>(nRepeat), ch);
}

CString::CString(const CStringA& str)
    : m_data(std::make_shared<std::wstring>(Widen(str.GetString(), str.GetLength(), CP_ACP)))
{
}

CString& CString::operator=(LPCWSTR lpsz)
{
    if (!lpsz)
    {
        Empty();
    }
    else if (IS_INTRESOURCE(lpsz))
    {
        Empty();
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpsz)));
    }
    else
    {
        W() = lpsz;
    }
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    if (!lpsz)
    {
        Empty();
    }
    else if (IS_INTRESOURCE(lpsz))
    {
        Empty();
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpsz)));
    }
    else
    {
        W() = Widen(lpsz, -1, CP_ACP);
    }
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    W().assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
        AfxThrowInvalidArgException();
    return S().c_str()[nIndex];  // the terminator at GetLength() reads as 0
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    W()[static_cast<size_t>(nIndex)] = ch;
}

LPTSTR CString::GetBuffer()
{
    m_bufferOut = true;
    return &W()[0];
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        W().resize(static_cast<size_t>(nMinBufLength), L'\0');
    m_bufferOut = true;
    return &W()[0];
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    W().resize(static_cast<size_t>(std::max(nNewLength, 0)), L'\0');
    m_bufferOut = true;
    return &W()[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    m_bufferOut = false;
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(S().c_str(), S().size()));
    Truncate(nNewLength);
}

void CString::ReleaseBufferSetLength(int nNewLength)
{
    m_bufferOut = false;
    W().resize(static_cast<size_t>(std::max(nNewLength, 0)), L'\0');
}

void CString::Preallocate(int nLength)
{
    if (nLength > 0)
        W().reserve(static_cast<size_t>(nLength));
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength >= 0 && nNewLength < GetLength())
        W().resize(static_cast<size_t>(nNewLength));
}

CString& CString::operator+=(LPCWSTR lpsz)
{
    W() += Safe(lpsz);
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    W() += Widen(lpsz, -1, CP_ACP);
    return *this;
}

void CString::Append(LPCTSTR lpsz)
{
    W() += Safe(lpsz);
}

void CString::Append(LPCTSTR lpsz, int nLength)
{
    if (lpsz && nLength > 0)
        W().append(lpsz, static_cast<size_t>(nLength));
}

int CString::Compare(LPCTSTR lpsz) const
{
    return wcscmp(S().c_str(), Safe(lpsz));
}

int CString::CompareNoCase(LPCTSTR lpsz) const
{
    return _wcsicmp(S().c_str(), Safe(lpsz));
}

int CString::Collate(LPCTSTR lpsz) const
{
    return wcscoll(S().c_str(), Safe(lpsz));
}

int CString::CollateNoCase(LPCTSTR lpsz) const
{
    return _wcsicoll(S().c_str(), Safe(lpsz));
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
    return CString(S().substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
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
    return Left(static_cast<int>(wcsspn(S().c_str(), Safe(lpszCharSet))));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    return Left(static_cast<int>(wcscspn(S().c_str(), Safe(lpszCharSet))));
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
    const LPCWSTR p = S().c_str();
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
    const size_t pos = S().find(ch, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    if (!lpszSub || nStart < 0 || nStart > GetLength())
        return -1;
    const size_t pos = S().find(lpszSub, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    if (!lpszCharSet || !*lpszCharSet)
        return -1;
    const size_t pos = S().find_first_of(lpszCharSet);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t pos = S().rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString& CString::MakeUpper()
{
    if (!W().empty())
        CharUpperBuffW(&W()[0], static_cast<DWORD>(W().size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!W().empty())
        CharLowerBuffW(&W()[0], static_cast<DWORD>(W().size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(W().begin(), W().end());
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
    while (n < S().size() && iswspace(S()[n]))
        ++n;
    if (n)
        W().erase(0, n);
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
    while (n < S().size() && IsIn(S()[n], lpszTargets))
        ++n;
    if (n)
        W().erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = S().size();
    while (n > 0 && iswspace(S()[n - 1]))
        --n;
    Truncate(static_cast<int>(n));
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    const wchar_t set[] = {chTarget, L'\0'};
    return TrimRight(set);
}

CString& CString::TrimRight(LPCTSTR lpszTargets)
{
    size_t n = S().size();
    while (n > 0 && IsIn(S()[n - 1], lpszTargets))
        --n;
    Truncate(static_cast<int>(n));
    return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    if (chOld == chNew || S().find(chOld) == std::wstring::npos)
        return 0;
    int count = 0;
    for (wchar_t& ch : W())
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
    for (size_t pos; (pos = S().find(oldText, from)) != std::wstring::npos; from = pos + oldText.size())
    {
        out.append(S(), from, pos - from);
        out += newText;
        ++count;
    }
    if (count)
    {
        out.append(S(), from, std::wstring::npos);
        W().swap(out);
    }
    return count;
}

int CString::Remove(wchar_t chRemove)
{
    if (S().find(chRemove) == std::wstring::npos)
        return 0;
    const size_t before = W().size();
    W().erase(std::remove(W().begin(), W().end(), chRemove), W().end());
    return static_cast<int>(before - W().size());
}

int CString::Insert(int nIndex, wchar_t ch)
{
    nIndex = std::min(std::max(nIndex, 0), GetLength());
    W().insert(static_cast<size_t>(nIndex), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCTSTR psz)
{
    nIndex = std::min(std::max(nIndex, 0), GetLength());
    W().insert(static_cast<size_t>(nIndex), Safe(psz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    nIndex = std::max(nIndex, 0);
    if (nCount > 0 && nIndex < GetLength())
        W().erase(static_cast<size_t>(nIndex), static_cast<size_t>(nCount));
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
    Empty();
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
    const size_t old = W().size();
    W().resize(old + static_cast<size_t>(n) + 1);
    _vsnwprintf(&W()[old], static_cast<size_t>(n) + 1, lpszFormat, args);
    W().resize(old + static_cast<size_t>(n));
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
    Empty();
    if (!lpszFormat || !*lpszFormat)
        return;
    LPWSTR buffer = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, lpszFormat, 0, 0,
                                     reinterpret_cast<LPWSTR>(&buffer), 0, pArgList);
    if (buffer)
    {
        W().assign(buffer, n);
        LocalFree(buffer);
    }
}

BOOL CString::LoadString(UINT nID)
{
    std::wstring text;
    if (!LoadResourceString(nID, text))
        return FALSE;
    W().swap(text);
    return TRUE;
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    std::wstring text;
    if (!LoadFromModule(hInstance, nID, text))
        return FALSE;
    W().swap(text);
    return TRUE;
}

BSTR CString::AllocSysString() const
{
    const BSTR bstr = SysAllocStringLen(S().c_str(), static_cast<UINT>(S().size()));
    if (!bstr)
        AfxThrowMemoryException();
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    if (!pbstr)
        AfxThrowInvalidArgException();
    if (!SysReAllocStringLen(pbstr, S().c_str(), static_cast<UINT>(S().size())))
        AfxThrowMemoryException();
    return *pbstr;
}

BOOL CString::GetEnvironmentVariable(LPCTSTR pszVar)
{
    Empty();
    if (!pszVar)
        return FALSE;
    const DWORD n = ::GetEnvironmentVariableW(pszVar, NULL, 0);
    if (n == 0)
        return FALSE;
    W().resize(n);
    const DWORD got = ::GetEnvironmentVariableW(pszVar, &W()[0], n);
    W().resize(got < n ? got : 0);
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
    // Copies share one buffer, so most equal pairs are found without reading the text.
    return &a.Str() == &b.Str() || a.Str() == b.Str();
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
