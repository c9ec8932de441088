// Answers to "is the system this Windows version, or at least it?", each
// worked out once. Entry points newer than the oldest supported system are
// bound at run time; without VerifyVersionInfoW the answers come from
// GetVersionExW, and Windows 10 and 11 are recognised through RtlGetVersion,
// which (unlike the other two) is not capped by the program's manifest.
#pragma once

#include "Framework.h"
#include "ModuleHandle.h"

class CLVKSystemVersion
{
public:
    // The platform calls the answers come from. The process-wide object binds
    // the real ones; tests hand in their own to play other systems.
    struct VersionSource
    {
        BOOL(WINAPI* pfnVerifyVersionInfo)(OSVERSIONINFOEXW*, DWORD, DWORDLONG) = nullptr;
        ULONGLONG(WINAPI* pfnVerSetConditionMask)(ULONGLONG, DWORD, BYTE) = nullptr;
        LONG(WINAPI* pfnRtlGetVersion)(OSVERSIONINFOEXW*) = nullptr;
        BOOL(WINAPI* pfnGetVersionEx)(OSVERSIONINFOW*) = nullptr;
        int(WINAPI* pfnGetSystemMetrics)(int) = nullptr;
    };

    enum Condition
    {
        conditionEqual = VER_EQUAL,                // 1
        conditionGreaterEqual = VER_GREATER_EQUAL  // 3
    };

    static CLVKSystemVersion* AFX_CDECL GetGlobal();

    CLVKSystemVersion();
    explicit CLVKSystemVersion(const VersionSource& source);
    virtual ~CLVKSystemVersion() = default;

    BOOL IsVersion(int nCondition, DWORD dwMajor, DWORD dwMinor, DWORD dwPlatform);

    BOOL IsWin95();
    BOOL IsWin98();
    BOOL IsWinME();
    BOOL IsWin9x();
    BOOL IsWinNT4();
    BOOL IsNT4OrGreater();
    BOOL IsWin2000();
    BOOL IsWin2000OrGreater();
    BOOL IsWinXP();
    BOOL IsWinXPOrGreater();
    BOOL IsVistaOrGreater();
    BOOL IsWin7OrGreater();
    BOOL IsWin81OrGreater();
    BOOL IsWin10OrGreater();
    BOOL IsWin11OrGreater();
    BOOL IsClearTypeTextQualitySupported();
    BOOL IsLayoutRTLSupported();

    // comctl32's version as major << 16 | minor, read once per process;
    // 0x40000 (4.0) when it cannot be read.
    static DWORD AFX_CDECL GetComCtlVersion();

    CLVKSystemVersion(const CLVKSystemVersion&) = delete;
    CLVKSystemVersion& operator=(const CLVKSystemVersion&) = delete;

private:
    enum Answer
    {
        answerWin95,
        answerWin98,
        answerWinME,
        answerWinNT4,
        answerNT4OrGreater,
        answerWin2000,
        answerWin2000OrGreater,
        answerWinXP,
        answerWinXPOrGreater,
        answerVistaOrGreater,
        answerWin7OrGreater,
        answerWin81OrGreater,
        answerLayoutRTL,
        answerCount
    };

    BOOL Cached(Answer answer, int nCondition, DWORD dwMajor, DWORD dwMinor, DWORD dwPlatform);
    BOOL VerifyVersion(int nCondition, DWORD dwMajor, DWORD dwMinor, DWORD dwPlatform);
    BOOL CompareVersionByGetVersionEx(int nCondition, DWORD dwMajor, DWORD dwMinor, DWORD dwPlatform);
    BOOL QueryRtlVersion();

    CLVKModuleHandle m_kernel32;
    CLVKModuleHandle m_ntdll;
    VersionSource m_source;

    // -1 not yet asked, else the answer.
    volatile LONG m_answers[answerCount];
    // RtlGetVersion's result, kept once a call succeeded.
    BOOL m_bRtlVersionKnown = FALSE;
    DWORD m_dwRtlMajor = 0;
    DWORD m_dwRtlBuild = 0;
};
