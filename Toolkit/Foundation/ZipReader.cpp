#include "ZipReader.h"

#include <zlib.h>

#include <cstring>
#include <memory>
#include <vector>

namespace
{
constexpr DWORD kLocalHeaderSignature = 0x04034B50;
constexpr DWORD kCentralHeaderSignature = 0x02014B50;
constexpr DWORD kEndRecordSignature = 0x06054B50;
constexpr DWORD kLocalHeaderSize = 30;
constexpr DWORD kCentralHeaderSize = 46;
constexpr DWORD kEndRecordSize = 22;
constexpr DWORD kInputBufferSize = 16384;
constexpr DWORD kMaxCommentSearch = 0xFFFF;
// 1 January 1970 as a FILETIME.
constexpr ULONGLONG kUnixEpoch = 116444736000000000ull;

// The archive block, read little-endian; a read past its end fails.
struct MemorySource
{
    const BYTE* pData = nullptr;
    DWORD nLength = 0;

    bool Read(ULONGLONG nPosition, void* pOut, DWORD nBytes) const
    {
        if (nPosition > nLength || nBytes > nLength - nPosition)
            return false;
        std::memcpy(pOut, pData + nPosition, nBytes);
        return true;
    }
    bool ReadWord(ULONGLONG nPosition, WORD* pValue) const
    {
        BYTE b[2];
        if (!Read(nPosition, b, 2))
            return false;
        *pValue = static_cast<WORD>(b[0] | (b[1] << 8));
        return true;
    }
    bool ReadDword(ULONGLONG nPosition, DWORD* pValue) const
    {
        BYTE b[4];
        if (!Read(nPosition, b, 4))
            return false;
        *pValue = static_cast<DWORD>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<DWORD>(b[3]) << 24));
        return true;
    }
};

struct CentralHeader
{
    WORD nVersionMadeBy = 0;
    WORD nVersionNeeded = 0;
    WORD nFlags = 0;
    WORD nMethod = 0;
    DWORD dwDosDateTime = 0;
    DWORD dwCrc = 0;
    DWORD nCompressedSize = 0;
    DWORD nUncompressedSize = 0;
    WORD nNameLength = 0;
    WORD nExtraLength = 0;
    WORD nCommentLength = 0;
    WORD nDiskStart = 0;
    WORD nInternalAttributes = 0;
    DWORD dwExternalAttributes = 0;
    DWORD nLocalHeaderOffset = 0;
};

struct LocalLayout
{
    ULONGLONG nExtraOffset = 0;
    WORD nExtraLength = 0;
    ULONGLONG nDataOffset = 0;
};

// Traditional PKWARE decryption keys.
struct CryptKeys
{
    DWORD k[3] = {0x12345678, 0x23456789, 0x34567890};

    static DWORD CrcStep(DWORD crc, BYTE b)
    {
        const z_crc_t* pTable = get_crc_table();
        return static_cast<DWORD>(pTable[(crc ^ b) & 0xFF]) ^ (crc >> 8);
    }
    void Update(BYTE b)
    {
        k[0] = CrcStep(k[0], b);
        k[1] = (k[1] + (k[0] & 0xFF)) * 134775813 + 1;
        k[2] = CrcStep(k[2], static_cast<BYTE>(k[1] >> 24));
    }
    BYTE Decrypt(BYTE c)
    {
        const WORD t = static_cast<WORD>((k[2] & 0xFFFF) | 2);
        const BYTE p = static_cast<BYTE>(c ^ ((t * (t ^ 1)) >> 8));
        Update(p);
        return p;
    }
};

struct ZipEntryStream
{
    BYTE input[kInputBufferSize];
    z_stream zs{};
    ULONGLONG nPosition = 0;
    DWORD dwRunningCrc = 0;
    DWORD dwExpectedCrc = 0;
    DWORD nCompressedLeft = 0;
    DWORD nUncompressedLeft = 0;
    WORD nMethod = 0;
    bool bInflateReady = false;
    bool bEncrypted = false;
    CryptKeys keys;
    int nHeaderBytesLeft = 0;
    BYTE nCheckByte = 0;
};

enum class ReadStatus
{
    more,
    ended,
    failed,
    badPassword
};

bool IsSeparator(WCHAR c)
{
    return c == L'\\' || c == L'/';
}

// Cuts every part of a stored name that could reach outside the folder the
// entry is unpacked into: a drive, leading separators and ".." steps.
CString SafeEntryName(const CString& strStored)
{
    CString str = strStored;
    for (;;)
    {
        if (str.GetLength() >= 2 && str[1] == L':')
            str = str.Mid(2);
        else if (!str.IsEmpty() && IsSeparator(str[0]))
            str = str.Mid(1);
        else if (str.GetLength() >= 3 && str[0] == L'.' && str[1] == L'.' && IsSeparator(str[2]))
            str = str.Mid(2);
        else
        {
            int nFound = -1;
            for (int i = 0; i + 3 < str.GetLength(); ++i)
                if (IsSeparator(str[i]) && str[i + 1] == L'.' && str[i + 2] == L'.' && IsSeparator(str[i + 3]))
                {
                    nFound = i;
                    break;
                }
            if (nFound < 0)
                break;
            str = str.Mid(nFound + 3);
        }
    }
    return str.Left(MAX_PATH - 1);
}

FILETIME FileTimeFromUnix(DWORD nSeconds)
{
    const ULONGLONG n = static_cast<ULONGLONG>(nSeconds) * 10000000ull + kUnixEpoch;
    FILETIME ft{};
    ft.dwLowDateTime = static_cast<DWORD>(n);
    ft.dwHighDateTime = static_cast<DWORD>(n >> 32);
    return ft;
}
}  // namespace

class CZipReader
{
public:
    explicit CZipReader(const char* pszPassword)
    {
        if (pszPassword)
            m_strPassword = pszPassword;
    }
    ~CZipReader() { CloseEntry(); }

    DWORD Open(const void* pData, DWORD nSize);
    DWORD Find(LPCWSTR lpszName, BOOL bIgnoreCase, int* pnIndex, ZipReaderEntry* pEntry);
    DWORD Describe(int nIndex, ZipReaderEntry* pEntry);
    DWORD Unzip(int nIndex, void* pBuffer, DWORD nLength);

private:
    bool GoToFirst();
    bool GoToNext();
    bool GoTo(int nIndex);
    bool ReadCentralHeader();
    bool ReadStoredName(char* pBuffer, DWORD nBuffer, DWORD* pnLength) const;
    bool CheckLocalHeader(LocalLayout* pLayout) const;
    bool OpenEntry();
    ReadStatus ReadEntry(BYTE* pBuffer, DWORD nLength, DWORD* pnProduced);
    bool CloseEntry();

    MemorySource m_source;
    DWORD m_nEntries = 0;
    DWORD m_nCentralOffset = 0;
    DWORD m_nCentralSize = 0;
    DWORD m_nBytesBefore = 0;
    DWORD m_nCurrent = 0;
    ULONGLONG m_nCentralPosition = 0;
    bool m_bCurrentValid = false;
    CentralHeader m_header;
    std::unique_ptr<ZipEntryStream> m_pStream;
    int m_nOpenIndex = -1;
    int m_nCachedIndex = -1;
    ZipReaderEntry m_cached{};
    CStringA m_strPassword;
};

DWORD CZipReader::Open(const void* pData, DWORD nSize)
{
    m_source.pData = static_cast<const BYTE*>(pData);
    m_source.nLength = nSize;
    if (!pData || nSize < kEndRecordSize)
        return kZipCannotOpen;

    // The end record lies within the last 64 KB (its comment is at most
    // 65,535 bytes); the one nearest the end wins.
    const DWORD nLowest = nSize > kMaxCommentSearch ? nSize - kMaxCommentSearch : 0;
    ULONGLONG nRecord = 0;
    bool bFound = false;
    for (DWORD p = nSize - 4;; --p)
    {
        DWORD dwSignature = 0;
        if (m_source.ReadDword(p, &dwSignature) && dwSignature == kEndRecordSignature)
        {
            nRecord = p;
            bFound = true;
            break;
        }
        if (p == nLowest)
            break;
    }
    if (!bFound)
        return kZipCannotOpen;

    WORD nDisk = 0, nCentralDisk = 0, nEntriesHere = 0, nEntriesTotal = 0, nCommentLength = 0;
    if (!m_source.ReadWord(nRecord + 4, &nDisk) || !m_source.ReadWord(nRecord + 6, &nCentralDisk) ||
        !m_source.ReadWord(nRecord + 8, &nEntriesHere) || !m_source.ReadWord(nRecord + 10, &nEntriesTotal) ||
        !m_source.ReadDword(nRecord + 12, &m_nCentralSize) || !m_source.ReadDword(nRecord + 16, &m_nCentralOffset) ||
        !m_source.ReadWord(nRecord + 20, &nCommentLength))
        return kZipCannotOpen;
    if (nDisk != 0 || nCentralDisk != 0 || nEntriesHere != nEntriesTotal)
        return kZipCannotOpen;
    const ULONGLONG nCentralEnd = static_cast<ULONGLONG>(m_nCentralOffset) + m_nCentralSize;
    if (nRecord < nCentralEnd)
        return kZipCannotOpen;
    m_nBytesBefore = static_cast<DWORD>(nRecord - nCentralEnd);
    m_nEntries = nEntriesTotal;
    GoToFirst();
    return kZipOk;
}

bool CZipReader::ReadCentralHeader()
{
    const ULONGLONG p = m_nCentralPosition + m_nBytesBefore;
    DWORD dwSignature = 0;
    CentralHeader h;
    const bool bRead = m_source.ReadDword(p, &dwSignature) && dwSignature == kCentralHeaderSignature &&
                       m_source.ReadWord(p + 4, &h.nVersionMadeBy) && m_source.ReadWord(p + 6, &h.nVersionNeeded) &&
                       m_source.ReadWord(p + 8, &h.nFlags) && m_source.ReadWord(p + 10, &h.nMethod) &&
                       m_source.ReadDword(p + 12, &h.dwDosDateTime) && m_source.ReadDword(p + 16, &h.dwCrc) &&
                       m_source.ReadDword(p + 20, &h.nCompressedSize) &&
                       m_source.ReadDword(p + 24, &h.nUncompressedSize) && m_source.ReadWord(p + 28, &h.nNameLength) &&
                       m_source.ReadWord(p + 30, &h.nExtraLength) && m_source.ReadWord(p + 32, &h.nCommentLength) &&
                       m_source.ReadWord(p + 34, &h.nDiskStart) && m_source.ReadWord(p + 36, &h.nInternalAttributes) &&
                       m_source.ReadDword(p + 38, &h.dwExternalAttributes) &&
                       m_source.ReadDword(p + 42, &h.nLocalHeaderOffset);
    // The name, extra field and comment must lie inside the block.
    if (!bRead || p + kCentralHeaderSize + h.nNameLength + h.nExtraLength + h.nCommentLength > m_source.nLength)
        return false;
    m_header = h;
    return true;
}

bool CZipReader::GoToFirst()
{
    m_nCurrent = 0;
    m_nCentralPosition = m_nCentralOffset;
    m_bCurrentValid = m_nEntries > 0 && ReadCentralHeader();
    return m_bCurrentValid;
}

bool CZipReader::GoToNext()
{
    if (!m_bCurrentValid || m_nCurrent + 1 >= m_nEntries)
        return false;
    m_nCentralPosition += kCentralHeaderSize + m_header.nNameLength + m_header.nExtraLength + m_header.nCommentLength;
    ++m_nCurrent;
    m_bCurrentValid = ReadCentralHeader();
    return m_bCurrentValid;
}

bool CZipReader::GoTo(int nIndex)
{
    if (nIndex < 0 || static_cast<DWORD>(nIndex) >= m_nEntries)
        return false;
    if (!m_bCurrentValid || static_cast<DWORD>(nIndex) < m_nCurrent)
    {
        if (!GoToFirst())
            return false;
    }
    while (m_nCurrent < static_cast<DWORD>(nIndex))
        if (!GoToNext())
            return false;
    return m_bCurrentValid;
}

bool CZipReader::ReadStoredName(char* pBuffer, DWORD nBuffer, DWORD* pnLength) const
{
    const DWORD nLength = m_header.nNameLength < nBuffer ? m_header.nNameLength : nBuffer - 1;
    if (!m_source.Read(m_nCentralPosition + m_nBytesBefore + kCentralHeaderSize, pBuffer, nLength))
        return false;
    pBuffer[nLength] = 0;
    *pnLength = m_header.nNameLength;
    return true;
}

bool CZipReader::CheckLocalHeader(LocalLayout* pLayout) const
{
    const ULONGLONG p = static_cast<ULONGLONG>(m_header.nLocalHeaderOffset) + m_nBytesBefore;
    DWORD dwSignature = 0, dwCrc = 0, nCompressed = 0, nUncompressed = 0;
    WORD nFlags = 0, nMethod = 0, nNameLength = 0, nExtraLength = 0;
    if (!m_source.ReadDword(p, &dwSignature) || dwSignature != kLocalHeaderSignature ||
        !m_source.ReadWord(p + 6, &nFlags) || !m_source.ReadWord(p + 8, &nMethod) ||
        !m_source.ReadDword(p + 14, &dwCrc) || !m_source.ReadDword(p + 18, &nCompressed) ||
        !m_source.ReadDword(p + 22, &nUncompressed) || !m_source.ReadWord(p + 26, &nNameLength) ||
        !m_source.ReadWord(p + 28, &nExtraLength))
        return false;
    if (nMethod != m_header.nMethod || (nMethod != 0 && nMethod != Z_DEFLATED))
        return false;
    const bool bDescriptor = (m_header.nFlags & 8) != 0;
    if (!bDescriptor && (dwCrc != m_header.dwCrc || nCompressed != m_header.nCompressedSize ||
                         nUncompressed != m_header.nUncompressedSize))
        return false;
    if (nNameLength != m_header.nNameLength)
        return false;
    // A stored entry holds exactly its bytes.
    if (nMethod == 0 && m_header.nCompressedSize != m_header.nUncompressedSize + ((m_header.nFlags & 1) ? 12u : 0u))
        return false;
    pLayout->nExtraOffset = m_header.nLocalHeaderOffset + kLocalHeaderSize + nNameLength;
    pLayout->nExtraLength = nExtraLength;
    pLayout->nDataOffset = pLayout->nExtraOffset + nExtraLength;
    // The name, extra field and data must lie inside the block.
    return pLayout->nDataOffset + m_nBytesBefore + m_header.nCompressedSize <= m_source.nLength;
}

DWORD CZipReader::Find(LPCWSTR lpszName, BOOL bIgnoreCase, int* pnIndex, ZipReaderEntry* pEntry)
{
    *pnIndex = -1;
    if (pEntry)
    {
        std::memset(pEntry, 0, sizeof(*pEntry));
        pEntry->nIndex = -1;
    }
    char szWanted[MAX_PATH + 1] = {};
    const int nWanted =
        lpszName ? ::WideCharToMultiByte(CP_UTF8, 0, lpszName, -1, szWanted, MAX_PATH, nullptr, nullptr) : 0;
    if (nWanted <= 0 || nWanted - 1 >= 256)
        return kZipNotFound;
    const DWORD nWantedLength = static_cast<DWORD>(nWanted - 1);

    const DWORD nWasCurrent = m_nCurrent;
    for (bool bMore = GoToFirst(); bMore; bMore = GoToNext())
    {
        char szStored[256] = {};
        DWORD nStored = 0;
        if (!ReadStoredName(szStored, sizeof(szStored), &nStored) || nStored != nWantedLength)
            continue;
        bool bSame = true;
        for (DWORD i = 0; i < nStored && bSame; ++i)
        {
            char a = szStored[i], b = szWanted[i];
            if (bIgnoreCase)
            {
                if (a >= 'a' && a <= 'z')
                    a = static_cast<char>(a - 'a' + 'A');
                if (b >= 'a' && b <= 'z')
                    b = static_cast<char>(b - 'a' + 'A');
            }
            bSame = a == b;
        }
        if (!bSame)
            continue;
        CloseEntry();
        *pnIndex = static_cast<int>(m_nCurrent);
        return pEntry ? Describe(*pnIndex, pEntry) : kZipOk;
    }
    GoTo(static_cast<int>(nWasCurrent));
    return kZipNotFound;
}

DWORD CZipReader::Describe(int nIndex, ZipReaderEntry* pEntry)
{
    if (nIndex < -1 || (nIndex >= 0 && static_cast<DWORD>(nIndex) >= m_nEntries))
        return kZipBadArguments;
    CloseEntry();
    if (nIndex == -1)
    {
        std::memset(pEntry, 0, sizeof(*pEntry));
        pEntry->nIndex = static_cast<int>(m_nEntries);
        return kZipOk;
    }
    if (nIndex == m_nCachedIndex)
    {
        *pEntry = m_cached;
        return kZipOk;
    }
    if (!GoTo(nIndex))
        return kZipCorrupt;
    char szStored[MAX_PATH] = {};
    DWORD nStored = 0;
    LocalLayout layout;
    if (!ReadStoredName(szStored, sizeof(szStored), &nStored) || !CheckLocalHeader(&layout))
        return kZipCorrupt;
    std::vector<BYTE> extra(layout.nExtraLength);
    if (layout.nExtraLength && !m_source.Read(layout.nExtraOffset + m_nBytesBefore, extra.data(), layout.nExtraLength))
        return kZipReadError;

    ZipReaderEntry entry{};
    entry.nIndex = nIndex;
    WCHAR szWide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_UTF8, 0, szStored, -1, szWide, MAX_PATH - 1);
    lstrcpynW(entry.szName, SafeEntryName(szWide), MAX_PATH);

    const BYTE nHost = static_cast<BYTE>(m_header.nVersionMadeBy >> 8);
    const DWORD dwExternal = m_header.dwExternalAttributes;
    bool bReadOnly, bHidden = false, bSystem = false, bDirectory, bArchive;
    if (nHost == 0 || nHost == 7 || nHost == 11 || nHost == 14)
    {
        bReadOnly = (dwExternal & 0x01) != 0;
        bHidden = (dwExternal & 0x02) != 0;
        bSystem = (dwExternal & 0x04) != 0;
        bDirectory = (dwExternal & 0x10) != 0;
        bArchive = (dwExternal & 0x20) != 0;
    }
    else
    {
        bDirectory = (dwExternal & 0x40000000) != 0;
        bReadOnly = (dwExternal & 0x00800000) == 0;
        bArchive = true;
    }
    entry.dwAttributes = (bDirectory ? FILE_ATTRIBUTE_DIRECTORY : 0) | (bArchive ? FILE_ATTRIBUTE_ARCHIVE : 0) |
                         (bHidden ? FILE_ATTRIBUTE_HIDDEN : 0) | (bReadOnly ? FILE_ATTRIBUTE_READONLY : 0) |
                         (bSystem ? FILE_ATTRIBUTE_SYSTEM : 0);

    // DOS date and time: the month is stored 1 to 12, as SYSTEMTIME counts it.
    const DWORD dt = m_header.dwDosDateTime;
    SYSTEMTIME st{};
    st.wSecond = static_cast<WORD>((dt & 31) * 2);
    st.wMinute = static_cast<WORD>((dt >> 5) & 63);
    st.wHour = static_cast<WORD>((dt >> 11) & 31);
    st.wDay = static_cast<WORD>((dt >> 16) & 31);
    st.wMonth = static_cast<WORD>((dt >> 21) & 15);
    st.wYear = static_cast<WORD>(1980 + ((dt >> 25) & 127));
    FILETIME ftLocal{}, ft{};
    if (::SystemTimeToFileTime(&st, &ftLocal) && ::LocalFileTimeToFileTime(&ftLocal, &ft))
        entry.ftLastAccess = entry.ftCreation = entry.ftLastWrite = ft;

    for (size_t i = 0; i + 5 <= extra.size();)
    {
        const WORD nTag = static_cast<WORD>(extra[i] | (extra[i + 1] << 8));
        const WORD nSize = static_cast<WORD>(extra[i + 2] | (extra[i + 3] << 8));
        const size_t nData = i + 4;
        if (nTag == 0x5455)  // "UT"
        {
            const size_t nEnd = nData + nSize < extra.size() ? nData + nSize : extra.size();
            const BYTE nFlags = extra[nData];
            size_t q = nData + 1;
            auto takeTime = [&](FILETIME* pTime)
            {
                if (q + 4 > nEnd)
                    return;
                *pTime = FileTimeFromUnix(static_cast<DWORD>(extra[q] | (extra[q + 1] << 8) | (extra[q + 2] << 16) |
                                                             (static_cast<DWORD>(extra[q + 3]) << 24)));
                q += 4;
            };
            if (nFlags & 1)
                takeTime(&entry.ftLastWrite);
            if (nFlags & 2)
                takeTime(&entry.ftLastAccess);
            if (nFlags & 4)
                takeTime(&entry.ftCreation);
            break;
        }
        i = nData + nSize;
    }
    entry.nCompressedSize = m_header.nCompressedSize;
    entry.nUncompressedSize = m_header.nUncompressedSize;
    m_cached = entry;
    m_nCachedIndex = nIndex;
    *pEntry = entry;
    return kZipOk;
}

bool CZipReader::OpenEntry()
{
    if (!m_bCurrentValid)
        return false;
    CloseEntry();
    LocalLayout layout;
    if (!CheckLocalHeader(&layout))
        return false;
    std::unique_ptr<ZipEntryStream> pStream(new (std::nothrow) ZipEntryStream);
    if (!pStream)
        return false;
    pStream->dwExpectedCrc = m_header.dwCrc;
    pStream->nCompressedLeft = m_header.nCompressedSize;
    pStream->nUncompressedLeft = m_header.nUncompressedSize;
    pStream->nMethod = m_header.nMethod;
    if (pStream->nMethod == Z_DEFLATED)
        pStream->bInflateReady = inflateInit2(&pStream->zs, -MAX_WBITS) == Z_OK;
    pStream->bEncrypted = (m_header.nFlags & 1) != 0;
    pStream->nCheckByte = (m_header.nFlags & 8) ? static_cast<BYTE>(m_header.dwDosDateTime >> 8)
                                                : static_cast<BYTE>(m_header.dwCrc >> 24);
    for (int i = 0; i < m_strPassword.GetLength(); ++i)
        pStream->keys.Update(static_cast<BYTE>(m_strPassword[i]));
    pStream->nHeaderBytesLeft = pStream->bEncrypted ? 12 : 0;
    pStream->nPosition = layout.nDataOffset;
    m_pStream = std::move(pStream);
    return true;
}

ReadStatus CZipReader::ReadEntry(BYTE* pBuffer, DWORD nLength, DWORD* pnProduced)
{
    *pnProduced = 0;
    ZipEntryStream& s = *m_pStream;
    if (nLength > s.nUncompressedLeft)
        nLength = s.nUncompressedLeft;
    if (nLength == 0)
        return ReadStatus::failed;
    if (s.nMethod == Z_DEFLATED && !s.bInflateReady)
        return ReadStatus::failed;

    s.zs.next_out = pBuffer;
    s.zs.avail_out = nLength;
    while (s.zs.avail_out > 0)
    {
        if (s.zs.avail_in == 0 && s.nCompressedLeft > 0)
        {
            const DWORD nChunk = s.nCompressedLeft < kInputBufferSize ? s.nCompressedLeft : kInputBufferSize;
            if (!m_source.Read(s.nPosition + m_nBytesBefore, s.input, nChunk))
                return ReadStatus::failed;
            s.nPosition += nChunk;
            s.nCompressedLeft -= nChunk;
            if (s.bEncrypted)
                for (DWORD i = 0; i < nChunk; ++i)
                    s.input[i] = s.keys.Decrypt(s.input[i]);
            s.zs.next_in = s.input;
            s.zs.avail_in = nChunk;
        }
        while (s.nHeaderBytesLeft > 0 && s.zs.avail_in > 0)
        {
            const BYTE b = *s.zs.next_in++;
            --s.zs.avail_in;
            if (--s.nHeaderBytesLeft == 0 && b != s.nCheckByte)
                return ReadStatus::badPassword;
        }
        if (s.zs.avail_in == 0 && s.nCompressedLeft == 0 && s.nHeaderBytesLeft == 0 && s.nMethod == 0)
            return ReadStatus::failed;  // the data ended before the entry's size
        if (s.zs.avail_in == 0 && s.nCompressedLeft > 0)
            continue;

        BYTE* pBefore = s.zs.next_out;
        if (s.nMethod == Z_DEFLATED)
        {
            const int nResult = inflate(&s.zs, Z_SYNC_FLUSH);
            const DWORD nMade = static_cast<DWORD>(s.zs.next_out - pBefore);
            s.dwRunningCrc = crc32(s.dwRunningCrc, pBefore, nMade);
            s.nUncompressedLeft -= nMade;
            *pnProduced += nMade;
            if (nResult == Z_STREAM_END || s.nUncompressedLeft == 0)
                return ReadStatus::ended;
            if (nResult != Z_OK)
                return ReadStatus::failed;
            if (nMade == 0 && s.zs.avail_in == 0 && s.nCompressedLeft == 0)
                return ReadStatus::failed;  // compressed data ran out early
        }
        else
        {
            const DWORD nCopy = s.zs.avail_out < s.zs.avail_in ? s.zs.avail_out : s.zs.avail_in;
            std::memcpy(s.zs.next_out, s.zs.next_in, nCopy);
            s.zs.next_out += nCopy;
            s.zs.avail_out -= nCopy;
            s.zs.next_in += nCopy;
            s.zs.avail_in -= nCopy;
            s.dwRunningCrc = crc32(s.dwRunningCrc, pBefore, nCopy);
            s.nUncompressedLeft -= nCopy;
            *pnProduced += nCopy;
            if (s.nUncompressedLeft == 0)
                return ReadStatus::ended;
        }
    }
    return ReadStatus::more;
}

// False when the whole entry was produced and its checksum does not match.
bool CZipReader::CloseEntry()
{
    if (!m_pStream)
        return true;
    if (m_pStream->bInflateReady)
        inflateEnd(&m_pStream->zs);
    const bool bCrcOk = m_pStream->nUncompressedLeft != 0 || m_pStream->dwRunningCrc == m_pStream->dwExpectedCrc;
    m_pStream.reset();
    m_nOpenIndex = -1;
    return bCrcOk;
}

DWORD CZipReader::Unzip(int nIndex, void* pBuffer, DWORD nLength)
{
    if (m_pStream && m_nOpenIndex != nIndex)
        CloseEntry();
    if (nIndex < 0 || static_cast<DWORD>(nIndex) >= m_nEntries || (!pBuffer && nLength))
        return kZipBadArguments;
    if (!m_pStream)
    {
        LocalLayout layout;
        if (!GoTo(nIndex))
            return kZipInflateError;
        if (!CheckLocalHeader(&layout))
            return kZipCorrupt;
        if (!OpenEntry())
            return kZipInflateError;
        m_nOpenIndex = nIndex;
    }
    DWORD nProduced = 0;
    const ReadStatus status = ReadEntry(static_cast<BYTE*>(pBuffer), nLength, &nProduced);
    if (status == ReadStatus::more && nProduced > 0)
        return kZipMoreData;
    // Data that ends before the size its headers claim is damaged too.
    const bool bShort = m_pStream->nUncompressedLeft != 0;
    const bool bCrcOk = CloseEntry();
    if (status == ReadStatus::badPassword)
        return kZipBadPassword;
    if (status != ReadStatus::ended)
        return kZipInflateError;
    // Damaged data that still inflates is caught by its checksum.
    return bCrcOk && !bShort ? kZipOk : kZipCorrupt;
}

ZipReaderHandle* AFX_CDECL OpenZipReaderFromMemory(const void* pData, DWORD nSize, const char* pszPassword)
{
    std::unique_ptr<CZipReader> pReader(new (std::nothrow) CZipReader(pszPassword));
    if (!pReader || pReader->Open(pData, nSize) != kZipOk)
        return nullptr;
    ZipReaderHandle* hZip = new (std::nothrow) ZipReaderHandle{1, pReader.get()};
    if (hZip)
        pReader.release();
    return hZip;
}

DWORD AFX_CDECL FindZipReaderItem(ZipReaderHandle* hZip, LPCWSTR lpszName, BOOL bIgnoreCase, int* pnIndex,
                                  ZipReaderEntry* pEntry)
{
    if (!hZip || !pnIndex)
        return kZipBadArguments;
    if (hZip->dwKind != 1)
        return kZipNotReader;
    return hZip->pReader->Find(lpszName, bIgnoreCase, pnIndex, pEntry);
}

DWORD AFX_CDECL GetZipReaderItem(ZipReaderHandle* hZip, int nIndex, ZipReaderEntry* pEntry)
{
    if (!hZip || !pEntry)
        return kZipBadArguments;
    if (hZip->dwKind != 1)
        return kZipNotReader;
    return hZip->pReader->Describe(nIndex, pEntry);
}

DWORD AFX_CDECL UnzipReaderItemToMemory(ZipReaderHandle* hZip, int nIndex, void* pBuffer, DWORD nLength)
{
    if (!hZip)
        return kZipBadArguments;
    if (hZip->dwKind != 1)
        return kZipNotReader;
    return hZip->pReader->Unzip(nIndex, pBuffer, nLength);
}

DWORD AFX_CDECL CloseZipReader(ZipReaderHandle* hZip)
{
    if (!hZip)
        return kZipBadArguments;
    if (hZip->dwKind != 1)
        return kZipNotReader;
    delete hZip->pReader;
    delete hZip;
    return kZipOk;
}

DWORD AFX_CDECL ExtractZipReaderItemText(ZipReaderHandle* hZip, LPCWSTR lpszName, CStringA& strText)
{
    strText.Empty();
    int nIndex = -1;
    ZipReaderEntry entry{};
    const DWORD nFound = FindZipReaderItem(hZip, lpszName, TRUE, &nIndex, &entry);
    if (nFound != kZipOk)
        return nFound;
    // Checked before the size + 1 allocation, which would wrap near 4 GB.
    if (entry.nUncompressedSize > kMaxZipItemText)
        return kZipCorrupt;
    std::vector<char> buffer(entry.nUncompressedSize + 1, 0);
    const DWORD nResult = UnzipReaderItemToMemory(hZip, nIndex, buffer.data(), entry.nUncompressedSize);
    if (nResult == kZipOk)
        strText = CStringA(buffer.data(), static_cast<int>(entry.nUncompressedSize));
    return nResult;
}
