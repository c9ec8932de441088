#include "Gdi.h"
#include "Exceptions.h"
#include "ModuleState.h"
#include "HandleMap.h"
#include "NullSafe.h"
#include "Wnd.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace
{
CGdiObject* MakeTempGdiObject(HGDIOBJ h)
{
    auto* p = new CGdiObject;
    p->m_hObject = h;
    return p;
}

void ReleaseTempGdiObject(CGdiObject* p)
{
    p->m_hObject = NULL;
    delete p;
}

CHandleMapT<CGdiObject, HGDIOBJ>& GdiMap()
{
    static auto* map = new CHandleMapT<CGdiObject, HGDIOBJ>(&MakeTempGdiObject, &ReleaseTempGdiObject);
    return *map;
}

CDC* MakeTempDC(HDC h)
{
    auto* p = new CDC;
    p->m_hDC = h;
    p->m_hAttribDC = h;
    return p;
}

void ReleaseTempDC(CDC* p)
{
    p->m_hDC = NULL;
    p->m_hAttribDC = NULL;
    delete p;
}

CHandleMapT<CDC, HDC>& DCMap()
{
    static auto* map = new CHandleMapT<CDC, HDC>(&MakeTempDC, &ReleaseTempDC);
    return *map;
}

HDC SafeDC(const CDC* pDC)
{
    return pDC ? pDC->m_hDC : NULL;
}
}  // namespace

// ---- CGdiObject ------------------------------------------------------------

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    return AfxIsNullObject(this) ? NULL : m_hObject;
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return GdiMap().FromHandle(hObject);
}

void PASCAL CGdiObject::DeleteTempMap()
{
    GdiMap().DeleteTemp();
}

size_t PASCAL CGdiObject::GetTempMapCount()
{
    return GdiMap().GetTemporaryCount();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    // A wrapper holds one object: attaching another would lose the first
    // and leave its map entry behind.
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    GdiMap().SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    const HGDIOBJ h = m_hObject;
    if (h)
        GdiMap().RemoveHandle(h, this);
    m_hObject = NULL;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObjectW(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return static_cast<UINT>(::GetObjectType(m_hObject));
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return !m_hObject && Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return ::UnrealizeObject(m_hObject);
}

// ---- pens, brushes, fonts ----------------------------------------------------

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle))
        AfxThrowResourceException();
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return !m_hObject && Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    return !m_hObject && Attach(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                                               static_cast<DWORD>(nStyleCount), lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return !m_hObject && Attach(::CreatePenIndirect(lpLogPen));
}

CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    if (!CreateHatchBrush(nIndex, crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
    if (!CreatePatternBrush(pBitmap))
        AfxThrowResourceException();
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return !m_hObject && Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return !m_hObject && Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return !m_hObject && Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap && !m_hObject ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle()))) : FALSE;
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return !m_hObject && Attach(::GetSysColorBrush(nIndex));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return !m_hObject && Attach(::CreateFontIndirectW(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return !m_hObject &&
           Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName)
        lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    const HDC hScreen = pDC ? NULL : ::GetDC(NULL);
    const HDC hDC = pDC ? pDC->m_hAttribDC : hScreen;
    LOGFONT lf = *lpLogFont;
    // Tenths of a point to logical units: device pixels first, then logical.
    POINT pt{};
    pt.y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720);
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg{};
    ::DPtoLP(hDC, &ptOrg, 1);
    lf.lfHeight = -abs(pt.y - ptOrg.y);
    if (hScreen)
        ::ReleaseDC(NULL, hScreen);
    return CreateFontIndirect(&lf);
}

// ---- bitmaps, palettes, regions ---------------------------------------------

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    return !m_hObject && Attach(::LoadBitmapW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCEW(nIDResource));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    return !m_hObject && Attach(::LoadBitmapW(NULL, MAKEINTRESOURCEW(nIDBitmap)));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return !m_hObject && Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return !m_hObject && Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return !m_hObject && Attach(::CreateCompatibleBitmap(SafeDC(pDC), nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return !m_hObject && Attach(::CreateDiscardableBitmap(SafeDC(pDC), nWidth, nHeight));
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    return static_cast<DWORD>(::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits));
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    return static_cast<DWORD>(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(dwCount), lpBits));
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size{};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return size;
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE size{};
    ::SetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), nWidth, nHeight, &size);
    return size;
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    return !m_hObject && Attach(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return !m_hObject && Attach(::CreateHalftonePalette(SafeDC(pDC)));
}

int CPalette::GetEntryCount() const
{
    WORD nEntries = 0;
    ::GetObjectW(m_hObject, sizeof(WORD), &nEntries);
    return nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    return ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), crColor);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return !m_hObject && Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return !m_hObject && Attach(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return !m_hObject && Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return !m_hObject && Attach(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode)
{
    return !m_hObject && Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return !m_hObject && Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateFromPath(CDC* pDC)
{
    return !m_hObject && Attach(::PathToRegion(SafeDC(pDC)));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    ::SetRectRgn(static_cast<HRGN>(m_hObject), lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->GetSafeHandle()),
                        static_cast<HRGN>(pRgn2->GetSafeHandle()), nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgnSrc->GetSafeHandle()), NULL, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn->GetSafeHandle()));
}

int CRgn::OffsetRgn(int x, int y)
{
    return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y);
}

int CRgn::OffsetRgn(POINT point)
{
    return OffsetRgn(point.x, point.y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return PtInRegion(point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect);
}

// ---- CDC -------------------------------------------------------------------

CDC::~CDC()
{
    if (m_hDC)
        DeleteDC();
}

HDC CDC::GetSafeHdc() const
{
    return AfxIsNullObject(this) ? NULL : m_hDC;
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return DCMap().FromHandle(hDC);
}

void PASCAL CDC::DeleteTempMap()
{
    DCMap().DeleteTemp();
}

size_t PASCAL CDC::GetTempMapCount()
{
    return DCMap().GetTemporaryCount();
}

BOOL CDC::Attach(HDC hDC)
{
    // One device context per wrapper, as for GDI objects.
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = hDC;
    DCMap().SetPermanent(hDC, this);
    SetAttribDC(hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    const HDC hDC = m_hDC;
    if (hDC)
        DCMap().RemoveHandle(hDC, this);
    ReleaseAttribDC();
    m_hDC = NULL;
    return hDC;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = NULL;
}

void CDC::ReleaseOutputDC()
{
    m_hDC = NULL;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return !m_hDC &&
           Attach(::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEW*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return !m_hDC &&
           Attach(::CreateICW(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEW*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return !m_hDC && Attach(::CreateCompatibleDC(SafeDC(pDC)));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    int nRet = 0;
    if (m_hAttribDC)
        nRet = ::SaveDC(m_hAttribDC);
    if (m_hDC && m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0)
        nRet = -1;  // the two levels can no longer be told apart
    return nRet;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bRet = TRUE;
    if (m_hDC && m_hDC != m_hAttribDC)
        bRet = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC)
        bRet = ::RestoreDC(m_hAttribDC, nSavedDC);
    return bRet;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    HGDIOBJ hOld = NULL;
    if (m_hDC && m_hDC != m_hAttribDC)
        hOld = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC)
        hOld = ::SelectObject(m_hAttribDC, hObject);
    return hOld;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return static_cast<CPen*>(CGdiObject::FromHandle(SelectObject(pPen->GetSafeHandle())));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return static_cast<CBrush*>(CGdiObject::FromHandle(SelectObject(pBrush->GetSafeHandle())));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return static_cast<CFont*>(CGdiObject::FromHandle(SelectObject(pFont->GetSafeHandle())));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return static_cast<CBitmap*>(CGdiObject::FromHandle(SelectObject(pBitmap->GetSafeHandle())));
}

int CDC::SelectObject(CRgn* pRgn)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(SelectObject(pRgn->GetSafeHandle())));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectObject(pObject->GetSafeHandle()));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex)));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return CPalette::FromHandle(
        ::SelectPalette(m_hDC, static_cast<HPALETTE>(pPalette->GetSafeHandle()), bForceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hAttribDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hAttribDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hAttribDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hAttribDC, OBJ_BITMAP)));
}

// Attribute setters: both handles; the value returned is the attribute DC's.
#define AFX_DC_SET_BOTH(type, fn, arg) \
    type old = type();                 \
    if (m_hDC && m_hDC != m_hAttribDC) \
        old = ::fn(m_hDC, arg);        \
    if (m_hAttribDC)                   \
        old = ::fn(m_hAttribDC, arg);  \
    return old;

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hAttribDC);
}
COLORREF CDC::SetBkColor(COLORREF crColor)
{
    AFX_DC_SET_BOTH(COLORREF, SetBkColor, crColor)
}
int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hAttribDC);
}
int CDC::SetBkMode(int nBkMode){AFX_DC_SET_BOTH(int, SetBkMode, nBkMode)} COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hAttribDC);
}
COLORREF CDC::SetTextColor(COLORREF crColor)
{
    AFX_DC_SET_BOTH(COLORREF, SetTextColor, crColor)
}
int CDC::GetROP2() const
{
    return ::GetROP2(m_hAttribDC);
}
int CDC::SetROP2(int nDrawMode)
{
    AFX_DC_SET_BOTH(int, SetROP2, nDrawMode)
}
int CDC::GetStretchBltMode() const
{
    return ::GetStretchBltMode(m_hAttribDC);
}
int CDC::SetStretchBltMode(int nStretchMode)
{
    AFX_DC_SET_BOTH(int, SetStretchBltMode, nStretchMode)
}
int CDC::GetPolyFillMode() const
{
    return ::GetPolyFillMode(m_hAttribDC);
}
int CDC::SetPolyFillMode(int nPolyFillMode){
    AFX_DC_SET_BOTH(int, SetPolyFillMode, nPolyFillMode)} UINT CDC::GetTextAlign() const
{
    return ::GetTextAlign(m_hAttribDC);
}
UINT CDC::SetTextAlign(UINT nFlags)
{
    AFX_DC_SET_BOTH(UINT, SetTextAlign, nFlags)
}
int CDC::GetMapMode() const
{
    return ::GetMapMode(m_hAttribDC);
}
int CDC::SetMapMode(int nMapMode){AFX_DC_SET_BOTH(int, SetMapMode, nMapMode)} DWORD CDC::GetLayout() const
{
    return ::GetLayout(m_hAttribDC);
}
DWORD CDC::SetLayout(DWORD dwLayout)
{
    AFX_DC_SET_BOTH(DWORD, SetLayout, dwLayout)
}

#undef AFX_DC_SET_BOTH

// Coordinate setters: both handles; the returned previous value is the
// attribute DC's.
#define AFX_DC_SET_PAIR(type, fn, a, b)   \
    type result;                          \
    if (m_hDC && m_hDC != m_hAttribDC)    \
        ::fn(m_hDC, a, b, &result);       \
    if (m_hAttribDC)                      \
        ::fn(m_hAttribDC, a, b, &result); \
    return result;

CPoint CDC::GetViewportOrg() const
{
    POINT pt{};
    ::GetViewportOrgEx(m_hAttribDC, &pt);
    return pt;
}
CPoint CDC::SetViewportOrg(int x, int y){
    AFX_DC_SET_PAIR(CPoint, SetViewportOrgEx, x, y)} CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight){
    AFX_DC_SET_PAIR(CPoint, OffsetViewportOrgEx, nWidth, nHeight)} CPoint CDC::GetWindowOrg() const
{
    POINT pt{};
    ::GetWindowOrgEx(m_hAttribDC, &pt);
    return pt;
}
CPoint CDC::SetWindowOrg(int x, int y){
    AFX_DC_SET_PAIR(CPoint, SetWindowOrgEx, x, y)} CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight){
    AFX_DC_SET_PAIR(CPoint, OffsetWindowOrgEx, nWidth, nHeight)} CSize CDC::GetViewportExt() const
{
    SIZE s{};
    ::GetViewportExtEx(m_hAttribDC, &s);
    return s;
}
CSize CDC::SetViewportExt(int cx,
                          int cy){AFX_DC_SET_PAIR(CSize, SetViewportExtEx, cx, cy)} CSize CDC::GetWindowExt() const
{
    SIZE s{};
    ::GetWindowExtEx(m_hAttribDC, &s);
    return s;
}
CSize CDC::SetWindowExt(int cx, int cy){AFX_DC_SET_PAIR(CSize, SetWindowExtEx, cx, cy)} CPoint CDC::GetBrushOrg() const
{
    POINT pt{};
    ::GetBrushOrgEx(m_hDC, &pt);
    return pt;
}
CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT pt{};
    ::SetBrushOrgEx(m_hDC, x, y, &pt);
    return pt;
}

#undef AFX_DC_SET_PAIR

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    ::DPtoLP(m_hAttribDC, lpPoints, nCount);
}
void CDC::DPtoLP(LPRECT lpRect) const
{
    ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    ::LPtoDP(m_hAttribDC, lpPoints, nCount);
}
void CDC::LPtoDP(LPRECT lpRect) const
{
    ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2);
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    return ::GetClipBox(m_hDC, lpRect);
}
BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}
BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    return ::RectVisible(m_hDC, lpRect);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    int nRet = ERROR;
    const HRGN hRgn = static_cast<HRGN>(pRgn->GetSafeHandle());
    if (m_hDC && m_hDC != m_hAttribDC)
        nRet = ::SelectClipRgn(m_hDC, hRgn);
    if (m_hAttribDC)
        nRet = ::SelectClipRgn(m_hAttribDC, hRgn);
    return nRet;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    int nRet = ERROR;
    const HRGN hRgn = static_cast<HRGN>(pRgn->GetSafeHandle());
    if (m_hDC && m_hDC != m_hAttribDC)
        nRet = ::ExtSelectClipRgn(m_hDC, hRgn, nMode);
    if (m_hAttribDC)
        nRet = ::ExtSelectClipRgn(m_hAttribDC, hRgn, nMode);
    return nRet;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    int nRet = ERROR;
    if (m_hDC && m_hDC != m_hAttribDC)
        nRet = ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC)
        nRet = ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2);
    return nRet;
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    int nRet = ERROR;
    if (m_hDC && m_hDC != m_hAttribDC)
        nRet = ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC)
        nRet = ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2);
    return nRet;
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y)
{
    int nRet = ERROR;
    if (m_hDC && m_hDC != m_hAttribDC)
        nRet = ::OffsetClipRgn(m_hDC, x, y);
    if (m_hAttribDC)
        nRet = ::OffsetClipRgn(m_hAttribDC, x, y);
    return nRet;
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    return ::ExcludeUpdateRgn(m_hDC, pWnd->GetSafeHwnd());
}

CPoint CDC::GetCurrentPosition() const
{
    POINT pt{};
    ::GetCurrentPositionEx(m_hAttribDC, &pt);
    return pt;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt{};
    if (m_hDC && m_hDC != m_hAttribDC)
        ::MoveToEx(m_hDC, x, y, &pt);
    if (m_hAttribDC)
        ::MoveToEx(m_hAttribDC, x, y, &pt);
    return pt;
}

BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC && m_hDC != m_hAttribDC)
        ::MoveToEx(m_hAttribDC, x, y, NULL);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    return ::Polyline(m_hDC, lpPoints, nCount);
}
BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount)
{
    return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, static_cast<DWORD>(nCount));
}
BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount)
{
    return ::PolyBezier(m_hDC, lpPoints, static_cast<DWORD>(nCount));
}
void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}
void CDC::InvertRect(LPCRECT lpRect)
{
    ::InvertRect(m_hDC, lpRect);
}
BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}
void CDC::DrawFocusRect(LPCRECT lpRect)
{
    ::DrawFocusRect(m_hDC, lpRect);
}
BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}
BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}
BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    return ::RoundRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
}
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    return ::Polygon(m_hDC, lpPoints, nCount);
}
BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount)
{
    return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}
BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()), static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()), static_cast<HBRUSH>(pBrush->GetSafeHandle()),
                      nWidth, nHeight);
}
BOOL CDC::InvertRgn(CRgn* pRgn)
{
    return ::InvertRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()));
}
BOOL CDC::PaintRgn(CRgn* pRgn)
{
    return ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // ExtTextOut with an opaque rectangle fills without a brush.
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}
BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
    return ::SetPixelV(m_hDC, x, y, crColor);
}
BOOL CDC::BeginPath()
{
    return ::BeginPath(m_hDC);
}
BOOL CDC::EndPath()
{
    return ::EndPath(m_hDC);
}
BOOL CDC::FillPath()
{
    return ::FillPath(m_hDC);
}
BOOL CDC::StrokePath()
{
    return ::StrokePath(m_hDC);
}
BOOL CDC::StrokeAndFillPath()
{
    return ::StrokeAndFillPath(m_hDC);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, SafeDC(pSrcDC), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, SafeDC(pSrcDC), xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    return ::GdiAlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, SafeDC(pSrcDC), xSrc, ySrc, nSrcWidth,
                           nSrcHeight, blend);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    return ::GdiTransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, SafeDC(pSrcDC), xSrc, ySrc, nSrcWidth,
                               nSrcHeight, clrTransparent);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOutW(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, str, static_cast<UINT>(str.GetLength()), lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str, str.GetLength(), lpRect, nFormat);
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    return ::DrawTextExW(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size{};
    ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str, str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size{};
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent(str, str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetricsW(m_hAttribDC, lpMetrics);
}
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetricsW(m_hDC, lpMetrics);
}
int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const
{
    return ::GetTextFaceW(m_hAttribDC, nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const
{
    WCHAR szFace[LF_FACESIZE] = {};
    const int nResult = ::GetTextFaceW(m_hAttribDC, LF_FACESIZE, szFace);
    rString = szFace;
    return nResult;
}

BOOL CDC::GrayString(CBrush* pBrush, GRAYSTRINGPROC lpfnOutput, LPARAM lpData, int nCount, int x, int y, int nWidth,
                     int nHeight)
{
    return ::GrayStringW(m_hDC, static_cast<HBRUSH>(pBrush->GetSafeHandle()), lpfnOutput, lpData, nCount, x, y, nWidth,
                         nHeight);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_BITMAP);
}

// ---- scoped DCs ----------------------------------------------------------------

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
