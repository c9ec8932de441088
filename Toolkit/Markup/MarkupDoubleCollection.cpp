#include "Markup/MarkupDoubleCollection.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupString.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupDoubleCollection, L"DoubleCollection", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupDoubleCollection(); }, nullptr)

double CLVKMarkupDoubleCollection::GetItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
    {
        AfxThrowInvalidArgException();
    }
    return m_values[nIndex];
}

void CLVKMarkupDoubleCollection::RemoveAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
    {
        AfxThrowInvalidArgException();
    }
    m_values.erase(m_values.begin() + nIndex);
}

BOOL AFX_CDECL CLVKMarkupDoubleCollection::ParseList(LPCWSTR lpszText, std::vector<float>& values)
{
    if (!lpszText)
    {
        return FALSE;
    }
    const wchar_t* p = lpszText;
    while (*p)
    {
        while (*p == L' ')
        {
            ++p;
        }
        BOOL bNegative = FALSE;
        if (*p == L'-')
        {
            bNegative = TRUE;
            ++p;
        }
        if (!*p)
        {
            return FALSE;
        }
        float fValue = 0, fScale = 0;
        int nRead = 0;
        for (; *p && *p != L' ' && *p != L','; ++p, ++nRead)
        {
            if (*p >= L'0' && *p <= L'9')
            {
                if (fScale == 0)
                {
                    fValue = fValue * 10 + (*p - L'0');
                }
                else
                {
                    fValue += (*p - L'0') * fScale;
                    fScale /= 10;
                }
            }
            else if (*p == L'.' && fScale == 0)
            {
                fScale = 0.1f;
            }
            else
            {
                return FALSE;
            }
        }
        if (nRead == 0)
        {
            return FALSE;
        }
        if (*p)
        {
            ++p;  // the space or comma that ended the number
        }
        values.push_back(bNegative ? -fValue : fValue);
        while (*p == L' ')
        {
            ++p;
        }
    }
    return TRUE;
}

CLVKMarkupObject* CLVKMarkupDoubleCollection::ConvertFrom(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    std::vector<float> values;
    if (!pString || !ParseList(pString->GetText(), values))
    {
        return nullptr;
    }
    return new CLVKMarkupDoubleCollection(values.data(), static_cast<int>(values.size()));
}

BEGIN_DISPATCH_MAP(CLVKMarkupDoubleCollection, CLVKMarkupObject)
    DISP_FUNCTION_ID(CLVKMarkupDoubleCollection, "Item", DISPID_VALUE, OleItem, VT_R8, VTS_I4)
    DISP_FUNCTION_ID(CLVKMarkupDoubleCollection, "Count", 1, OleCount, VT_I4, VTS_NONE)
    DISP_FUNCTION_ID(CLVKMarkupDoubleCollection, "Add", 2, OleAdd, VT_EMPTY, VTS_R8)
    DISP_FUNCTION_ID(CLVKMarkupDoubleCollection, "Clear", 4, OleClear, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION_ID(CLVKMarkupDoubleCollection, "RemoveAt", 5, OleRemoveAt, VT_EMPTY, VTS_I4)
END_DISPATCH_MAP()

long CLVKMarkupDoubleCollection::OleCount()
{
    return GetCount();
}

double CLVKMarkupDoubleCollection::OleItem(long nIndex)
{
    return GetItem(nIndex);
}

void CLVKMarkupDoubleCollection::OleAdd(double d)
{
    Add(d);
}

void CLVKMarkupDoubleCollection::OleClear()
{
    Clear();
}

void CLVKMarkupDoubleCollection::OleRemoveAt(long nIndex)
{
    RemoveAt(nIndex);
}
