// The records of an icon directory as Windows stores them, at the start of an
// .ico file and in an RT_GROUP_ICON resource: a 6-byte header, then one entry
// per picture. The two kinds of entry differ only in how they find the picture.
#pragma once

#include "Framework.h"

#include <cstring>

// The header's type of an icon directory (a cursor directory has 2).
constexpr WORD kIconDirectoryTypeIcon = 1;

// The stored records have no padding: a group entry is 14 bytes, so packing
// to 2 keeps its DWORD where the resource has it.
#pragma pack(push, 2)
// Reserved (0), type (1 for icons) and the number of entries that follow.
struct LVKIconDirectoryHeader
{
    WORD wReserved;
    WORD wType;
    WORD wCount;
};

// An entry of an RT_GROUP_ICON resource: the picture is the RT_ICON resource
// with the id nID in the same module.
struct LVKGroupIconEntry
{
    BYTE bWidth;
    BYTE bHeight;
    BYTE bColorCount;
    BYTE bReserved;
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwBytesInRes;
    WORD nID;
};
#pragma pack(pop)

// An entry of an .ico file: the picture's bytes lie dwImageOffset bytes from
// the start of the file.
struct LVKIconFileEntry
{
    BYTE bWidth;
    BYTE bHeight;
    BYTE bColorCount;
    BYTE bReserved;
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwBytesInRes;
    DWORD dwImageOffset;
};

static_assert(sizeof(LVKIconDirectoryHeader) == 6, "the icon directory header is 6 bytes");
static_assert(sizeof(LVKGroupIconEntry) == 14, "the group icon entry is 14 bytes");
static_assert(sizeof(LVKIconFileEntry) == 16, "the .ico directory entry is 16 bytes");

// An RT_GROUP_ICON resource read in place: its entries, the count its header
// claims and how many whole entries its bytes really hold (a damaged resource
// may claim more).
struct LVKGroupIconDirectory
{
    const LVKGroupIconEntry* pEntries = nullptr;
    WORD nClaimed = 0;
    DWORD nPresent = 0;
};

// Reads the directory of an RT_GROUP_ICON resource of nSize bytes; false when
// the data is missing or shorter than the header.
inline bool ReadGroupIconDirectory(const BYTE* pData, DWORD nSize, LVKGroupIconDirectory& directory)
{
    if (!pData || nSize < sizeof(LVKIconDirectoryHeader))
        return false;
    LVKIconDirectoryHeader header{};
    std::memcpy(&header, pData, sizeof(header));
    directory.pEntries = reinterpret_cast<const LVKGroupIconEntry*>(pData + sizeof(LVKIconDirectoryHeader));
    directory.nClaimed = header.wCount;
    directory.nPresent = (nSize - sizeof(LVKIconDirectoryHeader)) / sizeof(LVKGroupIconEntry);
    return true;
}
