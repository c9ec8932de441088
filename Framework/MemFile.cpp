#include "Framework.h"

#include <algorithm>
#include <string.h>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    Close();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (!lpBuffer && nBufferSize != 0)
        AfxThrowInvalidArgException();
    Close();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nFileSize = (nGrowBytes == 0) ? nBufferSize : 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* const lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return lpBuffer;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = 0;
    switch (nFrom)
    {
    case begin:
        base = 0;
        break;
    case current:
        base = static_cast<LONGLONG>(m_nPosition);
        break;
    case end:
        base = static_cast<LONGLONG>(m_nFileSize);
        break;
    default:
        AfxThrowInvalidArgException();
    }
    const LONGLONG newPos = base + lOff;
    if (newPos < 0 || static_cast<ULONGLONG>(newPos) > SIZE_MAX)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = static_cast<SIZE_T>(newPos);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > SIZE_MAX)
        AfxThrowMemoryException();
    const SIZE_T newLen = static_cast<SIZE_T>(dwNewLen);
    if (newLen > m_nBufferSize)
        GrowFile(newLen);
    if (newLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, newLen - m_nFileSize);
    if (newLen < m_nPosition)
        m_nPosition = newLen;
    m_nFileSize = newLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (!lpBuf)
        AfxThrowInvalidArgException();
    const SIZE_T n = std::min<SIZE_T>(nCount, m_nFileSize - m_nPosition);
    Memcpy(static_cast<BYTE*>(lpBuf), m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (!lpBuf)
        AfxThrowInvalidArgException();
    if (nCount > SIZE_MAX - m_nPosition)
        AfxThrowMemoryException();
    const SIZE_T newEnd = m_nPosition + nCount;
    if (newEnd > m_nBufferSize)
        GrowFile(newEnd);
    // Bytes skipped by a seek past the end read back as zeros.
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    Memcpy(m_lpBuffer + m_nPosition, static_cast<const BYTE*>(lpBuf), nCount);
    m_nPosition = newEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

void CMemFile::Close()
{
    if (m_lpBuffer && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(realloc(lpMem, nBytes));
}

BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes)
{
    return static_cast<BYTE*>(memmove(lpMemTarget, lpMemSource, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    free(lpMem);
}

// A block that is not ours is never reallocated: the file moves to a new
// block of its own and the caller's block stays as it was.
void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    // The block at least doubles, so writing a large archive piece by piece
    // copies each byte a few times rather than once per step; the size stays
    // a multiple of the step.
    SIZE_T newSize = m_nBufferSize > SIZE_MAX / 2 ? SIZE_MAX : m_nBufferSize * 2;
    if (newSize < dwNewLen)
        newSize = dwNewLen;
    const SIZE_T nRemainder = newSize % m_nGrowBytes;
    if (nRemainder != 0)
    {
        if (newSize > SIZE_MAX - (m_nGrowBytes - nRemainder))
            AfxThrowMemoryException();
        newSize += m_nGrowBytes - nRemainder;
    }
    BYTE* pNew = nullptr;
    if (m_lpBuffer && m_bAutoDelete)
    {
        pNew = Realloc(m_lpBuffer, newSize);
    }
    else
    {
        pNew = Alloc(newSize);
        if (pNew && m_lpBuffer)
            Memcpy(pNew, m_lpBuffer, m_nFileSize);
    }
    if (!pNew)
        AfxThrowMemoryException();
    m_lpBuffer = pNew;
    m_nBufferSize = newSize;
    m_bAutoDelete = TRUE;
}
