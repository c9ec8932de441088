// The toolkit's process object and the holders of process-wide objects: the
// order objects are made and destroyed in, and that nothing comes back after
// the shutdown. Most tests use a toolkit object of their own, so the process's
// one stays usable for the other tests; the process-wide path runs in a child
// copy of this program.
#include "Foundation/Application.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/SingletonPointer.h"
#include "Foundation/SystemVersion.h"
#include "Foundation/WinApp.h"

#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> g_events;

template <int N>
struct Tracked
{
    Tracked() { g_events.push_back("make " + std::to_string(N)); }
    ~Tracked() { g_events.push_back("destroy " + std::to_string(N)); }
    int nValue = N;
};

template <int N>
CLVKSingletonPointer* NewHolder(CLVKApplication& app)
{
    return new CLVKSingletonPointer(sizeof(Tracked<N>), &LVKConstructSingleton<Tracked<N>>,
                                    &LVKDestroySingleton<Tracked<N>>, nullptr, &app);
}

template <class Call>
bool ThrowsMemoryException(Call call)
{
    try
    {
        call();
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

class SingletonPointerTest : public ::testing::Test
{
protected:
    void SetUp() override { g_events.clear(); }
    CLVKApplication m_app;
};

TEST_F(SingletonPointerTest, ObjectsAreDestroyedInReverseOrderOfFirstUse)
{
    std::unique_ptr<CLVKSingletonPointer> first(NewHolder<1>(m_app));
    std::unique_ptr<CLVKSingletonPointer> second(NewHolder<2>(m_app));
    std::unique_ptr<CLVKSingletonPointer> unused(NewHolder<3>(m_app));
    std::unique_ptr<CLVKSingletonPointer> third(NewHolder<4>(m_app));

    EXPECT_EQ(1, static_cast<Tracked<1>*>(first->ObtainObject())->nValue);
    second->ObtainObject();
    third->ObtainObject();
    EXPECT_EQ(first->ObtainObject(), first->ObtainObject()) << "made once, then the same object";

    m_app.Shutdown();

    const std::vector<std::string> expected = {"make 1", "make 2", "make 4", "destroy 4", "destroy 2", "destroy 1"};
    EXPECT_EQ(expected, g_events);
    EXPECT_EQ(0, m_app.GetObserverCount()) << "every holder leaves the observer list";
    EXPECT_TRUE(m_app.IsShutDown());
}

TEST_F(SingletonPointerTest, NothingIsMadeAgainAfterTheShutdown)
{
    std::unique_ptr<CLVKSingletonPointer> holder(NewHolder<1>(m_app));
    holder->ObtainObject();
    m_app.Shutdown();
    g_events.clear();

    EXPECT_TRUE(ThrowsMemoryException([&] { holder->ObtainObject(); }));
    EXPECT_TRUE(holder->IsDestroyed());

    m_app.Shutdown();
    holder->ReleaseObject();
    holder.reset();
    EXPECT_TRUE(g_events.empty()) << "a second shutdown and the holder's end do nothing";
}

TEST_F(SingletonPointerTest, ReleasedHolderNeverMakesItsObjectAgain)
{
    std::unique_ptr<CLVKSingletonPointer> holder(NewHolder<1>(m_app));
    holder->ObtainObject();
    holder->ReleaseObject();

    EXPECT_TRUE(ThrowsMemoryException([&] { holder->ObtainObject(); }));
    EXPECT_EQ((std::vector<std::string>{"make 1", "destroy 1"}), g_events);
    EXPECT_EQ(0, m_app.GetObserverCount());
}

BOOL g_bConstructionFails = FALSE;
int g_nConstructCalls = 0;

BOOL AFX_CDECL ConstructUnlessTold(void* pObject)
{
    g_nConstructCalls++;
    if (g_bConstructionFails)
        return FALSE;
    new (pObject) Tracked<7>();
    return TRUE;
}

TEST_F(SingletonPointerTest, FailedConstructionThrowsAndIsTriedAgainLater)
{
    g_nConstructCalls = 0;
    CLVKSingletonPointer holder(sizeof(Tracked<7>), &ConstructUnlessTold, &LVKDestroySingleton<Tracked<7>>, nullptr,
                                &m_app);

    g_bConstructionFails = TRUE;
    EXPECT_TRUE(ThrowsMemoryException([&] { holder.ObtainObject(); }));
    EXPECT_FALSE(holder.IsObjectCreated());
    EXPECT_FALSE(holder.IsDestroyed());

    g_bConstructionFails = FALSE;
    EXPECT_NE(nullptr, holder.ObtainObject());
    EXPECT_EQ(2, g_nConstructCalls);
}

int g_nInitCalls = 0;
void AFX_CDECL CountInit()
{
    g_nInitCalls++;
}

TEST_F(SingletonPointerTest, InitCallbackRunsOnceWhenTheHolderIsMade)
{
    g_nInitCalls = 0;
    CLVKSingletonPointer holder(sizeof(Tracked<1>), &LVKConstructSingleton<Tracked<1>>,
                                &LVKDestroySingleton<Tracked<1>>, &CountInit, &m_app);
    holder.ObtainObject();
    holder.ObtainObject();
    EXPECT_EQ(1, g_nInitCalls);
}

// An object whose construction needs another process-wide object: the
// application's lock is taken again on the same thread and must not block.
CLVKSingletonPointer* g_pInnerHolder = nullptr;

BOOL AFX_CDECL ConstructUsingInner(void* pObject)
{
    g_pInnerHolder->ObtainObject();
    new (pObject) Tracked<2>();
    return TRUE;
}

TEST_F(SingletonPointerTest, ConstructionMayUseAnotherHolderOnTheSameThread)
{
    std::unique_ptr<CLVKSingletonPointer> inner(NewHolder<1>(m_app));
    CLVKSingletonPointer outer(sizeof(Tracked<2>), &ConstructUsingInner, &LVKDestroySingleton<Tracked<2>>, nullptr,
                               &m_app);
    g_pInnerHolder = inner.get();

    outer.ObtainObject();
    EXPECT_EQ((std::vector<std::string>{"make 1", "make 2"}), g_events);

    m_app.Shutdown();
    // The outer holder registered last, so its object goes first.
    EXPECT_EQ((std::vector<std::string>{"make 1", "make 2", "destroy 2", "destroy 1"}), g_events);
}

// An observer of the toolkit that records its notifications and may release
// a holder while the first pass runs.
class RecordingObserver : public ILVKApplicationEvents
{
public:
    RecordingObserver(const char* pszName, CLVKSingletonPointer* pReleaseOnBefore = nullptr)
        : m_name(pszName), m_pReleaseOnBefore(pReleaseOnBefore)
    {
    }
    void OnBeforeShutdown(CLVKApplication*) override
    {
        g_events.push_back("before " + m_name);
        if (m_pReleaseOnBefore)
            m_pReleaseOnBefore->ReleaseObject();
    }
    // Leaves the toolkit's list from inside the notification, as holders do.
    void OnShutdown(CLVKApplication* pApplication) override
    {
        g_events.push_back("shutdown " + m_name);
        pApplication->RemoveObserver(this);
    }

private:
    std::string m_name;
    CLVKSingletonPointer* m_pReleaseOnBefore;
};

TEST_F(SingletonPointerTest, HolderReleasedDuringTheFirstPassIsNotCalledAgain)
{
    std::unique_ptr<CLVKSingletonPointer> early(NewHolder<1>(m_app));
    std::unique_ptr<CLVKSingletonPointer> released(NewHolder<2>(m_app));
    RecordingObserver observer("observer", released.get());
    m_app.AddObserver(&observer);
    early->ObtainObject();
    released->ObtainObject();
    g_events.clear();

    m_app.Shutdown();

    // Last registered first; the released holder's object goes in the first
    // pass and its holder is skipped in the second.
    const std::vector<std::string> expected = {"before observer", "destroy 2", "shutdown observer", "destroy 1"};
    EXPECT_EQ(expected, g_events);
    EXPECT_EQ(0, m_app.GetObserverCount());
}

TEST_F(SingletonPointerTest, ObserverAddedTwiceIsNotifiedOnce)
{
    RecordingObserver observer("observer");
    m_app.AddObserver(&observer);
    m_app.AddObserver(&observer);
    EXPECT_EQ(0, m_app.FindObserver(&observer));
    m_app.Shutdown();
    EXPECT_EQ((std::vector<std::string>{"before observer", "shutdown observer"}), g_events);
}

// The process-wide path: the program's exit step shuts the toolkit down, the
// accessors throw from then on, and the process object refuses to be had.
// Runs only in a child copy of this program (see below), because nothing in
// the process can use the toolkit afterwards.
TEST(DISABLED_ProcessShutdownChild, ExitStepDestroysEveryProcessWideObject)
{
    g_events.clear();
    LVKGetSingleton<Tracked<1>>();
    CLVKSystemVersion::GetGlobal();
    LVKGetSingleton<Tracked<2>>();
    CLVKDpiScaling::GetGlobal()->GetDpiX();

    CLVKWinApp app(L"FoundationTests");
    ASSERT_TRUE(app.InitInstance());
    app.ExitInstance();

    EXPECT_EQ((std::vector<std::string>{"make 1", "make 2", "destroy 2", "destroy 1"}), g_events);
    EXPECT_TRUE(ThrowsMemoryException([] { LVKGetSingleton<Tracked<1>>(); }));
    EXPECT_TRUE(ThrowsMemoryException([] { CLVKDpiScaling::GetGlobal(); }));

    bool bOleFailure = false;
    try
    {
        CLVKApplication::Instance();
    }
    catch (COleException* e)
    {
        bOleFailure = e->m_sc == E_FAIL;
        e->Delete();
    }
    EXPECT_TRUE(bOleFailure) << "the process object throws E_FAIL once shut down";

    // A second exit step and the static destructors at process exit do nothing.
    CLVKApplication::ShutdownOnce();
    app.ExitInstance();
    EXPECT_EQ(4u, g_events.size());
}

std::wstring ThisProgram()
{
    wchar_t szPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    return szPath;
}

TEST(ProcessShutdown, ExitStepShutsTheProcessWideToolkitDown)
{
    ChildProcess child;
    ASSERT_TRUE(child.Start(ThisProgram(),
                            {L"--gtest_also_run_disabled_tests", L"--gtest_filter=DISABLED_ProcessShutdownChild.*"}));
    ASSERT_TRUE(child.Wait());
    EXPECT_EQ(0u, child.ExitCode()) << "the child's test failed or the process crashed at exit";
}

}  // namespace
