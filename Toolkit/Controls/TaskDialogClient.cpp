// Building the content of the emulated task dialog: texts, icons, fonts and
// the child controls, from the configuration record.
#include "TaskDialogClient.h"

#include "Foundation/AlphaBitmap.h"
#include "Foundation/BitmapLoaders.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DisplayMonitors.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ResourceHandleScope.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/WinThemeWrapper.h"
#include "TaskButtonTheme.h"
#include "TaskButtonThemeExpando.h"
#include "TaskDialogMeasure.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDelegate.h"
#include "Markup/MarkupHelpers.h"
#include "Markup/MarkupHyperlink.h"

#include <algorithm>
#include <cstdlib>

namespace
{

const UINT kStringOk = 9432;
const UINT kStringYes = 9433;
const UINT kStringNo = 9434;
const UINT kStringRetry = 9435;
const UINT kStringCancel = 9436;
const UINT kStringClose = 9437;
const UINT kStringShowDetails = 9438;
const UINT kStringHideDetails = 9439;
const UINT kArrowBitmap = 9430;
const UINT kArrowHotBitmap = 9431;

int ScaleX(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}

int ScaleY(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleY(n);
}

CString ResourceString(UINT nId)
{
    CString strText;
    CLVKResourceManager::GetGlobal()->LoadString(&strText, nId);
    return strText;
}

}  // namespace

CLVKTaskDialogClient::CLVKTaskDialogClient(TASKDIALOGCONFIG* pConfig) : m_pConfig(pConfig)
{
    m_nEdgeUnit = ScaleX(2);
    std::fill(std::begin(m_colors), std::end(m_colors), static_cast<COLORREF>(-1));
    for (RECT& rc : m_rects)
        rc = RECT{};
}

CLVKTaskDialogClient::~CLVKTaskDialogClient()
{
    DestroyControls();
    if (GetSafeHwnd())
        DestroyWindow();
    ReapRetiredControls();
    m_pInputBox.reset();
    DestroyFonts();
}

UINT AFX_CDECL CLVKTaskDialogClient::GetTextQueryMessage()
{
    static const UINT nMessage = ::RegisterWindowMessageW(L"LVKTaskDialogGetText");
    return nMessage;
}

HRESULT CLVKTaskDialogClient::SendNotification(UINT nCode, WPARAM wParam, LPARAM lParam)
{
    if (!m_pConfig || !m_pConfig->pfCallback)
        return E_FAIL;
    return m_pConfig->pfCallback(GetSafeHwnd(), nCode, wParam, lParam, m_pConfig->lpCallbackData);
}

CString CLVKTaskDialogClient::LoadText(PCWSTR pszValue) const
{
    if (!pszValue)
        return CString();
    if (!IS_INTRESOURCE(pszValue))
        return CString(pszValue);
    const UINT nId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(pszValue));
    CString strText;
    const HINSTANCE hInstance = m_pConfig ? m_pConfig->hInstance : nullptr;
    if (hInstance && ::FindResourceW(hInstance, MAKEINTRESOURCEW(nId / 16 + 1), RT_STRING))
        TaskDialogLoadString(hInstance, nId, strText);
    else
        CLVKResourceManager::GetGlobal()->LoadString(&strText, nId);
    return strText;
}

HICON AFX_CDECL CLVKTaskDialogClient::LoadStandardIcon(UINT nId, int cx, int cy, BOOL bUseSystemIcons)
{
    struct StandardIcon
    {
        UINT nId;
        UINT nUser32Resource;
        UINT nToolkitResource;
    };
    static const StandardIcon kIcons[] = {
        {0xFFFB, 102, 9442}, {0xFFFC, 106, 9429}, {0xFFFD, 104, 9428}, {0xFFFE, 103, 9426}, {0xFFFF, 101, 9427},
    };
    for (const StandardIcon& icon : kIcons)
    {
        if (icon.nId != nId)
            continue;
        if (bUseSystemIcons)
        {
            if (HICON hIcon = CLVKResourceManager::GetGlobal()->CreateIconFromResource(
                    ::GetModuleHandleW(L"user32.dll"), MAKEINTRESOURCEW(icon.nUser32Resource), cx, cy))
                return hIcon;
        }
        return CLVKResourceManager::GetGlobal()->LoadIconById(icon.nToolkitResource, cx, cy);
    }
    return nullptr;
}

HICON CLVKTaskDialogClient::CreateIconFromSource(PCWSTR pszValue, int cx, int cy, BOOL bIsHandle) const
{
    if (bIsHandle)
        return pszValue ? ::CopyIcon(reinterpret_cast<HICON>(const_cast<wchar_t*>(pszValue))) : nullptr;
    if (!m_pConfig || !m_pConfig->hInstance || !pszValue || !IS_INTRESOURCE(pszValue))
        return nullptr;
    const UINT nId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(pszValue));
    if (nId >= 0xFFFB)
        return LoadStandardIcon(nId, cx, cy, m_bUseSystemIcons);
    return CLVKResourceManager::GetGlobal()->CreateIconFromResource(m_pConfig->hInstance, pszValue, cx, cy);
}

void CLVKTaskDialogClient::DestroyControls()
{
    // Windows and objects are set aside and go once the messages running now
    // have returned.
    auto retire = [this](std::unique_ptr<CWnd> pWnd)
    {
        if (!pWnd)
            return;
        if (pWnd->GetSafeHwnd())
        {
            ::ShowWindow(pWnd->GetSafeHwnd(), SW_HIDE);
            // Out of reach of GetDlgItem and the TDM_ messages.
            ::SetWindowLongPtrW(pWnd->GetSafeHwnd(), GWLP_ID, 0xFFFF);
        }
        m_arrRetired.push_back(std::move(pWnd));
    };
    retire(std::move(m_pVerificationBox));
    retire(std::move(m_pExpandoButton));
    for (auto* pArray : {&m_arrCommandLinks, &m_arrRadioButtons, &m_arrPushButtons})
    {
        for (auto& pButton : *pArray)
            retire(std::move(pButton));
        pArray->clear();
    }
    if (m_pArrow)
        m_pArrow->InternalRelease();
    m_pArrow = nullptr;
    if (m_hMainIcon)
        ::DestroyIcon(m_hMainIcon);
    if (m_hFooterIcon)
        ::DestroyIcon(m_hFooterIcon);
    m_hMainIcon = m_hFooterIcon = nullptr;
    for (CWnd* pWnd : {static_cast<CWnd*>(&m_progressBar), static_cast<CWnd*>(&m_footerLink),
                       static_cast<CWnd*>(&m_expandedLink), static_cast<CWnd*>(&m_contentLink)})
    {
        if (pWnd->GetSafeHwnd())
            pWnd->DestroyWindow();
    }
    for (TaskDialogTextItem* pItem : {&m_mainInstruction, &m_content, &m_footer, &m_verificationText,
                                      &m_expandedInformation, &m_expandedControlText, &m_collapsedControlText})
        pItem->Reset();
    // The elements refer to the context: it goes after them.
    MarkupReleaseContext(m_pMarkupContext);
    m_sizes.clear();
    if (!m_arrRetired.empty() && GetSafeHwnd())
        ::PostMessageW(GetSafeHwnd(), WM_NULL, 0, 0);
}

void CLVKTaskDialogClient::ReapRetiredControls()
{
    for (auto& pWnd : m_arrRetired)
    {
        if (pWnd->GetSafeHwnd())
            pWnd->DestroyWindow();
    }
    m_arrRetired.clear();
}

BOOL CLVKTaskDialogClient::InitializeClient(BOOL bFirstTime)
{
    DestroyControls();
    if (m_bMarkupEnabled)
    {
        m_pMarkupContext = MarkupCreateContext(GetSafeHwnd(), TRUE);
        AddHyperlinkHandler(m_pMarkupContext);
    }
    RefreshMetrics();
    LoadTexts();
    LoadIcons();
    CreateFonts();
    m_commonButton = CalcCommonButtonSize();
    if (!CreateCommandButtons() || !CreateCommonButtons())
        return FALSE;
    // Markup texts carry their own hyperlinks; the link controls show plain text.
    if ((m_pConfig->dwFlags & TDF_ENABLE_HYPERLINKS) && !m_pMarkupContext)
    {
        CreateLinkControl(m_contentLink, m_content);
        CreateLinkControl(m_expandedLink, m_expandedInformation);
        CreateLinkControl(m_footerLink, m_footer);
    }
    if (!CreateProgressBar() || !CreateRadioButtons() || !CreateInputBox() || !CreateExpandoButton())
        return FALSE;
    UpdateLayout(bFirstTime);
    return TRUE;
}

void CLVKTaskDialogClient::AddHyperlinkHandler(CLVKMarkupContext* pContext)
{
    if (!pContext)
        return;
    CLVKMarkupType::EnsureRegistered(CLVKMarkupHyperlink::GetMarkupType());
    // The context owns the delegate.
    pContext->AddHandler(CLVKMarkupHyperlink::m_pClickEvent, new CLVKMarkupClassDelegate<CLVKTaskDialogClient>(
                                                                 this, &CLVKTaskDialogClient::OnMarkupHyperlinkClick));
}

void CLVKTaskDialogClient::CreateLinkControl(CLVKTaskDialogLinkCtrl& link, TaskDialogTextItem& item)
{
    if (link.GetSafeHwnd())
        link.DestroyWindow();
    CString strText = item.strText;
    if (link.Create(RECT{}, strText, m_hBodyFont, this))
        item.strText = strText;
}

BOOL CLVKTaskDialogClient::LoadTexts()
{
    // With markup on, each text is parsed into an element of its own.
    m_mainInstruction.SetText(LoadText(m_pConfig->pszMainInstruction), m_pMarkupContext);
    m_content.SetText(LoadText(m_pConfig->pszContent), m_pMarkupContext);
    m_footer.SetText(LoadText(m_pConfig->pszFooter), m_pMarkupContext);
    m_verificationText.SetText(LoadText(m_pConfig->pszVerificationText), m_pMarkupContext);
    m_expandedInformation.SetText(LoadText(m_pConfig->pszExpandedInformation), m_pMarkupContext);
    if (!m_expandedInformation.IsEmpty())
    {
        CString strExpanded = LoadText(m_pConfig->pszExpandedControlText);
        CString strCollapsed = LoadText(m_pConfig->pszCollapsedControlText);
        if (strExpanded.IsEmpty() && strCollapsed.IsEmpty())
        {
            strExpanded = ResourceString(kStringHideDetails);
            strCollapsed = ResourceString(kStringShowDetails);
        }
        else if (strExpanded.IsEmpty())
            strExpanded = strCollapsed;
        else if (strCollapsed.IsEmpty())
            strCollapsed = strExpanded;
        m_expandedControlText.SetText(strExpanded, m_pMarkupContext);
        m_collapsedControlText.SetText(strCollapsed, m_pMarkupContext);
    }
    return TRUE;
}

BOOL CLVKTaskDialogClient::LoadIcons()
{
    CLVKResourceHandleScope resources;
    if (m_hFooterIcon)
        ::DestroyIcon(m_hFooterIcon);
    m_hFooterIcon = CreateIconFromSource(m_pConfig->pszFooterIcon, m_smallIcon.cx, m_smallIcon.cy,
                                         (m_pConfig->dwFlags & TDF_USE_HICON_FOOTER) != 0);
    if (m_hMainIcon)
        ::DestroyIcon(m_hMainIcon);
    m_hMainIcon = CreateIconFromSource(m_pConfig->pszMainIcon, m_largeIcon.cx, m_largeIcon.cy,
                                       (m_pConfig->dwFlags & TDF_USE_HICON_MAIN) != 0);
    if ((m_pConfig->dwFlags & TDF_USE_COMMAND_LINKS) && !(m_pConfig->dwFlags & TDF_USE_COMMAND_LINKS_NO_ICON) &&
        !m_pArrow)
    {
        CLVKIconImage normal;
        CLVKIconImage hot;
        if (LoadArrowImage(kArrowBitmap, normal) && LoadArrowImage(kArrowHotBitmap, hot))
        {
            m_pArrow = new CLVKImageManagerIcon(0, ScaleX(20), ScaleX(20), nullptr);
            m_pArrow->SetNormalImage(normal);
            m_pArrow->SetHotImage(hot);
        }
    }
    return TRUE;
}

BOOL CLVKTaskDialogClient::LoadArrowImage(UINT nId, CLVKIconImage& image) const
{
    HBITMAP hBitmap = LoadAlphaBitmapFromModule(nId);
    if (hBitmap && (m_pConfig->dwFlags & TDF_RTL_LAYOUT))
    {
        const HBITMAP hMirrored = CreateMirroredAlphaBitmap(hBitmap);
        ::DeleteObject(hBitmap);
        hBitmap = hMirrored;
    }
    if (!hBitmap)
        return FALSE;
    // The arrows are stored premultiplied: the image takes the pixels as
    // they are.
    DIBSECTION dib{};
    ::GetObjectW(hBitmap, sizeof(dib), &dib);
    image.SetBitmap(hBitmap, FALSE);
    image.SetKnownBits(static_cast<BYTE*>(dib.dsBm.bmBits));
    image.SetImageSize(dib.dsBm.bmWidth, std::abs(dib.dsBm.bmHeight));
    return TRUE;
}

void CLVKTaskDialogClient::DestroyFonts()
{
    m_bodyFont.ReleaseObject();
    m_mainFont.ReleaseObject();
    m_hBodyFont = m_hMainFont = nullptr;
}

BOOL CLVKTaskDialogClient::CreateFonts()
{
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return FALSE;
    const BYTE nCharset = CLVKResourceManager::GetGlobal()->GetFontCharset();
    ncm.lfMenuFont.lfCharSet = nCharset;
    ncm.lfCaptionFont.lfCharSet = nCharset;
    // From the toolkit's font cache: a navigation that asks for the same
    // fonts gets the same ones.
    if (m_bThemed)
    {
        LOGFONTW lf = ncm.lfMenuFont;
        const bool bSegoe = ::lstrcmpiW(lf.lfFaceName, L"Segoe UI") == 0;
        lf.lfWeight = FW_NORMAL;
        lf.lfItalic = 0;
        if (bSegoe)
            lf.lfQuality = CLEARTYPE_QUALITY;
        m_bodyFont.CreateIndirect(&lf);
        const HDC hScreen = ::GetDC(nullptr);
        lf.lfHeight = ::MulDiv(-12, ::GetDeviceCaps(hScreen, LOGPIXELSY), 72);
        ::ReleaseDC(nullptr, hScreen);
        lf.lfWeight = bSegoe ? FW_NORMAL : FW_BOLD;
        m_mainFont.CreateIndirect(&lf);
    }
    else
    {
        m_bodyFont.CreateIndirect(&ncm.lfMenuFont);
        m_mainFont.CreateIndirect(&ncm.lfCaptionFont);
    }
    m_hBodyFont = m_bodyFont.GetHandle();
    m_hMainFont = m_mainFont.GetHandle();
    return m_hBodyFont && m_hMainFont;
}

void CLVKTaskDialogClient::RefreshMetrics()
{
    CLVKWinThemeWrapper theme;
    m_bThemed = m_bForceThemed || theme.AreAppThemesEnabled();
    m_frameEdge = SIZE{::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXBORDER),
                       ::GetSystemMetrics(SM_CYEDGE) + ::GetSystemMetrics(SM_CYBORDER)};
    m_smallIcon = SIZE{::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)};
    m_largeIcon = SIZE{::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)};
    const SIZE margin = TaskDialogDluToPixels(ScaleX(5), ScaleX(5));
    m_nMarginX = margin.cx;
    m_nMarginY = margin.cy;
    const SIZE spacing = TaskDialogDluToPixels(ScaleX(2), ScaleX(2));
    m_nSpacingX = spacing.cx;
    m_nSpacingY = spacing.cy;
    m_nButtonGap = TaskDialogDluToPixels(ScaleX(3), 0).cx;
    m_nRowGap = 0;
    if (!m_bThemed)
    {
        m_nButtonGap = m_nMarginX;
        m_nRowGap = 2;
    }
    m_nMinWidth = TaskDialogDluToPixels(ScaleX(100), 0).cx - 2 * m_nMarginX;
    const RECT rcWork = CLVKDisplayMonitors::GetGlobal()->GetWorkAreaFromWindow(m_pConfig->hwndParent);
    m_nMaxWidth = (rcWork.right - rcWork.left) - 2 * (m_nMarginX + m_frameEdge.cx);
    m_nMinWidth = std::min(m_nMinWidth, m_nMaxWidth);
    RefreshColors();
}

void CLVKTaskDialogClient::RefreshColors()
{
    if (CLVKColorManager* pColors = CLVKColorManager::GetGlobal())
        pColors->RecomputeColors(FALSE);
    const COLORREF clrFace = GetToolkitColor(COLOR_3DFACE);
    const COLORREF clrBtnText = GetToolkitColor(COLOR_BTNTEXT);
    const COLORREF clrWindow = GetToolkitColor(COLOR_WINDOW);
    const COLORREF clrWindowText = GetToolkitColor(COLOR_WINDOWTEXT);
    m_colors[colorMainBack] = m_bThemed ? clrWindow : clrFace;
    m_colors[colorMainText] = m_bThemed ? clrWindowText : clrBtnText;
    m_colors[colorLowerBack] = clrFace;
    m_colors[colorFooterText] = clrBtnText;
    m_colors[colorMainInstruction] = clrBtnText;
    if (m_bThemed)
    {
        const COLORREF clrBlue = RGB(0, 51, 153);
        m_colors[colorMainInstruction] =
            CLVKColorManager::IsColorDistanceAbove(clrBlue, clrWindow, TRUE, 50) ? clrBlue : clrWindowText;
    }
    m_colors[colorSeparator] = CLVKColorManager::BlendColors(clrFace, GetToolkitColor(COLOR_3DSHADOW), 750);
    m_colors[colorShadow] = GetToolkitColor(COLOR_3DSHADOW);
    m_colors[colorHighlight] = GetToolkitColor(COLOR_3DHIGHLIGHT);

    m_contentLink.SetColors(m_colors[colorMainBack], m_colors[colorMainText]);
    m_footerLink.SetColors(m_colors[colorLowerBack], m_colors[colorFooterText]);
    if (m_pConfig->dwFlags & TDF_EXPAND_FOOTER_AREA)
        m_expandedLink.SetColors(m_colors[colorLowerBack], m_colors[colorFooterText]);
    else
        m_expandedLink.SetColors(m_colors[colorMainBack], m_colors[colorMainText]);
}

SIZE CLVKTaskDialogClient::CalcButtonSize(const CString& strCaption) const
{
    return CalcButtonSize(strCaption, SIZE{m_nMarginX + m_nButtonGap, m_nSpacingY}, 0);
}

SIZE CLVKTaskDialogClient::CalcButtonSize(const CString& strCaption, SIZE inset, int nMaxWidth) const
{
    if (m_pMarkupContext)
    {
        // A caption in markup is measured as the button draws it.
        if (CLVKMarkupUIElement* pElement = MarkupParseText(m_pMarkupContext, strCaption))
        {
            MarkupSetDefaultFont(m_pMarkupContext, m_hBodyFont, m_pMarkupContext->GetDefaultTextColor());
            SIZE size = MarkupMeasureElement(pElement, nMaxWidth > 0 ? nMaxWidth : 0x7FFFFFFF);
            MarkupReleaseElement(pElement);
            if (nMaxWidth > 0)
                size.cx = std::min<LONG>(size.cx, nMaxWidth);
            return SIZE{size.cx + 2 * inset.cx, size.cy + 2 * inset.cy};
        }
    }
    CString strFirst = TaskDialogExtractLine(strCaption, 0);
    CLVKDrawHelpers::StripMnemonics(strFirst);
    const CString strSecond = TaskDialogExtractLine(strCaption, 1);
    SIZE total{};
    for (const CString* pLine : {static_cast<const CString*>(&strFirst), &strSecond})
    {
        if (pLine->IsEmpty())
            continue;
        SIZE size{};
        if (nMaxWidth > 0)
        {
            // The caption wraps at the limit; a word longer than the limit
            // does not widen the button beyond it.
            size.cx = nMaxWidth;
            TaskDialogCalcTextRect(*pLine, size, m_hBodyFont);
            size.cx = std::min<LONG>(size.cx, nMaxWidth);
        }
        else
        {
            // Offered the threshold itself: a caption shorter than that stays
            // on one line, a longer one wraps at the threshold plus its
            // growth. (Offered nothing, every word would wrap onto a line of
            // its own.)
            size.cx = TaskDialogDluToPixels(ScaleX(330), 0).cx;
            TaskDialogCalcIdealTextSize(*pLine, size, m_hBodyFont, ScaleX(330), ScaleX(7));
        }
        total.cx = std::max(total.cx, size.cx);
        total.cy += size.cy;
    }
    return SIZE{total.cx + 2 * inset.cx, total.cy + 2 * inset.cy};
}

SIZE CLVKTaskDialogClient::CalcCommonButtonSize() const
{
    SIZE result{};
    for (UINT nId : {kStringOk, kStringYes, kStringNo, kStringRetry, kStringCancel, kStringClose})
    {
        const SIZE size = CalcButtonSize(ResourceString(nId));
        result.cx = std::max(result.cx, size.cx);
        result.cy = std::max(result.cy, size.cy);
    }
    return result;
}

CLVKButton* CLVKTaskDialogClient::CreateButtonControl(UINT nId, const CString& strCaption, SIZE size, DWORD dwStyle,
                                                      std::unique_ptr<CLVKButtonTheme> pTheme)
{
    auto pButton = std::make_unique<CLVKButton>();
    dwStyle |= WS_CHILD | WS_VISIBLE;
    if (pTheme)
        dwStyle |= BS_LEFT;
    const RECT rc{0, 0, size.cx, size.cy};
    if (!pButton->Create(strCaption, dwStyle, rc, this, nId))
        return nullptr;
    m_sizes[pButton->GetSafeHwnd()] = size;
    if (pTheme)
        pButton->SetThemeObject(std::move(pTheme));
    pButton->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hBodyFont), TRUE);
    if (m_pMarkupContext)
        pButton->EnableMarkup(TRUE);
    return pButton.release();
}

BOOL CLVKTaskDialogClient::CreatePushButton(UINT nId, const CString& strCaption, SIZE size)
{
    CLVKButton* pButton = CreateButtonControl(nId, strCaption, size, BS_MULTILINE | WS_TABSTOP, nullptr);
    if (!pButton)
        return FALSE;
    m_arrPushButtons.emplace_back(pButton);
    return TRUE;
}

BOOL CLVKTaskDialogClient::CreateCommonButton(UINT nId, UINT nStringId, SIZE size)
{
    return CreatePushButton(nId, ResourceString(nStringId), size);
}

BOOL CLVKTaskDialogClient::CreateCommonButtons()
{
    const DWORD dwCommon = m_pConfig->dwCommonButtons;
    const bool bOnlyOk = !m_pConfig->pButtons && dwCommon == 0;
    struct Common
    {
        DWORD dwFlag;
        UINT nId;
        UINT nString;
    };
    const Common kCommon[] = {
        {TDCBF_OK_BUTTON, IDOK, kStringOk},
        {TDCBF_YES_BUTTON, IDYES, kStringYes},
        {TDCBF_NO_BUTTON, IDNO, kStringNo},
        {TDCBF_RETRY_BUTTON, IDRETRY, kStringRetry},
        {TDCBF_CANCEL_BUTTON, IDCANCEL, kStringCancel},
        {TDCBF_CLOSE_BUTTON, IDCLOSE, kStringClose},
    };
    for (const Common& common : kCommon)
    {
        const bool bWanted = (dwCommon & common.dwFlag) || (common.nId == IDOK && bOnlyOk);
        if (bWanted && !CreateCommonButton(common.nId, common.nString, m_commonButton))
            return FALSE;
    }
    return TRUE;
}

bool CLVKTaskDialogClient::HasCommandLinks() const
{
    return (m_pConfig->dwFlags & (TDF_USE_COMMAND_LINKS | TDF_USE_COMMAND_LINKS_NO_ICON)) && m_pConfig->pButtons &&
           m_pConfig->cButtons > 0;
}

BOOL CLVKTaskDialogClient::CreateCommandButtons()
{
    if (!m_pConfig->pButtons)
        return TRUE;
    for (UINT i = 0; i < m_pConfig->cButtons; ++i)
    {
        const TASKDIALOG_BUTTON& config = m_pConfig->pButtons[i];
        const CString strCaption = LoadText(config.pszButtonText);
        if (HasCommandLinks())
        {
            auto pTheme = std::make_unique<CLVKTaskButtonTheme>(m_bThemed);
            pTheme->SetTitleFont(m_hMainFont);
            CLVKButton* pLink = CreateButtonControl(static_cast<UINT>(config.nButtonID), strCaption, SIZE{},
                                                    BS_MULTILINE | WS_TABSTOP, std::move(pTheme));
            if (!pLink)
                return FALSE;
            m_arrCommandLinks.emplace_back(pLink);
            if (m_pArrow)
            {
                m_pArrow->InternalAddRef();
                pLink->SetImage(m_pArrow, FALSE);
                pLink->SetImageDpiScaled(TRUE);
            }
            continue;
        }
        SIZE size = CalcButtonSize(strCaption);
        size.cx = std::max(size.cx, m_commonButton.cx);
        if (!CreatePushButton(static_cast<UINT>(config.nButtonID), strCaption, size))
            return FALSE;
    }
    return TRUE;
}

BOOL CLVKTaskDialogClient::CreateRadioButtons()
{
    if (!m_pConfig->pRadioButtons)
        return TRUE;
    const bool bNoDefault = (m_pConfig->dwFlags & TDF_NO_DEFAULT_RADIO_BUTTON) != 0;
    m_nSelectedRadioButton = 0;
    for (UINT i = 0; i < m_pConfig->cRadioButtons; ++i)
    {
        const TASKDIALOG_BUTTON& config = m_pConfig->pRadioButtons[i];
        const CString strCaption = LoadText(config.pszButtonText);
        const SIZE size = CalcButtonSize(strCaption, SIZE{ScaleX(10), ScaleY(2)}, 0);
        CLVKButton* pRadio = CreateButtonControl(static_cast<UINT>(config.nButtonID), strCaption, size,
                                                 BS_AUTORADIOBUTTON | BS_TOP | BS_MULTILINE, nullptr);
        if (!pRadio)
            return FALSE;
        m_arrRadioButtons.emplace_back(pRadio);
        bool bTabStop = false;
        if (bNoDefault)
            bTabStop = i == 0;
        else
        {
            const int nDefault =
                m_pConfig->nDefaultRadioButton ? m_pConfig->nDefaultRadioButton : m_pConfig->pRadioButtons[0].nButtonID;
            if (config.nButtonID == nDefault)
            {
                pRadio->SendMessage(BM_SETCHECK, BST_CHECKED);
                m_nSelectedRadioButton = config.nButtonID;
                bTabStop = true;
            }
        }
        if (bTabStop)
            pRadio->ModifyStyle(0, WS_TABSTOP);
    }
    return TRUE;
}

BOOL CLVKTaskDialogClient::CreateExpandoButton()
{
    const int nLimit = TaskDialogDluToPixels(ScaleX(146), 0).cx;
    if (!m_expandedInformation.IsEmpty())
    {
        const CString& strLonger =
            m_expandedControlText.strText.GetLength() > m_collapsedControlText.strText.GetLength()
                ? m_expandedControlText.strText
                : m_collapsedControlText.strText;
        SIZE size = CalcButtonSize(strLonger, SIZE{m_nMarginX + m_nButtonGap, m_nSpacingY}, nLimit);
        // Room for the chevron at the left.
        size.cx += ScaleX(26) - (m_nMarginX + m_nButtonGap);
        m_bExpanded = (m_pConfig->dwFlags & TDF_EXPANDED_BY_DEFAULT) != 0;
        CLVKButton* pButton =
            CreateButtonControl(0, m_bExpanded ? m_expandedControlText.strText : m_collapsedControlText.strText, size,
                                BS_MULTILINE | WS_TABSTOP, std::make_unique<CLVKTaskButtonThemeExpando>());
        if (!pButton)
            return FALSE;
        m_pExpandoButton.reset(pButton);
        pButton->SetChecked(m_bExpanded);
    }
    if (!m_verificationText.IsEmpty())
    {
        const SIZE size = CalcButtonSize(m_verificationText.strText, SIZE{ScaleX(10), ScaleY(2)}, nLimit);
        CLVKButton* pBox = CreateButtonControl(0, m_verificationText.strText, size,
                                               WS_TABSTOP | BS_MULTILINE | BS_TOP | BS_LEFT | BS_AUTOCHECKBOX, nullptr);
        if (!pBox)
            return FALSE;
        m_pVerificationBox.reset(pBox);
        // Hyperlinks in a markup caption report like those of the texts.
        AddHyperlinkHandler(pBox->GetMarkupContext());
        m_bVerificationChecked = (m_pConfig->dwFlags & TDF_VERIFICATION_FLAG_CHECKED) != 0;
        pBox->SendMessage(BM_SETCHECK, m_bVerificationChecked ? BST_CHECKED : BST_UNCHECKED);
    }
    return TRUE;
}

BOOL CLVKTaskDialogClient::CreateProgressBar()
{
    if (!(m_pConfig->dwFlags & (TDF_SHOW_PROGRESS_BAR | TDF_SHOW_MARQUEE_PROGRESS_BAR)))
        return TRUE;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE;
    if (m_pConfig->dwFlags & TDF_SHOW_MARQUEE_PROGRESS_BAR)
        dwStyle |= PBS_MARQUEE;
    return m_progressBar.Create(dwStyle, RECT{}, this, 0);
}

BOOL CLVKTaskDialogClient::CreateInputBox()
{
    if (!m_bInputBoxEnabled)
        return TRUE;
    // A navigation keeps the input box: the one already there serves again.
    if (m_pInputBox && m_pInputBox->GetSafeHwnd())
        return TRUE;
    auto pEdit = std::make_unique<CWnd>();
    if (!pEdit->CreateEx(WS_EX_CLIENTEDGE, L"EDIT", m_strInputBoxText,
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, RECT{}, this, kInputBoxId))
        return FALSE;
    pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hBodyFont), TRUE);
    m_pInputBox = std::move(pEdit);
    return TRUE;
}

LRESULT CLVKTaskDialogClient::SetElementText(int nElement, PCWSTR pszText)
{
    TaskDialogTextItem* pItem = nullptr;
    CLVKTaskDialogLinkCtrl* pLink = nullptr;
    switch (nElement)
    {
    case TDE_MAIN_INSTRUCTION:
        pItem = &m_mainInstruction;
        break;
    case TDE_CONTENT:
        pItem = &m_content;
        pLink = &m_contentLink;
        break;
    case TDE_EXPANDED_INFORMATION:
        pItem = &m_expandedInformation;
        pLink = &m_expandedLink;
        break;
    case TDE_FOOTER:
        pItem = &m_footer;
        pLink = &m_footerLink;
        break;
    default:
        return 0;
    }
    pItem->SetText(LoadText(pszText), m_pMarkupContext);
    if (pLink && !m_pMarkupContext)
    {
        if (pLink->GetSafeHwnd())
            pLink->DestroyWindow();
        if (m_pConfig->dwFlags & TDF_ENABLE_HYPERLINKS)
            CreateLinkControl(*pLink, *pItem);
    }
    UpdateLayout(FALSE);
    return 1;
}

LRESULT CLVKTaskDialogClient::UpdateIcon(int nIcon, PCWSTR pszIcon)
{
    CLVKResourceHandleScope resources;
    if (nIcon == TDIE_ICON_MAIN)
    {
        if (m_hMainIcon)
            ::DestroyIcon(m_hMainIcon);
        m_hMainIcon = CreateIconFromSource(pszIcon, m_largeIcon.cx, m_largeIcon.cy,
                                           (m_pConfig->dwFlags & TDF_USE_HICON_MAIN) != 0);
    }
    else if (nIcon == TDIE_ICON_FOOTER)
    {
        if (m_hFooterIcon)
            ::DestroyIcon(m_hFooterIcon);
        m_hFooterIcon = CreateIconFromSource(pszIcon, m_smallIcon.cx, m_smallIcon.cy,
                                             (m_pConfig->dwFlags & TDF_USE_HICON_FOOTER) != 0);
    }
    else
        return 0;
    UpdateLayout(FALSE);
    return 1;
}

HICON CLVKTaskDialogClient::GetMainIcon() const
{
    return m_hMainIcon;
}
