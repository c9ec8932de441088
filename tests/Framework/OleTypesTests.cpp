// COleDateTime calendar arithmetic and COleVariant ownership.
#include "Framework.h"
#include "FrameworkTestPrint.h"

#include <gtest/gtest.h>

namespace
{

struct DateCase
{
    const char* name;
    int y, mo, d, h, mi, s;
    DATE expected;
};

class DateFromFields : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(DateFromFields, GivesTheOleDateAndBack)
{
    const DateCase& c = GetParam();
    const COleDateTime date(c.y, c.mo, c.d, c.h, c.mi, c.s);
    ASSERT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_DOUBLE_EQ(c.expected, date.m_dt);
    EXPECT_EQ(c.y, date.GetYear());
    EXPECT_EQ(c.mo, date.GetMonth());
    EXPECT_EQ(c.d, date.GetDay());
    EXPECT_EQ(c.h, date.GetHour());
    EXPECT_EQ(c.mi, date.GetMinute());
    EXPECT_EQ(c.s, date.GetSecond());

    // The system's own conversion agrees.
    SYSTEMTIME st{};
    ASSERT_TRUE(date.GetAsSystemTime(st));
    double systemDate = 0;
    ASSERT_TRUE(SystemTimeToVariantTime(&st, &systemDate));
    EXPECT_NEAR(c.expected, systemDate, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Table, DateFromFields,
                         ::testing::Values(DateCase{"Epoch", 1899, 12, 30, 0, 0, 0, 0.0},
                                           DateCase{"FirstOfJanuary1900", 1900, 1, 1, 0, 0, 0, 2.0},
                                           DateCase{"NoonIsHalfADay", 2000, 1, 1, 12, 0, 0, 36526.5},
                                           DateCase{"LeapDay", 2016, 2, 29, 0, 0, 0, 42429.0},
                                           DateCase{"BeforeTheEpochTimeCountsForward", 1899, 12, 29, 6, 0, 0, -1.25},
                                           DateCase{"EarliestYear", 100, 1, 1, 0, 0, 0, -657434.0},
                                           DateCase{"LatestDay", 9999, 12, 31, 0, 0, 0, 2958465.0}),
                         [](const ::testing::TestParamInfo<DateCase>& info) { return std::string(info.param.name); });

struct InvalidCase
{
    const char* name;
    int y, mo, d, h, mi, s;
};

class DateInvalidFields : public ::testing::TestWithParam<InvalidCase>
{
};

TEST_P(DateInvalidFields, MarkTheDateInvalid)
{
    const InvalidCase& c = GetParam();
    COleDateTime date;
    EXPECT_NE(0, date.SetDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s));
    EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
    EXPECT_EQ(-1, date.GetYear());
    EXPECT_EQ(CString(L"Invalid DateTime"), date.Format(L"%Y"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DateInvalidFields,
    ::testing::Values(InvalidCase{"ThirtyFirstOfFebruary", 2017, 2, 31, 0, 0, 0},
                      InvalidCase{"TwentyNinthOfFebruaryInCommonYear", 2017, 2, 29, 0, 0, 0},
                      InvalidCase{"MonthThirteen", 2017, 13, 1, 0, 0, 0}, InvalidCase{"DayZero", 2017, 1, 0, 0, 0, 0},
                      InvalidCase{"Hour24", 2017, 1, 1, 24, 0, 0}, InvalidCase{"Second60", 2017, 1, 1, 0, 0, 60},
                      InvalidCase{"Year99", 99, 1, 1, 0, 0, 0}, InvalidCase{"Year10000", 10000, 1, 1, 0, 0, 0}),
    [](const ::testing::TestParamInfo<InvalidCase>& info) { return std::string(info.param.name); });

TEST(OleDateTime, FormatWithPatterns)
{
    EXPECT_EQ(CString(L"2017-05-03T14:00:00"), COleDateTime(2017, 3, 5, 14, 0, 0).Format(L"%Y-%d-%mT%H:%M:%S"));
    EXPECT_EQ(CString(L"12:30:15"), COleDateTime(1899, 12, 30, 12, 30, 15).Format(L"%H:%M:%S"));
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    EXPECT_TRUE(nullDate.Format(L"%Y").IsEmpty());
}

TEST(OleDateTime, DayOfWeekAndYear)
{
    const COleDateTime date(2017, 3, 5, 0, 0, 0);  // a Sunday
    EXPECT_EQ(1, date.GetDayOfWeek());
    EXPECT_EQ(64, date.GetDayOfYear());
    EXPECT_EQ(7, COleDateTime(1899, 12, 30, 0, 0, 0).GetDayOfWeek());  // a Saturday
}

TEST(OleDateTime, RoundsToTheNearestSecondAcrossMidnight)
{
    const COleDateTime almost(COleDateTime(2000, 1, 1, 23, 59, 59).m_dt + 0.9 / 86400);
    EXPECT_EQ(2, almost.GetDay());
    EXPECT_EQ(0, almost.GetHour());
}

TEST(OleDateTime, SpanArithmeticCrossesTheEpoch)
{
    const COleDateTime before(1899, 12, 29, 18, 0, 0);  // -1.75
    const COleDateTime after = before + COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_EQ(COleDateTime(1899, 12, 30, 6, 0, 0), after);
    const COleDateTimeSpan span = after - before;
    EXPECT_DOUBLE_EQ(0.5, span.GetTotalDays());
    EXPECT_EQ(12, span.GetHours());
    EXPECT_TRUE(before < after);
}

TEST(OleDateTime, ParseDateTimeMarksFailures)
{
    COleDateTime date;
    EXPECT_FALSE(date.ParseDateTime(L"not a date at all", 0,
                                    MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)));
    EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
    EXPECT_EQ(0.0, date.m_dt);
    EXPECT_TRUE(
        date.ParseDateTime(L"3/5/2017", 0, MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)));
    EXPECT_EQ(2017, date.GetYear());
    EXPECT_EQ(3, date.GetMonth());
    EXPECT_EQ(5, date.GetDay());
}

TEST(OleVariant, CopiesOwnTheirStringsAndChangeTypeConverts)
{
    COleVariant a(L"text");
    COleVariant b(a);
    ASSERT_EQ(VT_BSTR, b.vt);
    EXPECT_NE(a.bstrVal, b.bstrVal);
    EXPECT_TRUE(a == b);
    a = 5L;
    EXPECT_EQ(VT_I4, a.vt);
    EXPECT_FALSE(a == b);
    a.ChangeType(VT_BSTR);
    EXPECT_STREQ(L"5", a.bstrVal);

    COleVariant date(COleDateTime(2017, 3, 5, 0, 0, 0));
    EXPECT_EQ(VT_DATE, date.vt);
    EXPECT_EQ(2017, COleDateTime(static_cast<const VARIANT&>(date)).GetYear());
}

TEST(OleVariant, FailedConversionThrowsTheOleException)
{
    COleVariant text(L"not a number");
    try
    {
        text.ChangeType(VT_I4);
        FAIL() << "converting text to a number succeeded";
    }
    catch (COleException* e)
    {
        EXPECT_EQ(DISP_E_TYPEMISMATCH, e->m_sc);
        e->Delete();
    }
}

TEST(OleVariant, DetachHandsOverTheValue)
{
    COleVariant text(L"kept");
    VARIANT raw = text.Detach();
    EXPECT_EQ(VT_EMPTY, text.vt);
    EXPECT_STREQ(L"kept", raw.bstrVal);
    VariantClear(&raw);
}

}  // namespace
