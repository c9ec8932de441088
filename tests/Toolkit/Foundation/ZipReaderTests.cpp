// The in-memory ZIP reader: archives built here byte by byte (so that each
// damaged field is set on purpose), and the packed styles resource.
#include "Foundation/PackedStyles.h"
#include "Foundation/ZipReader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace
{

typedef std::vector<unsigned char> Bytes;

void Put16(Bytes& b, unsigned v)
{
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}

void Put32(Bytes& b, unsigned long v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, (v >> 16) & 0xFFFF);
}

void Set32(Bytes& b, size_t at, unsigned long v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

void Set16(Bytes& b, size_t at, unsigned v)
{
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}

Bytes RawDeflate(const std::string& text)
{
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&zs, text.size()) + 16);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    zs.avail_in = static_cast<uInt>(text.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

struct Entry
{
    std::string name;
    std::string text;
    unsigned method = 8;
    unsigned versionMadeBy = 0x0014;  // MS-DOS host
    unsigned long external = 0x20;
    unsigned long dosDateTime = (40ul << 25) | (6ul << 21) | (15ul << 16) | (12u << 11) | (30u << 5);
    Bytes localExtra;
};

// Offsets of the fields a test damages.
struct Built
{
    Bytes bytes;
    std::vector<size_t> local;    // local header of each entry
    std::vector<size_t> central;  // central header of each entry
    size_t endRecord = 0;
};

Built BuildArchive(const std::vector<Entry>& entries, size_t prefix = 0, size_t commentLength = 0)
{
    Built b;
    b.bytes.assign(prefix, 'x');
    std::vector<Bytes> data;
    for (const Entry& e : entries)
    {
        data.push_back(e.method == 8 ? RawDeflate(e.text) : Bytes(e.text.begin(), e.text.end()));
        const unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(e.text.data()), e.text.size());
        b.local.push_back(b.bytes.size());
        Put32(b.bytes, 0x04034B50);
        Put16(b.bytes, 20);
        Put16(b.bytes, 0);
        Put16(b.bytes, e.method);
        Put32(b.bytes, e.dosDateTime);
        Put32(b.bytes, crc);
        Put32(b.bytes, data.back().size());
        Put32(b.bytes, e.text.size());
        Put16(b.bytes, e.name.size());
        Put16(b.bytes, e.localExtra.size());
        b.bytes.insert(b.bytes.end(), e.name.begin(), e.name.end());
        b.bytes.insert(b.bytes.end(), e.localExtra.begin(), e.localExtra.end());
        b.bytes.insert(b.bytes.end(), data.back().begin(), data.back().end());
    }
    const size_t centralStart = b.bytes.size();
    for (size_t i = 0; i < entries.size(); ++i)
    {
        const Entry& e = entries[i];
        const unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(e.text.data()), e.text.size());
        b.central.push_back(b.bytes.size());
        Put32(b.bytes, 0x02014B50);
        Put16(b.bytes, e.versionMadeBy);
        Put16(b.bytes, 20);
        Put16(b.bytes, 0);
        Put16(b.bytes, e.method);
        Put32(b.bytes, e.dosDateTime);
        Put32(b.bytes, crc);
        Put32(b.bytes, data[i].size());
        Put32(b.bytes, e.text.size());
        Put16(b.bytes, e.name.size());
        Put16(b.bytes, 0);
        Put16(b.bytes, 0);
        Put16(b.bytes, 0);
        Put16(b.bytes, 0);
        Put32(b.bytes, e.external);
        Put32(b.bytes, b.local[i] - prefix);
        b.bytes.insert(b.bytes.end(), e.name.begin(), e.name.end());
    }
    const size_t centralSize = b.bytes.size() - centralStart;
    b.endRecord = b.bytes.size();
    Put32(b.bytes, 0x06054B50);
    Put16(b.bytes, 0);
    Put16(b.bytes, 0);
    Put16(b.bytes, entries.size());
    Put16(b.bytes, entries.size());
    Put32(b.bytes, centralSize);
    Put32(b.bytes, centralStart - prefix);
    Put16(b.bytes, commentLength);
    b.bytes.insert(b.bytes.end(), commentLength, 'c');
    return b;
}

const std::string kLongText = std::string(3000, 'a') + "middle" + std::string(3000, 'z');

std::vector<Entry> ThreeEntries()
{
    Entry folder;
    folder.name = "Frame/";
    folder.method = 0;
    folder.external = 0x10;
    Entry small;
    small.name = "Frame/BorderTop.xaml";
    small.text = "<Border/>";
    Entry large;
    large.name = "RibbonTabNormal.xaml";
    large.text = kLongText;
    return {folder, small, large};
}

// Opens, finds by name and unpacks the whole entry into a buffer of its size.
DWORD UnpackByName(const Bytes& archive, const char* pszName, std::string* pText = nullptr)
{
    ZipReaderHandle* h = OpenZipReaderFromMemory(archive.data(), static_cast<DWORD>(archive.size()), nullptr);
    if (!h)
        return kZipCannotOpen;
    int nIndex = -1;
    ZipReaderEntry entry{};
    DWORD nResult = FindZipReaderItem(h, CString(pszName), TRUE, &nIndex, &entry);
    if (nResult == kZipOk)
    {
        std::string buffer(entry.nUncompressedSize, '\0');
        nResult = UnzipReaderItemToMemory(h, nIndex, &buffer[0], entry.nUncompressedSize);
        if (pText)
            *pText = buffer;
    }
    CloseZipReader(h);
    return nResult;
}

}  // namespace

TEST(ZipReader, GoodArchiveUnpacksEveryEntry)
{
    const Built b = BuildArchive(ThreeEntries());
    std::string text;
    EXPECT_EQ(kZipOk, UnpackByName(b.bytes, "Frame/BorderTop.xaml", &text));
    EXPECT_EQ("<Border/>", text);
    EXPECT_EQ(kZipOk, UnpackByName(b.bytes, "RibbonTabNormal.xaml", &text));
    EXPECT_TRUE(text == kLongText);

    ZipReaderHandle* h = OpenZipReaderFromMemory(b.bytes.data(), static_cast<DWORD>(b.bytes.size()), nullptr);
    ASSERT_NE(nullptr, h);
    ZipReaderEntry archive{};
    ASSERT_EQ(kZipOk, GetZipReaderItem(h, -1, &archive));
    EXPECT_EQ(3, archive.nIndex) << "index -1 describes the archive with its entry count";
    EXPECT_EQ(kZipBadArguments, GetZipReaderItem(h, 3, &archive));
    EXPECT_EQ(kZipBadArguments, GetZipReaderItem(h, -2, &archive));
    char c = 0;
    EXPECT_EQ(kZipInflateError, UnzipReaderItemToMemory(h, 0, &c, 1)) << "an entry of size 0";
    EXPECT_EQ(kZipInflateError, UnzipReaderItemToMemory(h, 1, &c, 0)) << "a buffer of length 0";
    EXPECT_EQ(kZipBadArguments, UnzipReaderItemToMemory(h, 3, &c, 1));
    EXPECT_EQ(kZipOk, CloseZipReader(h));
    EXPECT_EQ(kZipBadArguments, CloseZipReader(nullptr));
    ZipReaderHandle notReader = {2, nullptr};
    EXPECT_EQ(kZipNotReader, CloseZipReader(&notReader));
}

TEST(ZipReader, BufferOneByteShortAsksForMoreAndGoesOn)
{
    const Built b = BuildArchive(ThreeEntries());
    ZipReaderHandle* h = OpenZipReaderFromMemory(b.bytes.data(), static_cast<DWORD>(b.bytes.size()), nullptr);
    ASSERT_NE(nullptr, h);
    std::string buffer(kLongText.size(), '\0');
    EXPECT_EQ(kZipMoreData, UnzipReaderItemToMemory(h, 2, &buffer[0], static_cast<DWORD>(buffer.size() - 1)));
    EXPECT_EQ(kZipOk, UnzipReaderItemToMemory(h, 2, &buffer[buffer.size() - 1], 1));
    EXPECT_TRUE(buffer == kLongText);
    CloseZipReader(h);
}

TEST(ZipReader, FindsNamesWithOrWithoutCase)
{
    const Built b = BuildArchive(ThreeEntries());
    ZipReaderHandle* h = OpenZipReaderFromMemory(b.bytes.data(), static_cast<DWORD>(b.bytes.size()), nullptr);
    ASSERT_NE(nullptr, h);
    int nIndex = 7;
    ZipReaderEntry entry{};
    EXPECT_EQ(kZipOk, FindZipReaderItem(h, L"frame/bordertop.XAML", TRUE, &nIndex, &entry));
    EXPECT_EQ(1, nIndex);
    EXPECT_STREQ(L"Frame/BorderTop.xaml", entry.szName);
    EXPECT_EQ(9u, entry.nUncompressedSize);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), entry.dwAttributes);

    EXPECT_EQ(kZipNotFound, FindZipReaderItem(h, L"frame/bordertop.XAML", FALSE, &nIndex, &entry));
    EXPECT_EQ(-1, nIndex);
    EXPECT_EQ(-1, entry.nIndex);
    EXPECT_EQ(kZipNotFound, FindZipReaderItem(h, std::wstring(300, L'a').c_str(), TRUE, &nIndex, nullptr));

    EXPECT_EQ(kZipOk, FindZipReaderItem(h, L"Frame/", FALSE, &nIndex, &entry));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), entry.dwAttributes);
    CloseZipReader(h);
}

TEST(ZipReader, OpensBehindPrefixesAndComments)
{
    const struct
    {
        const char* name;
        size_t prefix, comment, trailing;
        bool opens;
    } cases[] = {
        {"plain", 0, 0, 0, true},
        {"100 bytes of other data before", 100, 0, 0, true},
        {"a 2,000-byte comment", 0, 2000, 0, true},
        {"a 65,000-byte comment", 0, 65000, 0, true},
        {"the record more than 65,535 bytes before the end", 0, 65000, 1000, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Built b = BuildArchive(ThreeEntries(), c.prefix, c.comment);
        b.bytes.insert(b.bytes.end(), c.trailing, 't');
        std::string text;
        EXPECT_EQ(c.opens ? kZipOk : kZipCannotOpen, UnpackByName(b.bytes, "Frame/BorderTop.xaml", &text));
        if (c.opens)
        {
            EXPECT_EQ("<Border/>", text);
        }
    }
}

TEST(ZipReader, DamagedArchivesAreRefusedWithoutReadingPastTheBlock)
{
    const Built good = BuildArchive(ThreeEntries());
    const size_t small = 1;  // "Frame/BorderTop.xaml"
    const struct
    {
        const char* name;
        void (*damage)(Built&, size_t);
        DWORD expected;
        // Entries after a damaged central header cannot be reached.
        bool othersUsable = true;
    } cases[] = {
        {"no end record", [](Built& b, size_t) { b.bytes[b.endRecord] = 0; }, kZipCannotOpen},
        {"2 entries on this disk, 3 in total", [](Built& b, size_t) { Set16(b.bytes, b.endRecord + 8, 2); },
         kZipCannotOpen},
        {"disk number 1", [](Built& b, size_t) { Set16(b.bytes, b.endRecord + 4, 1); }, kZipCannotOpen},
        {"central directory claimed past the record",
         [](Built& b, size_t) { Set32(b.bytes, b.endRecord + 12, 0x7FFFFFF0); }, kZipCannotOpen},
        {"cut inside the record", [](Built& b, size_t) { b.bytes.resize(b.endRecord + 10); }, kZipCannotOpen},
        {"bad central signature", [](Built& b, size_t i) { b.bytes[b.central[i]] = 'Q'; }, kZipNotFound, false},
        {"central name length past the end", [](Built& b, size_t i) { Set16(b.bytes, b.central[i] + 28, 0xFFFF); },
         kZipNotFound, false},
        {"bad local signature", [](Built& b, size_t i) { b.bytes[b.local[i]] = 'Q'; }, kZipCorrupt},
        {"local method 8, central 0", [](Built& b, size_t i) { Set16(b.bytes, b.central[i] + 10, 0); }, kZipCorrupt},
        {"method 12 (bzip2) in both",
         [](Built& b, size_t i)
         {
             Set16(b.bytes, b.central[i] + 10, 12);
             Set16(b.bytes, b.local[i] + 8, 12);
         },
         kZipCorrupt},
        {"local size differs", [](Built& b, size_t i) { Set32(b.bytes, b.local[i] + 22, 10); }, kZipCorrupt},
        {"local name length differs", [](Built& b, size_t i) { Set16(b.bytes, b.local[i] + 26, 3); }, kZipCorrupt},
        {"local extra field past the end", [](Built& b, size_t i) { Set16(b.bytes, b.local[i] + 28, 0xFFFF); },
         kZipCorrupt},
        {"local header offset past the end", [](Built& b, size_t i) { Set32(b.bytes, b.central[i] + 42, 0x7FFFFFFF); },
         kZipCorrupt},
        {"compressed size past the end",
         [](Built& b, size_t i)
         {
             Set32(b.bytes, b.central[i] + 20, 0x00FFFFFF);
             Set32(b.bytes, b.local[i] + 18, 0x00FFFFFF);
         },
         kZipCorrupt},
        {"checksum does not match the data",
         [](Built& b, size_t i)
         {
             Set32(b.bytes, b.central[i] + 16, 0x12345678);
             Set32(b.bytes, b.local[i] + 14, 0x12345678);
         },
         kZipCorrupt},
        {"deflated data damaged",
         [](Built& b, size_t i)
         {
             const size_t data = b.local[i] + 30 + 20;
             b.bytes[data] = 0xFF;
             b.bytes[data + 1] = 0xFF;
         },
         kZipInflateError},
        {"uncompressed size larger than the data holds",
         [](Built& b, size_t i)
         {
             Set32(b.bytes, b.central[i] + 24, 50);
             Set32(b.bytes, b.local[i] + 22, 50);
         },
         kZipCorrupt},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Built b = good;
        c.damage(b, small);
        // A block of exactly the archive's size, so a read past it is caught.
        Bytes exact(b.bytes);
        EXPECT_EQ(c.expected, UnpackByName(exact, "Frame/BorderTop.xaml"));
        if (c.expected != kZipCannotOpen && c.othersUsable)
        {
            std::string text;
            EXPECT_EQ(kZipOk, UnpackByName(exact, "RibbonTabNormal.xaml", &text)) << "the other entries stay usable";
            EXPECT_TRUE(text == kLongText);
        }
    }
}

TEST(ZipReader, NamesCannotClimbOutOfTheirFolder)
{
    const struct
    {
        const char* stored;
        const wchar_t* described;
    } cases[] = {
        {"C:\\..\\folder/../file.txt", L"file.txt"},
        {"/rooted.txt", L"rooted.txt"},
        {"../../up.txt", L"up.txt"},
        {"a/b/c.txt", L"a/b/c.txt"},
        {"a/..x/c.txt", L"a/..x/c.txt"},
    };
    std::vector<Entry> entries;
    for (const auto& c : cases)
    {
        Entry e;
        e.name = c.stored;
        e.text = "x";
        entries.push_back(e);
    }
    const Built b = BuildArchive(entries);
    ZipReaderHandle* h = OpenZipReaderFromMemory(b.bytes.data(), static_cast<DWORD>(b.bytes.size()), nullptr);
    ASSERT_NE(nullptr, h);
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
    {
        SCOPED_TRACE(cases[i].stored);
        ZipReaderEntry entry{};
        ASSERT_EQ(kZipOk, GetZipReaderItem(h, i, &entry));
        EXPECT_STREQ(cases[i].described, entry.szName);
    }
    CloseZipReader(h);
}

TEST(ZipReader, TimesAndAttributes)
{
    Entry dos;
    dos.name = "dos.txt";
    dos.text = "d";
    dos.external = 0x01 | 0x02 | 0x04;
    Entry unixHost;
    unixHost.name = "unix.txt";
    unixHost.text = "u";
    unixHost.versionMadeBy = 0x0314;     // Unix host
    unixHost.external = 0x81A4ul << 16;  // -rw-r--r--
    // "UT" with flags 1: only the last-write time, 1,000,000,000 s after 1970.
    unixHost.localExtra = {'U', 'T', 5, 0, 1, 0x00, 0xCA, 0x9A, 0x3B};
    Entry badMonth;
    badMonth.name = "month13.txt";
    badMonth.text = "m";
    badMonth.dosDateTime = (40ul << 25) | (13ul << 21) | (1ul << 16);
    const Built b = BuildArchive({dos, unixHost, badMonth});
    ZipReaderHandle* h = OpenZipReaderFromMemory(b.bytes.data(), static_cast<DWORD>(b.bytes.size()), nullptr);
    ASSERT_NE(nullptr, h);

    ZipReaderEntry entry{};
    ASSERT_EQ(kZipOk, GetZipReaderItem(h, 0, &entry));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              entry.dwAttributes);
    // The DOS date is read with its month 1 to 12: 15 June 2020, 12:30, local time.
    FILETIME ftLocal{};
    SYSTEMTIME st{};
    ASSERT_TRUE(FileTimeToLocalFileTime(&entry.ftLastWrite, &ftLocal));
    ASSERT_TRUE(FileTimeToSystemTime(&ftLocal, &st));
    EXPECT_EQ(2020, st.wYear);
    EXPECT_EQ(6, st.wMonth);
    EXPECT_EQ(15, st.wDay);
    EXPECT_EQ(12, st.wHour);
    EXPECT_EQ(30, st.wMinute);

    ASSERT_EQ(kZipOk, GetZipReaderItem(h, 1, &entry));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), entry.dwAttributes) << "owner-writable: not read-only";
    const ULONGLONG nWrite =
        (static_cast<ULONGLONG>(entry.ftLastWrite.dwHighDateTime) << 32) | entry.ftLastWrite.dwLowDateTime;
    EXPECT_EQ(1000000000ull * 10000000ull + 116444736000000000ull, nWrite);
    EXPECT_NE(entry.ftLastWrite.dwLowDateTime, entry.ftCreation.dwLowDateTime) << "creation keeps the DOS time";

    ASSERT_EQ(kZipOk, GetZipReaderItem(h, 2, &entry));
    EXPECT_EQ(0u, entry.ftLastWrite.dwLowDateTime | entry.ftLastWrite.dwHighDateTime) << "month 13 is no date";
    CloseZipReader(h);
}

TEST(ZipReader, ExtractTextRefusesSizesNearFourGigabytes)
{
    Built b = BuildArchive(ThreeEntries());
    ZipReaderHandle* h = OpenZipReaderFromMemory(b.bytes.data(), static_cast<DWORD>(b.bytes.size()), nullptr);
    ASSERT_NE(nullptr, h);
    CStringA text;
    EXPECT_EQ(kZipOk, ExtractZipReaderItemText(h, L"frame/bordertop.xaml", text));
    EXPECT_STREQ("<Border/>", text.GetString());
    EXPECT_EQ(kZipNotFound, ExtractZipReaderItemText(h, L"missing.xaml", text));
    CloseZipReader(h);

    Set32(b.bytes, b.central[1] + 24, 0xFFFFFFFF);
    Set32(b.bytes, b.local[1] + 22, 0xFFFFFFFF);
    h = OpenZipReaderFromMemory(b.bytes.data(), static_cast<DWORD>(b.bytes.size()), nullptr);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(kZipCorrupt, ExtractZipReaderItemText(h, L"Frame/BorderTop.xaml", text));
    EXPECT_TRUE(text.IsEmpty());
    CloseZipReader(h);
}

TEST(PackedStyles, ReadsTheResourceOrAnswersNothing)
{
    CLVKPackedStyles styles;
    ASSERT_TRUE(styles.Open(nullptr)) << "the test program carries an XAML_STYLE resource";
    CStringA text;
    EXPECT_TRUE(styles.GetText(L"Frame/BorderTop.xaml", text));
    EXPECT_STREQ("<Border Background=\"{StaticResource FrameBorder}\"/>\r\n", text.GetString());
    EXPECT_FALSE(styles.GetText(L"Frame/ButtonClose.xaml", text));
    EXPECT_TRUE(text.IsEmpty());

    // A module without the resource: the themes draw without markup parts.
    CLVKPackedStyles none;
    EXPECT_FALSE(none.Open(GetModuleHandleW(L"kernel32.dll")));
    EXPECT_FALSE(none.IsOpen());
    EXPECT_FALSE(none.GetText(L"Frame/BorderTop.xaml", text));
}
