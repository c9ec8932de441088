// Message maps: static tables that tie messages, commands and notifications
// to member functions, chained to the base class's table.
#pragma once

#include "AfxBase.h"

typedef void (CCmdTarget::*AFX_PMSG)();
typedef void (CWnd::*AFX_PMSGW)();

// How the dispatcher calls an entry's handler: the handler's signature.
enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,

    // Commands and notifications, dispatched by CCmdTarget::OnCmdMsg.
    AfxSigCmd_v,         // void ()
    AfxSigCmd_b,         // BOOL ()            reflected control notification, _EX
    AfxSigCmd_RANGE,     // void (UINT nID)
    AfxSigCmd_EX,        // BOOL (UINT nID)    FALSE = route on
    AfxSigCmdUI,         // void (CCmdUI*)
    AfxSigNotify_v,      // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,      // BOOL (NMHDR*, LRESULT*)
    AfxSigNotify_RANGE,  // void (UINT nID, NMHDR*, LRESULT*)
    AfxSigNotify_EX,     // BOOL (UINT nID, NMHDR*, LRESULT*)

    // Window messages, dispatched by CWnd::OnWndMsg.
    AfxSig_l_w_l,        // LRESULT (WPARAM, LPARAM)
    AfxSig_l_v,          // LRESULT ()
    AfxSig_v_v,          // void ()
    AfxSig_b_v,          // BOOL ()
    AfxSig_u_v,          // UINT ()
    AfxSig_i_CREATE,     // int (LPCREATESTRUCT)
    AfxSig_b_CREATE,     // BOOL (LPCREATESTRUCT)
    AfxSig_b_D,          // BOOL (CDC*)
    AfxSig_v_u_i_i,      // void (UINT, int, int)
    AfxSig_v_i_i,        // void (int, int)
    AfxSig_v_u_p,        // void (UINT, CPoint)
    AfxSig_b_u_s_p,      // BOOL (UINT, short, CPoint)
    AfxSig_v_u_s_p,      // void (UINT, short, CPoint)
    AfxSig_v_u_u_u,      // void (UINT, UINT, UINT)
    AfxSig_v_up,         // void (UINT_PTR)
    AfxSig_v_W,          // void (CWnd*)
    AfxSig_v_W_p,        // void (CWnd*, CPoint)
    AfxSig_b_W_u_u,      // BOOL (CWnd*, UINT, UINT)
    AfxSig_i_W_u_u,      // int (CWnd*, UINT, UINT)
    AfxSig_hbr_D_W_u,    // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_hbr_D_u,      // HBRUSH (CDC*, UINT)          reflected
    AfxSig_v_MINMAX,     // void (MINMAXINFO*)
    AfxSig_v_i_DRAW,     // void (int, LPDRAWITEMSTRUCT)
    AfxSig_v_i_MEASURE,  // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_v_DRAW,       // void (LPDRAWITEMSTRUCT)      reflected
    AfxSig_v_MEASURE,    // void (LPMEASUREITEMSTRUCT)   reflected
    AfxSig_v_u_l,        // void (UINT, LPARAM)
    AfxSig_v_u_W_b,      // void (UINT, CWnd*, BOOL)
    AfxSig_v_b_u,        // void (BOOL, UINT)
    AfxSig_v_b_dw,       // void (BOOL, DWORD)
    AfxSig_v_POS,        // void (WINDOWPOS*)
    AfxSig_v_u_str,      // void (UINT, LPCTSTR)
    AfxSig_l_p,          // LRESULT (CPoint)
    AfxSig_v_b_NCCALC,   // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_b_b,          // BOOL (BOOL)
    AfxSig_v_b,          // void (BOOL)
    AfxSig_v_u_u_SB,     // void (UINT, UINT, CScrollBar*)
    AfxSig_v_u_u,        // void (UINT, UINT)            reflected scroll
    AfxSig_v_DROP,       // void (HDROP)
    AfxSig_v_M_u_b,      // void (CMenu*, UINT, BOOL)
    AfxSig_v_M,          // void (CMenu*)
    AfxSig_v_u_u_hm,     // void (UINT, UINT, HMENU)
    AfxSig_b_W_COPY,     // BOOL (CWnd*, COPYDATASTRUCT*)
    AfxSig_b_HELP,       // BOOL (HELPINFO*)
    AfxSig_v_i_STYLE,    // void (int, LPSTYLESTRUCT)
    AfxSig_b_u_dw,       // BOOL (UINT, DWORD_PTR)
    AfxSig_l_D_u,        // LRESULT (CDC*, UINT)
    AfxSig_l_u_u_M,      // LRESULT (UINT, UINT, CMenu*)
    AfxSig_v_w_l,        // void (WPARAM, LPARAM)        thread messages
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;  // window message, or WM_COMMAND / WM_NOTIFY (+ WM_REFLECT_BASE)
    UINT nCode;     // control notification code, or CN_COMMAND / CN_UPDATE_COMMAND_UI
    UINT nID;       // first control or command id (0 for window messages)
    UINT nLastID;   // last id of a range (equal to nID otherwise)
    UINT_PTR nSig;  // AfxSig, or for registered messages the address of the id
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What CCmdTarget::OnCmdMsg reports instead of calling when asked.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    void (CCmdTarget::*pmf)();
};

// The extra data of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_EVENT ((UINT)(-2))
#define WM_REFLECT_BASE 0xBC00

// Turns a handler into the table's generic member pointer. The inner cast
// checks the handler's signature and class; the middle one moves it to the
// command target with the right base adjustment; only the outer one is a
// reinterpretation, undone with the same signature at dispatch.
#define AFX_PMSG_OF(theClass, ret, args, fn) \
    reinterpret_cast<AFX_PMSG>(static_cast<ret(CCmdTarget::*) args>(static_cast<ret(theClass::*) args>(fn)))

#define DECLARE_MESSAGE_MAP()                            \
protected:                                               \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)             \
    const AFX_MSGMAP* theClass::GetMessageMap() const      \
    {                                                      \
        return GetThisMessageMap();                        \
    }                                                      \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    {                                                      \
        typedef theClass ThisClass;                        \
        typedef baseClass TheBaseClass;                    \
        (void)sizeof(ThisClass);                           \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)    \
    template <typename type_name>                                     \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const      \
    {                                                                 \
        return GetThisMessageMap();                                   \
    }                                                                 \
    template <typename type_name>                                     \
    const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() \
    {                                                                 \
        typedef theClass<type_name> ThisClass;                        \
        typedef baseClass TheBaseClass;                               \
        (void)sizeof(ThisClass);                                      \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    {                                                                                             \
        0, 0, 0, 0, AfxSig_end, static_cast<AFX_PMSG>(nullptr)                                    \
    }                                                                                             \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

// Commands (menus, accelerators, buttons).
#define ON_COMMAND(id, memberFxn)         \
    {WM_COMMAND, CN_COMMAND,  (WORD)(id), \
     (WORD)(id), AfxSigCmd_v, AFX_PMSG_OF(CCmdTarget, void, (), &ThisClass::memberFxn)},
#define ON_COMMAND_EX(id, memberFxn)       \
    {WM_COMMAND, CN_COMMAND,   (WORD)(id), \
     (WORD)(id), AfxSigCmd_EX, AFX_PMSG_OF(CCmdTarget, BOOL, (UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)   \
    {WM_COMMAND,     CN_COMMAND,      (WORD)(id), \
     (WORD)(idLast), AfxSigCmd_RANGE, AFX_PMSG_OF(CCmdTarget, void, (UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND,     CN_COMMAND,   (WORD)(id),     \
     (WORD)(idLast), AfxSigCmd_EX, AFX_PMSG_OF(CCmdTarget, BOOL, (UINT), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)        \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), \
     (WORD)(id), AfxSigCmdUI,          AFX_PMSG_OF(CCmdTarget, void, (CCmdUI*), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND,     CN_UPDATE_COMMAND_UI, (WORD)(id),    \
     (WORD)(idLast), AfxSigCmdUI,          AFX_PMSG_OF(CCmdTarget, void, (CCmdUI*), &ThisClass::memberFxn)},

// Control notifications sent as WM_COMMAND.
#define ON_CONTROL(wNotifyCode, id, memberFxn)    \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), \
     (WORD)(id), AfxSigCmd_v,         AFX_PMSG_OF(CCmdTarget, void, (), &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND,     (WORD)(wNotifyCode), (WORD)(id),        \
     (WORD)(idLast), AfxSigCmd_RANGE,     AFX_PMSG_OF(CCmdTarget, void, (UINT), &ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// WM_NOTIFY from child controls.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)          \
    {WM_NOTIFY,  (WORD)(int)(wNotifyCode), (WORD)(id), \
     (WORD)(id), AfxSigNotify_v,           AFX_PMSG_OF(CCmdTarget, void, (NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY,          (WORD)(int)(wNotifyCode),          \
     (WORD)(id),         (WORD)(idLast),                    \
     AfxSigNotify_RANGE, AFX_PMSG_OF(CCmdTarget, void, (UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY,       (WORD)(int)(wNotifyCode),  \
     (WORD)(id),      (WORD)(id),                \
     AfxSigNotify_EX, AFX_PMSG_OF(CCmdTarget, BOOL, (UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY,       (WORD)(int)(wNotifyCode),                \
     (WORD)(id),      (WORD)(idLast),                          \
     AfxSigNotify_EX, AFX_PMSG_OF(CCmdTarget, BOOL, (UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},

// Notifications a parent reflects back to the control that sent them.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE,                 \
     (WORD)(wNotifyCode),                          \
     0,                                            \
     0,                                            \
     AfxSigCmd_v,                                  \
     AFX_PMSG_OF(CCmdTarget, void, (), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE,                    \
     (WORD)(wNotifyCode),                             \
     0,                                               \
     0,                                               \
     AfxSigCmd_b,                                     \
     AFX_PMSG_OF(CCmdTarget, BOOL, (), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE,                 \
     (WORD)(int)(wNotifyCode),                    \
     0,                                           \
     0,                                           \
     AfxSigNotify_v,                              \
     AFX_PMSG_OF(CCmdTarget, void, (NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE,                    \
     (WORD)(int)(wNotifyCode),                       \
     0,                                              \
     0,                                              \
     AfxSigNotify_b,                                 \
     AFX_PMSG_OF(CCmdTarget, BOOL, (NMHDR*, LRESULT*), &ThisClass::memberFxn)},

// The update of a control's own command, reflected to the control.
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE,              \
     (WORD)CN_UPDATE_COMMAND_UI,                \
     0,                                         \
     0,                                         \
     AfxSigCmdUI,                               \
     AFX_PMSG_OF(CCmdTarget, void, (CCmdUI*), &ThisClass::memberFxn)},

// User-defined and registered messages.
#define ON_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, AfxSig_l_w_l, AFX_PMSG_OF(CWnd, LRESULT, (WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000,                                               \
     0,                                                    \
     0,                                                    \
     0,                                                    \
     (UINT_PTR)(UINT*)(&nMessageVariable),                 \
     AFX_PMSG_OF(CWnd, LRESULT, (WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_THREAD_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, AfxSig_v_w_l, AFX_PMSG_OF(CWinThread, void, (WPARAM, LPARAM), &ThisClass::memberFxn)},
