#include "ActiveScriptEngine.h"

#ifdef _WIN64
extern "C" const IID IID_IActiveScriptParse64 = {
    0xC7EF7658, 0xE1EE, 0x480E, {0x97, 0xEA, 0xD5, 0x2C, 0xB4, 0xD7, 0x6D, 0x17}};
#else
extern "C" const IID IID_IActiveScriptParse32 = {
    0xBB1A2AE2, 0xA4F9, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
#endif

BEGIN_INTERFACE_MAP(CLVKActiveScriptEngine, CLVKCmdTarget)
    INTERFACE_PART(CLVKActiveScriptEngine, IID_IActiveScriptSite, ActiveScriptSite)
END_INTERFACE_MAP()

CLVKActiveScriptEngine::~CLVKActiveScriptEngine()
{
    // Destroyed through the last release, no engine holds the site any more;
    // destroyed directly, the engine's release of the site only lowers the count.
    Close();
}

HRESULT CLVKActiveScriptEngine::Create(LPCOLESTR lpszProgID, IActiveScriptSite* pSiteDelegate)
{
    Close();

    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(lpszProgID, &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IActiveScript, reinterpret_cast<void**>(&m_pScript));
    if (SUCCEEDED(hr))
        hr = m_pScript->QueryInterface(IID_IActiveScriptParse, reinterpret_cast<void**>(&m_pParse));
    if (SUCCEEDED(hr))
        hr = m_pParse->InitNew();
    if (SUCCEEDED(hr))
        hr = m_pScript->SetScriptSite(&m_xActiveScriptSite);
    if (FAILED(hr))
    {
        Close();
        return hr;
    }
    m_pSiteDelegate = pSiteDelegate;
    if (m_pSiteDelegate)
        m_pSiteDelegate->AddRef();
    return hr;
}

HRESULT CLVKActiveScriptEngine::AddScriptObject(LPCOLESTR lpszName, IUnknown* pObject, DWORD dwFlags)
{
    if (!m_pScript)
        return E_UNEXPECTED;
    if (!lpszName)
        return E_INVALIDARG;
    // The object is known before the engine hears the name: an engine may ask
    // for a global item while AddNamedItem is still running.
    IUnknown* pPrevious = nullptr;
    if (pObject)
    {
        IUnknown*& slot = m_objects[lpszName];
        pPrevious = slot;
        pObject->AddRef();
        slot = pObject;
    }
    const HRESULT hr = m_pScript->AddNamedItem(lpszName, dwFlags);
    if (pObject && FAILED(hr))
    {
        auto it = m_objects.find(lpszName);
        if (pPrevious)
            it->second = pPrevious;
        else
            m_objects.erase(it);
        pObject->Release();
        pPrevious = nullptr;
    }
    if (pPrevious)
        pPrevious->Release();
    return hr;
}

IUnknown* CLVKActiveScriptEngine::GetScriptObject(LPCOLESTR lpszName) const
{
    if (!lpszName)
        return nullptr;
    const auto it = m_objects.find(lpszName);
    return it == m_objects.end() ? nullptr : it->second;
}

HRESULT CLVKActiveScriptEngine::ParseScriptText(LPCOLESTR lpszText)
{
    if (!m_pScript || !m_pParse)
        return E_UNEXPECTED;
    HRESULT hr = m_pScript->SetScriptState(SCRIPTSTATE_INITIALIZED);
    if (SUCCEEDED(hr))
        hr = m_pParse->ParseScriptText(lpszText, nullptr, nullptr, nullptr, 0, 0, SCRIPTTEXT_ISVISIBLE, nullptr,
                                       nullptr);
    return hr;
}

HRESULT CLVKActiveScriptEngine::Connect()
{
    if (!m_pScript)
        return E_UNEXPECTED;
    return m_pScript->SetScriptState(SCRIPTSTATE_CONNECTED);
}

void CLVKActiveScriptEngine::Close()
{
    ClearLastError();
    if (m_pScript)
        m_pScript->SetScriptState(SCRIPTSTATE_DISCONNECTED);
    if (m_pSiteDelegate)
    {
        m_pSiteDelegate->Release();
        m_pSiteDelegate = nullptr;
    }
    if (m_pParse)
    {
        m_pParse->Release();
        m_pParse = nullptr;
    }
    if (m_pScript)
    {
        // Close (not only the closed state, which some engines refuse) makes
        // the engine let go of its site and named items, so the reference it
        // holds on this host is given back exactly once.
        IActiveScript* pScript = m_pScript;
        m_pScript = nullptr;
        pScript->Close();
        pScript->Release();
    }
    ReleaseObjects();
}

void CLVKActiveScriptEngine::ReleaseObjects()
{
    std::map<std::wstring, IUnknown*> objects;
    objects.swap(m_objects);
    for (auto& entry : objects)
        entry.second->Release();
}

void CLVKActiveScriptEngine::ClearLastError()
{
    if (!m_pLastError)
        return;
    SysFreeString(m_pLastError->bstrSource);
    SysFreeString(m_pLastError->bstrDescription);
    SysFreeString(m_pLastError->bstrHelpFile);
    delete m_pLastError;
    m_pLastError = nullptr;
}

void CLVKActiveScriptEngine::SetLastError(const EXCEPINFO* pExcepInfo)
{
    ClearLastError();
    if (!pExcepInfo)
        return;
    auto* pCopy = new EXCEPINFO(*pExcepInfo);
    pCopy->bstrSource = pExcepInfo->bstrSource ? SysAllocString(pExcepInfo->bstrSource) : nullptr;
    pCopy->bstrDescription = pExcepInfo->bstrDescription ? SysAllocString(pExcepInfo->bstrDescription) : nullptr;
    pCopy->bstrHelpFile = pExcepInfo->bstrHelpFile ? SysAllocString(pExcepInfo->bstrHelpFile) : nullptr;
    m_pLastError = pCopy;
}

STDMETHODIMP_(ULONG) CLVKActiveScriptEngine::XActiveScriptSite::AddRef()
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CLVKActiveScriptEngine::XActiveScriptSite::Release()
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    return pThis->ExternalRelease();
}

STDMETHODIMP CLVKActiveScriptEngine::XActiveScriptSite::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP CLVKActiveScriptEngine::XActiveScriptSite::GetLCID(LCID* plcid)
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    return pThis->m_pSiteDelegate ? pThis->m_pSiteDelegate->GetLCID(plcid) : E_NOTIMPL;
}

STDMETHODIMP CLVKActiveScriptEngine::XActiveScriptSite::GetItemInfo(LPCOLESTR pstrName, DWORD dwReturnMask,
                                                                    IUnknown** ppiunkItem, ITypeInfo** ppti)
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    if (pThis->m_pSiteDelegate)
        return pThis->m_pSiteDelegate->GetItemInfo(pstrName, dwReturnMask, ppiunkItem, ppti);
    return TYPE_E_ELEMENTNOTFOUND;
}

STDMETHODIMP CLVKActiveScriptEngine::XActiveScriptSite::GetDocVersionString(BSTR* pbstrVersion)
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    return pThis->m_pSiteDelegate ? pThis->m_pSiteDelegate->GetDocVersionString(pbstrVersion) : E_NOTIMPL;
}

STDMETHODIMP CLVKActiveScriptEngine::XActiveScriptSite::OnScriptTerminate(const VARIANT* pvarResult,
                                                                          const EXCEPINFO* pexcepinfo)
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    return pThis->m_pSiteDelegate ? pThis->m_pSiteDelegate->OnScriptTerminate(pvarResult, pexcepinfo) : S_OK;
}

STDMETHODIMP CLVKActiveScriptEngine::XActiveScriptSite::OnStateChange(SCRIPTSTATE ssScriptState)
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    return pThis->m_pSiteDelegate ? pThis->m_pSiteDelegate->OnStateChange(ssScriptState) : S_OK;
}

STDMETHODIMP CLVKActiveScriptEngine::XActiveScriptSite::OnScriptError(IActiveScriptError* pscripterror)
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    if (pscripterror)
    {
        EXCEPINFO info{};
        if (SUCCEEDED(pscripterror->GetExceptionInfo(&info)))
        {
            pThis->SetLastError(&info);
            SysFreeString(info.bstrSource);
            SysFreeString(info.bstrDescription);
            SysFreeString(info.bstrHelpFile);
        }
    }
    return pThis->m_pSiteDelegate ? pThis->m_pSiteDelegate->OnScriptError(pscripterror) : E_NOTIMPL;
}

STDMETHODIMP CLVKActiveScriptEngine::XActiveScriptSite::OnEnterScript()
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    return pThis->m_pSiteDelegate ? pThis->m_pSiteDelegate->OnEnterScript() : S_OK;
}

STDMETHODIMP CLVKActiveScriptEngine::XActiveScriptSite::OnLeaveScript()
{
    METHOD_PROLOGUE(CLVKActiveScriptEngine, ActiveScriptSite)
    return pThis->m_pSiteDelegate ? pThis->m_pSiteDelegate->OnLeaveScript() : S_OK;
}
