// The property exchange's common rules (defaults, text forms, escapes,
// dates, letter-coded byte blocks, numbered sections) and the INI and
// registry stores, checked on the bytes each store leaves behind.
#include "Foundation/PropExchange.h"
#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Foundation/PropExchangeIniFile.h"
#include "Foundation/PropExchangeRegistry.h"
#include "Foundation/PropExchangeSection.h"

#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A small serialisable object for the byte-block tests.
class CPropTestShape : public CObject
{
    DECLARE_SERIAL(CPropTestShape)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nWidth << m_strName;
        else
            ar >> m_nWidth >> m_strName;
    }
    LONG m_nWidth = 0;
    CString m_strName;
};
IMPLEMENT_SERIAL(CPropTestShape, CObject, 1)

// Counts its constructions: a stored class name must not build an object of
// the wrong kind even for a moment.
class CPropCountedObject : public CObject
{
    DECLARE_SERIAL(CPropCountedObject)
public:
    CPropCountedObject() { ++s_nConstructed; }
    static int s_nConstructed;
};
int CPropCountedObject::s_nConstructed = 0;
IMPLEMENT_SERIAL(CPropCountedObject, CObject, 1)

// Fails while it is read or written with an exception the exchange does not
// turn into FALSE.
class CPropFailingObject : public CObject
{
public:
    void Serialize(CArchive&) override { AfxThrowFileException(CFileException::hardIO); }
};

namespace
{

// An exchange in the scope of a test, released at its end.
using Section = CLVKPropExchangeSection;

CLVKPropExchangeIniFile* NewIni(BOOL bLoading, const std::wstring& file, LPCTSTR pszSection = L"Bars")
{
    auto* pIni = new CLVKPropExchangeIniFile(bLoading, nullptr, pszSection);
    pIni->AssignFile(file.c_str());
    return pIni;
}

std::string IniText(const ScratchFolder& folder)
{
    std::string text;
    folder.ReadFile(L"settings.ini", text);
    return text;
}

// ---------------------------------------------------------------------------
// Text forms

TEST(PropExchangeText, DatesAreWrittenYearDayMonthAndReadBack)
{
    struct Case
    {
        const char* name;
        COleDateTime date;
        const wchar_t* text;
    };
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    COleDateTime null;
    null.SetStatus(COleDateTime::null);
    const Case cases[] = {
        {"time of day alone", COleDateTime(1899, 12, 30, 12, 30, 15), L"12:30:15"},
        {"date at midnight", COleDateTime(2017, 3, 5, 0, 0, 0), L"2017-05-03"},
        {"date and time", COleDateTime(2017, 3, 5, 14, 0, 0), L"2017-05-03T14:00:00"},
        {"invalid date", invalid, L"Invalid DateTime"},
        {"null date", null, L""},
    };
    for (const Case& c : cases)
    {
        EXPECT_STREQ(c.text, FormatDateTimeText(c.date).GetString()) << c.name;
        if (c.date.GetStatus() != COleDateTime::valid)
            continue;
        COleDateTime parsed;
        ASSERT_TRUE(ParseDateTimeText(c.text, parsed)) << c.name;
        EXPECT_NEAR(c.date.m_dt, parsed.m_dt, 1e-6) << c.name;
    }
}

TEST(PropExchangeText, DateTextsThatAreNoDateFailAndLeaveTheValue)
{
    const wchar_t* const texts[] = {L"2017-31-02", L"2017-13-13", L"2017-05", L"noon", L"", L"12"};
    for (const wchar_t* text : texts)
    {
        COleDateTime date(2000, 1, 1, 0, 0, 0);
        EXPECT_FALSE(ParseDateTimeText(text, date)) << "text: " << CStringA(text).GetString();
    }
    COleDateTime date;
    ASSERT_TRUE(ParseDateTimeText(L"2017-05-03T14:30", date)) << "five fields";
    EXPECT_EQ(30, date.GetMinute());
    ASSERT_TRUE(ParseDateTimeText(L"6:30", date)) << "hours and minutes";
    EXPECT_NEAR(6.5 / 24, date.m_dt, 1e-9);
}

TEST(PropExchangeText, TwoDatesWithinHalfASecondAreEqual)
{
    const COleDateTime base(2020, 6, 1, 10, 0, 0);
    COleDateTime closeBy(base.m_dt + 0.4 / 86400);
    COleDateTime farOff(base.m_dt + 0.6 / 86400);
    COleDateTime invalidA, invalidB, nullA, nullB;
    invalidA.SetStatus(COleDateTime::invalid);
    invalidB.SetStatus(COleDateTime::invalid);
    nullA.SetStatus(COleDateTime::null);
    nullB.SetStatus(COleDateTime::null);
    EXPECT_TRUE(CLVKPropExchange::IsDefaultValue(PX_DATETIME, &closeBy, &base));
    EXPECT_FALSE(CLVKPropExchange::IsDefaultValue(PX_DATETIME, &farOff, &base));
    EXPECT_FALSE(CLVKPropExchange::IsDefaultValue(PX_DATETIME, &invalidA, &invalidB)) << "two invalid dates";
    EXPECT_TRUE(CLVKPropExchange::IsDefaultValue(PX_DATETIME, &nullA, &nullB)) << "two null dates";
    EXPECT_FALSE(CLVKPropExchange::IsDefaultValue(PX_DATETIME, &nullA, &base)) << "null and valid";
}

TEST(PropExchangeText, BytesBecomeLetterPairsLowNibbleFirst)
{
    const BYTE bytes[] = {0x00, 0xFF, 0x3C};
    EXPECT_STREQ(L"AAPPMD", EncodeBytesAsLetters(bytes, 3).GetString());

    struct Case
    {
        const char* name;
        const wchar_t* text;
        DWORD nBuffer;  // 0: let the decoder allocate
        BOOL bOk;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"two bytes", L"AAPP", 0, TRUE, {0x00, 0xFF}},
        {"odd length", L"AAP", 0, FALSE, {}},
        {"empty text", L"", 0, TRUE, {}},
        {"buffer too small", L"AAPPMD", 2, FALSE, {}},
        {"buffer large enough", L"AAPPMD", 3, TRUE, {0x00, 0xFF, 0x3C}},
        {"letters beyond P wrap", L"QA", 0, TRUE, {0x10}},
    };
    for (const Case& c : cases)
    {
        BYTE buffer[8] = {};
        BYTE* pData = c.nBuffer ? buffer : nullptr;
        DWORD nBytes = c.nBuffer;
        const BOOL bOk = DecodeLettersToBytes(c.text, pData, nBytes);
        EXPECT_EQ(c.bOk, bOk) << c.name;
        if (bOk)
        {
            ASSERT_EQ(c.bytes.size(), nBytes) << c.name;
            EXPECT_EQ(c.bytes, std::vector<BYTE>(pData, pData + nBytes)) << c.name;
        }
        if (!c.nBuffer)
            free(pData);
    }
}

TEST(PropExchangeText, StoredTextIsEscapedAndBstrsAreUnescapedInPlace)
{
    BSTR bstr = SysAllocString(L"a\\\\b\\tc\\nd\\re\\x\\");
    UnescapeStoredText(bstr);
    EXPECT_STREQ(L"a\\b\tc\nd\re\\x\\", bstr);
    SysFreeString(bstr);

    CString text(L"1\x01\x01\\2");
    ReplaceAllText(text, L"\\", L"<>");
    EXPECT_STREQ(L"1\x01\x01<>2", text.GetString());
}

// ---------------------------------------------------------------------------
// INI store

class IniExchange : public ::testing::Test
{
protected:
    ScratchFolder folder;
    std::wstring file = folder.PathOf(L"settings.ini");
};

TEST_F(IniExchange, WritesEachTypeInItsTextFormAndReadsItBack)
{
    short nShort = -1;
    int nInt = -42;
    BOOL bFlag = TRUE;
    BYTE nByte = 200;
    CString strText(L"tab\there\\back");
    RECT rc{1, -2, 30, 40};
    SIZE sz{5, 6};
    float fValue = 1.5f;
    double dValue = 0.25;
    COleDateTime date(2017, 3, 5, 14, 0, 0);
    const BYTE block[] = {0x00, 0xFF};
    {
        Section px(NewIni(FALSE, file));
        EXPECT_TRUE(ExchangeShort(px, L"Short", nShort, 0));
        EXPECT_TRUE(ExchangeInt(px, L"Int", nInt, 0));
        EXPECT_TRUE(ExchangeBool(px, L"Flag", bFlag, FALSE));
        EXPECT_TRUE(ExchangeByte(px, L"Byte", nByte, 0));
        EXPECT_TRUE(ExchangeString(px, L"Text", strText, L""));
        EXPECT_TRUE(ExchangeRect(px, L"Rect", rc, 0, 0, 0, 0));
        EXPECT_TRUE(ExchangeSize(px, L"Size", sz, 0, 0));
        EXPECT_TRUE(px->ExchangeValue(L"Float", PX_FLOAT, &fValue, nullptr));
        EXPECT_TRUE(px->ExchangeValue(L"Double", PX_DOUBLE, &dValue, nullptr));
        EXPECT_TRUE(ExchangeDateTime(px, L"Date", date, nullptr));
        EXPECT_TRUE(px->WriteBlock(L"Block", block, 2));
        CY cy{};
        EXPECT_FALSE(px->ExchangeValue(L"Money", PX_CURRENCY, &cy, nullptr)) << "currency has no text form";
    }
    EXPECT_EQ("[Bars]\r\nShort=65535\r\nInt=-42\r\nFlag=1\r\nByte=200\r\nText=tab\\there\\\\back\r\n"
              "Rect=1, -2, 30, 40\r\nSize=5, 6\r\nFloat=1.5\r\nDouble=0.25\r\nDate=2017-05-03T14:00:00\r\n"
              "Block=AAPP\r\n",
              IniText(folder));

    Section px(NewIni(TRUE, file));
    short nShortIn = 0;
    int nIntIn = 0;
    BOOL bFlagIn = FALSE;
    BYTE nByteIn = 0;
    CString strTextIn;
    RECT rcIn{};
    SIZE szIn{};
    float fIn = 0;
    double dIn = 0;
    COleDateTime dateIn;
    BYTE blockIn[2] = {};
    EXPECT_TRUE(ExchangeShort(px, L"Short", nShortIn, 0));
    EXPECT_TRUE(ExchangeInt(px, L"Int", nIntIn, 0));
    EXPECT_TRUE(ExchangeBool(px, L"Flag", bFlagIn, FALSE));
    EXPECT_TRUE(ExchangeByte(px, L"Byte", nByteIn, 0));
    EXPECT_TRUE(ExchangeString(px, L"Text", strTextIn, L""));
    EXPECT_TRUE(ExchangeRect(px, L"Rect", rcIn, 0, 0, 0, 0));
    EXPECT_TRUE(ExchangeSize(px, L"Size", szIn, 0, 0));
    EXPECT_TRUE(px->ExchangeValue(L"Float", PX_FLOAT, &fIn, nullptr));
    EXPECT_TRUE(px->ExchangeValue(L"Double", PX_DOUBLE, &dIn, nullptr));
    EXPECT_TRUE(ExchangeDateTime(px, L"Date", dateIn, nullptr));
    EXPECT_EQ(2u, px->ReadBlock(L"Block", blockIn, 2));
    EXPECT_EQ(-1, nShortIn);
    EXPECT_EQ(-42, nIntIn);
    EXPECT_EQ(TRUE, bFlagIn);
    EXPECT_EQ(200, nByteIn);
    EXPECT_STREQ(strText.GetString(), strTextIn.GetString());
    EXPECT_TRUE(EqualRect(&rc, &rcIn));
    EXPECT_EQ(5, szIn.cx);
    EXPECT_EQ(6, szIn.cy);
    EXPECT_EQ(1.5f, fIn);
    EXPECT_EQ(0.25, dIn);
    EXPECT_TRUE(CLVKPropExchange::IsDefaultValue(PX_DATETIME, &date, &dateIn));
    EXPECT_EQ(0x00, blockIn[0]);
    EXPECT_EQ(0xFF, blockIn[1]);
}

TEST_F(IniExchange, ValueEqualToItsDefaultIsNotWrittenAndDeletesTheStoredOne)
{
    folder.WriteFile(L"settings.ini", "[Bars]\r\nWidth=7\r\nOther=1\r\n");
    {
        Section px(NewIni(FALSE, file));
        int nWidth = 100;
        EXPECT_TRUE(ExchangeInt(px, L"Width", nWidth, 100));
        CString strName(L"x");
        EXPECT_TRUE(ExchangeString(px, L"Name", strName, L"x"));
    }
    EXPECT_EQ("[Bars]\r\nOther=1\r\n", IniText(folder));

    Section px(NewIni(TRUE, file));
    int nWidth = 0;
    EXPECT_TRUE(ExchangeInt(px, L"Width", nWidth, 100)) << "a missing value loads as its default";
    EXPECT_EQ(100, nWidth);

    px->m_bUseDefaultOnLoad = FALSE;
    int nKept = 55;
    EXPECT_FALSE(ExchangeInt(px, L"Width", nKept, 100)) << "no default to take";
    EXPECT_EQ(55, nKept);
}

TEST_F(IniExchange, WithUseDefaultOnSaveClearedEveryValueIsWritten)
{
    Section px(NewIni(FALSE, file));
    px->m_bUseDefaultOnSave = FALSE;
    int nWidth = 100;
    EXPECT_TRUE(ExchangeInt(px, L"Width", nWidth, 100));
    EXPECT_EQ("[Bars]\r\nWidth=100\r\n", IniText(folder));
}

TEST_F(IniExchange, ValuesThatDoNotParseLoadTheirDefault)
{
    folder.WriteFile(L"settings.ini", "[Bars]\r\nRect=1, 2, 3\r\nSize=9\r\nEmpty=\r\nNumber=  -12abc\r\n"
                                      "Big=99999999999\r\n");
    Section px(NewIni(TRUE, file));
    RECT rc{};
    EXPECT_TRUE(ExchangeRect(px, L"Rect", rc, 10, 20, 30, 40)) << "three numbers";
    EXPECT_EQ(10, rc.left);
    EXPECT_EQ(40, rc.bottom);
    SIZE sz{};
    EXPECT_TRUE(ExchangeSize(px, L"Size", sz, 7, 8)) << "one number";
    EXPECT_EQ(7, sz.cx);
    int nEmpty = 0;
    EXPECT_TRUE(ExchangeInt(px, L"Empty", nEmpty, 3)) << "an empty value";
    EXPECT_EQ(3, nEmpty);
    int nNumber = 0;
    EXPECT_TRUE(ExchangeInt(px, L"Number", nNumber, 0));
    EXPECT_EQ(-12, nNumber) << "stops at the first non-digit";
    int nBig = 0;
    EXPECT_TRUE(ExchangeInt(px, L"Big", nBig, 0));
    EXPECT_EQ(INT_MAX, nBig) << "clamped on overflow";
}

TEST_F(IniExchange, TextsReadBackWholeWhateverTheirLengthOrEdges)
{
    struct Case
    {
        const char* name;
        CString text;
    };
    const Case cases[] = {
        {"255 characters (a full first buffer)", CString(L'a', 255)},
        {"longer than the second buffer", CString(L'b', 20000)},
        {"blanks at both ends", CString(L"  padded  ")},
        {"enclosed in quotes", CString(L"\"quoted\"")},
        {"enclosed in single quotes", CString(L"'single'")},
        {"line breaks", CString(L"one\r\ntwo")},
    };
    for (const Case& c : cases)
    {
        CString text = c.text;
        {
            Section px(NewIni(FALSE, file));
            ASSERT_TRUE(ExchangeString(px, L"Text", text, L"")) << c.name;
        }
        Section px(NewIni(TRUE, file));
        CString loaded;
        EXPECT_TRUE(ExchangeStringNoDefault(px, L"Text", loaded)) << c.name;
        EXPECT_EQ(c.text.GetLength(), loaded.GetLength()) << c.name;
        EXPECT_TRUE(c.text == loaded) << c.name;
    }
}

TEST_F(IniExchange, LargeByteBlockRoundTrips)
{
    // 12,000 bytes are 24,000 letters: more than one re-read of a full buffer.
    std::vector<BYTE> block(12000);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<BYTE>(i * 7);
    {
        Section px(NewIni(FALSE, file));
        ASSERT_TRUE(px->WriteBlock(L"Layout", block.data(), static_cast<DWORD>(block.size())));
    }
    Section px(NewIni(TRUE, file));
    BYTE* pData = nullptr;
    DWORD nBytes = 0;
    ASSERT_TRUE(px->ExchangeBlob(L"Layout", pData, nBytes));
    ASSERT_EQ(block.size(), nBytes);
    EXPECT_EQ(block, std::vector<BYTE>(pData, pData + nBytes));
    free(pData);
}

TEST_F(IniExchange, DamagedLetterBlocksFail)
{
    folder.WriteFile(L"settings.ini", "[Bars]\r\nOdd=AAP\r\nGood=AAPPMD\r\n");
    Section px(NewIni(TRUE, file));
    BYTE buffer[2] = {};
    EXPECT_EQ(0u, px->ReadBlock(L"Odd", buffer, 2)) << "odd letter count";
    EXPECT_EQ(0u, px->ReadBlock(L"Good", buffer, 2)) << "buffer smaller than the block";
    EXPECT_EQ(0u, px->ReadBlock(L"Missing", buffer, 2)) << "missing block";
    EXPECT_EQ(0u, px->ReadBlock(L"Good", nullptr, 2)) << "no buffer";
}

TEST_F(IniExchange, ClearingASectionDeletesItAndItsSubsectionsOnly)
{
    folder.WriteFile(L"settings.ini",
                     "[Bars]\r\nA=1\r\n[Bars\\Bar0]\r\nB=2\r\n[BarsOld]\r\nC=3\r\n[bars\\x]\r\nD=4\r\n");
    Section px(NewIni(FALSE, file));
    px->ClearSection();
    EXPECT_EQ("[BarsOld]\r\nC=3\r\n[bars\\x]\r\nD=4\r\n", IniText(folder));

    // Once emptied, a default need not be deleted and clearing again does nothing.
    EXPECT_TRUE(px->IsEmptied());
}

TEST_F(IniExchange, SectionsAreNamedByTheirPathAndTheEnumeratorNumbersThem)
{
    {
        Section px(NewIni(FALSE, file));
        CLVKPropExchangeEnumeratorPtr items(px->CreateEnumerator(L"Bar"));
        DWORD_PTR pos = items->StartWalk(3);
        std::vector<std::wstring> names;
        int nIndex = 0;
        while (pos)
        {
            Section item(items->NextSection(pos));
            int nValue = 10 + nIndex++;
            ExchangeInt(item, L"Value", nValue, 0);
            names.push_back(static_cast<CLVKPropExchangeIniFile*>(item.Get())->GetSectionName().GetString());
            EXPECT_TRUE(item->IsChildExchange());
        }
        EXPECT_EQ((std::vector<std::wstring>{L"Bars\\Bar0", L"Bars\\Bar1", L"Bars\\Bar2"}), names);
    }
    EXPECT_EQ("[Bars]\r\nCount=3\r\n[Bars\\Bar0]\r\nValue=10\r\n[Bars\\Bar1]\r\nValue=11\r\n"
              "[Bars\\Bar2]\r\nValue=12\r\n",
              IniText(folder));

    Section px(NewIni(TRUE, file));
    CLVKPropExchangeEnumeratorPtr items(px->CreateEnumerator(L"Bar"));
    DWORD_PTR pos = items->StartWalk(0);
    EXPECT_EQ(3u, items->GetItemCount());
    std::vector<int> values;
    while (pos)
    {
        Section item(items->NextSection(pos));
        int nValue = 0;
        ExchangeInt(item, L"Value", nValue, 0);
        values.push_back(nValue);
    }
    EXPECT_EQ((std::vector<int>{10, 11, 12}), values);
}

TEST_F(IniExchange, NegativeStoredCountWalksNothing)
{
    folder.WriteFile(L"settings.ini", "[Bars]\r\nCount=-5\r\n");
    Section px(NewIni(TRUE, file));
    CLVKPropExchangeEnumeratorPtr items(px->CreateEnumerator(L"Bar"));
    EXPECT_EQ(0u, items->StartWalk(0));
    EXPECT_EQ(0u, items->GetItemCount());
    EXPECT_EQ(0u, px->LoadCount());
}

TEST_F(IniExchange, SchemaIsWrittenAndAStoreWithoutOneReadsAsOlder)
{
    {
        Section px(NewIni(FALSE, file));
        px->ExchangeSchema();
    }
    EXPECT_EQ("[Bars]\r\nSchema=42\r\n", IniText(folder));
    Section old(NewIni(TRUE, file, L"Other"));
    old->ExchangeSchema();
    EXPECT_EQ(32u, old->GetSchema());
    Section px(NewIni(TRUE, file));
    px->SetSchema(0);
    px->ExchangeSchema();
    EXPECT_EQ(42u, px->GetSchema());
}

TEST_F(IniExchange, SectionsInheritFlagsSchemaAndOwner)
{
    Section px(NewIni(TRUE, file));
    int owner = 0;
    px->m_pOwner = &owner;
    px->m_pContext = &owner;
    px->m_bUseDefaultOnLoad = FALSE;
    px->SetSchema(17);
    Section child(px->OpenSection(L"Child"));
    EXPECT_EQ(&owner, child->m_pOwner);
    EXPECT_EQ(nullptr, child->m_pContext) << "the context is not inherited";
    EXPECT_FALSE(child->m_bUseDefaultOnLoad);
    EXPECT_EQ(17u, child->GetSchema());
    EXPECT_TRUE(child->IsLoading());
}

TEST_F(IniExchange, ObjectsAndClassesTravelAsTextValues)
{
    {
        Section px(NewIni(FALSE, file));
        CPropTestShape shape;
        shape.m_nWidth = 0x3C;
        shape.m_strName = L"A";
        EXPECT_TRUE(ExchangeObject(px, L"Shape", &shape));
        CObject* pObject = &shape;
        EXPECT_TRUE(px->ExchangeObjectClass(pObject, RUNTIME_CLASS(CObject)));
    }
    // 3C 00 00 00, then the string in its wide form: FF FE FF, length 01, "A" 00.
    EXPECT_EQ("[Bars]\r\nShape=MDAAAAAAPPOPPPBABEAA\r\nClass=CPropTestShape\r\n", IniText(folder));

    Section px(NewIni(TRUE, file));
    CPropTestShape loaded;
    EXPECT_TRUE(ExchangeObject(px, L"Shape", &loaded));
    EXPECT_EQ(0x3C, loaded.m_nWidth);
    EXPECT_STREQ(L"A", loaded.m_strName.GetString());
    CObject* pCreated = nullptr;
    ASSERT_TRUE(px->ExchangeObjectClass(pCreated, RUNTIME_CLASS(CObject)));
    ASSERT_NE(nullptr, pCreated);
    EXPECT_TRUE(pCreated->IsKindOf(RUNTIME_CLASS(CPropTestShape)));
    delete pCreated;
}

TEST_F(IniExchange, UnknownOrUnrelatedStoredClassesCreateNothing)
{
    folder.WriteFile(L"settings.ini", "[Bars]\r\nClass=NoSuchClass\r\n[Other]\r\nClass=CPropTestShape\r\n");
    Section px(NewIni(TRUE, file));
    CObject* pObject = reinterpret_cast<CObject*>(0x1234);
    EXPECT_FALSE(px->ExchangeObjectClass(pObject, RUNTIME_CLASS(CObject)));
    EXPECT_EQ(reinterpret_cast<CObject*>(0x1234), pObject) << "left unchanged";

    Section other(NewIni(TRUE, file, L"Other"));
    EXPECT_FALSE(other->ExchangeObjectClass(pObject, RUNTIME_CLASS(CLVKPropExchange)));
    EXPECT_EQ(nullptr, pObject) << "not of the requested base";

    Section empty(NewIni(TRUE, file, L"Empty"));
    CRuntimeClass* pClass = nullptr;
    EXPECT_TRUE(empty->ExchangeClassName(L"Class", pClass, RUNTIME_CLASS(CPropTestShape)));
    EXPECT_EQ(RUNTIME_CLASS(CPropTestShape), pClass) << "a missing class is the default";
}

TEST_F(IniExchange, StoredClassOfTheWrongKindIsNotEvenConstructed)
{
    folder.WriteFile(L"settings.ini", "[Bars]\r\nClass=CPropCountedObject\r\n");
    Section px(NewIni(TRUE, file));
    CPropCountedObject::s_nConstructed = 0;
    CObject* pObject = nullptr;
    EXPECT_FALSE(px->ExchangeObjectClass(pObject, RUNTIME_CLASS(CLVKPropExchange)));
    EXPECT_EQ(nullptr, pObject);
    EXPECT_EQ(0, CPropCountedObject::s_nConstructed);
    ASSERT_TRUE(px->ExchangeObjectClass(pObject, RUNTIME_CLASS(CObject)));
    EXPECT_EQ(1, CPropCountedObject::s_nConstructed);
    delete pObject;
}

// Counts the archives it opens and closes.
class CCountingIni : public CLVKPropExchangeIniFile
{
public:
    CCountingIni(BOOL bLoading, const std::wstring& file) : CLVKPropExchangeIniFile(bLoading, nullptr, L"Bars")
    {
        AssignFile(file.c_str());
    }
    CArchive* OpenArchive(LPCTSTR pszKey) override
    {
        CArchive* pArchive = CLVKPropExchangeIniFile::OpenArchive(pszKey);
        if (pArchive)
            ++m_nOpen;
        return pArchive;
    }
    void CloseArchive(LPCTSTR pszKey, CArchive* pArchive) override
    {
        if (pArchive)
            --m_nOpen;
        CLVKPropExchangeIniFile::CloseArchive(pszKey, pArchive);
    }
    int m_nOpen = 0;
};

TEST_F(IniExchange, ObjectThatFailsWithAnyExceptionStillClosesTheArchive)
{
    folder.WriteFile(L"settings.ini", "[Bars]\r\nShape=MDAAAAAAPPOPPPBABEAA\r\n");
    for (const BOOL bLoading : {TRUE, FALSE})
    {
        SCOPED_TRACE(bLoading ? "loading" : "storing");
        auto* pIni = new CCountingIni(bLoading, file);
        Section px(pIni);
        CPropFailingObject failing;
        try
        {
            ExchangeObject(px, L"Shape", &failing);
            ADD_FAILURE() << "the file exception did not reach the caller";
        }
        catch (CFileException* e)
        {
            EXPECT_EQ(CFileException::hardIO, e->m_cause);
            e->Delete();
        }
        EXPECT_EQ(0, pIni->m_nOpen) << "the archive was left open";
    }
}

TEST_F(IniExchange, DamagedObjectBlockGivesFalse)
{
    // Claims a string of 0x40 characters after the width, but the block ends.
    folder.WriteFile(L"settings.ini", "[Bars]\r\nShape=MDAAAAAAAE\r\n");
    Section px(NewIni(TRUE, file));
    CPropTestShape loaded;
    EXPECT_FALSE(ExchangeObject(px, L"Shape", &loaded));
}

TEST(IniExchangeTemporary, WorksOnATemporaryFileDeletedByTheRoot)
{
    std::wstring path;
    {
        Section px(new CLVKPropExchangeIniFile(FALSE, nullptr, L"Bars"));
        int nValue = 5;
        EXPECT_TRUE(ExchangeInt(px, L"Value", nValue, 0));
        path = static_cast<CLVKPropExchangeIniFile*>(px.Get())->GetFile().GetString();
        EXPECT_NE(std::wstring::npos, path.find(L"lvk"));
        {
            Section child(px->OpenSection(L"Child"));
            EXPECT_TRUE(ExchangeInt(child, L"Value", nValue, 0));
        }
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str())) << "a child does not delete it";
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
}

TEST(IniExchangeTemporary, ChildKeepsItsFileWhenTheRootIsReleasedFirst)
{
    CLVKPropExchange* pRoot = new CLVKPropExchangeIniFile(FALSE, nullptr, L"Bars");
    CLVKPropExchange* pChild = pRoot->OpenSection(L"Child");
    pRoot->InternalRelease();
    int nValue = 9;
    EXPECT_TRUE(ExchangeInt(pChild, L"Value", nValue, 0));
    const std::wstring path = static_cast<CLVKPropExchangeIniFile*>(pChild)->GetFile().GetString();
    pChild->InternalRelease();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
}

TEST(PropExchangeFunctions, NullExchangeGivesFalse)
{
    int n = 0;
    CString s;
    EXPECT_FALSE(ExchangeInt(nullptr, L"x", n, 0));
    EXPECT_FALSE(ExchangeString(nullptr, L"x", s, L""));
    EXPECT_FALSE(ExchangeObject(nullptr, L"x", nullptr));
    CLVKPropExchangeEnumerator items(nullptr, L"Bar");
    EXPECT_EQ(0u, items.StartWalk(3));
    EXPECT_EQ(0u, items.GetItemCount());
}

TEST_F(IniExchange, SwappedSizesAndUnsetRectangles)
{
    {
        Section px(NewIni(FALSE, file));
        SIZE sz{3, 4};
        EXPECT_TRUE(ExchangeSizeSwapped(px, L"Swapped", sz, 1, 2));
        const LONG kUnset = static_cast<LONG>(0x80000000);
        RECT rc{kUnset, kUnset, kUnset, kUnset};
        EXPECT_TRUE(ExchangeRectDpi(px, L"Unset", rc, RECT{}));
        SIZE szDefault{3, 4};
        EXPECT_TRUE(ExchangeSizeSwapped(px, L"Default", szDefault, 3, 4));
    }
    EXPECT_EQ("[Bars]\r\nSwapped=4, 3\r\nUnset=-2147483648, -2147483648, -2147483648, -2147483648\r\n",
              IniText(folder));
    Section px(NewIni(TRUE, file));
    SIZE sz{};
    EXPECT_TRUE(ExchangeSizeSwapped(px, L"Swapped", sz, 1, 2));
    EXPECT_EQ(3, sz.cx);
    EXPECT_EQ(4, sz.cy);
    SIZE szMissing{};
    EXPECT_TRUE(ExchangeSizeSwapped(px, L"Missing", szMissing, 1, 2));
    EXPECT_EQ(1, szMissing.cx);
    EXPECT_EQ(2, szMissing.cy);
}

// ---------------------------------------------------------------------------
// Registry store

class RegistryExchange : public ::testing::Test
{
protected:
    CLVKPropExchangeRegistry* NewRegistry(BOOL bLoading, LPCTSTR pszSection = L"Bars")
    {
        return new CLVKPropExchangeRegistry(bLoading, key.Key(), pszSection);
    }
    bool ReadRaw(const std::wstring& subKey, const wchar_t* name, DWORD& type, std::vector<BYTE>& data)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExW(key.Key(), subKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        DWORD size = 0;
        LONG result = RegQueryValueExW(hKey, name, nullptr, &type, nullptr, &size);
        data.assign(size, 0);
        if (result == ERROR_SUCCESS)
            result = RegQueryValueExW(hKey, name, nullptr, &type, data.data(), &size);
        RegCloseKey(hKey);
        return result == ERROR_SUCCESS;
    }

    ScratchRegistryKey key;
};

TEST_F(RegistryExchange, WritesEachTypeInItsRegistryForm)
{
    {
        Section px(NewRegistry(FALSE));
        short nShort = -1;
        BYTE nByte = 0xAB;
        CString strText(L"tab\tkept");
        RECT rc{1, 2, 3, 4};
        SIZE sz{-5, 6};
        double dValue = 2.5;
        const BYTE block[] = {1, 2, 3};
        EXPECT_TRUE(ExchangeShort(px, L"Short", nShort, 0));
        EXPECT_TRUE(ExchangeByte(px, L"Byte", nByte, 0));
        EXPECT_TRUE(ExchangeString(px, L"Text", strText, L""));
        EXPECT_TRUE(ExchangeRect(px, L"Rect", rc, 0, 0, 0, 0));
        EXPECT_TRUE(ExchangeSize(px, L"Size", sz, 0, 0));
        EXPECT_TRUE(px->ExchangeValue(L"Double", PX_DOUBLE, &dValue, nullptr));
        EXPECT_TRUE(px->WriteBlock(L"Block", block, 3));
        COleDateTime date;
        EXPECT_FALSE(ExchangeDateTime(px, L"Date", date, nullptr)) << "dates have no registry form";
    }
    struct Expected
    {
        const wchar_t* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    auto text = [](const wchar_t* s)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(s);
        return std::vector<BYTE>(p, p + (wcslen(s) + 1) * sizeof(wchar_t));
    };
    double dValue = 2.5;
    const BYTE* pDouble = reinterpret_cast<const BYTE*>(&dValue);
    const Expected expected[] = {
        {L"Short", REG_DWORD, {0xFF, 0xFF, 0x00, 0x00}},
        {L"Byte", REG_DWORD, {0xAB, 0x00, 0x00, 0x00}},
        {L"Text", REG_SZ, text(L"tab\tkept")},
        {L"Rect", REG_SZ, text(L"1, 2, 3, 4")},
        {L"Size", REG_SZ, text(L"-5, 6")},
        {L"Double", REG_BINARY, std::vector<BYTE>(pDouble, pDouble + 8)},
        {L"Block", REG_BINARY, {1, 2, 3}},
    };
    for (const Expected& e : expected)
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(ReadRaw(L"Bars", e.name, type, data)) << CStringA(e.name).GetString();
        EXPECT_EQ(e.type, type) << CStringA(e.name).GetString();
        EXPECT_EQ(e.data, data) << CStringA(e.name).GetString();
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_FALSE(ReadRaw(L"Bars", L"Date", type, data));

    Section px(NewRegistry(TRUE));
    short nShort = 0;
    BYTE nByte = 0;
    CString strText;
    RECT rc{};
    SIZE sz{};
    double dLoaded = 0;
    BYTE* pBlock = nullptr;
    DWORD nBlock = 0;
    EXPECT_TRUE(ExchangeShort(px, L"Short", nShort, 0));
    EXPECT_TRUE(ExchangeByte(px, L"Byte", nByte, 0));
    EXPECT_TRUE(ExchangeString(px, L"Text", strText, L""));
    EXPECT_TRUE(ExchangeRect(px, L"Rect", rc, 0, 0, 0, 0));
    EXPECT_TRUE(ExchangeSize(px, L"Size", sz, 0, 0));
    EXPECT_TRUE(px->ExchangeValue(L"Double", PX_DOUBLE, &dLoaded, nullptr)) << "written values read back";
    EXPECT_TRUE(px->ExchangeBlob(L"Block", pBlock, nBlock));
    EXPECT_EQ(-1, nShort);
    EXPECT_EQ(0xAB, nByte);
    EXPECT_STREQ(L"tab\tkept", strText.GetString());
    EXPECT_EQ(4, rc.bottom);
    EXPECT_EQ(-5, sz.cx);
    EXPECT_EQ(2.5, dLoaded);
    ASSERT_EQ(3u, nBlock);
    EXPECT_EQ(3, pBlock[2]);
    free(pBlock);
}

TEST_F(RegistryExchange, ValueEqualToItsDefaultIsDeleted)
{
    key.SetDword(L"Bars", L"Width", 7);
    {
        Section px(NewRegistry(FALSE));
        int nWidth = 100;
        EXPECT_TRUE(ExchangeInt(px, L"Width", nWidth, 100));
    }
    DWORD dw = 0;
    EXPECT_FALSE(key.GetDword(L"Bars", L"Width", dw));
    Section px(NewRegistry(TRUE));
    int nWidth = 0;
    EXPECT_TRUE(ExchangeInt(px, L"Width", nWidth, 100));
    EXPECT_EQ(100, nWidth);
}

TEST_F(RegistryExchange, BadStoredDataLoadsTheDefault)
{
    key.SetString(L"Bars", L"Rect", L"1, 2");
    key.SetString(L"Bars", L"Long", L"x");
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(key.Key(), L"Bars", 0, KEY_WRITE, &hKey));
        const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        RegSetValueExW(hKey, L"Wide", 0, REG_BINARY, eight, 8);
        RegSetValueExW(hKey, L"ShortFloat", 0, REG_BINARY, eight, 3);
        // Text without its terminating zero, followed in memory by more characters.
        const wchar_t unterminated[] = L"abcXYZ";
        RegSetValueExW(hKey, L"Open", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), 3 * sizeof(wchar_t));
        RegSetValueExW(hKey, L"OddText", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), 5);
        RegCloseKey(hKey);
    }
    Section px(NewRegistry(TRUE));
    RECT rc{};
    EXPECT_TRUE(ExchangeRect(px, L"Rect", rc, 9, 9, 9, 9));
    EXPECT_EQ(9, rc.left);
    int nWide = 0;
    EXPECT_TRUE(ExchangeInt(px, L"Wide", nWide, 4)) << "data longer than four bytes";
    EXPECT_EQ(4, nWide);
    float fValue = 0;
    const float fDefault = 0.5f;
    EXPECT_TRUE(px->ExchangeValue(L"ShortFloat", PX_FLOAT, &fValue, &fDefault)) << "wrong size";
    EXPECT_EQ(0.5f, fValue);
    CString strOpen;
    EXPECT_TRUE(ExchangeStringNoDefault(px, L"Open", strOpen));
    EXPECT_STREQ(L"abc", strOpen.GetString());
    CString strOdd;
    EXPECT_TRUE(ExchangeStringNoDefault(px, L"OddText", strOdd));
    EXPECT_EQ(0, wcsncmp(L"ab", strOdd.GetString(), 2));
    BSTR bstr = nullptr;
    EXPECT_FALSE(ExchangeBstr(px, L"Long", bstr, L"d")) << "no BSTR form: unchanged";
    EXPECT_EQ(nullptr, bstr);
    BYTE small[2] = {};
    BYTE* pSmall = small;
    DWORD nSmall = 2;
    EXPECT_FALSE(px->ExchangeBlob(L"Wide", pSmall, nSmall)) << "caller buffer smaller than the data";
}

TEST_F(RegistryExchange, LoadingCreatesTheSectionAndClearingDeletesIt)
{
    {
        Section px(NewRegistry(TRUE, L"Fresh"));
        int n = 0;
        ExchangeInt(px, L"Value", n, 3);
        EXPECT_EQ(3, n);
    }
    EXPECT_TRUE(key.HasSubKey(L"Fresh"));

    key.SetDword(L"Bars\\Bar0", L"Value", 1);
    key.SetDword(L"Bars", L"Value", 1);
    Section px(NewRegistry(FALSE));
    px->ClearSection();
    EXPECT_FALSE(key.HasSubKey(L"Bars"));
    EXPECT_TRUE(px->IsEmptied());
    int nValue = 8;
    EXPECT_TRUE(ExchangeInt(px, L"Value", nValue, 0)) << "the key comes back on the next value";
    DWORD dw = 0;
    EXPECT_TRUE(key.GetDword(L"Bars", L"Value", dw));
    EXPECT_EQ(8u, dw);
}

TEST_F(RegistryExchange, SectionsAreSubkeys)
{
    {
        Section px(NewRegistry(FALSE));
        Section child(px->OpenSection(L"Bar0"));
        int nValue = 4;
        EXPECT_TRUE(ExchangeInt(child, L"Value", nValue, 0));
        px->StoreCount(1);
    }
    DWORD dw = 0;
    EXPECT_TRUE(key.GetDword(L"Bars\\Bar0", L"Value", dw));
    EXPECT_EQ(4u, dw);
    EXPECT_TRUE(key.GetDword(L"Bars", L"Count", dw));
    EXPECT_EQ(1u, dw);
    Section px(NewRegistry(TRUE));
    EXPECT_EQ(1u, px->LoadCount());
    EXPECT_TRUE(px->PrefersBinaryObjects());
}

TEST(RegistryExchangeWithoutKey, LoadsDefaultsAndRefusesToStore)
{
    Section loading(new CLVKPropExchangeRegistry(TRUE, nullptr, L"Bars"));
    Section storing(new CLVKPropExchangeRegistry(FALSE, nullptr, L"Bars"));
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pszRegistryKey)
        GTEST_SKIP() << "the test program has an application registry key";
    int n = 0;
    EXPECT_TRUE(ExchangeInt(loading, L"Value", n, 6));
    EXPECT_EQ(6, n);
    EXPECT_FALSE(ExchangeInt(storing, L"Value", n, 0));
}

}  // namespace
