// Rich text (RTF) or plain text measured and drawn without a window, through
// the windowless rich-edit text services of the newest rich-edit library.
// Without text services every operation does nothing.
#pragma once

#include "CmdTarget.h"

#include <richedit.h>
#include <textserv.h>

class CLVKRichRender : public CLVKCmdTarget
{
public:
    CLVKRichRender();
    // Works on the given text services (one reference is taken) instead of
    // making its own; they must have been created with GetTextHost.
    explicit CLVKRichRender(ITextServices* pTextServices);
    ~CLVKRichRender() override;

    void SetDefaultCharFormat(const CHARFORMATW& cf);
    // Loads RTF (a text starting with "{") or plain text; the number of
    // characters read. RTF that yields nothing is loaded as plain text.
    int SetText(LPCWSTR lpszText);
    // The narrowest size at which the text is no taller than at nMaxWidth.
    SIZE GetTextExtent(HDC hDC, int nMaxWidth);
    void Draw(HDC hDC, const RECT& rc);

    ITextServices* GetTextServices() const { return m_pTextServices; }
    ITextHost* GetTextHost() { return &m_xTextHost; }
    const CHARFORMATW& GetCharFormat() const { return m_charFormat; }

private:
    // The host the text services call back; part of the renderer, not counted.
    class XTextHost : public ITextHost
    {
    public:
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override { return 1; }
        STDMETHOD_(ULONG, Release)() override { return 1; }

        HDC TxGetDC() override { return nullptr; }
        INT TxReleaseDC(HDC) override { return 0; }
        WINBOOL TxShowScrollBar(INT, WINBOOL) override { return FALSE; }
        WINBOOL TxEnableScrollBar(INT, INT) override { return FALSE; }
        WINBOOL TxSetScrollRange(INT, LONG, INT, WINBOOL) override { return FALSE; }
        WINBOOL TxSetScrollPos(INT, INT, WINBOOL) override { return FALSE; }
        void TxInvalidateRect(LPCRECT, WINBOOL) override {}
        void TxViewChange(WINBOOL) override {}
        WINBOOL TxCreateCaret(HBITMAP, INT, INT) override { return FALSE; }
        WINBOOL TxShowCaret(WINBOOL) override { return FALSE; }
        WINBOOL TxSetCaretPos(INT, INT) override { return FALSE; }
        WINBOOL TxSetTimer(UINT, UINT) override { return FALSE; }
        void TxKillTimer(UINT) override {}
        void TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) override {}
        void TxSetCapture(WINBOOL) override {}
        void TxSetFocus() override {}
        void TxSetCursor(HCURSOR, WINBOOL) override {}
        WINBOOL TxScreenToClient(LPPOINT) override { return FALSE; }
        WINBOOL TxClientToScreen(LPPOINT) override { return FALSE; }
        HRESULT TxActivate(LONG*) override { return E_FAIL; }
        HRESULT TxDeactivate(LONG) override { return E_FAIL; }
        HRESULT TxGetClientRect(LPRECT) override { return E_FAIL; }
        HRESULT TxGetViewInset(LPRECT prc) override;
        HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override;
        HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override;
        COLORREF TxGetSysColor(int nIndex) override { return GetSysColor(nIndex); }
        HRESULT TxGetBackStyle(TXTBACKSTYLE* pStyle) override;
        HRESULT TxGetMaxLength(DWORD* pLength) override;
        HRESULT TxGetScrollBars(DWORD* pdwScrollBar) override;
        HRESULT TxGetPasswordChar(TCHAR*) override { return S_FALSE; }
        HRESULT TxGetAcceleratorPos(LONG* pcp) override;
        HRESULT TxGetExtent(LPSIZEL) override { return E_NOTIMPL; }
        HRESULT OnTxCharFormatChange(const CHARFORMATW*) override { return E_FAIL; }
        HRESULT OnTxParaFormatChange(const PARAFORMAT*) override { return E_FAIL; }
        HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
        HRESULT TxNotify(DWORD iNotify, void* pv) override;
        HIMC TxImmGetContext() override { return nullptr; }
        void TxImmReleaseContext(HIMC) override {}
        HRESULT TxGetSelectionBarWidth(LONG* plSelBarWidth) override;
    } m_xTextHost;
    friend class XTextHost;

    void InitFormats();
    int StreamIn(const void* pData, size_t nBytes, WPARAM nFormat);
    int LayOut(HDC hDC, int nWidth);

    ITextServices* m_pTextServices = nullptr;
    CHARFORMATW m_charFormat{};
    PARAFORMAT2 m_paraFormat{};
    HINSTANCE m_hRichEditModule = nullptr;
    int m_nRequestedWidth = 0;
    int m_nRequestedHeight = 0;
};
