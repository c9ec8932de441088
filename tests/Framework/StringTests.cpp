// CString: formatting with the Windows meaning of %s, null-pointer safety,
// loading resource strings through the resource handle, and editing.
#include "Framework.h"
#include "FrameworkTestPrint.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace
{

struct FormatCase
{
    const char* name;
    std::function<CString()> format;
    const wchar_t* expected;
};

class StringFormat : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(StringFormat, ProducesTheExpectedText)
{
    EXPECT_EQ(CString(GetParam().expected), GetParam().format());
}

CString Fmt(const std::function<void(CString&)>& f)
{
    CString s(L"previous");
    f(s);
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StringFormat,
    ::testing::Values(
        FormatCase{"PercentSIsWide", [] { return Fmt([](CString& s) { s.Format(L"[%s]", L"wide"); }); }, L"[wide]"},
        FormatCase{"StringObjectsPassAsTheirText",
                   []
                   { return Fmt([](CString& s) { s.Format(L"%s|%hs|%d", CString(L"wide"), CStringA("narrow"), 3); }); },
                   L"wide|narrow|3"},
        FormatCase{"StringObjectsInAppendFormat",
                   [] { return Fmt([](CString& s) { s.AppendFormat(L"=%s", CString(L"x")); }); }, L"previous=x"},
        FormatCase{"StringObjectsInFormatMessage",
                   [] { return Fmt([](CString& s) { s.FormatMessage(L"<%1>", CString(L"m")); }); }, L"<m>"},
        FormatCase{"PercentLsIsWide", [] { return Fmt([](CString& s) { s.Format(L"%ls", L"w"); }); }, L"w"},
        FormatCase{"PercentHsIsNarrow", [] { return Fmt([](CString& s) { s.Format(L"%hs", "narrow"); }); }, L"narrow"},
        FormatCase{"PercentCIsAWideChar", [] { return Fmt([](CString& s) { s.Format(L"%c%c", L'\x00E9', L'z'); }); },
                   L"\x00E9z"},
        FormatCase{"Integers", [] { return Fmt([](CString& s) { s.Format(L"%d %u %x %05d", -3, 7u, 255, 42); }); },
                   L"-3 7 ff 00042"},
        FormatCase{"SixtyFourBit", [] { return Fmt([](CString& s) { s.Format(L"%I64d", -12345678901LL); }); },
                   L"-12345678901"},
        FormatCase{"Floating", [] { return Fmt([](CString& s) { s.Format(L"%.2f", 3.14159); }); }, L"3.14"},
        FormatCase{"WidthAndAlignment", [] { return Fmt([](CString& s) { s.Format(L"%-4s|%4s", L"a", L"b"); }); },
                   L"a   |   b"},
        FormatCase{"PercentSign", [] { return Fmt([](CString& s) { s.Format(L"100%%"); }); }, L"100%"},
        FormatCase{"NullFormatGivesEmpty",
                   [] { return Fmt([](CString& s) { s.Format(static_cast<LPCTSTR>(nullptr)); }); }, L""},
        FormatCase{"AppendFormatKeepsText", [] { return Fmt([](CString& s) { s.AppendFormat(L"+%d", 1); }); },
                   L"previous+1"},
        FormatCase{"FormatMessageInserts",
                   [] { return Fmt([](CString& s) { s.FormatMessage(L"%2 %1!d!", 5, L"x"); }); }, L"x 5"}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST(String, FormatHandlesLongOutput)
{
    const std::wstring long1(5000, L'q');
    CString s;
    s.Format(L"<%s>", long1.c_str());
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ(L'>', s[5001]);
}

TEST(String, NullPointersAreEmptyText)
{
    const LPCWSTR nullWide = nullptr;
    const LPCSTR nullNarrow = nullptr;
    CString a(nullWide);
    CString b(nullNarrow);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_TRUE(b.IsEmpty());
    CString c(L"x");
    c += nullWide;
    c.Append(nullWide);
    c.Insert(0, nullWide);
    EXPECT_EQ(CString(L"x"), c);
    EXPECT_EQ(-1, c.Find(nullWide));
    EXPECT_EQ(-1, c.FindOneOf(nullWide));
    EXPECT_EQ(0, c.Replace(nullWide, L"y"));
    EXPECT_EQ(1, c.Replace(L"x", nullWide));
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(0, CString().Compare(nullWide));
    EXPECT_GT(CString(L"a").CompareNoCase(nullWide), 0);
    EXPECT_TRUE(CString() == nullWide);
    c = nullWide;
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(CString(L"ab"), CString(L"a") + nullWide + L"b");
}

// A copy of this test program with a string table added, loaded as a data
// file: a real module whose resources the framework must find through the
// resource handle.
class StringResources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(NULL, self, MAX_PATH);
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, L"str", 0, m_path);
        ASSERT_TRUE(CopyFileW(self, m_path, FALSE));

        const std::map<UINT, std::wstring> strings = {
            {101, L"Hello from the table"}, {102, L"Value: %d"}, {7000, L"%1 and %2"}};
        HANDLE hUpdate = BeginUpdateResourceW(m_path, FALSE);
        ASSERT_NE(nullptr, hUpdate);
        std::map<UINT, std::vector<WORD>> blocks;
        for (UINT block : {101u / 16 + 1, 7000u / 16 + 1})
        {
            std::vector<WORD>& data = blocks[block];
            for (UINT i = 0; i < 16; ++i)
            {
                const UINT id = (block - 1) * 16 + i;
                const auto it = strings.find(id);
                const std::wstring text = it == strings.end() ? std::wstring() : it->second;
                data.push_back(static_cast<WORD>(text.size()));
                data.insert(data.end(), text.begin(), text.end());
            }
            ASSERT_TRUE(UpdateResourceW(hUpdate, RT_STRING, MAKEINTRESOURCEW(block),
                                        MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), data.data(),
                                        static_cast<DWORD>(data.size() * sizeof(WORD))));
        }
        ASSERT_TRUE(EndUpdateResourceW(hUpdate, FALSE));
        m_hModule = LoadLibraryExW(m_path, NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, m_hModule);
        m_hOldResource = AfxGetModuleState()->m_hCurrentResourceHandle;
        AfxSetResourceHandle(m_hModule);
    }

    void TearDown() override
    {
        AfxSetResourceHandle(m_hOldResource);
        if (m_hModule)
            FreeLibrary(m_hModule);
        DeleteFileW(m_path);
    }

    wchar_t m_path[MAX_PATH] = {};
    HMODULE m_hModule = NULL;
    HINSTANCE m_hOldResource = NULL;
};

TEST_F(StringResources, ResourceIdPassedAsTextLoadsTheString)
{
    const CString s(MAKEINTRESOURCE(101));
    EXPECT_EQ(CString(L"Hello from the table"), s);
    CString t;
    t = MAKEINTRESOURCE(7000);
    EXPECT_EQ(CString(L"%1 and %2"), t);
}

TEST_F(StringResources, LoadStringReportsMissingIdsAndKeepsTheText)
{
    CString s(L"kept");
    EXPECT_FALSE(s.LoadString(103));
    EXPECT_EQ(CString(L"kept"), s);
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_EQ(CString(L"Hello from the table"), s);
    EXPECT_TRUE(CString(MAKEINTRESOURCE(9999)).IsEmpty());
}

TEST_F(StringResources, FormatTakesItsPatternFromTheTable)
{
    CString s;
    s.Format(102, 17);
    EXPECT_EQ(CString(L"Value: 17"), s);
    s.FormatMessage(7000, L"salt", L"pepper");
    EXPECT_EQ(CString(L"salt and pepper"), s);
}

TEST_F(StringResources, LoadStringFromAnExplicitModule)
{
    AfxSetResourceHandle(m_hOldResource);
    CString s;
    EXPECT_TRUE(s.LoadString(m_hModule, 101));
    EXPECT_EQ(CString(L"Hello from the table"), s);
}

struct SliceCase
{
    const char* name;
    std::function<CString(const CString&)> slice;
    const wchar_t* expected;
};

class StringSlice : public ::testing::TestWithParam<SliceCase>
{
};

TEST_P(StringSlice, ClampsToTheString)
{
    EXPECT_EQ(CString(GetParam().expected), GetParam().slice(CString(L"abcdef")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, StringSlice,
    ::testing::Values(SliceCase{"MidMiddle", [](const CString& s) { return s.Mid(2, 3); }, L"cde"},
                      SliceCase{"MidToEnd", [](const CString& s) { return s.Mid(4); }, L"ef"},
                      SliceCase{"MidCountPastEnd", [](const CString& s) { return s.Mid(4, 100); }, L"ef"},
                      SliceCase{"MidStartPastEnd", [](const CString& s) { return s.Mid(10, 2); }, L""},
                      SliceCase{"MidNegativeStart", [](const CString& s) { return s.Mid(-3, 2); }, L"ab"},
                      SliceCase{"MidNegativeCount", [](const CString& s) { return s.Mid(1, -1); }, L""},
                      SliceCase{"LeftTooMany", [](const CString& s) { return s.Left(99); }, L"abcdef"},
                      SliceCase{"LeftNegative", [](const CString& s) { return s.Left(-1); }, L""},
                      SliceCase{"Right", [](const CString& s) { return s.Right(2); }, L"ef"},
                      SliceCase{"RightTooMany", [](const CString& s) { return s.Right(99); }, L"abcdef"},
                      SliceCase{"SpanIncluding", [](const CString& s) { return s.SpanIncluding(L"cba"); }, L"abc"},
                      SliceCase{"SpanExcluding", [](const CString& s) { return s.SpanExcluding(L"dx"); }, L"abc"}),
    [](const ::testing::TestParamInfo<SliceCase>& info) { return std::string(info.param.name); });

TEST(String, FindAndReverseFind)
{
    const CString s(L"a.b.c");
    EXPECT_EQ(1, s.Find(L'.'));
    EXPECT_EQ(3, s.Find(L'.', 2));
    EXPECT_EQ(-1, s.Find(L'.', 5));
    EXPECT_EQ(-1, s.Find(L'.', -1));
    EXPECT_EQ(2, s.Find(L"b.c"));
    EXPECT_EQ(5, s.Find(L"", 5));
    EXPECT_EQ(3, s.ReverseFind(L'.'));
    EXPECT_EQ(-1, s.ReverseFind(L'x'));
    EXPECT_EQ(2, s.FindOneOf(L"cb"));
}

TEST(String, EditingOperations)
{
    CString s(L"  hello world  ");
    s.Trim();
    EXPECT_EQ(CString(L"hello world"), s);
    EXPECT_EQ(2, s.Replace(L"o", L"0"));
    EXPECT_EQ(CString(L"hell0 w0rld"), s);
    EXPECT_EQ(3, s.Remove(L'l'));
    EXPECT_EQ(CString(L"he0 w0rd"), s);
    EXPECT_EQ(9, s.Insert(2, L'!'));
    EXPECT_EQ(11, s.Insert(100, L"??"));
    EXPECT_EQ(CString(L"he!0 w0rd??"), s);
    EXPECT_EQ(9, s.Delete(9, 50));
    EXPECT_EQ(CString(L"he!0 w0rd"), s);
    s.MakeUpper();
    EXPECT_EQ(CString(L"HE!0 W0RD"), s);
    s.MakeLower().MakeReverse();
    EXPECT_EQ(CString(L"dr0w 0!eh"), s);
    CString t(L"xxabcxx");
    t.Trim(L'x');
    EXPECT_EQ(CString(L"abc"), t);
    t.TrimLeft(L"ba");
    EXPECT_EQ(CString(L"c"), t);
    CString growing(L"ab");
    // Replacement text that holds the searched text is not searched again.
    EXPECT_EQ(1, growing.Replace(L"a", L"aa"));
    EXPECT_EQ(CString(L"aab"), growing);
}

TEST(String, TokenizeWalksTheTokensAndEnds)
{
    const CString s(L",,one,,two;three,");
    std::vector<CString> tokens;
    int pos = 0;
    for (CString token = s.Tokenize(L",;", pos); pos != -1; token = s.Tokenize(L",;", pos))
        tokens.push_back(token);
    EXPECT_EQ((std::vector<CString>{CString(L"one"), CString(L"two"), CString(L"three")}), tokens);

    // Without separators the rest is one token and the walk then ends.
    int start = 2;
    EXPECT_EQ(CString(L"one,,two;three,"), s.Tokenize(nullptr, start));
    s.Tokenize(nullptr, start);
    EXPECT_EQ(-1, start);
}

TEST(String, BufferAccess)
{
    CString s(L"abc");
    LPTSTR p = s.GetBuffer(11);  // 11 characters and the terminator
    wcscpy(p, L"longer text");
    s.ReleaseBuffer();
    EXPECT_EQ(CString(L"longer text"), s);
    p = s.GetBuffer();
    p[3] = L'\0';
    s.ReleaseBuffer();
    EXPECT_EQ(CString(L"lon"), s);
    p = s.GetBufferSetLength(2);
    s.ReleaseBuffer(1);
    EXPECT_EQ(CString(L"l"), s);
}

TEST(String, ComparisonsAndConversions)
{
    EXPECT_EQ(0, CString(L"Abc").CompareNoCase(L"aBC"));
    EXPECT_LT(CString(L"abc").Compare(L"abd"), 0);
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_TRUE(L"x" == CString(L"x"));
    EXPECT_TRUE(CString(L"x") != L"y");
    EXPECT_EQ(CString(L"narrow"), CString("narrow"));
    EXPECT_STREQ("wide", CStringA(CString(L"wide")).GetString());
    EXPECT_EQ(CString(L"xxx"), CString(L'x', 3));

    const BSTR bstr = CString(L"bstr\0x", 6).AllocSysString();
    EXPECT_EQ(6u, SysStringLen(bstr));
    SysFreeString(bstr);
}

TEST(String, AccessOutsideTheStringIsRefused)
{
    CString s(L"ab");
    EXPECT_EQ(L'\0', s.GetAt(2));  // the terminator may be read
    for (int index : {-1, 3})
    {
        try
        {
            s.GetAt(index);
            ADD_FAILURE() << "GetAt(" << index << ") was accepted";
        }
        catch (CInvalidArgException* e)
        {
            e->Delete();
        }
    }
    try
    {
        s.SetAt(2, L'c');
        ADD_FAILURE() << "SetAt past the end was accepted";
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
    }
}

}  // namespace
