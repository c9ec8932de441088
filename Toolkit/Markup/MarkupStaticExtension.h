// The tree behind {x:Static path}: named containers whose leaves hold
// values; a dotted path such as "SystemColors.ControlBrush" walks it.
#pragma once

#include "Markup/MarkupType.h"

#include <map>
#include <memory>
#include <string>

class CLVKMarkupStaticExtension
{
public:
    CLVKMarkupStaticExtension(LPCWSTR lpszName, BOOL bLeaf);
    virtual ~CLVKMarkupStaticExtension() = default;
    CLVKMarkupStaticExtension(const CLVKMarkupStaticExtension&) = delete;
    CLVKMarkupStaticExtension& operator=(const CLVKMarkupStaticExtension&) = delete;

    // Containers only; a node of the same name replaces the entry.
    void AddExtension(std::unique_ptr<CLVKMarkupStaticExtension> pNode);
    // The value with a reference for the caller; null for containers.
    virtual CLVKMarkupObject* GetValue();
    // The value at a dotted path below this node, with a reference, or null.
    virtual CLVKMarkupObject* FindValue(LPCWSTR lpszPath);

    const std::wstring& GetName() const { return m_strName; }
    BOOL IsLeaf() const { return m_bLeaf; }
    // Non-empty, only A to Z, a to z and "_".
    static BOOL AFX_CDECL IsValidName(const std::wstring& strName);

private:
    BOOL m_bLeaf;
    std::wstring m_strName;
    std::map<std::wstring, std::unique_ptr<CLVKMarkupStaticExtension>> m_children;
};

// A leaf holding a value (with a reference).
class CLVKMarkupStaticExtensionProperty : public CLVKMarkupStaticExtension
{
public:
    // Takes over the reference on the value.
    CLVKMarkupStaticExtensionProperty(LPCWSTR lpszName, CLVKMarkupObject* pValue);
    ~CLVKMarkupStaticExtensionProperty() override;
    CLVKMarkupObject* GetValue() override;

private:
    CLVKMarkupObject* m_pValue;
};

// The "SystemColors" container: for each system colour, base + "Color",
// "ColorKey", "Brush" and "BrushKey", read when the tree is built.
class CLVKMarkupSystemColorsStaticExtension : public CLVKMarkupStaticExtension
{
public:
    CLVKMarkupSystemColorsStaticExtension();
};

// The system colour of a colour key as a new opaque colour, and of a brush
// key as a new opaque solid brush; null for other objects.
CLVKMarkupObject* AFX_CDECL MarkupSystemColorFromKey(CLVKMarkupObject* pKey);
CLVKMarkupObject* AFX_CDECL MarkupSystemBrushFromKey(CLVKMarkupObject* pKey);
