#include "Framework.h"

#include <math.h>
#include <time.h>

namespace
{
// OLE dates count days from 30 December 1899; the fraction is the time of day
// and keeps its meaning for negative dates (-1.25 is 29 December, 06:00).
const double kMinDate = -657434.0;  // 1 January 100
const double kMaxDate = 2958465.0;  // 31 December 9999
const long kDaysTo1970 = 25569;     // 30 December 1899 -> 1 January 1970

// Days since 1 January 1970 of a proleptic Gregorian date.
long DaysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long>(yoe) + era * 400 + (m <= 2));
}

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeap(y)) ? 29 : days[m - 1];
}

bool DateFromFields(int y, int mo, int d, int h, int mi, int s, DATE& dt)
{
    if (y < 100 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h < 0 || h > 23 || mi < 0 ||
        mi > 59 || s < 0 || s > 59)
        return false;
    const long days = DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) + kDaysTo1970;
    const double time = (h * 3600 + mi * 60 + s) / 86400.0;
    dt = days >= 0 ? days + time : days - time;
    return true;
}

struct DateFields
{
    int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
};

// Rounds to the nearest second, as the date's text forms show it.
bool FieldsFromDate(DATE dt, DateFields& f)
{
    if (!(dt >= kMinDate && dt <= kMaxDate))
        return false;
    long days = static_cast<long>(dt);  // toward zero: the fraction is the time of day
    long secs = static_cast<long>(floor(fabs(dt - days) * 86400.0 + 0.5));
    if (secs >= 86400)
    {
        secs -= 86400;
        ++days;
    }
    CivilFromDays(days - kDaysTo1970, f.year, f.month, f.day);
    f.hour = static_cast<int>(secs / 3600);
    f.minute = static_cast<int>(secs / 60 % 60);
    f.second = static_cast<int>(secs % 60);
    f.dayOfWeek = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;  // day 0 was a Saturday
    f.dayOfYear = static_cast<int>(days - (DaysFromCivil(f.year, 1, 1) + kDaysTo1970)) + 1;
    return true;
}

// A date as a plain number line (negative dates run backwards within the day).
double DateToLinear(DATE dt)
{
    if (dt >= 0)
        return dt;
    const double whole = ceil(dt);
    return whole + (whole - dt);
}

DATE LinearToDate(double linear)
{
    if (linear >= 0)
        return linear;
    const double whole = floor(linear);
    const double frac = linear - whole;
    if (frac == 0)
        return whole;
    return (whole + 1) - frac;
}
}  // namespace

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    m_span = lDays + (nHours * 3600.0 + nMins * 60.0 + nSecs) / 86400.0;
    m_status = valid;
}

LONG COleDateTimeSpan::GetHours() const
{
    const double secs = floor(fabs(m_span - GetDays()) * 86400.0 + 0.5);
    const LONG h = static_cast<LONG>(secs / 3600) % 24;
    return m_span < 0 ? -h : h;
}

LONG COleDateTimeSpan::GetMinutes() const
{
    const double secs = floor(fabs(m_span - GetDays()) * 86400.0 + 0.5);
    const LONG m = static_cast<LONG>(secs / 60) % 60;
    return m_span < 0 ? -m : m;
}

LONG COleDateTimeSpan::GetSeconds() const
{
    const double secs = floor(fabs(m_span - GetDays()) * 86400.0 + 0.5);
    const LONG s = static_cast<LONG>(secs) % 60;
    return m_span < 0 ? -s : s;
}

COleDateTime PASCAL COleDateTime::GetCurrentTime()
{
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return COleDateTime(st);
}

COleDateTime::COleDateTime(const VARIANT& varSrc)
{
    *this = varSrc;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc)
{
    *this = systimeSrc;
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc)
{
    FILETIME local{};
    SYSTEMTIME st{};
    if (FileTimeToLocalFileTime(&filetimeSrc, &local) && FileTimeToSystemTime(&local, &st))
        *this = st;
    else
        m_status = invalid;
}

COleDateTime::COleDateTime(WORD wDosDate, WORD wDosTime)
{
    SetDateTime(1980 + (wDosDate >> 9), (wDosDate >> 5) & 0x0F, wDosDate & 0x1F, wDosTime >> 11, (wDosTime >> 5) & 0x3F,
                (wDosTime & 0x1F) * 2);
}

COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = valid;
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour, systimeSrc.wMinute,
                systimeSrc.wSecond);
    return *this;
}

COleDateTime& COleDateTime::operator=(const VARIANT& varSrc)
{
    if (varSrc.vt == VT_DATE)
    {
        m_dt = varSrc.date;
        m_status = valid;
        return *this;
    }
    VARIANT converted;
    VariantInit(&converted);
    if (SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&varSrc), 0, VT_DATE)))
    {
        m_dt = converted.date;
        m_status = valid;
    }
    else
    {
        m_dt = 0;
        m_status = invalid;
    }
    VariantClear(&converted);
    return *this;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    DATE dt = 0;
    if (!DateFromFields(nYear, nMonth, nDay, nHour, nMin, nSec, dt))
    {
        m_status = invalid;
        return 1;
    }
    m_dt = dt;
    m_status = valid;
    return 0;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    DateFields f{};
    if (m_status != valid || !FieldsFromDate(m_dt, f))
        return false;
    sysTime = SYSTEMTIME{};
    sysTime.wYear = static_cast<WORD>(f.year);
    sysTime.wMonth = static_cast<WORD>(f.month);
    sysTime.wDay = static_cast<WORD>(f.day);
    sysTime.wHour = static_cast<WORD>(f.hour);
    sysTime.wMinute = static_cast<WORD>(f.minute);
    sysTime.wSecond = static_cast<WORD>(f.second);
    sysTime.wDayOfWeek = static_cast<WORD>(f.dayOfWeek - 1);
    return true;
}

bool COleDateTime::GetAsUDATE(UDATE& udate) const
{
    udate = UDATE{};
    if (!GetAsSystemTime(udate.st))
        return false;
    DateFields f{};
    FieldsFromDate(m_dt, f);
    udate.wDayOfYear = static_cast<USHORT>(f.dayOfYear);
    return true;
}

#define DATE_FIELD(name, member)                                               \
    int COleDateTime::name() const                                             \
    {                                                                          \
        DateFields f{};                                                        \
        return (m_status == valid && FieldsFromDate(m_dt, f)) ? f.member : -1; \
    }
DATE_FIELD(GetYear, year)
DATE_FIELD(GetMonth, month)
DATE_FIELD(GetDay, day)
DATE_FIELD(GetHour, hour)
DATE_FIELD(GetMinute, minute)
DATE_FIELD(GetSecond, second)
DATE_FIELD(GetDayOfWeek, dayOfWeek)
DATE_FIELD(GetDayOfYear, dayOfYear)
#undef DATE_FIELD

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString(L"Invalid DateTime");
    BSTR bstr = nullptr;
    if (FAILED(VarBstrFromDate(m_dt, lcid, dwFlags, &bstr)) || !bstr)
        return CString(L"Invalid DateTime");
    CString text(bstr, static_cast<int>(SysStringLen(bstr)));
    SysFreeString(bstr);
    return text;
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const
{
    if (m_status == null)
        return CString();
    DateFields f{};
    if (m_status != valid || !FieldsFromDate(m_dt, f))
        return CString(L"Invalid DateTime");
    if (!lpszFormat)
        return CString();
    tm t{};
    t.tm_year = f.year - 1900;
    t.tm_mon = f.month - 1;
    t.tm_mday = f.day;
    t.tm_hour = f.hour;
    t.tm_min = f.minute;
    t.tm_sec = f.second;
    t.tm_wday = f.dayOfWeek - 1;
    t.tm_yday = f.dayOfYear - 1;
    t.tm_isdst = -1;
    wchar_t text[256];
    const size_t n = wcsftime(text, _countof(text), lpszFormat, &t);
    return CString(text, static_cast<int>(n));
}

CString COleDateTime::Format(UINT nFormatID) const
{
    CString format;
    if (!format.LoadString(nFormatID))
        return CString();
    return Format(static_cast<LPCTSTR>(format));
}

bool COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    DATE dt = 0;
    const HRESULT hr = VarDateFromStr(const_cast<LPOLESTR>(lpszDate ? lpszDate : L""), lcid, dwFlags, &dt);
    if (FAILED(hr))
    {
        m_dt = (hr == DISP_E_TYPEMISMATCH) ? 0 : -1.0;
        m_status = invalid;
        return false;
    }
    m_dt = dt;
    m_status = valid;
    return true;
}

bool COleDateTime::operator==(const COleDateTime& date) const
{
    return m_status == date.m_status && m_dt == date.m_dt;
}

bool COleDateTime::operator<(const COleDateTime& date) const
{
    return DateToLinear(m_dt) < DateToLinear(date.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result(LinearToDate(DateToLinear(m_dt) + dateSpan.m_span));
    if (m_status != valid || dateSpan.m_status != COleDateTimeSpan::valid)
        result.m_status = invalid;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + (-dateSpan);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan span(DateToLinear(m_dt) - DateToLinear(date.m_dt));
    if (m_status != valid || date.m_status != valid)
        span.m_status = COleDateTimeSpan::invalid;
    return span;
}

CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc)
{
    return ar << static_cast<LONG>(dateSrc.m_status) << dateSrc.m_dt;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc)
{
    LONG status = 0;
    ar >> status >> dateSrc.m_dt;
    dateSrc.m_status = static_cast<COleDateTime::DateTimeStatus>(status);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTimeSpan& spanSrc)
{
    return ar << static_cast<LONG>(spanSrc.m_status) << spanSrc.m_span;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTimeSpan& spanSrc)
{
    LONG status = 0;
    ar >> status >> spanSrc.m_span;
    spanSrc.m_status = static_cast<COleDateTimeSpan::DateTimeSpanStatus>(status);
    return ar;
}
