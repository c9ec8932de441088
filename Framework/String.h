// CString, the framework's UTF-16 string, and a minimal narrow CStringA.
#pragma once

#include "AfxBase.h"

#include <memory>
#include <string>

// Format's arguments pass through this first: framework strings become their
// text, so Format(L"%s", str) works although a class object cannot travel
// through "..." itself (the compiler would pass its address).
template <class T>
const T& AfxFormatArg(const T& value)
{
    return value;
}

class CString
{
public:
    CString() = default;
    CString(const CString& other) : m_data(other.ShareableData()) {}
    CString(CString&& other) noexcept : m_data(std::move(other.m_data)), m_bufferOut(other.m_bufferOut)
    {
        other.m_bufferOut = false;
    }
    // A MAKEINTRESOURCE id loads that string resource; NULL gives "".
    CString(LPCWSTR lpsz);
    CString(LPCSTR lpsz);
    CString(LPCWSTR lpch, int nLength);
    explicit CString(wchar_t ch, int nRepeat = 1);
    CString(const CStringA& str);
    explicit CString(const std::wstring& str) : m_data(std::make_shared<std::wstring>(str)) {}

    CString& operator=(const CString& other)
    {
        if (this != &other)
        {
            m_data = other.ShareableData();
            m_bufferOut = false;
        }
        return *this;
    }
    CString& operator=(CString&& other) noexcept
    {
        if (this != &other)
        {
            m_data = std::move(other.m_data);
            m_bufferOut = other.m_bufferOut;
            other.m_bufferOut = false;
        }
        return *this;
    }
    CString& operator=(LPCWSTR lpsz);
    CString& operator=(LPCSTR lpsz);
    CString& operator=(wchar_t ch);

    int GetLength() const { return static_cast<int>(S().size()); }
    BOOL IsEmpty() const { return S().empty(); }
    void Empty()
    {
        m_data.reset();
        m_bufferOut = false;
    }
    LPCTSTR GetString() const { return S().c_str(); }
    operator LPCTSTR() const { return S().c_str(); }
    const std::wstring& Str() const { return S(); }

    wchar_t GetAt(int nIndex) const;
    void SetAt(int nIndex, wchar_t ch);
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }

    // The buffer holds at least nMinBufLength characters and a terminator;
    // ReleaseBuffer(-1) takes the length up to the first zero.
    LPTSTR GetBuffer();
    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    void Preallocate(int nLength);
    void FreeExtra() { W().shrink_to_fit(); }
    void Truncate(int nNewLength);

    CString& operator+=(const CString& str)
    {
        if (IsEmpty() && !m_bufferOut)
            return *this = str;  // shares the other buffer instead of copying it
        W() += str.S();
        return *this;
    }
    CString& operator+=(LPCWSTR lpsz);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(wchar_t ch)
    {
        W() += ch;
        return *this;
    }
    void Append(LPCTSTR lpsz);
    void Append(LPCTSTR lpsz, int nLength);
    void Append(const CString& str) { *this += str; }
    void AppendChar(wchar_t ch) { W() += ch; }

    int Compare(LPCTSTR lpsz) const;
    int CompareNoCase(LPCTSTR lpsz) const;
    int Collate(LPCTSTR lpsz) const;
    int CollateNoCase(LPCTSTR lpsz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;
    CString Tokenize(LPCTSTR pszTokens, int& iStart) const;

    int Find(wchar_t ch, int nStart = 0) const;
    int Find(LPCTSTR lpszSub, int nStart = 0) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;
    int ReverseFind(wchar_t ch) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCTSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCTSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCTSTR lpszTargets);

    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(wchar_t chRemove);
    int Insert(int nIndex, wchar_t ch);
    int Insert(int nIndex, LPCTSTR psz);
    int Delete(int nIndex, int nCount = 1);

    // printf-style formatting with the Windows meaning of %s (a wide string).
    template <class... Args>
    void Format(LPCTSTR lpszFormat, const Args&... args)
    {
        FormatRaw(lpszFormat, AfxFormatArg(args)...);
    }
    template <class... Args>
    void Format(UINT nFormatID, const Args&... args)
    {
        FormatRaw(LoadFormat(nFormatID), AfxFormatArg(args)...);
    }
    template <class... Args>
    void AppendFormat(LPCTSTR lpszFormat, const Args&... args)
    {
        AppendFormatRaw(lpszFormat, AfxFormatArg(args)...);
    }
    template <class... Args>
    void AppendFormat(UINT nFormatID, const Args&... args)
    {
        AppendFormatRaw(LoadFormat(nFormatID), AfxFormatArg(args)...);
    }
    void FormatV(LPCTSTR lpszFormat, va_list args);
    void AppendFormatV(LPCTSTR lpszFormat, va_list args);
    // FormatMessage inserts (%1, %2!d!, ...).
    template <class... Args>
    void FormatMessage(LPCTSTR lpszFormat, const Args&... args)
    {
        FormatMessageRaw(lpszFormat, AfxFormatArg(args)...);
    }
    template <class... Args>
    void FormatMessage(UINT nFormatID, const Args&... args)
    {
        FormatMessageRaw(LoadFormat(nFormatID), AfxFormatArg(args)...);
    }
    void FormatMessageV(LPCTSTR lpszFormat, va_list* pArgList);

    // Loads from AfxGetResourceHandle(); FALSE (and unchanged) when missing.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;
    BOOL GetEnvironmentVariable(LPCTSTR pszVar);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCTSTR b);
    friend CString operator+(LPCTSTR a, const CString& b);
    friend CString operator+(const CString& a, wchar_t b);
    friend CString operator+(wchar_t a, const CString& b);

private:
    static CString LoadFormat(UINT nFormatID);
    void AFX_CDECL FormatRaw(LPCTSTR lpszFormat, ...);
    void AFX_CDECL AppendFormatRaw(LPCTSTR lpszFormat, ...);
    void AFX_CDECL FormatMessageRaw(LPCTSTR lpszFormat, ...);

    // Copies share one buffer and the first change to a shared buffer makes a
    // private copy, so passing captions around and storing them in lists and
    // sort keys does not allocate. A buffer handed out by GetBuffer may still be
    // written through its pointer, so it is not shared again until released.
    const std::wstring& S() const { return m_data ? *m_data : EmptyText(); }
    std::wstring& W();
    std::shared_ptr<std::wstring> ShareableData() const;
    static const std::wstring& EmptyText();

    std::shared_ptr<std::wstring> m_data;
    bool m_bufferOut = false;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCTSTR b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCTSTR b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);

typedef CString CStringW;

// Narrow string, kept to what conversions and narrow APIs need.
class CStringA
{
public:
    CStringA() = default;
    CStringA(LPCSTR lpsz) : m_str(lpsz ? lpsz : "") {}
    CStringA(LPCSTR lpch, int nLength);
    CStringA(LPCWSTR lpsz);  // converted through the ANSI code page
    CStringA(const CString& str) : CStringA(str.GetString()) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    LPCSTR GetString() const { return m_str.c_str(); }
    operator LPCSTR() const { return m_str.c_str(); }
    char GetAt(int nIndex) const;

    LPSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

    CStringA& operator+=(LPCSTR lpsz)
    {
        m_str += lpsz ? lpsz : "";
        return *this;
    }
    CStringA& operator+=(char ch)
    {
        m_str += ch;
        return *this;
    }
    template <class... Args>
    void Format(LPCSTR lpszFormat, const Args&... args)
    {
        FormatRaw(lpszFormat, AfxFormatArg(args)...);
    }
    int Find(char ch, int nStart = 0) const;
    int Compare(LPCSTR lpsz) const;

    friend bool operator==(const CStringA& a, LPCSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(const CStringA& a, const CStringA& b) { return a.m_str == b.m_str; }
    friend bool operator!=(const CStringA& a, LPCSTR b) { return a.Compare(b) != 0; }

private:
    void AFX_CDECL FormatRaw(LPCSTR lpszFormat, ...);

    std::string m_str;
};

inline LPCWSTR AfxFormatArg(const CString& value)
{
    return value.GetString();
}

inline LPCSTR AfxFormatArg(const CStringA& value)
{
    return value.GetString();
}

// Conversions between wide and narrow text, valid while the object lives.
class CW2A
{
public:
    explicit CW2A(LPCWSTR psz, UINT nCodePage = CP_ACP);
    operator LPSTR() const { return const_cast<LPSTR>(m_str.c_str()); }

private:
    std::string m_str;
};

class CA2W
{
public:
    explicit CA2W(LPCSTR psz, UINT nCodePage = CP_ACP);
    operator LPWSTR() const { return const_cast<LPWSTR>(m_str.c_str()); }

private:
    std::wstring m_str;
};

typedef CW2A CT2A;
typedef CA2W CA2T;
