#include "Foundation/ZipMemFile.h"

#include <cstdlib>

CLVKZipMemFile::~CLVKZipMemFile()
{
    Close();
}

void CLVKZipMemFile::AttachBuffer(BYTE* pBuffer, UINT nSize, BOOL bOwned)
{
    Attach(pBuffer, nSize, 0);
    m_bAutoDelete = bOwned;
}

bool CLVKZipMemFile::AttachFileContents(LPCTSTR pszFileName)
{
    CFile file;
    if (!pszFileName || !file.Open(pszFileName, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    const ULONGLONG nLength = file.GetLength();
    if (nLength > 0x7FFFFFFF)
        return false;
    const UINT nSize = static_cast<UINT>(nLength);
    BYTE* pBuffer = static_cast<BYTE*>(malloc(nSize ? nSize : 1));
    if (!pBuffer)
        return false;
    UINT nRead = 0;
    try
    {
        nRead = nSize ? file.Read(pBuffer, nSize) : 0;
    }
    catch (...)
    {
        free(pBuffer);
        throw;
    }
    // A file that shrank while being read keeps only what was read.
    AttachBuffer(pBuffer, nRead, TRUE);
    return true;
}

BYTE* CLVKZipMemFile::DetachBuffer(UINT& nSize)
{
    nSize = static_cast<UINT>(GetPosition());
    return Detach();
}
