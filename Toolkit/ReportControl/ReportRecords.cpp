#include "ReportRecords.h"

#include <algorithm>

#include "ReportRecord.h"
#include "Foundation/PropExchange.h"
#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeSection.h"
#include "ReportObjectExchange.h"

CLVKReportRecords::CLVKReportRecords(BOOL bArray) : m_bArray(bArray)
{
}

CLVKReportRecords::CLVKReportRecords(CLVKReportRecord* pOwnerRecord) : m_pOwnerRecord(pOwnerRecord)
{
    if (pOwnerRecord)
        m_pControl = pOwnerRecord->GetControl();
}

CLVKReportRecords::~CLVKReportRecords()
{
    RemoveAll();
    if (m_pVirtualRecord)
        m_pVirtualRecord->InternalRelease();
}

int CLVKReportRecords::CompareStrings(LPCWSTR psz1, LPCWSTR psz2) const
{
    if (m_bCaseSensitive)
    {
        for (;; psz1++, psz2++)
        {
            const unsigned c1 = static_cast<unsigned short>(*psz1);
            const unsigned c2 = static_cast<unsigned short>(*psz2);
            if (c1 != c2)
                return c1 < c2 ? -1 : 1;
            if (!c1)
                return 0;
        }
    }
    // The user's locale ordering without case, as the platform's list view
    // sorts (the runtime's _wcsicmp would order punctuation differently).
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, psz1, -1, psz2, -1) - CSTR_EQUAL;
}

int CLVKReportRecords::Compare(const CString& str1, const CString& str2) const
{
    return CompareStrings(str1, str2);
}

int CLVKReportRecords::UpdateIndexes(int nStart)
{
    for (int i = std::max(0, nStart); i < static_cast<int>(m_arrRecords.size()); i++)
        m_arrRecords[i]->m_nIndex = i;
    return static_cast<int>(m_arrRecords.size());
}

CLVKReportRecord* CLVKReportRecords::GetAt(int nIndex) const
{
    if (m_pVirtualRecord)
    {
        m_pVirtualRecord->m_nIndex = nIndex;
        return m_pVirtualRecord;
    }
    return nIndex >= 0 && nIndex < static_cast<int>(m_arrRecords.size()) ? m_arrRecords[nIndex] : nullptr;
}

CLVKReportRecord* CLVKReportRecords::Add(CLVKReportRecord* pRecord)
{
    if (!pRecord)
        return nullptr;
    m_arrRecords.push_back(pRecord);
    if (!m_bArray)
    {
        pRecord->m_nIndex = static_cast<int>(m_arrRecords.size()) - 1;
        pRecord->m_pRecords = this;
        if (pRecord->GetControl() != m_pControl)
            pRecord->SetControl(m_pControl);
    }
    return pRecord;
}

void CLVKReportRecords::InsertAt(int nIndex, CLVKReportRecord* pRecord)
{
    if (!pRecord)
        return;
    nIndex = std::max(0, std::min(nIndex, static_cast<int>(m_arrRecords.size())));
    m_arrRecords.insert(m_arrRecords.begin() + nIndex, pRecord);
    if (!m_bArray)
    {
        pRecord->m_pRecords = this;
        pRecord->SetControl(m_pControl);
        UpdateIndexes(nIndex);
    }
}

void CLVKReportRecords::RemoveAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_arrRecords.size()))
        return;
    CLVKReportRecord* pRecord = m_arrRecords[nIndex];
    m_arrRecords.erase(m_arrRecords.begin() + nIndex);
    if (!m_bArray)
    {
        pRecord->InternalRelease();
        UpdateIndexes(nIndex);
    }
}

int CLVKReportRecords::Remove(CLVKReportRecord* pRecord)
{
    for (int i = 0; i < static_cast<int>(m_arrRecords.size()); i++)
    {
        if (m_arrRecords[i] == pRecord)
        {
            RemoveAt(i);
            return i;
        }
    }
    return -1;
}

void CLVKReportRecords::RemoveAll()
{
    if (!m_bArray)
    {
        for (auto it = m_arrRecords.rbegin(); it != m_arrRecords.rend(); ++it)
            (*it)->InternalRelease();
    }
    m_arrRecords.clear();
}

void CLVKReportRecords::SetVirtualMode(CLVKReportRecord* pVirtualRecord, int nCount)
{
    if (m_pVirtualRecord)
        m_pVirtualRecord->InternalRelease();
    m_pVirtualRecord = pVirtualRecord;
    m_nVirtualCount = nCount;
    if (pVirtualRecord)
    {
        pVirtualRecord->m_pRecords = this;
        pVirtualRecord->SetControl(m_pControl);
    }
}

CLVKReportRecordItem* CLVKReportRecords::FindRecordItem(int nStartRecord, int nEndRecord, int nStartColumn,
                                                        int nEndColumn, int nRecord, int nItem, LPCWSTR lpszText,
                                                        int nFlags)
{
    if (GetCount() == 0 || !GetAt(0) || !GetAt(0)->GetControl())
        return nullptr;
    return LVKReportFindRecordItem(
        GetAt(0)->GetControl(), GetCount(), [this](int n) { return GetAt(n); }, nStartRecord, nEndRecord, nStartColumn,
        nEndColumn, nRecord, nItem, lpszText, nFlags);
}

void CLVKReportRecords::RemoveNestedRecords()
{
    const int nCount = static_cast<int>(m_arrRecords.size());
    if (nCount < 2)
        return;
    std::vector<int> depths(nCount, -1);
    for (int i = 0; i < nCount; i++)
    {
        if (!m_arrRecords[i])
            continue;
        int nDepth = 0;
        for (CLVKReportRecord* p = m_arrRecords[i]->GetParentRecord(); p; p = p->GetParentRecord())
            nDepth++;
        depths[i] = nDepth;
    }
    if (std::all_of(depths.begin(), depths.end(), [&](int n) { return n == depths[0]; }))
        return;
    // A record is marked when one of the listed records is its ancestor.
    std::vector<bool> marked(nCount, false);
    for (int i = 0; i < nCount; i++)
    {
        if (depths[i] <= 0)
            continue;
        int nUp = 0;
        for (CLVKReportRecord* p = m_arrRecords[i]->GetParentRecord(); p && !marked[i]; p = p->GetParentRecord())
        {
            nUp++;
            for (int k = 0; k < nCount; k++)
            {
                if (k != i && m_arrRecords[k] == p && depths[k] == depths[i] - nUp)
                {
                    marked[i] = true;
                    break;
                }
            }
        }
    }
    for (int i = nCount - 1; i >= 0; i--)
        if (marked[i])
            RemoveAt(i);
}

void CLVKReportRecords::SetControl(CLVKReportControl* pControl)
{
    m_pControl = pControl;
    if (m_bArray)
        return;
    for (CLVKReportRecord* pRecord : m_arrRecords)
    {
        if (pRecord && pRecord->GetControl() != pControl)
            pRecord->SetControl(pControl);
    }
}

CLVKReportRecord* CLVKReportRecords::FindRecordByTag(double dValue, BOOL bRecursive)
{
    for (CLVKReportRecord* pRecord : m_arrRecords)
    {
        if (!pRecord)
            continue;
        if (pRecord->GetTagNumber() == dValue)
            return pRecord;
        if (bRecursive && pRecord->HasChildren())
        {
            if (CLVKReportRecord* pFound = pRecord->GetChilds()->FindRecordByTag(dValue, TRUE))
                return pFound;
        }
    }
    return nullptr;
}

void CLVKReportRecords::SetAt(int nIndex, CLVKReportRecord* pRecord)
{
    if (!pRecord || nIndex < 0 || nIndex >= static_cast<int>(m_arrRecords.size()))
        return;
    if (!m_bArray)
    {
        if (m_arrRecords[nIndex])
            m_arrRecords[nIndex]->InternalRelease();
        pRecord->m_nIndex = nIndex;
        pRecord->m_pRecords = this;
        if (pRecord->GetControl() != m_pControl)
            pRecord->SetControl(m_pControl);
    }
    m_arrRecords[nIndex] = pRecord;
}

void CLVKReportRecords::SetSize(int nSize)
{
    nSize = std::max(0, nSize);
    if (nSize >= static_cast<int>(m_arrRecords.size()))
        return;
    if (!m_bArray)
    {
        for (int i = static_cast<int>(m_arrRecords.size()) - 1; i >= nSize; i--)
        {
            if (m_arrRecords[i])
                m_arrRecords[i]->InternalRelease();
        }
    }
    m_arrRecords.resize(nSize);
}

void CLVKReportRecords::DoPropExchange(CLVKPropExchange* pPX)
{
    pPX->ExchangeSchema();
    ExchangeRecords(pPX);
}

void CLVKReportRecords::ExchangeRecords(CLVKPropExchange* pPX)
{
    if (pPX->IsLoading())
        RemoveAll();
    LVKReportExchangeObjects<CLVKReportRecord>(
        pPX, L"Record", RUNTIME_CLASS(CLVKReportRecord), GetCount(), [this](int i) { return GetAt(i); },
        [this](CLVKReportRecord* pRecord) { Add(pRecord); });
}

void CLVKReportRecords::MoveRecordsTo(int nPosition, CLVKReportRecords* pSource)
{
    if (!pSource || !pSource->m_bArray)
        return;
    nPosition = std::max(0, std::min(nPosition, static_cast<int>(m_arrRecords.size())));
    std::vector<CLVKReportRecord*>& source = pSource->m_arrRecords;
    for (size_t i = 0; i < source.size(); i++)
    {
        CLVKReportRecord* pRecord = source[i];
        if (!pRecord || pRecord->m_pRecords != this)
            continue;
        const int nIndex = pRecord->m_nIndex;
        if (nIndex >= 0 && nIndex < static_cast<int>(m_arrRecords.size()) && m_arrRecords[nIndex] == pRecord)
        {
            m_arrRecords.erase(m_arrRecords.begin() + nIndex);
            for (size_t j = i + 1; j < source.size(); j++)
            {
                CLVKReportRecord* pLater = source[j];
                if (pLater && pLater->m_pRecords == this && pLater->m_nIndex > nIndex)
                    pLater->m_nIndex--;
            }
            if (nIndex < nPosition)
                nPosition--;
        }
        else
        {
            m_arrRecords.erase(std::remove(m_arrRecords.begin(), m_arrRecords.end(), pRecord), m_arrRecords.end());
        }
    }
    for (CLVKReportRecord* pRecord : source)
    {
        if (pRecord && pRecord->m_pRecords == this)
            m_arrRecords.insert(m_arrRecords.begin() + nPosition++, pRecord);
    }
    UpdateIndexes(0);
}

void CLVKReportRecords::MoveRecords(CLVKReportRecord* pExcept, CLVKReportRecords* pTarget, BOOL bMove)
{
    if (!pExcept && !pTarget)
        return;
    for (int i = 0; i < static_cast<int>(m_arrRecords.size());)
    {
        CLVKReportRecord* pRecord = m_arrRecords[i];
        if (!pRecord || (pTarget && pRecord->m_pRecords == pTarget))
        {
            i++;
            continue;
        }
        BOOL bExceptOrAncestor = FALSE;
        for (CLVKReportRecord* p = pExcept; p && !bExceptOrAncestor; p = p->GetParentRecord())
            bExceptOrAncestor = p == pRecord;
        if (bExceptOrAncestor)
        {
            RemoveAt(i);
            continue;
        }
        if (bMove && pTarget)
        {
            // The record changes hands with a reference of its own.
            pRecord->InternalAddRef();
            CLVKReportRecords* pOwner = pRecord->m_pRecords;
            if (pOwner)
                pOwner->Remove(pRecord);
            pTarget->Add(pRecord);
            if (pOwner == this)
                continue;
        }
        i++;
    }
}
