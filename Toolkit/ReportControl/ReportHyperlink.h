// One hyperlink inside a cell caption: where it starts, how long it is, and
// where it was last drawn (hit tests use that rectangle).
#pragma once

#include "ReportDefines.h"

class CLVKPropExchange;

class CLVKReportHyperlink : public CLVKCmdTarget
{
public:
    CLVKReportHyperlink(int nStart = 0, int nLength = 0) : m_nHyperTextBegin(nStart), m_nHyperTextLen(nLength) {}

    virtual void DoPropExchange(CLVKPropExchange* pPX);

    int m_nHyperTextBegin = 0;
    int m_nHyperTextLen = 0;
    RECT m_rcHyperSpot{};
};
