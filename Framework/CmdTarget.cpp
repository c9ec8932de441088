#include "CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

// The root of every message map and interface map chain.
const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, static_cast<AFX_PMSG>(nullptr)}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const
{
    return GetThisInterfaceMap();
}

const AFX_INTERFACEMAP_ENTRY* PASCAL CCmdTarget::GetThisInterfaceEntries()
{
    static const AFX_INTERFACEMAP_ENTRY entries[] = {{nullptr, (size_t)-1}};
    return entries;
}

const AFX_INTERFACEMAP* PASCAL CCmdTarget::GetThisInterfaceMap()
{
    static const AFX_INTERFACEMAP map = {nullptr, GetThisInterfaceEntries()};
    return &map;
}

CCmdTarget::CCmdTarget() = default;

CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
    {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

namespace
{
// Undoes AFX_PMSG_OF with the signature the entry was made with.
template <typename R, typename... A>
R CallHandler(CCmdTarget* pTarget, AFX_PMSG pfn, A... args)
{
    const auto pmf = reinterpret_cast<R (CCmdTarget::*)(A...)>(pfn);
    return (pTarget->*pmf)(args...);
}
}  // namespace

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                              AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo)
    {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }

    BOOL bResult = TRUE;
    switch (nSig)
    {
    case AfxSigCmd_v:
        CallHandler<void>(pTarget, pfn);
        break;
    case AfxSigCmd_b:
        bResult = CallHandler<BOOL>(pTarget, pfn);
        break;
    case AfxSigCmd_RANGE:
        CallHandler<void, UINT>(pTarget, pfn, nID);
        break;
    case AfxSigCmd_EX:
        bResult = CallHandler<BOOL, UINT>(pTarget, pfn, nID);
        break;
    case AfxSigCmdUI:
    {
        // A handler that calls ContinueRouting passes the item on.
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (!pCmdUI)
            return FALSE;
        pCmdUI->m_bContinueRouting = FALSE;
        CallHandler<void, CCmdUI*>(pTarget, pfn, pCmdUI);
        bResult = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        break;
    }
    case AfxSigNotify_v:
    case AfxSigNotify_b:
    case AfxSigNotify_RANGE:
    case AfxSigNotify_EX:
    {
        auto* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        if (!pNotify)
            return FALSE;
        if (nSig == AfxSigNotify_v)
            CallHandler<void, NMHDR*, LRESULT*>(pTarget, pfn, pNotify->pNMHDR, pNotify->pResult);
        else if (nSig == AfxSigNotify_b)
            bResult = CallHandler<BOOL, NMHDR*, LRESULT*>(pTarget, pfn, pNotify->pNMHDR, pNotify->pResult);
        else if (nSig == AfxSigNotify_RANGE)
            CallHandler<void, UINT, NMHDR*, LRESULT*>(pTarget, pfn, nID, pNotify->pNMHDR, pNotify->pResult);
        else
            bResult = CallHandler<BOOL, UINT, NMHDR*, LRESULT*>(pTarget, pfn, nID, pNotify->pNMHDR, pNotify->pResult);
        break;
    }
    default:
        // A window-message signature in a command entry: a table error.
        (void)nCode;
        return FALSE;
    }
    return bResult;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The message travels in the high word of the code (WM_NOTIFY, reflected
    // messages); a high word of 0 means WM_COMMAND. The update code is whole.
    UINT nMsg = 0;
    UINT nCodeLow = static_cast<UINT>(nCode);
    if (static_cast<UINT>(nCode) != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(static_cast<UINT>(nCode));
        nCodeLow = LOWORD(static_cast<UINT>(nCode));
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    // Commands and their update requests are routed through several targets on
    // every idle pass and every notification, so the chain lookup is cached.
    const AFX_MSGMAP_ENTRY* lpEntry = AfxFindCommandEntryInChain(GetMessageMap(), nMsg, nCodeLow, nID);
    if (!lpEntry)
        return FALSE;
    return AfxDispatchCmdMsg(this, nID, static_cast<int>(nCodeLow), lpEntry->pfn, pExtra, lpEntry->nSig, pHandlerInfo);
}

DWORD CCmdTarget::InternalAddRef()
{
    return static_cast<DWORD>(InterlockedIncrement(&m_dwRef));
}

DWORD CCmdTarget::InternalRelease()
{
    // A count already at zero means the object is being destroyed: no
    // second final release.
    if (m_dwRef == 0)
        return 0;
    const LONG lResult = InterlockedDecrement(&m_dwRef);
    if (lResult == 0)
        OnFinalRelease();
    return static_cast<DWORD>(lResult);
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

LPUNKNOWN CCmdTarget::GetInterfaceHook(const void*)
{
    return nullptr;
}

LPUNKNOWN CCmdTarget::GetInterface(const void* iid)
{
    const IID& riid = *static_cast<const IID*>(iid);
    const bool bUnknown = IsEqualIID(riid, IID_IUnknown) != FALSE;
    for (const AFX_INTERFACEMAP* pMap = GetInterfaceMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_INTERFACEMAP_ENTRY* pEntry = pMap->pEntry; pEntry->nOffset != (size_t)-1; ++pEntry)
        {
            if (!pEntry->piid)
                continue;  // aggregates are not searched here
            // IUnknown is answered by the first interface of the map.
            if (bUnknown || IsEqualIID(riid, *static_cast<const IID*>(pEntry->piid)))
                return reinterpret_cast<LPUNKNOWN>(reinterpret_cast<BYTE*>(this) + pEntry->nOffset);
        }
    }
    if (m_bAutomation && (bUnknown || IsEqualIID(riid, IID_IDispatch)))
        return &m_xDispatch;
    return GetInterfaceHook(iid);
}

DWORD CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (!ppvObj)
        return static_cast<DWORD>(E_POINTER);
    LPUNKNOWN lpUnk = GetInterface(iid);
    *ppvObj = lpUnk;
    if (!lpUnk)
        return static_cast<DWORD>(E_NOINTERFACE);
    lpUnk->AddRef();
    return S_OK;
}

DWORD CCmdTarget::ExternalAddRef()
{
    if (m_pOuterUnknown)
        return m_pOuterUnknown->AddRef();
    return InternalAddRef();
}

DWORD CCmdTarget::ExternalRelease()
{
    if (m_pOuterUnknown)
        return m_pOuterUnknown->Release();
    return InternalRelease();
}

DWORD CCmdTarget::ExternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (m_pOuterUnknown)
        return static_cast<DWORD>(m_pOuterUnknown->QueryInterface(*static_cast<const IID*>(iid), ppvObj));
    return InternalQueryInterface(iid, ppvObj);
}

LPUNKNOWN CCmdTarget::GetControllingUnknown()
{
    if (m_pOuterUnknown)
        return m_pOuterUnknown;
    return GetInterface(&IID_IUnknown);
}

void CCmdTarget::EnableAutomation()
{
    m_bAutomation = TRUE;
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (!m_bAutomation)
        return nullptr;
    if (bAddRef)
        ExternalAddRef();
    return &m_xDispatch;
}

CCmdTarget* PASCAL CCmdTarget::FromIDispatch(LPDISPATCH lpDispatch)
{
    if (!lpDispatch)
        return nullptr;
    // Only our own dispatch object has our vtable; anything else is foreign.
    static XDispatch probe;
    if (*reinterpret_cast<void**>(lpDispatch) != *reinterpret_cast<void**>(&probe))
        return nullptr;
    auto* pDispatch = static_cast<XDispatch*>(lpDispatch);
    return reinterpret_cast<CCmdTarget*>(reinterpret_cast<BYTE*>(pDispatch) -
                                         AFX_MEMBER_OFFSET(CCmdTarget, m_xDispatch));
}

STDMETHODIMP_(ULONG) CCmdTarget::XDispatch::AddRef()
{
    METHOD_PROLOGUE(CCmdTarget, Dispatch)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CCmdTarget::XDispatch::Release()
{
    METHOD_PROLOGUE(CCmdTarget, Dispatch)
    return pThis->ExternalRelease();
}

STDMETHODIMP CCmdTarget::XDispatch::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CCmdTarget, Dispatch)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP CCmdTarget::XDispatch::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo)
        *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CCmdTarget::XDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CCmdTarget::XDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    METHOD_PROLOGUE(CCmdTarget, Dispatch)
    return AfxDispatchGetIDsOfNames(pThis->GetDispatchMap(), rgszNames, cNames, rgDispId);
}

STDMETHODIMP CCmdTarget::XDispatch::Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                           VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    METHOD_PROLOGUE(CCmdTarget, Dispatch)
    return AfxDispatchInvoke(pThis, pThis->GetDispatchMap(), dispid, lcid, wFlags, pDispParams, pVarResult, pExcepInfo,
                             puArgErr);
}

namespace
{
// Message maps never change, so the entry a class's chain holds for a window
// message is looked up once and then found here: direct-mapped by the class's
// map and the message. One cache per thread, so a lookup takes no lock.
struct MessageCacheSlot
{
    const AFX_MSGMAP* pMap;
    UINT nMsg;
    const AFX_MSGMAP_ENTRY* lpEntry;  // null: no entry in the chain
};

const size_t kMessageCacheSlots = 256;
thread_local MessageCacheSlot t_messageCache[kMessageCacheSlots];

// Command, notification and update entries are found by message, code and id;
// a class's chain is asked for the same few ids over and over.
struct CommandCacheSlot
{
    const AFX_MSGMAP* pMap;
    UINT nMsg;
    UINT nCode;
    UINT nID;
    const AFX_MSGMAP_ENTRY* lpEntry;  // null: no entry in the chain
};

const size_t kCommandCacheSlots = 512;
thread_local CommandCacheSlot t_commandCache[kCommandCacheSlots];

const AFX_MSGMAP_ENTRY* FindEntryInChain(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID)
{
    const AFX_MSGMAP_ENTRY* lpEntry = nullptr;
    for (const AFX_MSGMAP* pSearch = pMap; pSearch && !lpEntry;
         pSearch = pSearch->pfnGetBaseMap ? pSearch->pfnGetBaseMap() : nullptr)
        lpEntry = AfxFindMessageEntry(pSearch->lpEntries, nMsg, nCode, nID);
    return lpEntry;
}
}  // namespace

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindCommandEntryInChain(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID)
{
    if (!pMap)
        return nullptr;
    const size_t nSlot = ((reinterpret_cast<UINT_PTR>(pMap) >> 3) ^ (static_cast<UINT_PTR>(nMsg) * 2654435761u) ^
                          (static_cast<UINT_PTR>(nCode) * 40503u) ^ (static_cast<UINT_PTR>(nID) * 2246822519u)) %
                         kCommandCacheSlots;
    CommandCacheSlot& slot = t_commandCache[nSlot];
    if (slot.pMap == pMap && slot.nMsg == nMsg && slot.nCode == nCode && slot.nID == nID)
        return slot.lpEntry;
    const AFX_MSGMAP_ENTRY* lpEntry = FindEntryInChain(pMap, nMsg, nCode, nID);
    slot = {pMap, nMsg, nCode, nID, lpEntry};
    return lpEntry;
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntryInChain(const AFX_MSGMAP* pMap, UINT nMsg)
{
    if (!pMap)
        return nullptr;
    const size_t nSlot =
        ((reinterpret_cast<UINT_PTR>(pMap) >> 3) ^ (static_cast<UINT_PTR>(nMsg) * 2654435761u)) % kMessageCacheSlots;
    MessageCacheSlot& slot = t_messageCache[nSlot];
    if (slot.pMap == pMap && slot.nMsg == nMsg)
        return slot.lpEntry;

    const AFX_MSGMAP_ENTRY* lpEntry = FindEntryInChain(pMap, nMsg, 0, 0);
    slot.pMap = pMap;
    slot.nMsg = nMsg;
    slot.lpEntry = lpEntry;
    return lpEntry;
}
