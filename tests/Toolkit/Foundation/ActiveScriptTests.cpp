// The script host with JScript: named objects, the standard runtime's
// timeouts, error reports and the host's own life cycle.
#include "Foundation/ActiveScriptEngine.h"
#include "Foundation/ActiveScriptStdRuntime.h"

#include "MessagePump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// A script-visible object: records texts, adds numbers, calls callbacks.
class CScriptHostObject : public CLVKCmdTarget
{
public:
    explicit CScriptHostObject(const wchar_t* pszName) : m_strName(pszName) { EnableAutomation(); }

    void Record(LPCOLESTR lpszText) { m_records.push_back(lpszText ? lpszText : L"(null)"); }
    long Add(long a, long b) { return a + b; }
    IDispatch* GetChild() { return m_pChild ? m_pChild->GetIDispatch(TRUE) : nullptr; }
    void Call(IDispatch* pCallback)
    {
        if (!pCallback)
            return;
        VARIANT arg;
        VariantInit(&arg);
        V_VT(&arg) = VT_I4;
        V_I4(&arg) = 7;
        DISPPARAMS params{&arg, nullptr, 1, 0};
        pCallback->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                          nullptr);
    }
    void Run() { ++m_nRuns; }

    CString m_strName;
    std::vector<std::wstring> m_records;
    CScriptHostObject* m_pChild = nullptr;
    int m_nRuns = 0;

protected:
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(CScriptHostObject, CLVKCmdTarget)
    DISP_FUNCTION(CScriptHostObject, "Record", Record, VT_EMPTY, VTS_BSTR)
    DISP_FUNCTION(CScriptHostObject, "Add", Add, VT_I4, VTS_I4 VTS_I4)
    DISP_PROPERTY_EX(CScriptHostObject, "Child", GetChild, SetNotSupported, VT_DISPATCH)
    DISP_FUNCTION(CScriptHostObject, "Call", Call, VT_EMPTY, VTS_DISPATCH)
    DISP_PROPERTY(CScriptHostObject, "Name", m_strName, VT_BSTR)
    DISP_FUNCTION_ID(CScriptHostObject, "Run", DISPID_VALUE, Run, VT_EMPTY, VTS_NONE)
END_DISPATCH_MAP()

// The owner's site, as a markup context is: names come from the engine's
// published objects, the standard runtime is made on first request, errors
// are recorded with their line.
class CTestSite : public IActiveScriptSite
{
public:
    explicit CTestSite(CLVKActiveScriptEngine* pEngine) : m_pEngine(pEngine) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IActiveScriptSite))
        {
            *ppv = static_cast<IActiveScriptSite*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override { return --m_nRefs; }
    STDMETHODIMP GetLCID(LCID* plcid) override
    {
        *plcid = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    STDMETHODIMP GetItemInfo(LPCOLESTR pstrName, DWORD dwReturnMask, IUnknown** ppunk, ITypeInfo** ppti) override
    {
        if (ppti)
            *ppti = nullptr;
        IUnknown* pObject = m_pEngine->GetScriptObject(pstrName);
        if (!pObject && wcscmp(pstrName, L"__LVKActiveScriptStdRuntime") == 0)
        {
            if (!m_pRuntime)
                m_pRuntime = new CLVKActiveScriptStdRuntime;
            pObject = m_pRuntime->GetIDispatch(FALSE);
        }
        if (!pObject)
            return TYPE_E_ELEMENTNOTFOUND;
        if ((dwReturnMask & SCRIPTINFO_IUNKNOWN) && ppunk)
        {
            *ppunk = pObject;
            pObject->AddRef();
        }
        return S_OK;
    }
    STDMETHODIMP GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    STDMETHODIMP OnStateChange(SCRIPTSTATE) override { return S_OK; }
    STDMETHODIMP OnScriptError(IActiveScriptError* pError) override
    {
        DWORD context = 0;
        ULONG line = 0;
        LONG column = 0;
        pError->GetSourcePosition(&context, &line, &column);
        m_errorLines.push_back(line);
        m_bHadLastErrorFirst = m_pEngine->GetLastError() != nullptr;
        return S_OK;
    }
    STDMETHODIMP OnEnterScript() override { return S_OK; }
    STDMETHODIMP OnLeaveScript() override { return S_OK; }

    void ReleaseRuntime()
    {
        if (m_pRuntime)
            m_pRuntime->InternalRelease();
        m_pRuntime = nullptr;
    }

    CLVKActiveScriptEngine* m_pEngine;
    CLVKActiveScriptStdRuntime* m_pRuntime = nullptr;
    ULONG m_nRefs = 1;
    std::vector<ULONG> m_errorLines;
    bool m_bHadLastErrorFirst = false;
};

class ActiveScript : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        host.m_pChild = &child;
        ASSERT_EQ(S_OK, engine->Create(L"JScript", &site));
        ASSERT_EQ(S_OK, engine->AddScriptObject(L"host", host.GetIDispatch(FALSE), SCRIPTITEM_ISVISIBLE));
        ASSERT_EQ(S_OK, engine->AddScriptObject(L"__LVKActiveScriptStdRuntime", nullptr, SCRIPTITEM_GLOBALMEMBERS));
    }
    void TearDown() override
    {
        engine->Close();
        EXPECT_EQ(1, engine->m_dwRef) << "closing gives back every reference the script engine held";
        engine->InternalRelease();
        site.ReleaseRuntime();
        EXPECT_EQ(1u, site.m_nRefs) << "the host lets go of the owner's site";
        EXPECT_EQ(1, host.m_dwRef) << "published objects are released";
        CoUninitialize();
    }

    HRESULT Run(const wchar_t* pszScript)
    {
        const HRESULT hr = engine->ParseScriptText(pszScript);
        if (FAILED(hr))
            return hr;
        return engine->Connect();
    }

    CScriptHostObject host{L"the host"};
    CScriptHostObject child{L"the child"};
    CLVKActiveScriptEngine* engine = new CLVKActiveScriptEngine;
    CTestSite site{engine};
};

TEST_F(ActiveScript, NamedObjectsAreReachedWithStringsNumbersObjectsAndCallbacks)
{
    ASSERT_EQ(S_OK, Run(L"host.Record('name:' + host.Name);\n"
                        L"host.Record('sum:' + host.Add(2, '40'));\n"
                        L"host.Record('child:' + host.Child.Name);\n"
                        L"host.Call(function (v) { host.Record('callback:' + v); });\n"
                        L"host.Name = 'renamed';\n"));
    const std::vector<std::wstring> expected = {L"name:the host", L"sum:42", L"child:the child", L"callback:7"};
    EXPECT_EQ(expected, host.m_records);
    EXPECT_STREQ(L"renamed", host.m_strName);
    EXPECT_EQ(1, child.m_dwRef) << "the child handed to the script was released by it";
    EXPECT_EQ(engine->GetScriptObject(L"host"), host.GetIDispatch(FALSE));
    EXPECT_EQ(nullptr, engine->GetScriptObject(L"nobody"));
}

// The fired timeout sets a longer one when it runs: due timers fire in the
// order of their due times, so by the time that one fires, a second firing of
// the first and the cleared one (both due earlier) would have come, however
// late the machine runs them.
TEST_F(ActiveScript, TimeoutFiresOnceAndAClearedOneNever)
{
    ASSERT_EQ(S_OK, Run(L"var fired = setTimeout(function () {\n"
                        L"    host.Record('fired');\n"
                        L"    setTimeout(function () { host.Record('later'); }, 50);\n"
                        L"}, 10);\n"
                        L"var cleared = setTimeout(function () { host.Record('cleared'); }, 10);\n"
                        L"clearTimeout(cleared);\n"
                        L"clearTimeout(cleared);\n"
                        L"host.Record('ids:' + (fired != 0) + ',' + (fired != cleared));\n"
                        L"debugLog(null); debugLog('from the script');\n"));
    EXPECT_TRUE(PumpMessagesUntil([&] { return !host.m_records.empty() && host.m_records.back() == L"later"; }));
    const std::vector<std::wstring> expected = {L"ids:true,true", L"fired", L"later"};
    EXPECT_EQ(expected, host.m_records);
    ASSERT_NE(nullptr, site.m_pRuntime);
}

TEST_F(ActiveScript, ErrorReachesTheOwnerWithItsLineAfterItWasStored)
{
    EXPECT_EQ(nullptr, engine->GetLastError());
    const HRESULT hr = engine->ParseScriptText(L"var a = 1;\nvar b = ;\n");
    EXPECT_EQ(static_cast<HRESULT>(0x80020101), hr) << "a syntax error";
    ASSERT_EQ(1u, site.m_errorLines.size());
    EXPECT_EQ(1u, site.m_errorLines[0]) << "the second line, counted from 0";
    EXPECT_TRUE(site.m_bHadLastErrorFirst);
    ASSERT_NE(nullptr, engine->GetLastError());
    EXPECT_NE(S_OK, engine->GetLastError()->scode);
}

TEST(ActiveScriptHost, UnknownLanguageLeavesTheHostClosed)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CLVKActiveScriptEngine engine;
    CTestSite site(&engine);
    EXPECT_EQ(CO_E_CLASSSTRING, engine.Create(L"NoSuch.ScriptLanguage", &site));
    EXPECT_FALSE(engine.IsOpen());
    EXPECT_EQ(1u, site.m_nRefs) << "the delegate is kept only on success";
    EXPECT_EQ(E_UNEXPECTED, engine.ParseScriptText(L"var a;"));
    EXPECT_EQ(E_UNEXPECTED, engine.AddScriptObject(L"x", nullptr, SCRIPTITEM_ISVISIBLE));

    // A second Create closes the first engine before it opens another.
    ASSERT_EQ(S_OK, engine.Create(L"JScript", &site));
    EXPECT_EQ(2u, site.m_nRefs);
    ASSERT_EQ(S_OK, engine.Create(L"JScript", &site));
    EXPECT_EQ(2u, site.m_nRefs);
    engine.Close();
    EXPECT_EQ(1u, site.m_nRefs);
    EXPECT_EQ(1, engine.m_dwRef);
    CoUninitialize();
}

// A script error object for the site without a delegate.
class CFakeScriptError : public IActiveScriptError
{
public:
    STDMETHODIMP QueryInterface(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetExceptionInfo(EXCEPINFO* pInfo) override
    {
        *pInfo = EXCEPINFO{};
        pInfo->scode = E_FAIL;
        pInfo->bstrDescription = SysAllocString(L"broken");
        return S_OK;
    }
    STDMETHODIMP GetSourcePosition(DWORD*, ULONG*, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetSourceLineText(BSTR*) override { return E_NOTIMPL; }
};

TEST(ActiveScriptHost, SiteWithoutDelegateGivesTheFixedAnswers)
{
    CLVKActiveScriptEngine engine;
    IActiveScriptSite* pSite = nullptr;
    ASSERT_EQ(
        S_OK,
        engine.GetInterface(&IID_IUnknown)->QueryInterface(IID_IActiveScriptSite, reinterpret_cast<void**>(&pSite)));
    EXPECT_EQ(2, engine.m_dwRef) << "the site counts on the host's own reference count";
    LCID lcid = 0;
    BSTR version = nullptr;
    IUnknown* pUnk = nullptr;
    CFakeScriptError error;
    EXPECT_EQ(E_NOTIMPL, pSite->GetLCID(&lcid));
    EXPECT_EQ(TYPE_E_ELEMENTNOTFOUND, pSite->GetItemInfo(L"x", SCRIPTINFO_IUNKNOWN, &pUnk, nullptr));
    EXPECT_EQ(E_NOTIMPL, pSite->GetDocVersionString(&version));
    EXPECT_EQ(S_OK, pSite->OnScriptTerminate(nullptr, nullptr));
    EXPECT_EQ(S_OK, pSite->OnStateChange(SCRIPTSTATE_STARTED));
    EXPECT_EQ(S_OK, pSite->OnEnterScript());
    EXPECT_EQ(S_OK, pSite->OnLeaveScript());
    EXPECT_EQ(E_NOTIMPL, pSite->OnScriptError(&error));
    ASSERT_NE(nullptr, engine.GetLastError()) << "the error is stored even without a delegate";
    EXPECT_STREQ(L"broken", engine.GetLastError()->bstrDescription);
    engine.Close();
    EXPECT_EQ(nullptr, engine.GetLastError());
    pSite->Release();
}

class CCountingCallback : public CScriptHostObject
{
public:
    CCountingCallback() : CScriptHostObject(L"callback") {}
};

TEST(ActiveScriptRuntime, DestroyedRuntimeCancelsOnlyItsOwnTimeouts)
{
    auto* pDoomed = new CLVKActiveScriptStdRuntime;
    auto* pKept = new CLVKActiveScriptStdRuntime;
    CCountingCallback doomedCallback;
    CCountingCallback keptCallback;
    EXPECT_EQ(0, pDoomed->setTimeout(nullptr, 5)) << "no callback, no timeout";
    // The kept timeout is set longer: due timers fire in the order of their
    // due times, so once it ran, the doomed one would have run before it.
    EXPECT_NE(0, pDoomed->setTimeout(doomedCallback.GetIDispatch(FALSE), 5));
    EXPECT_NE(0, pKept->setTimeout(keptCallback.GetIDispatch(FALSE), 30));
    EXPECT_EQ(2, doomedCallback.m_dwRef) << "a pending timeout keeps its callback";
    pDoomed->InternalRelease();
    EXPECT_EQ(1, doomedCallback.m_dwRef);
    EXPECT_TRUE(PumpMessagesUntil([&] { return keptCallback.m_nRuns > 0; }));
    EXPECT_EQ(0, doomedCallback.m_nRuns);
    EXPECT_EQ(1, keptCallback.m_nRuns);
    EXPECT_EQ(1, keptCallback.m_dwRef) << "a fired timeout lets go of its callback";
    pKept->clearTimeout(12345);  // unknown id: nothing happens
    pKept->debugLog(nullptr);
    pKept->InternalRelease();
}

TEST(ActiveScriptRuntime, TimerWithoutTaskIsKilledToo)
{
    const UINT_PTR nTimerId = SetTimer(nullptr, 0, 5, &LVKActiveScriptTimerProc);
    ASSERT_NE(0u, nTimerId);
    // A mark set longer fires after the timer's first firing.
    ASSERT_TRUE(PumpMessagesPastTimer(50));
    EXPECT_FALSE(KillTimer(nullptr, nTimerId)) << "the timer was already killed when it first fired";
}

}  // namespace
