// Costs that multiply under every paint and mouse move: window-message
// dispatch through a deep chain of maps, memory files that grow piece by
// piece, and copying and comparing captions. Each test checks the behaviour
// and prints its figure ("[ FIGURE   ]") for the record.
#include "Framework.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

double MicrosecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now{}, frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return 1e6 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now;
}

// A chain of four classes, each with a map of its own; the messages are
// handled in the base-most map, or not at all.
const UINT kHandledAtTheBase = WM_APP + 1;
const UINT kHandledInTheMiddle = WM_APP + 2;
const UINT kNotHandled = WM_APP + 3;
int g_nBaseCalls = 0;
int g_nMiddleCalls = 0;

class CDispatchBase : public CWnd
{
public:
    afx_msg LRESULT OnBase(WPARAM, LPARAM)
    {
        ++g_nBaseCalls;
        return 11;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDispatchBase, CWnd)
    ON_MESSAGE(kHandledAtTheBase, OnBase)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_MOVE()
END_MESSAGE_MAP()

class CDispatchMiddle : public CDispatchBase
{
public:
    afx_msg LRESULT OnMiddle(WPARAM, LPARAM)
    {
        ++g_nMiddleCalls;
        return 22;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDispatchMiddle, CDispatchBase)
    ON_MESSAGE(kHandledInTheMiddle, OnMiddle)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_PAINT()
END_MESSAGE_MAP()

class CDispatchUpper : public CDispatchMiddle
{
protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDispatchUpper, CDispatchMiddle)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()

class CDispatchTop : public CDispatchUpper
{
public:
    // The lookup and dispatch alone, without the default procedure.
    BOOL Dispatch(UINT message)
    {
        LRESULT lResult = 0;
        return OnWndMsg(message, 0, 0, &lResult);
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDispatchTop, CDispatchUpper)
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_NCHITTEST()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

TEST(MessageDispatch, FindsTheEntryOfTheNearestMapEveryTime)
{
    CDispatchTop wnd;
    CDispatchMiddle middle;
    g_nBaseCalls = 0;
    g_nMiddleCalls = 0;
    LRESULT lResult = 0;
    for (int i = 0; i < 3; i++)
    {
        // Asked again, the same class gets the same answer; another class
        // with another chain gets its own.
        EXPECT_EQ(11, wnd.WindowProc(kHandledAtTheBase, 0, 0));
        EXPECT_EQ(22, wnd.WindowProc(kHandledInTheMiddle, 0, 0));
        EXPECT_EQ(22, middle.WindowProc(kHandledInTheMiddle, 0, 0));
        EXPECT_EQ(11, middle.WindowProc(kHandledAtTheBase, 0, 0));
    }
    EXPECT_EQ(6, g_nBaseCalls);
    EXPECT_EQ(6, g_nMiddleCalls);

    const int kMessages = 200000;
    const LARGE_INTEGER start = Now();
    for (int i = 0; i < kMessages; i++)
        lResult += wnd.WindowProc(kHandledAtTheBase, 0, 0);
    const double dHandled = MicrosecondsSince(start) * 1000.0 / kMessages;
    EXPECT_EQ(11LL * kMessages, static_cast<long long>(lResult));
    const LARGE_INTEGER startUnhandled = Now();
    int nHandled = 0;
    for (int i = 0; i < kMessages; i++)
        nHandled += wnd.Dispatch(kNotHandled + (i & 7));
    const double dUnhandled = MicrosecondsSince(startUnhandled) * 1000.0 / kMessages;
    EXPECT_EQ(0, nHandled);
    std::printf("[ FIGURE   ] message dispatch through four maps: %.1f ns handled at the base, %.1f ns not handled\n",
                dHandled, dUnhandled);
    RecordProperty("NanosecondsPerDispatch", std::to_string(dHandled));
}

// Commands, update requests and notifications are routed through chains of
// maps too, many times on every idle pass of the command bars.
const UINT kBaseCommand = 0x8100;
const UINT kRangeFirst = 0x8200;
const UINT kRangeLast = 0x8210;
const UINT kNotifyingControl = 0x300;
const UINT kUnknownCommand = 0x8400;
int g_nBaseCommand = 0;
int g_nTopCommand = 0;
int g_nUpdates = 0;
int g_nRangeSum = 0;
int g_nNotifications = 0;

class CCommandBase : public CCmdTarget
{
public:
    afx_msg void OnBaseCommand() { ++g_nBaseCommand; }
    afx_msg void OnUpdateBaseCommand(CCmdUI*) { ++g_nUpdates; }
    afx_msg void OnRange(UINT nID) { g_nRangeSum += static_cast<int>(nID - kRangeFirst); }
    afx_msg void OnNotification(NMHDR*, LRESULT* pResult)
    {
        ++g_nNotifications;
        *pResult = 7;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandBase, CCmdTarget)
    ON_COMMAND(kBaseCommand, OnBaseCommand)
    ON_UPDATE_COMMAND_UI(kBaseCommand, OnUpdateBaseCommand)
    ON_COMMAND_RANGE(kRangeFirst, kRangeLast, OnRange)
    ON_NOTIFY(NM_CLICK, kNotifyingControl, OnNotification)
END_MESSAGE_MAP()

class CCommandMiddle : public CCommandBase
{
public:
    afx_msg void OnOther() {}

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandMiddle, CCommandBase)
    ON_COMMAND(kBaseCommand + 1, OnOther)
    ON_COMMAND(kBaseCommand + 2, OnOther)
    ON_UPDATE_COMMAND_UI(kBaseCommand + 1, OnUpdateBaseCommand)
END_MESSAGE_MAP()

class CCommandTop : public CCommandMiddle
{
public:
    afx_msg void OnTopCommand() { ++g_nTopCommand; }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandTop, CCommandMiddle)
    ON_COMMAND(kBaseCommand + 3, OnOther)
    ON_COMMAND(kBaseCommand + 4, OnOther)
    ON_COMMAND(kRangeFirst + 5, OnTopCommand)  // the nearest map wins over the base's range
END_MESSAGE_MAP()

// The walk through every map of the chain, as routing did before it was
// cached; measured in the same run for the comparison.
BOOL WalkTheChain(const AFX_MSGMAP* pMap, UINT nID)
{
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    {
        if (AfxFindMessageEntry(pMap->lpEntries, WM_COMMAND, CN_COMMAND, nID))
            return TRUE;
    }
    return FALSE;
}

class CCommandTopProbe : public CCommandTop
{
public:
    const AFX_MSGMAP* Map() const { return GetMessageMap(); }
};

TEST(CommandDispatch, RoutesEachCodeAndIdToItsOwnEntryEveryTime)
{
    CCommandTopProbe top;
    CCommandBase base;
    g_nBaseCommand = g_nTopCommand = g_nUpdates = g_nRangeSum = g_nNotifications = 0;
    for (int i = 0; i < 3; i++)
    {
        // Same id, other code: the update entry is not the command entry.
        EXPECT_TRUE(top.OnCmdMsg(kBaseCommand, CN_COMMAND, nullptr, nullptr));
        CCmdUI cmdUI;
        cmdUI.m_nID = kBaseCommand;
        EXPECT_TRUE(top.OnCmdMsg(kBaseCommand, CN_UPDATE_COMMAND_UI, &cmdUI, nullptr));
        // Every id of the range reaches the range handler with its own id,
        // except the one the derived class takes for itself.
        EXPECT_TRUE(top.OnCmdMsg(kRangeFirst + 2, CN_COMMAND, nullptr, nullptr));
        EXPECT_TRUE(top.OnCmdMsg(kRangeFirst + 5, CN_COMMAND, nullptr, nullptr));
        EXPECT_TRUE(base.OnCmdMsg(kRangeFirst + 5, CN_COMMAND, nullptr, nullptr));
        EXPECT_FALSE(top.OnCmdMsg(kRangeLast + 1, CN_COMMAND, nullptr, nullptr));
        EXPECT_FALSE(top.OnCmdMsg(kUnknownCommand, CN_COMMAND, nullptr, nullptr));
        EXPECT_FALSE(top.OnCmdMsg(kBaseCommand + 2, CN_UPDATE_COMMAND_UI, &cmdUI, nullptr));
        // A notification: its code and the control id both have to match.
        NMHDR nmhdr{};
        nmhdr.code = NM_CLICK;
        LRESULT lResult = 0;
        AFX_NOTIFY notify{};
        notify.pNMHDR = &nmhdr;
        notify.pResult = &lResult;
        EXPECT_TRUE(top.OnCmdMsg(kNotifyingControl, static_cast<int>(MAKELONG(NM_CLICK, WM_NOTIFY)), &notify, nullptr));
        EXPECT_EQ(7, lResult);
        EXPECT_FALSE(
            top.OnCmdMsg(kNotifyingControl, static_cast<int>(MAKELONG(NM_DBLCLK, WM_NOTIFY)), &notify, nullptr));
        EXPECT_FALSE(
            top.OnCmdMsg(kNotifyingControl + 1, static_cast<int>(MAKELONG(NM_CLICK, WM_NOTIFY)), &notify, nullptr));
    }
    EXPECT_EQ(3, g_nBaseCommand);
    EXPECT_EQ(3, g_nUpdates);
    EXPECT_EQ(3 * (2 + 5), g_nRangeSum);  // top's +2 and base's +5
    EXPECT_EQ(3, g_nTopCommand);
    EXPECT_EQ(3, g_nNotifications);

    const int kCommands = 200000;
    int nFound = 0;
    const LARGE_INTEGER startWalk = Now();
    for (int i = 0; i < kCommands; i++)
        nFound += WalkTheChain(top.Map(), kBaseCommand + (i & 15));
    const double dWalk = MicrosecondsSince(startWalk) * 1000.0 / kCommands;
    int nRouted = 0;
    const LARGE_INTEGER startRouted = Now();
    for (int i = 0; i < kCommands; i++)
        nRouted += top.OnCmdMsg(kBaseCommand + (i & 15), CN_COMMAND, nullptr, nullptr);
    const double dRouted = MicrosecondsSince(startRouted) * 1000.0 / kCommands;
    EXPECT_EQ(nFound, nRouted);
    std::printf("[ FIGURE   ] command routing through three maps: %.1f ns a command (a walk of the maps: %.1f ns)\n",
                dRouted, dWalk);
    RecordProperty("NanosecondsPerCommand", std::to_string(dRouted));
}

// Counts the reallocations of its block.
class CCountingMemFile : public CMemFile
{
public:
    explicit CCountingMemFile(UINT nGrowBytes) : CMemFile(nGrowBytes) {}
    int m_nReallocations = 0;

protected:
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override
    {
        ++m_nReallocations;
        return CMemFile::Realloc(lpMem, nBytes);
    }
};

TEST(MemFileGrowth, DoublesSoALargeArchiveIsNotCopiedOverAndOver)
{
    const UINT kBytes = 8 * 1024 * 1024;
    const BYTE piece[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    CCountingMemFile file(1024);
    const LARGE_INTEGER start = Now();
    for (UINT n = 0; n < kBytes; n += sizeof(piece))
        file.Write(piece, sizeof(piece));
    const double dMilliseconds = MicrosecondsSince(start) / 1000.0;
    EXPECT_EQ(kBytes, file.GetLength());
    EXPECT_LT(file.m_nReallocations, 40) << "grew in fixed steps";
    BYTE back[16] = {};
    file.Seek(kBytes - 16, CFile::begin);
    EXPECT_EQ(16u, file.Read(back, 16));
    EXPECT_EQ(0, memcmp(piece, back, 16));
    std::printf("[ FIGURE   ] 8 MB written in 16-byte pieces: %.1f ms, %d reallocations\n", dMilliseconds,
                file.m_nReallocations);
    RecordProperty("MillisecondsFor8MB", std::to_string(dMilliseconds));
}

TEST(MemFileGrowth, BlockStaysAMultipleOfTheStep)
{
    CMemFile file(1000);
    BYTE byte = 7;
    file.Write(&byte, 1);
    file.SetLength(2500);
    file.SeekToEnd();
    file.Write(&byte, 1);
    EXPECT_EQ(2501u, file.GetLength());
    BYTE* pBlock = file.Detach();
    EXPECT_NE(nullptr, pBlock);
    free(pBlock);
}

// The report control sorts its rows by caption: copies and comparisons of
// 100,000 captions.
TEST(CaptionCopies, CopyAndCompareOneHundredThousandCaptions)
{
    const int kCaptions = 100000;
    std::vector<CString> captions;
    captions.reserve(kCaptions);
    for (int i = 0; i < kCaptions; i++)
    {
        CString strCaption;
        strCaption.Format(L"Virtual drive %06d on C:\\Images\\Folder", (i * 7919) % kCaptions);
        captions.push_back(strCaption);
    }
    const LARGE_INTEGER start = Now();
    std::vector<CString> copies;
    copies.reserve(kCaptions);
    for (const CString& strCaption : captions)
        copies.push_back(strCaption);
    int nLess = 0;
    for (int i = 1; i < kCaptions; i++)
    {
        const CString strLeft = copies[i - 1];
        if (strLeft.Compare(copies[i]) < 0)
            ++nLess;
        if (copies[i] == captions[i])
            ++nLess;
    }
    const double dMilliseconds = MicrosecondsSince(start) / 1000.0;
    EXPECT_GT(nLess, kCaptions);
    EXPECT_EQ(captions[12345], copies[12345]);
    copies[12345].SetAt(0, L'v');
    EXPECT_EQ(L'V', captions[12345][0]) << "a copy that changes leaves the original alone";
    std::printf("[ FIGURE   ] 100,000 captions copied twice and compared: %.1f ms\n", dMilliseconds);
    RecordProperty("MillisecondsForCaptions", std::to_string(dMilliseconds));
}

}  // namespace
