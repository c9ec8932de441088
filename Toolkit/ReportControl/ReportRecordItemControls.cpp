#include "ReportRecordItemControls.h"

#include "ReportRecordItem.h"
#include "ReportRecordItemControlHookWnd.h"
#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeSection.h"

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
    nCount = min(nCount, GetCount() - nIndex);
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
    for (int i = max(0, nStartFrom); i < GetCount(); i++)
        if (m_arr[i])
            m_arr[i]->m_nIndex = i;
}

void CLVKReportRecordItemControls::DoPropExchange(CLVKPropExchange* pPX)
{
    CLVKPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator(L"RecordItemControl"));
    if (pPX->IsLoading())
        RemoveAll();
    DWORD_PTR pos = pEnumerator->StartWalk(static_cast<DWORD>(GetCount()));
    int nIndex = 0;
    while (pos)
    {
        CLVKPropExchangeSection section(pEnumerator->NextSection(pos));
        if (!section.Get())
            break;
        if (pPX->IsLoading())
        {
            CObject* pObject = nullptr;
            if (!section->ExchangeObjectClass(pObject, RUNTIME_CLASS(CLVKReportRecordItemControl)) || !pObject)
                AfxThrowArchiveException(CArchiveException::badClass);
            auto* pControl = static_cast<CLVKReportRecordItemControl*>(pObject);
            pControl->DoPropExchange(section);
            AddControl(pControl, -1);
        }
        else
        {
            CObject* pObject = m_arr[nIndex++];
            section->ExchangeObjectClass(pObject, RUNTIME_CLASS(CLVKReportRecordItemControl));
            static_cast<CLVKReportRecordItemControl*>(pObject)->DoPropExchange(section);
        }
    }
}
