#include "ImageManager.h"

#include "AlphaBitmap.h"
#include "BitmapLoaders.h"
#include "DrawHelpers.h"
#include "IconDirectory.h"
#include "IconImage.h"
#include "ImageManagerIcon.h"
#include "ImageManagerIconSet.h"
#include "ImageManagerResource.h"
#include "PropExchange.h"
#include "PropExchangeArchive.h"
#include "PropExchangeEnumerator.h"
#include "PropExchangeFunctions.h"
#include "PropExchangeSection.h"

#include <cstring>
#include <memory>

IMPLEMENT_DYNAMIC(CLVKImageManager, CLVKCmdTarget)

namespace
{
const UINT kSkippedId = 0xDEADBEAF;
const WCHAR kCheckSum[] = L"CLVKImageManagerIcons";

// Whether entry j of a strip or image list takes a cell: always without an
// id list or when the list covers every cell; else skipped ids take none.
bool IsUsedEntry(const UINT* pIDs, int nCount, int nCells, int j)
{
    return !pIDs || nCount == nCells || (pIDs[j] != 0 && pIDs[j] != kSkippedId);
}
}  // namespace

CLVKImageManager::~CLVKImageManager()
{
    RemoveAll();
}

CLVKImageManagerIconSet* CLVKImageManager::GetIconSet(UINT nID) const
{
    const auto it = m_iconSets.find(nID);
    return it == m_iconSets.end() ? nullptr : it->second;
}

CLVKImageManagerIcon* CLVKImageManager::FindIcon(UINT nID, int nWidth) const
{
    CLVKImageManagerIconSet* pSet = GetIconSet(nID);
    return pSet ? pSet->FindIcon(nWidth < 0 ? 0 : nWidth, TRUE) : nullptr;
}

BOOL CLVKImageManager::IsIconAvailable(UINT nID, int nWidth) const
{
    CLVKImageManagerIconSet* pSet = GetIconSet(nID);
    return pSet && pSet->FindIcon(nWidth, FALSE) != nullptr;
}

CLVKImageManagerResource* CLVKImageManager::GetImageResource(int cx, int cy)
{
    const UINT nKey = (static_cast<UINT>(cy) << 16) | (static_cast<UINT>(cx) & 0xFFFF);
    auto it = m_atlases.find(nKey);
    if (it != m_atlases.end())
        return it->second;
    CLVKImageManagerResource* pAtlas = new CLVKImageManagerResource(this, cx, cy);
    m_atlases[nKey] = pAtlas;
    return pAtlas;
}

BOOL CLVKImageManager::IsDrawMirrored(CDC* pDC) const
{
    return m_nDrawMirroring == 1 || (m_nDrawMirroring == 2 && pDC && CLVKDrawHelpers::IsLayoutRTLOfDC(pDC));
}

COLORREF CLVKImageManager::SwapMaskColor(COLORREF clrMask)
{
    const COLORREF clrOld = m_clrMask;
    m_clrMask = clrMask;
    return clrOld;
}

void CLVKImageManager::RemoveAll()
{
    for (auto& entry : m_iconSets)
    {
        entry.second->RemoveAll();
        entry.second->InternalRelease();
    }
    m_iconSets.clear();
    for (auto& entry : m_atlases)
        delete entry.second;
    m_atlases.clear();
}

void CLVKImageManager::ClearGeneratedImages()
{
    for (auto& entry : m_iconSets)
        entry.second->ClearGeneratedImages();
}

BOOL CLVKImageManager::StoreIconImage(const CLVKIconImage& image, UINT nID, int cx, int cy, int nState)
{
    if (image.IsEmpty())
        return FALSE;
    if (cx == 0 && cy == 0)
    {
        cx = image.GetImageSize().cx;
        cy = image.GetImageSize().cy;
        if (cx == 0 && cy == 0)
            return FALSE;
    }
    if (cx < 0)
        cx = 0;
    CLVKImageManagerIconSet* pSet = GetIconSet(nID);
    if (!pSet)
    {
        if (nState != 0)
            return FALSE;
        pSet = new CLVKImageManagerIconSet(nID, this);
        m_iconSets[nID] = pSet;
    }
    switch (nState)
    {
    case 0:
        return pSet->SetNormalImage(image, cx);
    case 1:
        return pSet->SetDisabledImage(image, cx);
    case 2:
        return pSet->SetHotImage(image, cx);
    case 3:
        return pSet->SetCheckedImage(image, cx);
    case 4:
        return pSet->SetPressedImage(image, cx);
    default:
        return TRUE;
    }
}

BOOL CLVKImageManager::SetIconFromResource(LPCWSTR lpszName, UINT nID, int cx, int cy, int nState)
{
    HMODULE hModule = AfxGetResourceHandle();
    if (::FindResourceW(hModule, lpszName, RT_GROUP_ICON))
        return SetIconFromIconGroup(hModule, lpszName, nID, cx, cy, nState);
    CLVKIconImage image;
    if (!image.LoadFromModuleResource(lpszName, cx, cy, FALSE))
        return FALSE;
    return StoreIconImage(image, nID, cx, cy, nState);
}

BOOL CLVKImageManager::SetIconFromIconGroup(HMODULE hModule, LPCWSTR lpszName, UINT nID, int cx, int cy, int nState)
{
    HRSRC hGroup = ::FindResourceW(hModule, lpszName, RT_GROUP_ICON);
    if (!hGroup)
    {
        CLVKIconImage image;
        if (!image.LoadFromResource(hModule, lpszName, cx, cy, FALSE))
            return FALSE;
        return StoreIconImage(image, nID, cx, cy, nState);
    }
    const DWORD nSize = ::SizeofResource(hModule, hGroup);
    const BYTE* pData = static_cast<const BYTE*>(::LockResource(::LoadResource(hModule, hGroup)));
    LVKGroupIconDirectory directory;
    if (!ReadGroupIconDirectory(pData, nSize, directory))
        return FALSE;
    const WORD nCount = directory.nClaimed;
    if (nCount > directory.nPresent)
        return FALSE;
    const LVKGroupIconEntry* pEntries = directory.pEntries;
    for (WORD i = 0; i < nCount; ++i)
    {
        const int w = IconDirectorySide(pEntries[i].bWidth);
        const int h = IconDirectorySide(pEntries[i].bHeight);
        if (!(cx == 0 && cy == 0) && !(w == cx && h == cy))
            continue;
        CLVKIconImage image;
        if (!image.LoadFromResource(hModule, MAKEINTRESOURCEW(pEntries[i].nID), w, h, FALSE) ||
            !StoreIconImage(image, nID, w, h, nState))
            return FALSE;
    }
    return TRUE;
}

BOOL CLVKImageManager::SetIconsFromIcoFile(LPCWSTR lpszPath, UINT nID, int cx, int cy, int nState)
{
    HANDLE hFile = ::CreateFileW(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER fileSize{};
    ::GetFileSizeEx(hFile, &fileSize);
    BOOL bAny = FALSE;
    LVKIconDirectoryHeader header{};
    DWORD nRead = 0;
    if (::ReadFile(hFile, &header, sizeof(header), &nRead, nullptr) && nRead == sizeof(header) &&
        header.wType == kIconDirectoryTypeIcon && header.wCount > 0)
    {
        std::vector<LVKIconFileEntry> entries(header.wCount);
        const DWORD nDirectory = static_cast<DWORD>(entries.size() * sizeof(LVKIconFileEntry));
        if (::ReadFile(hFile, entries.data(), nDirectory, &nRead, nullptr) && nRead == nDirectory)
        {
            for (const LVKIconFileEntry& e : entries)
            {
                const int w = IconDirectorySide(e.bWidth);
                const int h = IconDirectorySide(e.bHeight);
                if (!(cx == 0 && cy == 0) && !(w == cx && h == cy))
                    continue;
                // The entry's bytes must lie inside the file; an entry that
                // claims more is skipped, never read past.
                if (e.dwBytesInRes == 0 || static_cast<ULONGLONG>(e.dwImageOffset) + e.dwBytesInRes >
                                               static_cast<ULONGLONG>(fileSize.QuadPart))
                    continue;
                std::vector<BYTE> bytes(e.dwBytesInRes);
                LARGE_INTEGER offset{};
                offset.QuadPart = e.dwImageOffset;
                if (!::SetFilePointerEx(hFile, offset, nullptr, FILE_BEGIN) ||
                    !::ReadFile(hFile, bytes.data(), e.dwBytesInRes, &nRead, nullptr) || nRead != e.dwBytesInRes)
                    continue;
                CLVKIconImage image;
                if (!image.LoadFromIconBits(bytes.data(), e.dwBytesInRes, w, h))
                    continue;
                // The pixels must match the directory's size.
                if (image.GetImageSize() != CSize(w, h))
                    continue;
                if (StoreIconImage(image, nID, w, h, nState))
                    bAny = TRUE;
            }
        }
    }
    ::CloseHandle(hFile);
    return bAny;
}

BOOL CLVKImageManager::SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, int cy, int nState,
                                          BOOL bAlpha)
{
    BITMAP bm{};
    if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm))
        return FALSE;
    if (cx == 0 && cy == 0 && nCount > 0)
    {
        cx = bm.bmWidth / nCount;
        cy = bm.bmHeight;
    }
    else if (nCount == 0 && cx > 0)
    {
        nCount = bm.bmWidth / cx;
    }
    if (cx <= 0)
        return FALSE;

    if (bAlpha)
    {
        if (bm.bmWidth % cx != 0)
            return FALSE;
        const int nCells = bm.bmWidth / cx;
        std::vector<HBITMAP> cells(nCells);
        if (!SplitAlphaStrip(hBitmap, nCells, cells.data()))
            return FALSE;
        int i = 0;
        for (int j = 0; j < nCount; ++j)
        {
            if (!IsUsedEntry(pIDs, nCount, nCells, j) || i >= nCells)
                continue;
            CLVKIconImage image(cells[i], TRUE, TRUE);
            StoreIconImage(image, pIDs ? pIDs[j] : static_cast<UINT>(j), cx, cy, nState);
            ++i;
        }
        for (HBITMAP hCell : cells)
            ::DeleteObject(hCell);
        return TRUE;
    }

    HIMAGELIST hList = ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (!hList)
        return FALSE;
    COLORREF clrMask = m_clrMask;
    if (clrMask == static_cast<COLORREF>(-1))
        clrMask = GetBitmapPixel(hBitmap, 0, 0);
    ImageList_AddMasked(hList, hBitmap, clrMask);
    const BOOL bResult = SetIconsFromImageList(hList, pIDs, nCount, cx, cy, nState);
    ImageList_Destroy(hList);
    return bResult;
}

BOOL CLVKImageManager::SetIconsFromBitmapResource(LPCWSTR lpszName, const UINT* pIDs, int nCount, int cx, int cy,
                                                  int nState)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapResourceFromModule(lpszName, &bAlpha);
    if (!hBitmap)
        return FALSE;
    const BOOL bResult = SetIconsFromBitmap(hBitmap, pIDs, nCount, cx, cy, nState, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CLVKImageManager::SetIconsFromImageList(HIMAGELIST hList, const UINT* pIDs, int nCount, int cx, int cy, int nState)
{
    if (!hList)
        return FALSE;
    const int nImages = ImageList_GetImageCount(hList);
    if (nCount == 0 && !pIDs)
        nCount = nImages;
    if (cx == 0 && cy == 0 && nCount >= 1)
    {
        IMAGEINFO info{};
        if (ImageList_GetImageInfo(hList, 0, &info))
        {
            cx = info.rcImage.right - info.rcImage.left;
            cy = info.rcImage.bottom - info.rcImage.top;
        }
    }
    int i = 0;
    for (int j = 0; j < nCount; ++j)
    {
        if (!IsUsedEntry(pIDs, nCount, nImages, j))
            continue;
        HICON hIcon = ImageList_GetIcon(hList, i, 0);
        if (!hIcon)
            return FALSE;
        CLVKIconImage image(hIcon, TRUE, TRUE);
        StoreIconImage(image, pIDs ? pIDs[j] : static_cast<UINT>(j), cx, cy, nState);
        image.Clear();
        ::DestroyIcon(hIcon);
        ++i;
    }
    return TRUE;
}

BOOL AFX_CDECL LoadToolBarResource(HMODULE hModule, UINT nID, std::vector<UINT>& ids)
{
    ids.clear();
    if (nID == 0)
        return FALSE;
    HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nID), MAKEINTRESOURCEW(241));
    if (!hResource)
        return FALSE;
    const DWORD nSize = ::SizeofResource(hModule, hResource);
    const WORD* pData = static_cast<const WORD*>(::LockResource(::LoadResource(hModule, hResource)));
    if (!pData || nSize < 8)
        return FALSE;
    const WORD nItems = pData[3];
    // The item count may not claim more ids than the resource holds.
    if (8 + static_cast<DWORD>(nItems) * 2 > nSize)
        return FALSE;
    for (WORD i = 0; i < nItems; ++i)
        if (pData[4 + i] != 0)
            ids.push_back(pData[4 + i]);
    return TRUE;
}

BOOL CLVKImageManager::LoadToolBarIcons(UINT nToolBarID, UINT nBitmapID, int nState)
{
    std::vector<UINT> ids;
    if (!LoadToolBarResource(AfxGetResourceHandle(), nToolBarID, ids) || ids.empty())
        return FALSE;
    return SetIconsFromBitmapResource(MAKEINTRESOURCEW(nBitmapID), ids.data(), static_cast<int>(ids.size()), 0, 0,
                                      nState);
}

void CLVKImageManager::ExchangeIconSet(UINT nID, CLVKPropExchange* pPX)
{
    if (nID > m_nHighestId)
        m_nHighestId = nID;
    CString strCheckSum = kCheckSum;
    ExchangeString(pPX, L"CheckSum", strCheckSum, kCheckSum);
    if (pPX->IsLoading() && strCheckSum != kCheckSum)
        AfxThrowArchiveException(CArchiveException::badClass);

    CLVKImageManagerIconSet* pSet = GetIconSet(nID);
    if (pPX->IsLoading())
    {
        if (pSet)
            pSet->RemoveAll();
        else
        {
            pSet = new CLVKImageManagerIconSet(nID, this);
            m_iconSets[nID] = pSet;
        }
    }
    CLVKPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator(L"Icon"));
    const DWORD nCount = pSet ? static_cast<DWORD>(pSet->GetIcons().size()) : 0;
    DWORD_PTR pos = pEnumerator->StartWalk(nCount);
    auto it = pSet ? pSet->GetIcons().begin() : std::map<UINT, CLVKImageManagerIcon*>::const_iterator();
    while (pos)
    {
        CLVKPropExchangeSection section(pEnumerator->NextSection(pos));
        if (!section.Get())
            break;
        if (pPX->IsLoading())
        {
            int nWidth = 16;
            ExchangeInt(section, L"Width", nWidth, 16);
            if (nWidth < 0)
                nWidth = 0;
            CLVKImageManagerIcon* pIcon = new CLVKImageManagerIcon(nID, nWidth, 15, pSet);
            pSet->SetIcon(static_cast<UINT>(nWidth), pIcon);
            ExchangeObject(section, L"Data", pIcon);
        }
        else
        {
            int nWidth = static_cast<int>(it->first);
            ExchangeInt(section, L"Width", nWidth, 16);
            ExchangeObject(section, L"Data", it->second);
            ++it;
        }
    }
}

void CLVKImageManager::ExchangeIcons(CLVKPropExchange* pPX)
{
    if (pPX->IsLoading())
        RemoveAll();
    CLVKPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator(L"IconSet"));
    DWORD_PTR pos = pEnumerator->StartWalk(static_cast<DWORD>(m_iconSets.size()));
    auto it = m_iconSets.begin();
    while (pos)
    {
        CLVKPropExchangeSection section(pEnumerator->NextSection(pos));
        if (!section.Get())
            break;
        int nID = 0;
        if (pPX->IsStoring())
            nID = static_cast<int>((it++)->first);
        ExchangeInt(section, L"Id", nID, 0);
        ExchangeIconSet(static_cast<UINT>(nID), section);
    }
}

void CLVKImageManager::Serialize(CArchive& ar)
{
    CLVKPropExchangeArchive px(ar);
    ExchangeIcons(&px);
}

CLVKImageManager* AFX_CDECL LVKImageManagerFromUnknown(LPUNKNOWN pUnknown)
{
    if (!pUnknown)
        return nullptr;
    CCmdTarget* pTarget = LVKCmdTargetFromUnknown(pUnknown);
    if (!pTarget || !pTarget->IsKindOf(RUNTIME_CLASS(CLVKImageManager)))
        AfxThrowOleException(E_INVALIDARG);
    return static_cast<CLVKImageManager*>(pTarget);
}
