// A list of numbers (dash patterns), read from "1,2 3".
#pragma once

#include "Markup/MarkupType.h"

#include <vector>

class CLVKMarkupDoubleCollection : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupDoubleCollection() = default;
    CLVKMarkupDoubleCollection(const float* pValues, int nCount) : m_values(pValues, pValues + nCount) {}

    int GetCount() const { return static_cast<int>(m_values.size()); }
    // Throws the invalid-argument error outside the list.
    double GetItem(int nIndex) const;
    void Add(double d) { m_values.push_back(static_cast<float>(d)); }
    void Clear() { m_values.clear(); }
    // Throws the invalid-argument error outside the list.
    void RemoveAt(int nIndex);
    const std::vector<float>& GetValues() const { return m_values; }

    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;
    // The number-list grammar; false on bad input.
    static BOOL AFX_CDECL ParseList(LPCWSTR lpszText, std::vector<float>& values);

private:
    std::vector<float> m_values;

public:
    // Script members.
    long OleCount();
    double OleItem(long nIndex);
    void OleAdd(double d);
    void OleClear();
    void OleRemoveAt(long nIndex);

protected:
    DECLARE_DISPATCH_MAP()
};
