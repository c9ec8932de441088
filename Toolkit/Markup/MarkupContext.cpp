#include "Markup/MarkupContext.h"
#include "Markup/MarkupToolTip.h"

#include "Foundation/ActiveScriptEngine.h"
#include "Foundation/ActiveScriptStdRuntime.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupBuilderException.h"
#include "Markup/MarkupContextInternalDispatch.h"
#include "Markup/MarkupDelegate.h"
#include "Markup/MarkupFont.h"
#include "Markup/MarkupKeyboardNavigation.h"
#include "Markup/MarkupStaticExtension.h"
#include "Markup/MarkupMouseEventArgs.h"
#include "Markup/MarkupOleDelegate.h"
#include "Markup/MarkupParser.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupTooltipContext.h"
#include "Markup/MarkupType.h"
#include "Markup/MarkupUIElement.h"

#include <algorithm>
#include <cmath>

namespace
{

LOGFONTW SystemMessageFont()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = 504;  // the structure without the padded border width of newer systems
    LOGFONTW lf = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
    {
        lf = metrics.lfMessageFont;
    }
    else
    {
        lf.lfHeight = -12;
        lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    }
    lf.lfWidth = lf.lfEscapement = lf.lfOrientation = 0;
    lf.lfWeight = 0;
    lf.lfItalic = lf.lfUnderline = lf.lfStrikeOut = 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    return lf;
}

}  // namespace

const wchar_t kMarkupStdRuntimeName[] = L"__LVKActiveScriptStdRuntime";

CLVKMarkupContext::CLVKMarkupContext() : m_defaultFont(SystemMessageFont())
{
    m_xActiveScriptSite.m_pOwner = this;
    MarkupRegisterAllTypes();
    // Elements carry markup tips; the tooltip context needs the maker for them.
    CLVKMarkupToolTip::Install();
    m_pKeyboardNavigation = new CLVKMarkupKeyboardNavigation(this);
}

CLVKMarkupStaticExtension* CLVKMarkupContext::GetStaticExtension()
{
    if (!m_pStaticExtension)
    {
        m_pStaticExtension = std::make_unique<CLVKMarkupStaticExtension>(L"__root__", FALSE);
        m_pStaticExtension->AddExtension(std::make_unique<CLVKMarkupSystemColorsStaticExtension>());
    }
    return m_pStaticExtension.get();
}

CLVKMarkupContext::~CLVKMarkupContext()
{
    ResetScript();
    m_pStaticExtension.reset();
    if (m_pImageManager)
    {
        m_pImageManager->InternalRelease();
        m_pImageManager = nullptr;
    }
    m_pMouseOver = nullptr;
    m_pKeyboardNavigation->Release();
    m_pMouseOverRoot = nullptr;
    UnfreezeUpdates();
    for (auto& entry : m_contextHandlers)
    {
        for (CLVKMarkupDelegate* const pDelegate : entry.second)
        {
            pDelegate->Release();
        }
    }
    for (auto& entry : m_delegates)
    {
        entry.second->Release();
    }
    for (CLVKMarkupFont* pFont = m_pFontHead; pFont; pFont = pFont->m_pNext)
    {
        pFont->m_pOwner = nullptr;
    }
    if (m_pToolTipContext)
    {
        m_pToolTipContext->Detach();
        m_pToolTipContext->InternalRelease();
        m_pToolTipContext = nullptr;
    }
    if (m_pInternalDispatch)
    {
        // A script may still hold the object: it only loses the context.
        m_pInternalDispatch->Detach();
        m_pInternalDispatch->InternalRelease();
        m_pInternalDispatch = nullptr;
    }
    if (m_pDpiScaling)
    {
        m_pDpiScaling->ReleaseDC();
    }
}

COLORREF CLVKMarkupContext::GetMaskColor() const
{
    if (m_clrMask != 0xFFFFFFFF)
    {
        return m_clrMask;
    }
    const CLVKImageManager* const pManager = GetImageManager();
    if (pManager && pManager->GetMaskColor() != 0xFFFFFFFF)
    {
        return pManager->GetMaskColor();
    }
    return RGB(0, 0xFF, 0);
}

CLVKImageManager* CLVKMarkupContext::GetImageManager() const
{
    return m_pImageManager ? m_pImageManager : CLVKImageManager::GetGlobal();
}

void CLVKMarkupContext::SetImageManager(IUnknown* pObject)
{
    // Checked first: a refused object leaves the manager in use alone.
    CLVKImageManager* const pManager = LVKImageManagerFromUnknown(pObject);
    if (pManager)
    {
        pManager->InternalAddRef();
    }
    if (m_pImageManager)
    {
        m_pImageManager->InternalRelease();
    }
    m_pImageManager = pManager;
}

CLVKToolTipContext* CLVKMarkupContext::GetToolTipContext()
{
    if (!m_pToolTipContext)
    {
        m_pToolTipContext = new CTooltipContext(this);
    }
    return m_pToolTipContext;
}

INT_PTR CLVKMarkupContext::HitTestToolTip(CPoint /*point*/, TOOLINFOW* pTI)
{
    std::vector<CLVKMarkupInputElement*> chain;
    CollectInputChain(m_pMouseOver, chain);
    INT_PTR nTool = -1;
    for (CLVKMarkupInputElement* const pElement : chain)
    {
        auto* const pText =
            MarkupCast<CLVKMarkupString>(pElement->GetValue(CLVKMarkupInputElement::m_pToolTipProperty));
        if (pText)
        {
            CLVKToolTipContext::InitToolInfo(pTI, m_hWnd, reinterpret_cast<UINT_PTR>(pElement),
                                             GetElementRect(pElement), pText->GetText());
            nTool = reinterpret_cast<INT_PTR>(pElement);
            break;
        }
    }
    ReleaseChain(chain);
    return nTool;
}

CLVKMarkupContextInternalDispatch* CLVKMarkupContext::GetInternalDispatch()
{
    if (!m_pInternalDispatch)
    {
        m_pInternalDispatch = new CLVKMarkupContextInternalDispatch(this);
    }
    return m_pInternalDispatch;
}

void CLVKMarkupContext::GetNamedItems(std::vector<std::wstring>& names)
{
    names.push_back(L"MarkupContext");
}

HRESULT CLVKMarkupContext::GetNamedItem(LPCWSTR lpszName, IUnknown** ppUnknown)
{
    if (!ppUnknown)
    {
        return E_POINTER;
    }
    *ppUnknown = nullptr;
    if (!lpszName || wcscmp(lpszName, L"MarkupContext") != 0)
    {
        return E_NOINTERFACE;
    }
    *ppUnknown = GetInternalDispatch()->GetIDispatch(TRUE);
    return S_OK;
}

ULONG CLVKMarkupContext::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefCount));
}

ULONG CLVKMarkupContext::Release()
{
    if (m_nRefCount <= 0)
    {
        return 0;
    }
    const LONG nCount = InterlockedDecrement(&m_nRefCount);
    if (nCount == 0)
    {
        delete this;
    }
    return static_cast<ULONG>(nCount);
}

CLVKMarkupObject* CLVKMarkupContext::CreateMarkupObject(CLVKMarkupType* pType)
{
    CLVKMarkupObject* const pObject = pType ? pType->CreateObject(this) : nullptr;
    if (pObject)
    {
        AddRef();
    }
    return pObject;
}

CLVKMarkupUIElement* CLVKMarkupContext::Parse(LPCWSTR lpszText)
{
    ResetInputTracking();
    if (!lpszText)
    {
        return nullptr;
    }
    CLVKMarkupParser parser;
    if (!parser.ParseText(lpszText, nullptr))
    {
        return nullptr;
    }
    CLVKMarkupBuilder builder(this);
    return builder.Parse(&parser);
}

CString CLVKMarkupContext::ValidateXML(LPCWSTR lpszText)
{
    ResetInputTracking();
    if (!lpszText)
    {
        return CString(L"No Text To Parse.");
    }
    CLVKMarkupParser parser;
    if (!parser.ParseText(lpszText, nullptr))
    {
        return parser.GetErrorText();
    }
    CLVKMarkupBuilder builder(this);
    CLVKMarkupUIElement* const pRoot = builder.Parse(&parser);
    if (!pRoot)
    {
        return builder.GetErrorText();
    }
    pRoot->Release();
    return CString(L"Done.");
}

void CLVKMarkupContext::CaptureMouse(CLVKMarkupInputElement* pElement)
{
    if (pElement != m_pCaptured)
    {
        if (m_hWnd)
        {
            SetCapture(m_hWnd);
        }
        m_pCaptured = pElement;
    }
}

void CLVKMarkupContext::ReleaseMouseCapture(CLVKMarkupInputElement* /*pElement*/)
{
    m_pCaptured = nullptr;
    ReleaseCapture();
}

void CLVKMarkupContext::ResetInputTracking()
{
    m_pMouseOver = nullptr;
    m_pMouseOverRoot = nullptr;
    if (m_pCaptured)
    {
        m_pCaptured = nullptr;
        ReleaseCapture();
    }
}

void CLVKMarkupContext::OnElementReleased(CLVKMarkupObject* pObject)
{
    if (static_cast<void*>(m_pMouseOver) == pObject)
    {
        m_pMouseOver = nullptr;
    }
    if (static_cast<void*>(m_pMouseOverRoot) == pObject)
    {
        m_pMouseOverRoot = nullptr;
    }
    if (static_cast<void*>(m_pCaptured) == pObject)
    {
        m_pCaptured = nullptr;
        ReleaseCapture();
    }
    Release();
}

void CLVKMarkupContext::InvalidateElement(CLVKMarkupUIElement* pElement)
{
    if (!m_hWnd || !pElement)
    {
        return;
    }
    if (m_bFrozen)
    {
        pElement->AddRef();
        m_remembered.push_back(pElement);
        return;
    }
    const RECT rc = GetElementUpdateRect(pElement);
    InvalidateRect(m_hWnd, &rc, FALSE);
    SendMessageW(m_hWnd, kMarkupRepaintMessage, 0, 0);
}

void CLVKMarkupContext::InvalidateAll()
{
    if (!m_hWnd)
    {
        return;
    }
    if (m_bFrozen)
    {
        m_bFullRepaintPending = TRUE;
        return;
    }
    InvalidateRect(m_hWnd, nullptr, FALSE);
    SendMessageW(m_hWnd, kMarkupRepaintMessage, 0, 0);
}

void CLVKMarkupContext::FreezeUpdates()
{
    m_bFrozen = TRUE;
}

void CLVKMarkupContext::UnfreezeUpdates()
{
    if (!m_bFrozen)
    {
        return;
    }
    std::vector<CLVKMarkupUIElement*> remembered;
    remembered.swap(m_remembered);
    for (CLVKMarkupUIElement* const pElement : remembered)
    {
        if (!m_bFullRepaintPending && m_hWnd)
        {
            const RECT rc = GetElementUpdateRect(pElement);
            InvalidateRect(m_hWnd, &rc, FALSE);
            UpdateWindow(m_hWnd);
        }
        pElement->Release();
    }
    if (m_hWnd && (!remembered.empty() || m_bFullRepaintPending))
    {
        if (m_bFullRepaintPending)
        {
            InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        SendMessageW(m_hWnd, kMarkupRepaintMessage, 0, 0);
    }
    m_bFrozen = FALSE;
    m_bFullRepaintPending = FALSE;
}

RECT CLVKMarkupContext::GetElementRect(CLVKMarkupObject* pElement)
{
    return GetElementArea(pElement, ElementArea::Bounds);
}

RECT CLVKMarkupContext::GetElementUpdateRect(CLVKMarkupObject* pElement)
{
    return GetElementArea(pElement, ElementArea::Update);
}

RECT AFX_CDECL CLVKMarkupContext::GetElementArea(CLVKMarkupObject* pElement, ElementArea area)
{
    CLVKMarkupVisual* const pVisual = FindMarkupAncestorOfType<CLVKMarkupVisual>(pElement);
    if (!pVisual)
    {
        return RECT{0, 0, 0, 0};
    }
    RECT rc = area == ElementArea::Update ? pVisual->GetInvalidateRect() : pVisual->GetBoundingRect();
    // The visual's offset and those of every visual above it.
    const POINT ptOffset = pVisual->GetAbsoluteOffset();
    OffsetRect(&rc, ptOffset.x, ptOffset.y);
    return rc;
}

void CLVKMarkupContext::CollectInputChain(CLVKMarkupObject* pElement, std::vector<CLVKMarkupInputElement*>& chain)
{
    FindMarkupAncestor(pElement,
                       [&chain](CLVKMarkupObject* p)
                       {
                           if (auto* const pInput = MarkupCast<CLVKMarkupInputElement>(p))
                           {
                               pInput->AddRef();
                               chain.push_back(pInput);
                           }
                           return false;
                       });
}

void AFX_CDECL CLVKMarkupContext::ReleaseChain(std::vector<CLVKMarkupInputElement*>& chain)
{
    for (CLVKMarkupInputElement* const pElement : chain)
    {
        pElement->Release();
    }
    chain.clear();
}

void CLVKMarkupContext::SetMouseOverElement(CLVKMarkupInputElement* pElement, int x, int y)
{
    if (pElement == m_pMouseOver)
    {
        return;
    }
    if (!pElement)
    {
        m_pMouseOverRoot = nullptr;
    }
    std::vector<CLVKMarkupInputElement*> leaving, entering;
    CollectInputChain(m_pMouseOver, leaving);
    CollectInputChain(pElement, entering);
    // Common ancestors get neither event.
    std::vector<CLVKMarkupInputElement*> common;
    while (!leaving.empty() && !entering.empty() && leaving.back() == entering.back())
    {
        common.push_back(leaving.back());
        common.push_back(entering.back());
        leaving.pop_back();
        entering.pop_back();
    }
    CLVKMarkupAutoPtr<CLVKMarkupMouseEventArgs> pLeave(
        new CLVKMarkupMouseEventArgs(CLVKMarkupInputElement::m_pMouseLeaveEvent, m_pMouseOver, m_hWnd, x, y));
    CLVKMarkupAutoPtr<CLVKMarkupMouseEventArgs> pEnter(
        new CLVKMarkupMouseEventArgs(CLVKMarkupInputElement::m_pMouseEnterEvent, pElement, m_hWnd, x, y));
    m_pMouseOver = pElement;
    for (CLVKMarkupInputElement* const p : leaving)
    {
        p->RaiseEvent(pLeave);
        if (pLeave->IsHandled())
        {
            break;
        }
        p->OnMouseLeave(pLeave);
        if (pLeave->IsHandled())
        {
            break;
        }
    }
    for (CLVKMarkupInputElement* const p : entering)
    {
        p->RaiseEvent(pEnter);
        if (pEnter->IsHandled())
        {
            break;
        }
        p->OnMouseEnter(pEnter);
        if (pEnter->IsHandled())
        {
            break;
        }
    }
    ReleaseChain(leaving);
    ReleaseChain(entering);
    for (CLVKMarkupInputElement* const p : common)
    {
        p->Release();
    }
}

void CLVKMarkupContext::HandleMouseMove(CLVKMarkupUIElement* pRoot, int x, int y)
{
    CLVKMarkupInputElement* pHit = pRoot->InputHitTest(x, y);
    if (m_pCaptured && pHit)
    {
        CLVKMarkupObject* const pCaptured = m_pCaptured;
        const bool bInside =
            FindMarkupAncestor(pHit, [pCaptured](CLVKMarkupObject* p) { return p == pCaptured; }) != nullptr;
        pHit = bInside ? m_pCaptured : nullptr;
    }
    if (pHit != m_pMouseOver)
    {
        SetMouseOverElement(pHit, x, y);
        if (m_pMouseOver && m_hWnd)
        {
            TRACKMOUSEEVENT track = {};
            track.cbSize = sizeof(track);
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = m_hWnd;
            TrackMouseEvent(&track);
        }
        if (!HandleSetCursor())
        {
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
        }
    }
    m_pMouseOverRoot = m_pMouseOver ? pRoot : nullptr;
    if (!m_pMouseOver)
    {
        return;
    }
    std::vector<CLVKMarkupInputElement*> chain;
    CollectInputChain(m_pMouseOver, chain);
    CLVKMarkupAutoPtr<CLVKMarkupMouseEventArgs> pArgs(
        new CLVKMarkupMouseEventArgs(CLVKMarkupInputElement::m_pMouseMoveEvent, m_pMouseOver, m_hWnd, x, y));
    for (CLVKMarkupInputElement* const p : chain)
    {
        p->RaiseEvent(pArgs);
        if (pArgs->IsHandled())
        {
            break;
        }
        p->OnMouseMove(pArgs);
        if (pArgs->IsHandled())
        {
            break;
        }
    }
    ReleaseChain(chain);
}

BOOL CLVKMarkupContext::HandleMouseButton(UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    CLVKMarkupInputElement* const pTarget = m_pCaptured ? m_pCaptured : m_pMouseOver;
    if (!pTarget)
    {
        return FALSE;
    }
    CLVKMarkupRoutedEvent* pEvent = nullptr;
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pEvent = CLVKMarkupInputElement::m_pMouseLeftButtonDownEvent;
        break;
    case WM_LBUTTONUP:
        pEvent = CLVKMarkupInputElement::m_pMouseLeftButtonUpEvent;
        break;
    case WM_RBUTTONDOWN:
        pEvent = CLVKMarkupInputElement::m_pMouseRightButtonDownEvent;
        break;
    default:
        pEvent = CLVKMarkupInputElement::m_pMouseRightButtonUpEvent;
        break;
    }
    CLVKMarkupAutoPtr<CLVKMarkupMouseButtonEventArgs> pArgs(new CLVKMarkupMouseButtonEventArgs(
        pEvent, pTarget, m_hWnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
    std::vector<CLVKMarkupInputElement*> chain;
    CollectInputChain(pTarget, chain);
    for (CLVKMarkupInputElement* const p : chain)
    {
        p->RaiseEvent(pArgs);
        if (pArgs->IsHandled())
        {
            break;
        }
        switch (message)
        {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            p->OnMouseLeftButtonDown(pArgs);
            break;
        case WM_LBUTTONUP:
            p->OnMouseLeftButtonUp(pArgs);
            break;
        case WM_RBUTTONDOWN:
            p->OnMouseRightButtonDown(pArgs);
            break;
        default:
            p->OnMouseRightButtonUp(pArgs);
            break;
        }
        if (pArgs->IsHandled())
        {
            break;
        }
    }
    ReleaseChain(chain);
    return pArgs->IsHandled();
}

BOOL CLVKMarkupContext::HandleMouseWheel(int nDelta)
{
    if (!m_pMouseOver)
    {
        return FALSE;
    }
    CLVKMarkupAutoPtr<CLVKMarkupMouseWheelEventArgs> pArgs(new CLVKMarkupMouseWheelEventArgs(m_pMouseOver, nDelta));
    std::vector<CLVKMarkupInputElement*> chain;
    CollectInputChain(m_pMouseOver, chain);
    for (CLVKMarkupInputElement* const p : chain)
    {
        p->OnMouseWheel(pArgs);
        if (pArgs->IsHandled())
        {
            break;
        }
    }
    ReleaseChain(chain);
    return pArgs->IsHandled();
}

BOOL CLVKMarkupContext::HandleSetCursor()
{
    if (!m_pMouseOver)
    {
        return FALSE;
    }
    CLVKMarkupAutoPtr<CLVKMarkupQueryCursorEventArgs> pArgs(new CLVKMarkupQueryCursorEventArgs(m_pMouseOver));
    std::vector<CLVKMarkupInputElement*> chain;
    CollectInputChain(m_pMouseOver, chain);
    for (CLVKMarkupInputElement* const p : chain)
    {
        p->OnQueryCursor(pArgs);
        if (pArgs->IsHandled())
        {
            break;
        }
    }
    ReleaseChain(chain);
    if (pArgs->IsHandled() && pArgs->m_hCursor)
    {
        SetCursor(pArgs->m_hCursor);
        return TRUE;
    }
    return FALSE;
}

BOOL CLVKMarkupContext::OnWndMsg(CLVKMarkupUIElement* pRoot, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* pResult)
{
    if (!m_hWnd)
    {
        return FALSE;
    }
    if (!pRoot)
    {
        if (m_pMouseOverRoot)
        {
            SetMouseOverElement(nullptr, -1, -1);
        }
        return FALSE;
    }
    // The tree stays alive while its handlers run, whatever they release.
    pRoot->AddRef();
    CLVKMarkupAutoPtr<CLVKMarkupUIElement> holdRoot(pRoot);
    switch (message)
    {
    case WM_MOUSEMOVE:
        HandleMouseMove(pRoot, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_DESTROY:
    case WM_MOUSELEAVE:
        SetMouseOverElement(nullptr, -1, -1);
        break;
    }
    if ((message >= WM_MOUSEFIRST && message <= 0x020E) || message == WM_MOUSELEAVE)
    {
        GetToolTipContext()->RelayMouseMessage(m_hWnd, message, wParam, lParam);
    }
    switch (message)
    {
    case WM_SETCURSOR:
        if (HandleSetCursor())
        {
            if (pResult)
            {
                *pResult = 1;
            }
            return TRUE;
        }
        return FALSE;
    case WM_MOUSEWHEEL:
        if (HandleMouseWheel(static_cast<short>(HIWORD(wParam))))
        {
            if (pResult)
            {
                *pResult = 1;
            }
            return TRUE;
        }
        return FALSE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        if (HandleMouseButton(message, wParam, lParam))
        {
            return TRUE;
        }
        break;
    case WM_CAPTURECHANGED:
        if (CLVKMarkupInputElement* const pCaptured = m_pCaptured)
        {
            pCaptured->AddRef();
            CLVKMarkupAutoPtr<CLVKMarkupMouseEventArgs> pArgs(new CLVKMarkupMouseEventArgs(
                CLVKMarkupInputElement::m_pLostMouseCaptureEvent, pCaptured, m_hWnd, 0, 0));
            pCaptured->RaiseEvent(pArgs);
            if (!pArgs->IsHandled())
            {
                pCaptured->OnLostMouseCapture(pArgs);
            }
            m_pCaptured = nullptr;
            pCaptured->Release();
        }
        return FALSE;
    case WM_KEYDOWN:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return m_pKeyboardNavigation->OnWndMsg(message, wParam, lParam, pResult);
    }
    return FALSE;
}

CLVKMarkupFont* CLVKMarkupContext::GetFont(const LOGFONTW& lf)
{
    for (CLVKMarkupFont* pFont = m_pFontHead; pFont; pFont = pFont->m_pNext)
    {
        if (pFont->Matches(lf))
        {
            pFont->AddRef();
            return pFont;
        }
    }
    auto* const pFont = new CLVKMarkupFont(lf);
    pFont->m_pOwner = this;
    if (m_pFontTail)
    {
        m_pFontTail->m_pNext = pFont;
    }
    else
    {
        m_pFontHead = pFont;
    }
    m_pFontTail = pFont;
    return pFont;
}

void CLVKMarkupContext::OnFontDestroyed(CLVKMarkupFont* pFont)
{
    CLVKMarkupFont* pPrevious = nullptr;
    for (CLVKMarkupFont* p = m_pFontHead; p; pPrevious = p, p = p->m_pNext)
    {
        if (p == pFont)
        {
            (pPrevious ? pPrevious->m_pNext : m_pFontHead) = p->m_pNext;
            if (m_pFontTail == p)
            {
                m_pFontTail = pPrevious;
            }
            return;
        }
    }
}

void CLVKMarkupContext::SetDpiAware(BOOL bAware, HWND hWnd)
{
    if (m_pDpiScaling)
    {
        m_pDpiScaling->ReleaseDC();
        m_pDpiScaling.reset();
    }
    if (bAware)
    {
        m_pDpiScaling = hWnd ? std::make_unique<CLVKDpiScaling>(hWnd) : std::make_unique<CLVKDpiScaling>();
    }
}

void CLVKMarkupContext::SetDpiScaling(std::unique_ptr<CLVKDpiScaling> pScaling)
{
    if (m_pDpiScaling)
    {
        m_pDpiScaling->ReleaseDC();
    }
    m_pDpiScaling = std::move(pScaling);
}

// Lengths are clamped before they are scaled, so that a huge length at a
// high DPI cannot overflow.
int CLVKMarkupContext::ScaleX(int n)
{
    if (!m_pDpiScaling)
    {
        return n;
    }
    n = std::max(-0x3FFFFFFF, std::min(0x3FFFFFFF, n));
    if (std::abs(n) > 0x100000)
    {
        return static_cast<int>(std::max(-1073741823.0, std::min(1073741823.0, m_pDpiScaling->ScaleXDouble(n))));
    }
    return m_pDpiScaling->ScaleX(n);
}

int CLVKMarkupContext::ScaleY(int n)
{
    if (!m_pDpiScaling)
    {
        return n;
    }
    n = std::max(-0x3FFFFFFF, std::min(0x3FFFFFFF, n));
    if (std::abs(n) > 0x100000)
    {
        return static_cast<int>(std::max(-1073741823.0, std::min(1073741823.0, m_pDpiScaling->ScaleYDouble(n))));
    }
    return m_pDpiScaling->ScaleY(n);
}

double CLVKMarkupContext::ScaleX(double d)
{
    return m_pDpiScaling ? m_pDpiScaling->ScaleXDouble(d) : d;
}

double CLVKMarkupContext::ScaleY(double d)
{
    return m_pDpiScaling ? m_pDpiScaling->ScaleYDouble(d) : d;
}

SIZE CLVKMarkupContext::ScaleSize(SIZE size)
{
    return SIZE{ScaleX(static_cast<int>(size.cx)), ScaleY(static_cast<int>(size.cy))};
}

void CLVKMarkupContext::SetDelegate(LPCWSTR lpszName, CLVKMarkupDelegate* pDelegate)
{
    if (!lpszName || !pDelegate)
    {
        if (pDelegate)
        {
            pDelegate->Release();
        }
        return;
    }
    CLVKMarkupDelegate*& pEntry = m_delegates[lpszName];
    if (pEntry)
    {
        pEntry->Release();
    }
    pEntry = pDelegate;
}

CLVKMarkupDelegate* CLVKMarkupContext::LookupDelegate(LPCWSTR lpszName)
{
    if (!lpszName)
    {
        return nullptr;
    }
    const auto it = m_delegates.find(lpszName);
    if (it != m_delegates.end())
    {
        return it->second;
    }
    CLVKMarkupDelegate* const pDelegate = new CLVKMarkupOleAutoDelegate(this, lpszName);
    m_delegates[lpszName] = pDelegate;
    return pDelegate;
}

void CLVKMarkupContext::SetHandler(IDispatch* pHandler)
{
    if (pHandler)
    {
        pHandler->AddRef();
    }
    if (m_pHandler)
    {
        m_pHandler->Release();
    }
    m_pHandler = pHandler;
}

void CLVKMarkupContext::SetMethod(IDispatch* pObject, LPCWSTR lpszName)
{
    if (!pObject || !lpszName)
    {
        return;
    }
    SetDelegate(lpszName, new CLVKMarkupOleDelegate(pObject, lpszName));
}

void CLVKMarkupContext::ResetScript()
{
    SetHandler(nullptr);
    if (m_pStdRuntime)
    {
        m_pStdRuntime->InternalRelease();
        m_pStdRuntime = nullptr;
    }
    m_scripts.clear();
    m_strScriptLanguage.clear();
    if (m_pScriptDispatch)
    {
        m_pScriptDispatch->Release();
        m_pScriptDispatch = nullptr;
    }
    if (m_pScriptEngine)
    {
        m_pScriptEngine->Close();
        m_pScriptEngine->InternalRelease();
        m_pScriptEngine = nullptr;
    }
}

void CLVKMarkupContext::AddScript(LPCWSTR lpszLanguage, LPCWSTR lpszSource)
{
    if (IsBuildingForScript())
    {
        MarkupThrowError(L"Markup parsed by a script cannot contain scripts.");
    }
    const std::wstring strLanguage = lpszLanguage ? lpszLanguage : L"JScript";
    if (m_pScriptEngine && strLanguage != m_strScriptLanguage)
    {
        MarkupThrowError(L"'%ls' script engine is not allowed to use when '%ls' is already used.", strLanguage.c_str(),
                         m_strScriptLanguage.c_str());
    }
    if (!m_pScriptEngine)
    {
        m_pScriptEngine = new CLVKActiveScriptEngine();
        HRESULT hr = m_pScriptEngine->Create(strLanguage.c_str(), &m_xActiveScriptSite);
        if (SUCCEEDED(hr))
        {
            hr = m_pScriptEngine->AddScriptObject(kMarkupStdRuntimeName, nullptr, SCRIPTITEM_GLOBALMEMBERS);
        }
        std::vector<std::wstring> names;
        GetNamedItems(names);
        for (size_t i = 0; i < names.size() && SUCCEEDED(hr); ++i)
        {
            hr = m_pScriptEngine->AddScriptObject(names[i].c_str(), nullptr, SCRIPTITEM_ISVISIBLE);
        }
        if (FAILED(hr))
        {
            ResetScript();
            MarkupThrowComError(hr);
        }
        m_strScriptLanguage = strLanguage;
    }
    m_scripts.push_back(lpszSource ? lpszSource : L"");
}

void CLVKMarkupContext::PublishNamedElements(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pObject)
{
    if (!m_pScriptEngine || !pObject || IsBuildingForScript())
    {
        return;
    }
    // Depth first without recursion: the tree's depth is bounded by the
    // builder, but the walk need not rely on it.
    std::vector<CLVKMarkupObject*> pending(1, pObject);
    while (!pending.empty())
    {
        CLVKMarkupObject* const pCurrent = pending.back();
        pending.pop_back();
        // An empty name is no name a script could use.
        LPCWSTR const lpszName = pCurrent->GetNameText();
        if (lpszName && *lpszName)
        {
            const HRESULT hr =
                m_pScriptEngine->AddScriptObject(lpszName, pCurrent->GetIDispatch(FALSE), SCRIPTITEM_ISVISIBLE);
            if (FAILED(hr))
            {
                MarkupThrowComError(hr);
            }
        }
        for (int i = pCurrent->GetLogicalChildrenCount() - 1; i >= 0; --i)
        {
            if (CLVKMarkupObject* const pChild = pCurrent->GetLogicalChild(i))
            {
                pending.push_back(pChild);
            }
        }
    }
}

void CLVKMarkupContext::RunScripts()
{
    if (!m_pScriptEngine || IsBuildingForScript())
    {
        return;
    }
    for (const std::wstring& strScript : m_scripts)
    {
        const HRESULT hr = m_pScriptEngine->ParseScriptText(strScript.c_str());
        if (FAILED(hr))
        {
            ThrowScriptError(hr);
        }
    }
    const HRESULT hr = m_pScriptEngine->Connect();
    // An engine may run the texts' top-level code while it starts and only
    // report the error to the site: that fails the build as well.
    if (FAILED(hr) || m_pScriptEngine->GetLastError())
    {
        ThrowScriptError(FAILED(hr) ? hr : E_FAIL);
    }
}

void CLVKMarkupContext::ThrowScriptError(HRESULT hr)
{
    const EXCEPINFO* const pError = m_pScriptEngine ? m_pScriptEngine->GetLastError() : nullptr;
    if (pError)
    {
        const UINT nCode = pError->wCode ? pError->wCode : static_cast<UINT>(pError->scode);
        MarkupThrowError(L"Script error [0x%08X]: %ls", nCode,
                         pError->bstrDescription ? pError->bstrDescription : L"<unknown>");
    }
    MarkupThrowComError(hr);
}

IDispatch* CLVKMarkupContext::GetScriptDispatch()
{
    if (!m_pScriptDispatch && m_pScriptEngine && m_pScriptEngine->GetScript())
    {
        m_pScriptEngine->GetScript()->GetScriptDispatch(nullptr, &m_pScriptDispatch);
    }
    return m_pScriptDispatch;
}

void CLVKMarkupContext::AddHandler(CLVKMarkupRoutedEvent* pEvent, CLVKMarkupDelegate* pDelegate)
{
    if (!pEvent || !pDelegate)
    {
        return;
    }
    pDelegate->AddRef();
    m_contextHandlers[pEvent].push_back(pDelegate);
}

void CLVKMarkupContext::RaiseContextHandlers(CLVKMarkupObject* pSender, CLVKMarkupRoutedEventArgs* pArgs)
{
    if (!pArgs)
    {
        return;
    }
    const auto it = m_contextHandlers.find(pArgs->GetRoutedEvent());
    if (it == m_contextHandlers.end())
    {
        return;
    }
    const std::vector<CLVKMarkupDelegate*> delegates = it->second;
    for (CLVKMarkupDelegate* const pDelegate : delegates)
    {
        pDelegate->Execute(pSender, pArgs);
    }
}

// The site's references are the context's own business (see the class).
STDMETHODIMP_(ULONG) CLVKMarkupContext::XActiveScriptSite::AddRef()
{
    return 2;
}

STDMETHODIMP_(ULONG) CLVKMarkupContext::XActiveScriptSite::Release()
{
    return 1;
}

STDMETHODIMP CLVKMarkupContext::XActiveScriptSite::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    if (!ppvObj)
    {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IActiveScriptSite))
    {
        *ppvObj = static_cast<IActiveScriptSite*>(this);
        return S_OK;
    }
    *ppvObj = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CLVKMarkupContext::XActiveScriptSite::GetLCID(LCID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CLVKMarkupContext::XActiveScriptSite::GetItemInfo(LPCOLESTR pstrName, DWORD dwReturnMask,
                                                               IUnknown** ppiunkItem, ITypeInfo** ppti)
{
    if (!(dwReturnMask & SCRIPTINFO_IUNKNOWN))
    {
        return TYPE_E_ELEMENTNOTFOUND;
    }
    if (!ppiunkItem)
    {
        return E_POINTER;
    }
    *ppiunkItem = nullptr;
    if ((dwReturnMask & SCRIPTINFO_ITYPEINFO) && ppti)
    {
        *ppti = nullptr;
    }
    if (!pstrName)
    {
        return TYPE_E_ELEMENTNOTFOUND;
    }
    CLVKMarkupContext* const pContext = m_pOwner;
    if (wcscmp(pstrName, kMarkupStdRuntimeName) == 0)
    {
        if (!pContext->m_pStdRuntime)
        {
            pContext->m_pStdRuntime = new CLVKActiveScriptStdRuntime();
        }
        *ppiunkItem = pContext->m_pStdRuntime->GetIDispatch(TRUE);
        return S_OK;
    }
    if (SUCCEEDED(pContext->GetNamedItem(pstrName, ppiunkItem)) && *ppiunkItem)
    {
        return S_OK;
    }
    IUnknown* const pObject =
        pContext->m_pScriptEngine ? pContext->m_pScriptEngine->GetScriptObject(pstrName) : nullptr;
    if (!pObject)
    {
        return TYPE_E_ELEMENTNOTFOUND;
    }
    pObject->AddRef();
    *ppiunkItem = pObject;
    return S_OK;
}

STDMETHODIMP CLVKMarkupContext::XActiveScriptSite::GetDocVersionString(BSTR*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CLVKMarkupContext::XActiveScriptSite::OnScriptTerminate(const VARIANT*, const EXCEPINFO*)
{
    return S_OK;
}

STDMETHODIMP CLVKMarkupContext::XActiveScriptSite::OnStateChange(SCRIPTSTATE)
{
    return S_OK;
}

STDMETHODIMP CLVKMarkupContext::XActiveScriptSite::OnScriptError(IActiveScriptError*)
{
    // The engine's host has recorded the error already.
    return E_NOTIMPL;
}

STDMETHODIMP CLVKMarkupContext::XActiveScriptSite::OnEnterScript()
{
    return S_OK;
}

STDMETHODIMP CLVKMarkupContext::XActiveScriptSite::OnLeaveScript()
{
    return S_OK;
}
