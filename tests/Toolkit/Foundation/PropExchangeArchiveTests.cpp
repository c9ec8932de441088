// The archive exchange: the exact bytes each value leaves in the stream,
// the schema record, and streams that are short, foreign or damaged.
#include "Foundation/PropExchangeArchive.h"
#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Foundation/PropExchangeSection.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class CPropArchiveShape : public CObject
{
    DECLARE_SERIAL(CPropArchiveShape)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nWidth;
        else
            ar >> m_nWidth;
    }
    LONG m_nWidth = 0;
};
IMPLEMENT_SERIAL(CPropArchiveShape, CObject, 3)

namespace
{

using Bytes = std::vector<BYTE>;

// Runs a storing routine over a fresh archive and returns the bytes it wrote.
Bytes Store(const std::function<void(CLVKPropExchange*)>& routine)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CLVKPropExchangeSection px(new CLVKPropExchangeArchive(ar));
        routine(px);
        ar.Close();
    }
    const UINT nLength = static_cast<UINT>(file.GetLength());
    BYTE* pData = file.Detach();
    Bytes bytes(pData, pData + nLength);
    free(pData);
    return bytes;
}

// Runs a loading routine over the given bytes.
void Load(const Bytes& bytes, const std::function<void(CLVKPropExchange*, CArchive&)>& routine)
{
    Bytes copy = bytes;
    CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    CLVKPropExchangeSection px(new CLVKPropExchangeArchive(ar));
    routine(px, ar);
}

// The archive exception's cause, or -1 when the routine finished.
int LoadCause(const Bytes& bytes, const std::function<void(CLVKPropExchange*)>& routine)
{
    int nCause = -1;
    try
    {
        Load(bytes, [&](CLVKPropExchange* px, CArchive&) { routine(px); });
    }
    catch (CArchiveException* e)
    {
        nCause = e->m_cause;
        e->Delete();
    }
    return nCause;
}

TEST(ArchiveExchange, EachTypeHasItsByteLayout)
{
    struct Case
    {
        const char* name;
        std::function<void(CLVKPropExchange*)> store;
        Bytes bytes;
    };
    const Case cases[] = {
        {"short",
         [](CLVKPropExchange* px)
         {
             short n = -2;
             ExchangeShort(px, L"k", n, -2);
         },
         {0xFE, 0xFF}},
        {"int, default ignored",
         [](CLVKPropExchange* px)
         {
             int n = 5;
             ExchangeInt(px, L"k", n, 5);
         },
         {5, 0, 0, 0}},
        {"bool",
         [](CLVKPropExchange* px)
         {
             BOOL b = TRUE;
             ExchangeBool(px, L"k", b, FALSE);
         },
         {1, 0, 0, 0}},
        {"byte",
         [](CLVKPropExchange* px)
         {
             BYTE b = 0x7F;
             ExchangeByte(px, L"k", b, 0);
         },
         {0x7F}},
        {"float",
         [](CLVKPropExchange* px)
         {
             float f = 1.0f;
             px->ExchangeValue(L"k", PX_FLOAT, &f, nullptr);
         },
         {0x00, 0x00, 0x80, 0x3F}},
        {"double",
         [](CLVKPropExchange* px)
         {
             double d = 2.0;
             px->ExchangeValue(L"k", PX_DOUBLE, &d, nullptr);
         },
         {0, 0, 0, 0, 0, 0, 0, 0x40}},
        {"currency, low half first",
         [](CLVKPropExchange* px)
         {
             CY cy{};
             cy.int64 = 0x0000000200000001LL;
             px->ExchangeValue(L"k", PX_CURRENCY, &cy, nullptr);
         },
         {1, 0, 0, 0, 2, 0, 0, 0}},
        {"date: status, then value",
         [](CLVKPropExchange* px)
         {
             COleDateTime date(2.0);
             date.SetStatus(COleDateTime::null);
             ExchangeDateTime(px, L"k", date, nullptr);
         },
         {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x40}},
        {"rectangle",
         [](CLVKPropExchange* px)
         {
             RECT rc{1, 2, 3, -1};
             ExchangeRect(px, L"k", rc, 0, 0, 0, 0);
         },
         {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"size",
         [](CLVKPropExchange* px)
         {
             SIZE sz{7, 8};
             ExchangeSize(px, L"k", sz, 0, 0);
         },
         {7, 0, 0, 0, 8, 0, 0, 0}},
        {"text in the framework's wide string form",
         [](CLVKPropExchange* px)
         {
             CString s(L"A");
             ExchangeString(px, L"k", s, L"");
         },
         {0xFF, 0xFE, 0xFF, 0x01, 0x41, 0x00}},
        {"variant: type, then value",
         [](CLVKPropExchange* px)
         {
             VARIANT var;
             VariantInit(&var);
             var.vt = VT_I4;
             var.lVal = 9;
             VARIANT varDefault;
             VariantInit(&varDefault);
             ExchangeVariant(px, L"k", var, varDefault);
         },
         {VT_I4, 0, 9, 0, 0, 0}},
        {"BSTR moves nothing",
         [](CLVKPropExchange* px)
         {
             BSTR bstr = nullptr;
             EXPECT_TRUE(ExchangeBstr(px, L"k", bstr, L""));
         },
         {}},
        {"unknown code moves nothing",
         [](CLVKPropExchange* px)
         {
             int n = 0;
             EXPECT_TRUE(px->ExchangeValue(L"k", 50, &n, nullptr));
         },
         {}},
        {"schema record",
         [](CLVKPropExchange* px) { px->ExchangeSchema(); },
         {0xBF, 0xAD, 0xF0, 0x0F, 0x2A, 0x00, 0x00, 0x00}},
        {"byte block: count, then bytes",
         [](CLVKPropExchange* px)
         {
             BYTE data[] = {9, 8, 7};
             BYTE* p = data;
             DWORD n = 3;
             px->ExchangeBlob(L"k", p, n);
         },
         {3, 0, 9, 8, 7}},
        {"written block: bytes only",
         [](CLVKPropExchange* px)
         {
             const BYTE data[] = {9, 8, 7};
             px->WriteBlock(L"k", data, 3);
         },
         {9, 8, 7}},
        {"count", [](CLVKPropExchange* px) { px->StoreCount(0x10000); }, {0xFF, 0xFF, 0, 0, 1, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bytes, Store(c.store)) << c.name;
}

TEST(ArchiveExchange, ValuesRoundTripInOrder)
{
    const Bytes bytes = Store(
        [](CLVKPropExchange* px)
        {
            px->ExchangeSchema();
            short s = -1;
            CString text(L"name\twith tab");
            RECT rc{-1, -2, -3, -4};
            COleDateTime date(2017, 3, 5, 14, 0, 0);
            VARIANT var;
            VariantInit(&var);
            var.vt = VT_BSTR;
            var.bstrVal = SysAllocString(L"variant");
            VARIANT varDefault;
            VariantInit(&varDefault);
            ExchangeShort(px, L"", s, 0);
            ExchangeString(px, L"", text, L"");
            ExchangeRect(px, L"", rc, 0, 0, 0, 0);
            ExchangeDateTime(px, L"", date, nullptr);
            ExchangeVariant(px, L"", var, varDefault);
            VariantClear(&var);
        });
    Load(bytes,
         [](CLVKPropExchange* px, CArchive&)
         {
             px->SetSchema(0);
             px->ExchangeSchema();
             EXPECT_EQ(42u, px->GetSchema());
             short s = 0;
             CString text;
             RECT rc{};
             COleDateTime date;
             VARIANT var;
             VariantInit(&var);
             VARIANT varDefault;
             VariantInit(&varDefault);
             ExchangeShort(px, L"", s, 0);
             ExchangeString(px, L"", text, L"");
             ExchangeRect(px, L"", rc, 0, 0, 0, 0);
             ExchangeDateTime(px, L"", date, nullptr);
             ExchangeVariant(px, L"", var, varDefault);
             EXPECT_EQ(-1, s);
             EXPECT_STREQ(L"name\twith tab", text.GetString());
             EXPECT_EQ(-4, rc.bottom);
             EXPECT_EQ(14, date.GetHour());
             ASSERT_EQ(VT_BSTR, var.vt);
             EXPECT_STREQ(L"variant", var.bstrVal);
             VariantClear(&var);
         });
}

TEST(ArchiveExchange, StreamWithoutSchemaRecordReadsAsSchema17AndKeepsItsBytes)
{
    struct Case
    {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"other first value", {0x05, 0x00, 0x00, 0x00, 0xAA}},
        {"magic's bytes in another order", {0x0F, 0xF0, 0xAD, 0xBF, 0xAA}},
        {"three bytes only", {0x05, 0x00, 0x00}},
        {"empty stream", {}},
    };
    for (const Case& c : cases)
    {
        Load(c.bytes,
             [&](CLVKPropExchange* px, CArchive& ar)
             {
                 px->ExchangeSchema();
                 EXPECT_EQ(17u, px->GetSchema()) << c.name;
                 Bytes rest(c.bytes.size());
                 const UINT nRead = rest.empty() ? 0 : ar.Read(rest.data(), static_cast<UINT>(rest.size()));
                 EXPECT_EQ(c.bytes.size(), nRead) << c.name;
                 EXPECT_EQ(c.bytes, rest) << c.name;
             });
    }
}

TEST(ArchiveExchange, DamagedStreamsFailWithoutReadingPastTheData)
{
    struct Case
    {
        const char* name;
        Bytes bytes;
        std::function<void(CLVKPropExchange*)> load;
        int nCause;  // -1: no exception
    };
    auto readBlock = [](BOOL bExpected)
    {
        return [bExpected](CLVKPropExchange* px)
        {
            BYTE* p = nullptr;
            DWORD n = 0;
            EXPECT_EQ(bExpected, px->ExchangeBlob(L"", p, n));
            free(p);
        };
    };
    const Case cases[] = {
        {"block count beyond the stream", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2}, readBlock(FALSE), -1},
        {"block count one past the end", {4, 0, 1, 2, 3}, readBlock(FALSE), -1},
        {"block fits exactly", {3, 0, 1, 2, 3}, readBlock(TRUE), -1},
        {"block count cut short", {0xFF, 0xFF, 1}, readBlock(FALSE), CArchiveException::endOfFile},
        {"rectangle cut short",
         {1, 0, 0, 0, 2, 0},
         [](CLVKPropExchange* px)
         {
             RECT rc{};
             ExchangeRect(px, L"", rc, 0, 0, 0, 0);
         },
         CArchiveException::endOfFile},
        {"string longer than the stream",
         {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x41, 0x00},
         [](CLVKPropExchange* px)
         {
             CString s;
             ExchangeString(px, L"", s, L"");
         },
         CArchiveException::endOfFile},
        {"schema record without its number",
         {0xBF, 0xAD, 0xF0, 0x0F, 0x2A},
         [](CLVKPropExchange* px) { px->ExchangeSchema(); },
         CArchiveException::endOfFile},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nCause, LoadCause(c.bytes, c.load)) << c.name;

    Load({3, 0, 1, 2, 3},
         [](CLVKPropExchange* px, CArchive&)
         {
             BYTE small[2] = {};
             BYTE* p = small;
             DWORD n = 2;
             EXPECT_FALSE(px->ExchangeBlob(L"", p, n)) << "caller buffer smaller than the count";
         });
}

TEST(ArchiveExchange, ReadBlockReadsUpToTheGivenSize)
{
    Load({1, 2, 3},
         [](CLVKPropExchange* px, CArchive&)
         {
             BYTE buffer[8] = {};
             EXPECT_EQ(3u, px->ReadBlock(L"", buffer, 8));
             EXPECT_EQ(3, buffer[2]);
         });
}

TEST(ArchiveExchange, EnumeratorItemsFollowEachOtherInTheStream)
{
    const Bytes bytes = Store(
        [](CLVKPropExchange* px)
        {
            CLVKPropExchangeEnumeratorPtr items(px->CreateEnumerator(L"Item"));
            DWORD_PTR pos = items->StartWalk(2, TRUE);
            int n = 0;
            while (pos)
            {
                CLVKPropExchangeSection item(items->NextSection(pos));
                int nValue = 100 + n++;
                ExchangeInt(item, L"Value", nValue, 0);
            }
            CLVKPropExchangeEnumeratorPtr keyed(px->CreateEnumerator(L"Other"));
            EXPECT_EQ(0u, keyed->StartWalk(0));
        });
    EXPECT_EQ((Bytes{2, 0, 100, 0, 0, 0, 101, 0, 0, 0, 0, 0, 0, 0}), bytes);
    Load(bytes,
         [](CLVKPropExchange* px, CArchive&)
         {
             EXPECT_FALSE(px->CanSkipValues());
             CLVKPropExchangeEnumeratorPtr items(px->CreateEnumerator(L"Item"));
             DWORD_PTR pos = items->StartWalk(0, TRUE);
             std::vector<int> values;
             while (pos)
             {
                 CLVKPropExchangeSection item(items->NextSection(pos));
                 int nValue = 0;
                 ExchangeInt(item, L"Value", nValue, 0);
                 values.push_back(nValue);
             }
             EXPECT_EQ((std::vector<int>{100, 101}), values);
         });
}

TEST(ArchiveExchange, ClassRecordsCarryTheClassSchemaAndObjectsAreMapped)
{
    const Bytes bytes = Store(
        [](CLVKPropExchange* px)
        {
            CPropArchiveShape shape;
            shape.m_nWidth = 12;
            CObject* pObject = &shape;
            EXPECT_TRUE(px->ExchangeObjectClass(pObject, RUNTIME_CLASS(CObject)));
            EXPECT_TRUE(ExchangeObject(px, L"", &shape));
            // A later reference to the same object is only its map index.
            CArchive& ar = static_cast<CLVKPropExchangeArchive*>(px)->GetArchive();
            ar << static_cast<const CObject*>(&shape);
        });
    Load(bytes,
         [](CLVKPropExchange* px, CArchive& ar)
         {
             CObject* pObject = nullptr;
             ASSERT_TRUE(px->ExchangeObjectClass(pObject, RUNTIME_CLASS(CObject)));
             ASSERT_NE(nullptr, pObject);
             EXPECT_EQ(3u, px->GetSchema()) << "the class's stored schema";
             EXPECT_TRUE(ExchangeObject(px, L"", pObject));
             EXPECT_EQ(12, static_cast<CPropArchiveShape*>(pObject)->m_nWidth);
             CObject* pAgain = nullptr;
             ar >> pAgain;
             EXPECT_EQ(pObject, pAgain);
             delete pObject;
         });
    const int nCause = LoadCause(bytes,
                                 [](CLVKPropExchange* px)
                                 {
                                     CRuntimeClass* pClass = nullptr;
                                     px->ExchangeClassName(L"", pClass, RUNTIME_CLASS(CLVKPropExchange));
                                 });
    EXPECT_EQ(CArchiveException::badClass, nCause) << "a class that is not of the requested base";
}

}  // namespace
