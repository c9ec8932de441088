// Command and notification routing through message maps: base chaining,
// ranges, _EX handlers, update handlers, template classes, the handler query,
// reference counting and interface maps.
#include "Framework.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> g_calls;

class CBaseTarget : public CCmdTarget
{
public:
    afx_msg void OnBase100() { g_calls.push_back("Base100"); }
    afx_msg void OnBase101() { g_calls.push_back("Base101"); }
    afx_msg void OnBaseOnly102() { g_calls.push_back("Base102"); }
    afx_msg void OnUpdate100(CCmdUI* pCmdUI)
    {
        g_calls.push_back("Update100");
        pCmdUI->Enable(m_bEnable100);
    }
    BOOL m_bEnable100 = TRUE;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CCmdTarget)
    ON_COMMAND(100, OnBase100)
    ON_COMMAND(101, OnBase101)
    ON_COMMAND(102, OnBaseOnly102)
    ON_UPDATE_COMMAND_UI(100, OnUpdate100)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget
{
public:
    afx_msg void OnDerived101() { g_calls.push_back("Derived101"); }
    afx_msg void OnRange(UINT nID) { g_calls.push_back("Range" + std::to_string(nID)); }
    afx_msg BOOL OnEx300(UINT nID)
    {
        g_calls.push_back("Ex" + std::to_string(nID));
        return m_bExResult;
    }
    afx_msg void OnAfterEx300() { g_calls.push_back("BaseAfterEx300"); }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI)
    {
        g_calls.push_back("UpdateRange" + std::to_string(pCmdUI->m_nID));
        if (m_bPassUpdateOn)
            pCmdUI->ContinueRouting();
    }
    afx_msg void OnClicked() { g_calls.push_back("Clicked"); }
    afx_msg void OnUpdateCheckOnly(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateReflected(CCmdUI* pCmdUI)
    {
        g_calls.push_back("UpdateReflected" + std::to_string(pCmdUI->m_nID));
        pCmdUI->Enable(FALSE);
    }
    afx_msg void OnNotifyClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_calls.push_back("NotifyClick" + std::to_string(pNMHDR->idFrom));
        *pResult = 77;
    }
    afx_msg void OnNotifyRange(UINT nID, NMHDR*, LRESULT*) { g_calls.push_back("NotifyRange" + std::to_string(nID)); }
    afx_msg BOOL OnNotifyEx(UINT nID, NMHDR*, LRESULT*)
    {
        g_calls.push_back("NotifyEx" + std::to_string(nID));
        return m_bExResult;
    }

    BOOL m_bExResult = TRUE;
    BOOL m_bPassUpdateOn = FALSE;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
    ON_COMMAND(101, OnDerived101)
    ON_COMMAND_RANGE(200, 210, OnRange)
    ON_COMMAND_EX(300, OnEx300)
    ON_UPDATE_COMMAND_UI_RANGE(200, 210, OnUpdateRange)
    ON_CONTROL(BN_DOUBLECLICKED, 400, OnClicked)
    ON_NOTIFY(NM_CLICK, 500, OnNotifyClick)
    ON_UPDATE_COMMAND_UI_REFLECT(OnUpdateReflected)
    ON_UPDATE_COMMAND_UI(900, OnUpdateCheckOnly)
    ON_NOTIFY_RANGE(NM_DBLCLK, 600, 610, OnNotifyRange)
    ON_NOTIFY_EX(NM_RCLICK, 700, OnNotifyEx)
END_MESSAGE_MAP()

// Another level, to see an _EX handler that declines pass the command on to
// the base class's entry.
class CMostDerivedTarget : public CDerivedTarget
{
protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMostDerivedTarget, CDerivedTarget)
END_MESSAGE_MAP()

template <typename T>
class CTemplateTarget : public CBaseTarget
{
public:
    afx_msg void OnTemplate800() { g_calls.push_back("Template800/" + std::to_string(sizeof(T))); }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(CTemplateTarget, T, CBaseTarget)
    ON_COMMAND(800, OnTemplate800)
END_MESSAGE_MAP()

// Records what an update handler did to the item.
class CRecordingCmdUI : public CCmdUI
{
public:
    int enableCalls = 0;
    BOOL enabled = TRUE;
    void Enable(BOOL bOn) override
    {
        ++enableCalls;
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetText(LPCTSTR) override {}
};

struct CommandCase
{
    const char* name;
    UINT id;
    int code;
    BOOL exResult;
    BOOL expectHandled;
    std::vector<std::string> expectCalls;
};

class CommandRouting : public ::testing::TestWithParam<CommandCase>
{
protected:
    void SetUp() override { g_calls.clear(); }
};

TEST_P(CommandRouting, ReachesTheHandlerTheMapsName)
{
    const CommandCase& c = GetParam();
    CDerivedTarget target;
    target.m_bExResult = c.exResult;
    EXPECT_EQ(c.expectHandled, target.OnCmdMsg(c.id, c.code, nullptr, nullptr));
    EXPECT_EQ(c.expectCalls, g_calls);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandRouting,
    ::testing::Values(CommandCase{"BaseEntryThroughTheChain", 100, CN_COMMAND, TRUE, TRUE, {"Base100"}},
                      CommandCase{"DerivedEntryHidesTheBaseOne", 101, CN_COMMAND, TRUE, TRUE, {"Derived101"}},
                      CommandCase{"BaseOnlyEntry", 102, CN_COMMAND, TRUE, TRUE, {"Base102"}},
                      CommandCase{"RangeFirstId", 200, CN_COMMAND, TRUE, TRUE, {"Range200"}},
                      CommandCase{"RangeInnerId", 205, CN_COMMAND, TRUE, TRUE, {"Range205"}},
                      CommandCase{"RangeLastId", 210, CN_COMMAND, TRUE, TRUE, {"Range210"}},
                      CommandCase{"JustBelowTheRange", 199, CN_COMMAND, TRUE, FALSE, {}},
                      CommandCase{"JustAboveTheRange", 211, CN_COMMAND, TRUE, FALSE, {}},
                      CommandCase{"ExHandlerThatTakesIt", 300, CN_COMMAND, TRUE, TRUE, {"Ex300"}},
                      CommandCase{"ExHandlerThatDeclines", 300, CN_COMMAND, FALSE, FALSE, {"Ex300"}},
                      CommandCase{"ControlNotificationCode", 400, BN_DOUBLECLICKED, TRUE, TRUE, {"Clicked"}},
                      CommandCase{"OtherNotificationCodeOfTheControl", 400, BN_CLICKED, TRUE, FALSE, {}},
                      CommandCase{"CommandEntryIsNotANotificationEntry", 100, BN_DOUBLECLICKED, TRUE, FALSE, {}},
                      CommandCase{"UnknownId", 999, CN_COMMAND, TRUE, FALSE, {}}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

struct NotifyCase
{
    const char* name;
    UINT id;
    UINT notifyCode;
    UINT message;  // the message in the high word of the code
    BOOL exResult;
    BOOL expectHandled;
    std::vector<std::string> expectCalls;
};

class NotifyRouting : public ::testing::TestWithParam<NotifyCase>
{
protected:
    void SetUp() override { g_calls.clear(); }
};

TEST_P(NotifyRouting, TheMessageInTheHighWordSelectsTheEntries)
{
    const NotifyCase& c = GetParam();
    CDerivedTarget target;
    target.m_bExResult = c.exResult;
    NMHDR hdr{};
    hdr.idFrom = c.id;
    hdr.code = c.notifyCode;
    LRESULT lResult = 0;
    AFX_NOTIFY notify{&lResult, &hdr};
    const int nCode = static_cast<int>(MAKELONG(c.notifyCode, c.message));
    EXPECT_EQ(c.expectHandled, target.OnCmdMsg(c.id, nCode, &notify, nullptr));
    EXPECT_EQ(c.expectCalls, g_calls);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NotifyRouting,
    ::testing::Values(
        NotifyCase{"NotifyEntry", 500, NM_CLICK, WM_NOTIFY, TRUE, TRUE, {"NotifyClick500"}},
        NotifyCase{"NotifyOtherCode", 500, NM_DBLCLK, WM_NOTIFY, TRUE, FALSE, {}},
        NotifyCase{"NotifyRangeFirst", 600, NM_DBLCLK, WM_NOTIFY, TRUE, TRUE, {"NotifyRange600"}},
        NotifyCase{"NotifyRangeLast", 610, NM_DBLCLK, WM_NOTIFY, TRUE, TRUE, {"NotifyRange610"}},
        NotifyCase{"NotifyRangeOutside", 611, NM_DBLCLK, WM_NOTIFY, TRUE, FALSE, {}},
        NotifyCase{"NotifyExTakes", 700, NM_RCLICK, WM_NOTIFY, TRUE, TRUE, {"NotifyEx700"}},
        NotifyCase{"NotifyExDeclines", 700, NM_RCLICK, WM_NOTIFY, FALSE, FALSE, {"NotifyEx700"}},
        // The same low word as WM_COMMAND must not reach a WM_NOTIFY entry.
        NotifyCase{"NotifyCodeSentAsCommand", 500, NM_CLICK, 0, TRUE, FALSE, {}},
        NotifyCase{"ReflectedNotifyIsNotTheParentsEntry", 500, NM_CLICK, WM_REFLECT_BASE + WM_NOTIFY, TRUE, FALSE, {}}),
    [](const ::testing::TestParamInfo<NotifyCase>& info) { return std::string(info.param.name); });

TEST(MessageMap, NotifyHandlerSetsTheResult)
{
    CDerivedTarget target;
    NMHDR hdr{};
    hdr.idFrom = 500;
    hdr.code = static_cast<UINT>(NM_CLICK);
    LRESULT lResult = 0;
    AFX_NOTIFY notify{&lResult, &hdr};
    ASSERT_TRUE(target.OnCmdMsg(500, static_cast<int>(MAKELONG(NM_CLICK, WM_NOTIFY)), &notify, nullptr));
    EXPECT_EQ(77, lResult);
}

TEST(MessageMap, DecliningExHandlerLetsTheRouteGoOn)
{
    // OnCmdMsg stops at the first table with an entry; an _EX handler's FALSE
    // is what lets a caller route the command to the next target.
    g_calls.clear();
    CMostDerivedTarget target;
    target.m_bExResult = FALSE;
    EXPECT_FALSE(target.OnCmdMsg(300, CN_COMMAND, nullptr, nullptr));
    CBaseTarget next;
    EXPECT_TRUE(next.OnCmdMsg(100, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ((std::vector<std::string>{"Ex300", "Base100"}), g_calls);
}

TEST(MessageMap, ReflectedUpdateReachesTheControlsOwnHandler)
{
    // A control asks its own map first with id 0 and the reflected message
    // in the high word; the plain update of the id goes elsewhere.
    g_calls.clear();
    CDerivedTarget target;
    CRecordingCmdUI item;
    item.m_nID = 4242;
    const int nCode = static_cast<int>(MAKELONG(CN_UPDATE_COMMAND_UI, WM_REFLECT_BASE + WM_COMMAND));
    EXPECT_TRUE(target.OnCmdMsg(0, nCode, &item, nullptr));
    EXPECT_EQ((std::vector<std::string>{"UpdateReflected4242"}), g_calls);
    EXPECT_FALSE(item.enabled);
    EXPECT_FALSE(target.OnCmdMsg(4242, static_cast<int>(CN_UPDATE_COMMAND_UI), &item, nullptr));
}

TEST(MessageMap, TemplateClassMapChainsToItsBase)
{
    g_calls.clear();
    CTemplateTarget<double> target;
    EXPECT_TRUE(target.OnCmdMsg(800, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(100, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ((std::vector<std::string>{"Template800/8", "Base100"}), g_calls);
}

TEST(MessageMap, HandlerQueryReportsWithoutCalling)
{
    g_calls.clear();
    CDerivedTarget target;
    AFX_CMDHANDLERINFO info{};
    ASSERT_TRUE(target.OnCmdMsg(101, CN_COMMAND, nullptr, &info));
    EXPECT_TRUE(g_calls.empty());
    EXPECT_EQ(&target, info.pTarget);
    EXPECT_TRUE(info.pmf == AFX_PMSG_OF(CCmdTarget, void, (), &CDerivedTarget::OnDerived101));

    AFX_CMDHANDLERINFO none{};
    EXPECT_FALSE(target.OnCmdMsg(999, CN_COMMAND, nullptr, &none));
    EXPECT_EQ(nullptr, none.pTarget);
}

struct UpdateCase
{
    const char* name;
    UINT id;
    BOOL enable100;
    BOOL passOn;
    BOOL disableIfNoHandler;
    BOOL expectHandled;
    int expectEnableCalls;
    BOOL expectEnabled;
};

class UpdateRouting : public ::testing::TestWithParam<UpdateCase>
{
protected:
    void SetUp() override { g_calls.clear(); }
};

TEST_P(UpdateRouting, UpdateHandlersSetTheItemState)
{
    const UpdateCase& c = GetParam();
    CDerivedTarget target;
    target.m_bEnable100 = c.enable100;
    target.m_bPassUpdateOn = c.passOn;
    CRecordingCmdUI item;
    item.m_nID = c.id;
    EXPECT_EQ(c.expectHandled, item.DoUpdate(&target, c.disableIfNoHandler));
    EXPECT_EQ(c.expectEnableCalls, item.enableCalls);
    EXPECT_EQ(c.expectEnabled, item.enabled);
    EXPECT_FALSE(item.m_bContinueRouting) << "the routing flag is reset after the handler";
}

INSTANTIATE_TEST_SUITE_P(
    Table, UpdateRouting,
    ::testing::Values(UpdateCase{"HandlerEnables", 100, TRUE, FALSE, TRUE, TRUE, 1, TRUE},
                      UpdateCase{"HandlerDisables", 100, FALSE, FALSE, TRUE, TRUE, 1, FALSE},
                      UpdateCase{"RangeHandler", 205, TRUE, FALSE, TRUE, TRUE, 0, TRUE},
                      UpdateCase{"HandlerPassesItOn", 205, TRUE, TRUE, FALSE, FALSE, 0, TRUE},
                      // A handler that only checks the item leaves a command without handler disabled.
                      UpdateCase{"HandlerThatDoesNotEnableAndNoCommandHandler", 900, TRUE, FALSE, TRUE, TRUE, 1, FALSE},
                      // No update handler, but a command handler: the item stays enabled.
                      UpdateCase{"CommandHandlerOnly", 102, TRUE, FALSE, TRUE, FALSE, 0, TRUE},
                      // Neither: disabled when asked to.
                      UpdateCase{"NoHandlerAtAllDisables", 999, TRUE, FALSE, TRUE, FALSE, 1, FALSE},
                      UpdateCase{"NoHandlerAtAllLeftAlone", 999, TRUE, FALSE, FALSE, FALSE, 0, TRUE}),
    [](const ::testing::TestParamInfo<UpdateCase>& info) { return std::string(info.param.name); });

// ---- reference counting ----------------------------------------------------

int g_finalReleases = 0;
int g_destroyed = 0;

class CCounted : public CCmdTarget
{
public:
    ~CCounted() override { ++g_destroyed; }
    void OnFinalRelease() override
    {
        ++g_finalReleases;
        CCmdTarget::OnFinalRelease();
    }
};

TEST(CmdTargetReferences, LastReleaseCallsOnFinalReleaseOnce)
{
    g_finalReleases = 0;
    g_destroyed = 0;
    auto* p = new CCounted;
    EXPECT_EQ(2u, p->InternalAddRef());
    EXPECT_EQ(1u, p->InternalRelease());
    EXPECT_EQ(0, g_destroyed);
    EXPECT_EQ(0u, p->InternalRelease());
    EXPECT_EQ(1, g_finalReleases);
    EXPECT_EQ(1, g_destroyed);
}

// ---- interface maps ----------------------------------------------------------

// {5B1E1C61-2B86-4C2B-9A3C-0B7C6E2B4F11}
const IID IID_ITestGreeter = {0x5b1e1c61, 0x2b86, 0x4c2b, {0x9a, 0x3c, 0x0b, 0x7c, 0x6e, 0x2b, 0x4f, 0x11}};
// {5B1E1C62-2B86-4C2B-9A3C-0B7C6E2B4F11}
const IID IID_ITestCounter = {0x5b1e1c62, 0x2b86, 0x4c2b, {0x9a, 0x3c, 0x0b, 0x7c, 0x6e, 0x2b, 0x4f, 0x11}};

struct ITestGreeter : public IUnknown
{
    virtual CCmdTarget* STDMETHODCALLTYPE Owner() = 0;
};
struct ITestCounter : public IUnknown
{
    virtual int STDMETHODCALLTYPE Count() = 0;
};

class CInterfaceTarget : public CCmdTarget
{
public:
    int m_nPayload = 5;

    BEGIN_INTERFACE_PART(Greeter, ITestGreeter)
        CCmdTarget* STDMETHODCALLTYPE Owner() override;
    END_INTERFACE_PART(Greeter)

    BEGIN_INTERFACE_PART(Counter, ITestCounter)
        int STDMETHODCALLTYPE Count() override;
    END_INTERFACE_PART(Counter)

    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CInterfaceTarget, CCmdTarget)
    INTERFACE_PART(CInterfaceTarget, IID_ITestGreeter, Greeter)
    INTERFACE_PART(CInterfaceTarget, IID_ITestCounter, Counter)
END_INTERFACE_MAP()

STDMETHODIMP_(ULONG) CInterfaceTarget::XGreeter::AddRef()
{
    METHOD_PROLOGUE(CInterfaceTarget, Greeter)
    return pThis->ExternalAddRef();
}
STDMETHODIMP_(ULONG) CInterfaceTarget::XGreeter::Release()
{
    METHOD_PROLOGUE(CInterfaceTarget, Greeter)
    return pThis->ExternalRelease();
}
STDMETHODIMP CInterfaceTarget::XGreeter::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CInterfaceTarget, Greeter)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}
CCmdTarget* STDMETHODCALLTYPE CInterfaceTarget::XGreeter::Owner()
{
    METHOD_PROLOGUE(CInterfaceTarget, Greeter)
    return pThis;
}
STDMETHODIMP_(ULONG) CInterfaceTarget::XCounter::AddRef()
{
    METHOD_PROLOGUE(CInterfaceTarget, Counter)
    return pThis->ExternalAddRef();
}
STDMETHODIMP_(ULONG) CInterfaceTarget::XCounter::Release()
{
    METHOD_PROLOGUE(CInterfaceTarget, Counter)
    return pThis->ExternalRelease();
}
STDMETHODIMP CInterfaceTarget::XCounter::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CInterfaceTarget, Counter)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}
int STDMETHODCALLTYPE CInterfaceTarget::XCounter::Count()
{
    METHOD_PROLOGUE(CInterfaceTarget, Counter)
    return pThis->m_nPayload;
}

TEST(InterfaceMap, QueryFindsEachPartAndCountsReferences)
{
    CInterfaceTarget target;
    ITestGreeter* pGreeter = nullptr;
    ASSERT_EQ(S_OK, static_cast<HRESULT>(
                        target.ExternalQueryInterface(&IID_ITestGreeter, reinterpret_cast<void**>(&pGreeter))));
    ASSERT_NE(nullptr, pGreeter);
    EXPECT_EQ(&target, pGreeter->Owner());
    EXPECT_EQ(2, target.m_dwRef);

    // From one part to another through the part's own QueryInterface.
    ITestCounter* pCounter = nullptr;
    ASSERT_EQ(S_OK, pGreeter->QueryInterface(IID_ITestCounter, reinterpret_cast<void**>(&pCounter)));
    EXPECT_EQ(5, pCounter->Count());
    EXPECT_EQ(3, target.m_dwRef);

    // IUnknown is the first part, so identity comparisons work.
    IUnknown* pUnknown = nullptr;
    ASSERT_EQ(S_OK, pCounter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)));
    EXPECT_EQ(static_cast<IUnknown*>(pGreeter), pUnknown);

    void* pNone = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, pGreeter->QueryInterface(IID_IDispatch, &pNone));
    EXPECT_EQ(nullptr, pNone);

    pUnknown->Release();
    pCounter->Release();
    pGreeter->Release();
    EXPECT_EQ(1, target.m_dwRef);
}

class ForeignDispatch : public IDispatch
{
public:
    STDMETHODIMP QueryInterface(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
};

TEST(InterfaceMap, DispatchMapsBackToItsCommandTarget)
{
    CCmdTarget plain;
    EXPECT_EQ(nullptr, plain.GetIDispatch(FALSE)) << "automation is off until enabled";

    CCmdTarget target;
    target.EnableAutomation();
    LPDISPATCH pDispatch = target.GetIDispatch(FALSE);
    ASSERT_NE(nullptr, pDispatch);
    EXPECT_EQ(&target, CCmdTarget::FromIDispatch(pDispatch));
    EXPECT_EQ(nullptr, CCmdTarget::FromIDispatch(nullptr));

    // A dispatch interface of somebody else is not ours.
    ForeignDispatch foreign;
    EXPECT_EQ(nullptr, CCmdTarget::FromIDispatch(&foreign));
}

}  // namespace
