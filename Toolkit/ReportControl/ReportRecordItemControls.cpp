#include "ReportRecordItemControls.h"

#include "ReportRecordItem.h"
#include "ReportRecordItemControlHookWnd.h"
#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeSection.h"
#include "ReportObjectExchange.h"

IMPLEMENT_DYNCREATE(CLVKReportRecordItemControls, CLVKCmdTarget)

CLVKReportRecordItemControls::CLVKReportRecordItemControls(CLVKReportRecordItem* pItem) : m_pRecordItem(pItem)
{
}

CLVKReportRecordItemControls::~CLVKReportRecordItemControls()
{
    if (m_pHookWnd)
        m_pHookWnd->DestroyWindow();
    RemoveAll();
}

CLVKReportRecordItemControl* CLVKReportRecordItemControls::AddControl(CLVKReportRecordItemControl* pControl, int nIndex)
{
    if (!pControl)
        return nullptr;
    if (nIndex < 0 || nIndex >= GetCount())
        nIndex = Add(pControl);
    else
        InsertAt(nIndex, pControl);
    RefreshIndexes(nIndex);
    return pControl;
}

void CLVKReportRecordItemControls::ForgetInOwner(CLVKReportRecordItemControl* pControl)
{
    if (m_pHotControl == pControl)
        m_pHotControl = nullptr;
}

void CLVKReportRecordItemControls::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 0; i--)
    {
        CLVKReportRecordItemControl* pControl = m_arr[i];
        ForgetInOwner(pControl);
        if (pControl)
            pControl->InternalRelease();
    }
    CLVKArrayT<CLVKReportRecordItemControl*>::RemoveAll();
}

void CLVKReportRecordItemControls::RemoveAt(int nIndex, int nCount)
{
    if (nIndex < 0 || nIndex >= GetCount() || nCount <= 0)
        return;
    nCount = std::min(nCount, GetCount() - nIndex);
    for (int i = nIndex; i < nIndex + nCount; i++)
    {
        ForgetInOwner(m_arr[i]);
        if (m_arr[i])
            m_arr[i]->InternalRelease();
    }
    CLVKArrayT<CLVKReportRecordItemControl*>::RemoveAt(nIndex, nCount);
    RefreshIndexes(nIndex);
}

void CLVKReportRecordItemControls::CopyFrom(CLVKReportRecordItemControls* pSrc)
{
    if (!pSrc || pSrc == this)
        return;
    RemoveAll();
    for (int i = 0; i < pSrc->GetCount(); i++)
    {
        CLVKReportRecordItemControl* pControl = pSrc->m_arr[i];
        if (!pControl)
            continue;
        pControl->InternalAddRef();
        Add(pControl);
    }
    RefreshIndexes(0);
}

void CLVKReportRecordItemControls::RefreshIndexes(int nStartFrom)
{
    for (int i = std::max(0, nStartFrom); i < GetCount(); i++)
        if (m_arr[i])
            m_arr[i]->m_nIndex = i;
}

void CLVKReportRecordItemControls::DoPropExchange(CLVKPropExchange* pPX)
{
    if (pPX->IsLoading())
        RemoveAll();
    LVKReportExchangeObjects<CLVKReportRecordItemControl>(
        pPX, L"RecordItemControl", RUNTIME_CLASS(CLVKReportRecordItemControl), GetCount(),
        [this](int i) { return m_arr[i]; }, [this](CLVKReportRecordItemControl* pControl) { AddControl(pControl, -1); });
}
