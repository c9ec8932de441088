// COleDateTime (an OLE DATE with a validity status) and COleDateTimeSpan,
// with their archive forms.
#pragma once

#include "Archive.h"
#include "String.h"

class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc) {}
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) { SetDateTimeSpan(lDays, nHours, nMins, nSecs); }

    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    LONG GetDays() const { return static_cast<LONG>(m_span); }
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    operator double() const { return m_span; }
    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const { return COleDateTimeSpan(m_span + other.m_span); }
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const { return COleDateTimeSpan(m_span - other.m_span); }
    COleDateTimeSpan operator-() const { return COleDateTimeSpan(-m_span); }

    double m_span = 0;
    DateTimeSpanStatus m_status = valid;
};

class COleDateTime
{
public:
    enum DateTimeStatus
    {
        error = -1,
        valid = 0,
        invalid = 1,
        null = 2
    };

    static COleDateTime PASCAL GetCurrentTime();

    COleDateTime() = default;
    COleDateTime(const VARIANT& varSrc);
    COleDateTime(DATE dtSrc) : m_dt(dtSrc) {}
    COleDateTime(const SYSTEMTIME& systimeSrc);
    // Converted to local time first.
    COleDateTime(const FILETIME& filetimeSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    {
        SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
    }
    COleDateTime(WORD wDosDate, WORD wDosTime);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // 0 on success; otherwise the date is marked invalid.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
    int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

    // FALSE for a date that is not valid or outside years 100 to 9999.
    bool GetAsSystemTime(SYSTEMTIME& sysTime) const;
    bool GetAsUDATE(UDATE& udate) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    int GetDayOfYear() const;  // 1 = 1 January

    // Text through the system's date conversion for a locale.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // strftime-style text (%Y, %m, %d, %H, %M, %S, ...).
    CString Format(LPCTSTR lpszFormat) const;
    CString Format(UINT nFormatID) const;
    // FALSE and invalid on failure: value 0 for text that is no date at all,
    // -1 for other failures.
    bool ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    operator DATE() const { return m_dt; }
    COleDateTime& operator=(DATE dtSrc);
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    COleDateTime& operator=(const VARIANT& varSrc);

    bool operator==(const COleDateTime& date) const;
    bool operator!=(const COleDateTime& date) const { return !(*this == date); }
    bool operator<(const COleDateTime& date) const;
    bool operator>(const COleDateTime& date) const { return date < *this; }
    bool operator<=(const COleDateTime& date) const { return !(date < *this); }
    bool operator>=(const COleDateTime& date) const { return !(*this < date); }

    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTime& operator+=(const COleDateTimeSpan& dateSpan) { return *this = *this + dateSpan; }
    COleDateTime& operator-=(const COleDateTimeSpan& dateSpan) { return *this = *this - dateSpan; }
    COleDateTimeSpan operator-(const COleDateTime& date) const;

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;
};

// Stored as the status (LONG) followed by the value (DATE).
CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc);
CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTimeSpan& spanSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTimeSpan& spanSrc);
