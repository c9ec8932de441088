#include "PrintInfo.h"

CPrintInfo::CPrintInfo() : m_pd{}
{
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
}
