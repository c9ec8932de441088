// The host of one Windows Script engine (chosen by ProgID) for a markup
// context: it creates the engine, publishes named objects to it, parses script
// texts, connects it and records its errors. Every call the engine makes on
// the host's site is passed on to the owner's own site (the delegate), which
// decides which names exist and how errors are shown.
#pragma once

#include "CmdTarget.h"

#include <activscp.h>

#include <map>
#include <string>

// The parse interface of the program's own processor (IID_IActiveScriptParse
// names one of them); both are missing from mingw's uuid library.
#ifdef _WIN64
// {C7EF7658-E1EE-480E-97EA-D52CB4D76D17}
extern "C" const IID IID_IActiveScriptParse64;
#else
// {BB1A2AE2-A4F9-11CF-8F20-00805F2CD064}
extern "C" const IID IID_IActiveScriptParse32;
#endif

class CLVKActiveScriptEngine : public CLVKCmdTarget
{
public:
    CLVKActiveScriptEngine() = default;
    ~CLVKActiveScriptEngine() override;

    // Closes whatever is open, then creates and initialises the engine of the
    // ProgID with pSiteDelegate (may be null) as the delegate. On failure the
    // first failing step's HRESULT comes back and the host is closed.
    HRESULT Create(LPCOLESTR lpszProgID, IActiveScriptSite* pSiteDelegate);

    // Publishes a name to the engine; pObject (may be null) is what
    // GetScriptObject answers for it, held with one reference.
    HRESULT AddScriptObject(LPCOLESTR lpszName, IUnknown* pObject, DWORD dwFlags);
    // The object published under the name, without a reference; null if none.
    IUnknown* GetScriptObject(LPCOLESTR lpszName) const;

    // Initialises the engine and parses one script text into it.
    HRESULT ParseScriptText(LPCOLESTR lpszText);
    HRESULT Connect();

    // Disconnects and closes the engine (which then releases this host's
    // site) and drops the delegate, the published objects and the last error.
    // Call it before releasing the host: the engine holds a reference on it.
    void Close();

    BOOL IsOpen() const { return m_pScript != nullptr; }
    IActiveScript* GetScript() const { return m_pScript; }

    // The exception information of the last script error; null when none.
    const EXCEPINFO* GetLastError() const { return m_pLastError; }
    void SetLastError(const EXCEPINFO* pExcepInfo);

protected:
    DECLARE_INTERFACE_MAP()

    BEGIN_INTERFACE_PART(ActiveScriptSite, IActiveScriptSite)
        STDMETHOD(GetLCID)(LCID * plcid) override;
        STDMETHOD(GetItemInfo)
        (LPCOLESTR pstrName, DWORD dwReturnMask, IUnknown * *ppiunkItem, ITypeInfo * *ppti) override;
        STDMETHOD(GetDocVersionString)(BSTR * pbstrVersion) override;
        STDMETHOD(OnScriptTerminate)(const VARIANT* pvarResult, const EXCEPINFO* pexcepinfo) override;
        STDMETHOD(OnStateChange)(SCRIPTSTATE ssScriptState) override;
        STDMETHOD(OnScriptError)(IActiveScriptError * pscripterror) override;
        STDMETHOD(OnEnterScript)() override;
        STDMETHOD(OnLeaveScript)() override;
    END_INTERFACE_PART(ActiveScriptSite)

private:
    void ClearLastError();
    void ReleaseObjects();

    IActiveScriptSite* m_pSiteDelegate = nullptr;
    IActiveScript* m_pScript = nullptr;
    IActiveScriptParse* m_pParse = nullptr;
    EXCEPINFO* m_pLastError = nullptr;
    std::map<std::wstring, IUnknown*> m_objects;
};
