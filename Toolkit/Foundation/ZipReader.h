// A small reader of ZIP archives held in memory (stored and deflated entries,
// through zlib's raw inflate), which the themes use to take single markup
// texts out of their packed styles. Every operation answers a result code.
#pragma once

#include "Framework.h"

enum ZipReaderResult : DWORD
{
    kZipOk = 0,
    kZipCannotOpen = 0x200,
    kZipNotFound = 0x500,
    kZipMoreData = 0x600,
    kZipCorrupt = 0x700,
    kZipReadError = 0x800,
    kZipBadPassword = 0x1000,
    kZipBadArguments = 0x10000,
    kZipNotReader = 0x80000,
    kZipAlreadyOpen = 0x1000000,
    kZipInflateError = 0x5000000,
};

// The description of one entry; index -1 describes the archive (its index
// field is then the number of entries).
struct ZipReaderEntry
{
    int nIndex;
    WCHAR szName[MAX_PATH];
    DWORD dwAttributes;
    FILETIME ftLastAccess;
    FILETIME ftCreation;
    FILETIME ftLastWrite;
    DWORD nCompressedSize;
    DWORD nUncompressedSize;
};

class CZipReader;

struct ZipReaderHandle
{
    DWORD dwKind;  // 1: a reader
    CZipReader* pReader;
};

// The block must stay valid until CloseZipReader. Null when the archive
// cannot be opened.
ZipReaderHandle* AFX_CDECL OpenZipReaderFromMemory(const void* pData, DWORD nSize, const char* pszPassword);
DWORD AFX_CDECL FindZipReaderItem(ZipReaderHandle* hZip, LPCWSTR lpszName, BOOL bIgnoreCase, int* pnIndex,
                                  ZipReaderEntry* pEntry);
// Describes the entry of that index (-1: the archive).
DWORD AFX_CDECL GetZipReaderItem(ZipReaderHandle* hZip, int nIndex, ZipReaderEntry* pEntry);
// Fills the buffer from the entry: kZipOk when the entry ended inside it,
// kZipMoreData when it filled first (the next call goes on from there).
DWORD AFX_CDECL UnzipReaderItemToMemory(ZipReaderHandle* hZip, int nIndex, void* pBuffer, DWORD nLength);
DWORD AFX_CDECL CloseZipReader(ZipReaderHandle* hZip);

// The largest entry that ExtractZipReaderItemText takes out whole.
constexpr DWORD kMaxZipItemText = 16 * 1024 * 1024;
// A whole entry found by name (case ignored) as bytes followed by one zero;
// an entry larger than kMaxZipItemText is refused (kZipCorrupt) before
// anything is allocated for it.
DWORD AFX_CDECL ExtractZipReaderItemText(ZipReaderHandle* hZip, LPCWSTR lpszName, CStringA& strText);
