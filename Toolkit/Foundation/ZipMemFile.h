// The memory file in which the command bars keep a saved layout: built over
// an existing block, filled from a file, or handed out as a block. The bytes
// are kept as they are (no compression, no header).
#pragma once

#include "Framework.h"

class CLVKZipMemFile : public CMemFile
{
public:
    // Empty and growable.
    CLVKZipMemFile() : CMemFile(1024) {}
    // Over the caller's block, which stays the caller's.
    CLVKZipMemFile(BYTE* pBuffer, UINT nSize) : CMemFile(pBuffer, nSize, 0) {}
    ~CLVKZipMemFile() override;

    // An owned block must come from malloc.
    void AttachBuffer(BYTE* pBuffer, UINT nSize, BOOL bOwned);
    // The whole file, read into a block of its own; false when it cannot be opened.
    bool AttachFileContents(LPCTSTR pszFileName);
    // The block, up to the current position (the end, after writing); the
    // caller frees it with free().
    BYTE* DetachBuffer(UINT& nSize);
};
