// Event notification between toolkit objects: delivery order, sinks that
// advise, unadvise or send while an event is being delivered, the references
// that keep a connection alive, and the delegate-dispatching sink.
#include "Foundation/NotifyConnection.h"
#include "Foundation/NotifySink.h"
#include "Foundation/NotifySinkBase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{

const UINT kEventA = 1;
const UINT kEventB = 2;

typedef std::vector<std::string> CallLog;

// A connection that reports its own destruction.
class CTrackedConnection : public CLVKNotifyConnection
{
public:
    explicit CTrackedConnection(bool* pbDeleted) : m_pbDeleted(pbDeleted) {}
    ~CTrackedConnection() override { *m_pbDeleted = true; }
    CSyncObject* Lock() { return GetLock(); }

private:
    bool* m_pbDeleted;
};

// Logs "name:event" for each call; runs an optional action on each event.
class CRecordingSink : public CLVKNotifySinkBase
{
public:
    CRecordingSink(const char* pszName, CallLog* pLog) : m_strName(pszName), m_pLog(pLog) {}

    void OnEvent(UINT nEvent, DWORD dwParam1, DWORD dwParam2, DWORD dwParam3) override
    {
        m_pLog->push_back(m_strName + ":" + std::to_string(nEvent));
        m_lastParams = {dwParam1, dwParam2, dwParam3};
        if (m_action)
            m_action(nEvent);
    }
    void OnUnadvise(UINT nEvent) override { m_pLog->push_back(m_strName + "~" + std::to_string(nEvent)); }

    std::string m_strName;
    CallLog* m_pLog;
    std::function<void(UINT)> m_action;
    std::vector<DWORD> m_lastParams;
};

// Owns a connection for one test and releases the owner's reference at the end.
struct ConnectionFixture : public ::testing::Test
{
    bool bDeleted = false;
    CTrackedConnection* pConnection = new CTrackedConnection(&bDeleted);
    CallLog log;

    ~ConnectionFixture() override
    {
        if (!bDeleted)
            pConnection->InternalRelease();
    }
};

struct DeliveryCase
{
    const char* pszName;
    std::vector<std::pair<const char*, UINT>> advises;  // sink name, event, in advise order
    UINT nSent;
    BOOL bExpectedResult;
    CallLog expectedCalls;
};

class NotifyDelivery : public ConnectionFixture
{
};

TEST_F(NotifyDelivery, ReachesTheSinksOfTheEventInAdviseOrder)
{
    const DeliveryCase cases[] = {
        {"no sink at all: FALSE and nothing called", {}, kEventA, FALSE, {}},
        {"sinks only for another event: FALSE", {{"x", kEventB}}, kEventA, FALSE, {}},
        {"one sink", {{"x", kEventA}}, kEventA, TRUE, {"x:1"}},
        {"advise order, not name order",
         {{"c", kEventA}, {"a", kEventA}, {"b", kEventA}},
         kEventA,
         TRUE,
         {"c:1", "a:1", "b:1"}},
        {"sinks of other events are left out",
         {{"a", kEventA}, {"b", kEventB}, {"c", kEventA}},
         kEventA,
         TRUE,
         {"a:1", "c:1"}},
        {"a sink advised twice is called twice", {{"a", kEventA}, {"a", kEventA}}, kEventA, TRUE, {"a:1", "a:1"}},
    };
    for (const DeliveryCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CallLog calls;
        CLVKNotifyConnection* pSource = new CLVKNotifyConnection;
        std::vector<std::unique_ptr<CRecordingSink>> sinks;
        for (const auto& advise : c.advises)
        {
            CRecordingSink* pSink = nullptr;
            for (auto& p : sinks)
            {
                if (p->m_strName == advise.first)
                    pSink = p.get();
            }
            if (!pSink)
            {
                sinks.emplace_back(new CRecordingSink(advise.first, &calls));
                pSink = sinks.back().get();
            }
            EXPECT_NE(0u, pSink->Advise(pSource, advise.second));
        }
        EXPECT_EQ(c.bExpectedResult, pSource->SendEvent(c.nSent, 11, 22, 33));
        EXPECT_EQ(c.expectedCalls, calls);
        EXPECT_EQ(0, pSource->GetSendQueueTop());
        sinks.clear();
        pSource->InternalRelease();
    }
}

TEST_F(NotifyDelivery, PassesAllThreeParametersToTheSink)
{
    CRecordingSink sink("a", &log);
    sink.Advise(pConnection, kEventA);
    pConnection->SendEvent(kEventA, 0xDEADBEEF, 7, 0xFFFFFFFF);
    EXPECT_EQ((std::vector<DWORD>{0xDEADBEEF, 7, 0xFFFFFFFF}), sink.m_lastParams);
}

TEST_F(NotifyDelivery, CookiesIdentifyEachAdvise)
{
    CRecordingSink a("a", &log);
    CRecordingSink b("b", &log);
    const DWORD dwA = a.Advise(pConnection, kEventA);
    const DWORD dwB = b.Advise(pConnection, kEventA);
    ASSERT_NE(0u, dwA);
    ASSERT_NE(0u, dwB);
    EXPECT_NE(dwA, dwB);
    EXPECT_EQ(0, pConnection->FindConnection(dwA));
    EXPECT_EQ(1, pConnection->FindConnection(dwB));
    EXPECT_EQ(-1, pConnection->FindConnection(dwA ^ 0x10));

    pConnection->Unadvise(dwA ^ 0x10);
    EXPECT_EQ(2, pConnection->GetConnectionCount()) << "an unknown cookie changes nothing";
    pConnection->Unadvise(dwA);
    EXPECT_EQ(-1, pConnection->FindConnection(dwA));
    EXPECT_EQ(0, pConnection->FindConnection(dwB));
    pConnection->Unadvise(dwA);
    EXPECT_EQ(1, pConnection->GetConnectionCount()) << "a second unadvise of a cookie changes nothing";

    pConnection->RemoveAllConnections();
    EXPECT_EQ(0, pConnection->GetConnectionCount());
    EXPECT_FALSE(pConnection->SendEvent(kEventA));
    EXPECT_TRUE(log.empty());
}

// What a sink does from inside its handler, and what the running send and the
// next one must deliver.
struct ReentryCase
{
    const char* pszName;
    std::function<void(CLVKNotifyConnection*, CRecordingSink* pOther, CRecordingSink* pLate, DWORD dwOtherCookie)>
        action;
    CallLog expectedFirstSend;
    CallLog expectedSecondSend;
};

TEST_F(NotifyDelivery, SinksMayChangeTheConnectionWhileAnEventIsDelivered)
{
    const ReentryCase cases[] = {
        {"unadvising a later sink: it is skipped by the running send",
         [](CLVKNotifyConnection* pConn, CRecordingSink*, CRecordingSink*, DWORD dwOther) { pConn->Unadvise(dwOther); },
         {"first:1"},
         {"first:1"}},
        {"a later sink ending itself through its base: skipped",
         [](CLVKNotifyConnection*, CRecordingSink* pOther, CRecordingSink*, DWORD) { pOther->UnadviseAll(); },
         {"first:1", "other~1"},
         {"first:1"}},
        {"advising a new sink: not called by the running send, called by the next",
         [](CLVKNotifyConnection* pConn, CRecordingSink*, CRecordingSink* pLate, DWORD)
         {
             if (pLate->GetAdviseCount() == 0)
                 pLate->Advise(pConn, kEventA);
         },
         {"first:1", "other:1"},
         {"first:1", "other:1", "late:1"}},
        {"sending another event: delivered at once, then the rest of this one",
         [](CLVKNotifyConnection* pConn, CRecordingSink*, CRecordingSink* pLate, DWORD)
         {
             if (pLate->GetAdviseCount() == 0)
                 pLate->Advise(pConn, kEventB);
             EXPECT_TRUE(pConn->SendEvent(kEventB));
         },
         {"first:1", "late:2", "other:1"},
         {"first:1", "other:1"}},
        {"sending the same event again: the nested send delivers to all, the outer goes on",
         [](CLVKNotifyConnection* pConn, CRecordingSink*, CRecordingSink*, DWORD)
         {
             static int nDepth = 0;
             if (nDepth++ == 0)
                 pConn->SendEvent(kEventA);
             nDepth--;
         },
         {"first:1", "first:1", "other:1", "other:1"},
         {"first:1", "other:1"}},
        {"a sink throwing a framework exception: the others are still called",
         [](CLVKNotifyConnection*, CRecordingSink*, CRecordingSink*, DWORD) { AfxThrowInvalidArgException(); },
         {"first:1", "other:1"},
         {"first:1", "other:1"}},
        {"a sink throwing anything else: the others are still called",
         [](CLVKNotifyConnection*, CRecordingSink*, CRecordingSink*, DWORD) { throw 42; },
         {"first:1", "other:1"},
         {"first:1", "other:1"}},
    };
    for (const ReentryCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CallLog calls;
        CLVKNotifyConnection* pSource = new CLVKNotifyConnection;
        CRecordingSink first("first", &calls);
        CRecordingSink other("other", &calls);
        CRecordingSink late("late", &calls);
        first.Advise(pSource, kEventA);
        const DWORD dwOther = other.Advise(pSource, kEventA);
        bool bActing = true;
        first.m_action = [&](UINT)
        {
            if (bActing)
                c.action(pSource, &other, &late, dwOther);
        };

        EXPECT_TRUE(pSource->SendEvent(kEventA));
        EXPECT_EQ(c.expectedFirstSend, calls);
        EXPECT_EQ(0, pSource->GetSendQueueTop()) << "the queue is back at the bottom";

        bActing = false;
        calls.clear();
        pSource->SendEvent(kEventA);
        EXPECT_EQ(c.expectedSecondSend, calls);
        first.UnadviseAll();
        other.UnadviseAll();
        late.UnadviseAll();
        pSource->InternalRelease();
    }
}

TEST_F(NotifyDelivery, ASinkAdvisedInPlaceOfAnUnadvisedOneIsNotCalledByTheRunningSend)
{
    // The new descriptor tends to get the freed one's memory, and with it the
    // cookie the running send still holds for the unadvised sink.
    CRecordingSink first("first", &log);
    CRecordingSink late("late", &log);
    std::vector<std::unique_ptr<CRecordingSink>> others;
    std::vector<DWORD> cookies;
    for (int i = 0; i < 8; i++)
    {
        others.emplace_back(new CRecordingSink("other", &log));
    }
    first.Advise(pConnection, kEventA);
    for (auto& p : others)
        cookies.push_back(p->Advise(pConnection, kEventA));
    first.m_action = [&](UINT)
    {
        for (size_t i = 0; i < others.size(); i++)
        {
            pConnection->Unadvise(cookies[i]);
            late.Advise(pConnection, kEventB);
        }
    };
    pConnection->SendEvent(kEventA);
    EXPECT_EQ(CallLog{"first:1"}, log) << "no replacement sink is called, nor with an event it did not ask for";
    first.m_action = nullptr;
    log.clear();
    late.UnadviseAll();
    first.UnadviseAll();
}

class NotifyReferences : public ConnectionFixture
{
};

TEST_F(NotifyReferences, EachAdviseHoldsTheConnection)
{
    CRecordingSink* pSink = new CRecordingSink("a", &log);
    EXPECT_EQ(0u, pSink->Advise(nullptr, kEventA)) << "a null connection is not advised";
    EXPECT_EQ(0, pSink->GetAdviseCount());

    pSink->Advise(pConnection, kEventA);
    pSink->Advise(pConnection, kEventB);
    EXPECT_EQ(2, pSink->GetAdviseCount());
    pConnection->InternalRelease();
    EXPECT_FALSE(bDeleted) << "the sink's advises still hold it";
    EXPECT_TRUE(pConnection->SendEvent(kEventB));

    pSink->Delete();
    EXPECT_TRUE(bDeleted) << "the last advise released the last reference";
    std::sort(log.begin(), log.end());
    EXPECT_EQ((CallLog{"a:2", "a~1", "a~2"}), log);
}

TEST_F(NotifyReferences, ASendKeepsTheConnectionAliveWhenItsOwnerLetsGo)
{
    // Advised on the connection itself, so the owner holds the only reference.
    CRecordingSink sink("a", &log);
    CRecordingSink after("b", &log);
    pConnection->Advise(kEventA, &sink);
    pConnection->Advise(kEventA, &after);
    sink.m_action = [&](UINT)
    {
        pConnection->InternalRelease();
        EXPECT_FALSE(bDeleted) << "deleted under the running send";
    };
    EXPECT_TRUE(pConnection->SendEvent(kEventA));
    EXPECT_TRUE(bDeleted) << "the send released the last reference";
    EXPECT_EQ((CallLog{"a:1", "b:1"}), log);
}

TEST_F(NotifyReferences, ASinkDestroyedWithoutDeleteIsNoLongerCalled)
{
    {
        CRecordingSink sink("a", &log);
        sink.Advise(pConnection, kEventA);
    }
    EXPECT_EQ(0, pConnection->GetConnectionCount());
    EXPECT_FALSE(pConnection->SendEvent(kEventA));
    EXPECT_EQ(CallLog{}, log);
}

TEST_F(NotifyReferences, TheConnectionsLockGuardsNothing)
{
    // Connections are used on one thread; their lock never waits.
    CSyncObject* pLock = pConnection->Lock();
    ASSERT_NE(nullptr, pLock);
    EXPECT_TRUE(pLock->Lock(0));
    EXPECT_TRUE(pLock->Lock(0)) << "a second lock does not wait";
    EXPECT_TRUE(pLock->Unlock());
    EXPECT_TRUE(pLock->Unlock(5, nullptr));
    EXPECT_EQ(nullptr, static_cast<HANDLE>(*pLock)) << "no system object behind it";
}

TEST(NotifyMessage, TheMultithreadedSinkMessageIsRegisteredAtStartUp)
{
    EXPECT_GE(LVK_WM_NOTIFICATION_SINK_MT_ONEVENT, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageW(L"LVKNotificationSinkMTOnEvent"), LVK_WM_NOTIFICATION_SINK_MT_ONEVENT);
    EXPECT_EQ(10575, LVK_NOTIFY_RESOURCE_IMAGES_CHANGED);
}

// Delegates that count their calls and their destruction.
struct DelegateStats
{
    int nCalls = 0;
    int nDeleted = 0;
    std::vector<DWORD> lastArgs;
};

class CCountingDelegate : public CLVKNotifySinkDelegate
{
public:
    explicit CCountingDelegate(DelegateStats* pStats) : m_pStats(pStats) {}
    ~CCountingDelegate() override { m_pStats->nDeleted++; }
    void Invoke(UINT nEvent, DWORD dwParam1, DWORD dwParam2) override
    {
        m_pStats->nCalls++;
        m_pStats->lastArgs = {nEvent, dwParam1, dwParam2};
    }

private:
    DelegateStats* m_pStats;
};

class NotifySinkDelegates : public ConnectionFixture
{
};

TEST_F(NotifySinkDelegates, ASecondDelegateForAnEventReplacesTheFirst)
{
    bool bOtherDeleted = false;
    CTrackedConnection* pOther = new CTrackedConnection(&bOtherDeleted);
    DelegateStats first;
    DelegateStats second;
    CLVKNotifySink* pSink = new CLVKNotifySink;
    EXPECT_NE(0u, pSink->AdviseDelegate(pConnection, kEventA, new CCountingDelegate(&first)));
    EXPECT_NE(0u, pSink->AdviseDelegate(pOther, kEventA, new CCountingDelegate(&second)));
    EXPECT_EQ(1, first.nDeleted) << "the first delegate is deleted on rebinding";

    pConnection->SendEvent(kEventA, 5, 6, 7);
    EXPECT_EQ(0, first.nCalls);
    EXPECT_EQ(1, second.nCalls) << "the event of either connection goes to the one delegate";
    EXPECT_EQ((std::vector<DWORD>{kEventA, 5, 6}), second.lastArgs) << "event id and the first two parameters";

    pSink->Delete();
    EXPECT_EQ(1, second.nDeleted) << "the sink's delegates go with its advises";
    EXPECT_FALSE(bDeleted);
    pOther->InternalRelease();
    EXPECT_TRUE(bOtherDeleted);
}

TEST_F(NotifySinkDelegates, EventsWithoutADelegateAreIgnoredAndUnadviseDeletesTheDelegate)
{
    DelegateStats stats;
    CLVKNotifySink sink;
    EXPECT_EQ(nullptr, sink.GetDelegate(kEventA));
    sink.AdviseDelegate(pConnection, kEventA, new CCountingDelegate(&stats));
    sink.Advise(pConnection, kEventB);
    EXPECT_TRUE(pConnection->SendEvent(kEventB)) << "advised, though nothing is bound to it";
    EXPECT_EQ(0, stats.nCalls);

    sink.UnadviseAll();
    EXPECT_EQ(1, stats.nDeleted);
    EXPECT_EQ(nullptr, sink.GetDelegate(kEventA));
    EXPECT_FALSE(pConnection->SendEvent(kEventA));
}

class CFrameHookStandIn
{
public:
    void OnImagesChanged(UINT nEvent, DWORD dwParam1, DWORD dwParam2) { calls.push_back({nEvent, dwParam1, dwParam2}); }
    std::vector<std::vector<DWORD>> calls;
};

TEST_F(NotifySinkDelegates, AMemberFunctionDelegateCallsItsObject)
{
    CFrameHookStandIn hook;
    CLVKNotifySink* pSink = new CLVKNotifySink;
    pSink->AdviseDelegate(
        pConnection, LVK_NOTIFY_RESOURCE_IMAGES_CHANGED,
        new CLVKNotifySinkClassDelegate<CFrameHookStandIn>(&hook, &CFrameHookStandIn::OnImagesChanged));
    EXPECT_TRUE(pConnection->SendEvent(LVK_NOTIFY_RESOURCE_IMAGES_CHANGED, 1, 2, 3));
    ASSERT_EQ(1u, hook.calls.size());
    EXPECT_EQ((std::vector<DWORD>{LVK_NOTIFY_RESOURCE_IMAGES_CHANGED, 1, 2}), hook.calls[0]);
    pSink->Delete();
}

// Fails the n-th allocation of the calling thread after it is armed.
struct AllocationFailure
{
    static DWORD s_dwThread;
    static LONG s_nCountdown;

    static BOOL AFXAPI Hook(size_t, BOOL, LONG)
    {
        if (GetCurrentThreadId() != s_dwThread || s_nCountdown <= 0)
            return TRUE;
        return --s_nCountdown != 0;
    }

    explicit AllocationFailure(LONG nWhich)
    {
        s_dwThread = GetCurrentThreadId();
        s_nCountdown = nWhich;
        m_pfnOld = AfxSetAllocHook(&Hook);
    }
    ~AllocationFailure()
    {
        AfxSetAllocHook(m_pfnOld);
        s_nCountdown = 0;
    }
    bool Fired() const { return s_nCountdown == 0; }

    AFX_ALLOC_HOOK m_pfnOld;
};
DWORD AllocationFailure::s_dwThread = 0;
LONG AllocationFailure::s_nCountdown = 0;

// Whichever allocation of an advise fails, the connection and the sink agree
// afterwards: a sink that got no cookie is not advised on the connection, so
// it is never called after it is gone.
TEST(NotifyAdviseOutOfMemory, AFailedAdviseLeavesNothingBehind)
{
    for (LONG nWhich = 1; nWhich <= 8; nWhich++)
    {
        SCOPED_TRACE("failing allocation " + std::to_string(nWhich));
        CLVKNotifyConnection* pConnection = new CLVKNotifyConnection;
        CallLog log;
        auto* pSink = new CRecordingSink("s", &log);
        DWORD dwCookie = 0;
        bool bFired = false;
        {
            AllocationFailure failure(nWhich);
            dwCookie = pSink->Advise(pConnection, kEventA);
            bFired = failure.Fired();
        }
        if (dwCookie)
        {
            EXPECT_EQ(1, pConnection->GetConnectionCount());
            EXPECT_TRUE(pConnection->SendEvent(kEventA));
        }
        else
        {
            EXPECT_TRUE(bFired) << "an advise failed without a failed allocation";
            EXPECT_EQ(0, pConnection->GetConnectionCount()) << "the connection still calls a sink that has no cookie";
            EXPECT_FALSE(pConnection->SendEvent(kEventA));
        }
        pSink->Delete();
        EXPECT_EQ(0, pConnection->GetConnectionCount());
        pConnection->InternalRelease();
        if (!bFired)
            break;  // every allocation of an advise has been failed once
    }
}

}  // namespace
