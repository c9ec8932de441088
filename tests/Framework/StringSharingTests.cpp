// Copies of a CString share one buffer until one of them changes: copying
// allocates nothing, and no change reaches another copy.
#include <gtest/gtest.h>

#include "Framework.h"

#include <functional>
#include <thread>
#include <vector>

namespace
{
// Every allocation that the testing thread makes through the framework's
// operator new is counted, so a test can see whether an operation allocated.
long g_nAllocations = 0;
DWORD g_dwCountingThread = 0;

BOOL AFXAPI CountAllocation(size_t, BOOL, LONG)
{
    if (::GetCurrentThreadId() == g_dwCountingThread)
        ++g_nAllocations;
    return TRUE;
}

long AllocationsDuring(const std::function<void()>& fn)
{
    g_nAllocations = 0;
    g_dwCountingThread = ::GetCurrentThreadId();
    const AFX_ALLOC_HOOK pfnOld = AfxSetAllocHook(CountAllocation);
    fn();
    AfxSetAllocHook(pfnOld);
    g_dwCountingThread = 0;
    return g_nAllocations;
}

TEST(StringSharing, CopiesAssignmentsAndComparisonsAllocateNothing)
{
    const CString strCaption(L"Virtual drive 000042 on C:\\Images\\Folder");  // far longer than any inline buffer
    std::vector<CString> copies(64);
    CString strLast;
    int nEqual = 0;
    const long nAllocated = AllocationsDuring(
        [&]
        {
            for (CString& strCopy : copies)
                strCopy = strCaption;
            CString strConstructed(copies[10]);
            strLast = strConstructed;
            for (const CString& strCopy : copies)
                nEqual += strCopy == strLast ? 1 : 0;
            CString strEmpty;
            strEmpty += strCaption;  // appending to an empty string shares too
            nEqual += strEmpty == strCaption ? 1 : 0;
        });
    EXPECT_EQ(0, nAllocated);
    EXPECT_EQ(65, nEqual);
    EXPECT_STREQ(L"Virtual drive 000042 on C:\\Images\\Folder", strLast);
    EXPECT_EQ(strCaption.GetString(), strLast.GetString()) << "the copies read the one buffer";
}

// Each change made to a copy: the copy shows it, the original and a third
// copy keep the text they had.
TEST(StringSharing, AChangeToOneCopyReachesNoOther)
{
    const wchar_t kText[] = L"  Lorvane drive label, Lorvane  ";
    struct Case
    {
        const char* name;
        std::function<void(CString&)> change;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"SetAt", [](CString& s) { s.SetAt(2, L'l'); }, L"  lorvane drive label, Lorvane  "},
        {"append text", [](CString& s) { s += L"!"; }, L"  Lorvane drive label, Lorvane  !"},
        {"append a character", [](CString& s) { s.AppendChar(L'!'); }, L"  Lorvane drive label, Lorvane  !"},
        {"MakeUpper", [](CString& s) { s.MakeUpper(); }, L"  LORVANE DRIVE LABEL, LORVANE  "},
        {"MakeReverse", [](CString& s) { s.MakeReverse(); }, L"  enavroL ,lebal evird enavroL  "},
        {"Trim", [](CString& s) { s.Trim(); }, L"Lorvane drive label, Lorvane"},
        {"TrimRight", [](CString& s) { s.TrimRight(); }, L"  Lorvane drive label, Lorvane"},
        {"Replace text", [](CString& s) { s.Replace(L"Lorvane", L"X"); }, L"  X drive label, X  "},
        {"Replace a character", [](CString& s) { s.Replace(L'a', L'4'); }, L"  Lorv4ne drive l4bel, Lorv4ne  "},
        {"Remove", [](CString& s) { s.Remove(L' '); }, L"Lorvanedrivelabel,Lorvane"},
        {"Insert", [](CString& s) { s.Insert(0, L">"); }, L">  Lorvane drive label, Lorvane  "},
        {"Delete", [](CString& s) { s.Delete(0, 10); }, L"drive label, Lorvane  "},
        {"Truncate", [](CString& s) { s.Truncate(9); }, L"  Lorvane"},
        {"Empty", [](CString& s) { s.Empty(); }, L""},
        {"Format", [](CString& s) { s.Format(L"%d", 42); }, L"42"},
        {"assign text", [](CString& s) { s = L"other"; }, L"other"},
        {"write through GetBuffer",
         [](CString& s)
         {
             s.GetBuffer()[2] = L'#';
             s.ReleaseBuffer();
         },
         L"  #orvane drive label, Lorvane  "},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const CString strOriginal(kText);
        CString strCopy = strOriginal;
        const CString strThird = strCopy;
        c.change(strCopy);
        EXPECT_STREQ(c.expected, strCopy);
        EXPECT_STREQ(kText, strOriginal);
        EXPECT_STREQ(kText, strThird);
    }
}

// A change that changes nothing (no match, nothing to trim) keeps sharing.
TEST(StringSharing, ChangesThatFindNothingDoNotCopy)
{
    const CString strOriginal(L"Drive label without spaces at its ends");
    CString strCopy = strOriginal;
    const long nAllocated = AllocationsDuring(
        [&]
        {
            EXPECT_EQ(0, strCopy.Replace(L"absent", L"x"));
            EXPECT_EQ(0, strCopy.Replace(L'#', L'x'));
            EXPECT_EQ(0, strCopy.Remove(L'#'));
            strCopy.Trim();
        });
    EXPECT_EQ(0, nAllocated);
    EXPECT_EQ(strOriginal.GetString(), strCopy.GetString());
}

// A buffer handed out by GetBuffer may still be written through its pointer:
// a copy made meanwhile has a buffer of its own.
TEST(StringSharing, ACopyOfAnOpenBufferIsItsOwn)
{
    CString strDrive(L"C:\\Images");
    LPTSTR pBuffer = strDrive.GetBuffer(32);
    const CString strConstructed = strDrive;
    CString strAssigned;
    strAssigned = strDrive;
    pBuffer[0] = L'D';
    strDrive.ReleaseBuffer();
    EXPECT_STREQ(L"D:\\Images", strDrive);
    EXPECT_STREQ(L"C:\\Images", strConstructed);
    EXPECT_STREQ(L"C:\\Images", strAssigned);

    // Released, it is shared again.
    const CString strShared = strDrive;
    EXPECT_EQ(strDrive.GetString(), strShared.GetString());
}

// Copies handed to other threads change there without touching the original,
// as the drive worker does with the captions it is given.
TEST(StringSharing, CopiesChangedOnOtherThreadsLeaveTheOriginalAlone)
{
    const CString strOriginal(L"Caption shared by the worker threads");
    std::vector<std::thread> threads;
    std::vector<CString> results(4);
    for (int t = 0; t < 4; t++)
    {
        threads.emplace_back(
            [&, t]
            {
                for (int i = 0; i < 2000; i++)
                {
                    CString strCopy = strOriginal;
                    strCopy.AppendFormat(L" %d", t);
                    if (i == 1999)
                        results[t] = strCopy;
                }
            });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_STREQ(L"Caption shared by the worker threads", strOriginal);
    for (int t = 0; t < 4; t++)
    {
        CString strExpected;
        strExpected.Format(L"Caption shared by the worker threads %d", t);
        EXPECT_EQ(strExpected, results[t]);
    }
}
}  // namespace
