// Exceptions are thrown as heap pointers and caught as pointers:
//     try { ... } catch (CException* e) { e->Delete(); }
#pragma once

#include "Object.h"
#include "String.h"

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    // Frees the exception unless it is a shared, preallocated one.
    void Delete();

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;

    BOOL m_bAutoDelete;
};

// An exception with a fixed message resource id; the framework throws shared,
// preallocated instances of some of them.
class CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE, UINT nResourceID = 0)
        : CException(bAutoDelete), m_nResourceID(nResourceID)
    {
    }

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

protected:
    virtual LPCTSTR DefaultMessage() const { return L"An unsupported operation was attempted."; }
    UINT m_nResourceID = 0;
};

class CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    using CSimpleException::CSimpleException;

protected:
    LPCTSTR DefaultMessage() const override { return L"Out of memory."; }
};

class CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    using CSimpleException::CSimpleException;
};

class CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    using CSimpleException::CSimpleException;

protected:
    LPCTSTR DefaultMessage() const override { return L"Encountered an improper argument."; }
};

class CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    using CSimpleException::CSimpleException;

protected:
    LPCTSTR DefaultMessage() const override { return L"A required resource was unavailable."; }
};

// Thrown to end an operation the user cancelled after being told why.
class CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    using CSimpleException::CSimpleException;

protected:
    LPCTSTR DefaultMessage() const override { return L"The operation was cancelled."; }
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull,
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = NULL);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = NULL);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    static int PASCAL OsErrorToException(LONG lOsError);
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    static SCODE PASCAL Process(const CException* pAnyException);

    SCODE m_sc;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);

// Throws COleException when hr is a failure code.
void AFXAPI AfxCheckError(SCODE sc);

// A hook asked before each allocation of the program's operator new; when
// it answers FALSE the allocation fails (a CMemoryException), which lets a
// test run the paths that handle running out of memory. Returns the old hook.
typedef BOOL(AFXAPI* AFX_ALLOC_HOOK)(size_t nSize, BOOL bObject, LONG lRequestNumber);
AFX_ALLOC_HOOK AFXAPI AfxSetAllocHook(AFX_ALLOC_HOOK pfnAllocHook);

// Only inside a catch block: the exception being handled as a framework
// exception, which the caller reports and deletes. A CException* is itself;
// std::bad_alloc is the memory exception; any other exception becomes one
// that reports what it says (std::exception) or an unknown error.
CException* AFXAPI AfxExceptionFromCurrent();
