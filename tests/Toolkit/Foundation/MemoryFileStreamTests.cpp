// Memory files for saved layouts, "file://" and "res://" locations opened
// as read-only streams, and text bytes decoded by their byte-order mark.
#include "Foundation/ReadOnlyStreamWrapper.h"
#include "Foundation/StreamLocation.h"
#include "Foundation/TextDecoding.h"
#include "Foundation/ZipMemFile.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::wstring ExePath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring ExeFolder()
{
    const std::wstring path = ExePath();
    return path.substr(0, path.find_last_of(L'\\'));
}

std::string ReadAll(IStream* pStream)
{
    std::string text;
    char buffer[256];
    ULONG nRead = 0;
    while (SUCCEEDED(pStream->Read(buffer, sizeof(buffer), &nRead)) && nRead > 0)
        text.append(buffer, nRead);
    return text;
}

TEST(StreamUrl, ParsesFileAndResourceLocations)
{
    struct Case
    {
        const char* name;
        const wchar_t* url;
        const wchar_t* typeArgument;
        DWORD nKind;
        std::wstring path;
        LPCWSTR type;  // integer id or text
        LPCWSTR resName;
    };
    const Case cases[] = {
        {"absolute file", L"file://C:\\data\\logo.png", nullptr, 0, L"C:\\data\\logo.png", nullptr, nullptr},
        {"relative file", L"file://skins\\a.xml", nullptr, 0, ExeFolder() + L"\\skins\\a.xml", nullptr, nullptr},
        {"plain path", L"b.xml", nullptr, 0, ExeFolder() + L"\\b.xml", nullptr, nullptr},
        {"prefix is case-sensitive", L"FILE://x", nullptr, 0, ExeFolder() + L"\\FILE://x", nullptr, nullptr},
        {"module, type and id", L"res://./PNG/#101", nullptr, 1, ExePath(), L"PNG", MAKEINTRESOURCEW(101)},
        {"numeric type", L"res://./2/600", nullptr, 1, ExePath(), RT_BITMAP, MAKEINTRESOURCEW(600)},
        {"name with extension", L"res://logo.png", nullptr, 1, ExePath(), L"PNG", L"logo.png"},
        {"extension type ignores case", L"res://PAGE.HTML", nullptr, 1, ExePath(), RT_HTML, L"PAGE.HTML"},
        {"type argument", L"res://#500", RT_HTML, 1, ExePath(), RT_HTML, MAKEINTRESOURCEW(500)},
        {"other module", L"res://lib\\x.dll/JS/main.js", nullptr, 1, ExeFolder() + L"\\lib\\x.dll", L"JS", L"main.js"},
        {"module and name only", L"res://./script.vbs", nullptr, 1, ExePath(), L"VBS", L"script.vbs"},
    };
    for (const Case& c : cases)
    {
        LVKStreamLocation location;
        ASSERT_EQ(S_OK, LVKParseStreamUrl(c.url, &location, c.typeArgument)) << c.name;
        EXPECT_EQ(c.nKind, location.nKind) << c.name;
        EXPECT_STREQ(c.path.c_str(), location.szPath) << c.name;
        for (auto [expected, actual] : {std::pair{c.type, location.lpszResType}, {c.resName, location.lpszResName}})
        {
            if (!expected || IS_INTRESOURCE(expected))
                EXPECT_EQ(expected, actual) << c.name;
            else
                EXPECT_STREQ(expected, actual) << c.name;
        }
    }
}

TEST(StreamUrl, RejectsBadLocations)
{
    struct Case
    {
        const char* name;
        std::wstring url;
        HRESULT hr;
    };
    const Case cases[] = {
        {"backslash without slash", L"res://dir\\name", HRESULT(0x80070003)},
        {"name of 49 characters", L"res://" + std::wstring(49, L'n'), HRESULT(0x8007006F)},
        {"type of 50 characters", L"res://./" + std::wstring(50, L't') + L"/name", HRESULT(0x8007006F)},
        {"path too long", L"file://" + std::wstring(300, L'p'), HRESULT(0x800700CE)},
    };
    for (const Case& c : cases)
    {
        LVKStreamLocation location;
        EXPECT_EQ(c.hr, LVKParseStreamUrl(c.url.c_str(), &location)) << c.name;
    }
    LVKStreamLocation location;
    EXPECT_EQ(E_POINTER, LVKParseStreamUrl(nullptr, &location));
    EXPECT_EQ(E_POINTER, LVKParseStreamUrl(L"x", nullptr));
}

TEST(StreamOpen, OpensResourcesOfTheProgram)
{
    struct Case
    {
        const char* name;
        const wchar_t* url;
        const char* start;
    };
    const Case cases[] = {
        {"html by type and id", L"res://./23/#500", "<html>Drive list"},
        {"html by id, type found by enumeration", L"res://#500", "<html>Drive list"},
        {"bitmap", L"res://./2/#600", nullptr},
    };
    for (const Case& c : cases)
    {
        LVKStreamLocation location;
        ASSERT_EQ(S_OK, LVKParseStreamUrl(c.url, &location)) << c.name;
        CReadOnlyStreamWrapper* pStream = nullptr;
        ASSERT_EQ(S_OK, CReadOnlyStreamWrapper::CreateFromLocation(location, &pStream)) << c.name;
        ASSERT_NE(nullptr, pStream) << c.name;
        const std::string bytes = ReadAll(pStream);
        if (c.start)
            EXPECT_EQ(0u, bytes.find(c.start)) << c.name;
        else
            EXPECT_EQ(
                static_cast<size_t>(SizeofResource(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(600), RT_BITMAP))),
                bytes.size())
                << c.name;
        pStream->Release();
    }
    LVKStreamLocation missing;
    LVKParseStreamUrl(L"res://./23/#9999", &missing);
    CReadOnlyStreamWrapper* pStream = nullptr;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND) & 0xFFFF0000u,
              CReadOnlyStreamWrapper::CreateFromLocation(missing, &pStream) & 0xFFFF0000u)
        << "a missing resource is a Win32 error";
    EXPECT_EQ(nullptr, pStream);
}

TEST(StreamOpen, FilesOpenReadOnlyAndEmptyOrMissingOnesFail)
{
    ScratchFolder folder;
    const std::wstring path = folder.WriteFile(L"data.txt", "contents");
    folder.WriteFile(L"empty.txt", "");
    struct Case
    {
        const char* name;
        std::wstring url;
        HRESULT hr;
    };
    const Case cases[] = {
        {"file", L"file://" + path, S_OK},
        {"empty file", L"file://" + folder.PathOf(L"empty.txt"), HRESULT(0x800710D2)},
        {"missing file", L"file://" + folder.PathOf(L"none.txt"), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
    };
    for (const Case& c : cases)
    {
        LVKStreamLocation location;
        ASSERT_EQ(S_OK, LVKParseStreamUrl(c.url.c_str(), &location)) << c.name;
        CReadOnlyStreamWrapper* pStream = nullptr;
        EXPECT_EQ(c.hr, CReadOnlyStreamWrapper::CreateFromLocation(location, &pStream)) << c.name;
        if (pStream)
            pStream->Release();
    }
    LVKStreamLocation location;
    location.nKind = 7;
    CReadOnlyStreamWrapper* pStream = nullptr;
    EXPECT_EQ(E_INVALIDARG, CReadOnlyStreamWrapper::CreateFromLocation(location, &pStream));
}

TEST(ReadOnlyStream, RefusesEveryChangeThroughItselfItsInterfacesAndItsClones)
{
    ScratchFolder folder;
    const std::wstring path = folder.WriteFile(L"data.txt", "contents");
    LVKStreamLocation location;
    ASSERT_EQ(S_OK, LVKParseStreamUrl((L"file://" + path).c_str(), &location));
    CReadOnlyStreamWrapper* pWrapper = nullptr;
    ASSERT_EQ(S_OK, CReadOnlyStreamWrapper::CreateFromLocation(location, &pWrapper));

    IStream* pAsked = nullptr;
    ASSERT_EQ(S_OK, pWrapper->QueryInterface(IID_IStream, reinterpret_cast<void**>(&pAsked)));
    IStream* pClone = nullptr;
    ASSERT_EQ(S_OK, pWrapper->Clone(&pClone));
    EXPECT_EQ(E_POINTER, pWrapper->Clone(nullptr));
    for (IStream* pStream : {static_cast<IStream*>(pWrapper), pAsked, pClone})
    {
        ULONG nWritten = 0;
        EXPECT_EQ(E_ACCESSDENIED, pStream->Write("x", 1, &nWritten));
        ULARGE_INTEGER size{};
        EXPECT_EQ(E_ACCESSDENIED, pStream->SetSize(size));
        EXPECT_EQ(E_ACCESSDENIED, pStream->Commit(0));
        EXPECT_EQ(E_ACCESSDENIED, pStream->Revert());
    }
    EXPECT_EQ("contents", ReadAll(pClone));
    EXPECT_EQ("contents", ReadAll(pAsked));
    pClone->Release();
    pAsked->Release();
    pWrapper->Release();
}

TEST(ZipMemFile, FillsFromAFileAndHandsOutItsBlock)
{
    ScratchFolder folder;
    const std::wstring path = folder.WriteFile(L"layout.bin", std::string("\x01\x02\x00\x03", 4));
    CLVKZipMemFile file;
    ASSERT_TRUE(file.AttachFileContents(path.c_str()));
    EXPECT_EQ(4u, file.GetLength());
    BYTE bytes[4] = {};
    EXPECT_EQ(4u, file.Read(bytes, 4));
    EXPECT_EQ(3, bytes[3]);
    EXPECT_FALSE(CLVKZipMemFile().AttachFileContents(folder.PathOf(L"none.bin").c_str()));

    CLVKZipMemFile written;
    written.Write("abcdef", 6);
    UINT nSize = 0;
    BYTE* pBlock = written.DetachBuffer(nSize);
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(6u, nSize);
    EXPECT_EQ(0, memcmp(pBlock, "abcdef", 6));
    free(pBlock);

    BYTE caller[3] = {7, 8, 9};
    {
        CLVKZipMemFile over(caller, 3);
        BYTE b = 0;
        over.Seek(2, CFile::begin);
        over.Read(&b, 1);
        EXPECT_EQ(9, b);
    }
    EXPECT_EQ(7, caller[0]) << "the caller's block is not freed";
}

TEST(TextDecoding, DecodesByByteOrderMark)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        DWORD nCapacity;
        bool bOk;
        std::wstring text;
    };
    const Case cases[] = {
        {"UTF-16 with mark", std::string("\xFF\xFEh\0i\0", 6), 16, true, L"hi"},
        {"UTF-16 with an odd last byte", std::string("\xFF\xFEh\0i", 5), 16, true, L"h"},
        {"UTF-16 stops at a zero", std::string("\xFF\xFEh\0\0\0i\0", 8), 16, true, L"h"},
        {"UTF-16 mark only", std::string("\xFF\xFE", 2), 16, true, L""},
        {"UTF-8 with mark",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9",
         16, true, L"caf\u00E9"},
        {"UTF-8 mark only", "\xEF\xBB\xBF", 16, true, L""},
        {"UTF-8 cut in a character",
         "\xEF\xBB\xBF"
         "a\xC3",
         16, true, L"a\uFFFD"},
        {"ANSI", "plain", 16, true, L"plain"},
        {"ANSI stops at a zero", std::string("ab\0cd", 5), 16, true, L"ab"},
        {"empty", "", 16, true, L""},
        {"UTF-16 without mark", std::string("T\0h\0i\0s\0 \0i\0s\0 \0U\0n\0i\0c\0o\0d\0e\0 \0t\0e\0x\0t\0", 40), 64,
         true, L"This is Unicode text"},
        {"fits exactly", "abc", 4, true, L"abc"},
        {"one character too long", "abcd", 4, false, L""},
        {"UTF-16 too long", std::string("\xFF\xFEh\0i\0", 6), 2, false, L""},
        {"no capacity", "", 0, false, L""},
    };
    for (const Case& c : cases)
    {
        std::vector<wchar_t> buffer(c.nCapacity + 1, L'#');
        DWORD nChars = c.nCapacity;
        const bool bOk = LVKDecodeTextBuffer(reinterpret_cast<const BYTE*>(c.bytes.data()),
                                             static_cast<DWORD>(c.bytes.size()), buffer.data(), &nChars);
        EXPECT_EQ(c.bOk, bOk) << c.name;
        if (bOk)
        {
            EXPECT_EQ(c.text, std::wstring(buffer.data())) << c.name;
            EXPECT_EQ(c.text.size(), nChars) << c.name;
        }
        EXPECT_EQ(L'#', buffer[c.nCapacity]) << c.name << ": wrote past the capacity";
    }
    wchar_t buffer[4];
    DWORD nChars = 4;
    EXPECT_FALSE(LVKDecodeTextBuffer(nullptr, 0, buffer, &nChars));
    EXPECT_FALSE(LVKDecodeTextBuffer(reinterpret_cast<const BYTE*>("a"), 1, nullptr, &nChars));
    EXPECT_FALSE(LVKDecodeTextBuffer(reinterpret_cast<const BYTE*>("a"), 1, buffer, nullptr));
}

// The wrapper counts its own references and holds one on the stream inside:
// releasing the wrapper neither frees nor keeps alive what others still hold.
TEST(ReadOnlyStreamWrapper, CountsItsOwnReferencesAndHoldsOneOnTheStream)
{
    IStream* pInner = nullptr;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(NULL, TRUE, &pInner));
    pInner->AddRef();  // one for the test, one handed to the wrapper
    auto* pWrapper = new CReadOnlyStreamWrapper(pInner);
    EXPECT_EQ(2u, pWrapper->AddRef());
    IStream* pAsked = nullptr;
    ASSERT_EQ(S_OK, pWrapper->QueryInterface(IID_IStream, reinterpret_cast<void**>(&pAsked)));
    EXPECT_EQ(static_cast<IStream*>(pWrapper), pAsked);
    EXPECT_EQ(2u, pAsked->Release());
    EXPECT_EQ(1u, pWrapper->Release());
    EXPECT_EQ(3u, pInner->AddRef()) << "the wrapper's references are its own";
    EXPECT_EQ(2u, pInner->Release());
    EXPECT_EQ(0u, pWrapper->Release()) << "the wrapper goes with its last reference";
    EXPECT_EQ(0u, pInner->Release()) << "and gave back its one reference on the stream";

    // A clone is a wrapper of its own with a reference on the cloned stream.
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(NULL, TRUE, &pInner));
    pWrapper = new CReadOnlyStreamWrapper(pInner);
    IStream* pClone = nullptr;
    ASSERT_EQ(S_OK, pWrapper->Clone(&pClone));
    EXPECT_EQ(0u, pWrapper->Release());
    ULONG nWritten = 0;
    EXPECT_EQ(E_ACCESSDENIED, pClone->Write("x", 1, &nWritten));
    EXPECT_EQ(0u, pClone->Release());
}

}  // namespace
