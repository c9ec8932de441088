// One hyperlink inside a cell caption (start and length in the caption) and
// the collection of them; the hit rectangle is set while the cell is drawn.
#pragma once

#include "ReportHeapAllocator.h"
#include "Foundation/CmdTarget.h"

#include <vector>

class CLVKReportHyperlink : public CLVKCmdTarget
{
public:
    CLVKReportHyperlink(int nStart = 0, int nLength = 0) : m_nHyperTextBegin(nStart), m_nHyperTextLen(nLength) {}

    int m_nHyperTextBegin = 0;
    int m_nHyperTextLen = 0;
    RECT m_rcHyperSpot{};
};

class CLVKReportHyperlinks : public CLVKHeapObjectT<CLVKCmdTarget, CLVKReportDataAllocator>
{
public:
    ~CLVKReportHyperlinks() override { RemoveAll(); }

    int GetSize() const { return static_cast<int>(m_links.size()); }
    CLVKReportHyperlink* GetAt(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetSize() ? m_links[nIndex] : nullptr;
    }
    // Takes over the caller's reference.
    void Add(CLVKReportHyperlink* pLink) { m_links.push_back(pLink); }
    void RemoveAt(int nIndex)
    {
        if (nIndex < 0 || nIndex >= GetSize())
            return;
        m_links[nIndex]->InternalRelease();
        m_links.erase(m_links.begin() + nIndex);
    }
    void RemoveAll()
    {
        for (auto it = m_links.rbegin(); it != m_links.rend(); ++it)
            (*it)->InternalRelease();
        m_links.clear();
    }
    void CopyFrom(const CLVKReportHyperlinks* pOther)
    {
        RemoveAll();
        if (!pOther)
            return;
        for (auto* p : pOther->m_links)
            Add(new CLVKReportHyperlink(p->m_nHyperTextBegin, p->m_nHyperTextLen));
    }

private:
    std::vector<CLVKReportHyperlink*> m_links;
};
