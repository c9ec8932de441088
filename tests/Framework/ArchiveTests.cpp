// CArchive over CMemFile: value and object round trips, the stored layout,
// and damaged archives raising CArchiveException* with the matching cause.
#include "Framework.h"
#include "FrameworkTestPrint.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{

using Bytes = std::vector<BYTE>;

// Runs a storing function on a fresh archive and returns the bytes written.
Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Runs a loading function over the given bytes.
void Load(Bytes bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// The archive cause of the exception a load raises; -1 when none is raised.
int LoadCause(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    try
    {
        Load(bytes, read);
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Ascii(const char* text)
{
    return Bytes(text, text + strlen(text));
}

class CNodeForArchive : public CObject
{
    DECLARE_SERIAL(CNodeForArchive)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_nValue << m_strName;
            ar << m_pNext;
        }
        else
        {
            m_nLoadedSchema = ar.GetObjectSchema();
            ar >> m_nValue >> m_strName;
            CObject* pNext = nullptr;
            ar >> pNext;
            m_pNext = static_cast<CNodeForArchive*>(pNext);
        }
    }

    LONG m_nValue = 0;
    CString m_strName;
    CNodeForArchive* m_pNext = nullptr;  // not owned
    UINT m_nLoadedSchema = 0;
};
IMPLEMENT_SERIAL(CNodeForArchive, CObject, 2)

// Same name in a stored archive, but a class that accepts older schemas.
class CVersionedForArchive : public CObject
{
    DECLARE_SERIAL(CVersionedForArchive)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading())
            m_nLoadedSchema = ar.GetObjectSchema();
    }
    UINT m_nLoadedSchema = 0;
};
IMPLEMENT_SERIAL(CVersionedForArchive, CObject, VERSIONABLE_SCHEMA | 5)

class COtherForArchive : public CObject
{
    DECLARE_SERIAL(COtherForArchive)
};
IMPLEMENT_SERIAL(COtherForArchive, CObject, 1)

// Frees every object a load created, whatever the pointers between them.
struct OwnedObjects
{
    std::vector<std::unique_ptr<CObject>> objects;
    void Own(CObject* p) { objects.emplace_back(p); }
};

TEST(Archive, BasicValuesRoundTripLittleEndian)
{
    const Bytes bytes = Store(
        [](CArchive& ar)
        {
            ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<LONG>(-2)
               << static_cast<DWORD>(0x89ABCDEF) << 1.5 << 2.25f << static_cast<LONGLONG>(-3) << true << L'x';
        });
    ASSERT_EQ(1u + 2 + 4 + 4 + 8 + 4 + 8 + 1 + 2, bytes.size());
    EXPECT_EQ((Bytes{0x12, 0x56, 0x34, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89}),
              Bytes(bytes.begin(), bytes.begin() + 11));

    Load(bytes,
         [](CArchive& ar)
         {
             BYTE by = 0;
             WORD w = 0;
             LONG l = 0;
             DWORD dw = 0;
             double d = 0;
             float f = 0;
             LONGLONG ll = 0;
             bool b = false;
             wchar_t ch = 0;
             ar >> by >> w >> l >> dw >> d >> f >> ll >> b >> ch;
             EXPECT_EQ(0x12, by);
             EXPECT_EQ(0x3456, w);
             EXPECT_EQ(-2, l);
             EXPECT_EQ(0x89ABCDEFu, dw);
             EXPECT_EQ(1.5, d);
             EXPECT_EQ(2.25f, f);
             EXPECT_EQ(-3, ll);
             EXPECT_TRUE(b);
             EXPECT_EQ(L'x', ch);
         });
}

struct CountCase
{
    const char* name;
    DWORD_PTR count;
    Bytes stored;
};

class ArchiveCount : public ::testing::TestWithParam<CountCase>
{
};

TEST_P(ArchiveCount, UsesAWordThenTheEscapeAndADword)
{
    const CountCase& c = GetParam();
    EXPECT_EQ(c.stored, Store([&](CArchive& ar) { ar.WriteCount(c.count); }));
    Load(c.stored, [&](CArchive& ar) { EXPECT_EQ(c.count, ar.ReadCount()); });
}

INSTANTIATE_TEST_SUITE_P(Table, ArchiveCount,
                         ::testing::Values(CountCase{"Zero", 0, {0x00, 0x00}}, CountCase{"Small", 3, {0x03, 0x00}},
                                           CountCase{"LargestWord", 0xFFFE, {0xFE, 0xFF}},
                                           CountCase{"EscapeValueItself", 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
                                           CountCase{"Large", 0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
                                           CountCase{"DwordEscapeValueItself",
                                                     0xFFFFFFFF,
                                                     {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,
                                                      0, 0}}
#ifdef _WIN64
                                           ,
                                           CountCase{"SixtyFourBit",
                                                     0x100000000,
                                                     {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0}}
#endif
                                           ),
                         [](const ::testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

struct StringCase
{
    const char* name;
    int length;
    Bytes prefix;  // everything before the characters
};

class ArchiveString : public ::testing::TestWithParam<StringCase>
{
};

TEST_P(ArchiveString, WideStringsCarryTheMarkAndTheirLength)
{
    const StringCase& c = GetParam();
    CString text;
    for (int i = 0; i < c.length; ++i)
        text += static_cast<wchar_t>(L'a' + i % 26);
    const Bytes bytes = Store([&](CArchive& ar) { ar << text; });
    ASSERT_EQ(c.prefix.size() + 2 * static_cast<size_t>(c.length), bytes.size());
    EXPECT_EQ(c.prefix, Bytes(bytes.begin(), bytes.begin() + c.prefix.size()));
    Load(bytes,
         [&](CArchive& ar)
         {
             CString loaded(L"old");
             ar >> loaded;
             EXPECT_EQ(text, loaded);
         });
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArchiveString,
    ::testing::Values(StringCase{"Empty", 0, {0xFF, 0xFE, 0xFF, 0x00}},
                      StringCase{"Short", 5, {0xFF, 0xFE, 0xFF, 0x05}},
                      StringCase{"LongestByteLength", 254, {0xFF, 0xFE, 0xFF, 0xFE}},
                      StringCase{"WordLength", 255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
                      StringCase{"DwordLength", 0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}}),
    [](const ::testing::TestParamInfo<StringCase>& info) { return std::string(info.param.name); });

TEST(Archive, RectanglesPointsAndSizesAreTheirLongs)
{
    const RECT rect = {1, -2, 3, 4};
    const POINT point = {5, 6};
    const SIZE size = {7, 8};
    const Bytes bytes = Store([&](CArchive& ar) { ar << rect << point << size; });
    ASSERT_EQ(32u, bytes.size());
    EXPECT_EQ((Bytes{1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}), Bytes(bytes.begin(), bytes.begin() + 8));
    Load(bytes,
         [&](CArchive& ar)
         {
             RECT r{};
             POINT p{};
             SIZE s{};
             ar >> r >> p >> s;
             EXPECT_TRUE(EqualRect(&rect, &r));
             EXPECT_EQ(6, p.y);
             EXPECT_EQ(8, s.cy);
         });
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause({1, 0, 0, 0, 2, 0},
                                                      [](CArchive& ar)
                                                      {
                                                          RECT r;
                                                          ar >> r;
                                                      }));
}

TEST(Archive, NarrowStringsWithoutTheMarkLoadIntoWideStrings)
{
    const Bytes bytes = Concat({{0x03}, Ascii("abc")});
    Load(bytes,
         [](CArchive& ar)
         {
             CString loaded;
             ar >> loaded;
             EXPECT_EQ(CString(L"abc"), loaded);
         });
}

TEST(Archive, DataLargerThanTheBufferRoundTrips)
{
    std::vector<DWORD> values(5000);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<DWORD>(i * 2654435761u);
    const Bytes big(10000, 0x5A);
    const Bytes bytes = Store(
        [&](CArchive& ar)
        {
            for (DWORD v : values)
                ar << v;
            ar.Write(big.data(), static_cast<UINT>(big.size()));
            ar << static_cast<WORD>(0xBEEF);
        });
    ASSERT_EQ(values.size() * 4 + big.size() + 2, bytes.size());
    Load(bytes,
         [&](CArchive& ar)
         {
             for (DWORD expected : values)
             {
                 DWORD v = 0;
                 ar >> v;
                 ASSERT_EQ(expected, v);
             }
             Bytes readBack(big.size());
             EXPECT_EQ(big.size(), ar.Read(readBack.data(), static_cast<UINT>(readBack.size())));
             EXPECT_EQ(big, readBack);
             WORD tail = 0;
             ar >> tail;
             EXPECT_EQ(0xBEEF, tail);
         });
}

TEST(Archive, FillBufferLetsALoaderPeekWithoutConsuming)
{
    const Bytes bytes = {0xBF, 0xAD, 0xF0, 0x0F, 0x2A, 0x00, 0x00, 0x00};
    Load(bytes,
         [](CArchive& ar)
         {
             ar.FillBuffer(4);
             ASSERT_GE(ar.m_lpBufMax - ar.m_lpBufCur, 4);
             DWORD peeked = 0;
             memcpy(&peeked, ar.m_lpBufCur, 4);
             EXPECT_EQ(0x0FF0ADBFu, peeked);
             DWORD magic = 0, schema = 0;
             ar >> magic >> schema;
             EXPECT_EQ(0x0FF0ADBFu, magic);
             EXPECT_EQ(42u, schema);
         });
}

TEST(Archive, ClassRecordIsTagSchemaNameLengthAndName)
{
    CNodeForArchive node;
    node.m_nValue = 9;
    const Bytes bytes = Store([&](CArchive& ar) { ar << &node; });
    const Bytes expectedHead =
        Concat({{0xFF, 0xFF, 0x02, 0x00, 0x0F, 0x00}, Ascii("CNodeForArchive"), {0x09, 0x00, 0x00, 0x00}});
    ASSERT_GE(bytes.size(), expectedHead.size());
    EXPECT_EQ(expectedHead, Bytes(bytes.begin(), bytes.begin() + expectedHead.size()));
}

TEST(Archive, SharedObjectsAreStoredOnceAndLoadAsOneObject)
{
    // a -> b -> a: the second mention of a is a reference to object 2.
    CNodeForArchive a, b;
    a.m_nValue = 1;
    a.m_strName = L"first";
    b.m_nValue = 2;
    b.m_strName = L"second";
    a.m_pNext = &b;
    b.m_pNext = &a;
    const Bytes bytes = Store([&](CArchive& ar) { ar << &a << &b; });

    // Class record (index 1), a (index 2), b by a class reference (0x8001),
    // then a and b again as plain object indices.
    const Bytes tail = {0x02, 0x00, 0x03, 0x00};
    EXPECT_EQ(tail, Bytes(bytes.end() - 4, bytes.end()));

    Load(bytes,
         [](CArchive& ar)
         {
             OwnedObjects owned;
             CObject* pFirst = nullptr;
             CObject* pSecond = nullptr;
             ar >> pFirst;
             owned.Own(pFirst);
             ar >> pSecond;
             ASSERT_NE(nullptr, pFirst);
             auto* first = static_cast<CNodeForArchive*>(pFirst);
             ASSERT_NE(nullptr, first->m_pNext);
             owned.Own(first->m_pNext);
             EXPECT_EQ(CString(L"first"), first->m_strName);
             EXPECT_EQ(2, first->m_pNext->m_nValue);
             EXPECT_EQ(first, first->m_pNext->m_pNext);
             EXPECT_EQ(first->m_pNext, pSecond);
             EXPECT_EQ(2u, first->m_nLoadedSchema);
         });
}

TEST(Archive, NullObjectIsATagOfZero)
{
    const Bytes bytes = Store([](CArchive& ar) { ar << static_cast<CObject*>(nullptr); });
    EXPECT_EQ((Bytes{0x00, 0x00}), bytes);
    Load(bytes,
         [](CArchive& ar)
         {
             CObject* p = reinterpret_cast<CObject*>(1);
             ar >> p;
             EXPECT_EQ(nullptr, p);
         });
}

TEST(Archive, ClassRecordsRoundTripThroughWriteAndReadClass)
{
    const Bytes bytes = Store(
        [](CArchive& ar)
        {
            ar.WriteClass(RUNTIME_CLASS(CNodeForArchive));
            ar.WriteClass(RUNTIME_CLASS(COtherForArchive));
            ar.WriteClass(RUNTIME_CLASS(CNodeForArchive));
        });
    // The repeated class is a class tag with its map index.
    EXPECT_EQ((Bytes{0x01, 0x80}), Bytes(bytes.end() - 2, bytes.end()));
    Load(bytes,
         [](CArchive& ar)
         {
             UINT schema = 0;
             EXPECT_EQ(RUNTIME_CLASS(CNodeForArchive), ar.ReadClass(RUNTIME_CLASS(CObject), &schema));
             EXPECT_EQ(2u, schema);
             EXPECT_EQ(RUNTIME_CLASS(COtherForArchive), ar.ReadClass(NULL, &schema));
             EXPECT_EQ(1u, schema);
             EXPECT_EQ(RUNTIME_CLASS(CNodeForArchive), ar.ReadClass(NULL, &schema));
             EXPECT_EQ(2u, schema);
         });
}

TEST(Archive, VersionableClassReadsAnOlderSchema)
{
    const Bytes bytes = Concat({{0xFF, 0xFF, 0x03, 0x00, 0x14, 0x00}, Ascii("CVersionedForArchive")});
    Load(bytes,
         [](CArchive& ar)
         {
             std::unique_ptr<CObject> p(ar.ReadObject(RUNTIME_CLASS(CVersionedForArchive)));
             ASSERT_NE(nullptr, p);
             EXPECT_EQ(3u, static_cast<CVersionedForArchive*>(p.get())->m_nLoadedSchema);
         });
}

TEST(Archive, MappedObjectsAreReferredToByIndex)
{
    CNodeForArchive outer;
    const Bytes bytes = Store(
        [&](CArchive& ar)
        {
            ar.MapObject(&outer);
            ar << &outer;
        });
    EXPECT_EQ((Bytes{0x01, 0x00}), bytes);
    Load(bytes,
         [&](CArchive& ar)
         {
             ar.MapObject(&outer);
             CObject* p = nullptr;
             ar >> p;
             EXPECT_EQ(&outer, p);
         });
}

TEST(Archive, CollectionsRoundTrip)
{
    CStringArray strings;
    strings.Add(L"one");
    strings.Add(L"");
    strings.Add(L"three");
    CDWordArray numbers;
    for (DWORD i = 0; i < 300; ++i)
        numbers.Add(i * 7);
    CMapStringToString map;
    map[L"k1"] = L"v1";
    map[L"k2"] = L"v2";
    CList<int, int> list;
    list.AddTail(5);
    list.AddTail(-6);

    const Bytes bytes = Store(
        [&](CArchive& ar)
        {
            strings.Serialize(ar);
            numbers.Serialize(ar);
            map.Serialize(ar);
            list.Serialize(ar);
        });
    Load(bytes,
         [&](CArchive& ar)
         {
             CStringArray strings2;
             CDWordArray numbers2;
             CMapStringToString map2;
             CList<int, int> list2;
             strings2.Serialize(ar);
             numbers2.Serialize(ar);
             map2.Serialize(ar);
             list2.Serialize(ar);
             ASSERT_EQ(3, strings2.GetSize());
             EXPECT_EQ(CString(L"three"), strings2[2]);
             ASSERT_EQ(300, numbers2.GetSize());
             EXPECT_EQ(299u * 7, numbers2[299]);
             CString value;
             EXPECT_TRUE(map2.Lookup(L"k2", value));
             EXPECT_EQ(CString(L"v2"), value);
             EXPECT_EQ(2, map2.GetCount());
             ASSERT_EQ(2, list2.GetCount());
             EXPECT_EQ(-6, list2.GetTail());
         });
}

TEST(Archive, VariantAndDateForms)
{
    COleDateTime date(2017, 3, 5, 14, 0, 0);
    COleVariant text(L"hi");
    COleVariant number(42L);
    const Bytes bytes = Store([&](CArchive& ar) { ar << date << text << number; });
    // Date: status (LONG) then the DATE; text: VT_BSTR, byte count, UTF-16.
    ASSERT_EQ(12u + 2 + 4 + 4 + 2 + 4, bytes.size());
    EXPECT_EQ((Bytes{0, 0, 0, 0}), Bytes(bytes.begin(), bytes.begin() + 4));
    EXPECT_EQ((Bytes{VT_BSTR, 0, 4, 0, 0, 0, 'h', 0, 'i', 0, VT_I4, 0, 42, 0, 0, 0}),
              Bytes(bytes.begin() + 12, bytes.end()));
    Load(bytes,
         [&](CArchive& ar)
         {
             COleDateTime date2;
             COleVariant text2, number2;
             ar >> date2 >> text2 >> number2;
             EXPECT_TRUE(date == date2);
             EXPECT_TRUE(text == text2);
             EXPECT_TRUE(number == number2);
         });
}

// Damaged archives: each row is a stream and the reading that meets it.
struct BadCase
{
    const char* name;
    Bytes bytes;
    std::function<void(CArchive&)> read;
    int cause;
};

void ReadNode(CArchive& ar)
{
    std::unique_ptr<CObject> p(ar.ReadObject(RUNTIME_CLASS(CNodeForArchive)));
}

void ReadAnyObject(CArchive& ar)
{
    std::unique_ptr<CObject> p(ar.ReadObject(NULL));
}

Bytes NodeRecord(const char* className, WORD schema)
{
    const WORD n = static_cast<WORD>(strlen(className));
    return Concat({{0xFF, 0xFF, static_cast<BYTE>(schema), static_cast<BYTE>(schema >> 8), static_cast<BYTE>(n),
                    static_cast<BYTE>(n >> 8)},
                   Ascii(className)});
}

class ArchiveBad : public ::testing::TestWithParam<BadCase>
{
};

TEST_P(ArchiveBad, RaisesTheArchiveExceptionWithItsCause)
{
    const BadCase& c = GetParam();
    EXPECT_EQ(c.cause, LoadCause(c.bytes, c.read));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArchiveBad,
    ::testing::Values(
        BadCase{"EmptyStreamReadingADword",
                {},
                [](CArchive& ar)
                {
                    DWORD v;
                    ar >> v;
                },
                CArchiveException::endOfFile},
        BadCase{"ShortValue",
                {1, 2, 3},
                [](CArchive& ar)
                {
                    DWORD v;
                    ar >> v;
                },
                CArchiveException::endOfFile},
        BadCase{"CountEscapeWithoutDword",
                {0xFF, 0xFF, 1},
                [](CArchive& ar) { ar.ReadCount(); },
                CArchiveException::endOfFile},
#ifndef _WIN64
        // More than a 32-bit program can count (a 64-bit one reads it whole).
        BadCase{"SixtyFourBitCount",
                {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0},
                [](CArchive& ar) { ar.ReadCount(); },
                CArchiveException::badIndex},
#endif
        BadCase{"StringLongerThanTheData",
                {0xFF, 0xFE, 0xFF, 0x10, 'a', 0},
                [](CArchive& ar)
                {
                    CString s;
                    ar >> s;
                },
                CArchiveException::endOfFile},
        BadCase{"HugeStringLength",
                {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
                [](CArchive& ar)
                {
                    CString s;
                    ar >> s;
                },
                CArchiveException::endOfFile},
        BadCase{"ArrayCountBeyondTheData",
                {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40, 1, 0, 0, 0},
                [](CArchive& ar)
                {
                    CDWordArray a;
                    a.Serialize(ar);
                },
                CArchiveException::endOfFile},
        BadCase{"StringArrayCountBeyondTheData",
                {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x00},
                [](CArchive& ar)
                {
                    CStringArray a;
                    a.Serialize(ar);
                },
                CArchiveException::endOfFile},
        BadCase{"ObjectCutShort", Concat({NodeRecord("CNodeForArchive", 2), {9, 0}}), ReadNode,
                CArchiveException::endOfFile},
        BadCase{"UnknownClassName", NodeRecord("CNoSuchClass", 2), ReadAnyObject, CArchiveException::badClass},
        BadCase{"ClassNameTooLong",
                NodeRecord("CAVeryLongClassNameThatGoesOnAndOnPastTheLimitOfSixtyFourCharacters", 1), ReadAnyObject,
                CArchiveException::badClass},
        BadCase{"ClassNameCutShort", {0xFF, 0xFF, 2, 0, 15, 0, 'C', 'N'}, ReadAnyObject, CArchiveException::badClass},
        BadCase{"ClassOfTheWrongKind", NodeRecord("COtherForArchive", 1), ReadNode, CArchiveException::badClass},
        BadCase{"WrongSchema", NodeRecord("CNodeForArchive", 1), ReadNode, CArchiveException::badSchema},
        // A creatable class that is not serialisable (schema 0xFFFF) is never
        // built from a stream, whatever the stream claims as its schema.
        BadCase{"CreatableWindowClass", NodeRecord("CWnd", 0xFFFF), ReadAnyObject, CArchiveException::badClass},
        BadCase{"CreatableWindowClassAsAClassRecord", NodeRecord("CWnd", 0xFFFF), [](CArchive& ar) { ar.ReadClass(); },
                CArchiveException::badClass},
        BadCase{"CreatableWindowClassAnySchema", NodeRecord("CWnd", 1), ReadAnyObject, CArchiveException::badClass},
        BadCase{"ObjectIndexNotYetStored", {0x05, 0x00}, ReadAnyObject, CArchiveException::badIndex},
        BadCase{"ClassIndexNotYetStored", {0x03, 0x80}, ReadAnyObject, CArchiveException::badIndex},
        BadCase{"BigObjectIndexNotYetStored",
                {0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00},
                ReadAnyObject,
                CArchiveException::badIndex},
        BadCase{"ObjectIndexThatIsAClass", Concat({NodeRecord("COtherForArchive", 1), {0x01, 0x00}}),
                [](CArchive& ar)
                {
                    ReadAnyObject(ar);
                    ReadAnyObject(ar);
                },
                CArchiveException::badIndex},
        BadCase{"ObjectTagWhereAClassIsExpected",
                {0x02, 0x00},
                [](CArchive& ar) { ar.ReadClass(); },
                CArchiveException::badIndex},
        BadCase{"UnknownVariantType",
                {0x49, 0x00, 1, 2},
                [](CArchive& ar)
                {
                    COleVariant v;
                    ar >> v;
                },
                CArchiveException::genericException}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST(Archive, WrongDirectionRaisesReadOnlyOrWriteOnly)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        try
        {
            DWORD v = 0;
            ar >> v;
            FAIL() << "reading from a storing archive succeeded";
        }
        catch (CArchiveException* e)
        {
            EXPECT_EQ(CArchiveException::writeOnly, e->m_cause);
            e->Delete();
        }
    }
    EXPECT_EQ(CArchiveException::readOnly, LoadCause({1, 2}, [](CArchive& ar) { ar << static_cast<WORD>(1); }));
}

TEST(Archive, CloseGivesUnreadBytesBackToTheFile)
{
    Bytes bytes = {1, 0, 2, 0, 3, 0};
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    {
        CArchive ar(&file, CArchive::load);
        WORD w = 0;
        ar >> w;
        ar.Close();
    }
    EXPECT_EQ(2u, file.GetPosition());
}

TEST(Archive, ExceptionTextNamesTheFile)
{
    CArchiveException e(CArchiveException::endOfFile, L"layout.bin");
    wchar_t text[256] = {};
    ASSERT_TRUE(e.GetErrorMessage(text, _countof(text)));
    EXPECT_NE(nullptr, wcsstr(text, L"layout.bin"));
    EXPECT_TRUE(e.IsKindOf(RUNTIME_CLASS(CException)));
}

}  // namespace
