#include "ReportHyperlinks.h"

#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeSection.h"

CLVKReportHyperlinks::~CLVKReportHyperlinks()
{
    RemoveAll();
}

void CLVKReportHyperlinks::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 0; i--)
        if (m_arr[i])
            m_arr[i]->InternalRelease();
    CLVKArrayT<CLVKReportHyperlink*>::RemoveAll();
}

void CLVKReportHyperlinks::RemoveAtRelease(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    if (m_arr[nIndex])
        m_arr[nIndex]->InternalRelease();
    RemoveAt(nIndex);
}

void CLVKReportHyperlinks::CopyFrom(CLVKReportHyperlinks* pSrc)
{
    if (!pSrc || pSrc == this)
        return;
    RemoveAll();
    for (int i = 0; i < pSrc->GetCount(); i++)
    {
        CLVKReportHyperlink* pLink = pSrc->m_arr[i];
        if (!pLink)
            continue;
        pLink->InternalAddRef();
        Add(pLink);
    }
}

void CLVKReportHyperlinks::DoPropExchange(CLVKPropExchange* pPX)
{
    CLVKPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator(L"Hyperlink"));
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
            auto* pLink = new CLVKReportHyperlink(0, 0);
            pLink->DoPropExchange(section);
            Add(pLink);
        }
        else if (nIndex < GetCount())
        {
            m_arr[nIndex++]->DoPropExchange(section);
        }
    }
}
