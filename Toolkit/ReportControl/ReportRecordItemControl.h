// A small control drawn inside a cell next to its caption. The cell places
// it, hit-tests it and hands it the mouse; the paint manager draws it.
#pragma once

#include "ReportDefines.h"

#include <map>

class CLVKPropExchange;

// Push-button states.
#define LVK_REPORT_BUTTON_NORMAL 1
#define LVK_REPORT_BUTTON_PRESSED 3
#define LVK_REPORT_BUTTON_DISABLED 4

// Alignment of a control in its cell.
#define LVK_REPORT_CONTROL_LEFT 0x1
#define LVK_REPORT_CONTROL_RIGHT 0x2

class CLVKReportRecordItemControl : public CLVKCmdTarget
{
    DECLARE_DYNCREATE(CLVKReportRecordItemControl)

public:
    explicit CLVKReportRecordItemControl(LPCWSTR lpszCaption = L"");

    virtual void DoPropExchange(CLVKPropExchange* pPX);
    virtual void OnLButtonDown(LVK_REPORTRECORDITEM_CLICKARGS* /*pClickArgs*/) {}
    virtual void OnLButtonUp(LVK_REPORTRECORDITEM_CLICKARGS* /*pClickArgs*/) {}
    virtual int OnMouseEnter(UINT /*nFlags*/, POINT /*point*/) { return 0; }
    virtual int OnMouseLeave(UINT /*nFlags*/, POINT /*point*/) { return 0; }
    virtual int OnMouseMove(UINT /*nFlags*/, POINT /*point*/) { return 0; }

    int GetType() const { return m_nType; }
    int GetIndex() const { return m_nIndex; }
    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(LPCWSTR lpszCaption) { m_strCaption = lpszCaption; }
    CFont* GetFont() { return &m_font; }
    COLORREF GetCaptionColor() const { return m_clrCaption; }
    void SetCaptionColor(COLORREF clr) { m_clrCaption = clr; }
    SIZE GetSize() const { return m_szControl; }
    void SetSize(SIZE sz) { m_szControl = sz; }
    const RECT& GetRect() const { return m_rcControl; }
    void SetRect(const RECT& rc) { m_rcControl = rc; }
    int GetFlags() const { return m_unFlags; }
    void SetFlags(int nFlags) { m_unFlags = nFlags; }
    int GetAlignment() const { return m_nAlignment; }
    void SetAlignment(int nAlignment) { m_nAlignment = nAlignment; }
    BOOL GetEnable() const { return m_bEnabled; }
    virtual void SetEnable(BOOL bEnable) { m_bEnabled = bEnable; }
    int GetState() const { return m_nState; }
    void SetState(int nState) { m_nState = nState; }
    BOOL GetThemed() const { return m_bThemed; }
    void SetThemed(BOOL bThemed) { m_bThemed = bThemed; }
    void SetIconIndex(int nState, int nIcon) { m_mapStateIcons[nState] = nIcon; }
    // The icon of the state, else the one of state 0, else -1.
    int GetIconIndex(int nState) const;

protected:
    int m_nType = 0;
    int m_nIndex = 0;
    CString m_strCaption;
    CFont m_font;
    COLORREF m_clrCaption;
    SIZE m_szControl{};
    RECT m_rcControl{};
    int m_unFlags = 0;
    int m_nAlignment = 0;
    BOOL m_bEnabled = TRUE;
    int m_nState = 0;
    BOOL m_bThemed = FALSE;
    std::map<int, int> m_mapStateIcons;

    friend class CLVKReportRecordItemControls;
};
