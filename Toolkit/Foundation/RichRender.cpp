#include "RichRender.h"

#include "NarrowString.h"
#include "RichEditClass.h"

namespace
{

// {8D33F740-CF58-11CE-A89D-00AA006CADC5}, not in mingw's uuid library.
const IID kIID_ITextServices = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
// {C5BDD8D0-D26E-11CE-A89E-00AA006CADC5}
const IID kIID_ITextHost = {0xC5BDD8D0, 0xD26E, 0x11CE, {0xA8, 0x9E, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};

const DWORD kMaxTextLength = 0x1000000;

struct StreamCursor
{
    const BYTE* pData;
    size_t nSize;
    size_t nPos;
};

}  // namespace

// Hands the text services the next bytes of the text being loaded.
DWORD CALLBACK LVKRichRenderStreamCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    auto* pCursor = reinterpret_cast<StreamCursor*>(dwCookie);
    const size_t nLeft = pCursor->nSize - pCursor->nPos;
    const size_t nCount = cb < 0 ? 0 : (static_cast<size_t>(cb) < nLeft ? static_cast<size_t>(cb) : nLeft);
    memcpy(pbBuff, pCursor->pData + pCursor->nPos, nCount);
    pCursor->nPos += nCount;
    *pcb = static_cast<LONG>(nCount);
    return 0;
}

CLVKRichRender::CLVKRichRender()
{
    InitFormats();
    int nIndex = 1;
    WNDCLASSW wc{};
    if (!LVKFindRichEditClass(FALSE, richEditSearchDownToIndex, nIndex, &wc))
        return;
    m_hRichEditModule = wc.hInstance;
    const auto pfnCreate =
        reinterpret_cast<PCreateTextServices>(GetProcAddress(m_hRichEditModule, "CreateTextServices"));
    if (!pfnCreate)
        return;
    IUnknown* pUnknown = nullptr;
    if (FAILED(pfnCreate(nullptr, &m_xTextHost, &pUnknown)) || !pUnknown)
        return;
    pUnknown->QueryInterface(kIID_ITextServices, reinterpret_cast<void**>(&m_pTextServices));
    pUnknown->Release();
}

CLVKRichRender::CLVKRichRender(ITextServices* pTextServices) : m_pTextServices(pTextServices)
{
    InitFormats();
    if (m_pTextServices)
        m_pTextServices->AddRef();
}

CLVKRichRender::~CLVKRichRender()
{
    if (m_pTextServices)
        m_pTextServices->Release();
}

void CLVKRichRender::InitFormats()
{
    m_charFormat.cbSize = sizeof(m_charFormat);
    m_charFormat.dwMask =
        CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET | CFM_FACE | CFM_COLOR | CFM_SIZE;
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    const HDC hScreen = GetDC(nullptr);
    const int nLogPixelsY = GetDeviceCaps(hScreen, LOGPIXELSY);
    ReleaseDC(nullptr, hScreen);
    const LONG lfHeight = ncm.lfMessageFont.lfHeight;
    m_charFormat.yHeight = nLogPixelsY ? MulDiv(lfHeight < 0 ? -lfHeight : lfHeight, 1440, nLogPixelsY) : 0;
    lstrcpynW(m_charFormat.szFaceName, ncm.lfMessageFont.lfFaceName, LF_FACESIZE);
    m_charFormat.crTextColor = GetSysColor(COLOR_BTNTEXT);

    m_paraFormat.cbSize = sizeof(m_paraFormat);
    m_paraFormat.dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS |
                          PFM_NUMBERING | PFM_RTLPARA | PFM_OFFSETINDENT;
    m_paraFormat.wAlignment = PFA_LEFT;
}

void CLVKRichRender::SetDefaultCharFormat(const CHARFORMATW& cf)
{
    m_charFormat = cf;
    m_charFormat.cbSize = sizeof(m_charFormat);
    if (!m_pTextServices)
        return;
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_charFormat), &lResult);
}

int CLVKRichRender::StreamIn(const void* pData, size_t nBytes, WPARAM nFormat)
{
    StreamCursor cursor{static_cast<const BYTE*>(pData), nBytes, 0};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&cursor);
    stream.pfnCallback = &LVKRichRenderStreamCallback;
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_STREAMIN, nFormat, reinterpret_cast<LPARAM>(&stream), &lResult);
    return static_cast<int>(lResult);
}

int CLVKRichRender::SetText(LPCWSTR lpszText)
{
    if (!m_pTextServices)
        return 0;
    if (!lpszText || !*lpszText)
    {
        m_pTextServices->TxSetText(L"");
        return 0;
    }
    if (lpszText[0] == L'{')
    {
        const CLVKNarrowString narrow(lpszText);
        const LPCSTR pszRtf = narrow;
        const int nRead = StreamIn(pszRtf, strlen(pszRtf), SF_RTF);
        if (nRead > 0)
            return nRead;
    }
    return StreamIn(lpszText, wcslen(lpszText) * sizeof(WCHAR), SF_TEXT | SF_UNICODE);
}

int CLVKRichRender::LayOut(HDC hDC, int nWidth)
{
    // Nothing is painted (empty update rectangle); the text services report
    // the size they need through EN_REQUESTRESIZE.
    RECTL bounds{0, 0, nWidth, 1};
    RECT update{0, 0, 0, 0};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hDC, nullptr, &bounds, nullptr, &update, nullptr, 0,
                            TXTVIEW_ACTIVE);
    return m_nRequestedHeight;
}

SIZE CLVKRichRender::GetTextExtent(HDC hDC, int nMaxWidth)
{
    SIZE size{0, 0};
    if (!m_pTextServices)
        return size;
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE, &lResult);
    m_nRequestedWidth = m_nRequestedHeight = 0;

    // Bisection for the narrowest width whose height is no taller than at the
    // maximum width. The best width found is kept, so the search ends on it
    // even when its last probe was narrower (and taller).
    int nLow = 0;
    int nHigh = 2 * nMaxWidth;
    int nBest = (nLow + nHigh) / 2;
    const int nReferenceHeight = LayOut(hDC, nBest);
    int nLastWidth = nBest;
    nHigh = nBest - 1;
    while (nLow <= nHigh)
    {
        const int nMiddle = (nLow + nHigh) / 2;
        nLastWidth = nMiddle;
        if (LayOut(hDC, nMiddle) > nReferenceHeight)
            nLow = nMiddle + 1;
        else
        {
            nBest = nMiddle;
            nHigh = nMiddle - 1;
        }
    }
    if (nLastWidth != nBest)
        LayOut(hDC, nBest);
    size.cx = m_nRequestedWidth;
    size.cy = m_nRequestedHeight;
    return size;
}

void CLVKRichRender::Draw(HDC hDC, const RECT& rc)
{
    if (!m_pTextServices)
        return;
    RECTL bounds{rc.left, rc.top, rc.right, rc.bottom};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hDC, nullptr, &bounds, nullptr, nullptr, nullptr, 0,
                            TXTVIEW_ACTIVE);
}

STDMETHODIMP CLVKRichRender::XTextHost::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kIID_ITextHost))
    {
        *ppv = static_cast<ITextHost*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT CLVKRichRender::XTextHost::TxGetViewInset(LPRECT prc)
{
    if (prc)
        SetRectEmpty(prc);
    return S_OK;
}

HRESULT CLVKRichRender::XTextHost::TxGetCharFormat(const CHARFORMATW** ppCF)
{
    const CLVKRichRender* pThis = reinterpret_cast<const CLVKRichRender*>(
        reinterpret_cast<const BYTE*>(this) - AFX_MEMBER_OFFSET(CLVKRichRender, m_xTextHost));
    *ppCF = &pThis->m_charFormat;
    return S_OK;
}

HRESULT CLVKRichRender::XTextHost::TxGetParaFormat(const PARAFORMAT** ppPF)
{
    const CLVKRichRender* pThis = reinterpret_cast<const CLVKRichRender*>(
        reinterpret_cast<const BYTE*>(this) - AFX_MEMBER_OFFSET(CLVKRichRender, m_xTextHost));
    *ppPF = reinterpret_cast<const PARAFORMAT*>(&pThis->m_paraFormat);
    return S_OK;
}

HRESULT CLVKRichRender::XTextHost::TxGetBackStyle(TXTBACKSTYLE* pStyle)
{
    *pStyle = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT CLVKRichRender::XTextHost::TxGetMaxLength(DWORD* pLength)
{
    *pLength = kMaxTextLength;
    return S_OK;
}

HRESULT CLVKRichRender::XTextHost::TxGetScrollBars(DWORD* pdwScrollBar)
{
    *pdwScrollBar = 0;
    return S_OK;
}

HRESULT CLVKRichRender::XTextHost::TxGetAcceleratorPos(LONG* pcp)
{
    *pcp = -1;
    return S_OK;
}

HRESULT CLVKRichRender::XTextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits)
{
    *pdwBits = dwMask & (TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP);
    return S_OK;
}

HRESULT CLVKRichRender::XTextHost::TxNotify(DWORD iNotify, void* pv)
{
    if (iNotify == EN_REQUESTRESIZE && pv)
    {
        CLVKRichRender* pThis = reinterpret_cast<CLVKRichRender*>(reinterpret_cast<BYTE*>(this) -
                                                                  AFX_MEMBER_OFFSET(CLVKRichRender, m_xTextHost));
        const RECT& rc = static_cast<REQRESIZE*>(pv)->rc;
        pThis->m_nRequestedWidth = rc.right - rc.left;
        pThis->m_nRequestedHeight = rc.bottom - rc.top;
    }
    return S_OK;
}

HRESULT CLVKRichRender::XTextHost::TxGetSelectionBarWidth(LONG* plSelBarWidth)
{
    *plSelBarWidth = 0;
    return S_OK;
}
