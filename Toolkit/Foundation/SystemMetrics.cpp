#include "SystemMetrics.h"

#include "SingletonPointer.h"

LVKSystemMetrics::LVKSystemMetrics()
    : m_cyBorder(GetSystemMetrics(SM_CYBORDER)), m_cyCaption(GetSystemMetrics(SM_CYCAPTION)),
      m_cyFrame(GetSystemMetrics(SM_CYFRAME)), m_cxSmIcon(GetSystemMetrics(SM_CXSMICON)),
      m_cySmIcon(GetSystemMetrics(SM_CYSMICON))
{
}

LVKSystemMetrics* AFX_CDECL GetCachedSystemMetrics()
{
    return LVKGetSingleton<LVKSystemMetrics>();
}
