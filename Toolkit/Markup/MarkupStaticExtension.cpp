#include "Markup/MarkupStaticExtension.h"

#include "Markup/MarkupBrushKey.h"
#include "Markup/MarkupColor.h"
#include "Markup/MarkupColorKey.h"
#include "Markup/MarkupSolidColorBrush.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupColorKey, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupColorKey(); }, nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupBrushKey, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupBrushKey(); }, nullptr)

CLVKMarkupStaticExtension::CLVKMarkupStaticExtension(LPCWSTR lpszName, BOOL bLeaf)
    : m_bLeaf(bLeaf), m_strName(lpszName ? lpszName : L"")
{
}

BOOL AFX_CDECL CLVKMarkupStaticExtension::IsValidName(const std::wstring& strName)
{
    if (strName.empty())
    {
        return FALSE;
    }
    for (const wchar_t ch : strName)
    {
        if (!((ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z') || ch == L'_'))
        {
            return FALSE;
        }
    }
    return TRUE;
}

void CLVKMarkupStaticExtension::AddExtension(std::unique_ptr<CLVKMarkupStaticExtension> pNode)
{
    if (m_bLeaf || !pNode)
    {
        return;
    }
    const std::wstring strName = pNode->GetName();
    m_children[strName] = std::move(pNode);
}

CLVKMarkupObject* CLVKMarkupStaticExtension::GetValue()
{
    return nullptr;
}

CLVKMarkupObject* CLVKMarkupStaticExtension::FindValue(LPCWSTR lpszPath)
{
    if (!lpszPath)
    {
        return nullptr;
    }
    const std::wstring strPath(lpszPath);
    const size_t nDot = strPath.find(L'.');
    if (nDot != std::wstring::npos && IsValidName(strPath.substr(0, nDot)))
    {
        const auto it = m_children.find(strPath.substr(0, nDot));
        return it == m_children.end() ? nullptr : it->second->FindValue(strPath.c_str() + nDot + 1);
    }
    if (IsValidName(strPath))
    {
        const auto it = m_children.find(strPath);
        return it == m_children.end() ? nullptr : it->second->GetValue();
    }
    return nullptr;
}

CLVKMarkupStaticExtensionProperty::CLVKMarkupStaticExtensionProperty(LPCWSTR lpszName, CLVKMarkupObject* pValue)
    : CLVKMarkupStaticExtension(lpszName, TRUE), m_pValue(pValue)
{
}

CLVKMarkupStaticExtensionProperty::~CLVKMarkupStaticExtensionProperty()
{
    if (m_pValue)
    {
        m_pValue->Release();
    }
}

CLVKMarkupObject* CLVKMarkupStaticExtensionProperty::GetValue()
{
    if (m_pValue)
    {
        m_pValue->AddRef();
    }
    return m_pValue;
}

CLVKMarkupSystemColorsStaticExtension::CLVKMarkupSystemColorsStaticExtension()
    : CLVKMarkupStaticExtension(L"SystemColors", FALSE)
{
    static const struct
    {
        LPCWSTR lpszBase;
        int nIndex;
    } kColors[] = {
        {L"ActiveBorder", 10},
        {L"ActiveCaption", 2},
        {L"ActiveCaptionText", 9},
        {L"AppWorkspace", 12},
        {L"Control", 15},
        {L"ControlDark", 16},
        {L"ControlDarkDark", 21},
        {L"ControlLight", 22},
        {L"ControlLightLight", 20},
        {L"ControlText", 18},
        {L"Desktop", 1},
        {L"GradientActiveCaption", 27},
        {L"GradientInactiveCaption", 28},
        {L"GrayText", 17},
        {L"Highlight", 13},
        {L"HighlightText", 14},
        {L"HotTrack", 26},
        {L"InactiveBorder", 11},
        {L"InactiveCaption", 3},
        {L"InactiveCaptionText", 19},
        {L"Info", 24},
        {L"InfoText", 23},
        {L"Menu", 4},
        {L"MenuBar", 30},
        {L"MenuHighlight", 29},
        {L"MenuText", 7},
        {L"ScrollBar", 0},
        {L"Window", 5},
        {L"WindowFrame", 6},
        {L"WindowText", 8},
    };
    for (const auto& entry : kColors)
    {
        const std::wstring strBase = entry.lpszBase;
        const COLORREF clr = GetSysColor(entry.nIndex);
        AddExtension(std::make_unique<CLVKMarkupStaticExtensionProperty>((strBase + L"Color").c_str(),
                                                                         new CLVKMarkupColor(0xFF, clr)));
        AddExtension(std::make_unique<CLVKMarkupStaticExtensionProperty>((strBase + L"ColorKey").c_str(),
                                                                         new CLVKMarkupColorKey(entry.nIndex)));
        AddExtension(std::make_unique<CLVKMarkupStaticExtensionProperty>((strBase + L"Brush").c_str(),
                                                                         new CLVKMarkupSolidColorBrush(0xFF, clr)));
        AddExtension(std::make_unique<CLVKMarkupStaticExtensionProperty>((strBase + L"BrushKey").c_str(),
                                                                         new CLVKMarkupBrushKey(entry.nIndex)));
    }
}

CLVKMarkupObject* AFX_CDECL MarkupSystemColorFromKey(CLVKMarkupObject* pKey)
{
    auto* const pColorKey = MarkupCast<CLVKMarkupColorKey>(pKey);
    return pColorKey ? new CLVKMarkupColor(0xFF, GetSysColor(pColorKey->GetIndex())) : nullptr;
}

CLVKMarkupObject* AFX_CDECL MarkupSystemBrushFromKey(CLVKMarkupObject* pKey)
{
    auto* const pBrushKey = MarkupCast<CLVKMarkupBrushKey>(pKey);
    return pBrushKey ? new CLVKMarkupSolidColorBrush(0xFF, GetSysColor(pBrushKey->GetIndex())) : nullptr;
}
