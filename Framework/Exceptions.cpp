#include "Framework.h"

#include <exception>
#include <new>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace
{
void CopyMessage(LPTSTR lpszError, UINT nMaxError, LPCTSTR lpszText)
{
    if (!lpszError || nMaxError == 0)
        return;
    lstrcpynW(lpszError, lpszText ? lpszText : L"", static_cast<int>(nMaxError));
}

// Puts the file name (or "an unnamed file") into a message with one %s.
void FormatWithName(LPTSTR lpszError, UINT nMaxError, LPCTSTR lpszFormat, LPCWSTR lpszName)
{
    if (!lpszError || nMaxError == 0)
        return;
    const LPCWSTR name = (lpszName && *lpszName) ? lpszName : L"an unnamed file";
    _snwprintf(lpszError, nMaxError, lpszFormat, name);
    lpszError[nMaxError - 1] = L'\0';
}
}  // namespace

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    CopyMessage(lpszError, nMaxError, L"");
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    WCHAR text[512] = {};
    if (!GetErrorMessage(text, _countof(text)) || !text[0])
    {
        CString fallback;
        if (nMessageID && fallback.LoadString(nMessageID))
            lstrcpynW(text, fallback, _countof(text));
        else
            lstrcpynW(text, L"An unknown error has occurred.", _countof(text));
    }
    return MessageBoxW(GetActiveWindow(), text, AfxGetAppName(), nType);
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    CString text;
    if (!m_nResourceID || !text.LoadString(m_nResourceID))
        text = DefaultMessage();
    CopyMessage(lpszError, nMaxError, text);
    return TRUE;
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    static const LPCWSTR messages[] = {
        L"No error occurred while accessing %s.",
        L"An unknown error occurred while accessing %s.",
        L"Attempted to write to %s, which was opened for reading.",
        L"Attempted to read past the end of %s.",
        L"Attempted to read from %s, which was opened for writing.",
        L"%s has a bad format.",
        L"%s contains an unexpected object.",
        L"%s contains an incorrect schema.",
        L"The archive buffer of %s is full.",
    };
    const int cause = (m_cause >= 0 && m_cause < static_cast<int>(_countof(messages))) ? m_cause : genericException;
    FormatWithName(lpszError, nMaxError, messages[cause], m_strFileName);
    return TRUE;
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    static const LPCWSTR messages[] = {
        L"No error occurred while accessing %s.",
        L"An unknown error occurred while accessing %s.",
        L"%s was not found.",
        L"%s contains an incorrect path.",
        L"%s could not be opened because there are too many open files.",
        L"Access to %s was denied.",
        L"An incorrect file handle was associated with %s.",
        L"%s could not be removed because it is the current directory.",
        L"%s could not be created because the directory is full.",
        L"Seek failed on %s.",
        L"A hardware I/O error was reported while accessing %s.",
        L"A sharing violation occurred while accessing %s.",
        L"A locking violation occurred while accessing %s.",
        L"Disk full while accessing %s.",
        L"An attempt was made to access %s past its end.",
    };
    const int cause = (m_cause >= 0 && m_cause < static_cast<int>(_countof(messages))) ? m_cause : genericException;
    FormatWithName(lpszError, nMaxError, messages[cause], m_strFileName);
    return TRUE;
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return badSeek;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_GEN_FAILURE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                   static_cast<DWORD>(m_sc), 0, lpszError, nMaxError, NULL);
    if (n == 0)
        _snwprintf(lpszError, nMaxError, L"OLE error 0x%08lX.", static_cast<unsigned long>(m_sc));
    lpszError[nMaxError - 1] = L'\0';
    return TRUE;
}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (!pAnyException)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CInvalidArgException)))
        return E_INVALIDARG;
    return E_UNEXPECTED;
}

namespace
{
// A C++ exception that is not the framework's, reported as the framework
// reports its own. Its text is kept in the object: nothing to allocate.
class CForeignException : public CException
{
public:
    explicit CForeignException(const char* pszWhat)
    {
        if (pszWhat && *pszWhat)
        {
            WCHAR szWhat[200] = {};
            if (!::MultiByteToWideChar(CP_UTF8, 0, pszWhat, -1, szWhat, _countof(szWhat)))
                ::MultiByteToWideChar(CP_ACP, 0, pszWhat, -1, szWhat, _countof(szWhat));
            szWhat[_countof(szWhat) - 1] = L'\0';
            _snwprintf(m_szMessage, _countof(m_szMessage), L"An unexpected error has occurred: %ls", szWhat);
            m_szMessage[_countof(m_szMessage) - 1] = L'\0';
        }
    }

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const override
    {
        if (pnHelpContext)
            *pnHelpContext = 0;
        CopyMessage(lpszError, nMaxError, m_szMessage);
        return m_szMessage[0] != L'\0';
    }

private:
    WCHAR m_szMessage[256] = {};
};
}  // namespace

CException* AFXAPI AfxExceptionFromCurrent()
{
    static CMemoryException s_outOfMemory(FALSE);
    try
    {
        throw;
    }
    catch (CException* e)
    {
        return e;
    }
    catch (const std::bad_alloc&)
    {
        return &s_outOfMemory;
    }
    catch (const std::exception& e)
    {
        CException* pForeign = new (std::nothrow) CForeignException(e.what());
        return pForeign ? pForeign : &s_outOfMemory;
    }
    catch (...)
    {
        CException* pForeign = new (std::nothrow) CForeignException(nullptr);
        return pForeign ? pForeign : &s_outOfMemory;
    }
}

// Running out of memory must not need memory: the memory exception is one
// shared object that Delete leaves alone.
void AFXAPI AfxThrowMemoryException()
{
    static CMemoryException s_memoryException(FALSE);
    throw static_cast<CMemoryException*>(&s_memoryException);
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException();
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException();
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException();
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

void AFXAPI AfxCheckError(SCODE sc)
{
    if (sc == E_OUTOFMEMORY)
        AfxThrowMemoryException();
    if (FAILED(sc))
        AfxThrowOleException(sc);
}

// The program's allocations report failure the framework's way, as a
// CMemoryException*, so one catch clause covers every framework failure.
// An installed new-handler still gets its chance to free memory first.
namespace
{
volatile AFX_ALLOC_HOOK g_pfnAllocHook = nullptr;
volatile LONG g_nAllocRequest = 0;

void* AllocateOrThrow(size_t size)
{
    if (const AFX_ALLOC_HOOK pfnHook = g_pfnAllocHook)
    {
        if (!pfnHook(size, TRUE, ::InterlockedIncrement(&g_nAllocRequest)))
            AfxThrowMemoryException();
    }
    if (size == 0)
        size = 1;
    for (;;)
    {
        if (void* p = malloc(size))
            return p;
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            AfxThrowMemoryException();
        handler();
    }
}
}  // namespace

AFX_ALLOC_HOOK AFXAPI AfxSetAllocHook(AFX_ALLOC_HOOK pfnAllocHook)
{
    return reinterpret_cast<AFX_ALLOC_HOOK>(::InterlockedExchangePointer(
        reinterpret_cast<void* volatile*>(&g_pfnAllocHook), reinterpret_cast<void*>(pfnAllocHook)));
}

void* operator new(size_t size)
{
    return AllocateOrThrow(size);
}

void* operator new[](size_t size)
{
    return AllocateOrThrow(size);
}

void operator delete(void* p) noexcept
{
    free(p);
}

void operator delete[](void* p) noexcept
{
    free(p);
}

void operator delete(void* p, size_t) noexcept
{
    free(p);
}

void operator delete[](void* p, size_t) noexcept
{
    free(p);
}
