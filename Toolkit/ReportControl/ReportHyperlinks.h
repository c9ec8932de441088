// The hyperlinks of one cell, in caption order; holds one reference to each.
#pragma once

#include "ArrayT.h"
#include "ReportHeapAllocator.h"
#include "ReportHyperlink.h"

class CLVKReportHyperlinks : public CLVKHeapObjectT<CLVKArrayT<CLVKReportHyperlink*>, CLVKReportDataAllocator>
{
public:
    CLVKReportHyperlinks() = default;
    ~CLVKReportHyperlinks() override;

    virtual void DoPropExchange(CLVKPropExchange* pPX);
    // Releases and removes the link; an index outside does nothing.
    virtual void RemoveAtRelease(int nIndex);
    // Shares the other collection's links (one more reference each).
    virtual void CopyFrom(CLVKReportHyperlinks* pSrc);
    void RemoveAll() override;

    // The link at the index, or null outside the collection.
    CLVKReportHyperlink* FindAt(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetCount() ? m_arr[nIndex] : nullptr;
    }
};
