#include "ImageManagerIconSet.h"

#include "ImageManagerIcon.h"

#include <climits>
#include <cstdlib>

CLVKImageManagerIconSet::CLVKImageManagerIconSet(UINT nID, CLVKImageManager* pManager)
    : m_nID(nID), m_pManager(pManager)
{
}

CLVKImageManagerIconSet::~CLVKImageManagerIconSet()
{
    RemoveAll();
}

void CLVKImageManagerIconSet::RemoveAll()
{
    for (auto& entry : m_icons)
    {
        entry.second->ClearImages(TRUE);
        entry.second->InternalRelease();
    }
    m_icons.clear();
}

CLVKImageManagerIcon* CLVKImageManagerIconSet::GetIcon(UINT nWidth)
{
    if (nWidth > 0x7FFFFFFF)
        nWidth = 0x7FFFFFFF;
    auto it = m_icons.find(nWidth);
    if (it != m_icons.end())
        return it->second;
    CLVKImageManagerIcon* pIcon = new CLVKImageManagerIcon(m_nID, static_cast<int>(nWidth), 15, this);
    m_icons[nWidth] = pIcon;
    return pIcon;
}

void CLVKImageManagerIconSet::SetIcon(UINT nWidth, CLVKImageManagerIcon* pIcon)
{
    auto it = m_icons.find(nWidth);
    if (it != m_icons.end() && it->second != pIcon)
    {
        it->second->ClearImages(TRUE);
        it->second->InternalRelease();
    }
    m_icons[nWidth] = pIcon;
}

CLVKImageManagerIcon* CLVKImageManagerIconSet::FindIcon(int nWidth, BOOL bNearest) const
{
    if (m_icons.empty())
        return nullptr;
    if (nWidth == 0)
        return m_icons.begin()->second;
    if (nWidth == 1)
        return m_icons.rbegin()->second;
    const auto it = m_icons.find(static_cast<UINT>(nWidth));
    if (it != m_icons.end())
        return it->second;
    if (!bNearest)
        return nullptr;
    CLVKImageManagerIcon* pBest = nullptr;
    long long nBestDistance = LLONG_MAX;
    for (const auto& entry : m_icons)
    {
        const long long nDistance = std::llabs(static_cast<long long>(entry.first) - nWidth);
        if (nDistance < nBestDistance)
        {
            nBestDistance = nDistance;
            pBest = entry.second;
        }
    }
    return pBest;
}

BOOL CLVKImageManagerIconSet::SetNormalImage(const CLVKIconImage& image, UINT nWidth)
{
    return GetIcon(nWidth)->SetNormalImage(image);
}

BOOL CLVKImageManagerIconSet::SetHotImage(const CLVKIconImage& image, UINT nWidth)
{
    return GetIcon(nWidth)->SetHotImage(image);
}

BOOL CLVKImageManagerIconSet::SetCheckedImage(const CLVKIconImage& image, UINT nWidth)
{
    return GetIcon(nWidth)->SetCheckedImage(image);
}

BOOL CLVKImageManagerIconSet::SetPressedImage(const CLVKIconImage& image, UINT nWidth)
{
    return GetIcon(nWidth)->SetPressedImage(image);
}

BOOL CLVKImageManagerIconSet::SetDisabledImage(const CLVKIconImage& image, UINT nWidth)
{
    return GetIcon(nWidth)->SetDisabledImage(image);
}

void CLVKImageManagerIconSet::ClearGeneratedImages()
{
    for (auto& entry : m_icons)
        entry.second->ClearGeneratedImages();
}
