// CCmdTarget: the base of every object that receives commands through a
// message map, with COM-style reference counting and interface maps.
#pragma once

#include "AfxBase.h"
#include "Object.h"
#include "MessageMap.h"
#include "CmdUI.h"
#include "Exceptions.h"
#include "ModuleState.h"
#include "DispatchMap.h"

// Interface maps: nested objects that implement COM interfaces for the object
// that embeds them.
struct AFX_INTERFACEMAP_ENTRY
{
    const void* piid;  // NULL ends the table
    size_t nOffset;    // offset of the nested interface object
};

struct AFX_INTERFACEMAP
{
    const AFX_INTERFACEMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

// The offset of a member without offsetof, which GCC rejects quietly only for
// standard-layout classes; the base address is arbitrary and never read.
#define AFX_MEMBER_OFFSET(theClass, member) \
    (reinterpret_cast<size_t>(&reinterpret_cast<theClass*>(0x1000)->member) - 0x1000)

#define DECLARE_INTERFACE_MAP()                                            \
private:                                                                   \
    static const AFX_INTERFACEMAP_ENTRY* PASCAL GetThisInterfaceEntries(); \
                                                                           \
protected:                                                                 \
    static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap();           \
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

#define BEGIN_INTERFACE_MAP(theClass, theBase)                                                          \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const                                           \
    {                                                                                                   \
        return GetThisInterfaceMap();                                                                   \
    }                                                                                                   \
    const AFX_INTERFACEMAP* PASCAL theClass::GetThisInterfaceMap()                                      \
    {                                                                                                   \
        static const AFX_INTERFACEMAP map = {&theBase::GetThisInterfaceMap, GetThisInterfaceEntries()}; \
        return &map;                                                                                    \
    }                                                                                                   \
    const AFX_INTERFACEMAP_ENTRY* PASCAL theClass::GetThisInterfaceEntries()                            \
    {                                                                                                   \
        static const AFX_INTERFACEMAP_ENTRY entries[] = {
#define INTERFACE_PART(theClass, iid, localClass) {&(iid), AFX_MEMBER_OFFSET(theClass, m_x##localClass)},

#define INTERFACE_AGGREGATE(theClass, theAggr) {NULL, AFX_MEMBER_OFFSET(theClass, theAggr)},

#define END_INTERFACE_MAP() \
    {                       \
        NULL, (size_t)-1    \
    }                       \
    }                       \
    ;                       \
    return entries;         \
    }

#define BEGIN_INTERFACE_PART(localClass, baseClass) \
    class X##localClass : public baseClass          \
    {                                               \
    public:                                         \
        STDMETHOD_(ULONG, AddRef)() override;       \
        STDMETHOD_(ULONG, Release)() override;      \
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;

#define INIT_INTERFACE_PART(theClass, localClass)

#define END_INTERFACE_PART(localClass) \
    }                                  \
    m_x##localClass;                   \
    friend class X##localClass;

// Inside a nested interface method: pThis is the embedding object.
#define METHOD_PROLOGUE(theClass, localClass)                                                                      \
    theClass* pThis =                                                                                              \
        reinterpret_cast<theClass*>(reinterpret_cast<BYTE*>(this) - AFX_MEMBER_OFFSET(theClass, m_x##localClass)); \
    (void)pThis;
#define METHOD_PROLOGUE_EX(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)
#define METHOD_PROLOGUE_EX_(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Looks for a handler of the command or notification nID in the message
    // map chain. nCode is CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra: CCmdUI*),
    // a control notification code, or MAKELONG(code, WM_NOTIFY) (pExtra:
    // AFX_NOTIFY*). With pHandlerInfo the handler is reported, not called.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Reference counting: an object starts with one reference; the last
    // release calls OnFinalRelease, which deletes it.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    DWORD ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
    virtual void OnFinalRelease();

    // The interface of the map for iid, without a reference; NULL if none.
    LPUNKNOWN GetInterface(const void* iid);
    LPUNKNOWN GetControllingUnknown();

    // Automation: a minimal IDispatch that maps back to its command target.
    void EnableAutomation();
    LPDISPATCH GetIDispatch(BOOL bAddRef);
    static CCmdTarget* PASCAL FromIDispatch(LPDISPATCH lpDispatch);
    BOOL IsAutomationEnabled() const { return m_bAutomation; }
    // Stand-ins for the missing direction of a dispatch-map property.
    void GetNotSupported() {}
    void SetNotSupported() {}

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    volatile LONG m_dwRef = 1;
    LPUNKNOWN m_pOuterUnknown = nullptr;  // set when the object is aggregated

protected:
    // Called for interfaces that are not in the map.
    virtual LPUNKNOWN GetInterfaceHook(const void* iid);

    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()
    DECLARE_DISPATCH_MAP()

private:
    class XDispatch : public IDispatch
    {
    public:
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;
        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
        STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** ppTInfo) override;
        STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
        STDMETHOD(Invoke)(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    } m_xDispatch;
    friend class XDispatch;

    BOOL m_bAutomation = FALSE;
    HCURSOR m_hCursorPrevWait = NULL;
};

// Calls one handler of a command-map entry; used by OnCmdMsg and by windows.
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                              AFX_CMDHANDLERINFO* pHandlerInfo);

// The entry of a table that matches, or NULL.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);
// The first entry for the window message (code 0, id 0) in the chain of maps
// that starts at pMap, or null; remembered per class map and message.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntryInChain(const AFX_MSGMAP* pMap, UINT nMsg);
// The first entry for the message, code and id (commands, notifications,
// update requests) in the chain of maps that starts at pMap, or null;
// remembered per class map, message, code and id.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindCommandEntryInChain(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID);
